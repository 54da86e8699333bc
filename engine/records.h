#pragma once

// The per-row and per-job records the engine keeps. Numbers inside them are
// decimal text, converted where they are used.

#include <QString>
#include <QVector>
#include <cstdint>

// Media facts of one source row, as the probe (or the DVD reader) found them.
struct Toriginalinfo {
    QString path;
    QString frameSize;    // "WxH"
    QString duration;     // "hh:mm:ss"
    QString spare;
    QString videoBitrate; // kb/s
    QString audioBitrate; // kb/s
    QString videoCodec;
    QString audioCodec;
    QString sampleRate;   // as printed, e.g. " 44100 Hz"
    QString channels;     // as printed, e.g. " stereo"
    QString frameRate;    // the rest of the video stream line
};

// The part of a source to convert.
struct ClipRange {
    int32_t startSector = 0;
    int32_t endSector = 0;
    int32_t clipBegin = 0; // seconds
    int32_t clipEnd = 0;   // seconds
    uint8_t flag = 0;
};

// DVD rows only: where the row lies on the disc and which streams it takes.
struct TConvertInfo {
    QString audioId = QStringLiteral("0");
    QString subtitleId = QStringLiteral("0");
    int32_t startSector = 0;
    int32_t endSector = 0;
    // Sectors of the title before startSector (its short opening cells and the
    // start a rip skips): the preview plays them, so it shows the title from
    // its first picture and its clock counts the title's own seconds.
    int32_t leadSectors = 0;
    QString ifoPath;
    int64_t length = 0; // whole seconds
    int32_t startSeconds = 0;
    int32_t endSeconds = 0;
};

// One encoder job: every option of the command line as a ready-made piece.
struct intputrec {
    QString input;
    QString output;
    QString encoderPath;
    QString workingFolder;
    QString probeProgram;
    QString spare;
    QString videoPiece;
    QString audioBitratePiece;
    int32_t sourceSeconds = 0;
    QString profileOptions;
    QString sizePiece;
    QString sampleRatePiece;
    QString channelsPiece;
    QString aspectPiece;
    QString extraOption;
    QString durationPiece;
    int32_t clipSeconds = 0;
};

// How a job's output is named: folder + stem + ext, else folder + caption +
// "_1" + ext, "_2", ... (see UniqueOutputPath).
struct OutputName {
    QString folder;
    QString stem;
    QString caption;
    QString ext;
};

// The job count of a file run and the list index of each checked row, in list order.
struct TCountConvert {
    int32_t count = 0;
    QVector<int32_t> index;
};
