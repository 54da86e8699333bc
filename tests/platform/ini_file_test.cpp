#include "platform/ini/ini_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// One call on an ini file, answered as text: the value read, "true"/"false",
// "" for a write that went through, "error" for one that raised IniFileError.
using Call = std::function<QString(TIniFile &)>;

Call read(const QString &s, const QString &k, const QString &def = "<def>")
{
    return [=](TIniFile &f) { return f.ReadString(s, k, def); };
}
Call readSize(const QString &s, const QString &k)
{
    return [=](TIniFile &f) { return QString::number(f.ReadString(s, k, {}).size()); };
}
Call readInt(const QString &s, const QString &k, int32_t def = -99)
{
    return [=](TIniFile &f) { return QString::number(f.ReadInteger(s, k, def)); };
}
Call readBool(const QString &s, const QString &k, bool def)
{
    return [=](TIniFile &f) { return f.ReadBool(s, k, def) ? QString("true") : QString("false"); };
}
Call sectionExists(const QString &s)
{
    return [=](TIniFile &f) { return f.SectionExists(s) ? QString("true") : QString("false"); };
}
Call valueExists(const QString &s, const QString &k)
{
    return [=](TIniFile &f) { return f.ValueExists(s, k) ? QString("true") : QString("false"); };
}
Call writing(std::function<void(TIniFile &)> w)
{
    return [=](TIniFile &f) {
        try {
            w(f);
            return QString();
        } catch (const IniFileError &) {
            return QString("error");
        }
    };
}
Call write(const QString &s, const QString &k, const QString &v)
{
    return writing([=](TIniFile &f) { f.WriteString(s, k, v); });
}
Call writeInt(const QString &s, const QString &k, int32_t v)
{
    return writing([=](TIniFile &f) { f.WriteInteger(s, k, v); });
}
Call writeBool(const QString &s, const QString &k, bool v)
{
    return writing([=](TIniFile &f) { f.WriteBool(s, k, v); });
}
Call erase(const QString &s)
{
    return writing([=](TIniFile &f) { f.EraseSection(s); });
}
Call deleteKey(const QString &s, const QString &k)
{
    return writing([=](TIniFile &f) { f.DeleteKey(s, k); });
}

struct IniCase {
    std::string name;
    std::optional<QByteArray> before; // nothing: no file
    Call call;
    QString result;
    std::optional<QByteArray> after;  // nothing: the file is left exactly as it was
};

QByteArray operator""_b(const char *s, std::size_t n) { return QByteArray(s, qsizetype(n)); }

const QByteArray kBom("\xEF\xBB\xBF");
const QByteArray kHuge(10 * 1024 * 1024, 'x');

std::vector<IniCase> cases()
{
    return {
        // Missing things give the default, never an error.
        {"MissingFileGivesDefault", std::nullopt, read("a", "k"), "<def>", {}},
        {"MissingSectionGivesDefault", "[b]\nk=1\n", read("a", "k"), "<def>", {}},
        {"MissingKeyGivesDefault", "[a]\nj=1\n", read("a", "k"), "<def>", {}},
        {"MissingFileIntegerGivesDefault", std::nullopt, readInt("a", "k", 7), "7", {}},
        {"MissingFileBoolGivesDefault", std::nullopt, readBool("a", "k", true), "true", {}},
        {"EmptyValueIsNotMissing", "[a]\nk=\n", read("a", "k"), "", {}},

        // Names compare without regard to case, also beyond ASCII; keys hold any text but "=".
        {"SectionAndKeyIgnoreCase", "[Output]\nPath=/v\n", read("OUTPUT", "pATH"), "/v", {}},
        {"NonAsciiNamesIgnoreCase", "[Überschrift]\nÄrger=ja\n", read("üBERSCHRIFT", "äRGER"), "ja", {}},
        {"KeyWithBlanksColonsDotsApostrophes", "[MessageDlg]\nCan't open file: a.b c = Übersetzt\n",
         read("messagedlg", "can't open file: A.B C"), "Übersetzt", {}},
        {"NamesAroundBlanksAreTrimmed", "  [ a ]  \n  k  =1\n", read(" a", "k "), "1", {}},

        // Values: trimmed, one pair of enclosing double quotes removed.
        {"ValueIsTrimmed", "[a]\nk =  \t v w \t \n", read("a", "k"), "v w", {}},
        {"EnclosingQuotesRemoved", "[a]\nk=\"v w\"\n", read("a", "k"), "v w", {}},
        {"QuotesKeepInnerBlanks", "[a]\nk=  \" v \"  \n", read("a", "k"), " v ", {}},
        {"OnlyOnePairOfQuotesRemoved", "[a]\nk=\"\"v\"\"\n", read("a", "k"), "\"v\"", {}},
        {"LoneQuoteStays", "[a]\nk=\"\n", read("a", "k"), "\"", {}},
        {"UnmatchedQuoteStays", "[a]\nk=\"v\n", read("a", "k"), "\"v", {}},
        {"ValueKeepsFurtherEquals", "[a]\nk=x=y\n", read("a", "k"), "x=y", {}},
        {"SemicolonInsideValueIsText", "[a]\nk=v ; w\n", read("a", "k"), "v ; w", {}},

        // Duplicates: the first key, and the first section, count.
        {"FirstDuplicateKeyWins", "[a]\nk=1\nK=2\n", read("a", "k"), "1", {}},
        {"FirstDuplicateSectionWins", "[a]\nk=1\n[b]\n[A]\nk=2\n", read("a", "k"), "1", {}},
        {"LaterDuplicateSectionIsNotRead", "[a]\nk=1\n[A]\nj=2\n", read("a", "j"), "<def>", {}},

        // Lines that are no key.
        {"KeyBeforeAnySectionIgnored", "k=1\n[a]\n", read("a", "k"), "<def>", {}},
        {"CommentLineIsNoKey", "[a]\n;k=1\n", read("a", ";k"), "<def>", {}},
        {"KeyWithoutEqualsIsNoKey", "[a]\nk\n", valueExists("a", "k"), "false", {}},
        {"KeyWithoutEqualsReadsDefault", "[a]\nk\n", read("a", "k"), "<def>", {}},
        {"GarbageAndBrokenHeaderSkipped", "[a]\n\x01\x02 garbage\n[broken\n\0\0\n=\nk=1\n"_b, read("a", "k"), "1", {}},
        {"InvalidUtf8ValueReadsReplaced", "[a]\nk=\xff\xfe\n", read("a", "k"), "\uFFFD\uFFFD", {}},
        {"InvalidUtf8ElsewhereHarmless", "[\xff]\n\xc3(=1\n[a]\nk=2\n", read("a", "k"), "2", {}},
        {"HugeLineIsRead", "[a]\nk=" + kHuge + "\n", readSize("a", "k"), QString::number(kHuge.size()), {}},
        {"HugeGarbageLineSkipped", "[a]\n" + kHuge + "\nk=1\n", read("a", "k"), "1", {}},

        // Encodings and line endings.
        {"BomAccepted", kBom + "[a]\nk=1\n", read("a", "k"), "1", {}},
        {"CrLfAccepted", "[a]\r\nk=v\r\n", read("a", "k"), "v", {}},
        {"NoFinalNewlineAccepted", "[a]\nk=v", read("a", "k"), "v", {}},

        // Integers: decimal, "$" and "0x" hexadecimal, anything else the default.
        {"IntegerDecimal", "[a]\nk=42\n", readInt("a", "k"), "42", {}},
        {"IntegerNegative", "[a]\nk=-7\n", readInt("a", "k"), "-7", {}},
        {"IntegerPlus", "[a]\nk=+7\n", readInt("a", "k"), "7", {}},
        {"IntegerDollarHex", "[a]\nk=$1F\n", readInt("a", "k"), "31", {}},
        {"IntegerZeroXHex", "[a]\nk=0x1f\n", readInt("a", "k"), "31", {}},
        {"IntegerFullHexWraps", "[a]\nk=$FFFFFFFF\n", readInt("a", "k"), "-1", {}},
        {"IntegerColourValue", "[a]\nk=$00FEFBFA\n", readInt("a", "k"), "16710650", {}},
        {"IntegerTrimmedAndQuoted", "[a]\nk= \"12\" \n", readInt("a", "k"), "12", {}},
        {"IntegerMinimum", "[a]\nk=-2147483648\n", readInt("a", "k"), "-2147483648", {}},
        {"IntegerTooLarge", "[a]\nk=2147483648\n", readInt("a", "k"), "-99", {}},
        {"IntegerHexTooLarge", "[a]\nk=$100000000\n", readInt("a", "k"), "-99", {}},
        {"IntegerTrailingText", "[a]\nk=12abc\n", readInt("a", "k"), "-99", {}},
        {"IntegerDecimalPoint", "[a]\nk=1.5\n", readInt("a", "k"), "-99", {}},
        {"IntegerEmpty", "[a]\nk=\n", readInt("a", "k"), "-99", {}},
        {"IntegerBarePrefix", "[a]\nk=0x\n", readInt("a", "k"), "-99", {}},

        // Booleans: an integer other than 0.
        {"BoolOne", "[a]\nk=1\n", readBool("a", "k", false), "true", {}},
        {"BoolZero", "[a]\nk=0\n", readBool("a", "k", true), "false", {}},
        {"BoolOtherInteger", "[a]\nk=-2\n", readBool("a", "k", false), "true", {}},
        {"BoolWordGivesDefault", "[a]\nk=false\n", readBool("a", "k", true), "true", {}},

        // Section and key tests.
        {"SectionWithKeyExists", "[Plane]\nvideo=1\n", sectionExists("plane"), "true", {}},
        {"EmptySectionDoesNotExist", "[a]\n; only a note\n", sectionExists("a"), "false", {}},
        {"MissingSectionDoesNotExist", std::nullopt, sectionExists("a"), "false", {}},
        {"KeyWithEmptyValueExists", "[a]\nK=\n", valueExists("A", "k"), "true", {}},
        {"MissingKeyDoesNotExist", "[a]\nj=1\n", valueExists("a", "k"), "false", {}},

        // Writes: in place, at the end of the section, at the end of the file.
        {"WriteCreatesFile", std::nullopt, write("output", "path", "/v/"), "", "[output]\npath=/v/\n"},
        {"WriteReplacesInPlaceKeepingSpelling", "[a]\nKey=1\nj=2\n", write("A", "key", "3"), "",
         "[a]\nKey=3\nj=2\n"},
        {"WriteKeepsLayoutBeforeValue", "[a]\n  k = old \n", write("a", "k", "new"), "", "[a]\n  k = new\n"},
        {"WriteNewKeyEndsItsSection", "[a]\nx=1\n\n[b]\ny=2\n", write("a", "z", "9"), "",
         "[a]\nx=1\nz=9\n\n[b]\ny=2\n"},
        {"WriteNewKeyIntoEmptySection", "[a]\n[b]\n", write("a", "k", "v"), "", "[a]\nk=v\n[b]\n"},
        {"WriteNewSectionEndsFile", "[a]\nx=1\n", write("b", "k", "v"), "", "[a]\nx=1\n[b]\nk=v\n"},
        {"WriteAfterLastLineWithoutNewline", "[a]\nx=1", write("a", "y", "2"), "", "[a]\nx=1\ny=2\n"},
        {"WriteSectionAfterLineWithoutNewline", "[a]\nx=1", write("b", "y", "2"), "", "[a]\nx=1\n[b]\ny=2\n"},
        {"WriteKeepsCommentsAndUnknownLines", "; top\n[a]\n; note\ngarbage\nx=1\n#x=2\n",
         write("a", "x", "3"), "", "; top\n[a]\n; note\ngarbage\nx=3\n#x=2\n"},
        {"WriteUsesCrLfOfFile", "[a]\r\nx=1\r\n", write("a", "y", "2"), "", "[a]\r\nx=1\r\ny=2\r\n"},
        {"WriteKeepsMixedEndings", "[a]\r\nx=1\n[b]\r\n", write("a", "x", "2"), "", "[a]\r\nx=2\n[b]\r\n"},
        {"WriteKeepsBom", kBom + "[a]\nx=1\n", write("a", "x", "2"), "", kBom + "[a]\nx=2\n"},
        {"WriteKeepsInvalidUtf8Lines", "[\xff]\nbad=\xff\xfe\n\xc3(\n[a]\n", write("a", "x", "1"), "",
         "[\xff]\nbad=\xff\xfe\n\xc3(\n[a]\nx=1\n"},
        {"WriteKeepsHugeLine", "[a]\n" + kHuge + "\n", write("a", "k", "1"), "", "[a]\n" + kHuge + "\nk=1\n"},
        {"WriteReplacesFirstDuplicateKey", "[a]\nk=1\nk=2\n", write("a", "k", "3"), "", "[a]\nk=3\nk=2\n"},
        {"WriteGoesToFirstDuplicateSection", "[a]\nx=1\n[b]\n[A]\ny=1\n", write("a", "y", "2"), "",
         "[a]\nx=1\ny=2\n[b]\n[A]\ny=1\n"},
        {"WriteOfSameValueLeavesFileAlone", "[a]\nk = \"v\" \n", write("a", "k", "v"), "", {}},
        {"WriteNonAsciiKeyAndValue", "", write("MessageDlg", " Can't open: ä.b ", "Öffnen"), "",
         "[MessageDlg]\nCan't open: ä.b=Öffnen\n"},
        {"WriteQuotesValueWithOuterBlanks", "", write("a", "k", " v "), "", "[a]\nk=\" v \"\n"},
        {"WriteQuotesValueInQuotes", "", write("a", "k", "\"v\""), "", "[a]\nk=\"\"v\"\"\n"},
        {"WriteInteger", "[a]\nk=1\n", writeInt("a", "k", -5), "", "[a]\nk=-5\n"},
        {"WriteBoolTrue", "", writeBool("a", "k", true), "", "[a]\nk=1\n"},
        {"WriteBoolFalse", "[a]\nk=1\n", writeBool("a", "k", false), "", "[a]\nk=0\n"},
        {"WriteLineBreakRefused", "[a]\nk=1\n", write("a", "k", "x\n[b]\nk=2"), "error", {}},
        {"WriteKeyWithEqualsRefused", "[a]\n", write("a", "k=x", "1"), "error", {}},
        {"WriteKeyLikeHeaderRefused", "[a]\n", write("a", "[b]", "1"), "error", {}},

        // Erasing.
        {"EraseSectionRemovesEveryCopy", "[a]\nx=1\n; c\n[b]\ny=2\n[A]\nz=3\n", erase("A"), "", "[b]\ny=2\n"},
        {"EraseMissingSectionLeavesFileAlone", "[a]\nx=1\n", erase("b"), "", {}},
        {"DeleteKeyRemovesItsLines", "[a]\nx=1\ny=2\nX=3\n[b]\nx=4\n", deleteKey("a", "x"), "",
         "[a]\ny=2\n[b]\nx=4\n"},
        {"DeleteMissingKeyLeavesFileAlone", "[a]\nx=1\n", deleteKey("a", "y"), "", {}},
        {"DeleteKeyInMissingFile", std::nullopt, deleteKey("a", "y"), "", {}},
    };
}

class IniTable : public testing::TestWithParam<IniCase> {};

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(data), data.size());
}

ino_t inodeOf(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

TEST_P(IniTable, CallGivesResultAndFile)
{
    const IniCase &c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath("case.ini");
    if (c.before)
        writeAll(path, *c.before);
    const ino_t inode = inodeOf(path);

    TIniFile ini(path);
    EXPECT_EQ(c.call(ini), c.result);

    if (c.after) {
        EXPECT_EQ(readAll(path), *c.after);
    } else if (c.before) {
        EXPECT_EQ(readAll(path), *c.before);
        EXPECT_EQ(inodeOf(path), inode) << "the file was rewritten";
    } else {
        EXPECT_FALSE(QFile::exists(path));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), QFile::exists(path) ? 1 : 0)
        << "a temporary file was left behind";
}

INSTANTIATE_TEST_SUITE_P(Rules, IniTable, testing::ValuesIn(cases()),
                         [](const testing::TestParamInfo<IniCase> &i) { return i.param.name; });

// Runs f with the file-system rights of an ordinary user when the tests run as
// root (root may write anywhere); false when that is impossible here.
bool asOrdinaryUser(const std::function<void()> &f)
{
    const uid_t uid = ::geteuid();
    if (uid == 0 && ::seteuid(65534) != 0)
        return false;
    f();
    if (uid == 0 && ::seteuid(0) != 0)
        std::abort();
    return true;
}

// Sets a file's mode; group and others get the same rights, since root's
// group still applies while acting as an ordinary user.
void setMode(const QString &path, mode_t mode)
{
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

// A folder an ordinary user can enter and read.
QString openFolder(QTemporaryDir &dir)
{
    setMode(dir.path(), 0755);
    return dir.path();
}

TEST(IniFile, SeesChangesMadeByOthers)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("s.ini");
    writeAll(path, "[a]\nk=1\n");
    TIniFile ini(path);
    ASSERT_EQ(ini.ReadString("a", "k", ""), "1");

    // Replaced by rename, same size: a new file all the same.
    writeAll(dir.filePath("other"), "[a]\nk=2\n");
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::rename(dir.filePath("other"), path));
    EXPECT_EQ(ini.ReadString("a", "k", ""), "2");

    writeAll(path, "[a]\nk=three\n");
    EXPECT_EQ(ini.ReadString("a", "k", ""), "three");

    QFile::remove(path);
    EXPECT_EQ(ini.ReadString("a", "k", "gone"), "gone");
}

TEST(IniFile, TwoObjectsOnOneFileKeepEachOthersWrites)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("s.ini");
    TIniFile first(path), second(path);
    first.WriteInteger("a", "x", 1);
    EXPECT_EQ(second.ReadInteger("a", "x", 0), 1);
    second.WriteInteger("a", "y", 2);
    first.WriteInteger("b", "z", 3);
    EXPECT_EQ(readAll(path), "[a]\nx=1\ny=2\n[b]\nz=3\n");
}

TEST(IniFile, WriteCreatesMissingFolders)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("config/ravenmoor/s.ini");
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("a", "k", "d"), "d");
    EXPECT_FALSE(QFile::exists(dir.filePath("config")));
    ini.WriteString("a", "k", "v");
    EXPECT_EQ(readAll(path), "[a]\nk=v\n");
}

TEST(IniFile, FolderThatCannotBeMadeRaisesErrorNamingThePath)
{
    QTemporaryDir dir;
    writeAll(dir.filePath("plain"), "not a folder");
    const QString path = dir.filePath("plain/ravenmoor/s.ini");
    TIniFile ini(path);
    try {
        ini.WriteBool("a", "k", true);
        FAIL() << "no error";
    } catch (const std::runtime_error &e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(path)) << e.what();
    }
    EXPECT_EQ(readAll(dir.filePath("plain")), "not a folder");
}

TEST(IniFile, ReadOnlyFolderRaisesErrorAndKeepsTheFile)
{
    QTemporaryDir dir;
    const QString folder = openFolder(dir) + "/conf";
    const QString path = folder + "/s.ini";
    ASSERT_TRUE(QDir().mkpath(folder));
    writeAll(path, "[a]\nk=1\n; kept\n");
    // The file itself may be written; only a replacement through the folder is safe.
    setMode(path, 0666);
    setMode(folder, 0555);

    QString error, after;
    const bool ran = asOrdinaryUser([&] {
        TIniFile ini(path);
        try {
            ini.WriteString("a", "k", "2");
        } catch (const IniFileError &e) {
            error = QString::fromUtf8(e.what());
        }
        after = ini.ReadString("a", "k", "");
    });
    setMode(folder, 0755);
    if (!ran)
        GTEST_SKIP() << "cannot act as an ordinary user here";
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
    EXPECT_EQ(after, "1") << error.toStdString();
    EXPECT_EQ(readAll(path), "[a]\nk=1\n; kept\n");
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"s.ini"});
}

TEST(IniFile, UnreadableFileReadsDefaultsAndIsNeverReplaced)
{
    QTemporaryDir dir;
    const QString path = openFolder(dir) + "/s.ini";
    writeAll(path, "[a]\nk=1\n");
    setMode(path, 0222);
    QString read, error;
    const bool ran = asOrdinaryUser([&] {
        TIniFile ini(path);
        read = ini.ReadString("a", "k", "default");
        try {
            ini.WriteString("a", "j", "2");
        } catch (const IniFileError &e) {
            error = QString::fromUtf8(e.what());
        }
    });
    if (!ran)
        GTEST_SKIP() << "cannot act as an ordinary user here";
    EXPECT_EQ(read, "default");
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
    EXPECT_EQ(readAll(path), "[a]\nk=1\n");
}

TEST(IniFile, FolderInPlaceOfTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("s.ini");
    ASSERT_TRUE(QDir().mkdir(path));
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("a", "k", 5), 5);
    EXPECT_THROW(ini.WriteInteger("a", "k", 1), IniFileError);
    EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST(IniFile, RewriteKeepsPermissionsAndLinks)
{
    QTemporaryDir dir;
    const QString target = dir.filePath("real.ini");
    const QString link = dir.filePath("s.ini");
    writeAll(target, "[a]\nk=1\n");
    setMode(target, 0600);
    ASSERT_TRUE(QFile::link(target, link));

    TIniFile ini(link);
    ini.WriteInteger("a", "k", 2);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readAll(target), "[a]\nk=2\n");
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

} // namespace
