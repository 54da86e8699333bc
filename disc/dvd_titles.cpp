#include "disc/dvd_titles.h"

#include "disc/dvd_folder.h"
#include "disc/stream_choice.h"
#include "disc/view_checks.h"
#include "engine/engine_state.h"
#include "engine/language_texts.h"
#include "engine/settings_model.h"
#include "engine/source_list.h"
#include "engine/text_helpers.h"
#include "platform/dialogs/dialogs.h"

#include <utility>

namespace {

constexpr int kLinePreviewing = 27;
constexpr int kLineChooseDvdFolder = 32;
constexpr int kLineIfoUnreadable = 34;

// Undoes on every way out of a command (a reader may throw) what the command
// set up for its duration.
class CommandScope {
public:
    explicit CommandScope(bool &busy) : m_busy(busy) { m_busy = true; }
    ~CommandScope()
    {
        if (m_undo)
            m_undo();
        m_busy = false;
    }
    CommandScope(const CommandScope &) = delete;
    CommandScope &operator=(const CommandScope &) = delete;
    void onExit(std::function<void()> undo) { m_undo = std::move(undo); }
    void done() { m_undo = nullptr; }

private:
    bool &m_busy;
    std::function<void()> m_undo;
};

} // namespace

DvdTitles::DvdTitles(DiscState &disc, EngineState &engine, SourceList &list, const LanguageTexts &texts,
                     Dialogs &dialogs, IfoLibrary &ifo, ComboModel &cb_audio, ComboModel &cb_subtitle,
                     DvdTitlesHooks hooks)
    : m_disc(disc), m_engine(engine), m_list(list), m_texts(texts), m_dialogs(dialogs), m_ifo(ifo),
      m_audio(cb_audio), m_subtitle(cb_subtitle), m_hooks(std::move(hooks))
{
}

IfoReadTarget DvdTitles::readTarget()
{
    return {m_list, m_engine, m_ifo, m_texts.Lug(QStringLiteral("Add"), QStringLiteral("Status")),
            m_hooks.estimatedSize, m_hooks.redrawList};
}

void DvdTitles::refuse(int line)
{
    m_dialogs.message(MessageKind::Warning, m_texts.LoadLanguageLine(line));
}

bool DvdTitles::refusedWhileConvertingOrPreviewing()
{
    if (m_engine.converting)
        refuse(kConvertingLine);
    else if (m_engine.previewing)
        refuse(kLinePreviewing);
    else
        return false;
    return true;
}

void DvdTitles::call(const std::function<void()> &hook) const
{
    if (hook)
        hook();
}

void DvdTitles::selectLongestAndClick()
{
    m_list.selectOnly(FindLongestTitle(m_list));
    lvClick();
    call(m_hooks.redrawList);
}

void DvdTitles::OpenDvdFolder()
{
    if (m_busy || refusedWhileConvertingOrPreviewing())
        return;
    const QString folder = m_dialogs.pickFolder(m_texts.LoadLanguageLine(kLineChooseDvdFolder));
    if (folder.isEmpty()) {
        call(m_hooks.updateControlStates);
        return;
    }

    CommandScope scope(m_busy);
    call(m_hooks.showBusyWindow);
    scope.onExit([this] {
        m_disc.DriveWaitPending = 0;
        if (m_hooks.setListEnabled)
            m_hooks.setListEnabled(true);
        call(m_hooks.closeBusyWindow);
    });
    if (m_hooks.saveBrowsePath)
        m_hooks.saveBrowsePath(folder);

    m_disc.TIFOAS.clear();
    m_list.clear();
    m_list.setVisible(true);
    ResetStreamChoices(m_disc);
    DiscardCheckStates(m_disc);

    if (m_hooks.isOpticalDrive && m_hooks.isOpticalDrive(folder)) {
        m_disc.DriveWaitPending = 1;
        if (m_hooks.waitForDrive)
            m_hooks.waitForDrive(folder);
        m_disc.DriveWaitPending = 0;
    }

    if (m_hooks.setListEnabled)
        m_hooks.setListEnabled(false);
    const bool found = ScanFolderForIfo(folder, m_disc, readTarget(), m_hooks.pumpMessages);
    if (m_hooks.setListEnabled)
        m_hooks.setListEnabled(true);

    // IFO files that give no row (damaged, empty, no usable title) are no
    // DVD to the user either: an empty list would read as success.
    if (found && m_list.rowCount() > 0) {
        m_engine.sourceMode = SourceMode::DvdRows;
        CheckEveryRow(m_disc, m_list);
        selectLongestAndClick();
        call(m_hooks.closeBusyWindow);
    } else {
        m_disc.TIFOAS.clear();
        const QString notFound = QStringLiteral("Not found DVD movies in this folder");
        m_dialogs.message(MessageKind::Information, m_texts.Lug(QStringLiteral("MessageDlg"), notFound));
        m_list.setVisible(false);
        // No streams or times of the rows that were there stay on show.
        lvClick();
        call(m_hooks.closeBusyWindow);
    }
    scope.done();
    call(m_hooks.updateControlStates);
}

void DvdTitles::AddIfoFiles()
{
    if (m_busy || refusedWhileConvertingOrPreviewing())
        return;
    const QStringList files = m_dialogs.openFiles(IfoFileFilter());
    if (files.isEmpty()) {
        call(m_hooks.updateControlStates);
        return;
    }

    CommandScope scope(m_busy);
    // File rows would go to the DVD encoder with the new rows.
    if (m_engine.sourceMode == SourceMode::FileRows)
        m_list.clear();
    if (m_list.rowCount() == 0) {
        m_disc.TIFOAS.clear();
        ResetStreamChoices(m_disc);
        m_list.setVisible(true);
        DiscardCheckStates(m_disc);
        m_list.convertInfo().clear();
    }

    const IfoReadTarget target = readTarget();
    for (const QString &file : files) {
        TIFOSelint entry;
        entry.ifoPath = file;
        m_disc.TIFOAS.append(entry);
        const int rowsBefore = m_list.rowCount();
        AddIfoInCurrentView(target, m_disc, m_disc.TIFOAS.last());
        // Chapter view too: a file that gives no row is as unreadable as one
        // that cannot be opened.
        if (m_list.rowCount() == rowsBefore) {
            m_dialogs.message(MessageKind::Information, m_texts.LoadLanguageLine(kLineIfoUnreadable));
            break;
        }
        CheckEveryRow(m_disc, m_list);
        selectLongestAndClick();
    }
    call(m_hooks.updateControlStates);
}

void DvdTitles::ToggleTitleChapterView()
{
    if (m_busy)
        return;
    if (m_engine.previewing) {
        refuse(kLinePreviewing);
        return;
    }
    if (m_engine.converting) {
        refuse(kConvertingLine);
        return;
    }
    if (m_engine.sourceMode != SourceMode::DvdRows)
        return;
    CommandScope scope(m_busy);
    SwitchListView(m_disc, readTarget());
    selectLongestAndClick();
}

void DvdTitles::lvClick()
{
    if (m_engine.previewing || m_engine.converting)
        return;
    const auto show = [this](const char *object, const QString &text) {
        if (m_hooks.setSkinText)
            m_hooks.setSkinText(QString::fromLatin1(object), text);
    };
    const int row = m_list.selectedRow();
    if (row < 0) {
        // An emptied list shows no times or streams of the rows it had.
        if (m_list.rowCount() == 0) {
            for (const char *object : {"alltime", "begin_time", "End_time"})
                show(object, SecondsToHms(0));
            m_audio.Clear();
            m_subtitle.Clear();
        }
        call(m_hooks.updateControlStates);
        return;
    }
    show("alltime", m_list.originalInfo().value(row).duration);
    m_disc.PreviewRow = row;
    call(m_hooks.updateControlStates);
    const ClipRange clip = m_list.clipRanges().value(row);
    show("begin_time", SecondsToHms(clip.clipBegin));
    show("End_time", SecondsToHms(clip.clipEnd));

    if (m_engine.sourceMode == SourceMode::DvdRows) {
        StoreCheckStates(m_disc, m_list);
        FillStreamCombos(m_disc, row, m_audio, m_subtitle,
                         m_texts.Lug(QStringLiteral("Add"), QStringLiteral("No Subtitle")));
    } else {
        // File rows carry no stream choice: no DVD's streams stay on offer.
        m_audio.Clear();
        m_subtitle.Clear();
    }
}

void DvdTitles::cb_audioChange(int index)
{
    const int row = m_list.selectedRow();
    if (row < 0 || m_engine.sourceMode != SourceMode::DvdRows || index >= m_audio.Count())
        return;
    ChooseAudioStream(m_disc, m_list, row, index);
}

void DvdTitles::cb_subtitleChange(int index)
{
    const int row = m_list.selectedRow();
    if (row < 0 || m_engine.sourceMode != SourceMode::DvdRows || index >= m_subtitle.Count())
        return;
    ChooseSubtitle(m_disc, m_list, row, index);
}
