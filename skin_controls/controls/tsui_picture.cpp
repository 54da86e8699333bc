#include "skin_controls/controls/tsui_picture.h"

#include <QFileInfo>

TsuiPicture TsuiPicture::fromBitmap(QImage bitmap)
{
    TsuiPicture p;
    if (!bitmap.isNull())
        p.m_graphic = std::move(bitmap);
    return p;
}

TsuiPicture TsuiPicture::fromIcon(QIcon icon)
{
    TsuiPicture p;
    if (!icon.isNull())
        p.m_graphic = std::move(icon);
    return p;
}

void TsuiPicture::LoadFromFile(const QString &path)
{
    const auto failed = [&] {
        return TsuiPictureError(QStringLiteral("Cannot open file \"%1\".").arg(path).toStdString());
    };
    if (QFileInfo(path).suffix().compare(QLatin1String("ico"), Qt::CaseInsensitive) == 0) {
        QIcon icon(path);
        if (icon.availableSizes().isEmpty())
            throw failed();
        m_graphic = std::move(icon);
        return;
    }
    QImage image(path);
    if (image.isNull())
        throw failed();
    m_graphic = image.convertToFormat(QImage::Format_RGB32);
}

bool TsuiPicture::hasGraphic() const
{
    return !std::holds_alternative<std::monostate>(m_graphic);
}

QSize TsuiPicture::size() const
{
    if (const auto *image = std::get_if<QImage>(&m_graphic))
        return image->size();
    if (const auto *icon = std::get_if<QIcon>(&m_graphic)) {
        const QList<QSize> sizes = icon->availableSizes();
        return sizes.isEmpty() ? QSize(32, 32) : sizes.first();
    }
    return {};
}

const QImage &TsuiPicture::bitmap() const
{
    if (const auto *image = std::get_if<QImage>(&m_graphic))
        return *image;
    throw TsuiPictureError("The picture does not hold a bitmap.");
}
