#pragma once

// The two preview players as the preview control uses them: the file player
// ("myPreview.dll") and the DVD player ("Preview.dll"). The platform provides
// them over libmpv; tests give recording ones. Play blocks on the caller's
// (worker) thread; every other call comes from the user-interface thread. The
// event functions are called on the player's own thread while Play runs.

#include <QString>
#include <cstdint>
#include <functional>

// The native window the video is drawn into; 0 when there is no display.
struct PreviewWindow {
    quintptr handle = 0;
    int width = 0;
    int height = 0;
};

class FilePreviewPlayer {
public:
    virtual ~FilePreviewPlayer() = default;

    // Draws into that window from the next Play on; also forgets a Stop given
    // before that Play began.
    virtual void InitPreviewWindow(const PreviewWindow &window) = 0;
    // Called with the current time stamp in seconds while playing.
    virtual void SetEventFuntion(std::function<void(double stamp)> event) = 0;
    // Plays the file from startStamp (in the time-stamp domain) until its end
    // or Stop. Returns why it could not play on; empty when it ended or was stopped.
    virtual QString Play(const QString &path, double startStamp) = 0;
    virtual void Stop() = 0;
    // Target in the time-stamp domain.
    virtual void Seek(double target) = 0;
    // Pauses, or resumes a paused file.
    virtual void Pause() = 0;
};

class DvdPreviewPlayer {
public:
    virtual ~DvdPreviewPlayer() = default;

    virtual void InitPreviewWindow(const PreviewWindow &window) = 0;
    // Called once playback has started and again after every Seek.
    virtual void SetEventFuntion(std::function<void()> event) = 0;
    // Plays the "vts://" address until its end or Stop; returns as the file player's.
    virtual QString Play(const QString &address) = 0;
    // Pauses, or resumes.
    virtual void Pause() = 0;
    virtual void Stop() = 0;
    // Seconds from the start of the row; negative when that cannot be played.
    virtual int32_t Seek(int32_t seconds) = 0;
    // The sector being played; negative once Play has returned.
    virtual void GetBeginLBA(int32_t *sector) = 0;
    // Writes the frame on screen to that file as a BMP picture; false when
    // there was no frame to write or the file could not be written.
    virtual bool CatchPicture(const QString &path) = 0;
    // Releases the player's window after Play returned.
    virtual void DestroyPreviewWindow() = 0;
};
