#include "platform/ifo/ifo_library.h"
#include "platform/languages/language_names.h"
#include "tests/support/test_support.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <vector>

static void PrintTo(const QString &text, std::ostream *out) { *out << '"' << text.toStdString() << '"'; }

namespace {

constexpr int kMaxCells = 255;
constexpr qint64 kSector = 2048;
const QStringList kInfoFiles{QStringLiteral("VIDEO_TS.IFO"), QStringLiteral("VIDEO_TS.BUP"),
                             QStringLiteral("VTS_01_0.IFO"), QStringLiteral("VTS_01_0.BUP")};
const QStringList kIfoOnly{QStringLiteral("VTS_01_0.IFO")};
const QStringList kIfoAndBackup{QStringLiteral("VTS_01_0.IFO"), QStringLiteral("VTS_01_0.BUP")};

int Seconds(int h, int m, int s) { return h * 3600 + m * 60 + s; }

// What lsdvd -x says about one title.
struct LsdvdStream {
    QString format; // "ac3"; empty for subtitles
    QString language;
    int channels = 0;
    int frequency = 0;
    QString id;
};

struct LsdvdTitle {
    int vts = 0;
    int seconds = 0;
    QString system;
    QString aspect;
    int width = 0;
    int height = 0;
    std::vector<int> cellSeconds; // to the nearest second
    std::vector<LsdvdStream> audio;
    std::vector<LsdvdStream> subtitles;
};

std::vector<LsdvdTitle> RunLsdvd(const QString &disc)
{
    QString output;
    EXPECT_EQ(ravenmoor::test::runProgram(QStringLiteral("lsdvd"), {QStringLiteral("-x"), disc}, &output), 0);
    static const QRegularExpression title(QStringLiteral("^Title: \\d+, Length: (\\d+):(\\d+):(\\d+)\\.\\d+ "));
    static const QRegularExpression video(QStringLiteral(
        "^\\tVTS: (\\d+), TTN: \\d+, FPS: [\\d.]+, Format: (\\w+), Aspect ratio: ([\\d/]+), Width: (\\d+), "
        "Height: (\\d+)"));
    static const QRegularExpression cell(QStringLiteral("^\\tCell: \\d+, Length: (\\d+):(\\d+):(\\d+)\\.(\\d{3})"));
    static const QRegularExpression audio(QStringLiteral(
        "^\\tAudio: \\d+, Language: (\\S+) - .*, Format: (\\w+), Frequency: (\\d+), .*Channels: (\\d+), "
        ".*Stream id: (0x[0-9a-f]{2})"));
    static const QRegularExpression subtitle(
        QStringLiteral("^\\tSubtitle: \\d+, Language: (\\S+) - .*Stream id: (0x[0-9a-f]{2})"));
    std::vector<LsdvdTitle> titles;
    for (const QString &line : output.split(QLatin1Char('\n'))) {
        QRegularExpressionMatch m;
        if ((m = title.match(line)).hasMatch()) {
            titles.emplace_back();
            titles.back().seconds = Seconds(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        } else if (titles.empty()) {
            continue;
        } else if ((m = video.match(line)).hasMatch()) {
            LsdvdTitle &t = titles.back();
            t.vts = m.captured(1).toInt();
            t.system = m.captured(2);
            t.aspect = m.captured(3).replace(QLatin1Char('/'), QLatin1Char(':'));
            t.width = m.captured(4).toInt();
            t.height = m.captured(5).toInt();
        } else if ((m = cell.match(line)).hasMatch()) {
            // A cell's whole seconds are its nearest.
            titles.back().cellSeconds.push_back(Seconds(m.captured(1).toInt(), m.captured(2).toInt(),
                                                        m.captured(3).toInt() + (m.captured(4).toInt() >= 500)));
        } else if ((m = audio.match(line)).hasMatch()) {
            titles.back().audio.push_back(
                {m.captured(2), m.captured(1), m.captured(4).toInt(), m.captured(3).toInt(), m.captured(5)});
        } else if ((m = subtitle.match(line)).hasMatch()) {
            titles.back().subtitles.push_back({QString(), m.captured(1), 0, 0, m.captured(2)});
        }
    }
    return titles;
}

// The title VOB files of a title set read as one run of sectors.
QByteArray ReadVobSector(const QString &videoTs, int vts, qint64 sector)
{
    for (int part = 1; part <= 9; ++part) {
        QFile vob(QDir(videoTs).filePath(QStringLiteral("VTS_%1_%2.VOB").arg(vts, 2, 10, QLatin1Char('0')).arg(part)));
        if (!vob.open(QIODevice::ReadOnly))
            break;
        const qint64 sectors = vob.size() / kSector;
        if (sector < sectors) {
            vob.seek(sector * kSector);
            return vob.read(kSector);
        }
        sector -= sectors;
    }
    return {};
}

qint64 VobSectors(const QString &videoTs, int vts)
{
    qint64 total = 0;
    for (int part = 1; part <= 9; ++part) {
        const QFileInfo vob(QDir(videoTs).filePath(QStringLiteral("VTS_%1_%2.VOB").arg(vts, 2, 10, QLatin1Char('0')).arg(part)));
        if (!vob.exists())
            break;
        total += vob.size() / kSector;
    }
    return total;
}

// A cell starts with a navigation pack, whose PCI names the pack's own sector.
bool IsNavigationPackOfSector(const QByteArray &pack, qint64 sector)
{
    if (pack.size() != kSector || !pack.startsWith(QByteArray("\x00\x00\x01\xba", 4)) ||
        pack.mid(0x26, 4) != QByteArray("\x00\x00\x01\xbf", 4))
        return false;
    const auto *lbn = reinterpret_cast<const uchar *>(pack.constData() + 0x2d);
    return ((qint64(lbn[0]) << 24) | (lbn[1] << 16) | (lbn[2] << 8) | lbn[3]) == sector;
}

// Every answer of the reader for one handle, as text.
QString Dump(IfoLibrary &lib, IfoHandle h)
{
    QStringList out{lib.ifoGetVideoDesc(h)};
    for (int i = 0; i < lib.ifoGetNumAudio(h); ++i)
        out << lib.ifoGetAudioDesc(h, i);
    for (int i = 0; i < lib.ifoGetNumSubPic(h); ++i)
        out << lib.ifoGetSubPicDesc(h, i);
    for (int c = 0; c < lib.ifoGetNumPGCI(h); ++c) {
        IfoTime t;
        const int n = lib.ifoGetPGCIInfo(h, c, &t);
        out << QStringLiteral("chain %1 %2:%3:%4").arg(n).arg(t.hours).arg(t.minutes).arg(t.seconds);
        std::vector<IfoCell> cells(static_cast<std::size_t>(std::max(n, 1)));
        const int got = lib.ifoGetPGCICells(h, c, cells.data(), n);
        for (int k = 0; k < got; ++k) {
            const IfoCell &cell = cells[static_cast<std::size_t>(k)];
            out << QStringLiteral("cell %1-%2 %3:%4:%5")
                       .arg(cell.firstSector).arg(cell.lastSector).arg(cell.hours).arg(cell.minutes).arg(cell.seconds);
        }
    }
    return out.join(QLatin1Char('\n'));
}

bool CopyFiles(const QString &from, const QString &to, const QStringList &names,
               const std::function<QString(const QString &)> &rename = {})
{
    if (!QDir().mkpath(to))
        return false;
    for (const QString &name : names) {
        const QString target = QDir(to).filePath(rename ? rename(name) : name);
        QFile::remove(target);
        if (!QFile::copy(QDir(from).filePath(name), target))
            return false;
    }
    return true;
}

bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// One fixture disc for every test of this program, made on first use.
struct FixtureDisc {
    QTemporaryDir dir;
    bool made = dir.isValid() && ravenmoor::test::makeDvdFixture(dir.path());
};

const FixtureDisc &Disc()
{
    static const FixtureDisc disc;
    return disc;
}

class IfoReaderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Disc().made) << "the DVD fixture could not be made"; }

    static QString videoTs() { return Disc().dir.filePath(QStringLiteral("VIDEO_TS")); }
    static QString ifo(int vts) { return QDir(videoTs()).filePath(QStringLiteral("VTS_%1_0.IFO").arg(vts, 2, 10, QLatin1Char('0'))); }

    std::unique_ptr<IfoLibrary> lib_ = MakeDvdReadIfoLibrary();
};

// Compares the reader with lsdvd on the same folder; each title set of the
// fixture holds one title of one chain, so lsdvd's titles are the chains.
void ExpectReadsAsLsdvd(IfoLibrary &lib, const QString &disc, const QString &videoTs)
{
    const std::vector<LsdvdTitle> titles = RunLsdvd(disc);
    ASSERT_EQ(titles.size(), 2u);
    for (const LsdvdTitle &t : titles) {
        SCOPED_TRACE(t.vts);
        const IfoHandle h = lib.ifoOpen(QDir(videoTs).filePath(QStringLiteral("VTS_%1_0.IFO").arg(t.vts, 2, 10, QLatin1Char('0'))), 0);
        ASSERT_NE(h, 0u);
        ASSERT_EQ(lib.ifoGetNumPGCI(h), 1);

        IfoTime time;
        const int cellCount = lib.ifoGetPGCIInfo(h, 0, &time);
        EXPECT_EQ(Seconds(time.hours, time.minutes, time.seconds), t.seconds);
        ASSERT_EQ(cellCount, static_cast<int>(t.cellSeconds.size()));
        std::vector<IfoCell> cells(static_cast<std::size_t>(cellCount));
        ASSERT_EQ(lib.ifoGetPGCICells(h, 0, cells.data(), cellCount), cellCount);
        for (int k = 0; k < cellCount; ++k) {
            const IfoCell &c = cells[static_cast<std::size_t>(k)];
            EXPECT_EQ(Seconds(c.hours, c.minutes, c.seconds), t.cellSeconds[static_cast<std::size_t>(k)]) << k;
        }

        EXPECT_EQ(lib.ifoGetVideoDesc(h),
                  QStringLiteral("MPEG2 %1x%2 %3 %4").arg(t.width).arg(t.height).arg(t.system, t.aspect));
        ASSERT_EQ(lib.ifoGetNumAudio(h), static_cast<int>(t.audio.size()));
        for (int i = 0; i < lib.ifoGetNumAudio(h); ++i) {
            const LsdvdStream &a = t.audio[static_cast<std::size_t>(i)];
            EXPECT_EQ(lib.ifoGetAudioDesc(h, i), QStringLiteral("%1 %2 %3ch %4kHz (%5)")
                                                     .arg(a.format.toUpper(), ShortLanguageName(a.language))
                                                     .arg(a.channels).arg(a.frequency / 1000).arg(a.id));
        }
        ASSERT_EQ(lib.ifoGetNumSubPic(h), static_cast<int>(t.subtitles.size()));
        for (int i = 0; i < lib.ifoGetNumSubPic(h); ++i) {
            const LsdvdStream &s = t.subtitles[static_cast<std::size_t>(i)];
            EXPECT_EQ(lib.ifoGetSubPicDesc(h, i), QStringLiteral("%1 (%2)").arg(ShortLanguageName(s.language), s.id));
        }
        lib.ifoClose(h);
    }
}

TEST_F(IfoReaderTest, ReadsTheFixtureAsLsdvdDoes)
{
    ExpectReadsAsLsdvd(*lib_, QFileInfo(videoTs()).path(), videoTs());

    // The fixture's own facts, in the reader's words.
    const IfoHandle one = lib_->ifoOpen(ifo(1), 0);
    EXPECT_EQ(lib_->ifoGetAudioDesc(one, 0), QStringLiteral("AC3 English 2ch 48kHz (0x80)"));
    EXPECT_EQ(lib_->ifoGetAudioDesc(one, 1), QStringLiteral("AC3 French 2ch 48kHz (0x81)"));
    EXPECT_EQ(lib_->ifoGetSubPicDesc(one, 0), QStringLiteral("English (0x20)"));
    EXPECT_EQ(lib_->ifoGetVideoDesc(one), QStringLiteral("MPEG2 720x576 PAL 4:3"));
    const IfoHandle two = lib_->ifoOpen(ifo(2), 0);
    EXPECT_EQ(lib_->ifoGetNumAudio(two), 1);
    EXPECT_EQ(lib_->ifoGetAudioDesc(two, 0), QStringLiteral("AC3 German 2ch 48kHz (0x80)"));
    EXPECT_EQ(lib_->ifoGetNumSubPic(two), 0);
}

TEST_F(IfoReaderTest, CellSectorsAreWhereTheVobHasThem)
{
    for (int vts : {1, 2}) {
        SCOPED_TRACE(vts);
        const IfoHandle h = lib_->ifoOpen(ifo(vts), 0);
        ASSERT_NE(h, 0u);
        const int n = lib_->ifoGetPGCIInfo(h, 0, nullptr);
        ASSERT_GT(n, 0);
        std::vector<IfoCell> cells(static_cast<std::size_t>(n));
        ASSERT_EQ(lib_->ifoGetPGCICells(h, 0, cells.data(), n), n);
        // IfoCell is packed: its fields are copied out before gtest takes them by reference.
        EXPECT_EQ(int32_t{cells.front().firstSector}, 0);
        for (std::size_t k = 0; k < cells.size(); ++k) {
            const int32_t first = cells[k].firstSector;
            const int32_t last = cells[k].lastSector;
            EXPECT_LT(first, last) << k;
            EXPECT_TRUE(IsNavigationPackOfSector(ReadVobSector(videoTs(), vts, first), first)) << k;
            if (k + 1 < cells.size()) {
                EXPECT_EQ(int32_t{cells[k + 1].firstSector}, last + 1) << k;
            }
        }
        // dvdauthor writes nothing after the last cell.
        EXPECT_EQ(cells.back().lastSector + 1, VobSectors(videoTs(), vts));
    }
}

// The ids come from the first chain's control tables, not from the order of
// the attributes (as a player finds the streams): swap the two audio streams' physical numbers and give the
// subtitle physical stream 3 (4:3) / 2 (wide).
TEST_F(IfoReaderTest, StreamIdsFollowTheChainsControlTables)
{
    QTemporaryDir copy;
    const QString patched = copy.filePath(QStringLiteral("VIDEO_TS"));
    ASSERT_TRUE(CopyFiles(videoTs(), patched, QDir(videoTs()).entryList(QDir::Files)));
    for (const QString &name : kIfoAndBackup) {
        const QString path = QDir(patched).filePath(name);
        QByteArray bytes = ReadFile(path);
        ASSERT_GT(bytes.size(), 0x100);
        const auto be32 = [&bytes](qsizetype at) {
            const auto *p = reinterpret_cast<const uchar *>(bytes.constData() + at);
            return (qsizetype(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
        };
        const qsizetype pgcit = be32(0xcc) * kSector;       // VTS_PGCIT's sector
        const qsizetype pgc = pgcit + be32(pgcit + 8 + 4); // first chain's start byte
        ASSERT_LT(pgc + 0x20, bytes.size());
        bytes.replace(pgc + 0x0c, 4, QByteArray("\x81\x00\x80\x00", 4));
        bytes.replace(pgc + 0x1c, 4, QByteArray("\x83\x02\x00\x00", 4));
        ASSERT_TRUE(WriteFile(path, bytes));
    }

    // lsdvd numbers the streams by their order; the packets carry these numbers.
    const IfoHandle h = lib_->ifoOpen(QDir(patched).filePath(QStringLiteral("VTS_01_0.IFO")), 0);
    EXPECT_EQ(lib_->ifoGetAudioDesc(h, 0), QStringLiteral("AC3 English 2ch 48kHz (0x81)"));
    EXPECT_EQ(lib_->ifoGetAudioDesc(h, 1), QStringLiteral("AC3 French 2ch 48kHz (0x80)"));
    EXPECT_EQ(lib_->ifoGetSubPicDesc(h, 0), QStringLiteral("English (0x23)"));
}

enum class Outcome { Unreadable, ReadsAsOriginal };

struct BadInputCase {
    const char *name;
    // Builds the case under `work` from the fixture's VIDEO_TS and returns the path to open.
    std::function<QString(const QString &work, const QString &videoTs)> make;
    Outcome outcome;
};

// A copy of the information files with the given files of title set 1 replaced by `bytes`.
QString DamagedCopy(const QString &work, const QString &videoTs, const QByteArray &bytes, const QStringList &damaged)
{
    const QString folder = QDir(work).filePath(QStringLiteral("VIDEO_TS"));
    if (!CopyFiles(videoTs, folder, kInfoFiles))
        return {};
    for (const QString &name : damaged)
        if (!WriteFile(QDir(folder).filePath(name), bytes))
            return {};
    return QDir(folder).filePath(QStringLiteral("VTS_01_0.IFO"));
}

QByteArray Garbage()
{
    QByteArray bytes(12288, Qt::Uninitialized);
    QRandomGenerator random(11);
    for (char &b : bytes)
        b = static_cast<char>(random.bounded(256));
    return bytes;
}

const BadInputCase kBadInputs[] = {
    {"MissingFile", [](const QString &, const QString &v) { return QDir(v).filePath(QStringLiteral("VTS_03_0.IFO")); },
     Outcome::Unreadable},
    {"MissingFolder", [](const QString &w, const QString &) { return QDir(w).filePath(QStringLiteral("gone/VTS_01_0.IFO")); },
     Outcome::Unreadable},
    // libdvdread reads a damaged IFO's title set from its backup.
    {"ZeroLengthWithBackup", [](const QString &w, const QString &v) { return DamagedCopy(w, v, {}, kIfoOnly); },
     Outcome::ReadsAsOriginal},
    {"ZeroLengthBoth", [](const QString &w, const QString &v) { return DamagedCopy(w, v, {}, kIfoAndBackup); },
     Outcome::Unreadable},
    {"TruncatedWithBackup",
     [](const QString &w, const QString &v) {
         return DamagedCopy(w, v, ReadFile(QDir(v).filePath(QStringLiteral("VTS_01_0.IFO"))).left(100), kIfoOnly);
     },
     Outcome::ReadsAsOriginal},
    {"TruncatedBoth",
     [](const QString &w, const QString &v) {
         return DamagedCopy(w, v, ReadFile(QDir(v).filePath(QStringLiteral("VTS_01_0.IFO"))).left(100), kIfoAndBackup);
     },
     Outcome::Unreadable},
    {"GarbageBoth", [](const QString &w, const QString &v) { return DamagedCopy(w, v, Garbage(), kIfoAndBackup); },
     Outcome::Unreadable},
    {"MenuIfo", [](const QString &, const QString &v) { return QDir(v).filePath(QStringLiteral("VIDEO_TS.IFO")); },
     Outcome::Unreadable},
    {"MenuIfoUnderATitleSetsName",
     [](const QString &w, const QString &v) {
         return DamagedCopy(w, v, ReadFile(QDir(v).filePath(QStringLiteral("VIDEO_TS.IFO"))), kIfoAndBackup);
     },
     Outcome::Unreadable},
    {"TitleSetZero",
     [](const QString &w, const QString &v) {
         CopyFiles(v, w, {QStringLiteral("VIDEO_TS.IFO")}, [](const QString &) { return QStringLiteral("VTS_00_0.IFO"); });
         return QDir(w).filePath(QStringLiteral("VTS_00_0.IFO"));
     },
     Outcome::Unreadable},
    {"RenamedFooIfo",
     [](const QString &w, const QString &v) {
         CopyFiles(v, w, kIfoAndBackup, [](const QString &n) { return n.endsWith("IFO") ? QStringLiteral("foo.ifo") : n; });
         return QDir(w).filePath(QStringLiteral("foo.ifo"));
     },
     Outcome::Unreadable},
    {"FolderNamedLikeAnIfo",
     [](const QString &w, const QString &) {
         QDir(w).mkpath(QStringLiteral("VTS_01_0.IFO"));
         return QDir(w).filePath(QStringLiteral("VTS_01_0.IFO"));
     },
     Outcome::Unreadable},
    {"CopyInAFolderWithBlankAndUmlaut",
     [](const QString &w, const QString &v) {
         const QString folder = QDir(w).filePath(QStringLiteral("my rips/Filme \u00fc"));
         CopyFiles(v, folder, kInfoFiles);
         return QDir(folder).filePath(QStringLiteral("VTS_01_0.IFO"));
     },
     Outcome::ReadsAsOriginal},
    {"LowerCaseFolderAndNames",
     [](const QString &w, const QString &v) {
         const QString folder = QDir(w).filePath(QStringLiteral("video_ts"));
         CopyFiles(v, folder, kInfoFiles, [](const QString &n) { return n.toLower(); });
         return QDir(folder).filePath(QStringLiteral("vts_01_0.ifo"));
     },
     Outcome::ReadsAsOriginal},
    {"IfoAlone",
     [](const QString &w, const QString &v) {
         CopyFiles(v, w, kIfoOnly);
         return QDir(w).filePath(QStringLiteral("VTS_01_0.IFO"));
     },
     Outcome::ReadsAsOriginal},
    {"BackupPath", [](const QString &, const QString &v) { return QDir(v).filePath(QStringLiteral("VTS_01_0.BUP")); },
     Outcome::ReadsAsOriginal},
};

void PrintTo(const BadInputCase &c, std::ostream *out) { *out << c.name; }

class IfoBadInputTest : public IfoReaderTest, public ::testing::WithParamInterface<BadInputCase> {};

TEST_P(IfoBadInputTest, ReturnsNoHandleOrReadsTheTitleSet)
{
    const IfoHandle original = lib_->ifoOpen(ifo(1), 0);
    ASSERT_NE(original, 0u);
    QTemporaryDir work;
    const QString path = GetParam().make(work.path(), videoTs());
    ASSERT_FALSE(path.isEmpty());

    const IfoHandle h = lib_->ifoOpen(path, 0);
    if (GetParam().outcome == Outcome::Unreadable) {
        EXPECT_EQ(h, 0u);
    } else {
        ASSERT_NE(h, 0u);
        EXPECT_EQ(Dump(*lib_, h), Dump(*lib_, original));
    }
}

INSTANTIATE_TEST_SUITE_P(Table, IfoBadInputTest, ::testing::ValuesIn(kBadInputs),
                         [](const ::testing::TestParamInfo<BadInputCase> &info) { return info.param.name; });

// Damage anywhere in the tables (both copies alike) gives no handle or a
// handle whose answers keep their shapes; it never brings the reader down.
TEST_F(IfoReaderTest, DamagedTablesNeverBreakTheReader)
{
    const QByteArray intact = ReadFile(ifo(1));
    ASSERT_GT(intact.size(), 0);
    static const QRegularExpression audio(QStringLiteral("^\\w+ [^()]+ \\d+ch [\\d?]+kHz \\(0x[0-9a-f]{2}\\)$"));
    static const QRegularExpression subpicture(QStringLiteral("^[^()]+ \\(0x[23][0-9a-f]\\)$"));
    static const QRegularExpression video(QStringLiteral("^\\w+ \\d+x\\d+ \\w+ [\\w:]+$"));
    QTemporaryDir work;
    QRandomGenerator random(2024);
    int opened = 0;
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes = intact;
        const int changes = 1 + random.bounded(8);
        for (int i = 0; i < changes; ++i)
            bytes[12 + random.bounded(bytes.size() - 12)] = static_cast<char>(random.bounded(256));
        const QString path = DamagedCopy(work.path(), videoTs(), bytes, kIfoAndBackup);
        ASSERT_FALSE(path.isEmpty());
        const IfoHandle h = lib_->ifoOpen(path, 0);
        if (!h)
            continue;
        ++opened;
        SCOPED_TRACE(round);
        EXPECT_LE(lib_->ifoGetNumAudio(h), 8);
        EXPECT_LE(lib_->ifoGetNumSubPic(h), 32);
        for (int i = 0; i < lib_->ifoGetNumAudio(h); ++i)
            EXPECT_TRUE(audio.match(lib_->ifoGetAudioDesc(h, i)).hasMatch()) << lib_->ifoGetAudioDesc(h, i).toStdString();
        for (int i = 0; i < lib_->ifoGetNumSubPic(h); ++i)
            EXPECT_TRUE(subpicture.match(lib_->ifoGetSubPicDesc(h, i)).hasMatch()) << lib_->ifoGetSubPicDesc(h, i).toStdString();
        EXPECT_TRUE(video.match(lib_->ifoGetVideoDesc(h)).hasMatch()) << lib_->ifoGetVideoDesc(h).toStdString();
        IfoCell cells[kMaxCells];
        for (int c = 0; c < lib_->ifoGetNumPGCI(h); ++c)
            EXPECT_LE(lib_->ifoGetPGCICells(h, c, cells, kMaxCells), lib_->ifoGetPGCIInfo(h, c, nullptr));
        lib_->ifoClose(h);
    }
    // Most single-byte damage lands in places that do not stop the open.
    EXPECT_GT(opened, 0);
}

TEST_F(IfoReaderTest, HandlesAreIndependentAndStaleOnesAnswerNothing)
{
    const IfoHandle one = lib_->ifoOpen(ifo(1), 0);
    const IfoHandle two = lib_->ifoOpen(ifo(1), 0);
    ASSERT_NE(one, 0u);
    ASSERT_NE(two, 0u);
    EXPECT_NE(one, two);
    const QString reading = Dump(*lib_, one);

    lib_->ifoClose(one);
    lib_->ifoClose(one);
    lib_->ifoClose(0);
    lib_->ifoClose(987654);
    EXPECT_EQ(Dump(*lib_, two), reading);

    // A handle opened after a close is a new one: the closed one stays dead.
    const IfoHandle three = lib_->ifoOpen(ifo(2), 0);
    EXPECT_NE(three, one);

    for (IfoHandle stale : {one, IfoHandle(0), IfoHandle(987654)}) {
        SCOPED_TRACE(stale);
        EXPECT_EQ(lib_->ifoGetNumPGCI(stale), 0);
        EXPECT_EQ(lib_->ifoGetNumAudio(stale), 0);
        EXPECT_EQ(lib_->ifoGetNumSubPic(stale), 0);
        EXPECT_TRUE(lib_->ifoGetAudioDesc(stale, 0).isEmpty());
        EXPECT_TRUE(lib_->ifoGetSubPicDesc(stale, 0).isEmpty());
        EXPECT_TRUE(lib_->ifoGetVideoDesc(stale).isEmpty());
        IfoTime time{1, 2, 3, 4};
        EXPECT_EQ(lib_->ifoGetPGCIInfo(stale, 0, &time), 0);
        EXPECT_EQ(time.hours + time.minutes + time.seconds, 0);
        IfoCell cell{};
        EXPECT_EQ(lib_->ifoGetPGCICells(stale, 0, &cell, 1), 0);
    }
}

TEST_F(IfoReaderTest, OutOfRangeIndexesAndShortBuffers)
{
    const IfoHandle h = lib_->ifoOpen(ifo(1), 0);
    ASSERT_NE(h, 0u);
    EXPECT_TRUE(lib_->ifoGetAudioDesc(h, -1).isEmpty());
    EXPECT_TRUE(lib_->ifoGetAudioDesc(h, 2).isEmpty());
    EXPECT_TRUE(lib_->ifoGetSubPicDesc(h, 1).isEmpty());
    IfoTime time{9, 9, 9, 9};
    EXPECT_EQ(lib_->ifoGetPGCIInfo(h, 1, &time), 0);
    EXPECT_EQ(time.hours + time.minutes + time.seconds, 0);
    EXPECT_EQ(lib_->ifoGetPGCIInfo(h, -1, nullptr), 0);

    IfoCell all[4];
    ASSERT_EQ(lib_->ifoGetPGCICells(h, 0, all, 4), 4);
    // Two cells asked for: two written, the guard behind them untouched.
    IfoCell cells[3];
    std::memset(cells, 0xab, sizeof cells);
    EXPECT_EQ(lib_->ifoGetPGCICells(h, 0, cells, 2), 2);
    EXPECT_EQ(std::memcmp(cells, all, 2 * sizeof(IfoCell)), 0);
    EXPECT_EQ(int32_t{cells[2].firstSector}, static_cast<int32_t>(0xabababab));
    EXPECT_EQ(lib_->ifoGetPGCICells(h, 0, nullptr, 4), 0);
    EXPECT_EQ(lib_->ifoGetPGCICells(h, 0, cells, 0), 0);
}

TEST_F(IfoReaderTest, ReadingTheWholeFixtureIsFast)
{
    QElapsedTimer timer;
    timer.start();
    for (int vts : {1, 2}) {
        const IfoHandle h = lib_->ifoOpen(ifo(vts), 0);
        ASSERT_NE(h, 0u);
        Dump(*lib_, h);
        lib_->ifoClose(h);
    }
    const qint64 ms = timer.elapsed();
    RecordProperty("milliseconds", static_cast<int>(ms));
    EXPECT_LT(ms, 100);
}

} // namespace
