#include "tests/support/test_support.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using ravenmoor::test::binDir;
using ravenmoor::test::runProgram;
using ravenmoor::test::sourceDir;

QString checker() { return binDir() + "/../tools/check_profiles"; }

QByteArray shipped()
{
    QFile f(sourceDir() + "/data/profiles.pop");
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

TEST(CheckProfiles, ShippedCatalogueIsWellFormed)
{
    QString out;
    EXPECT_EQ(runProgram(checker(), {sourceDir() + "/data/profiles.pop"}, &out), 0) << out.toStdString();
}

TEST(CheckProfiles, BrokenCataloguesAreRejectedWithTheirLine)
{
    const QList<QByteArray> lines = shipped().split('\n');
    auto with = [&](int line, const QByteArray &text) { // 1-based line replaced
        QList<QByteArray> l = lines;
        l[line - 1] = text;
        return l.join('\n');
    };
    const struct {
        const char *what;
        QByteArray file;
        const char *message;
    } table[] = {
        {"CR LF", shipped().replace("\n", "\r\n"), "carriage return"},
        {"a line missing", lines.mid(1).join('\n'), "523 lines"},
        {"video rates on audio-only profile 17", with(4 * 17 - 1, "1 2 3 4 5"), "line 67 (profile 17)"},
        {"star on video profile 27", with(4 * 27 - 1, "*"), "line 107 (profile 27)"},
        {"descending rates on 27", with(4 * 27 - 1, "768 600 500 400 300"), "line 107 (profile 27): five ascending"},
        {"four rates on 46", with(4 * 46 - 1, "1 2 3 4"), "line 183 (profile 46)"},
        {"too few sizes for 102", with(4 * 102 - 2, "320x240 640x480"), "line 406 (profile 102): 5 frame sizes"},
        {"no options on 5", with(4 * 5, ""), "line 20 (profile 5): no encoder options"},
    };
    QTemporaryDir dir;
    for (const auto &row : table) {
        const QString path = dir.path() + "/profiles.pop";
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(row.file);
        f.close();
        QString out;
        EXPECT_EQ(runProgram(checker(), {path}, &out), 1) << row.what;
        EXPECT_TRUE(out.contains(row.message)) << row.what << ": " << out.toStdString();
    }
}

} // namespace
