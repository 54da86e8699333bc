#pragma once

// The preview of a source row in the main window's panel: file rows through
// the file player, DVD rows through the DVD player, each Play on a worker
// thread of its own. The position shows in "play_time" and on "play_bar",
// moved by a one-second clock per mode (play_time for DVDs, BluRayplay_time
// for files) that also ends the preview at the row's length. The play bar
// seeks, the 30-s steps jump, Pause pauses and Stop ends it.
//
// Threads: the players call the event functions on their own thread; those
// only store the stamp and post the rest here. The worker posts its end steps
// too. Everything else runs on the user-interface thread.

#include "disc/disc_state.h"
#include "platform/player/preview_players.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class Dialogs;
class LanguageTexts;
class SourceList;
class TVideoplay;
struct EngineState;
enum class SourceMode;

// What the preview shows and asks of the window; an empty hook is skipped.
struct PreviewHooks {
    std::function<void()> updateControlStates;
    std::function<void(bool visible)> showPreviewPanel; // pl_play, redrawn
    std::function<PreviewWindow()> previewWindow;       // pl_play's native window and size
    std::function<QString()> playTimeText;              // "play_time"
    std::function<void(const QString &)> setPlayTime;   // and redraw it
    std::function<int()> playBarSlider;                 // "play_bar", 0 to 10000
    std::function<void(int)> setPlayBarSlider;          // and redraw it
    std::function<void(bool visible)> showPlayBar;      // "play_bar", redrawn
    std::function<void(int)> setPlayBarPosition;        // SetPlayBarPosition
    std::function<bool()> playBarDragging;
    std::function<void()> endPlayBarDrag;
    std::function<void(const QString &button, bool enabled)> setButtonEnabled;
    // The list's click on its selected row: that row's times, marks and streams.
    std::function<void()> showSelectedRow;
    // The play hint before a file preview, modal, when "Skin.ini" [play] hint asks for it.
    std::function<void()> showPlayHint;
};

class PreviewControl : public QObject {
    Q_OBJECT
public:
    static constexpr int kClockMs = 1000;
    static constexpr int kTimer1Ms = 10;
    static constexpr int kStepSeconds = 30;

    PreviewControl(DiscState &disc, EngineState &engine, SourceList &list, const LanguageTexts &texts,
                   Dialogs &dialogs, std::unique_ptr<FilePreviewPlayer> filePlayer,
                   std::unique_ptr<DvdPreviewPlayer> dvdPlayer, PreviewHooks hooks, QObject *parent = nullptr);
    // Stops a running preview and joins its worker: nothing plays on after the window.
    ~PreviewControl() override;

    // bt_play, by the source mode.
    void StartPreview();
    void StartFilePreview();
    void StartDvdPreview();
    void StopPreview();
    void TogglePreviewPause();
    void SeekPreviewBack() { step(-kStepSeconds, QStringLiteral("bt_back")); }
    void SeekPreviewForward() { step(kStepSeconds, QStringLiteral("bt_next")); }
    // A mouse release on the skin object of that name.
    void Skin1MouseUp(const QString &name);

    // The clocks' ticks.
    void BluRayplay_timeTimer();
    void play_timeTimer();
    void Timer1Timer();

    const QTimer &play_time() const { return m_dvdClock; }
    const QTimer &BluRayplay_time() const { return m_fileClock; }
    const QTimer &Timer1() const { return m_timer1; }
    // The stamp the file player reported last.
    double PreviewStamp() const { return m_stamp; }
    // A worker whose Play call has not returned yet.
    bool workerRunning() const;

    // For the cut marks and the snapshot.
    DvdPreviewPlayer &dvdPlayer() const { return *m_dvdPlayer; }
    QString playTimeText() const;

private:
    void PlayFilePreview(const QString &path, double startStamp);
    void restartFilePreview(int32_t position);
    void startWorker(std::function<void()> execute);
    void joinWorkers();
    void fileWorkerEnded(quint64 generation, const QString &error);
    void dvdWorkerEnded(quint64 generation, const QString &error);
    void OnFilePreviewEvent(quint64 generation, double stamp);
    void OnDvdPreviewEvent(quint64 generation);
    void step(int seconds, const QString &button);
    void showPosition(int32_t position, int32_t length);
    // Starts the DVD clock with `playedMs` of its current second already played.
    void startDvdClock(qint64 playedMs);
    qint64 dvdSecondPlayedMs() const;
    void setRowStatus(const QString &text);
    int32_t fileSeconds() const; // the previewed file row's duration
    int32_t dvdSeconds() const;  // the previewed DVD row's length
    bool fileMode() const;
    void message(const QString &text) const;
    void call(const std::function<void()> &hook) const;

    DiscState &m_disc;
    EngineState &m_engine;
    SourceList &m_list;
    const LanguageTexts &m_texts;
    Dialogs &m_dialogs;
    std::unique_ptr<FilePreviewPlayer> m_filePlayer;
    std::unique_ptr<DvdPreviewPlayer> m_dvdPlayer;
    PreviewHooks m_hooks;

    QTimer m_dvdClock;  // play_time
    QTimer m_fileClock; // BluRayplay_time
    QTimer m_timer1;
    QElapsedTimer m_sinceDvdTick;  // since the DVD clock's last tick or start
    qint64 m_dvdTickPlayedMs = 0;  // of the current second, played before that start
    qint64 m_dvdPausedMs = 0;      // of the current second, played when the pause came
    bool m_dvdPreview = false; // the running preview plays a DVD row
    std::atomic<double> m_stamp{0.0};
    std::atomic<double> m_firstStamp{0.0}; // the first positive stamp of a fresh start; 0: none yet
    std::atomic<bool> m_fileEventPosted{false}; // the file clock's start is on its way
    quint64 m_generation = 0; // counts previews and restarts; older workers and events are ignored
    std::unique_ptr<TVideoplay> m_worker;
    std::vector<std::unique_ptr<TVideoplay>> m_stuck; // workers that did not end in time
};
