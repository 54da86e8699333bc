#pragma once

// The product-link table "softinfo.dat" beside the executable: records of
// 484 bytes without a header, each four short strings (a length byte, then
// that many characters, padded to the field):
//   key (30 characters): the executable's name without ".exe"
//   link 1, link 2 (the web site), link 3 (support): 150 characters each.
// Text is UTF-8.

#include <QByteArray>
#include <QString>
#include <optional>

inline constexpr int kProductKeyChars = 30;
inline constexpr int kProductLinkChars = 150;
inline constexpr int kProductRecordBytes = (1 + kProductKeyChars) + 3 * (1 + kProductLinkChars);

struct ProductLinks {
    QString link1, link2, link3;
};

// The links of the first record whose key equals name exactly (case
// counts). A trailing part shorter than a record is not a record; a length
// byte larger than its field is taken as the whole field.
std::optional<ProductLinks> FindProductLinks(const QByteArray &table, const QString &name);

// One record as the table holds it; nothing when a text is too long for its field.
std::optional<QByteArray> EncodeProductRecord(const QString &key, const ProductLinks &links);

// LoadProductLinks: link 1 is cleared, then the three links are taken from
// the file's record for name. Answers whether link 1 is set afterwards (the
// caller tells the user when not). An unreadable file counts as holding no
// record.
bool LoadProductLinks(const QString &tablePath, const QString &name, ProductLinks &links);
