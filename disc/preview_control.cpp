#include "disc/preview_control.h"

#include "disc/ifo_titles.h"
#include "disc/video_play_worker.h"
#include "engine/engine_state.h"
#include "engine/language_texts.h"
#include "engine/source_list.h"
#include "engine/text_helpers.h"
#include "engine/vts_address.h"
#include "platform/dialogs/dialogs.h"

#include <QFileInfo>
#include <QScopeGuard>
#include <algorithm>
#include <cmath>

namespace {

const QString kStatusPlay = QStringLiteral("Play");
const QString kStatusDvdPlay = QStringLiteral("play");
const QString kStatusPause = QStringLiteral("Pause");
const QString kStatusStop = QStringLiteral("Stop");
const QString kPlayBar = QStringLiteral("play_bar");
const QString kCutPlayBar = QStringLiteral("cut_play_bar");
const QString kZeroTime = QStringLiteral("00:00:00");

// How long a stopped player may take to return from Play before its worker is set aside.
constexpr unsigned long kJoinMs = 3000;

int32_t RoundStamp(double stamp)
{
    return int32_t(std::lround(stamp));
}

} // namespace

PreviewControl::PreviewControl(DiscState &disc, EngineState &engine, SourceList &list, const LanguageTexts &texts,
                               Dialogs &dialogs, std::unique_ptr<FilePreviewPlayer> filePlayer,
                               std::unique_ptr<DvdPreviewPlayer> dvdPlayer, PreviewHooks hooks, QObject *parent)
    : QObject(parent), m_disc(disc), m_engine(engine), m_list(list), m_texts(texts), m_dialogs(dialogs),
      m_filePlayer(std::move(filePlayer)), m_dvdPlayer(std::move(dvdPlayer)), m_hooks(std::move(hooks))
{
    m_dvdClock.setInterval(kClockMs);
    m_fileClock.setInterval(kClockMs);
    m_timer1.setInterval(kTimer1Ms);
    connect(&m_dvdClock, &QTimer::timeout, this, &PreviewControl::play_timeTimer);
    connect(&m_fileClock, &QTimer::timeout, this, &PreviewControl::BluRayplay_timeTimer);
    connect(&m_timer1, &QTimer::timeout, this, &PreviewControl::Timer1Timer);
}

PreviewControl::~PreviewControl()
{
    m_filePlayer->Stop();
    m_dvdPlayer->Stop();
    if (m_worker)
        m_worker->wait();
    for (auto &worker : m_stuck)
        worker->wait();
}

void PreviewControl::call(const std::function<void()> &hook) const
{
    if (hook)
        hook();
}

bool PreviewControl::fileMode() const
{
    return m_engine.sourceMode == SourceMode::FileRows;
}

QString PreviewControl::playTimeText() const
{
    return m_hooks.playTimeText ? m_hooks.playTimeText() : QString();
}

void PreviewControl::message(const QString &text) const
{
    m_dialogs.message(MessageKind::Warning, text);
}

void PreviewControl::setRowStatus(const QString &text)
{
    if (m_disc.PreviewRow >= 0 && m_disc.PreviewRow < m_list.rowCount())
        m_list.setStatus(m_disc.PreviewRow, text);
}

int32_t PreviewControl::fileSeconds() const
{
    if (m_disc.PreviewRow < 0 || m_disc.PreviewRow >= m_list.rowCount())
        return 0;
    return HmsToSeconds(m_list.row(m_disc.PreviewRow).subItems[SourceRow::OriginalTime]);
}

int32_t PreviewControl::dvdSeconds() const
{
    return int32_t(m_list.convertInfo().value(m_disc.PreviewRow).length);
}

bool PreviewControl::workerRunning() const
{
    if (m_worker && m_worker->isRunning())
        return true;
    return std::any_of(m_stuck.begin(), m_stuck.end(), [](const auto &w) { return w->isRunning(); });
}

void PreviewControl::StartPreview()
{
    if (fileMode())
        StartFilePreview();
    else
        StartDvdPreview();
}

void PreviewControl::StartFilePreview()
{
    if (m_list.rowCount() == 0)
        return;
    if (m_list.selectedRow() < 0)
        m_list.selectOnly(0);
    if (m_engine.converting) {
        message(m_texts.LoadLanguageLine(kConvertingLine));
        return;
    }
    if (m_engine.previewing)
        return;

    // The panel shows the row that plays: its total, and the marks set on it.
    call(m_hooks.showSelectedRow);
    m_engine.previewing = true;
    m_dvdPreview = false;
    if (m_hooks.showPreviewPanel)
        m_hooks.showPreviewPanel(true);
    m_disc.PreviewRow = m_list.selectedRow();
    call(m_hooks.updateControlStates);
    m_disc.PreviewOffset = 0;
    m_disc.PreviewPosition = 0;
    m_disc.PreviewBase = 0;
    setRowStatus(kStatusPlay);
    if (m_hooks.setPlayBarPosition)
        m_hooks.setPlayBarPosition(0);
    call(m_hooks.showPlayHint);
    // The window may have been closed while the hint was up.
    if (!m_engine.previewing)
        return;
    PlayFilePreview(m_list.originalInfo().value(m_disc.PreviewRow).path, 0.0);
}

void PreviewControl::PlayFilePreview(const QString &path, double startStamp)
{
    if (m_hooks.showPreviewPanel)
        m_hooks.showPreviewPanel(true);
    m_filePlayer->InitPreviewWindow(m_hooks.previewWindow ? m_hooks.previewWindow() : PreviewWindow{});
    const quint64 generation = ++m_generation;
    m_filePlayer->SetEventFuntion([this, generation](double stamp) { OnFilePreviewEvent(generation, stamp); });
    // A fresh start; a restart has set the stamps up itself.
    if (startStamp <= 0.0) {
        m_disc.PreviewOffset = 0;
        m_stamp = 0.0;
        m_firstStamp = 0.0;
        m_disc.StampPending = 1;
    }
    setRowStatus(kStatusPlay);
    m_disc.PlayAddress = path;
    m_engine.previewing = true;
    call(m_hooks.updateControlStates);
    startWorker([this, generation, path, startStamp] {
        const QString error = m_filePlayer->Play(path, startStamp);
        QMetaObject::invokeMethod(
            this, [this, generation, error] { fileWorkerEnded(generation, error); }, Qt::QueuedConnection);
    });
}

void PreviewControl::StartDvdPreview()
{
    if (m_list.rowCount() == 0)
        return;
    if (m_list.selectedRow() < 0)
        m_list.selectOnly(FindLongestTitle(m_list));
    if (m_engine.converting) {
        message(m_texts.LoadLanguageLine(kConvertingLine));
        return;
    }
    if (m_disc.PreviewPaused)
        TogglePreviewPause();
    if (m_engine.previewing)
        return;

    call(m_hooks.showSelectedRow);
    m_engine.previewing = true;
    m_dvdPreview = true;
    if (m_hooks.showPreviewPanel)
        m_hooks.showPreviewPanel(true);
    m_disc.PreviewRow = m_list.selectedRow();
    m_disc.PreviewPosition = 0;
    setRowStatus(kStatusDvdPlay);
    m_dvdPlayer->InitPreviewWindow(m_hooks.previewWindow ? m_hooks.previewWindow() : PreviewWindow{});
    const quint64 generation = ++m_generation;
    m_dvdPlayer->SetEventFuntion([this, generation] { OnDvdPreviewEvent(generation); });
    // The whole row plays from its first picture, whatever its cut marks.
    const TConvertInfo dvd = m_list.convertInfo().value(m_disc.PreviewRow);
    ClipRange row;
    row.startSector = dvd.startSector - dvd.leadSectors;
    row.endSector = dvd.endSector;
    m_disc.PlayAddress = VtsAddress(dvd, row);
    const QString address = m_disc.PlayAddress;
    startWorker([this, generation, address] {
        const QString error = m_dvdPlayer->Play(address);
        m_dvdPlayer->DestroyPreviewWindow();
        QMetaObject::invokeMethod(
            this, [this, generation, error] { dvdWorkerEnded(generation, error); }, Qt::QueuedConnection);
    });
    call(m_hooks.updateControlStates);
}

void PreviewControl::startWorker(std::function<void()> execute)
{
    joinWorkers();
    // The old player has gone quiet: the next stamp switches the clock on again.
    m_fileEventPosted = false;
    m_worker = std::make_unique<TVideoplay>(std::move(execute));
    m_worker->start();
}

void PreviewControl::joinWorkers()
{
    if (m_worker && !m_worker->wait(kJoinMs))
        m_stuck.push_back(std::move(m_worker));
    m_worker.reset();
    std::erase_if(m_stuck, [](const auto &w) { return w->isFinished(); });
}

void PreviewControl::OnFilePreviewEvent(quint64 generation, double stamp)
{
    m_stamp = stamp;
    // The base is the first positive stamp itself: by the clock's first tick a
    // second has played, and a base taken then would show the file a second late.
    double none = 0.0;
    if (stamp > 0.0)
        m_firstStamp.compare_exchange_strong(none, stamp);
    // The clock needs switching on once; the stamps themselves are only stored.
    if (m_fileEventPosted.exchange(true))
        return;
    QMetaObject::invokeMethod(
        this,
        [this, generation] {
            if (generation != m_generation || !m_engine.previewing)
                return;
            if (m_hooks.showPlayBar)
                m_hooks.showPlayBar(true);
            m_fileClock.start();
        },
        Qt::QueuedConnection);
}

void PreviewControl::OnDvdPreviewEvent(quint64 generation)
{
    QMetaObject::invokeMethod(
        this,
        [this, generation] {
            // A running clock keeps its beat: started again it would drop the
            // part of a second already played and fall behind the picture.
            if (generation != m_generation || !m_engine.previewing || m_disc.PreviewPaused || m_dvdClock.isActive())
                return;
            if (m_hooks.showPlayBar)
                m_hooks.showPlayBar(true);
            startDvdClock(0);
        },
        Qt::QueuedConnection);
}

void PreviewControl::fileWorkerEnded(quint64 generation, const QString &error)
{
    if (generation != m_generation)
        return;
    const QString path = m_disc.PlayAddress;
    if (m_engine.previewing)
        StopPreview();
    if (!error.isEmpty())
        message(m_texts.Lug(QStringLiteral("MessageDlg"), QStringLiteral("The preview could not go on:")) +
                QStringLiteral("\n") + error);
    else if (!QFileInfo::exists(path))
        message(m_texts.Lug(QStringLiteral("MessageDlg"), QStringLiteral("The file of the preview is gone:")) +
                QStringLiteral("\n") + path);
}

void PreviewControl::dvdWorkerEnded(quint64 generation, const QString &error)
{
    if (generation != m_generation)
        return;
    setRowStatus(kStatusStop);
    // The clock ends a preview whose player has ended; with the clock off (no
    // event came, or a seek or pause stopped it) nothing else would.
    if (m_engine.previewing && (!m_dvdClock.isActive() || !error.isEmpty()))
        StopPreview();
    if (!error.isEmpty())
        message(m_texts.Lug(QStringLiteral("MessageDlg"), QStringLiteral("The preview could not go on:")) +
                QStringLiteral("\n") + error);
}

void PreviewControl::showPosition(int32_t position, int32_t length)
{
    if (m_hooks.setPlayTime)
        m_hooks.setPlayTime(SecondsToHms(position));
    const int bar = length > 0 ? MulDiv(position, 10000, length) : 0;
    if (m_hooks.setPlayBarSlider)
        m_hooks.setPlayBarSlider(bar);
    if (m_hooks.setPlayBarPosition)
        m_hooks.setPlayBarPosition(bar);
}

void PreviewControl::BluRayplay_timeTimer()
{
    const double stamp = m_stamp;
    const double first = m_firstStamp;
    if (m_disc.StampPending && first > 0.0) {
        m_disc.StampPending = 0;
        m_disc.PreviewBase = RoundStamp(first);
    }
    m_disc.PreviewPosition = std::max(0, RoundStamp(stamp) - m_disc.PreviewBase + m_disc.PreviewOffset);
    if (m_hooks.playBarDragging && m_hooks.playBarDragging())
        return;
    // A file of unknown length is ended by its player alone.
    const int32_t d = fileSeconds();
    if (d > 0 && d <= m_disc.PreviewPosition) {
        StopPreview();
        return;
    }
    showPosition(m_disc.PreviewPosition, d);
}

void PreviewControl::startDvdClock(qint64 playedMs)
{
    m_dvdTickPlayedMs = playedMs;
    m_sinceDvdTick.start();
    m_dvdClock.start(int(std::max<qint64>(1, kClockMs - playedMs)));
}

qint64 PreviewControl::dvdSecondPlayedMs() const
{
    return std::min<qint64>(kClockMs - 1, m_dvdTickPlayedMs + m_sinceDvdTick.elapsed());
}

void PreviewControl::play_timeTimer()
{
    // A second resumed part-way ends here; the next ones are whole again.
    m_dvdTickPlayedMs = 0;
    m_sinceDvdTick.start();
    if (m_dvdClock.interval() != kClockMs)
        m_dvdClock.setInterval(kClockMs);
    m_disc.PreviewPosition += 1;
    int32_t sector = -1;
    m_dvdPlayer->GetBeginLBA(&sector);
    if (sector < 0) {
        StopPreview();
        return;
    }
    if (m_hooks.playBarDragging && m_hooks.playBarDragging())
        return;
    const int32_t length = dvdSeconds();
    if (m_disc.PreviewPosition >= length) {
        StopPreview();
        return;
    }
    showPosition(m_disc.PreviewPosition, length);
}

void PreviewControl::Timer1Timer()
{
    m_timer1.stop();
    StopPreview();
}

void PreviewControl::Skin1MouseUp(const QString &name)
{
    if (m_engine.converting)
        return;
    if (name == kPlayBar && m_engine.previewing) {
        const int pos = m_hooks.playBarSlider ? m_hooks.playBarSlider() : 0;
        if (!m_dvdPreview) {
            // The time shown follows the picture at once, paused or not: the
            // clock (off while paused) and the marks and snapshot read it.
            const int32_t target = MulDiv(pos, fileSeconds(), 10000);
            m_filePlayer->Seek(target + m_disc.PreviewBase);
            m_disc.PreviewPosition = target;
            if (m_hooks.setPlayTime)
                m_hooks.setPlayTime(SecondsToHms(target));
            if (m_hooks.setPlayBarPosition)
                m_hooks.setPlayBarPosition(pos);
        } else if (m_dvdClock.isActive()) {
            m_dvdClock.stop();
            const int32_t length = dvdSeconds();
            m_disc.PreviewPosition = std::max(1, MulDiv(pos, length, 10000));
            if (m_disc.PreviewPosition > length || m_dvdPlayer->Seek(m_disc.PreviewPosition) < 0)
                StopPreview();
            else if (m_hooks.setPlayBarPosition)
                m_hooks.setPlayBarPosition(pos);
        }
    }
    if ((name == kPlayBar || name == kCutPlayBar) && m_hooks.endPlayBarDrag)
        m_hooks.endPlayBarDrag();
}

void PreviewControl::step(int seconds, const QString &button)
{
    if (!m_engine.previewing)
        return;
    const auto setEnabled = [this, &button](bool enabled) {
        if (m_hooks.setButtonEnabled)
            m_hooks.setButtonEnabled(button, enabled);
    };
    setEnabled(false);
    // Back on at the end, unless the step ended the preview and the control states took the button over.
    const auto enableAgain = qScopeGuard([&] {
        if (m_engine.previewing)
            setEnabled(true);
    });
    const int32_t t = HmsToSeconds(playTimeText());
    const int32_t target = t + seconds;
    if (seconds < 0 && target < 1)
        return;
    if (seconds > 0 && target >= (m_dvdPreview ? dvdSeconds() : fileSeconds()))
        return;
    if (m_dvdPreview) {
        m_disc.PreviewPosition = target;
        m_dvdClock.stop();
        if (m_dvdPlayer->Seek(target) < 0)
            StopPreview();
        return;
    }
    restartFilePreview(target);
}

void PreviewControl::restartFilePreview(int32_t position)
{
    m_filePlayer->Stop();
    m_fileClock.stop();
    joinWorkers();
    // The restarted player goes on from the new position in the same stamps,
    // so the base that Seek adds stays, and the stamps carry the position.
    m_disc.StampPending = 0;
    m_disc.PreviewOffset = 0;
    m_disc.PreviewPosition = position;
    const double start = double(position) + m_disc.PreviewBase;
    m_stamp = start;
    if (m_disc.PreviewPaused) {
        m_disc.PreviewPaused = 0;
        setRowStatus(kStatusPlay);
    }
    showPosition(position, fileSeconds());
    PlayFilePreview(m_disc.PlayAddress, start);
}

void PreviewControl::TogglePreviewPause()
{
    if (!m_engine.previewing)
        return;
    m_disc.PreviewPaused = !m_disc.PreviewPaused;
    if (m_dvdPreview) {
        m_dvdPlayer->Pause();
        // The clock goes on from where in its second it stood: each pause
        // would otherwise drop a part of a second from the time shown.
        if (m_disc.PreviewPaused) {
            m_dvdPausedMs = m_dvdClock.isActive() ? dvdSecondPlayedMs() : 0;
            m_dvdClock.stop();
        } else {
            startDvdClock(m_dvdPausedMs);
        }
    } else {
        m_filePlayer->Pause();
        // The position of the pause shows at once and stays until the resume.
        if (m_disc.PreviewPaused) {
            if (m_fileClock.isActive())
                BluRayplay_timeTimer();
            m_fileClock.stop();
        } else if (m_fileEventPosted) {
            m_fileClock.start();
        }
        // That last tick may have reached the file's end and stopped the preview.
        if (!m_engine.previewing)
            return;
    }
    setRowStatus(m_disc.PreviewPaused ? kStatusPause : kStatusPlay);
}

void PreviewControl::StopPreview()
{
    if (!m_engine.previewing)
        return;
    if (m_dvdPreview)
        m_dvdPlayer->Stop();
    else
        m_filePlayer->Stop();
    m_engine.previewing = false;
    m_disc.PreviewPaused = 0;
    m_dvdClock.stop();
    m_fileClock.stop();
    if (m_hooks.showPreviewPanel)
        m_hooks.showPreviewPanel(false);
    if (m_hooks.setPlayBarSlider)
        m_hooks.setPlayBarSlider(0);
    if (m_hooks.setPlayBarPosition)
        m_hooks.setPlayBarPosition(0);
    if (m_hooks.setPlayTime)
        m_hooks.setPlayTime(kZeroTime);
    if (m_hooks.showPlayBar)
        m_hooks.showPlayBar(false);
    call(m_hooks.updateControlStates);
    if (m_list.rowCount() > 0)
        setRowStatus(kStatusStop);
    // The selection may have moved while the preview played.
    call(m_hooks.showSelectedRow);
    joinWorkers();
}
