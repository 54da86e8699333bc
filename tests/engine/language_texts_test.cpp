#include "engine/language_texts.h"
#include "tests/support/test_support.h"

#include <QFile>
#include <QTemporaryDir>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

struct RecordingHint : HintDisplay {
    QStringList shown;
    void showHint(const QString &line) override { shown << line; }
};

class LanguageInfo : public ::testing::Test {
protected:
    void write(const QByteArray &bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QTemporaryDir dir;
    QString path = dir.filePath("language.info");
};

TEST_F(LanguageInfo, ReadsTheNumberedLineWhateverTheLineEnds)
{
    write("one\r\ntwo\nthree\r\n\nfive");
    const struct {
        int n;
        std::optional<QString> want;
    } cases[] = {{1, "one"}, {2, "two"}, {3, "three"}, {4, ""}, {5, "five"},
                 {6, std::nullopt}, {0, std::nullopt}, {-3, std::nullopt}};
    for (const auto &c : cases)
        EXPECT_EQ(ReadLanguageInfoLine(path, c.n), c.want) << "line " << c.n;
}

TEST_F(LanguageInfo, MissingFileIsAnError)
{
    EXPECT_THROW(ReadLanguageInfoLine(path, 1), LanguageFileError);
    LanguageTexts texts(path, {}, [] { return false; });
    EXPECT_THROW(texts.LoadLanguageLine(3), LanguageFileError);
}

TEST_F(LanguageInfo, LineIsShownInTheHintAndReturned)
{
    write("first\nsecond\n");
    RecordingHint hint;
    LanguageTexts texts(path, {}, [] { return false; }, &hint);
    EXPECT_EQ(texts.LoadLanguageLine(2), "second");
    EXPECT_EQ(texts.LoadLanguageLine(9), "");
    EXPECT_EQ(texts.LoadLanguageLine(0), "");
    EXPECT_EQ(hint.shown, QStringList{"second"});
}

TEST_F(LanguageInfo, FileIsReadAfreshOnEveryRequest)
{
    write("old\n");
    LanguageTexts texts(path, {}, [] { return false; });
    EXPECT_EQ(texts.LoadLanguageLine(1), "old");
    write("new\n");
    EXPECT_EQ(texts.LoadLanguageLine(1), "new");
}

TEST_F(LanguageInfo, WhileConvertingOnlyTheBusyLineIsServed)
{
    QByteArray lines;
    for (int i = 1; i <= 30; ++i)
        lines += "line " + QByteArray::number(i) + "\n";
    write(lines);
    bool converting = true;
    RecordingHint hint;
    LanguageTexts texts(path, {}, [&] { return converting; }, &hint);
    EXPECT_EQ(texts.LoadLanguageLine(2), "");
    EXPECT_EQ(texts.LoadLanguageLine(25), "");
    EXPECT_EQ(texts.LoadLanguageLine(26), "line 26");
    EXPECT_EQ(hint.shown, QStringList{"line 26"});
    converting = false;
    EXPECT_EQ(texts.LoadLanguageLine(2), "line 2");
}

TEST_F(LanguageInfo, WhileConvertingOtherLinesDoNotEvenTouchTheFile)
{
    LanguageTexts texts(path, {}, [] { return true; });
    EXPECT_NO_THROW(EXPECT_EQ(texts.LoadLanguageLine(1), ""));
    EXPECT_THROW(texts.LoadLanguageLine(26), LanguageFileError);
}

TEST(LanguageLug, LookupFallsBackToTheDefault)
{
    const LanguageTexts none(QString(), {}, {});
    EXPECT_EQ(none.Lug("channel", " Mono"), " Mono");
    EXPECT_EQ(none.Lug("Hint", "Open", "Add DVD Movies"), "Add DVD Movies");

    const LanguageTexts translated(QString(), [](const QString &s, const QString &k, const QString &d) {
        return s == "Add" && k == "Status" ? QStringLiteral("Zustand") : d;
    }, {});
    EXPECT_EQ(translated.Lug("Add", "Status"), "Zustand");
    EXPECT_EQ(translated.Lug("Add", "No Video"), "No Video");
}

// The shipped message file: every numbered line the program uses is present
// and readable; unused numbers hold a placeholder so the numbering stays.
TEST(LanguageInfoShipped, HoldsEveryNumberedLine)
{
    const QString path = ravenmoor::test::sourceDir() + "/data/language.info";
    for (int n = 1; n <= 37; ++n) {
        const auto line = ReadLanguageInfoLine(path, n);
        ASSERT_TRUE(line.has_value()) << "line " << n;
        EXPECT_FALSE(line->trimmed().isEmpty()) << "line " << n;
    }
    EXPECT_EQ(ReadLanguageInfoLine(path, 38), std::nullopt);
    EXPECT_TRUE(ReadLanguageInfoLine(path, 29)->endsWith('?')) << "line 29 asks before clearing";
}

} // namespace
