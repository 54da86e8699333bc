#include "platform/skin/required_objects.h"
#include "platform/skin/skin_file.h"
#include "tests/support/test_support.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using ravenmoor::test::binDir;
using ravenmoor::test::runProgram;
using ravenmoor::test::sourceDir;

namespace {

QString skincheck()
{
    return binDir() + "/../tools/skincheck";
}

QByteArray shippedSkin(const char *name)
{
    QFile f(sourceDir() + "/data/" + name);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

QString writeSkin(const QTemporaryDir &dir, const QByteArray &text)
{
    const QString path = dir.filePath("skn.skn");
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
    return path;
}

} // namespace

TEST(Skincheck, ShippedSkinsServeEverySection)
{
    for (const RequiredSkinSection &s : RequiredSkinSections()) {
        QString out;
        EXPECT_EQ(runProgram(skincheck(), {sourceDir() + "/data/" + s.file, s.section}, &out), 0)
            << s.file << " " << s.section << ": " << out.toStdString();
        EXPECT_TRUE(out.contains(QStringLiteral("section \"%1\" serves").arg(s.section))) << out.toStdString();
    }
}

TEST(Skincheck, FailsNamingTheRenamedObject)
{
    QTemporaryDir dir;
    QByteArray text = shippedSkin("skn.skn");
    ASSERT_TRUE(text.contains(R"("name": "converter")"));
    text.replace(R"("name": "converter")", R"("name": "convert")");
    QString out;
    EXPECT_EQ(runProgram(skincheck(), {writeSkin(dir, text), "popravenmoor"}, &out), 1);
    EXPECT_TRUE(out.contains("object \"converter\" is missing")) << out.toStdString();
}

TEST(Skincheck, UnreadableSkinAndWrongArgumentsAreNoPass)
{
    QTemporaryDir dir;
    QString out;
    EXPECT_EQ(runProgram(skincheck(), {writeSkin(dir, "{\"sections\": {"), "popravenmoor"}, &out), 2);
    EXPECT_TRUE(out.contains("skn.skn")) << out.toStdString();
    EXPECT_EQ(runProgram(skincheck(), {dir.filePath("none.skn"), "popravenmoor"}, &out), 2);
    EXPECT_TRUE(out.contains("does not exist")) << out.toStdString();
    EXPECT_EQ(runProgram(skincheck(), {sourceDir() + "/data/skn.skn", "nosuch"}, &out), 1);
    EXPECT_TRUE(out.contains("section \"nosuch\" is missing")) << out.toStdString();
    EXPECT_EQ(runProgram(skincheck(), {sourceDir() + "/data/skn.skn"}, &out), 2);
}

TEST(Skincheck, EveryRequiredObjectOfTheShippedSkinCounts)
{
    // Renaming any one required object of the shipped skin is caught, by name.
    const QByteArray text = shippedSkin("skn.skn");
    for (const RequiredSkinObject &o : RequiredSkinObjects()) {
        const QByteArray name = QByteArray("\"name\": \"") + o.name + "\"";
        ASSERT_EQ(text.count(name), 1) << o.name;
        QByteArray renamed = text;
        renamed.replace(name, QByteArray("\"name\": \"") + o.name + "_old\"");
        EXPECT_EQ(CheckSkinSection(ParseSkinText(renamed, "skn.skn"), o.section),
                  QStringList{QStringLiteral("object \"%1\" is missing").arg(o.name)});
    }
}
