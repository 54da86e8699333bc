#pragma once

// The ffmpeg argument lists of a DVD rip. ffmpeg reads the title's sectors
// as an MPEG program stream on its standard input; the audio is picked by
// its stream id and the subtitle, if any, is burned into the picture before
// any scaling.

#include "platform/encoders/core/encoder_request.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

// What of the title's streams goes into the output.
struct RipStreams {
    QString audioMap;              // a -map value such as "0:i:0x81"; empty: no audio
    int subtitleId = 0;            // subpicture stream id to burn in; 0: none
    std::vector<uint32_t> palette; // the 16 subpicture colours as 0x00YYCrCb; empty: ffmpeg's guess
};

// False for an audio-only profile (-vn).
bool RipsVideo(const EncoderRequest &encoding);

// ffmpeg's id of a DVD stream (its "0:i:" specifier): the substream number
// for the streams of private stream 1 (AC-3 0x80.., DTS 0x88.., LPCM 0xa0..,
// subpictures 0x20..), the whole start code for MPEG audio (0xc0.. becomes
// 0x1c0..) and video (0x1e0).
int FfmpegStreamId(int dvdId);

// "rrggbb,..." of the 16 colours, for the subtitle decoder's -palette.
QString PaletteOption(const std::vector<uint32_t> &yCrCb);

// One run: the output as the request asks.
QStringList FfmpegRipArguments(const EncoderRequest &encoding, const RipStreams &streams);
// AMR-NB output: the chosen audio as 8 kHz mono signed 16-bit PCM on standard output.
QStringList FfmpegRipPcmArguments(const EncoderRequest &encoding, const RipStreams &streams);
// AMR-NB beside video: the video alone into videoPath and, when there is
// audio, the PCM on standard output, from one reading of the sectors.
QStringList FfmpegRipVideoAndPcmArguments(const EncoderRequest &encoding, const RipStreams &streams,
                                          const QString &videoPath);
// The video of videoPath and the AMR-NB file amrPath copied into the output.
QStringList FfmpegRipMuxArguments(const EncoderRequest &encoding, const QString &videoPath, const QString &amrPath,
                                  bool withAudio);
