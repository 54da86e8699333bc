#pragma once

// ffmpeg's machine-readable progress (-progress: blocks of key=value lines,
// each ended by progress=continue or progress=end) turned into the status line
// the program reads: time= in seconds with hundredths, then bitrate=, e.g.
// "frame=  250 fps= 50 size=     612kB time=10.00 bitrate= 501.4kbits/s speed=2.01x"
// ended by a carriage return (a line feed after the last block).

#include <QByteArray>
#include <QByteArrayView>
#include <QMap>

class ProgressReport {
public:
    // One line of the progress output, without its line end. Returns the status
    // line (with its line end) when the line ended a block, else an empty array.
    QByteArray feed(QByteArrayView line);

private:
    QMap<QByteArray, QByteArray> m_values;
};

// "83.45" for 83,450,000 microseconds; negative or unknown times give "0.00".
QByteArray SecondsText(QByteArrayView microseconds);
