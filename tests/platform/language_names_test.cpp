#include "platform/languages/language_names.h"

#include <QFile>
#include <QHashSeed>
#include <QTemporaryDir>
#include <gtest/gtest.h>

static void PrintTo(const QString &text, std::ostream *out) { *out << '"' << text.toStdString() << '"'; }

namespace {

struct NameCase {
    const char *code;
    const char *full;
    const char *shortName;
};

class SystemLanguageNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(SystemLanguageNameTest, EnglishNameOfTheCode)
{
    const NameCase c = GetParam();
    EXPECT_EQ(LanguageName(QString::fromUtf8(c.code)), QString::fromUtf8(c.full));
    EXPECT_EQ(ShortLanguageName(QString::fromUtf8(c.code)), QString::fromUtf8(c.shortName));
}

INSTANTIATE_TEST_SUITE_P(
    Table, SystemLanguageNameTest,
    ::testing::Values(NameCase{"en", "English", "English"}, NameCase{"eng", "English", "English"},
                      NameCase{"EN", "English", "English"}, NameCase{"fr", "French", "French"},
                      NameCase{"fra", "French", "French"}, NameCase{"fre", "French", "French"}, // bibliographic
                      NameCase{"ger", "German", "German"}, NameCase{"es", "Spanish; Castilian", "Spanish"},
                      NameCase{"nl", "Dutch; Flemish", "Dutch"},
                      // Withdrawn two-letter codes that old discs carry.
                      NameCase{"iw", "Hebrew", "Hebrew"}, NameCase{"in", "Indonesian", "Indonesian"},
                      NameCase{"ji", "Yiddish", "Yiddish"},
                      // Unknown codes stay as they are.
                      NameCase{"qq", "qq", "qq"}, NameCase{"xyz", "xyz", "xyz"}, NameCase{"", "", ""}));

TEST(LanguageNames, AMissingOrBrokenTableGivesTheCode)
{
    QTemporaryDir dir;
    const LanguageNames missing = LanguageNames::fromFile(dir.filePath(QStringLiteral("none.json")));
    EXPECT_EQ(missing.fullName(QStringLiteral("en")), QStringLiteral("en"));
    EXPECT_EQ(missing.shortName(QStringLiteral("de")), QStringLiteral("de"));

    QFile broken(dir.filePath(QStringLiteral("broken.json")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("{\"639-2\": [ {\"alpha_2\": \"en\", ");
    broken.close();
    EXPECT_EQ(LanguageNames::fromFile(broken.fileName()).fullName(QStringLiteral("en")), QStringLiteral("en"));
}

TEST(LanguageNames, ReadsEveryCodeOfAnEntry)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("iso_639-2.json")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"639-2": [
        {"alpha_3": "ace", "name": "Achinese"},
        {"alpha_2": "sq", "alpha_3": "sqi", "bibliographic": "alb", "name": "Albanian"},
        {"alpha_2": "he", "alpha_3": "heb", "name": "Hebrew"},
        {"alpha_2": "xx", "alpha_3": "xxx"},
        {"alpha_2": "ca", "alpha_3": "cat", "name": "Catalan; Valencian"}]})");
    file.close();
    const LanguageNames names = LanguageNames::fromFile(file.fileName());
    EXPECT_EQ(names.fullName(QStringLiteral("ace")), QStringLiteral("Achinese"));
    for (const char *code : {"sq", "sqi", "alb", "ALB", " sq "})
        EXPECT_EQ(names.fullName(QString::fromLatin1(code)), QStringLiteral("Albanian")) << code;
    EXPECT_EQ(names.fullName(QStringLiteral("iw")), QStringLiteral("Hebrew"));
    EXPECT_EQ(names.fullName(QStringLiteral("xx")), QStringLiteral("xx")); // an entry without a name
    EXPECT_EQ(names.fullName(QStringLiteral("ca")), QStringLiteral("Catalan; Valencian"));
    EXPECT_EQ(names.shortName(QStringLiteral("cat")), QStringLiteral("Catalan"));
}

// The withdrawn codes are added to the table they are read from: each must
// take its name whenever adding it makes the table's storage grow, which
// happens at table sizes and places that depend on the hash seed.
TEST(LanguageNames, WithdrawnCodesSurviveTheTableGrowing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("iso_639-2.json"));
    QByteArray entries = R"({"alpha_2": "he", "alpha_3": "heb", "name": "Hebrew"},
        {"alpha_2": "ro", "alpha_3": "ron", "name": "Romanian"})";
    for (int filler = 0; filler < 200; ++filler) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("{\"639-2\": [" + entries + "]}");
        file.close();
        for (int seed = 0; seed < 8; ++seed) {
            QHashSeed::resetRandomGlobalSeed();
            const LanguageNames names = LanguageNames::fromFile(path);
            ASSERT_EQ(names.fullName(QStringLiteral("iw")), QStringLiteral("Hebrew")) << filler;
            ASSERT_EQ(names.fullName(QStringLiteral("mo")), QStringLiteral("Romanian")) << filler;
        }
        entries += QStringLiteral(R"(, {"alpha_3": "q%1", "name": "Filler"})").arg(filler, 2, 36, QLatin1Char('0')).toLatin1();
    }
}

} // namespace
