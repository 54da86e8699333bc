#pragma once

// What a console window would show of a program's output, turned into line
// reports: the output is taken in portions of at most 1,024 bytes; within a
// portion NUL and BEL are written as a blank, ordinary bytes overwrite the
// current line at the cursor (lengthening it as needed), backspace moves the
// cursor back (not below column 0), tab writes eight blanks, carriage return
// moves the cursor to column 0 and line feed reports the line and starts a new
// empty one. At the end of every portion the current line is reported, also
// when empty, and stays current.
//
// A report carries startsOnNewLine = whether the previous report finished its
// line (true for the first one); only the report at a line feed finishes one.
// So a report with false replaces the last line shown.
//
// A line that grows past kMaxLineLength without a line feed is reported as
// finished there and continues on a new line, which keeps memory bounded
// whatever the program writes.

#include <QByteArray>
#include <QByteArrayView>
#include <functional>

class LineEmulator {
public:
    static constexpr qsizetype kPortionSize = 1024;
    static constexpr qsizetype kMaxLineLength = 64 * 1024;

    using Report = std::function<void(QByteArrayView line, bool startsOnNewLine)>;

    explicit LineEmulator(Report report);

    // Output bytes as they arrive, in any pieces.
    void write(QByteArrayView bytes);
    // The output has ended: a pending non-empty line is reported once more.
    void finish();
    // Back to the state before the first byte.
    void reset();

private:
    void writePortion(QByteArrayView portion);
    void put(const char *bytes, qsizetype count);
    void report(bool finishesLine);

    Report m_report;
    QByteArray m_line;
    qsizetype m_cursor = 0;
    bool m_lastFinished = true;
};
