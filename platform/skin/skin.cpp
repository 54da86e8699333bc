#include "platform/skin/skin.h"

#include "platform/skin/skin_element.h"
#include "platform/skin/skin_error.h"
#include "platform/skin/skin_pictures.h"
#include "platform/skin/skin_window.h"

TSkin::TSkin(QObject *parent) : QObject(parent), m_pictures(std::make_unique<SkinPictures>()) {}

TSkin::~TSkin()
{
    // The windows' event filters go first, so no event reaches a half-destroyed skin.
    m_windows.clear();
    m_retiredWindows.clear();
}

void TSkin::LoadSkinFile(const QString &path)
{
    m_file = ReadSkinFile(path);
}

const SkinFile &TSkin::LoadedFile() const
{
    if (!m_file)
        throw SkinError(QStringLiteral("No skin file is loaded"));
    return *m_file;
}

void TSkin::ApplySkinToWindow(QWidget *window)
{
    LoadedFile();
    dress(window);
}

void TSkin::ApplySkinSection(QWidget *window, const QString &section)
{
    const SkinFile &file = LoadedFile();
    const SkinSectionDef *def = file.section(section);
    if (!def)
        throw SkinError(QStringLiteral("Skin file \"%1\" has no section \"%2\"").arg(file.path, section));
    dress(window).applySection(file, *def, *m_pictures, m_retiredElements);
}

ISkinWindowObject *TSkin::GetWindowObject(QWidget *window)
{
    const auto it = m_windows.find(window);
    if (it == m_windows.end())
        throw SkinError(QStringLiteral("The window is not drawn by this skin"));
    return it->second->windowObject();
}

SkinWindow &TSkin::dress(QWidget *window)
{
    if (!window)
        throw SkinError(QStringLiteral("No window to draw the skin on"));
    auto it = m_windows.find(window);
    if (it == m_windows.end()) {
        it = m_windows.emplace(window, std::make_unique<SkinWindow>(this, window)).first;
        connect(window, &QObject::destroyed, this, [this, window] { forget(window); });
    }
    return *it->second;
}

void TSkin::forget(QWidget *window)
{
    const auto it = m_windows.find(window);
    if (it == m_windows.end())
        return;
    m_retiredWindows.push_back(std::move(it->second));
    m_windows.erase(it);
}
