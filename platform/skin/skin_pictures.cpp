#include "platform/skin/skin_pictures.h"

#include "platform/skin/skin_error.h"

#include <QFileInfo>

QImage KeyOutMagenta(const QImage &image)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    bool keyed = false;
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0x00ffffffu) == 0x00ff00ffu) {
                line[x] = 0;
                keyed = true;
            }
    }
    if (image.hasAlphaChannel())
        return keyed ? out.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                     : image.convertToFormat(QImage::Format_RGB32);
    // Every pixel is opaque or keyed out to 0: the same bytes are already
    // premultiplied, or plain RGB32 when none was keyed, so no copy is made.
    out.reinterpretAsFormat(keyed ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    return out;
}

QImage SkinPictures::load(const QString &path)
{
    if (path.isEmpty())
        return {};
    const auto it = m_cache.constFind(path);
    if (it != m_cache.constEnd())
        return *it;
    const QImage raw(path);
    if (raw.isNull())
        throw SkinError(QFileInfo::exists(path)
                            ? QStringLiteral("The skin picture \"%1\" cannot be read").arg(path)
                            : QStringLiteral("The skin picture \"%1\" does not exist").arg(path));
    const QImage picture = KeyOutMagenta(raw);
    m_cache.insert(path, picture);
    return picture;
}
