#pragma once

// A picture property of a control: empty, a bitmap, or an icon. The buttons
// copy bitmaps only; an icon cannot be copied into a bitmap.

#include <QIcon>
#include <QImage>
#include <QSize>
#include <QString>
#include <stdexcept>
#include <variant>

class TsuiPictureError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TsuiPicture {
public:
    TsuiPicture() = default;
    static TsuiPicture fromBitmap(QImage bitmap);
    static TsuiPicture fromIcon(QIcon icon);

    // ".ico" files give an icon, other picture files a bitmap; throws
    // TsuiPictureError naming the path when the file cannot be read.
    void LoadFromFile(const QString &path);
    void clear() { m_graphic = std::monostate(); }

    bool hasGraphic() const;
    bool isBitmap() const { return std::holds_alternative<QImage>(m_graphic); }
    QSize size() const;
    // Throws TsuiPictureError when the picture holds no bitmap.
    const QImage &bitmap() const;

private:
    std::variant<std::monostate, QImage, QIcon> m_graphic;
};
