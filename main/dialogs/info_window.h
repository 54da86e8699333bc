#pragma once

// Tfm_info: the properties of the selected source row, read-only. Created at
// start-up; no command of the window shows it.

#include <QDialog>
#include <QString>
#include <functional>

struct Toriginalinfo;

class Tfm_info : public QDialog {
    Q_OBJECT
public:
    // selected: the media facts of the list's first selected row, null when
    // none; selectedNote: what the encoder said at that row's last end.
    explicit Tfm_info(std::function<const Toriginalinfo *()> selected, std::function<QString()> selectedNote = {},
                      QWidget *owner = nullptr);

    void FormShow();

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::function<const Toriginalinfo *()> m_selected;
    std::function<QString()> m_selectedNote;
};
