#include "main/dialogs/info_window.h"

#include "engine/records.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct Field {
    int group;
    const char *label, *edit, *caption;
};

constexpr Field kFields[] = {
    {0, "lb_duration", "ed_duration", "Duration:"},        {0, "lb_videobit", "ed_videobit", "Bit Rate:"},
    {1, "lb_videoformat", "ed_videoformat", "Format:"},    {1, "lb_resolution", "ed_resolution", "Resolution:"},
    {1, "lb_frame", "ed_frame", "Frame Rate:"},            {2, "lb_audioformat", "ed_audioformat", "Format:"},
    {2, "lb_audiobit", "ed_audiobit", "Bit Rate:"},        {2, "lb_sample", "ed_sample", "Sample Rate:"},
    {2, "lb_channels", "ed_channels", "Channels:"},        {0, "lb_note", "ed_note", "Last message:"},
};

} // namespace

Tfm_info::Tfm_info(std::function<const Toriginalinfo *()> selected, std::function<QString()> selectedNote,
                   QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_selected(std::move(selected)), m_selectedNote(std::move(selectedNote))
{
    setObjectName(QStringLiteral("Tfm_info"));
    setWindowTitle(QStringLiteral("Properties"));
    auto *layout = new QVBoxLayout(this);
    QFormLayout *forms[3];
    for (int g = 0; g < 3; ++g) {
        auto *group = new QGroupBox(QStringLiteral("Basic Info"), this);
        group->setObjectName(QStringLiteral("GroupBox%1").arg(g + 1));
        forms[g] = new QFormLayout(group);
        layout->addWidget(group);
    }
    for (const Field &f : kFields) {
        auto *label = new QLabel(QString::fromUtf8(f.caption), this);
        label->setObjectName(QString::fromLatin1(f.label));
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(f.edit));
        edit->setReadOnly(true);
        forms[f.group]->addRow(label, edit);
    }
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    layout->addWidget(ok, 0, Qt::AlignRight);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void Tfm_info::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

void Tfm_info::FormShow()
{
    const Toriginalinfo *info = m_selected ? m_selected() : nullptr;
    if (!info)
        return;
    const auto set = [this](const char *edit, const QString &text) {
        findChild<QLineEdit *>(QString::fromLatin1(edit))->setText(text);
    };
    const QString kbs = QStringLiteral(" Kb/s");
    set("ed_duration", info->duration);
    set("ed_videobit", info->videoBitrate + kbs);
    set("ed_videoformat", info->videoCodec);
    set("ed_resolution", info->frameSize);
    set("ed_frame", info->frameRate);
    set("ed_audioformat", info->audioCodec);
    set("ed_audiobit", info->audioBitrate + kbs);
    set("ed_sample", info->sampleRate);
    set("ed_channels", info->channels);
    const QString note = m_selectedNote ? m_selectedNote() : QString();
    set("ed_note", note);
    findChild<QLineEdit *>(QStringLiteral("ed_note"))->setToolTip(note);
}
