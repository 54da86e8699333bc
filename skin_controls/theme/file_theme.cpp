#include "skin_controls/theme/file_theme.h"

#include "skin_controls/drawing/bitmap_helpers.h"
#include "skin_controls/theme/theme_item_table.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QVariant>
#include <QWidget>

namespace {

QString itemName(int item)
{
    const char *name = ThemeItemName(item);
    return name ? QLatin1String(name) : QString();
}

} // namespace

bool TsuiFileThemeMgr::Load(const QString &fileName)
{
    if (!QFileInfo(fileName).isFile())
        return false;
    m_reader.reset();
    m_reader = std::make_unique<TsuiThemeFileReader>(fileName);
    return true;
}

void TsuiFileThemeMgr::GetBitmap(int item, QImage &graphic) const
{
    if (!m_reader)
        return;
    const QByteArray *data = m_reader->GetImage(itemName(item));
    QImage image;
    if (data && image.loadFromData(*data))
        graphic = image.convertToFormat(QImage::Format_RGB32);
}

bool TsuiFileThemeMgr::GetBool(int item) const
{
    return m_reader && m_reader->GetBool(itemName(item));
}

TColor TsuiFileThemeMgr::GetColor(int item) const
{
    return m_reader ? m_reader->GetInteger(itemName(item)) : 0;
}

int32_t TsuiFileThemeMgr::GetInt(int item) const
{
    return m_reader ? m_reader->GetInteger(itemName(item)) : 0;
}

TsuiFileTheme::TsuiFileTheme(QObject *owner) : QObject(owner) {}

void TsuiFileTheme::SetThemeFile(const QString &file)
{
    if (file == m_themeFile)
        return;
    QString candidate = file;
    if (!QFileInfo(candidate).isFile()) {
        candidate = QDir(QCoreApplication::applicationDirPath()).filePath(QFileInfo(file).fileName());
        if (!QFileInfo(candidate).isFile())
            return;
    }
    m_themeFile = candidate;
    try {
        m_loaded = m_mgr.Load(m_themeFile);
    } catch (...) {
        // The old reader is gone: controls must not go on reading a theme that is not there.
        m_loaded = false;
        throw;
    }
    if (m_loaded)
        refreshOwnerControls();
}

void TsuiFileTheme::GetBitmapFrame(int item, QImage &graphic, int frameCount, int frameIndex) const
{
    QImage whole;
    GetBitmap(item, whole);
    CutBitmapFrame(whole, graphic, frameCount, frameIndex);
}

void TsuiFileTheme::refreshOwnerControls()
{
    auto *form = qobject_cast<QWidget *>(parent());
    if (!form || !form->isWindow())
        return;
    for (QObject *component : form->findChildren<QObject *>()) {
        if (!QByteArray(component->metaObject()->className()).startsWith("Tsui") ||
            component->metaObject()->indexOfProperty("FileTheme") < 0)
            continue;
        if (component->property("FileTheme").value<TsuiFileTheme *>() == this)
            component->setProperty("FileTheme", QVariant::fromValue(this));
    }
}

bool UsingFileTheme(const TsuiFileTheme *theme, TsuiUIStyle style, TsuiUIStyle &effective)
{
    effective = style;
    if (style != TsuiUIStyle::FromThemeFile)
        return false;
    if (theme && theme->IsLoaded())
        return true;
    effective = TsuiUIStyle::DeepBlue;
    return false;
}
