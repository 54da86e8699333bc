// make_softinfo <source text> <softinfo.dat> <program name>: writes the
// product-link table from its text source. Each line that is neither empty
// nor a "#" comment is one record: key, link 1, link 2 and link 3, separated
// by tabs. Every edition the program knows gets a record: one without a line
// of its own takes the links of the program name's line.

#include "main/links/product_links.h"
#include "main/picker/picker_editions.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <cstdio>
#include <vector>

namespace {

// The source's records by key, in the order read; nothing when a line is malformed.
bool readSource(QFile &source, const char *sourceName, std::vector<std::pair<QString, ProductLinks>> &records)
{
    int lineNumber = 0;
    while (!source.atEnd()) {
        ++lineNumber;
        const QString line = QString::fromUtf8(source.readLine()).remove(QLatin1Char('\n'));
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = line.split(QLatin1Char('\t'));
        const ProductLinks links = fields.size() == 4 ? ProductLinks{fields[1], fields[2], fields[3]} : ProductLinks{};
        if (fields.size() != 4 || !EncodeProductRecord(fields[0], links)) {
            std::fprintf(stderr, "%s:%d: want a key of up to %d and three links of up to %d bytes, tab-separated\n",
                         sourceName, lineNumber, kProductKeyChars, kProductLinkChars);
            return false;
        }
        records.emplace_back(fields[0], links);
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_softinfo <source text> <softinfo.dat> <program name>\n");
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "make_softinfo: %s cannot be read\n", argv[1]);
        return 1;
    }
    std::vector<std::pair<QString, ProductLinks>> records;
    if (!readSource(source, argv[1], records))
        return 1;
    const QString program = QString::fromLocal8Bit(argv[3]);
    const auto keyed = [&](const QString &key) {
        for (const auto &[k, links] : records)
            if (k == key)
                return &links;
        return static_cast<const ProductLinks *>(nullptr);
    };
    const ProductLinks *own = keyed(program);
    if (!own) {
        std::fprintf(stderr, "make_softinfo: %s has no line for \"%s\"\n", argv[1], argv[3]);
        return 1;
    }
    const ProductLinks programLinks = *own;
    for (const QString &edition : EditionProgramNames(program)) {
        if (keyed(edition))
            continue;
        if (!EncodeProductRecord(edition, programLinks)) {
            std::fprintf(stderr, "make_softinfo: the edition name \"%s\" is too long for a key\n",
                         edition.toLocal8Bit().constData());
            return 1;
        }
        records.emplace_back(edition, programLinks);
    }
    QByteArray table;
    for (const auto &[key, links] : records)
        table += *EncodeProductRecord(key, links);
    QSaveFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly) || out.write(table) != table.size() || !out.commit()) {
        std::fprintf(stderr, "make_softinfo: %s cannot be written\n", argv[2]);
        return 1;
    }
    return 0;
}
