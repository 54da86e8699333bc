#pragma once

// What each codec the profiles name can take, in one table, and the request
// adapted to it: a channel count above the codec's most, a bit rate outside
// its range for the channel count (and sample rate), a frame side that is no
// multiple of what the codec needs. The program's lines stay as they are; the
// stand-in converts with the nearest request the codec takes and says so.

#include <QString>
#include <QStringList>
#include <vector>

struct BitrateRange {
    int channels;       // the channel count the range is for
    int fromSampleRate; // the range holds from this sample rate up (to the next range's)
    int leastBps;
    int mostBps;
};

struct CodecLimits {
    const char *codec;                // ffmpeg's encoder name, as -c:a / -c:v give it
    int mostChannels;                 // 0: no limit that a profile can reach
    std::vector<BitrateRange> ranges; // empty: any bit rate
    int sizeMultiple;                 // each frame side a multiple of this; 1: any
};

// The table's row of a codec; nullptr for a codec without limits.
const CodecLimits *FindCodecLimits(const QString &codec);

// Changes the translated output options (-c:a, -c:v, -ac, -ar, -b:a, -s) so
// that their codecs take them; every value of an option that occurs more than
// once is set, so the last (the one ffmpeg uses) is the adapted one. Returns
// one sentence per change, for standard error.
QStringList AdaptToCodecLimits(QStringList &outputOptions);
