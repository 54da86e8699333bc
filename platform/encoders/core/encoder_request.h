#pragma once

// What one register.dat command line asks for, and the ffmpeg and ffprobe
// argument lists that do it with today's spellings.
//
// register.dat accepts three lines (its own arguments, program name left out):
// - the probe: -mardozb INPUT
// - the conversion: [options for the input, e.g. -y -ss hh:mm:ss] -mardozb INPUT
//   [output options] -sn OUTPUT
// - the frame snapshot: the conversion line with -f image2 among its options.
// The input is the argument after the first -mardozb and the output is the
// last argument; both are given to ffmpeg as "file:" URLs, so no part of a
// path is ever read as an option or a protocol.

#include <QString>
#include <QStringList>
#include <stdexcept>

struct EncoderRequest {
    enum class Kind { Probe, Convert };
    Kind kind = Kind::Probe;
    QString input;
    QString output;
    QStringList inputOptions;  // translated, before the input
    QStringList outputOptions; // translated, after the input; AMR-NB options taken out
    bool overwrite = false;    // -y
    // AMR-NB audio, which register.dat encodes itself.
    bool amr = false;
    bool amrOnly = false; // an .amr file; otherwise audio muxed beside the video
    int amrBitrate = 12200;
    // What was changed so that the chosen codecs take the request (codec limits).
    QStringList notes;
};

class RequestError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws RequestError for a line of none of the three forms.
EncoderRequest ParseEncoderRequest(const QStringList &arguments);
// The options of a conversion line whose input option (e.g. -mardozb) is the
// word at `at` and whose input follows it: fills the request's output,
// overwrite flag, options and AMR-NB facts. Throws RequestError when the line
// does not end with -sn and the output.
void ParseConversionOptions(const QStringList &arguments, qsizetype at, EncoderRequest &request);

// What every ffmpeg run starts with: its log tagged by level, the progress on
// fd 3, -y or -n.
QStringList FfmpegCommonOptions(const EncoderRequest &request);

// One ffmpeg run that converts the request (no AMR-NB audio).
QStringList FfmpegConvertArguments(const EncoderRequest &request);
// The input's first audio stream as 8 kHz mono signed 16-bit PCM on standard output.
QStringList FfmpegPcmArguments(const EncoderRequest &request);
// The video of the input muxed with the AMR-NB file amrPath (copied), or the
// video alone when withAudio is false.
QStringList FfmpegMuxArguments(const EncoderRequest &request, const QString &amrPath, bool withAudio);
// ffprobe's JSON facts of the input's container and streams.
QStringList FfprobeArguments(const QString &input);

// The file URL of a path: nothing in it is an option or a protocol.
QString FileUrl(const QString &path);
