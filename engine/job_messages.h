#pragma once

// What an encoder says about its job besides its progress: its last message
// line, which tells why a job failed ("sectors 0..8072 lie past the end of
// title set 01"), and its last warning, a line that says "warning: " because
// the output it made is not quite what was asked (a chosen audio stream the
// title does not have). When a job ends, its row keeps the note that matters
// (shown in the row's tooltip and the properties window) and the note is
// appended to the conversion log.

#include <QString>

class SourceList;
struct intputrec;

class JobMessages {
public:
    // Progress lines and empty lines are no messages.
    void read(const QString &line);
    void clear();
    const QString &lastLine() const { return m_last; }
    const QString &lastWarning() const { return m_warning; }

private:
    QString m_last;
    QString m_warning;
};

// Why a job failed: the encoder's last message line, else what its end shows.
QString FailureNote(const JobMessages &messages, quint32 exitCode, bool outputWritten);

// "Finish (warning)": the output was made, and the row's note says what it lacks.
inline const QString kStatusFinishWarning = QStringLiteral("Finish (warning)");

// The row's end: its status and note, and, for a note, a line in the log at
// logPath ("" for none): "yyyy-MM-dd hh:mm:ss  status  input -> output: note".
// The log's folder is made when missing; a log that cannot be written is let be.
void EndRow(SourceList &list, int row, const QString &status, const QString &note, const intputrec &job,
            const QString &logPath);
