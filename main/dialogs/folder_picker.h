#pragma once

// Tfm_dir: the modal folder picker. Its caller sets the caption, shows it and
// reads `result()`: the chosen folder, or empty when it was left without OK.

#include <QDialog>
#include <QString>

class QFileSystemModel;
class QPushButton;
class QTreeView;

class Tfm_dir : public QDialog {
    Q_OBJECT
public:
    explicit Tfm_dir(QWidget *owner = nullptr);

    // Shows the picker modally with that caption; the result afterwards.
    QString pick(const QString &caption);
    const QString &result() const { return m_result; }

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
    QString m_result;
};
