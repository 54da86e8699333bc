#pragma once

// One libmpv player that plays one address at a time: the engine of both
// preview players. play() blocks on the caller's thread and creates the mpv
// instance there, so every instance ends with its play() call; the other
// calls come from any thread and act on the instance while one exists.
// Addresses "vts://..." are read through a custom stream over libdvdread.

#include <QImage>
#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>

struct mpv_handle;

struct PlaybackRequest {
    QString url;        // a file path or a "vts://" address
    double start = 0.0; // seconds; 0: from the beginning
    int audioId = 0;    // stream id of the demuxer (0x80); 0: mpv's own choice
    int subtitleId = 0; // 0: none
};

struct PlaybackEvents {
    std::function<void(double position)> position; // each new play position while playing
    std::function<void()> started;                 // playback started unpaused: once at the start, once after each seek()
};

class MpvPlayback {
public:
    MpvPlayback();
    ~MpvPlayback();
    MpvPlayback(const MpvPlayback &) = delete;
    MpvPlayback &operator=(const MpvPlayback &) = delete;

    // The native window to draw into from the next play() on; 0: no video
    // and no sound output at all (headless). Forgets an earlier stop().
    // Sets LC_NUMERIC to "C", as libmpv requires: call it on the thread that
    // owns the locale (the user-interface thread).
    void setWindow(quintptr window);
    // Forgets the window (its video output went with the last play()).
    void releaseWindow();

    // Plays until the end, an error or stop(). Returns the reason it could
    // not play on; empty when it ended or was stopped.
    QString play(const PlaybackRequest &request, const PlaybackEvents &events);
    // Ends the running play() (or the next one, until setWindow()).
    void stop();

    bool playing() const { return m_playing; }
    // Seconds; negative while nothing plays or the position is not known yet.
    double position() const { return m_position; }
    // Seconds; 0 while not known.
    double duration() const { return m_duration; }

    bool togglePause();
    // False when nothing plays or the target lies outside 0..duration.
    bool seek(double seconds);
    // The frame on screen with its subtitle, at the video's own size; a null
    // image when there is none.
    QImage frame();

private:
    class Session;
    // shown: with a window, whose outputs are kept for the next plays.
    QString run(mpv_handle *h, const PlaybackRequest &request, const PlaybackEvents &events, bool shown);
    bool command(std::initializer_list<const char *> words);

    quintptr m_window = 0;
    mutable std::mutex m_mutex; // guards m_handle and m_stopRequested against the play thread
    mpv_handle *m_handle = nullptr;
    bool m_stopRequested = false;
    std::atomic<bool> m_playing{false};
    std::atomic<double> m_position{-1.0};
    std::atomic<double> m_duration{0.0};
    std::atomic<bool> m_startAwaited{false}; // the next unpaused restart is the start or a seek's
};
