#pragma once

// The pictures of a skin, read once per path. Pure magenta (#ff00ff) pixels
// become see-through, so pictures in a format without alpha can still have
// round corners.

#include <QHash>
#include <QImage>
#include <QString>

class SkinPictures {
public:
    // An empty path gives a null image; a file that cannot be read throws
    // SkinError naming the path.
    QImage load(const QString &path);

private:
    QHash<QString, QImage> m_cache;
};

// The picture with its magenta pixels made transparent (unchanged when it has none).
QImage KeyOutMagenta(const QImage &image);
