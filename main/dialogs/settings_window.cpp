#include "main/dialogs/settings_window.h"

#include "engine/engine_state.h"
#include "engine/language_texts.h"
#include "engine/quality_file.h"
#include "engine/settings_model.h"
#include "engine/size_estimate.h"
#include "main/skin/combo_binding.h"
#include "main/dialogs/frame_size_check.h"
#include "platform/dialogs/dialogs.h"
#include "skin_controls/controls/combo_box.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QLabel *Label(QWidget *parent, const char *name, const char *text)
{
    auto *label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

// Only a move of the focus to another control of the window leaves a box:
// opening its own list does not (the list takes the focus as it opens), nor
// does another window taking the focus (the check's own warning among them).
bool LeavesTheBox(const QComboBox &box, const QFocusEvent &event)
{
    if (event.reason() == Qt::PopupFocusReason || event.reason() == Qt::ActiveWindowFocusReason)
        return false;
    const QWidget *to = QApplication::focusWidget();
    return !to || to->window() != box.view()->window();
}

} // namespace

Tfm_set::Tfm_set(EngineState &state, SettingsModel &settings, EstimateRows &rows, const LanguageTexts &texts,
                 Dialogs &dialogs, std::function<TIniFile *()> quality, QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_state(state), m_settings(settings), m_rows(rows), m_texts(texts), m_dialogs(dialogs),
      m_quality(std::move(quality))
{
    setObjectName(QStringLiteral("Tfm_set"));
    setWindowTitle(QStringLiteral("Settings"));

    auto *format = new QGroupBox(QStringLiteral("Format Settings"), this);
    format->setObjectName(QStringLiteral("GroupBox1"));
    auto *formatLayout = new QFormLayout(format);
    cb_size = addCombo(format, "cb_size");
    cb_size->setEditable(true);
    cb_size->setToolTip(QStringLiteral("Video Quality"));
    cb_size->installEventFilter(this);
    formatLayout->addRow(Label(format, "Label1", "Video Size:"), cb_size);
    formatLayout->addRow(Label(format, "Label2", "Video Quality:"), addCombo(format, "cb_videobitrate"));
    formatLayout->addRow(Label(format, "Label3", "Audio Quality:"), addCombo(format, "cb_audiobitrate"));
    formatLayout->addRow(Label(format, "Label4", "Channel:"), addCombo(format, "cb_channel"));
    BindCombo(cb_size, m_settings.cb_size);
    BindCombo(findChild<QComboBox *>(QStringLiteral("cb_videobitrate")), m_settings.cb_videobitrate);
    BindCombo(findChild<QComboBox *>(QStringLiteral("cb_audiobitrate")), m_settings.cb_audiobitrate);
    BindCombo(findChild<QComboBox *>(QStringLiteral("cb_channel")), m_settings.cb_channel);

    auto *converter = new QGroupBox(QStringLiteral("Video Converter  Settings"), this);
    converter->setObjectName(QStringLiteral("GroupBox2"));
    auto *converterLayout = new QFormLayout(converter);
    QComboBox *threads = addCombo(converter, "CB_NT");
    converterLayout->addRow(Label(converter, "Label5", "Number of threads: "), threads);
    BindCombo(threads, m_settings.CB_NT);

    rg_finish = new QGroupBox(QStringLiteral("Output Settings"), this);
    rg_finish->setObjectName(QStringLiteral("rg_finish"));
    m_finishLayout = new QVBoxLayout(rg_finish);
    m_finishButtons = new QButtonGroup(this);
    setFinishItems(FinishChoiceTexts());

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(format);
    layout->addWidget(converter);
    layout->addWidget(rg_finish);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &Tfm_set::Button1Click);
    connect(cancel, &QPushButton::clicked, this, &Tfm_set::Button2Click);
}

QComboBox *Tfm_set::addCombo(QWidget *group, const char *name)
{
    auto *box = new TsuiComboBox(group);
    box->setObjectName(QString::fromLatin1(name));
    box->setMinimumContentsLength(18);
    return box;
}

void Tfm_set::setFinishItems(const QStringList &items)
{
    const int chosen = finishItem();
    for (QAbstractButton *b : m_finishButtons->buttons()) {
        m_finishButtons->removeButton(b);
        delete b;
    }
    for (int i = 0; i < items.size(); ++i) {
        auto *radio = new QRadioButton(items[i], rg_finish);
        m_finishButtons->addButton(radio, i);
        m_finishLayout->addWidget(radio);
    }
    setFinishItem(chosen);
}

int Tfm_set::finishItem() const
{
    return m_finishButtons->checkedId();
}

void Tfm_set::setFinishItem(int index)
{
    if (QAbstractButton *b = m_finishButtons->button(index))
        b->setChecked(true);
}

void Tfm_set::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

bool Tfm_set::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == cb_size && event->type() == QEvent::FocusOut &&
        LeavesTheBox(*cb_size, *static_cast<QFocusEvent *>(event)))
        cb_sizeExit();
    return QDialog::eventFilter(watched, event);
}

void Tfm_set::FormShow()
{
    if (parentWidget())
        move(parentWidget()->geometry().center() - rect().center());
    setFinishItem(m_state.FinishSelcet);
    m_settings.rg_finish = m_state.FinishSelcet;
    m_settings.CB_NT.SetItemIndex(m_state.ThCount);
}

void Tfm_set::Button1Click()
{
    m_settings.rg_finish = std::max(finishItem(), 0);
    m_state.FinishSelcet = m_settings.rg_finish;
    m_state.ThCount = std::max(m_settings.CB_NT.ItemIndex(), 0);
    UpdateAllEstimatedSizes(m_state, m_settings, m_rows);
    SaveProfileQuality(m_quality ? m_quality() : nullptr, m_state.appliedProfile, m_settings);
    accept();
}

void Tfm_set::Button2Click()
{
    reject();
}

void Tfm_set::cb_sizeExit()
{
    const QString text = m_texts.Lug(
        QStringLiteral("MessageDlg"),
        QStringLiteral("Invalid height or width, please input again or select from the pull-down menu."));
    const ComboModel &sizes = m_settings.cb_size;
    const int warnings = FrameSizeWarnings(sizes.Items(), sizes.Text());
    for (int i = 0; i < warnings; ++i)
        m_dialogs.message(MessageKind::Warning, text);
}
