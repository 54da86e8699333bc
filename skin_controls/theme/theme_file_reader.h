#pragma once

// Reads a whole theme container file into memory. The container is a 24-byte
// header whose u32 at offset 20 is the offset of the first entry, then a
// chain of 77-byte entries: a NUL-padded name (64 bytes), a type byte
// (0 picture, 1 integer, 2 boolean, 3 text), the u32 offset and size of the
// entry's data and the u32 offset of the next entry, 0 on the entry that ends
// the chain (its own name and data are not read). All little-endian.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <stdexcept>
#include <vector>

// The file cannot be read, or an entry or its data lies past the file's end.
class ThemeFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TsuiThemeFileReader {
public:
    template <typename T>
    struct Entry {
        QString name;
        T value;
    };

    // Throws ThemeFileError.
    explicit TsuiThemeFileReader(const QString &fileName);

    // The first picture entry of that name (any case); nullptr when there is none.
    const QByteArray *GetImage(const QString &name) const;
    // The first integer entry of that name; -1 when there is none.
    int32_t GetInteger(const QString &name) const;
    // The first boolean entry of that name; false when there is none.
    bool GetBool(const QString &name) const;

    // In chain order.
    const std::vector<Entry<QByteArray>> &images() const { return m_images; }
    const std::vector<Entry<int32_t>> &integers() const { return m_integers; }
    const std::vector<Entry<uint8_t>> &booleans() const { return m_booleans; }
    const std::vector<Entry<QString>> &texts() const { return m_texts; }

private:
    void read(const QByteArray &file, const QString &fileName);

    std::vector<Entry<QByteArray>> m_images;
    std::vector<Entry<int32_t>> m_integers;
    std::vector<Entry<uint8_t>> m_booleans;
    std::vector<Entry<QString>> m_texts;
};
