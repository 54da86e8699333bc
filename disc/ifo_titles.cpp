#include "disc/ifo_titles.h"

#include "disc/stream_choice.h"
#include "disc/view_checks.h"
#include "engine/engine_state.h"
#include "engine/source_list.h"
#include "engine/text_helpers.h"
#include "platform/ifo/ifo_library.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int32_t kMinTitleSeconds = 5;
constexpr int32_t kMinSectors = 1000;
// The opening cells a title may skip (logos, warnings) are the short ones.
constexpr int kStartCellsLooked = 101;
constexpr int32_t kShortCellSeconds = 8;
constexpr int32_t kStartSectorSkip = 300;

// One handle for one read; closed however the read ends.
class OpenIfo {
public:
    OpenIfo(IfoLibrary &ifo, const QString &path) : m_ifo(ifo), m_handle(ifo.ifoOpen(path, 0)) {}
    ~OpenIfo() { m_ifo.ifoClose(m_handle); }
    OpenIfo(const OpenIfo &) = delete;
    OpenIfo &operator=(const OpenIfo &) = delete;
    IfoHandle handle() const { return m_handle; }

private:
    IfoLibrary &m_ifo;
    IfoHandle m_handle;
};

struct Chain {
    int32_t seconds = 0;
    std::vector<IfoCell> cells;
};

int32_t cellSeconds(const IfoCell &cell)
{
    return HmsPartsToSeconds(cell.hours, cell.minutes, cell.seconds);
}

bool spansEnoughSectors(int32_t start, int32_t end)
{
    return int64_t(end) - int64_t(start) >= kMinSectors;
}

Chain readChain(IfoLibrary &ifo, IfoHandle h, int index)
{
    Chain chain;
    IfoTime time;
    const int count = ifo.ifoGetPGCIInfo(h, index, &time);
    chain.seconds = HmsPartsToSeconds(time.hours, time.minutes, time.seconds);
    if (count > 0) {
        chain.cells.resize(size_t(count));
        const int got = ifo.ifoGetPGCICells(h, index, chain.cells.data(), count);
        chain.cells.resize(size_t(std::clamp(got, 0, count)));
    }
    return chain;
}

// What every row of one IFO file shares.
struct TitleSet {
    QString videoFormat;
    QString frameSize;
    QString audioFormat; // of the second audio stream
    QString audioId;     // of the first audio stream
};

TitleSet readTitleSet(IfoLibrary &ifo, IfoHandle h, TIFOSelint &entry)
{
    entry.audioCount = std::max(0, ifo.ifoGetNumAudio(h));
    entry.audioDescriptions.clear();
    for (int i = 0; i < entry.audioCount; ++i)
        entry.audioDescriptions << ifo.ifoGetAudioDesc(h, i);
    entry.subPictureCount = std::max(0, ifo.ifoGetNumSubPic(h));
    entry.subPictureDescriptions.clear();
    for (int i = 0; i < entry.subPictureCount; ++i)
        entry.subPictureDescriptions << ifo.ifoGetSubPicDesc(h, i);

    TitleSet set;
    const QStringList video = ifo.ifoGetVideoDesc(h).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    set.videoFormat = video.value(0);
    set.frameSize = video.value(1);
    if (entry.audioCount > 1)
        set.audioFormat = entry.audioDescriptions.at(1).section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
    set.audioId = entry.audioCount > 0 ? ExtractStreamId(entry.audioDescriptions.at(0)) : QStringLiteral("0");
    return set;
}

struct NewRow {
    QString caption;
    int32_t seconds = 0;
    TConvertInfo convert;
    ClipRange clip;
    Toriginalinfo info;
};

// Appends the row with its records; the estimate reads the row's own facts.
void keepRow(const IfoReadTarget &target, const NewRow &row)
{
    SourceList &list = target.list;
    SourceRow shown;
    shown.caption = row.caption;
    shown.subItems[SourceRow::OriginalTime] = SecondsToHms(row.seconds);
    shown.subItems[SourceRow::ConversionTime] = SecondsToHms(row.seconds);
    shown.subItems[SourceRow::Status] = target.statusText;
    shown.checked = true;
    const int index = list.appendRow(shown);
    list.sizeArraysToRows(true);
    list.convertInfo()[index] = row.convert;
    list.clipRanges()[index] = row.clip;
    list.originalInfo()[index] = row.info;
    target.engine.currentEstimateRow = index;
    if (target.estimatedSize)
        list.setSubItem(index, SourceRow::OutputSize, target.estimatedSize(row.seconds));
    if (target.redrawList)
        target.redrawList();
}

QString titleCaption(const SourceList &list)
{
    return QStringLiteral("Title_") + TwoDigitNumber(list.rowCount() + 1);
}

} // namespace

int32_t HmsPartsToSeconds(int32_t hours, int32_t minutes, int32_t seconds)
{
    return hours * 3600 + minutes * 60 + seconds;
}

QString TwoDigitNumber(int n)
{
    return n < 10 ? QStringLiteral("0") + QString::number(n) : QString::number(n);
}

QString ExtractStreamId(const QString &description)
{
    const qsizetype close = description.indexOf(QLatin1Char(')'));
    if (close < 0)
        return QStringLiteral("0");
    const qsizetype from = std::max<qsizetype>(0, close - 4);
    return description.mid(from, close - from);
}

int FindLongestTitle(const SourceList &list)
{
    int best = 0;
    int64_t bestSpan = 0;
    for (int i = 0; i < list.rowCount(); ++i) {
        const TConvertInfo info = list.convertInfo().value(i);
        const int64_t span = int64_t(info.endSector) - int64_t(info.startSector);
        if (span > bestSpan) {
            bestSpan = span;
            best = i;
        }
    }
    return best;
}

void AddIfoTitles(const IfoReadTarget &target, TIFOSelint &entry)
{
    SourceList &list = target.list;
    target.engine.sourceMode = SourceMode::DvdRows;
    entry.firstRow = list.rowCount();
    entry.endRow = -1;

    const OpenIfo file(target.ifo, entry.ifoPath);
    const IfoHandle h = file.handle();
    if (h == 0)
        return;
    const int chains = target.ifo.ifoGetNumPGCI(h);
    if (chains > kMaxTitleChains)
        return;
    const TitleSet set = readTitleSet(target.ifo, h, entry);

    for (int i = 0; i < chains; ++i) {
        const Chain chain = readChain(target.ifo, h, i);
        if (chain.cells.empty() || chain.seconds < kMinTitleSeconds)
            continue;

        // Without a long cell the title has no opening to skip: it starts at
        // its own first sector, not at the title set's, where another title lies.
        int32_t start = chain.cells.front().firstSector;
        const int looked = std::min<int>(kStartCellsLooked, int(chain.cells.size()));
        for (int k = 0; k < looked; ++k) {
            if (cellSeconds(chain.cells[k]) > kShortCellSeconds) {
                start = chain.cells[k].firstSector + kStartSectorSkip;
                break;
            }
        }
        const IfoCell &last = chain.cells.back();
        int32_t end = last.lastSector;
        if (chain.cells.size() > 1) {
            const int32_t beforeLast = chain.cells[chain.cells.size() - 2].lastSector;
            end = int32_t(std::max(uint32_t(beforeLast), uint32_t(end)));
        }

        // Chains ending on the same sector play the same title: the one that
        // starts later (past more of the opening) stands for both. Sectors
        // count from each title set's own start, so only rows of this file
        // compare.
        bool replacesPrevious = false;
        const int previous = list.rowCount() - 1;
        if (previous >= entry.firstRow) {
            const TConvertInfo &above = list.convertInfo().at(previous);
            if (above.endSector == end) {
                if (above.startSector >= start)
                    continue;
                replacesPrevious = true;
            }
        }
        if (!spansEnoughSectors(start, end))
            continue;
        if (replacesPrevious)
            list.deleteRow(previous);

        NewRow row;
        row.caption = titleCaption(list);
        row.seconds = chain.seconds;
        row.convert.audioId = set.audioId;
        row.convert.subtitleId = QStringLiteral("0");
        row.convert.startSector = start;
        row.convert.endSector = end;
        row.convert.leadSectors = std::max(0, start - chain.cells.front().firstSector);
        row.convert.ifoPath = entry.ifoPath;
        row.convert.length = chain.seconds;
        row.convert.startSeconds = 0;
        row.convert.endSeconds = chain.seconds;
        row.clip.startSector = start;
        row.clip.endSector = last.lastSector;
        row.clip.clipBegin = 0;
        row.clip.clipEnd = chain.seconds;
        row.clip.flag = 1;
        row.info.videoCodec = set.videoFormat;
        row.info.frameSize = set.frameSize;
        row.info.duration = SecondsToHms(chain.seconds);
        row.info.audioCodec = set.audioFormat;
        keepRow(target, row);
        entry.endRow = list.rowCount();
    }
}

void AddIfoChapters(const IfoReadTarget &target, TIFOSelint &entry)
{
    SourceList &list = target.list;
    target.engine.sourceMode = SourceMode::DvdRows;
    entry.endRow = -1;

    const OpenIfo file(target.ifo, entry.ifoPath);
    const IfoHandle h = file.handle();
    if (h == 0)
        return;
    entry.firstRow = list.rowCount();
    const TitleSet set = readTitleSet(target.ifo, h, entry);
    const int chains = target.ifo.ifoGetNumPGCI(h);

    for (int i = 0; i < chains; ++i) {
        const Chain chain = readChain(target.ifo, h, i);
        if (chain.cells.empty() || chain.seconds == 0)
            continue;
        const int32_t start = chain.cells.front().firstSector;
        const int32_t end = chain.cells.back().lastSector;
        if (!spansEnoughSectors(start, end))
            continue;

        NewRow title;
        title.caption = titleCaption(list);
        title.seconds = chain.seconds;
        title.convert.audioId = set.audioId;
        title.convert.startSector = start;
        title.convert.endSector = end;
        title.convert.ifoPath = entry.ifoPath;
        title.convert.length = chain.seconds;
        title.convert.endSeconds = chain.seconds;
        title.clip = {start, end, 0, chain.seconds, 1};
        title.info.frameSize = set.frameSize;
        title.info.duration = SecondsToHms(chain.seconds);
        keepRow(target, title);

        // A chapter starts after every earlier cell of its chain, kept or not.
        int32_t runningStart = 0;
        for (size_t k = 0; k < chain.cells.size(); ++k) {
            const IfoCell &cell = chain.cells[k];
            const int32_t cs = cellSeconds(cell);
            if (cs != 0 && spansEnoughSectors(cell.firstSector, cell.lastSector)) {
                NewRow chapter;
                chapter.caption = QStringLiteral("  Chapter_") + TwoDigitNumber(int(k) + 1);
                chapter.seconds = cs;
                chapter.convert.audioId = set.audioId;
                chapter.convert.startSector = cell.firstSector;
                chapter.convert.endSector = cell.lastSector;
                chapter.convert.ifoPath = entry.ifoPath;
                chapter.convert.length = cs;
                chapter.convert.startSeconds = runningStart;
                chapter.convert.endSeconds = runningStart + cs;
                chapter.clip = {cell.firstSector, cell.lastSector, runningStart, runningStart + cs, 0};
                chapter.info.frameSize = set.frameSize;
                chapter.info.duration = SecondsToHms(cs);
                keepRow(target, chapter);
            }
            runningStart += cs;
        }
    }
    entry.endRow = list.rowCount();
}

void AddIfoInCurrentView(const IfoReadTarget &target, const DiscState &disc, TIFOSelint &entry)
{
    if (disc.chapterView)
        AddIfoChapters(target, entry);
    else
        AddIfoTitles(target, entry);
}

void SwitchListView(DiscState &disc, const IfoReadTarget &target)
{
    disc.chapterView = !disc.chapterView;
    target.list.clear();
    ResetStreamChoices(disc);
    for (TIFOSelint &entry : disc.TIFOAS)
        AddIfoInCurrentView(target, disc, entry);
    if (target.list.rowCount() > 0)
        RestoreCheckStates(disc, target.list);
}
