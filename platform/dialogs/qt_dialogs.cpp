#include "platform/dialogs/qt_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {

struct KindLook {
    QMessageBox::Icon icon;
    const char *title;
};

KindLook look(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Warning:
        return {QMessageBox::Warning, "Warning"};
    case MessageKind::Information:
        return {QMessageBox::Information, "Information"};
    case MessageKind::Confirmation:
        return {QMessageBox::Question, "Confirm"};
    case MessageKind::Error:
        return {QMessageBox::Critical, "Error"};
    }
    return {QMessageBox::NoIcon, ""};
}

} // namespace

QtDialogs::QtDialogs(QWidget *owner) : m_owner(owner) {}

void QtDialogs::message(MessageKind kind, const QString &text)
{
    const KindLook l = look(kind);
    QMessageBox box(l.icon, QString::fromLatin1(l.title), text, QMessageBox::Ok, m_owner);
    box.exec();
}

bool QtDialogs::ask(MessageKind kind, const QString &text)
{
    const KindLook l = look(kind);
    QMessageBox box(l.icon, QString::fromLatin1(l.title), text, QMessageBox::Yes | QMessageBox::No, m_owner);
    return box.exec() == QMessageBox::Yes;
}

// The dialog reads the patterns from the entry's last parentheses and shows
// the entry as it is. A description that already names its patterns (in the
// Windows form "(*.dv;*.dif)") gives them up for the list the dialog can read,
// so that the entry shows them once.
QStringList QtDialogs::nameFilters(const QVector<FileFilter> &filter)
{
    QStringList out;
    for (const FileFilter &f : filter) {
        QString description = f.description.trimmed();
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open > 0 && description.endsWith(QLatin1Char(')')) && description.indexOf(QLatin1Char('*'), open) > 0)
            description = description.left(open).trimmed();
        out << description + QStringLiteral(" (") + f.patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return out;
}

QStringList QtDialogs::openFiles(const QVector<FileFilter> &filter)
{
    QFileDialog dialog(m_owner);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(nameFilters(filter));
    dialog.setFilter(dialog.filter() | QDir::Hidden);
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

QString QtDialogs::pickFolder(const QString &caption)
{
    return QFileDialog::getExistingDirectory(m_owner, caption);
}
