#pragma once

// Tfm_show: the update-download window, created at start-up with its own skin
// ("wait.skn", section "show"); no command shows it and no download starts.

#include <QDialog>

class TSkin;
class TsuiButton;
class TsuiProgressBar;

class Tfm_show : public QDialog {
    Q_OBJECT
public:
    // Loads the skin at once: a missing or damaged "wait.skn" throws.
    explicit Tfm_show(const QString &waitSkinPath, QWidget *owner = nullptr);

private:
    TSkin *Skin1;
    TsuiProgressBar *pb_update;
    TsuiButton *suiButton1;
};
