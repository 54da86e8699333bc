#pragma once

// The "vts://" address that names a DVD row's sectors and streams for the DVD
// encoder: title set, start and end sector, audio and subtitle stream ids, and
// the folder that holds the disc's VIDEO_TS folder.

#include "engine/records.h"

#include <QString>

// The absolute folder that holds the last path component named "video_ts"
// (any case) of the IFO path; the IFO's own folder when no component is so
// named. No trailing "/", except for the root itself.
QString DiscFolderOfIfo(const QString &ifoPath);

// "vts://" + title set + "*" + start sector + "*" + end sector + "*" + audio id
// + "*" + subtitle id + "*" + disc folder (whose leading "/" ends the ids); the
// title set is characters 5 and 6 of the IFO's file name (01 for
// VTS_01_0.IFO), the sectors are those of the row's clip.
QString VtsAddress(const TConvertInfo &dvd, const ClipRange &clip);
