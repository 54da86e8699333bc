#include "engine/dvd_conversion.h"

#include "engine/conversion_queue.h"
#include "engine/encoder_command_line.h"
#include "engine/encoder_progress.h"
#include "engine/engine_state.h"
#include "engine/language_texts.h"
#include "engine/settings_model.h"
#include "engine/source_list.h"
#include "engine/text_helpers.h"
#include "engine/vts_address.h"
#include "platform/dialogs/dialogs.h"
#include "platform/shell/shell.h"

#include <QDir>
#include <QFileInfo>
#include <cmath>
#include <exception>
#include <limits>
#include <utility>

namespace {

constexpr int kLineReady = 25;

} // namespace

DvdConversion::DvdConversion(EngineState &state, SourceList &list, const SettingsModel &settings,
                             const LanguageTexts &texts, Dialogs &dialogs, Shell &shell, DvdRunDisplay &display,
                             EncoderRunnerFactory runners, QString programFolder, DvdRunHooks hooks, QObject *parent)
    : QObject(parent), m_state(state), m_list(list), m_settings(settings), m_texts(texts), m_dialogs(dialogs),
      m_shell(shell), m_display(display), m_runners(std::move(runners)), m_programFolder(std::move(programFolder)),
      m_hooks(std::move(hooks))
{
    m_timer2.setInterval(kTimerMs);
    m_convertUsed.setInterval(kTimerMs);
    connect(&m_timer2, &QTimer::timeout, this, &DvdConversion::Timer2Timer);
    connect(&m_convertUsed, &QTimer::timeout, this, &DvdConversion::Convert_usedTimer);
}

DvdConversion::~DvdConversion()
{
    // Nothing may outlive the window it reports to.
    if (m_runner)
        m_runner->terminate();
    for (auto &runner : m_stopping)
        runner->terminate();
}

int DvdConversion::liveEncoders() const
{
    return int(m_stopping.size()) + (m_runner ? 1 : 0);
}

void DvdConversion::setConvertProgress(int p) const
{
    if (m_hooks.setConvertProgress)
        m_hooks.setConvertProgress(p);
}

void DvdConversion::retire(std::unique_ptr<EncoderSlotRunner> runner)
{
    if (runner)
        runner.release()->deleteLater();
}

void DvdConversion::markPreviousRow()
{
    const int previous = m_state.currentRowIndex - 1;
    if (previous < 0 || previous >= m_list.rowCount())
        return;
    const SourceRow &row = m_list.row(previous);
    // Only a rip that ended well: "Failed" and "Stop" stay. Its note is a warning.
    if (row.checked && row.subItems[SourceRow::Status] != u"Ready" && previous == m_wellFinishedRow)
        m_list.setStatus(previous, row.note.isEmpty() ? kStatusFinish : kStatusFinishWarning);
}

void DvdConversion::ConvertNextItem()
{
    if (!m_state.converting)
        return;
    if (m_state.currentRowIndex == 0) {
        m_state.usedOutputNames.clear();
        m_wellFinishedRow = -1;
    }
    // Unchecked rows are stepped over here rather than by calling again, so a
    // long run of them cannot deepen the stack.
    for (;;) {
        markPreviousRow();
        const int index = m_state.currentRowIndex;
        if (index >= 0 && index < m_list.rowCount() && m_list.row(index).checked) {
            startRow(index);
            return;
        }
        ++m_state.currentRowIndex;
        if (m_state.currentRowIndex > m_list.rowCount() - 1) {
            endRun();
            return;
        }
    }
}

void DvdConversion::startRow(int row)
{
    const QString caption = m_list.row(row).caption;
    const TConvertInfo dvd = m_list.convertInfo().value(row);
    const ClipRange clip = m_list.clipRanges().value(row);
    MakeUniqueOutputName(m_state, caption, m_display);
    try {
        BuildDvdJob(m_state, m_settings, caption, m_list.originalInfo().value(row), dvd, VtsAddress(dvd, clip));
    } catch (const std::exception &e) {
        const QString refusal = FrameSizeRefusal(m_state, m_settings, [this](const QString &s, const QString &k,
                                                                             const QString &d) { return m_texts.Lug(s, k, d); });
        endRunWithMessage(refusal.isEmpty() ? QString::fromUtf8(e.what()) : refusal);
        return;
    }
    // The job's own name (a chapter's caption loses its leading blanks).
    m_display.setJobText(QStringLiteral("filepath"), m_state.currentJob.output);
    setConvertProgress(0);
    if (StartEncoderJob(m_state.currentJob))
        m_timer2.start();
}

bool DvdConversion::StartEncoderJob(const intputrec &job)
{
    m_state.elapsedSeconds = 0;
    m_state.remainingSeconds = 0;
    m_state.tickCount = 0; // each job creeps from 0, whatever the one before collected
    m_state.convertProgress = 0;
    m_convertUsed.start();
    if (m_state.converting)
        m_display.hidePreviewPanel();
    m_display.setConvertInfoVisible(true);

    if (&job != &m_state.currentJob)
        m_state.currentJob = job;
    m_messages.clear();
    m_list.setNote(m_state.currentRowIndex, {});
    m_state.currentJob.encoderPath = QDir(m_programFolder).filePath(QStringLiteral("mydvd.dll"));
    m_state.currentJob.workingFolder = m_programFolder;
    measureOutput();

    retire(std::move(m_runner));
    m_runner = m_runners();
    EncoderSlotRunner *runner = m_runner.get();
    runner->setIdlePriority(false);
    connect(runner, &EncoderSlotRunner::lineRead, this, [this, runner](const QString &line, bool fresh) {
        if (m_runner.get() == runner)
            JvCreateProcessRead(line, fresh);
    });
    const QString output = m_state.currentJob.output;
    connect(runner, &EncoderSlotRunner::ended, this, [this, runner, output](quint32 exitCode) {
        if (m_runner.get() == runner) {
            JvCreateProcessTerminate(exitCode);
            return;
        }
        // A stopped encoder has ended: it reports nothing to whatever runs now,
        // and gives its name back when it wrote nothing.
        for (auto it = m_stopping.begin(); it != m_stopping.end(); ++it) {
            if (it->get() == runner) {
                RemoveUnwrittenOutput(output);
                retire(std::move(*it));
                m_stopping.erase(it);
                break;
            }
        }
    });

    const int row = m_state.currentRowIndex;
    try {
        runner->start(DvdTitleCommandLine(m_state.currentJob), m_programFolder);
    } catch (const std::exception &e) {
        retire(std::move(m_runner));
        RemoveUnwrittenOutput(m_state.currentJob.output);
        EndRow(m_list, row, kStatusFailed, QString::fromUtf8(e.what()), m_state.currentJob, m_state.conversionLog);
        endRunWithMessage(m_texts.Lug(QStringLiteral("MessageDlg"), QStringLiteral("The encoder could not be started.")) +
                          QStringLiteral("\n") + QString::fromUtf8(e.what()));
        return false;
    }
    emit jobStarted(row);
    return true;
}

void DvdConversion::Timer2Timer()
{
    m_state.tickCount = qMin(m_state.tickCount + 1, kMaxTicks);
    ShowItemProgress(m_state.tickCount);
}

void DvdConversion::ShowItemProgress(int p)
{
    if (!m_timer2.isActive())
        p += m_state.tickCount;
    p = qMin(p, 9999);
    setConvertProgress(p);
    const int row = m_state.currentRowIndex;
    if (row >= 0 && row <= m_list.rowCount() - 1)
        m_list.setStatus(row, ProgressPercentText(p));
}

void DvdConversion::JvCreateProcessRead(const QString &line, bool)
{
    m_messages.read(line);
    const int32_t seconds = ParseEncoderSeconds(line);
    m_state.lastEncoderSeconds = seconds;
    if (seconds == 0)
        return;
    m_timer2.stop();
    const int p = ProgressFromSeconds(seconds, m_state.currentClipSeconds, m_state.tickCount);
    m_state.convertProgress = p;
    ShowItemProgress(p);
    RefreshConvertStatus();
    m_state.lastEncoderLine = line;
}

void DvdConversion::measureOutput()
{
    // The run's own empty claim on the name counts as nothing written yet.
    const QFileInfo output(m_state.currentJob.output);
    m_state.outputSizeKb = output.isFile() && output.size() > 0 ? output.size() / 1024 : 1;
}

void DvdConversion::Convert_usedTimer()
{
    ++m_state.elapsedSeconds;
    const double rate = double(m_state.convertProgress) / m_state.elapsedSeconds;
    if (rate > 0) {
        // What is left of the encoder's own part of the scale; the creep is already in the past.
        const int left = qMax(0, 10000 - m_state.tickCount - m_state.convertProgress);
        const double remaining = std::nearbyint(left / rate); // halves to even
        m_state.remainingSeconds =
            int32_t(qMin(remaining, double(std::numeric_limits<int32_t>::max())));
    }
    measureOutput();
}

void DvdConversion::RefreshConvertStatus()
{
    const QString output = m_state.currentJob.output;
    m_display.setJobText(QStringLiteral("filename"), QFileInfo(output).fileName());
    m_display.setJobText(QStringLiteral("filesize"), QString::number(m_state.outputSizeKb) + QStringLiteral(" KB"));
    m_display.setJobText(QStringLiteral("filepath"), output);
    m_display.setJobText(QStringLiteral("usedtime"), SecondsToHms(m_state.elapsedSeconds));
    m_display.setJobText(QStringLiteral("resttime"), SecondsToHms(m_state.remainingSeconds));
}

void DvdConversion::hideJobDisplay()
{
    m_display.hidePreviewPanel();
    m_display.setConvertInfoVisible(false);
    m_timer2.stop();
    m_convertUsed.stop();
}

void DvdConversion::JvCreateProcessTerminate(quint32 exitCode)
{
    const int row = m_state.currentRowIndex;
    hideJobDisplay();
    m_state.lastEncoderLine.clear();
    setConvertProgress(0);
    const bool written = OutputWritten(m_state.currentJob.output);
    if (exitCode == 0 && written) {
        m_wellFinishedRow = row;
        // The status comes with the next step; the warning, if any, now.
        const QString warning = m_messages.lastWarning();
        if (!warning.isEmpty())
            EndRow(m_list, row, kStatusFinishWarning, warning, m_state.currentJob, m_state.conversionLog);
    } else {
        RemoveUnwrittenOutput(m_state.currentJob.output);
        EndRow(m_list, row, kStatusFailed, FailureNote(m_messages, exitCode, written), m_state.currentJob,
               m_state.conversionLog);
    }
    retire(std::move(m_runner));

    ++m_state.currentRowIndex;
    m_texts.LoadLanguageLine(kLineReady);
    if (m_state.currentRowIndex > m_list.rowCount() - 1) {
        endRun();
        return;
    }
    ConvertNextItem();
}

void DvdConversion::endRun()
{
    m_state.converting = false;
    if (m_hooks.updateControlStates)
        m_hooks.updateControlStates();
    if (m_state.currentRowIndex <= m_list.rowCount()) {
        markPreviousRow();
        setConvertProgress(0);
        RunAfterFinishAction(m_state, m_shell);
        emit runFinished();
    }
    emit runEnded();
}

void DvdConversion::endRunWithMessage(const QString &text)
{
    hideJobDisplay();
    setConvertProgress(0);
    m_state.currentRowIndex = m_list.rowCount() + 1;
    m_state.converting = false;
    if (m_hooks.updateControlStates)
        m_hooks.updateControlStates();
    emit runEnded();
    m_dialogs.message(MessageKind::Error, text);
}

void DvdConversion::StopDvdRun()
{
    if (m_runner) {
        m_runner->terminate();
        m_stopping.push_back(std::move(m_runner));
    }
    const int row = m_state.currentRowIndex;
    if (row >= 0 && row < m_list.rowCount() && m_list.row(row).checked)
        m_list.setStatus(row, kStatusStop);
    hideJobDisplay();
    m_state.lastEncoderLine.clear();
    setConvertProgress(0);
    m_state.currentRowIndex = m_list.rowCount() + 1;
    m_state.converting = false;
    emit runEnded();
}
