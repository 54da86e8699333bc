#pragma once

// Tfm_dir: the modal folder picker. pick() shows it and returns the chosen
// folder, or empty when it was left without OK.

#include <QDialog>
#include <QString>

class QFileSystemModel;
class QPushButton;
class QTreeView;

class Tfm_dir : public QDialog {
    Q_OBJECT
public:
    explicit Tfm_dir(QWidget *owner = nullptr);

    // Shows the picker modally with that caption: the folder chosen with OK;
    // Escape, the title bar's close and Cancel choose none.
    QString pick(const QString &caption);

    // The folder selected in the tree, empty when none.
    QString selectedFolder() const;
    void selectFolder(const QString &path);

    void btn_okClick();
    void btn_cancelClick();

private:
    QFileSystemModel *m_model;
    QTreeView *ShellTreeView1;
    QPushButton *btn_ok;
    QPushButton *btn_cancel;
};
