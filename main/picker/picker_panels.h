#pragma once

// The profile picker's widgets on the main window: the category column
// pl_main, the seventeen panels of picture buttons, the back panel pl_back and
// the strip timers. Mouse events go to ProfilePicker inside the error guard,
// so a picture that cannot be loaded is shown in the error box and ends that
// handler. The widgets are children of the form; this object only drives them
// and must not outlive the form.
//
//   ProfilePickerPanels picker(form, exeFolder, exeName, state, hooks, errors, backFrame);
//   picker.picker().SetPickerVisible(false);
//   ... layout file: picker.movePanel(name, left, top) ...
//   picker.picker().RestoreAllButtons();
//   picker.picker().LayoutProfileStrip();
//   ... LoadSettings ...
//   picker.picker().SettingsLoaded();
//   picker.picker().ShowProfilePicker(state.appliedProfile); // the "profiles" object

#include "main/picker/picker_controller.h"

#include <QLabel>
#include <QObject>
#include <QPoint>
#include <QTimer>
#include <array>
#include <functional>
#include <map>

class ErrorBox;
class QFrame;

// A picture control that takes no focus and reports pointer moves and left clicks.
class PickerImage : public QLabel {
    Q_OBJECT
public:
    explicit PickerImage(QWidget *parent);

    // The picture file last loaded, relative to the executable's folder.
    QString pictureFile() const { return m_file; }
    // Shows the picture at path (file: relative to the executable's folder).
    // An image not on screen reads it when it is first shown: the start does
    // not decode the pictures of the closed picker. A missing file throws.
    void setPicture(const QString &path, const QString &file);

signals:
    void moved();
    void clicked();

protected:
    void showEvent(QShowEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void showPicture();

    QString m_file;
    QString m_unread; // the path of a picture set while hidden, not read yet
    bool m_pressed = false;
};

class ProfilePickerPanels : public QObject, public PickerView {
    Q_OBJECT
public:
    // Builds the widgets, hidden, with the category column's normal pictures
    // (a missing one goes to the error box). backFrame moves the skin's frame
    // that follows the back panel; it may be empty.
    ProfilePickerPanels(QWidget *form, QString executableFolder, QString executableName, EngineState &state,
                        PickerHooks hooks, ErrorBox &errors,
                        std::function<void(bool, const QRect &)> backFrame = {});
    ~ProfilePickerPanels() override;

    ProfilePicker &picker() { return m_picker; }

    // Moves pl_main or a category or edition panel by name (the layout file's
    // places); false for a name that is none of the picker's.
    bool movePanel(const QString &name, int left, int top);
    // Puts the picker in front of the form's other children (built after it),
    // keeping its own order: the back panel under the panels, the column on top.
    void bringToFront();

    PickerImage *button(int id) const;
    PickerImage *categoryPicture(int category) const;
    QFrame *panel(PickerPanel panel) const;
    QFrame *mainPanel() const { return m_main; }
    QFrame *backPanel() const { return m_back; }
    PickerImage *backPicture() const { return m_backPicture; }
    QTimer *timer(StripTimer timer);

    // PickerView
    void loadButtonPicture(int button, const QString &relativePath) override;
    void loadCategoryPicture(int category, const QString &relativePath) override;
    void setPanelVisible(PickerPanel panel, bool visible) override;
    bool panelVisible(PickerPanel panel) const override;
    QRect panelRect(PickerPanel panel) const override;
    void setPanelLeft(PickerPanel panel, int left) override;
    void setPanelFlat(PickerPanel panel) override;
    void setMainVisible(bool visible) override;
    bool mainVisible() const override;
    int mainLeft() const override;
    void showBackPanel(bool visible, const QRect &rect) override;
    void placeButton(int button, int left, int top) override;
    void setButtonVisible(int button, bool visible) override;
    void raiseButton(int button) override;
    void setTimerRunning(StripTimer timer, bool running) override;
    bool timerRunning(StripTimer timer) const override;

private:
    struct PanelWidgets {
        QFrame *frame = nullptr;
        QWidget *client = nullptr; // holds the buttons; inset by the border when flat
    };

    void buildColumn(QWidget *form);
    void buildPanels(QWidget *form);
    void guarded(const std::function<void()> &handler);

    QString m_folder;
    ErrorBox &m_errors;
    std::function<void(bool, const QRect &)> m_backFrame;
    QFrame *m_main = nullptr;
    QFrame *m_back = nullptr;
    PickerImage *m_backPicture = nullptr;
    std::array<PickerImage *, kCategoryCount + 1> m_categories{};
    std::array<PanelWidgets, kPanelCount + 1> m_panels{};
    std::map<int, PickerImage *> m_buttons;
    QTimer m_downtime;
    QTimer m_uptime;
    ProfilePicker m_picker;
};
