#pragma once

// Which toolbar buttons, menu items and stream combos of the main window can
// be used. It depends on four facts (rows, a selected row, previewing,
// converting) and, for the add commands, on the source mode. One pass over a
// table computes every state; the window then applies them to its controls.

#include "engine/engine_state.h"

#include <QString>
#include <span>
#include <vector>

struct ControlFacts {
    int rowCount = 0;
    int selectedRow = -1; // -1: no row selected
    bool previewing = false;
    bool converting = false;
    SourceMode mode = SourceMode::FileRows;
};

enum class ControlProperty { Enabled, Visible };

// What one block of the table does to one control.
enum class ControlCell {
    Keep, // the block leaves the control as it is
    On,
    Off,
    FileOn, // on in file mode, off in DVD mode
    DvdOn,  // off in file mode, on in DVD mode
};

struct ControlRule {
    const char *control; // the control's object name
    ControlProperty property;
    ControlCell empty;      // the list has no rows
    ControlCell rows;       // rows, none selected
    ControlCell selected;   // a row selected
    ControlCell preview;    // a preview runs (applied after the first three)
    ControlCell converting; // a conversion runs (applied last)
};

// The rules, one per control and property.
std::span<const ControlRule> ControlRules();

// One value per rule, in the rules' order.
class ControlStates {
public:
    // What the controls show before the first update: every control enabled and visible.
    ControlStates();

    bool enabled(const QString &control) const;
    bool visible(const QString &control) const;
    bool value(size_t rule) const { return m_values.at(rule); }
    void set(size_t rule, bool value) { m_values.at(rule) = value; }

    bool operator==(const ControlStates &) const = default;

private:
    bool find(const QString &control, ControlProperty property) const;
    std::vector<bool> m_values;
};

// The new states for the facts; what no applied block sets keeps its value from `previous`.
ControlStates UpdateControlStates(const ControlFacts &facts, const ControlStates &previous);

// Where the states go: the window's controls, found by name.
class ControlStateSink {
public:
    virtual ~ControlStateSink() = default;
    virtual void setControlEnabled(const QString &control, bool enabled) = 0;
    virtual void setControlVisible(const QString &control, bool visible) = 0;
};

void ApplyControlStates(const ControlStates &states, ControlStateSink &sink);

// The skin's own buttons that do a picture button's (or menu item's) work,
// or lie beneath one: each is drawn on or off with it, and one drawn off
// takes no click. The skin's pause and the cut panel's close have no picture
// button of their own; they work while a preview runs, like the preview's stop.
struct SkinButtonRule {
    const char *skinObject;
    const char *control;
};
std::span<const SkinButtonRule> SkinButtonRules();
