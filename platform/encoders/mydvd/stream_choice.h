#pragma once

// Which audio stream and subtitle a rip takes, from the ids the address asks
// for, the streams the opening of the sector range holds, whether the asked
// audio stream was found further on, and the subpicture streams the title
// set's IFO lists.
//   audio: the asked stream when the range has it; else
//          (none asked, or one the range lacks) the first audio stream, said
//          in a note, a warning when one was asked; none when the range has
//          no audio.
//   subtitle: none for 0; the asked stream when the opening shows it or the
//          IFO lists it (its first picture may come long after the
//          opening); otherwise none, said in a warning: never a failure.
// A warning note starts with "warning: ": the output is not what was asked.

#include "platform/encoders/mydvd/pack_scan.h"

#include <QString>
#include <QStringList>
#include <set>

struct StreamChoice {
    QString audioMap;   // "0:i:0x81", "0:a:0"; empty: no audio
    int subtitleId = 0; // burned in; 0: none
    QStringList notes;  // for standard error
};

StreamChoice ChooseStreams(int audioId, int subtitleId, const PackStreams &opening, bool audioFoundLater,
                           const std::set<int> &listedSubtitles);
