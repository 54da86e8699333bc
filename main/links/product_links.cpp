#include "main/links/product_links.h"

#include <QFile>

namespace {

// A length byte and up to `capacity` bytes, starting at `at`.
QByteArray ShortString(const char *at, int capacity)
{
    const int length = qMin(int(static_cast<unsigned char>(*at)), capacity);
    return QByteArray(at + 1, length);
}

bool AppendShortString(QByteArray &record, const QString &text, int capacity)
{
    const QByteArray bytes = text.toUtf8();
    if (bytes.size() > capacity)
        return false;
    record.append(char(bytes.size()));
    record.append(bytes);
    record.append(capacity - bytes.size(), '\0');
    return true;
}

} // namespace

std::optional<ProductLinks> FindProductLinks(const QByteArray &table, const QString &name)
{
    const QByteArray key = name.toUtf8();
    constexpr int kLink1 = 1 + kProductKeyChars;
    constexpr int kLinkField = 1 + kProductLinkChars;
    for (qsizetype at = 0; at + kProductRecordBytes <= table.size(); at += kProductRecordBytes) {
        const char *record = table.constData() + at;
        if (ShortString(record, kProductKeyChars) != key)
            continue;
        const auto link = [record](int n) {
            return QString::fromUtf8(ShortString(record + kLink1 + n * kLinkField, kProductLinkChars));
        };
        return ProductLinks{link(0), link(1), link(2)};
    }
    return std::nullopt;
}

std::optional<QByteArray> EncodeProductRecord(const QString &key, const ProductLinks &links)
{
    QByteArray record;
    if (!AppendShortString(record, key, kProductKeyChars))
        return std::nullopt;
    for (const QString *link : {&links.link1, &links.link2, &links.link3})
        if (!AppendShortString(record, *link, kProductLinkChars))
            return std::nullopt;
    return record;
}

bool LoadProductLinks(const QString &tablePath, const QString &name, ProductLinks &links)
{
    links.link1.clear();
    QFile file(tablePath);
    if (file.open(QIODevice::ReadOnly))
        if (const auto found = FindProductLinks(file.readAll(), name))
            links = *found;
    return !links.link1.isEmpty();
}
