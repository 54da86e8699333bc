#pragma once

// Tfm_add: the borderless hint window, drawn by its own skin from "wait.skn":
// section "show" while the program is busy (a DVD opens), "showplay" before a
// file preview, with the check box that stops the play hint for good.

#include <QDialog>

class QCheckBox;
class SkinIni;
class TSkin;

class Tfm_add : public QDialog {
    Q_OBJECT
public:
    Tfm_add(QString waitSkinPath, SkinIni &skinIni, QWidget *owner = nullptr);
    ~Tfm_add() override;

    // Busy (true) or play hint (false); false after start-up.
    void setBusyMode(bool busy) { m_busy = busy; }
    bool busyMode() const { return m_busy; }

    void FormShow();
    void cb_playhintClick();

    QCheckBox *playHintBox() const { return cb_playhint; }
    TSkin &skin() const { return *Skin1; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    QString m_waitSkinPath;
    SkinIni &m_skinIni;
    TSkin *Skin1;
    QCheckBox *cb_playhint;
    bool m_busy = false;
};
