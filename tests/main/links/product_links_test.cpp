// The product-link table, written byte by byte as the file holds it, and the
// table the build writes from its text source.

#include "main/links/product_links.h"
#include "tests/support/test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// One short string: the length byte as given, the text, padding to the field.
QByteArray Field(int lengthByte, const QByteArray &text, int capacity)
{
    QByteArray field(1, char(lengthByte));
    field += text.left(capacity);
    field += QByteArray(1 + capacity - field.size(), '\x7f'); // padding is never read
    return field;
}

QByteArray Record(const QByteArray &key, const QByteArray &l1, const QByteArray &l2, const QByteArray &l3)
{
    return Field(key.size(), key, 30) + Field(l1.size(), l1, 150) + Field(l2.size(), l2, 150) +
           Field(l3.size(), l3, 150);
}

TEST(ProductLinks, RecordsAreFoundByTheirExactKey)
{
    const QByteArray key30 = "abcdefghijklmnopqrstuvwxyz0123";
    ASSERT_EQ(key30.size(), 30);
    const QByteArray table = Record("ravenmoor-ipod", "i1", "i2", "i3") + Record("ravenmoor", "r1", "r2", "r3") +
                             Record(key30, "k1", "k2", "k3") + Record("ravenmoor", "second", "x", "y");
    ASSERT_EQ(Record("a", "b", "c", "d").size(), kProductRecordBytes);

    const struct {
        const char *name;
        const char *link1; // null: no record
    } cases[] = {
        {"ravenmoor", "r1"},  // the first of two matching records
        {"ravenmoor-ipod", "i1"},
        {"Ravenmoor", nullptr}, // case counts
        {"ravenmoo", nullptr},
        {"abcdefghijklmnopqrstuvwxyz0123", "k1"},
        {"abcdefghijklmnopqrstuvwxyz01234", nullptr}, // longer than any key can be
        {"", nullptr},
    };
    for (const auto &c : cases) {
        const auto found = FindProductLinks(table, QString::fromUtf8(c.name));
        ASSERT_EQ(found.has_value(), c.link1 != nullptr) << c.name;
        if (found) {
            EXPECT_EQ(found->link1, QString::fromUtf8(c.link1)) << c.name;
        }
    }
}

TEST(ProductLinks, DamagedTablesAreReadSafely)
{
    // A length byte beyond its field takes the whole field and no more.
    QByteArray overlong = Field(255, QByteArray(30, 'k'), 30) + Field(200, QByteArray(150, 'a'), 150) +
                          Field(151, QByteArray(150, 'b'), 150) + Field(0, "", 150);
    const auto clipped = FindProductLinks(overlong, QString(30, QLatin1Char('k')));
    ASSERT_TRUE(clipped);
    EXPECT_EQ(clipped->link1, QString(150, QLatin1Char('a')));
    EXPECT_EQ(clipped->link2, QString(150, QLatin1Char('b')));
    EXPECT_TRUE(clipped->link3.isEmpty());

    // A trailing part shorter than a record is no record, even with a matching key.
    const QByteArray partial = Record("other", "o", "o", "o") + Record("ravenmoor", "r1", "r2", "r3").left(400);
    EXPECT_FALSE(FindProductLinks(partial, "ravenmoor"));
    EXPECT_FALSE(FindProductLinks(QByteArray(), "ravenmoor"));
}

TEST(ProductLinks, LoadingClearsLinkOneAndReportsWhetherItIsSet)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("softinfo.dat");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Record("ravenmoor", "", "https://site/", "https://site/support"));
    file.close();

    ProductLinks links{"old 1", "old 2", "old 3"};
    // Link 1 empty: reported, and the other two links are still taken.
    EXPECT_FALSE(LoadProductLinks(path, "ravenmoor", links));
    EXPECT_TRUE(links.link1.isEmpty());
    EXPECT_EQ(links.link2, "https://site/");
    EXPECT_EQ(links.link3, "https://site/support");

    links = {"old 1", "old 2", "old 3"};
    EXPECT_FALSE(LoadProductLinks(path, "another", links));
    EXPECT_TRUE(links.link1.isEmpty());
    EXPECT_EQ(links.link2, "old 2");
    EXPECT_FALSE(LoadProductLinks(dir.filePath("missing.dat"), "ravenmoor", links));
}

// The build writes a table with the program's own record; the writer refuses
// texts its fields cannot hold.
TEST(ProductLinks, BuiltTableHoldsTheProgramsRecord)
{
    ProductLinks links;
    EXPECT_TRUE(LoadProductLinks(QDir(ravenmoor::test::binDir()).filePath("softinfo.dat"), "ravenmoor", links));
    for (const QString &link : {links.link1, links.link2, links.link3})
        EXPECT_TRUE(link.startsWith("https://")) << link.toStdString();

    const auto record = EncodeProductRecord("ravenmoor", {"a", "b", "c"});
    ASSERT_TRUE(record);
    EXPECT_EQ(*record, Record("ravenmoor", "a", "b", "c").replace('\x7f', '\0'));
    EXPECT_FALSE(EncodeProductRecord(QString(31, QLatin1Char('k')), {"a", "b", "c"}));
    EXPECT_FALSE(EncodeProductRecord("k", {"a", QString(151, QLatin1Char('b')), "c"}));
}

} // namespace
