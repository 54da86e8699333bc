// The main window's own commands and what the skin and the layout file ask of it.

#include "main/dialogs/hint_window.h"
#include "main/window/main_window.h"
#include "main/picker/picker_panels.h"
#include "main/skin/picture_file.h"
#include "main/dialogs/settings_window.h"
#include "main/window/source_list_view.h"
#include "platform/dialogs/dialogs.h"
#include "platform/shell/shell.h"
#include "skin_controls/controls/combo_box.h"
#include "skin_controls/controls/image_button.h"
#include "skin_controls/controls/popup_menu.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <utility>

bool Tfm_main::hintWindowShowing() const
{
    return m_hintWindow && m_hintWindow->isVisible();
}

void Tfm_main::BringHintWindowToFront()
{
    m_hintWindow->raise();
    m_hintWindow->activateWindow();
}

bool Tfm_main::outputEditHasFocus() const
{
    return ed_output->hasFocus();
}

QPoint Tfm_main::popupOffset(const QString &section) const
{
    return ::PopupOffset(m_skinIni, section);
}

void Tfm_main::HidePreviewPanel()
{
    pl_play->hide();
}

void Tfm_main::SetPickerVisible(bool visible)
{
    m_picker->picker().SetPickerVisible(visible);
}

void Tfm_main::ShowProfilePicker()
{
    m_picker->picker().ShowProfilePicker(m_state.appliedProfile);
}

void Tfm_main::PopupMenu(PopupMenuId menu, QPoint offset)
{
    m_menus.value(menu)->popup(frameGeometry().topLeft() + offset);
}

void Tfm_main::WarnLine(int line)
{
    m_services.dialogs.message(MessageKind::Warning, m_texts.LoadLanguageLine(line));
}

void Tfm_main::StartConversion()
{
    if (!m_state.converting && !outputBoxTaken())
        return;
    m_queue.StartConversion();
}

// Start converts into the folder the output box shows, never into an older
// one: a folder typed there and not taken yet is taken now, and one that
// cannot be made refuses the run. A refusal the same press has just shown
// (the box is committed on mouse-down) is not shown twice.
bool Tfm_main::outputBoxTaken()
{
    const bool justShown = std::exchange(m_outputRefusalShown, false);
    if (!m_outputTyped)
        return true;
    if (justShown)
        return false;
    const bool taken = ed_outputExit();
    m_outputRefusalShown = false;
    return taken;
}

void Tfm_main::BrowseOutputFolder()
{
    const QString folder = m_services.dialogs.pickFolder(m_texts.LoadLanguageLine(37));
    if (folder.isEmpty())
        return;
    m_state.outputFolder = folder;
    m_settings.ed_output = folder;
    ed_output->setText(folder);
    m_outputTyped = false;
}

void Tfm_main::OpenOutputFolder()
{
    m_services.shell.openFolder(m_state.outputFolder);
}

void Tfm_main::ShowSettingsWindow()
{
    if (m_settingsWindow)
        m_settingsWindow->exec();
}

void Tfm_main::showHint(const QString &line)
{
    m_binding.hint.setText(line);
    m_binding.hint.redraw();
}

void Tfm_main::loadCategoryIcon(const QString &path)
{
    im_mainico->setPixmap(QPixmap::fromImage(LoadPicture(path)));
    im_mainico->adjustSize();
}

void Tfm_main::showProfileCaption(const QString &caption)
{
    m_binding.profilestext.setText(caption);
    m_binding.profilestext.redraw();
    // The category picture stands just left of the caption.
    const SkinRect r = m_binding.profilestext.rect();
    im_mainico->move(r.left - im_mainico->width() - 4, r.top + (r.height() - im_mainico->height()) / 2);
}

// --- Layout file ---------------------------------------------------------------

// Stored without a repaint: the menu shows them the next time it opens.
void Tfm_main::setPopupColors(const QString &menu, const PopupColors &colors)
{
    for (TsuiPopupMenu *m : std::as_const(m_menus)) {
        if (m->objectName() != menu)
            continue;
        m->setBarColor(colors.BarColor);
        m->setBorderColor(colors.BorderColor);
        m->setColor(colors.Color);
        m->setFontColor(colors.FontColor);
        m->setSelectedBorderColor(colors.SelectedBorderColor);
        m->setSelectedColor(colors.SelectedColor);
        m->setSelectedFontColor(colors.SelectedFontColor);
        m->setSeparatorColor(colors.SeparatorColor);
    }
}

void Tfm_main::setButtonBounds(const QString &button, const QRect &bounds)
{
    m_buttons.at(button)->setGeometry(bounds);
}

// Straight into the button's pictures: no size change, shown at the next paint.
void Tfm_main::loadButtonPictures(const QString &button, const ImageButtonPictures &pictures)
{
    TsuiImageButton *b = m_buttons.at(button);
    b->PicNormal().LoadFromFile(pictures.normal);
    b->PicMouseOn().LoadFromFile(pictures.mouseOn);
    b->PicDisabled().LoadFromFile(pictures.disabled);
    b->update();
}

void Tfm_main::setButtonVisible(const QString &button, bool visible)
{
    m_buttons.at(button)->setVisible(visible);
}

void Tfm_main::setComboPlace(const QString &combo, int left, int top, int width)
{
    TsuiComboBox *box = combo == cb_audio->objectName() ? cb_audio : cb_subtitle;
    box->setGeometry(left, top, width, box->height());
}

void Tfm_main::setComboColors(const QString &combo, const ComboColors &colors)
{
    TsuiComboBox *box = combo == cb_audio->objectName() ? cb_audio : cb_subtitle;
    box->setArrowColor(colors.ArrowColor);
    box->setBorderColor(colors.BorderColor);
    box->setButtonColor(colors.ButtonColor);
    box->setColor(colors.Color);
}

void Tfm_main::setOutputEdit(const QRect &bounds, bool visible)
{
    ed_output->setGeometry(bounds);
    ed_output->setVisible(visible);
}

void Tfm_main::movePanel(const QString &panel, int left, int top)
{
    if (QWidget *w = findChild<QWidget *>(panel))
        w->move(left, top);
}

void Tfm_main::setPreviewPanelBounds(const QRect &bounds)
{
    pl_play->setGeometry(bounds);
}

void Tfm_main::setListBounds(const QRect &bounds)
{
    lv->setGeometry(bounds);
}

void Tfm_main::setListColumnCaption(int column, const QString &caption)
{
    lv->headerItem()->setText(column, caption);
}

void Tfm_main::setListColumnWidth(int column, int width)
{
    lv->setLayoutColumnWidth(column, width);
}

void Tfm_main::setListCheckBoxes(bool shown)
{
    lv->setCheckBoxes(shown);
}

void Tfm_main::showTitle(int left, int top, int width, const QString &picture)
{
    const QPixmap pixmap = QPixmap::fromImage(LoadPicture(picture));
    img_name->setPixmap(pixmap);
    img_name->resize(pixmap.size());
    pl_appname->setGeometry(left, top, width, pixmap.height());
    pl_appname->show();
}

void Tfm_main::hideTitle()
{
    pl_appname->hide();
}
