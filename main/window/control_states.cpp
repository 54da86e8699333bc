#include "main/window/control_states.h"

#include <array>
#include <stdexcept>

namespace {

using P = ControlProperty;
constexpr ControlCell K = ControlCell::Keep;
constexpr ControlCell on = ControlCell::On;
constexpr ControlCell off = ControlCell::Off;
constexpr ControlCell F = ControlCell::FileOn;
constexpr ControlCell D = ControlCell::DvdOn;

//                                               empty rows sel  preview converting
constexpr std::array kRules{
    ControlRule{"bt_begin", P::Enabled,            off,  off, off, on,  off},
    ControlRule{"bt_end", P::Enabled,              off,  off, off, on,  off},
    ControlRule{"AddFiles2", P::Enabled,           on,   D,   D,   off, off},
    ControlRule{"AddFolder2", P::Enabled,          on,   on,  on,  off, off},
    ControlRule{"Remove1", P::Enabled,             off,  off, on,  off, off},
    ControlRule{"Clear2", P::Enabled,              off,  on,  on,  off, off},
    ControlRule{"Rename1", P::Enabled,             off,  off, on,  off, off},
    ControlRule{"SelectAll1", P::Enabled,          off,  on,  on,  off, off},
    ControlRule{"UnselectAll1", P::Enabled,        off,  on,  on,  off, off},
    ControlRule{"Convert2", P::Enabled,            off,  on,  on,  off, off},
    ControlRule{"Stop2", P::Enabled,               off,  off, off, off, on},
    ControlRule{"bt_dvdopen", P::Enabled,          on,   D,   D,   off, off},
    ControlRule{"AddIFOFiles1", P::Enabled,        K,    D,   D,   K,   K},
    ControlRule{"bt_open", P::Enabled,             on,   F,   F,   off, off},
    ControlRule{"AddVideoFiles1", P::Enabled,      K,    F,   F,   K,   K},
    ControlRule{"AddVideoFolder1", P::Enabled,     K,    F,   F,   K,   K},
    ControlRule{"bt_ifo", P::Enabled,              on,   on,  on,  off, off},
    ControlRule{"bt_remove", P::Enabled,           off,  off, on,  off, off},
    ControlRule{"bt_clear", P::Enabled,            off,  on,  on,  off, off},
    ControlRule{"bt_chapte", P::Enabled,           off,  on,  on,  off, off},
    ControlRule{"bt_set", P::Enabled,              off,  on,  on,  off, off},
    ControlRule{"bt_back", P::Enabled,             off,  off, off, on,  off},
    ControlRule{"bt_play", P::Enabled,             off,  off, on,  off, off},
    ControlRule{"bt_next", P::Enabled,             off,  off, off, on,  off},
    ControlRule{"bt_playstop", P::Enabled,         off,  off, off, on,  off},
    ControlRule{"bt_cut", P::Enabled,              off,  off, on,  off, off},
    ControlRule{"bt_images", P::Enabled,           off,  off, off, on,  off},
    ControlRule{"bt_start", P::Visible,            on,   on,  on,  on,  off},
    ControlRule{"bt_start", P::Enabled,            off,  on,  on,  off, off},
    ControlRule{"Bt_Convertstop", P::Visible,      on,   on,  on,  on,  on},
    ControlRule{"Bt_Convertstop", P::Enabled,      off,  off, off, off, on},
    ControlRule{"bt_pause", P::Enabled,            off,  off, off, off, off},
    ControlRule{"bt_all", P::Enabled,              off,  on,  on,  off, off},
    ControlRule{"bt_none", P::Enabled,             off,  on,  on,  off, off},
    ControlRule{"cb_audio", P::Enabled,            off,  off, on,  on,  off},
    ControlRule{"cb_subtitle", P::Enabled,         off,  off, on,  on,  off},
};

// The cell's value, or `current` for a cell that leaves the control alone.
bool CellValue(ControlCell cell, SourceMode mode, bool current)
{
    switch (cell) {
    case ControlCell::Keep:
        return current;
    case ControlCell::On:
        return true;
    case ControlCell::Off:
        return false;
    case ControlCell::FileOn:
        return mode == SourceMode::FileRows;
    case ControlCell::DvdOn:
        return mode == SourceMode::DvdRows;
    }
    return current;
}

} // namespace

std::span<const ControlRule> ControlRules()
{
    return kRules;
}

std::span<const SkinButtonRule> SkinButtonRules()
{
    static constexpr SkinButtonRule kSkinButtons[] = {
        {"converter", "bt_start"},  {"stopconverter", "Bt_Convertstop"}, {"play", "bt_play"},
        {"stop", "bt_playstop"},    {"pause", "bt_playstop"},            {"hou", "bt_back"},
        {"qian", "bt_next"},        {"chapter", "bt_chapte"},            {"dvdopen", "bt_dvdopen"},
        {"openfiles", "bt_open"},   {"ifoopen", "bt_ifo"},               {"openfolder", "AddFolder2"},
        {"remove", "bt_remove"},    {"clear", "bt_clear"},               {"begin", "bt_begin"},
        {"end", "bt_end"},          {"cutter", "bt_cut"},                {"cutclose", "bt_playstop"},
    };
    return kSkinButtons;
}

ControlStates::ControlStates() : m_values(kRules.size(), true) {}

bool ControlStates::find(const QString &control, ControlProperty property) const
{
    for (size_t i = 0; i < kRules.size(); ++i)
        if (kRules[i].property == property && control == QLatin1String(kRules[i].control))
            return m_values[i];
    throw std::invalid_argument("no control state for " + control.toStdString());
}

bool ControlStates::enabled(const QString &control) const
{
    return find(control, ControlProperty::Enabled);
}

bool ControlStates::visible(const QString &control) const
{
    return find(control, ControlProperty::Visible);
}

ControlStates UpdateControlStates(const ControlFacts &facts, const ControlStates &previous)
{
    ControlStates next = previous;
    for (size_t i = 0; i < kRules.size(); ++i) {
        const ControlRule &rule = kRules[i];
        const ControlCell first = facts.rowCount == 0     ? rule.empty
                                  : facts.selectedRow < 0 ? rule.rows
                                                          : rule.selected;
        bool value = CellValue(first, facts.mode, previous.value(i));
        if (facts.previewing)
            value = CellValue(rule.preview, facts.mode, value);
        if (facts.converting)
            value = CellValue(rule.converting, facts.mode, value);
        next.set(i, value);
    }
    return next;
}

void ApplyControlStates(const ControlStates &states, ControlStateSink &sink)
{
    for (size_t i = 0; i < kRules.size(); ++i) {
        const QString control = QLatin1String(kRules[i].control);
        if (kRules[i].property == ControlProperty::Visible)
            sink.setControlVisible(control, states.value(i));
        else
            sink.setControlEnabled(control, states.value(i));
    }
}
