// The main window's preview: the players over libmpv drawing into pl_play,
// the play buttons, the play bar and the clock text, the cut marks and the
// snapshot, wired to the window's controls and skin objects.

#include "disc/cut_marks.h"
#include "disc/preview_control.h"
#include "disc/snapshot.h"
#include "main/dialogs/hint_window.h"
#include "main/window/main_window.h"
#include "platform/errors/error_guard.h"
#include "platform/player/mpv_preview_players.h"
#include "platform/skin/skin_object.h"
#include "skin_controls/controls/image_button.h"

#include <QGuiApplication>

void Tfm_main::StartPreview()
{
    m_preview->StartPreview();
}

void Tfm_main::buildPreview()
{
    PreviewHooks hooks;
    hooks.updateControlStates = [this] { UpdateControlStates(); };
    hooks.showPreviewPanel = [this](bool visible) {
        pl_play->setVisible(visible);
        pl_play->update();
    };
    hooks.previewWindow = [this] {
        // Only an X11 window can take the player's video; elsewhere (offscreen) it plays unseen.
        const bool x11 = QGuiApplication::platformName() == QLatin1String("xcb");
        return PreviewWindow{x11 ? quintptr(pl_play->winId()) : 0, pl_play->width(), pl_play->height()};
    };
    hooks.playTimeText = [this] { return m_binding.play_time.getText(); };
    hooks.setPlayTime = [this](const QString &text) {
        m_binding.play_time.setText(text);
        m_binding.play_time.redraw();
    };
    hooks.playBarSlider = [this] { return m_binding.play_bar.position(); };
    hooks.setPlayBarSlider = [this](int p) {
        m_binding.play_bar.setPosition(p);
        m_binding.play_bar.redraw();
    };
    hooks.showPlayBar = [this](bool visible) {
        m_binding.play_bar.setVisible(visible);
        m_binding.play_bar.redraw();
    };
    hooks.setPlayBarPosition = [this](int p) { SetPlayBarPosition(p); };
    hooks.playBarDragging = [this] { return m_playBarDrag; };
    hooks.endPlayBarDrag = [this] { m_playBarDrag = false; };
    hooks.setButtonEnabled = [this](const QString &button, bool enabled) { m_buttons.at(button)->setEnabled(enabled); };
    hooks.showSelectedRow = [this] { call(m_plugins.rowClicked); };
    hooks.showPlayHint = [this] {
        if (!m_hintWindow || !m_skinIni.ReadBool(QStringLiteral("play"), QStringLiteral("hint"), true))
            return;
        m_hintWindow->setBusyMode(false);
        m_hintWindow->exec();
    };
    m_preview = std::make_unique<PreviewControl>(m_disc, m_state, m_list, m_texts, m_services.dialogs,
                                                 MakeMpvFilePreviewPlayer(), MakeMpvDvdPreviewPlayer(),
                                                 std::move(hooks));

    m_plugins.StopPreview = [this] { m_preview->StopPreview(); };
    m_plugins.TogglePreviewPause = [this] { m_preview->TogglePreviewPause(); };
    m_plugins.SeekPreviewBack = [this] { m_preview->SeekPreviewBack(); };
    m_plugins.SeekPreviewForward = [this] { m_preview->SeekPreviewForward(); };
    m_plugins.skinMouseUp = [this](ISkinObject *source, int, int, int) {
        m_preview->Skin1MouseUp(source->GetObjectName());
    };

    const auto setSkinText = [this](const QString &object, const QString &text) {
        if (const BoundSkinObject *o = m_binding.find(object)) {
            o->setText(text);
            o->redraw();
        }
    };
    const auto cutTarget = [this, setSkinText] {
        return CutMarkTarget{m_list, m_disc, m_state, *m_preview, setSkinText};
    };
    const std::pair<const char *, std::function<void()>> commands[] = {
        {"bt_begin", [cutTarget] { SetCutBegin(cutTarget()); }},
        {"bt_end", [cutTarget] { SetCutEnd(cutTarget()); }},
        {"bt_images",
         [this] {
             TakeSnapshot({m_list, m_disc, m_state, m_settings, m_texts, m_services.dialogs, *m_preview,
                           [this](int slot, int job, const intputrec &j) { m_queue.StartSlotJob(slot, job, j); }});
         }},
    };
    for (const auto &[button, command] : commands)
        connect(m_buttons.at(QString::fromLatin1(button)), &TsuiImageButton::clicked, this,
                Guarded(m_services.errors, command));
}
