#pragma once

// Tfm_about: the about box, created at start-up; no command shows it. When
// shown it takes the section "about" of the main window's skin.

#include <QDialog>

class TSkin;

class Tfm_about : public QDialog {
    Q_OBJECT
public:
    Tfm_about(TSkin &mainSkin, QWidget *owner = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    TSkin &m_skin;
};
