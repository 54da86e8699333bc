// make_softinfo <source text> <softinfo.dat>: writes the product-link table
// from its text source. Each line that is neither empty nor a "#" comment is
// one record: key, link 1, link 2 and link 3, separated by tabs.

#include "main/links/product_links.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_softinfo <source text> <softinfo.dat>\n");
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "make_softinfo: %s cannot be read\n", argv[1]);
        return 1;
    }
    QByteArray table;
    int lineNumber = 0;
    while (!source.atEnd()) {
        ++lineNumber;
        const QString line = QString::fromUtf8(source.readLine()).remove(QLatin1Char('\n'));
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = line.split(QLatin1Char('\t'));
        const auto record = fields.size() == 4
                                ? EncodeProductRecord(fields[0], ProductLinks{fields[1], fields[2], fields[3]})
                                : std::nullopt;
        if (!record) {
            std::fprintf(stderr, "%s:%d: want a key of up to %d and three links of up to %d bytes, tab-separated\n",
                         argv[1], lineNumber, kProductKeyChars, kProductLinkChars);
            return 1;
        }
        table += *record;
    }
    QSaveFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly) || out.write(table) != table.size() || !out.commit()) {
        std::fprintf(stderr, "make_softinfo: %s cannot be written\n", argv[2]);
        return 1;
    }
    return 0;
}
