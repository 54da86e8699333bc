#pragma once

// What one Blu-ray playlist (.mpls) tells about itself: its length, its clips
// in play order and the streams of its first clip. The values stand as the
// playlist parser hands them to the list: nothing in the program reads their
// meaning, but they are kept so that a later stream choice can find a stream
// in the clip again.
//   clip value:      the clip's play time in the playlist, in milliseconds
//   video values:    coding type, video format, frame-rate code
//   audio, subtitle: coding type, PID

#include <QByteArray>
#include <QVector>
#include <cstdint>

struct PlaylistClip {
    QByteArray name; // the clip file's name without ".m2ts": "00001"
    int32_t value = 0;
    bool operator==(const PlaylistClip &) const = default;
};

struct PlaylistVideo {
    int32_t value1 = 0;
    int32_t value2 = 0;
    int32_t value3 = 0;
    bool operator==(const PlaylistVideo &) const = default;
};

struct PlaylistStream {
    int32_t value1 = 0;
    int32_t value2 = 0;
    QByteArray language; // ISO 639-2 code: "eng"
    bool operator==(const PlaylistStream &) const = default;
};

struct PlaylistFacts {
    int32_t seconds = 0; // whole seconds of all play items together
    QVector<PlaylistClip> clips;
    QVector<PlaylistVideo> videos;
    QVector<PlaylistStream> audios;
    QVector<PlaylistStream> subtitles; // presentation graphics, picture-in-picture ones included
    bool operator==(const PlaylistFacts &) const = default;
};

// Play time in 90 kHz ticks to the facts' units.
inline int32_t WholeSeconds(uint64_t ticks90k)
{
    const uint64_t s = ticks90k / 90000;
    return s > uint64_t(INT32_MAX) ? INT32_MAX : int32_t(s);
}
inline int32_t Milliseconds(uint64_t ticks90k)
{
    const uint64_t ms = ticks90k / 90;
    return ms > uint64_t(INT32_MAX) ? INT32_MAX : int32_t(ms);
}
