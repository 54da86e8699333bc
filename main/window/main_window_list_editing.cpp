// The commands that do their own work: checking rows in three ways, hiding to
// the notification area, renaming a row in place, the typed output folder and
// the properties of a row.

#include "disc/view_checks.h"
#include "engine/job_builder.h"
#include "engine/profile_captions.h"
#include "main/dialogs/info_window.h"
#include "main/window/main_window.h"
#include "main/window/source_list_view.h"
#include "platform/dialogs/dialogs.h"
#include "platform/errors/error_guard.h"
#include "platform/shell/tray_icon.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

// The caption is the output file's base name: it can be neither empty nor
// hold a path separator or a NUL, and the names made from it must fit a file
// name.
bool UsableCaption(const QString &text, const QString &ext)
{
    return !text.isEmpty() && !text.contains(u'/') && !text.contains(QChar(u'\0')) && CaptionFitsFileName(text, ext);
}

} // namespace

void Tfm_main::setEveryCheck(bool checked)
{
    for (int i = 0; i < m_list.rowCount(); ++i)
        m_list.setChecked(i, checked);
}

void Tfm_main::bt_allClick()
{
    if (!m_state.converting)
        setEveryCheck(true);
}

void Tfm_main::bt_noneClick()
{
    if (!m_state.converting)
        setEveryCheck(false);
}

void Tfm_main::MenuItem10Click()
{
    SetEveryCheck(m_disc, m_list, true);
}

void Tfm_main::MenuItem11Click()
{
    SetEveryCheck(m_disc, m_list, false);
}

// Without a notification area the icon could never bring the window back:
// the window is minimised instead.
void Tfm_main::RunBackground1Click()
{
    if (!m_tray->available()) {
        showMinimized();
        return;
    }
    m_tray->add(windowIcon(), QStringLiteral("Pellmark"));
    hide();
}

void Tfm_main::OnTrayIconMessage(int message)
{
    if (message != NotificationIcon::LeftButtonUp)
        return;
    show();
    m_tray->remove();
}

void Tfm_main::buildRenameEditor()
{
    edt_tit = new QLineEdit(lv->viewport());
    edt_tit->setObjectName(QStringLiteral("edt_tit"));
    edt_tit->hide();
    edt_tit->installEventFilter(this);
}

void Tfm_main::Rename1Click()
{
    if (m_list.selectedRow() < 0)
        return;
    QTreeWidgetItem *focused = lv->currentItem();
    if (!focused) {
        m_services.dialogs.message(MessageKind::Information,
                                   m_texts.Lug(QStringLiteral("MessageDlg"), QStringLiteral("Please select one file.")));
        return;
    }
    m_renameRow = m_list.selectedRow();
    edt_tit->setGeometry(0, lv->visualItemRect(focused).top() - 1, lv->columnWidth(0), 18);
    edt_tit->setText(m_list.row(m_renameRow).caption);
    edt_tit->show();
    edt_tit->setFocus();
}

void Tfm_main::edt_titExit()
{
    // Enter hides the editor, and the hiding takes its focus: the second call finds nothing to do.
    if (!edt_tit->isVisible())
        return;
    edt_tit->hide();
    const QString text = edt_tit->text();
    // The row may have gone while the editor was open.
    if (UsableCaption(text, GetProfileExtension(m_state)) && m_renameRow >= 0 && m_renameRow < m_list.rowCount())
        m_list.setCaption(m_renameRow, text);
    m_renameRow = -1;
}

bool Tfm_main::renameEditorEvent(QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        RunGuarded(m_services.errors, [this] { edt_titExit(); });
        return true;
    }
    if (event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            RunGuarded(m_services.errors, [this] { edt_titExit(); });
            return true;
        }
    }
    return false;
}

// The typed output folder is taken when the box loses the focus: made when
// missing (one level). One that cannot be made stays in the box to be
// mended, the folder in use stays, and Start will not run while the box
// shows another. A relative name would be made in whatever folder the
// program happens to run in, so it is made absolute against the home folder
// and shown so first.
bool Tfm_main::ed_outputExit()
{
    const QString typed = AbsoluteOutputFolder(ed_output->text(), QDir::homePath());
    ed_output->setText(typed);
    if (!typed.isEmpty() && !QFileInfo(typed).isDir())
        QDir().mkdir(typed);
    if (typed.isEmpty() || !QFileInfo(typed).isDir()) {
        m_services.dialogs.message(MessageKind::Information, QStringLiteral("Unable to create the directory."));
        m_outputRefusalShown = true;
        return false;
    }
    m_outputTyped = false;
    m_outputRefusalShown = false;
    m_state.outputFolder = typed;
    m_settings.ed_output = typed;
    return true;
}

void Tfm_main::Properties1Click()
{
    if (m_list.selectedRow() < 0) {
        m_services.dialogs.message(MessageKind::Information, m_texts.LoadLanguageLine(30));
        return;
    }
    if (m_infoWindow)
        m_infoWindow->exec();
}
