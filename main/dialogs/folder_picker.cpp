#include "main/dialogs/folder_picker.h"

#include <QDir>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

Tfm_dir::Tfm_dir(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      m_model(new QFileSystemModel(this)), ShellTreeView1(new QTreeView(this)),
      btn_ok(new QPushButton(QStringLiteral("Ok"), this)), btn_cancel(new QPushButton(QStringLiteral("Cancel"), this))
{
    setObjectName(QStringLiteral("Tfm_dir"));
    setWindowTitle(QStringLiteral("Output Directory"));
    ShellTreeView1->setObjectName(QStringLiteral("ShellTreeView1"));
    btn_ok->setObjectName(QStringLiteral("btn_ok"));
    btn_cancel->setObjectName(QStringLiteral("btn_cancel"));

    // Folders only, from the top of the file system; the tree is read as it is opened.
    m_model->setFilter(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_model->setRootPath(QString());
    ShellTreeView1->setModel(m_model);
    for (int column = 1; column < m_model->columnCount(); ++column)
        ShellTreeView1->hideColumn(column);
    ShellTreeView1->header()->hide();
    ShellTreeView1->setContextMenuPolicy(Qt::PreventContextMenu);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btn_ok);
    buttons->addWidget(btn_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(ShellTreeView1);
    layout->addLayout(buttons);
    resize(360, 420);

    connect(btn_ok, &QPushButton::clicked, this, &Tfm_dir::btn_okClick);
    connect(btn_cancel, &QPushButton::clicked, this, &Tfm_dir::btn_cancelClick);
}

QString Tfm_dir::pick(const QString &caption)
{
    setWindowTitle(caption);
    if (parentWidget())
        move(parentWidget()->geometry().center() - rect().center());
    return exec() == QDialog::Accepted ? selectedFolder() : QString();
}

QString Tfm_dir::selectedFolder() const
{
    const QModelIndex index = ShellTreeView1->currentIndex();
    return index.isValid() ? m_model->filePath(index) : QString();
}

void Tfm_dir::selectFolder(const QString &path)
{
    const QModelIndex index = m_model->index(path);
    ShellTreeView1->setCurrentIndex(index);
    ShellTreeView1->scrollTo(index);
}

void Tfm_dir::btn_okClick()
{
    if (!selectedFolder().isEmpty())
        accept();
}

void Tfm_dir::btn_cancelClick()
{
    reject();
}
