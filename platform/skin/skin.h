#pragma once

// Our skin engine. One TSkin per window that is drawn by a skin (it can also
// dress further windows, as the about box borrows the main window's skin):
//
//   TSkin skin;
//   skin.LoadSkinFile(folder + "/skn.skn");
//   skin.ApplySkinToWindow(window);
//   skin.ApplySkinSection(window, "popravenmoor");
//   ISkinObject *hint = skin.GetWindowObject(window)->FindChildObject("hint");
//   hint->TextFacet()->SetText("..."); hint->FrameFacet()->Redraw();
//
// The window takes the section's size and is painted beneath its child
// widgets. Events are raised from the window's real mouse events on the drawn
// objects (the topmost shown, non-passive object under the pointer; the
// window object over bare background). While a button is held, every event
// goes to the object it went down on. Coordinates are window pixels.
//   OnMouseDown / OnMouseUp  any button (Qt::MouseButton value: 1 left, 2 right, 4 middle)
//   OnClick                  left button released over the object it went down on,
//                            after its OnMouseUp
//   OnMouseMove              every pointer move
//   OnScrollTrack            a slider pressed or dragged with the left button; its
//                            position is already set to the pointer's place
// Every failure throws SkinError: a missing or damaged file, a missing
// section or picture, a call before a file is loaded.

#include "platform/skin/skin_file.h"
#include "platform/skin/skin_object.h"

#include <QObject>
#include <QWidget>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class SkinWindow;
class SkinElement;
class SkinPictures;

class TSkin : public QObject {
    Q_OBJECT
public:
    explicit TSkin(QObject *parent = nullptr);
    ~TSkin() override;

    void LoadSkinFile(const QString &path);
    void ApplySkinToWindow(QWidget *window);
    // Also dresses a window that was not given to ApplySkinToWindow.
    void ApplySkinSection(QWidget *window, const QString &section);
    // The window's skin object; SkinError for a window this skin never dressed.
    ISkinWindowObject *GetWindowObject(QWidget *window);

    // The loaded file; SkinError before LoadSkinFile.
    const SkinFile &LoadedFile() const;

signals:
    void OnClick(ISkinObject *source);
    void OnMouseDown(ISkinObject *source, int button, int x, int y);
    void OnMouseUp(ISkinObject *source, int button, int x, int y);
    void OnMouseMove(ISkinObject *source, int x, int y);
    void OnScrollTrack(ISkinObject *source, int newPos);

private:
    SkinWindow &dress(QWidget *window);
    void forget(QWidget *window);

    std::optional<SkinFile> m_file;
    std::unique_ptr<SkinPictures> m_pictures;
    std::map<QWidget *, std::unique_ptr<SkinWindow>> m_windows;
    // Kept so that pointers handed out stay valid for the skin's whole life.
    std::vector<std::unique_ptr<SkinWindow>> m_retiredWindows;
    std::vector<std::unique_ptr<SkinElement>> m_retiredElements;
};
