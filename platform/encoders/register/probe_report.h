#pragma once

// The facts ffprobe gives as JSON, written as the lines the media probe reads:
//   Input #0, <format>:
//     Duration: hh:mm:ss.xx, start: s.ssssss, bitrate: N kb/s
//     Stream #0:0[0x1011]: Video: codec, pixel format, WxH, N kb/s, R fps 
//     Stream #0:1: Audio: codec, RATE Hz, channels, sample format, N kb/s
// Unknown numbers are "N/A" (an unknown stream bitrate is left out, so no
// "kb/s" is read from it). Every video line carries 1011, which is where the
// reader takes the frame size from; the video line ends in a blank, the
// character the reader drops from the frame-rate text. Cover pictures are no
// video and are left out. Nothing of the file's tags or its name is written.

#include <QByteArray>
#include <QJsonObject>

QByteArray ProbeReport(const QJsonObject &ffprobe);

// hh:mm:ss.xx of a number of seconds as ffmpeg rounds it (to the hundredth).
QByteArray DurationText(double seconds);
