#include "skin_controls/theme/theme_file_reader.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>

namespace {

constexpr qsizetype kHeaderSize = 24;
constexpr qsizetype kEntrySize = 77;
constexpr qsizetype kNameSize = 64;

uint32_t u32At(const QByteArray &bytes, qsizetype offset)
{
    return qFromLittleEndian<uint32_t>(bytes.constData() + offset);
}

template <typename List>
const typename List::value_type *findFirst(const List &list, const QString &name)
{
    const auto it = std::find_if(list.begin(), list.end(), [&](const auto &e) {
        return e.name.compare(name, Qt::CaseInsensitive) == 0;
    });
    return it == list.end() ? nullptr : &*it;
}

} // namespace

TsuiThemeFileReader::TsuiThemeFileReader(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw ThemeFileError(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()).toStdString());
    const QByteArray bytes = file.readAll();
    file.close();
    read(bytes, fileName);
}

void TsuiThemeFileReader::read(const QByteArray &file, const QString &fileName)
{
    const qsizetype size = file.size();
    const auto damaged = [&](const char *what) {
        return ThemeFileError(QStringLiteral("The theme file \"%1\" is damaged: %2.")
                                  .arg(fileName, QLatin1String(what))
                                  .toStdString());
    };
    if (size < kHeaderSize)
        throw damaged("its header is cut short");

    // A chain that loops is cut off where it would hold more entries than fit in the file.
    const qsizetype maxEntries = size / kEntrySize;
    qsizetype offset = u32At(file, 20);
    for (qsizetype read = 0; read < maxEntries; ++read) {
        if (offset > size - kEntrySize)
            throw damaged("an entry lies past its end");
        const char *entry = file.constData() + offset;
        const uint32_t next = u32At(file, offset + 73);
        if (next == 0)
            return;
        const QString name = QString::fromLatin1(entry, qsizetype(qstrnlen(entry, kNameSize)));
        const auto type = uint8_t(entry[64]);
        const qsizetype dataOffset = u32At(file, offset + 65);
        const qsizetype dataSize = u32At(file, offset + 69);
        if (type <= 3 && (dataOffset > size || dataSize > size - dataOffset))
            throw damaged("an entry's data lies past its end");
        const char *data = file.constData() + dataOffset;
        switch (type) {
        case 0:
            m_images.push_back({name, QByteArray(data, dataSize)});
            break;
        case 1: {
            // Never more than the integer's four bytes, however large the entry says it is.
            char value[4] = {};
            std::copy_n(data, std::min<qsizetype>(dataSize, 4), value);
            m_integers.push_back({name, qFromLittleEndian<int32_t>(value)});
            break;
        }
        case 2:
            m_booleans.push_back({name, dataSize > 0 ? uint8_t(data[0]) : uint8_t(0)});
            break;
        case 3:
            m_texts.push_back({name, QString::fromLatin1(data, dataSize)});
            break;
        default:
            break;
        }
        offset = next;
    }
}

const QByteArray *TsuiThemeFileReader::GetImage(const QString &name) const
{
    const auto *e = findFirst(m_images, name);
    return e ? &e->value : nullptr;
}

int32_t TsuiThemeFileReader::GetInteger(const QString &name) const
{
    const auto *e = findFirst(m_integers, name);
    return e ? e->value : -1;
}

bool TsuiThemeFileReader::GetBool(const QString &name) const
{
    const auto *e = findFirst(m_booleans, name);
    return e && e->value != 0;
}
