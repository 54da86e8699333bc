#pragma once

// The DVD side's shared state: what the main window's module keeps for the
// disc titles and their stream choice. Owned by the main window and passed by
// reference; plain data only.

#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <cstdint>

// One IFO file read into the list.
struct TIFOSelint {
    int32_t firstRow = 0;
    int32_t endRow = -1; // one past its last row; -1 while none of its rows was kept
    int32_t audioCount = 0;
    QStringList audioDescriptions;
    QStringList spare; // never filled
    int32_t subPictureCount = 0;
    QStringList subPictureDescriptions;
    QString ifoPath;
};

struct DiscState {
    static constexpr int kChoiceRows = 501;
    static constexpr int kDescTableSize = 101;

    bool chapterView = false;       // title view at start-up
    QVector<TIFOSelint> TIFOAS;     // the IFO files read, in order
    // One byte per row, 1 = checked; empty until the view's states are made.
    QVector<uint8_t> TitleChecks;
    QVector<uint8_t> ChapterChecks;
    bool titleChecksMade = false;
    bool chapterChecksMade = false;

    // Chosen item of cb_audio and cb_subtitle per row.
    std::array<int32_t, kChoiceRows> AudioChoice{};
    std::array<int32_t, kChoiceRows> SubtitleChoice{};
    // Full descriptions of the streams the two combos show.
    std::array<QString, kDescTableSize> AudioDescTable;
    std::array<QString, kDescTableSize> SubtitleDescTable;

    int32_t PreviewRow = 0;         // the row clicked last
    uint8_t DriveWaitPending = 0;   // 1 while the drive-wait thread runs
};
