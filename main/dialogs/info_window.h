#pragma once

// Tfm_info: the properties of the selected source row, read-only. Created at
// start-up; no command of the window shows it.

#include <QDialog>
#include <functional>

struct Toriginalinfo;

class Tfm_info : public QDialog {
    Q_OBJECT
public:
    // selected: the media facts of the list's first selected row, null when none.
    explicit Tfm_info(std::function<const Toriginalinfo *()> selected, QWidget *owner = nullptr);

    void FormShow();

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::function<const Toriginalinfo *()> m_selected;
};
