#pragma once

// Tfm_set: the settings window. Its four format lists and the thread count are
// the engine's list models; the after-finish choice and the thread count are
// taken over by OK and forgotten by Cancel.

#include <QDialog>
#include <QStringList>
#include <functional>

class Dialogs;
class EstimateRows;
class LanguageTexts;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QVBoxLayout;
class SettingsModel;
class TIniFile;
struct EngineState;

class Tfm_set : public QDialog {
    Q_OBJECT
public:
    // quality: the open quality file at the time of OK (null stores nothing).
    Tfm_set(EngineState &state, SettingsModel &settings, EstimateRows &rows, const LanguageTexts &texts,
            Dialogs &dialogs, std::function<TIniFile *()> quality, QWidget *owner = nullptr);

    void FormShow();
    void Button1Click();
    void Button2Click();
    void cb_sizeExit();

    // The radio group's items (set by the language pass) and its choice.
    void setFinishItems(const QStringList &items);
    int finishItem() const;
    void setFinishItem(int index);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QComboBox *addCombo(QWidget *group, const char *name);

    EngineState &m_state;
    SettingsModel &m_settings;
    EstimateRows &m_rows;
    const LanguageTexts &m_texts;
    Dialogs &m_dialogs;
    std::function<TIniFile *()> m_quality;

    QComboBox *cb_size;
    QGroupBox *rg_finish;
    QVBoxLayout *m_finishLayout;
    QButtonGroup *m_finishButtons;
};
