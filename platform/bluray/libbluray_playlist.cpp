#include "platform/bluray/libbluray_playlist.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <libbluray/bluray.h>
#include <libbluray/log_control.h>

#include <memory>
#include <mutex>

namespace {

// libbluray reports every damaged file on standard error; the parser's
// answer says the same, so it stays quiet unless BD_DEBUG_MASK asks.
void QuietLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] {
        if (!qEnvironmentVariableIsSet("BD_DEBUG_MASK"))
            bd_set_debug_mask(0);
    });
}

struct CloseDisc {
    void operator()(BLURAY *bd) const { bd_close(bd); }
};
struct FreeTitle {
    void operator()(BLURAY_TITLE_INFO *info) const { bd_free_title_info(info); }
};

QByteArray Language(const uint8_t (&lang)[4])
{
    const char *text = reinterpret_cast<const char *>(lang);
    return QByteArray(text, qsizetype(qstrnlen(text, sizeof lang)));
}

QVector<PlaylistStream> Streams(const BLURAY_STREAM_INFO *streams, int count)
{
    QVector<PlaylistStream> out;
    for (int i = 0; i < count && streams; ++i)
        out << PlaylistStream{streams[i].coding_type, streams[i].pid, Language(streams[i].lang)};
    return out;
}

} // namespace

std::optional<DiscPlaylistPlace> LibblurayPlaylistPlace(const QString &path)
{
    static const QRegularExpression kName(QStringLiteral("^\\d{5}\\.mpls$"));
    const QFileInfo file(path);
    const QFileInfo playlistFolder(file.absolutePath());
    const QFileInfo bdmv(playlistFolder.absolutePath());
    if (!kName.match(file.fileName()).hasMatch() || playlistFolder.fileName() != QLatin1String("PLAYLIST") ||
        bdmv.fileName() != QLatin1String("BDMV"))
        return std::nullopt;
    return DiscPlaylistPlace{bdmv.absolutePath(), file.fileName().left(5).toUInt()};
}

std::optional<PlaylistFacts> ReadWithLibbluray(const DiscPlaylistPlace &place)
{
    QuietLibrary();
    const std::unique_ptr<BLURAY, CloseDisc> disc(bd_open(QFile::encodeName(place.root).constData(), nullptr));
    if (!disc)
        return std::nullopt;
    const std::unique_ptr<BLURAY_TITLE_INFO, FreeTitle> info(bd_get_playlist_info(disc.get(), place.number, 0));
    if (!info || info->clip_count == 0 || !info->clips)
        return std::nullopt;

    PlaylistFacts facts;
    facts.seconds = WholeSeconds(info->duration);
    for (uint32_t i = 0; i < info->clip_count; ++i) {
        const BLURAY_CLIP_INFO &clip = info->clips[i];
        if (clip.out_time < clip.in_time)
            return std::nullopt;
        const char *id = clip.clip_id;
        facts.clips << PlaylistClip{QByteArray(id, qsizetype(qstrnlen(id, 5))), Milliseconds(clip.out_time - clip.in_time)};
    }
    const BLURAY_CLIP_INFO &first = info->clips[0];
    for (int i = 0; i < first.video_stream_count && first.video_streams; ++i) {
        const BLURAY_STREAM_INFO &v = first.video_streams[i];
        facts.videos << PlaylistVideo{v.coding_type, v.format, v.rate};
    }
    facts.audios = Streams(first.audio_streams, first.audio_stream_count);
    facts.subtitles = Streams(first.pg_streams, first.pg_stream_count);
    return facts;
}
