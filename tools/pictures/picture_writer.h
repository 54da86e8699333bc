#pragma once

// Writes generated pictures as BMP files below one folder (the program's
// folder), making subfolders as needed. A failed write throws.

#include <QImage>
#include <QString>
#include <stdexcept>
#include <utility>

namespace pictures {

class PictureError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class PictureWriter {
public:
    explicit PictureWriter(QString root) : m_root(std::move(root)) {}

    // relative: for example "images/bt_start.bmp".
    void write(const QString &relative, const QImage &image);
    int written() const { return m_written; }

private:
    QString m_root;
    int m_written = 0;
};

} // namespace pictures
