#include "main/skin/picture_file.h"

#include <stdexcept>

QImage LoadPicture(const QString &path)
{
    QImage image(path);
    if (image.isNull())
        throw std::runtime_error(QStringLiteral("Cannot open file \"%1\".").arg(path).toStdString());
    return image;
}
