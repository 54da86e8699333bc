#include "platform/ifo/title_set_reader.h"

#include "platform/ifo/ifo_descriptions.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <dvdread/dvd_reader.h>
#include <dvdread/ifo_read.h>
#include <dvdread/ifo_types.h>

#include <algorithm>
#include <cstdarg>
#include <memory>

namespace {

constexpr int kMaxAudioStreams = 8;
constexpr int kMaxSubpictureStreams = 32;
constexpr uint16_t kAudioPresent = 0x8000;
constexpr uint32_t kSubpicturePresent = 0x80000000u;
constexpr int kWideAspect = 3;

// libdvdread reports every file it cannot find; a missing disc is our answer, not a log line.
void Quiet(void *, dvd_logger_level_t, const char *, va_list) {}
const dvd_logger_cb kQuietLogger{Quiet};

struct DvdCloser {
    void operator()(dvd_reader_t *dvd) const { DVDClose(dvd); }
};
struct IfoCloser {
    void operator()(ifo_handle_t *ifo) const { ifoClose(ifo); }
};

IfoCell CellOf(const cell_playback_t &playback)
{
    IfoCell cell{};
    cell.firstSector = static_cast<int32_t>(playback.first_sector);
    cell.lastSector = static_cast<int32_t>(playback.last_sector);
    const IfoTime time = CellTimeFromBcd(playback.playback_time.hour, playback.playback_time.minute,
                                         playback.playback_time.second, playback.playback_time.frame_u);
    cell.hours = time.hours;
    cell.minutes = time.minutes;
    cell.seconds = time.seconds;
    return cell;
}

TitleSetChain ChainOf(const pgc_t *pgc)
{
    TitleSetChain chain;
    if (!pgc)
        return chain;
    chain.time = IfoTimeFromBcd(pgc->playback_time.hour, pgc->playback_time.minute, pgc->playback_time.second);
    if (pgc->cell_playback) {
        chain.cells.reserve(pgc->nr_of_cells);
        for (int k = 0; k < pgc->nr_of_cells; ++k)
            chain.cells.push_back(CellOf(pgc->cell_playback[k]));
    }
    return chain;
}

// The stream numbers in the packets come from the first chain's control
// tables; a stream that chain does not list keeps its index.
int AudioStreamNumber(const pgc_t *first, int index)
{
    if (first && (first->audio_control[index] & kAudioPresent))
        return (first->audio_control[index] >> 8) & 7;
    return index;
}

int SubpictureStreamNumber(const pgc_t *first, int index, bool wide)
{
    if (first && (first->subp_control[index] & kSubpicturePresent))
        return (first->subp_control[index] >> (wide ? 16 : 24)) & 0x1f;
    return index;
}

TitleSet TitleSetOf(const ifo_handle_t &ifo)
{
    const vtsi_mat_t &mat = *ifo.vtsi_mat;
    const pgcit_t &pgcit = *ifo.vts_pgcit;
    TitleSet set;

    if (pgcit.pgci_srp) {
        set.chains.reserve(pgcit.nr_of_pgci_srp);
        for (int i = 0; i < pgcit.nr_of_pgci_srp; ++i)
            set.chains.push_back(ChainOf(pgcit.pgci_srp[i].pgc));
    }
    const pgc_t *first = pgcit.pgci_srp && pgcit.nr_of_pgci_srp > 0 ? pgcit.pgci_srp[0].pgc : nullptr;

    const int audioCount = std::min<int>(mat.nr_of_vts_audio_streams, kMaxAudioStreams);
    for (int i = 0; i < audioCount; ++i) {
        const audio_attr_t &a = mat.vts_audio_attr[i];
        set.audio << AudioDescription(a.audio_format, a.channels, a.sample_frequency, a.lang_code,
                                      AudioStreamId(a.audio_format, AudioStreamNumber(first, i)));
    }

    const video_attr_t &v = mat.vts_video_attr;
    const bool wide = v.display_aspect_ratio == kWideAspect;
    const int subpictureCount = std::min<int>(mat.nr_of_vts_subp_streams, kMaxSubpictureStreams);
    for (int i = 0; i < subpictureCount; ++i)
        set.subpictures << SubpictureDescription(mat.vts_subp_attr[i].lang_code,
                                                 SubpictureStreamId(SubpictureStreamNumber(first, i, wide)));

    set.video = VideoDescription(v.mpeg_version, v.video_format, v.picture_size, v.display_aspect_ratio);
    return set;
}

} // namespace

int TitleSetNumberOfFileName(const QString &fileName)
{
    static const QRegularExpression name(QStringLiteral("^VTS_([0-9]{2})_0\\.(IFO|BUP)$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = name.match(fileName);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

std::optional<TitleSet> ReadTitleSet(const QString &ifoPath)
{
    const QFileInfo file(ifoPath);
    const int number = TitleSetNumberOfFileName(file.fileName());
    if (number == 0 || !file.isFile())
        return std::nullopt;

    const QByteArray folder = QFile::encodeName(file.absolutePath());
    const std::unique_ptr<dvd_reader_t, DvdCloser> dvd(DVDOpen2(nullptr, &kQuietLogger, folder.constData()));
    if (!dvd)
        return std::nullopt;
    const std::unique_ptr<ifo_handle_t, IfoCloser> ifo(ifoOpen(dvd.get(), number));
    // A menu IFO copied under a title set's name opens too, without title-set tables.
    if (!ifo || !ifo->vtsi_mat || !ifo->vts_pgcit)
        return std::nullopt;
    return TitleSetOf(*ifo);
}
