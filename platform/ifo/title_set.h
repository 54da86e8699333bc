#pragma once

// Everything the IFO reader hands out about one title set, copied out of
// libdvdread at open time so that no call afterwards touches the disc.

#include "platform/ifo/ifo_library.h"

#include <QString>
#include <QStringList>
#include <vector>

struct TitleSetChain {
    IfoTime time;
    std::vector<IfoCell> cells; // in play order
};

struct TitleSet {
    std::vector<TitleSetChain> chains;
    QStringList audio;       // "AC3 English 2ch 48kHz (0x80)"
    QStringList subpictures; // "English (0x20)"
    QString video;           // "MPEG2 720x576 PAL 4:3"
};
