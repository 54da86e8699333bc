#include "platform/player/mpv_playback.h"

#include "platform/player/dvd_sector_stream.h"
#include "platform/player/mpv_library.h"
#include "platform/player/vts_location.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <clocale>
#include <malloc.h>
#include <memory>
#include <mpv/client.h>
#include <mpv/stream_cb.h>
#include <vector>

namespace {

enum Observed : uint64_t { kTimePos = 1, kDuration, kTrackCount };

const char *const kVtsProtocol = "vts";

// How often a playing file is looked for: mpv plays on from the open file
// after it was removed, which the user would not expect.
constexpr qint64 kFileCheckMs = 1000;

void SetOption(mpv_handle *h, const char *name, const char *value)
{
    // An option this libmpv does not know only loses its effect.
    mpv_set_option_string(h, name, value);
}

int64_t NodeInt(const mpv_node_list *map, const char *key, int64_t otherwise)
{
    for (int i = 0; i < map->num; ++i)
        if (qstrcmp(map->keys[i], key) == 0 && map->values[i].format == MPV_FORMAT_INT64)
            return map->values[i].u.int64;
    return otherwise;
}

QByteArray NodeString(const mpv_node_list *map, const char *key)
{
    for (int i = 0; i < map->num; ++i)
        if (qstrcmp(map->keys[i], key) == 0 && map->values[i].format == MPV_FORMAT_STRING)
            return map->values[i].u.string;
    return {};
}

// The video and sound outputs the first play with a window found, for every
// later one: probing the drivers a desktop lacks (a GL context on a software
// renderer, sound servers that are not running) costs more than a preview's
// start may, and what a session's display offers does not change.
class FoundOutputs {
public:
    static FoundOutputs &instance()
    {
        static FoundOutputs found;
        return found;
    }
    QByteArray video() const
    {
        const std::lock_guard lock(m_mutex);
        return m_video;
    }
    QByteArray sound() const
    {
        const std::lock_guard lock(m_mutex);
        return m_sound;
    }
    void keep(const QByteArray &video, const QByteArray &sound)
    {
        const std::lock_guard lock(m_mutex);
        if (m_video.isEmpty() && !video.isEmpty()) {
            m_video = video;
            m_sound = sound;
        }
    }

private:
    mutable std::mutex m_mutex;
    QByteArray m_video, m_sound;
};

// Decoded pictures of a big video (an 8K frame's planes are tens of MB each)
// would otherwise stay in the heaps of the player's threads after it ended:
// blocks from 1 MB on are mapped on their own and go back with their free.
void KeepBigBlocksOutOfTheHeaps()
{
    static const int set = mallopt(M_MMAP_THRESHOLD, 1 << 20);
    (void)set;
}

QByteArray StringProperty(mpv_handle *h, const char *name)
{
    char *value = mpv_get_property_string(h, name);
    const QByteArray out = value ? QByteArray(value) : QByteArray();
    mpv_free(value);
    return out;
}

} // namespace

// What one play() shares with the stream callbacks, which run on mpv's own threads.
class MpvPlayback::Session {
public:
    void setError(const QString &text)
    {
        const std::lock_guard lock(m_mutex);
        if (m_error.isEmpty())
            m_error = text;
    }
    QString error() const
    {
        const std::lock_guard lock(m_mutex);
        return m_error;
    }

    static int open(void *self, char *uri, mpv_stream_cb_info *info)
    {
        auto *session = static_cast<Session *>(self);
        const auto location = ParseVtsLocation(QString::fromUtf8(uri));
        if (!location) {
            session->setError(QStringLiteral("\"%1\" is no DVD address.").arg(QString::fromUtf8(uri)));
            return MPV_ERROR_LOADING_FAILED;
        }
        try {
            auto *cookie = new Cookie{session, std::make_unique<DvdSectorStream>(*location)};
            info->cookie = cookie;
            info->read_fn = &Session::read;
            info->seek_fn = &Session::seek;
            info->size_fn = &Session::size;
            info->close_fn = &Session::close;
            return 0;
        } catch (const DvdStreamError &e) {
            session->setError(QString::fromUtf8(e.what()));
            return MPV_ERROR_LOADING_FAILED;
        }
    }

private:
    struct Cookie {
        Session *session;
        std::unique_ptr<DvdSectorStream> stream;
    };
    static int64_t read(void *cookie, char *buffer, uint64_t bytes)
    {
        auto *c = static_cast<Cookie *>(cookie);
        const int64_t n = c->stream->read(buffer, bytes);
        if (n < 0)
            c->session->setError(c->stream->readError());
        return n;
    }
    static int64_t seek(void *cookie, int64_t offset)
    {
        const int64_t at = static_cast<Cookie *>(cookie)->stream->seek(offset);
        return at < 0 ? int64_t(MPV_ERROR_GENERIC) : at;
    }
    static int64_t size(void *cookie) { return static_cast<Cookie *>(cookie)->stream->size(); }
    static void close(void *cookie) { delete static_cast<Cookie *>(cookie); }

    mutable std::mutex m_mutex;
    QString m_error;
};

MpvPlayback::MpvPlayback()
{
    KeepBigBlocksOutOfTheHeaps();
}

MpvPlayback::~MpvPlayback()
{
    stop();
}

void MpvPlayback::setWindow(quintptr window)
{
    std::setlocale(LC_NUMERIC, "C");
    const std::lock_guard lock(m_mutex);
    m_window = window;
    m_stopRequested = false;
}

void MpvPlayback::releaseWindow()
{
    const std::lock_guard lock(m_mutex);
    m_window = 0;
}

void MpvPlayback::stop()
{
    const std::lock_guard lock(m_mutex);
    m_stopRequested = true;
    if (m_handle)
        mpv_wakeup(m_handle);
}

QString MpvPlayback::play(const PlaybackRequest &request, const PlaybackEvents &events)
{
    quintptr window = 0;
    {
        const std::lock_guard lock(m_mutex);
        if (m_stopRequested)
            return {};
        window = m_window;
    }
    mpv_handle *h = mpv_create();
    if (!h)
        return MpvLibraryProblem().isEmpty() ? QStringLiteral("The player could not be started.") : MpvLibraryProblem();
    const QByteArray wid = QByteArray::number(qulonglong(window));
    if (window) {
        SetOption(h, "wid", wid.constData());
        // Drivers that draw into a foreign window; others would open a window of their own.
        const QByteArray video = FoundOutputs::instance().video();
        const QByteArray sound = FoundOutputs::instance().sound();
        SetOption(h, "vo", video.isEmpty() ? "gpu,xv,x11" : video.constData());
        // The desktop's sound servers, then the bare device; "null" once none of them worked.
        SetOption(h, "ao", sound.isEmpty() ? "pipewire,pulse,alsa" : sound.constData());
    } else {
        SetOption(h, "vo", "null");
        SetOption(h, "ao", "null");
    }
    for (const auto &[name, value] : {std::pair{"terminal", "no"}, {"config", "no"}, {"input-default-bindings", "no"},
                                      {"input-vo-keyboard", "no"}, {"input-cursor", "no"}, {"osc", "no"},
                                      {"load-scripts", "no"}, {"ytdl", "no"}, {"idle", "yes"}, {"keep-open", "no"},
                                      {"hr-seek", "yes"}, {"osd-level", "0"}, {"sub-auto", "no"},
                                      {"audio-file-auto", "no"}, {"cursor-autohide", "no"},
                                      // Enough for a panel's picture; a thread per core takes long to set up.
                                      {"vd-lavc-threads", "4"}})
        SetOption(h, name, value);
    if (mpv_initialize(h) < 0) {
        mpv_terminate_destroy(h);
        return QStringLiteral("The player could not be started.");
    }
    {
        const std::lock_guard lock(m_mutex);
        m_handle = h;
        if (m_stopRequested)
            mpv_wakeup(h);
    }
    m_position = -1.0;
    m_duration = 0.0;
    m_startAwaited = true;
    m_playing = true;
    const QString error = run(h, request, events, window != 0);
    m_playing = false;
    m_position = -1.0;
    {
        const std::lock_guard lock(m_mutex);
        m_handle = nullptr;
    }
    mpv_terminate_destroy(h);
    // What the ended player freed goes back to the system, not only to the heaps.
    malloc_trim(0);
    return error;
}

QString MpvPlayback::run(mpv_handle *h, const PlaybackRequest &request, const PlaybackEvents &events, bool shown)
{
    Session session;
    mpv_stream_cb_add_ro(h, kVtsProtocol, &session, &Session::open);
    mpv_observe_property(h, kTimePos, "time-pos", MPV_FORMAT_DOUBLE);
    mpv_observe_property(h, kDuration, "duration", MPV_FORMAT_DOUBLE);
    mpv_observe_property(h, kTrackCount, "track-list/count", MPV_FORMAT_INT64);

    const QByteArray url = QFile::encodeName(request.url);
    const QByteArray start = "start=" + QByteArray::number(request.start, 'f', 3);
    const char *load[] = {"loadfile", url.constData(), "replace", request.start > 0 ? start.constData() : nullptr,
                          nullptr};
    if (const int e = mpv_command(h, load); e < 0)
        return QString::fromUtf8(mpv_error_string(e));

    // Streams chosen by id: a DVD's subtitle is known only from its first packet, so
    // the choice is made again whenever the track list grows until it succeeded.
    bool audioChosen = request.audioId == 0;
    bool subtitleChosen = false;
    const auto chooseStreams = [&] {
        if (!subtitleChosen && request.subtitleId == 0) {
            mpv_set_property_string(h, "sid", "no");
            subtitleChosen = true;
        }
        if (audioChosen && subtitleChosen)
            return;
        mpv_node tracks;
        if (mpv_get_property(h, "track-list", MPV_FORMAT_NODE, &tracks) < 0)
            return;
        if (tracks.format == MPV_FORMAT_NODE_ARRAY) {
            for (int i = 0; i < tracks.u.list->num; ++i) {
                const mpv_node &track = tracks.u.list->values[i];
                if (track.format != MPV_FORMAT_NODE_MAP)
                    continue;
                const QByteArray type = NodeString(track.u.list, "type");
                const int64_t source = NodeInt(track.u.list, "src-id", -1);
                int64_t id = NodeInt(track.u.list, "id", 0);
                if (!audioChosen && type == "audio" && source == request.audioId) {
                    mpv_set_property(h, "aid", MPV_FORMAT_INT64, &id);
                    audioChosen = true;
                } else if (!subtitleChosen && type == "sub" && source == request.subtitleId) {
                    mpv_set_property(h, "sid", MPV_FORMAT_INT64, &id);
                    subtitleChosen = true;
                }
            }
        }
        mpv_free_node_contents(&tracks);
    };

    const bool localFile = !request.url.startsWith(QLatin1String(kVtsProtocol) + QLatin1String("://"));
    QElapsedTimer sinceFileCheck;
    sinceFileCheck.start();
    while (true) {
        const mpv_event *event = mpv_wait_event(h, -1);
        {
            const std::lock_guard lock(m_mutex);
            if (m_stopRequested)
                return {};
        }
        switch (event->event_id) {
        case MPV_EVENT_PROPERTY_CHANGE: {
            const auto *property = static_cast<const mpv_event_property *>(event->data);
            if (event->reply_userdata == kTrackCount) {
                chooseStreams();
                break;
            }
            if (property->format != MPV_FORMAT_DOUBLE)
                break;
            const double value = *static_cast<const double *>(property->data);
            if (event->reply_userdata == kDuration) {
                m_duration = value;
            } else if (event->reply_userdata == kTimePos) {
                m_position = value;
                if (events.position)
                    events.position(value);
                if (localFile && sinceFileCheck.hasExpired(kFileCheckMs)) {
                    if (!QFileInfo::exists(request.url))
                        return QStringLiteral("the file has been removed.");
                    sinceFileCheck.restart();
                }
            }
            break;
        }
        case MPV_EVENT_FILE_LOADED:
            chooseStreams();
            break;
        case MPV_EVENT_PLAYBACK_RESTART: {
            if (shown) {
                const QByteArray sound = StringProperty(h, "current-ao");
                FoundOutputs::instance().keep(StringProperty(h, "current-vo"), sound.isEmpty() ? "null" : sound);
            }
            // Only the start and a seek asked for are told: mpv also restarts
            // on its own (a stream found late, a refresh), and a clock that
            // starts again with each of those falls behind the picture.
            int paused = 0;
            mpv_get_property(h, "pause", MPV_FORMAT_FLAG, &paused);
            if (!paused && m_startAwaited.exchange(false) && events.started)
                events.started();
            break;
        }
        case MPV_EVENT_END_FILE: {
            const auto *end = static_cast<const mpv_event_end_file *>(event->data);
            const QString streamError = session.error();
            if (!streamError.isEmpty())
                return streamError;
            // Without a sound device the picture plays on its own: no reason to stop.
            if (end->reason == MPV_END_FILE_REASON_ERROR && end->error != MPV_ERROR_AO_INIT_FAILED)
                return QString::fromUtf8(mpv_error_string(end->error));
            return {};
        }
        case MPV_EVENT_SHUTDOWN:
            return {};
        default:
            break;
        }
    }
}

bool MpvPlayback::command(std::initializer_list<const char *> words)
{
    std::vector<const char *> args(words);
    args.push_back(nullptr);
    const std::lock_guard lock(m_mutex);
    if (!m_handle || !m_playing)
        return false;
    return mpv_command(m_handle, args.data()) >= 0;
}

bool MpvPlayback::togglePause()
{
    return command({"cycle", "pause"});
}

bool MpvPlayback::seek(double seconds)
{
    // mpv takes a target past the end without complaint and simply ends.
    if (!m_playing || seconds < 0 || (m_duration > 0 && seconds > m_duration))
        return false;
    const QByteArray target = QByteArray::number(seconds, 'f', 3);
    const bool awaited = m_startAwaited.exchange(true);
    const bool sought = command({"seek", target.constData(), "absolute"});
    if (!sought && !awaited)
        m_startAwaited = false;
    return sought;
}

QImage MpvPlayback::frame()
{
    const std::lock_guard lock(m_mutex);
    if (!m_handle || !m_playing)
        return {};
    const char *args[] = {"screenshot-raw", "subtitles", nullptr};
    mpv_node result;
    if (mpv_command_ret(m_handle, args, &result) < 0)
        return {};
    QImage image;
    if (result.format == MPV_FORMAT_NODE_MAP) {
        const mpv_node_list *map = result.u.list;
        const int64_t w = NodeInt(map, "w", 0);
        const int64_t hgt = NodeInt(map, "h", 0);
        const int64_t stride = NodeInt(map, "stride", 0);
        const QByteArray format = NodeString(map, "format");
        const mpv_byte_array *data = nullptr;
        for (int i = 0; i < map->num; ++i)
            if (qstrcmp(map->keys[i], "data") == 0 && map->values[i].format == MPV_FORMAT_BYTE_ARRAY)
                data = map->values[i].u.ba;
        // "bgr0" is 32-bit 0xffRRGGBB on a little-endian machine: Qt's RGB32.
        if (data && w > 0 && hgt > 0 && stride >= w * 4 && int64_t(data->size) >= stride * hgt &&
            (format == "bgr0" || format == "bgra"))
            image = QImage(static_cast<const uchar *>(data->data), int(w), int(hgt), int(stride),
                           format == "bgra" ? QImage::Format_ARGB32 : QImage::Format_RGB32)
                        .convertToFormat(QImage::Format_RGB888);
    }
    mpv_free_node_contents(&result);
    return image;
}
