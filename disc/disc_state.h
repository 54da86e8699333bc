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

    int32_t PreviewRow = 0;         // the row clicked last; the row being previewed
    uint8_t DriveWaitPending = 0;   // 1 while the drive-wait thread runs

    // The preview (the previewing flag itself is the engine's).
    uint8_t PreviewPaused = 0;      // 1 while a preview is paused
    int32_t PreviewPosition = 0;    // position shown, in seconds
    uint8_t StampPending = 0;       // 1 until a file preview's first positive stamp is its base
    int32_t PreviewBase = 0;        // that first stamp, rounded: where the file player's stamps start
    int32_t PreviewOffset = 0;      // seconds added to the file player's elapsed time
    QString PlayAddress;            // the file path or "vts://" address being played
};
