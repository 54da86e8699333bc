#include "main/picker/picker_controller.h"

#include "engine/engine_state.h"

#include <utility>

namespace {

using P = PickerPanel;

// The order in which closing the picker hides its panels.
constexpr P kHideOrder[] = {P::Video1, P::Audio1,    P::Ipod,   P::Iphone, P::Psp, P::Phone,
                            P::Pmp,    P::Appletv,   P::Animation, P::Gphone, P::Win, P::Xbox,
                            P::Hd,     P::Avi,       P::Mpeg,   P::Mp4,    P::Mkv};
constexpr P kEditionHideOrder[] = {P::Avi, P::Mpeg, P::Mkv, P::Mp4};

// Pointing at these strip buttons also puts the back panel behind the video panel.
bool movesBackPanel(int button) { return button == 1 || button == 6 || button == 7; }

StripTimer timerOf(int arrowCode) { return arrowCode == kCodeUp ? StripTimer::Up : StripTimer::Down; }

} // namespace

ProfilePicker::ProfilePicker(PickerView &view, EngineState &state, QString executableName, PickerHooks hooks)
    : m_view(view), m_state(state), m_executableName(std::move(executableName)), m_hooks(std::move(hooks)),
      m_strip(::LayoutProfileStrip())
{
}

void ProfilePicker::SetPickerVisible(bool visible)
{
    m_view.showBackPanel(visible, QRect(0, 0, 0, 0));
    m_view.setMainVisible(visible);
    for (P panel : kHideOrder)
        m_view.setPanelVisible(panel, visible);
}

void ProfilePicker::RestoreCategoryImage(int category)
{
    if (const PickerCategory *c = FindPickerCategory(category)) {
        m_view.loadCategoryPicture(category, NormalCategoryPicture(*c));
        m_view.setPanelVisible(c->panel, false);
    }
    m_view.showBackPanel(true, m_view.panelRect(P::Video1));
    for (P panel : kEditionHideOrder)
        if (m_view.panelVisible(panel))
            m_view.setPanelVisible(panel, false);
}

void ProfilePicker::RestoreProfileButton(int code)
{
    PickerPanel edition{};
    const bool isEdition = PanelOfEditionNumber(code, &edition);
    if (m_view.mainVisible())
        m_view.showBackPanel(true, m_view.panelRect(isEdition ? P::Mpeg : P::Video1));
    if (isEdition)
        m_view.setPanelVisible(edition, false);
    for (const PickerButton *b : ButtonsOfCode(code))
        m_view.loadButtonPicture(b->id, NormalButtonPicture(code));
    if (code == kCodeUp || code == kCodeDown)
        m_view.setTimerRunning(timerOf(code), false);
}

void ProfilePicker::RestoreAllButtons()
{
    for (int code = 1; code <= kLastButton; ++code)
        RestoreProfileButton(code);
}

void ProfilePicker::LayoutProfileStrip()
{
    m_strip = ::LayoutProfileStrip();
    for (int i = 0; i < kStripButtons; ++i)
        m_view.placeButton(i + 1, 0, m_strip.tops[i]);
    m_view.placeButton(kButtonDown, 0, FindPickerButton(kButtonDown)->top);
    m_view.raiseButton(kButtonDown);
    m_view.placeButton(kButtonUp, 0, FindPickerButton(kButtonUp)->top);
    m_view.raiseButton(kButtonUp);
    m_view.setButtonVisible(kButtonUp, false);
    for (const auto &[id, top] : LayoutAudioPanel())
        m_view.placeButton(id, 0, top);
}

void ProfilePicker::SettingsLoaded() { m_hovered = m_state.currentProfile; }

void ProfilePicker::ShowProfilePicker(int appliedProfile)
{
    if (m_state.converting) {
        m_hooks.warnConverting();
        return;
    }
    if (!m_state.previewing && HasBrandWord(m_executableName))
        m_hooks.hidePreviewPanel();

    if (const auto opening = EditionOpeningFor(m_executableName, m_view.mainLeft())) {
        switch (opening->kind) {
        case EditionKind::Device:
            m_view.setPanelLeft(opening->panel, opening->left);
            m_view.setPanelFlat(opening->panel);
            for (const auto &[id, top] : opening->buttonTops)
                m_view.placeButton(id, 0, top);
            SetPickerVisible(false);
            m_view.setPanelVisible(opening->panel, true);
            break;
        case EditionKind::Format:
            SetPickerVisible(false);
            m_view.setPanelLeft(opening->panel, opening->left);
            m_view.setPanelVisible(opening->panel, true);
            break;
        case EditionKind::CloseOnly:
            SetPickerVisible(false);
            break;
        }
        return;
    }

    RestoreCategoryImage(m_state.currentCategory);
    m_view.setMainVisible(true);
    if (const PickerCategory *c = FindPickerCategory(PickerCategoryOfProfile(appliedProfile))) {
        m_view.setPanelVisible(c->panel, true);
        m_view.loadCategoryPicture(c->category, HoverCategoryPicture(*c));
        m_state.currentCategory = c->category;
    }
}

void ProfilePicker::CategoryHover(int category)
{
    const PickerCategory *c = FindPickerCategory(category);
    if (!c || m_state.currentCategory == category)
        return;
    RestoreCategoryImage(m_state.currentCategory);
    m_view.loadCategoryPicture(category, HoverCategoryPicture(*c));
    m_state.currentCategory = category;
    m_view.setPanelVisible(c->panel, true);
}

void ProfilePicker::ButtonHover(int button)
{
    const PickerButton *b = FindPickerButton(button);
    if (!b)
        return;
    switch (b->role) {
    case ButtonRole::Profile:
    case ButtonRole::Filler:
        hoverCode(b->code, *b);
        break;
    case ButtonRole::Arrow:
        arrowHover(*b);
        break;
    case ButtonRole::Still:
    case ButtonRole::Blank:
        break;
    }
}

void ProfilePicker::BackPanelHover() { hoverCode(109, *FindPickerButton(109)); }

void ProfilePicker::hoverCode(int code, const PickerButton &button)
{
    if (m_hovered == code)
        return;
    // Restoring an edition number hides its panel: not the one under the pointer.
    if (IsEditionPanel(button.panel) && m_hovered == EditionNumberOfPanel(button.panel))
        m_hovered = FirstCodeOfPanel(button.panel);
    RestoreProfileButton(m_hovered);
    if (movesBackPanel(button.id))
        m_view.showBackPanel(true, m_view.panelRect(P::Video1));
    m_view.loadButtonPicture(button.id, HoverButtonPicture(code));
    m_hovered = code;
}

void ProfilePicker::arrowHover(const PickerButton &arrow)
{
    // Both timers running would shake the strip between them.
    const int opposite = arrow.code == kCodeUp ? kCodeDown : kCodeUp;
    if (m_view.timerRunning(timerOf(opposite)))
        RestoreProfileButton(opposite);
    m_view.setTimerRunning(timerOf(arrow.code), true);
    m_view.loadButtonPicture(arrow.id, HoverButtonPicture(arrow.code));
    m_hovered = arrow.code;
}

void ProfilePicker::ButtonClick(int button)
{
    const PickerButton *b = FindPickerButton(button);
    if (!b || b->role != ButtonRole::Profile)
        return;
    // The engine reads the current profile while SelectProfile runs; a failed
    // selection leaves the previous profile in force.
    const int previous = m_state.currentProfile;
    m_state.currentProfile = b->code;
    SetPickerVisible(false);
    try {
        m_hooks.selectProfile(b->code);
    } catch (...) {
        m_state.currentProfile = previous;
        throw;
    }
}

void ProfilePicker::DownTimerTick()
{
    const bool atEnd = StripDownTick(m_strip);
    applyStrip();
    if (atEnd)
        m_view.setTimerRunning(StripTimer::Down, false);
}

void ProfilePicker::UpTimerTick()
{
    const bool atTop = StripUpTick(m_strip);
    applyStrip();
    if (atTop)
        m_view.setTimerRunning(StripTimer::Up, false);
}

void ProfilePicker::applyStrip()
{
    for (int i = 0; i < kStripButtons; ++i)
        m_view.placeButton(i + 1, 0, m_strip.tops[i]);
    m_view.setButtonVisible(kButtonUp, m_strip.upShown);
    m_view.setButtonVisible(kButtonDown, m_strip.downShown);
}
