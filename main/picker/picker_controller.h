#pragma once

// What the profile picker does, apart from its widgets: opening it, the
// category and button hovers with their restores, the strip arrows and
// timers, and the click that selects a profile. The widgets (or a test)
// implement PickerView; every picture load may throw, which ends the handler
// at that step, so state set after the load keeps its old value.

#include "main/picker/picker_editions.h"
#include "main/picker/picker_strip.h"
#include "main/picker/picker_tables.h"

#include <QRect>
#include <QString>
#include <functional>

struct EngineState;

enum class StripTimer { Down, Up }; // `downtime`, `uptime`

class PickerView {
public:
    virtual ~PickerView() = default;
    // Loads a picture (path relative to the executable's folder); throws when it cannot be read.
    virtual void loadButtonPicture(int button, const QString &relativePath) = 0;
    virtual void loadCategoryPicture(int category, const QString &relativePath) = 0;

    virtual void setPanelVisible(PickerPanel panel, bool visible) = 0;
    virtual bool panelVisible(PickerPanel panel) const = 0;
    virtual QRect panelRect(PickerPanel panel) const = 0;
    // Moves a device edition's panel and gives it a flat look with a single-line border.
    virtual void setPanelLeft(PickerPanel panel, int left) = 0;
    virtual void setPanelFlat(PickerPanel panel) = 0;

    virtual void setMainVisible(bool visible) = 0; // pl_main
    virtual bool mainVisible() const = 0;
    virtual int mainLeft() const = 0;

    // The back panel pl_back together with the skin's frame that follows it.
    virtual void showBackPanel(bool visible, const QRect &rect) = 0;

    virtual void placeButton(int button, int left, int top) = 0;
    virtual void setButtonVisible(int button, bool visible) = 0;
    virtual void raiseButton(int button) = 0;

    virtual void setTimerRunning(StripTimer timer, bool running) = 0;
    virtual bool timerRunning(StripTimer timer) const = 0;
};

// What the rest of the main window does for the picker.
struct PickerHooks {
    std::function<void(int)> selectProfile;     // SelectProfile of the catalogue
    std::function<void()> warnConverting;       // the busy refusal (language line 26, warning box)
    std::function<void()> hidePreviewPanel;     // hides pl_play
};

class ProfilePicker {
public:
    // executableName: the logical executable file name that decides the edition.
    ProfilePicker(PickerView &view, EngineState &state, QString executableName, PickerHooks hooks);

    void SetPickerVisible(bool visible);
    void RestoreCategoryImage(int category);
    void RestoreProfileButton(int code);
    // Start-up: every normal picture (codes 1 .. 134), then the strip layout.
    void RestoreAllButtons();
    void LayoutProfileStrip();
    // After the settings are read: the hovered code is the current profile.
    void SettingsLoaded();

    void ShowProfilePicker(int appliedProfile);

    void CategoryHover(int category);
    // A mouse move over a button (by id); arrows, fillers and blanks included.
    void ButtonHover(int button);
    // The back panel's picture: restores the last hovered button like btim_109 does.
    void BackPanelHover();
    void ButtonClick(int button);

    void DownTimerTick();
    void UpTimerTick();

    int hoveredCode() const { return m_hovered; }
    const ProfileStrip &strip() const { return m_strip; }

private:
    void hoverCode(int code, const PickerButton &button);
    void arrowHover(const PickerButton &arrow);
    void applyStrip();

    PickerView &m_view;
    EngineState &m_state;
    QString m_executableName;
    PickerHooks m_hooks;
    int m_hovered = -1;
    ProfileStrip m_strip;
};
