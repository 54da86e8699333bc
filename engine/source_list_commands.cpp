#include "engine/source_list_commands.h"

#include "engine/engine_state.h"
#include "engine/language_texts.h"
#include "engine/quote_if_spaced.h"
#include "engine/settings_model.h"
#include "engine/text_helpers.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <algorithm>
#include <utility>

namespace {

constexpr int kLineBusyPreviewing = 27;
constexpr int kLineConfirmClear = 29;

// Clears the adding flag however the add command ends (a probe may throw).
class AddingScope {
public:
    explicit AddingScope(bool &flag) : m_flag(flag) { m_flag = true; }
    ~AddingScope() { m_flag = false; }
    AddingScope(const AddingScope &) = delete;
    AddingScope &operator=(const AddingScope &) = delete;

private:
    bool &m_flag;
};

bool isWholeNumber(const QString &text, qint64 *value = nullptr)
{
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok);
    if (ok && value)
        *value = v;
    return ok;
}

QString wholeOr(const QString &text, const char *fallback)
{
    qint64 v = 0;
    return isWholeNumber(text, &v) ? QString::number(v) : QString::fromLatin1(fallback);
}

QString ProbeCommandLine(const QString &probeProgram, const QString &path)
{
    return QuoteIfSpaced(probeProgram) + QStringLiteral(" -mardozb ") + QuoteIfSpaced(path);
}

bool startsWithDigit(const QString &text)
{
    return !text.isEmpty() && text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9');
}

} // namespace

void SetEstimateHook(SourceListHooks &hooks, const EngineState &state, const SettingsModel &settings,
                     const SourceList &list)
{
    hooks.estimatedSize = [&state, &settings, &list](int32_t seconds) {
        const QString frameSize = list.originalInfo().value(state.currentEstimateRow).frameSize;
        return FormatEstimatedSize(GetTotalBitrate(state, settings, frameSize), seconds);
    };
}

const QVector<FileFilter> &SourceFileFilter()
{
    static const QVector<FileFilter> filter = {
        {"All Support Files",
         {"*.3gp", "*.3g2", "*.asf", "*.gif", "*.avi", "*.dv", "*.vob", "*.dif", "*.flv", "*.mts", "*.m2ts", "*.m4v",
          "*.swf", "*.mkv", "*dvr-ms", "*.mjpg", "*.mjpeg", "*.mpg", "*.mpeg", "*.mpa", "*.dat", "*.vob", "*.mp4",
          "*.ts", "*.mpv", "*.nut", "*.nsv", "*.mov", "*.qt", "*.h261", "*.h264", "*.rm", "*.rmvb", "*.wmv",
          "*.xwmv", "*.yuv"}},
        {"3GPP Files (*.3gp)", {"*.3gp"}},
        {"3GPP2 Files (*.3g2)", {"*.3g2"}},
        {"Advanced Systems Format File (*.asf)", {"*.asf"}},
        {"Animated GIF Files (*.gif)", {"*.gif"}},
        {"Audio-Video Interleaved HD Video (*.avi)", {"*.avi"}},
        {"Digital Video Files (*.dv;*.dif)", {"*.dv", "*.dif"}},
        {"DVD Video Files (*.vob)", {"*.vob"}},
        {"Flash Video Format (*.flv)", {"*.flv"}},
        {"H.264/MPEG4 AVC Video (*.m2ts;*.mts)", {"*.m2ts", "*.mts"}},
        {"iTunes Video File (*.m4v)", {"*.m4v"}},
        {"Macromedia Flash Files (*.swf)", {"*.swf"}},
        {"Matroska Media file (*.mkv)", {"*.mkv"}},
        {"Microsoft Digital Video Recording (*.dvr-ms)", {"*.dvr-ms"}},
        {"MJPEG Video Files (*.mjpg;*.mjpeg)", {"*.mjpg", "*.mjpeg"}},
        {"MPEG Video Files (*.mpg;*.mpeg;*.mpa;*.dat;*.vob)", {"*.mpg", "*.mpeg", "*.mpa", "*.dat", "*.vob"}},
        {"MPEG2 HD Video (*.mpg;*.mpeg)", {"*.mpg", "*.mpeg"}},
        {"MPEG4 HD Video (*.mp4)", {"*.mp4"}},
        {"MPEG4 TS HD Video (*.ts)", {"*.ts"}},
        {"MPEG-4 Video Files (*.mp4)", {"*.mp4"}},
        {"MPV Files(*.mpv)", {"*.mpv"}},
        {"NUT Files (*.nut)", {"*.nut"}},
        {"Nullsoft stream video(*.nsv)", {"*.nsv"}},
        {"Quick Time Files (*.mov;*.qt)", {"*.mov", "*.qt"}},
        {"Quick Time HD Video (*.mov)", {"*.mov"}},
        {"Raw h261 Files (*.h261)", {"*.h261"}},
        {"Raw h264 Video Files (*.h264)", {"*.h264"}},
        {"Real Media Files (*.rm;*.rmvb)", {"*.rm", "*.rmvb"}},
        {"VCD Video File (*.dat)", {"*.dat"}},
        {"Video Transport Stream File (*.ts)", {"*.ts"}},
        {"VOB HD Video (*.vob)", {"*.vob"}},
        {"Windows Media Video Files (*.wmv;*.asf)", {"*.wmv", "*.asf"}},
        {"WMV HD Video (*.xwmv)", {"*.xwmv"}},
        {"YUV Video File (*.yuv)", {"*.yuv"}},
        {"All File (*.*)", {"*.*"}},
    };
    return filter;
}

const QStringList &FolderSourceExtensions()
{
    static const QStringList extensions = {".avi", ".mpg", ".vob", ".mpeg", ".3gp", ".mp4", ".flv", ".rm",
                                           ".m4v", ".rmvb", ".wmv", ".asf", ".qt", ".asx", ".mkv", ".3g2",
                                           ".mov", ".ts", ".m2ts", ".xwmv", ".h264", ".dv"};
    return extensions;
}

RowBitrates FillBitrates(const QString &video, const QString &audio, const QString &total)
{
    QString v = video;
    QString a = audio;
    qint64 t = 0, other = 0;
    // A rate that is not a whole number cannot take part in the difference;
    // the entry's own fallback covers it below.
    if (v.isEmpty()) {
        if (total.isEmpty())
            v = QStringLiteral("768");
        else if (a.isEmpty())
            v = total;
        else if (isWholeNumber(total, &t) && isWholeNumber(a, &other))
            v = QString::number(t - other);
    }
    if (a.isEmpty()) {
        if (total.isEmpty())
            a = QStringLiteral("128");
        else if (isWholeNumber(total, &t) && isWholeNumber(v, &other))
            a = QString::number(t - other);
    }
    if (a == QLatin1String("0"))
        a = QStringLiteral("128");
    return {wholeOr(v, "768"), wholeOr(a, "128")};
}

SourceListCommands::SourceListCommands(SourceList &list, EngineState &state, const LanguageTexts &texts,
                                       Dialogs &dialogs, SourceProbe &probe, QString programFolder,
                                       SourceListHooks hooks)
    : m_list(list), m_state(state), m_texts(texts), m_dialogs(dialogs), m_probe(probe),
      m_programFolder(std::move(programFolder)), m_hooks(std::move(hooks))
{
}

QString SourceListCommands::probeCommandLine(const QString &path) const
{
    return ProbeCommandLine(m_state.currentJob.probeProgram, path);
}

void SourceListCommands::refuse(int line)
{
    m_dialogs.message(MessageKind::Warning, m_texts.LoadLanguageLine(line));
}

void SourceListCommands::call(const std::function<void()> &hook) const
{
    if (hook)
        hook();
}

void SourceListCommands::selectFirstWhenNoneSelected()
{
    if (m_list.rowCount() > 0 && m_list.selectedRow() < 0)
        m_list.setSelected(0, true);
}

int DefaultProbeLookAhead(int encoderSlots, int cores)
{
    return std::clamp(std::max(encoderSlots, cores), 1, 16);
}

int SourceListCommands::probeLookAhead() const
{
    return m_lookAhead > 0 ? m_lookAhead : DefaultProbeLookAhead(m_state.ThCount + 1, QThread::idealThreadCount());
}

void SourceListCommands::CancelAdding()
{
    if (!m_adding)
        return;
    m_cancelRequested = true;
    m_probe.cancel();
}

void SourceListCommands::AddSourceFile(const QString &path)
{
    addFiles({path}, false);
}

void SourceListCommands::addFiles(const QStringList &paths, bool pumpEachTurn)
{
    m_cancelRequested = false;
    // However the walk ends (the last file, a cancel, an error), no probe outlives it.
    struct ProbesEnd {
        SourceProbe &probe;
        ~ProbesEnd() { probe.cancel(); }
    } probesEnd{m_probe};

    const QString probeProgram = QDir(m_programFolder).filePath(QStringLiteral("register.dat"));
    const qsizetype ahead = probeLookAhead();
    qsizetype started = 0;
    for (qsizetype turn = 0; turn < paths.size(); ++turn) {
        for (; started < paths.size() && started - turn < ahead; ++started)
            m_probe.start(ProbeCommandLine(probeProgram, paths[started]), m_programFolder);
        if (pumpEachTurn) {
            call(m_hooks.pumpMessages);
            call(m_hooks.pumpMessages);
        }
        if (m_cancelRequested)
            return;
        m_state.sourceMode = SourceMode::FileRows;
        call(m_hooks.bringHintWindowToFront);
        m_state.currentJob.probeProgram = probeProgram;
        const std::optional<ProbeValues> facts = m_probe.takeNext();
        if (!facts || m_cancelRequested)
            return;
        // A file that went away while it waited for its turn is not added.
        if (QFileInfo::exists(paths[turn]))
            appendProbedFile(paths[turn], *facts);
    }
}

void SourceListCommands::appendProbedFile(const QString &path, const ProbeValues &facts)
{
    if (!startsWithDigit(facts.duration))
        return;
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    SourceRow row;
    row.caption = dot < 0 ? name : name.left(dot);
    row.subItems[SourceRow::OriginalTime] = facts.duration;
    row.subItems[SourceRow::ConversionTime] = facts.duration;
    row.subItems[SourceRow::Status] = m_texts.Lug(QStringLiteral("Add"), QStringLiteral("Status"));
    row.checked = true;
    const int index = m_list.appendRow(row);
    m_state.currentEstimateRow = index;

    const RowBitrates rates = FillBitrates(facts.videoBitrate, facts.audioBitrate, facts.totalBitrate);
    m_list.sizeArraysToRows();
    Toriginalinfo &info = m_list.originalInfo()[index];
    info.path = path;
    info.frameSize = facts.frameSize.isEmpty() ? QStringLiteral("320x240") : facts.frameSize;
    info.videoBitrate = rates.video;
    info.audioBitrate = rates.audio;
    info.duration = facts.duration;
    info.audioCodec = facts.audioCodec;
    info.sampleRate = facts.sampleRate;
    info.channels = facts.channels;
    info.videoCodec = facts.videoCodec;
    info.frameRate = facts.frameRate;

    const int32_t seconds = HmsToSeconds(facts.duration);
    ClipRange &clip = m_list.clipRanges()[index];
    clip.clipBegin = 0;
    clip.clipEnd = seconds;

    if (m_hooks.estimatedSize)
        m_list.setSubItem(index, SourceRow::OutputSize, m_hooks.estimatedSize(seconds));
}

bool SourceListCommands::refusedWhilePreviewingOrConverting()
{
    // The preview plays a row of this list: a new list would leave it playing
    // a row that is gone, and a snapshot would take another row's file.
    if (m_state.previewing)
        refuse(kLineBusyPreviewing);
    else if (m_state.converting)
        refuse(kConvertingLine);
    else
        return false;
    return true;
}

void SourceListCommands::AddFilesDialog()
{
    if (m_adding || refusedWhilePreviewingOrConverting())
        return;
    const QStringList files = m_dialogs.openFiles(SourceFileFilter());
    if (!files.isEmpty()) {
        AddingScope adding(m_adding);
        m_list.setVisible(true);
        if (m_state.sourceMode == SourceMode::DvdRows)
            m_list.clear();
        addFiles(files, false);
    }
    endAddCommand();
}

void SourceListCommands::AddSourceFolder()
{
    if (m_adding || refusedWhilePreviewingOrConverting())
        return;
    const QString folder = m_dialogs.pickFolder(m_texts.Lug(QStringLiteral("Caption"), QStringLiteral("File Directory")));
    if (folder.isEmpty())
        return;
    AddingScope adding(m_adding);
    m_list.setVisible(true);
    m_list.clear();
    // Linux lists a folder in no particular order; take its files by name.
    const QDir dir(folder);
    const QStringList names =
        dir.entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    QStringList files;
    for (const QString &name : names) {
        const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
        if (dot >= 0 && FolderSourceExtensions().contains(name.mid(dot).toLower()))
            files << dir.filePath(name);
    }
    addFiles(files, true);
    // The list changed: the states follow it as after the file dialog.
    endAddCommand();
}

void SourceListCommands::endAddCommand()
{
    selectFirstWhenNoneSelected();
    call(m_hooks.rowClicked);
    call(m_hooks.updateControlStates);
}

void SourceListCommands::RemoveSelectedSources()
{
    if (refusedWhilePreviewingOrConverting())
        return;
    if (m_adding || m_list.selectedRow() < 0)
        return;

    const bool dvd = m_state.sourceMode == SourceMode::DvdRows;
    const int steps = m_list.rowCount();
    int lastDeleted = -1;
    int i = 0;
    for (int step = 0; step < steps && i < m_list.rowCount(); ++step) {
        if (!m_list.row(i).selected) {
            ++i;
            continue;
        }
        // Entries after the row move down one place; the arrays keep their length.
        auto shift = [&](auto &array) {
            for (int k = i; k <= m_list.rowCount() - 2 && k + 1 < array.size(); ++k)
                array[k] = array[k + 1];
        };
        shift(m_list.originalInfo());
        shift(m_list.clipRanges());
        if (dvd)
            shift(m_list.convertInfo());
        m_list.deleteRow(i);
        lastDeleted = i;
    }

    const bool rowsLeft = m_list.rowCount() > 0;
    if (rowsLeft)
        m_list.setSelected(qMin(lastDeleted, m_list.rowCount() - 1), true);
    else
        m_list.setVisible(false);
    // The times and streams shown follow the row now current (or the empty list).
    call(m_hooks.rowClicked);
    call(m_hooks.updateControlStates);
    if (rowsLeft)
        m_list.requestFocus();
}

void SourceListCommands::ClearSourceList()
{
    if (refusedWhilePreviewingOrConverting())
        return;
    if (m_adding || m_list.rowCount() == 0)
        return;
    if (m_dialogs.ask(MessageKind::Confirmation, m_texts.LoadLanguageLine(kLineConfirmClear))) {
        m_list.clear();
        m_list.setVisible(false);
        call(m_hooks.rowClicked);
    }
    call(m_hooks.updateControlStates);
}
