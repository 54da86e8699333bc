#pragma once

// Recording preview players: every call is logged; Play blocks on the worker
// thread like the real ones until Stop or until the test ends it, and runs
// what the test hands it on that thread (events, as the real players send them).

#include "platform/player/preview_players.h"

#include <QStringList>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace fake_players {

class PlayLoop {
public:
    // Runs on the thread that is inside Play, or at once when none is.
    void onPlayThread(std::function<void()> action)
    {
        const std::lock_guard lock(m_mutex);
        m_actions.push_back(std::move(action));
        m_wake.notify_all();
    }
    // Ends the running Play (or the next one) with that result.
    void finish(const QString &result = {})
    {
        const std::lock_guard lock(m_mutex);
        m_finished = true;
        m_result = result;
        m_wake.notify_all();
    }
    void stop()
    {
        const std::lock_guard lock(m_mutex);
        m_stopped = true;
        m_wake.notify_all();
    }
    void arm()
    {
        const std::lock_guard lock(m_mutex);
        m_stopped = false;
    }
    bool playing() const
    {
        const std::lock_guard lock(m_mutex);
        return m_playing;
    }
    // Blocks as a player's Play does.
    QString play()
    {
        std::unique_lock lock(m_mutex);
        m_playing = true;
        while (true) {
            while (!m_actions.empty()) {
                auto action = std::move(m_actions.front());
                m_actions.pop_front();
                lock.unlock();
                action();
                lock.lock();
            }
            if (m_stopped || m_finished)
                break;
            m_wake.wait(lock);
        }
        m_playing = false;
        const QString result = m_finished ? m_result : QString();
        m_finished = false;
        m_result.clear();
        return result;
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_actions;
    bool m_stopped = false;
    bool m_finished = false;
    bool m_playing = false;
    QString m_result;
};

// The calls in order, readable from any thread.
class CallLog {
public:
    void add(const QString &call)
    {
        const std::lock_guard lock(m_mutex);
        m_calls << call;
    }
    QStringList calls() const
    {
        const std::lock_guard lock(m_mutex);
        return m_calls;
    }
    QStringList take()
    {
        const std::lock_guard lock(m_mutex);
        QStringList out;
        out.swap(m_calls);
        return out;
    }

private:
    mutable std::mutex m_mutex;
    QStringList m_calls;
};

class FakeFilePlayer : public FilePreviewPlayer {
public:
    CallLog log;
    PlayLoop loop;
    std::function<void(double)> event;
    std::function<void()> onPlayReturn; // on the worker, as Play returns

    void InitPreviewWindow(const PreviewWindow &w) override
    {
        log.add(QString("Init %1 %2x%3").arg(w.handle).arg(w.width).arg(w.height));
        loop.arm();
    }
    void SetEventFuntion(std::function<void(double)> e) override { event = std::move(e); }
    QString Play(const QString &path, double start) override
    {
        log.add(QString("Play %1 from %2").arg(path).arg(start));
        const QString result = loop.play();
        if (onPlayReturn)
            onPlayReturn();
        return result;
    }
    void Stop() override
    {
        log.add("Stop");
        loop.stop();
    }
    void Seek(double target) override { log.add(QString("Seek %1").arg(target)); }
    void Pause() override { log.add("Pause"); }

    // A stamp sent from inside Play, as the real player does.
    void stamp(double value)
    {
        loop.onPlayThread([this, value] { event(value); });
    }
};

class FakeDvdPlayer : public DvdPreviewPlayer {
public:
    CallLog log;
    PlayLoop loop;
    std::function<void()> event;
    int32_t sector = 1000;      // what GetBeginLBA gives while playing
    int32_t seekResult = 0;
    bool pictureWritten = true;

    void InitPreviewWindow(const PreviewWindow &w) override
    {
        log.add(QString("Init %1 %2x%3").arg(w.handle).arg(w.width).arg(w.height));
        loop.arm();
    }
    void SetEventFuntion(std::function<void()> e) override { event = std::move(e); }
    QString Play(const QString &address) override
    {
        log.add("Play " + address);
        return loop.play();
    }
    void Pause() override { log.add("Pause"); }
    void Stop() override
    {
        log.add("Stop");
        loop.stop();
    }
    int32_t Seek(int32_t seconds) override
    {
        log.add(QString("Seek %1").arg(seconds));
        return seekResult;
    }
    void GetBeginLBA(int32_t *s) override { *s = loop.playing() ? sector : -1; }
    bool CatchPicture(const QString &path) override
    {
        log.add("CatchPicture " + path);
        return pictureWritten;
    }
    void DestroyPreviewWindow() override { log.add("DestroyPreviewWindow"); }

    void started()
    {
        loop.onPlayThread([this] { event(); });
    }
};

} // namespace fake_players
