#include "engine/conversion_queue.h"

#include "engine/clip_part.h"
#include "engine/encoder_command_line.h"
#include "engine/encoder_progress.h"
#include "engine/engine_state.h"
#include "engine/job_builder.h"
#include "engine/settings_model.h"
#include "engine/language_texts.h"
#include "engine/source_list.h"
#include "platform/dialogs/dialogs.h"
#include "platform/shell/shell.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>
#include <exception>
#include <stdexcept>
#include <utility>

namespace {

constexpr int kLineBusyPreviewing = 27;

const QString kStopQuestionTail =
    QStringLiteral("\r\nThe unfinished-conversion file in some formats cannot be played properly.");

} // namespace

void SetFileJobHooks(ConversionHooks &hooks, EngineState &state, const SettingsModel &settings,
                     const SourceList &list, const LanguageTexts &texts)
{
    hooks.outputFolder = [&settings] { return settings.ed_output; };
    hooks.buildFileJob = [&state, &settings, &list, &texts](int row) {
        const QString refusal = FrameSizeRefusal(state, settings, [&texts](const QString &s, const QString &k,
                                                                          const QString &d) { return texts.Lug(s, k, d); });
        if (!refusal.isEmpty())
            throw std::runtime_error(refusal.toStdString());
        BuildFileJob(state, settings, list.row(row).caption, list.originalInfo().at(row), list.clipRanges().at(row));
    };
}

ConversionQueue::ConversionQueue(EngineState &state, SourceList &list, const LanguageTexts &texts, Dialogs &dialogs,
                                 Shell &shell, EncoderRunnerFactory runners, QString programFolder,
                                 ConversionHooks hooks, QObject *parent)
    : QObject(parent), m_state(state), m_list(list), m_texts(texts), m_dialogs(dialogs), m_shell(shell),
      m_runners(std::move(runners)), m_programFolder(std::move(programFolder)), m_hooks(std::move(hooks))
{
    m_stopSettle.setSingleShot(true);
    m_stopSettle.setInterval(kStopSettleMs);
    connect(&m_stopSettle, &QTimer::timeout, this, [this] { call(m_hooks.updateControlStates); });
}

ConversionQueue::~ConversionQueue()
{
    // Nothing may outlive the window it reports to: end what still runs.
    for (Slot &slot : m_slots)
        if (slot.runner && !slot.done)
            slot.runner->terminate();
    for (auto &runner : m_stopping)
        runner->terminate();
}

void ConversionQueue::call(const std::function<void()> &hook) const
{
    if (hook)
        hook();
}

int ConversionQueue::liveEncoders() const
{
    int live = int(m_stopping.size());
    for (const Slot &slot : m_slots)
        if (slot.runner && !slot.done)
            ++live;
    return live;
}

void ConversionQueue::StartConversion()
{
    if (m_state.previewing) {
        m_dialogs.message(MessageKind::Warning, m_texts.LoadLanguageLine(kLineBusyPreviewing));
        return;
    }
    if (m_list.rowCount() == 0) {
        m_dialogs.message(MessageKind::Information, m_texts.Lug(QStringLiteral("Add"), QStringLiteral("Please add blu-ray movie.")));
        return;
    }
    if (m_state.converting || (m_hooks.addingSources && m_hooks.addingSources()))
        return;
    if (m_list.checkedRows().isEmpty()) {
        m_dialogs.message(MessageKind::Information,
                          m_texts.Lug(QStringLiteral("MessageDlg"), QStringLiteral("Please select one file.")));
        return;
    }
    // Marks set in any order: a part with no length is refused before anything runs.
    if (const int row = FirstUnusablePart(m_list, m_list.checkedRows()); row >= 0) {
        m_dialogs.message(MessageKind::Warning, UnusablePartRefusal(m_texts, m_list.row(row).caption));
        return;
    }
    ++m_run;
    m_state.currentRowIndex = 0;
    m_state.tickCount = 0;
    m_state.converting = true;
    call(m_hooks.updateControlStates);
    if (m_state.sourceMode == SourceMode::FileRows)
        ConvertFileList();
    else if (outputFolderChecked())
        call(m_hooks.convertNextItem);
}

bool ConversionQueue::outputFolderUsable(QString *folder)
{
    *folder = m_hooks.outputFolder ? m_hooks.outputFolder() : m_state.outputFolder;
    if (folder->isEmpty())
        return false;
    if (!QFileInfo(*folder).isDir() && !QDir().mkdir(*folder))
        return false;
    QTemporaryFile probe(QDir(*folder).filePath(QStringLiteral(".ravenmoor-XXXXXX")));
    return probe.open();
}

bool ConversionQueue::outputFolderChecked()
{
    // A folder that cannot take the outputs fails every job; say so before any starts.
    QString folder;
    if (outputFolderUsable(&folder))
        return true;
    endRunWithMessage(m_texts.Lug(QStringLiteral("MessageDlg"), QStringLiteral("The output folder cannot be created or written:")) +
                      QStringLiteral("\n") + folder);
    return false;
}

void ConversionQueue::endRunWithMessage(const QString &text)
{
    m_state.converting = false;
    call(m_hooks.updateControlStates);
    emit runEnded();
    m_dialogs.message(MessageKind::Error, text);
}

void ConversionQueue::ConvertFileList()
{
    if (!m_state.converting)
        return;

    if (!outputFolderChecked())
        return;

    m_state.currentRowIndex = 0;
    TCountConvert &count = m_state.countConvert;
    count.count = 0;
    count.index.clear();
    for (int row = 0; row < m_list.rowCount(); ++row)
        if (m_list.row(row).checked)
            count.index.append(row);
    count.count = int32_t(count.index.size());

    m_state.usedOutputNames.clear();
    m_state.jobs.resize(count.count);
    m_state.jobOutputNames.resize(count.count);
    try {
        for (int i = 0; i < count.count; ++i) {
            if (m_hooks.buildFileJob)
                m_hooks.buildFileJob(count.index[i]);
            m_state.jobs[i] = m_state.currentJob;
            m_state.jobOutputNames[i] = m_state.currentOutputName;
        }
    } catch (const std::exception &e) {
        endRunWithMessage(QString::fromUtf8(e.what()));
        return;
    }
    StartParallelJobs();
}

void ConversionQueue::StartParallelJobs()
{
    const int jobCount = m_state.countConvert.count;
    m_lastSlot = qMin(qBound(0, m_state.ThCount, kSlotCount - 1), jobCount - 1);
    for (int i = 0; i <= m_lastSlot; ++i) {
        if (!StartSlotJob(i, i, m_state.jobs[i]))
            return;
        ++m_state.currentRowIndex;
    }
}

bool ConversionQueue::StartSlotJob(int slot, int jobIndex, const intputrec &job)
{
    m_state.currentJob = job;
    m_state.currentJob.encoderPath = QDir(m_programFolder).filePath(QStringLiteral("register.dat"));
    if (slot < 0 || slot >= kSlotCount)
        return true;
    // The name is made sure of now, not at Start: a file that appeared there
    // since (written by the user or another program) keeps its content.
    if (m_state.converting && jobIndex >= 0 && jobIndex < m_state.jobs.size()) {
        m_state.currentJob.output =
            ClaimOutputPath(job.output, m_state.jobOutputNames.value(jobIndex), m_state.usedOutputNames);
        m_state.jobs[jobIndex].output = m_state.currentJob.output;
    }

    Slot &s = m_slots[slot];
    if (s.runner)
        retire(std::move(s.runner)); // never released inside its own end event
    s.runner = m_runners();
    EncoderSlotRunner *runner = s.runner.get();
    s.done = 0;
    s.row = m_state.countConvert.index.value(jobIndex, -1);
    s.jobIndex = jobIndex;
    s.lastSeconds = 0;
    s.messages.clear();
    m_list.setNote(s.row, {});
    connect(runner, &EncoderSlotRunner::lineRead, this, [this, slot, runner](const QString &line, bool fresh) {
        if (isCurrent(slot, runner))
            JvCreateProcessRead(slot, line, fresh);
    });
    const QString output = m_state.currentJob.output;
    connect(runner, &EncoderSlotRunner::ended, this, [this, slot, runner, output](quint32 exitCode) {
        if (isCurrent(slot, runner)) {
            JvCreateProcessTerminate(slot, exitCode);
            return;
        }
        // A stopped encoder has ended: let it go (and its name, when it wrote
        // nothing), and tell when the last one has.
        for (auto it = m_stopping.begin(); it != m_stopping.end(); ++it) {
            if (it->get() == runner) {
                RemoveUnwrittenOutput(output);
                retire(std::move(*it));
                m_stopping.erase(it);
                if (m_stopping.empty())
                    emit stoppedEncodersEnded();
                break;
            }
        }
    });

    const QString workingFolder =
        m_state.currentJob.workingFolder.isEmpty() ? m_programFolder : m_state.currentJob.workingFolder;
    try {
        runner->start(FileConversionCommandLine(m_state.currentJob), workingFolder);
    } catch (const std::exception &e) {
        s.done = 1;
        RemoveUnwrittenOutput(m_state.currentJob.output);
        EndRow(m_list, s.row, kStatusFailed, QString::fromUtf8(e.what()), m_state.currentJob, m_state.conversionLog);
        stopRunningSlots();
        endRunWithMessage(m_texts.Lug(QStringLiteral("MessageDlg"), QStringLiteral("The encoder could not be started.")) +
                          QStringLiteral("\n") + QString::fromUtf8(e.what()));
        return false;
    }
    emit jobStarted(slot, jobIndex, s.row);
    return true;
}

bool ConversionQueue::isCurrent(int slot, const EncoderSlotRunner *runner) const
{
    return m_slots[slot].runner.get() == runner && !m_slots[slot].done;
}

void ConversionQueue::retire(std::unique_ptr<EncoderSlotRunner> runner)
{
    runner.release()->deleteLater();
}

void ConversionQueue::JvCreateProcessRead(int slot, const QString &line, bool)
{
    Slot &s = m_slots[slot];
    s.messages.read(line);
    const int32_t seconds = ParseEncoderSeconds(line);
    m_state.lastEncoderSeconds = seconds;
    if (seconds == 0)
        return;
    s.lastSeconds = std::max(s.lastSeconds, seconds);
    const int32_t clip = m_state.jobs.value(s.jobIndex).clipSeconds;
    const int p = ProgressFromSeconds(seconds, clip, m_state.tickCount);
    m_state.convertProgress = p;
    m_list.setStatus(s.row, ProgressPercentText(p));
    m_state.lastEncoderLine = line;
    if (m_hooks.setConvertProgress)
        m_hooks.setConvertProgress(p);
}

void ConversionQueue::JvCreateProcessTerminate(int slot, quint32 exitCode)
{
    Slot &s = m_slots[slot];
    const intputrec job = m_state.jobs.value(s.jobIndex);
    const bool written = OutputWritten(job.output);
    // Outside a run the job is a snapshot of the row being previewed: its note
    // and the log tell how it went, while the row's status stays the preview's.
    const bool snapshot = !m_state.converting && s.row >= 0 && s.row < m_list.rowCount();
    const QString statusBefore = snapshot ? m_list.row(s.row).subItems[SourceRow::Status] : QString();
    if (exitCode != 0 || !written) {
        RemoveUnwrittenOutput(job.output);
        EndRow(m_list, s.row, kStatusFailed, FailureNote(s.messages, exitCode, written), job, m_state.conversionLog);
    } else if (EndsShortOfClip(s.lastSeconds, job.clipSeconds)) {
        EndRow(m_list, s.row, kStatusFailed,
               QStringLiteral("the source ended at %1 s of a %2-s clip; the output is short")
                   .arg(s.lastSeconds)
                   .arg(job.clipSeconds),
               job, m_state.conversionLog);
    } else {
        const QString warning = s.messages.lastWarning();
        EndRow(m_list, s.row, warning.isEmpty() ? kStatusFinish : kStatusFinishWarning, warning, job,
               m_state.conversionLog);
    }
    s.done = 1;
    if (snapshot)
        m_list.setStatus(s.row, statusBefore);
    if (!m_state.converting)
        return;
    call(m_hooks.updateControlStates);

    ++m_state.currentRowIndex;
    if (m_state.currentRowIndex <= m_state.countConvert.count) {
        const int next = m_state.currentRowIndex - 1;
        StartSlotJob(slot, next, m_state.jobs[next]);
        return;
    }
    for (int i = 0; i <= m_lastSlot; ++i)
        if (!m_slots[i].done)
            return;

    m_state.converting = false;
    call(m_hooks.updateControlStates);
    RunAfterFinishAction(m_state, m_shell);
    emit runFinished();
    emit runEnded();
}

bool EndsShortOfClip(int32_t lastSeconds, int32_t clipSeconds)
{
    const int64_t missing = int64_t(clipSeconds) - lastSeconds;
    return missing > 2 && missing * 10 > clipSeconds;
}

void RunAfterFinishAction(const EngineState &state, Shell &shell)
{
    switch (state.FinishSelcet) {
    case 1:
        shell.openFolder(state.outputFolder);
        break;
    case 2:
        shell.shutDown();
        break;
    default:
        break;
    }
}

void ConversionQueue::stopRunningSlots()
{
    for (int i = 0; i < kSlotCount; ++i) {
        Slot &s = m_slots[i];
        if (!s.runner || s.done)
            continue;
        s.done = 1;
        m_list.setStatus(s.row, kStatusStop);
        EncoderSlotRunner *runner = s.runner.get();
        m_stopping.push_back(std::move(s.runner));
        runner->terminate();
    }
}

void ConversionQueue::StopConversion()
{
    if (!m_state.converting)
        return;
    const bool fileRun = m_state.sourceMode == SourceMode::FileRows;
    const quint64 run = m_run;
    const QString question = (fileRun ? QStringLiteral("Are you sure to sop converting?")
                                      : QStringLiteral("Are you sure to sop ripping?")) +
                             kStopQuestionTail;
    if (!m_dialogs.ask(MessageKind::Information, question))
        return;
    // The run may have ended (or another begun) while the question was open.
    if (!m_state.converting || run != m_run)
        return;

    m_state.converting = false;
    if (fileRun) {
        stopRunningSlots();
        emit runEnded();
        if (m_stopping.empty())
            emit stoppedEncodersEnded();
        // The controls come back once the encoders had a moment to end; the window keeps running.
        m_stopSettle.start();
        return;
    }
    call(m_hooks.stopDvdRun);
    call(m_hooks.updateControlStates);
    emit runEnded();
}
