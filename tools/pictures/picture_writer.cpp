#include "tools/pictures/picture_writer.h"

#include <QDir>
#include <QFileInfo>

namespace pictures {

void PictureWriter::write(const QString &relative, const QImage &image)
{
    const QString path = QDir(m_root).filePath(relative);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        throw PictureError(QStringLiteral("Cannot make the folder of \"%1\"").arg(path).toStdString());
    // BMP without alpha: see-through parts are magenta already.
    if (!image.convertToFormat(QImage::Format_RGB888).save(path, "BMP"))
        throw PictureError(QStringLiteral("Cannot write \"%1\"").arg(path).toStdString());
    ++m_written;
}

} // namespace pictures
