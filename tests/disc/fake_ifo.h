#pragma once

// An IFO reader answering from a table of title sets by path, for the cases a
// real disc cannot be made to show (501 chains, equal end sectors, empty
// chains, cells of given lengths). It records what was opened and closed.

#include "platform/ifo/ifo_library.h"

#include <QFileInfo>
#include <QHash>
#include <QStringList>
#include <QVector>
#include <algorithm>
#include <stdexcept>
#include <vector>

namespace fake_ifo {

inline IfoCell cell(int32_t first, int32_t last, int seconds)
{
    IfoCell c{};
    c.firstSector = first;
    c.lastSector = last;
    c.hours = uint8_t(seconds / 3600);
    c.minutes = uint8_t(seconds / 60 % 60);
    c.seconds = uint8_t(seconds % 60);
    return c;
}

struct Chain {
    int seconds = 0;
    std::vector<IfoCell> cells;
};

// A chain of one cell spanning first..last.
inline Chain oneCell(int seconds, int32_t first, int32_t last)
{
    return {seconds, {cell(first, last, seconds)}};
}

struct TitleSet {
    QStringList audio{"AC3 en 2ch 48kHz (0x80)", "AC3 fr 2ch 48kHz (0x81)"};
    QStringList subPictures{"en (0x20)"};
    QString video = QStringLiteral("MPEG2 720x576 PAL 4:3");
    std::vector<Chain> chains;
};

class FakeIfo : public IfoLibrary {
public:
    QHash<QString, TitleSet> sets; // by path; other paths cannot be opened
    bool requireFiles = false;     // a set whose file is gone cannot be opened either
    QString throwOn;               // opening this path throws, as a reader fault would
    QStringList opened;            // paths, in the order opened
    int openHandles = 0;

    IfoHandle ifoOpen(const QString &path, int) override
    {
        opened << path;
        if (path == throwOn)
            throw std::runtime_error("reader fault");
        if (!sets.contains(path) || (requireFiles && !QFileInfo::exists(path)))
            return 0;
        m_open.append(path);
        ++openHandles;
        return IfoHandle(m_open.size());
    }
    void ifoClose(IfoHandle h) override
    {
        if (h != 0)
            --openHandles;
    }
    int ifoGetNumPGCI(IfoHandle h) override { return int(set(h).chains.size()); }
    int ifoGetNumAudio(IfoHandle h) override { return int(set(h).audio.size()); }
    QString ifoGetAudioDesc(IfoHandle h, int i) override { return set(h).audio.value(i); }
    int ifoGetNumSubPic(IfoHandle h) override { return int(set(h).subPictures.size()); }
    QString ifoGetSubPicDesc(IfoHandle h, int i) override { return set(h).subPictures.value(i); }
    int ifoGetPGCIInfo(IfoHandle h, int chain, IfoTime *time) override
    {
        const Chain &c = set(h).chains.at(size_t(chain));
        time->hours = uint8_t(c.seconds / 3600);
        time->minutes = uint8_t(c.seconds / 60 % 60);
        time->seconds = uint8_t(c.seconds % 60);
        return int(c.cells.size());
    }
    int ifoGetPGCICells(IfoHandle h, int chain, IfoCell *cells, int capacity) override
    {
        const Chain &c = set(h).chains.at(size_t(chain));
        const int n = std::min(capacity, int(c.cells.size()));
        for (int i = 0; i < n; ++i)
            cells[i] = c.cells[size_t(i)];
        return n;
    }
    QString ifoGetVideoDesc(IfoHandle h) override { return set(h).video; }

private:
    const TitleSet &set(IfoHandle h) const { return sets.find(m_open.at(int(h) - 1)).value(); }
    QStringList m_open;
};

} // namespace fake_ifo
