#include "platform/player/mpv_preview_players.h"

#include "platform/player/mpv_playback.h"
#include "platform/player/vts_location.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <mutex>

namespace {

class MpvFilePreviewPlayer : public FilePreviewPlayer {
public:
    void InitPreviewWindow(const PreviewWindow &window) override { m_playback.setWindow(window.handle); }
    void SetEventFuntion(std::function<void(double)> event) override { m_event = std::move(event); }
    QString Play(const QString &path, double startStamp) override
    {
        PlaybackRequest request;
        request.url = path;
        request.start = startStamp;
        const QString error = m_playback.play(request, {m_event, {}});
        if (!error.isEmpty())
            return QStringLiteral("%1: %2").arg(QFileInfo(path).fileName(), error);
        return {};
    }
    void Stop() override { m_playback.stop(); }
    void Seek(double target) override { m_playback.seek(target); }
    void Pause() override { m_playback.togglePause(); }

private:
    MpvPlayback m_playback;
    std::function<void(double)> m_event;
};

class MpvDvdPreviewPlayer : public DvdPreviewPlayer {
public:
    void InitPreviewWindow(const PreviewWindow &window) override { m_playback.setWindow(window.handle); }
    void SetEventFuntion(std::function<void()> event) override { m_event = std::move(event); }
    QString Play(const QString &address) override
    {
        const auto location = ParseVtsLocation(address);
        if (!location)
            return QStringLiteral("\"%1\" is no DVD address.").arg(address);
        {
            const std::lock_guard lock(m_mutex);
            m_location = *location;
        }
        PlaybackRequest request;
        request.url = address;
        request.audioId = location->audioId;
        request.subtitleId = location->subtitleId;
        return m_playback.play(request, {{}, m_event});
    }
    void Pause() override { m_playback.togglePause(); }
    void Stop() override { m_playback.stop(); }
    int32_t Seek(int32_t seconds) override { return m_playback.seek(seconds) ? 0 : -1; }
    void GetBeginLBA(int32_t *sector) override
    {
        if (!m_playback.playing()) {
            *sector = -1;
            return;
        }
        VtsLocation location;
        {
            const std::lock_guard lock(m_mutex);
            location = m_location;
        }
        // The sector is placed by time across the range, which suits the
        // disc's nearly constant rate.
        const double position = m_playback.position();
        const double duration = m_playback.duration();
        const double share = position > 0 && duration > 0 ? std::clamp(position / duration, 0.0, 1.0) : 0.0;
        *sector = location.startSector + int32_t(std::llround(share * (location.endSector - location.startSector)));
    }
    bool CatchPicture(const QString &path) override
    {
        const QImage frame = m_playback.frame();
        return !frame.isNull() && frame.save(path, "BMP");
    }
    void DestroyPreviewWindow() override { m_playback.releaseWindow(); }

private:
    MpvPlayback m_playback;
    std::function<void()> m_event;
    std::mutex m_mutex; // m_location is written on the play thread, read on the window's
    VtsLocation m_location;
};

} // namespace

std::unique_ptr<FilePreviewPlayer> MakeMpvFilePreviewPlayer()
{
    return std::make_unique<MpvFilePreviewPlayer>();
}

std::unique_ptr<DvdPreviewPlayer> MakeMpvDvdPreviewPlayer()
{
    return std::make_unique<MpvDvdPreviewPlayer>();
}
