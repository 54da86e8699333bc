#include "skin_controls/controls/button.h"
#include "skin_controls/controls/combo_box.h"
#include "skin_controls/controls/image_button.h"
#include "skin_controls/controls/popup_menu.h"
#include "skin_controls/drawing/form_helpers.h"
#include "skin_controls/theme/file_theme.h"
#include "skin_controls/theme/theme_lookup.h"
#include "tests/skin_controls/skin_test_app.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <optional>

namespace {

// Builds a theme container byte by byte: a 24-byte header, then the data
// and entries at the offsets the test chooses.
class Container {
public:
    Container() : m_bytes(24, '\0') { put32(12, 24); }

    // Appends data; returns its offset.
    uint32_t data(const QByteArray &bytes)
    {
        const auto at = uint32_t(m_bytes.size());
        m_bytes += bytes;
        return at;
    }
    static QByteArray int32(int32_t v)
    {
        QByteArray b(4, '\0');
        qToLittleEndian(v, b.data());
        return b;
    }

    // Appends a 77-byte entry; returns its offset. Link it with setNext.
    uint32_t entry(const QByteArray &name, uint8_t type, uint32_t dataOffset, uint32_t size, uint32_t next = 0)
    {
        const auto at = uint32_t(m_bytes.size());
        QByteArray e(77, '\0');
        e.replace(0, std::min<qsizetype>(name.size(), 64), name.left(64));
        e[64] = char(type);
        qToLittleEndian(dataOffset, e.data() + 65);
        qToLittleEndian(size, e.data() + 69);
        qToLittleEndian(next, e.data() + 73);
        m_bytes += e;
        return at;
    }
    void setNext(uint32_t entryOffset, uint32_t next) { put32(entryOffset + 73, next); }
    void setFirst(uint32_t offset) { put32(20, offset); }

    // A chain of entries, each linked to the next, ended by a terminator.
    struct Item {
        QByteArray name;
        uint8_t type;
        QByteArray value;
    };
    void chain(const std::vector<Item> &items)
    {
        std::optional<uint32_t> previous;
        for (const Item &item : items) {
            const uint32_t d = data(item.value);
            const uint32_t e = entry(item.name, item.type, d, uint32_t(item.value.size()));
            previous ? setNext(*previous, e) : setFirst(e);
            previous = e;
        }
        const uint32_t end = entry("end", 0, 0, 0);
        previous ? setNext(*previous, end) : setFirst(end);
    }

    QString write(const QString &path) const
    {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(m_bytes);
        return path;
    }
    QByteArray &bytes() { return m_bytes; }

private:
    void put32(qsizetype at, uint32_t v) { qToLittleEndian(v, m_bytes.data() + at); }
    QByteArray m_bytes;
};

QByteArray bmp(const QColor &c, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(c);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

class ThemeFile : public ::testing::Test {
protected:
    void SetUp() override { SkinTestApp(); }
    QString path(const char *name) const { return m_dir.filePath(QLatin1String(name)); }
    QTemporaryDir m_dir;
};

TEST_F(ThemeFile, EntriesWrittenByteByByteReadBack)
{
    Container c;
    c.chain({
        {"FormBackgroundColor", 1, Container::int32(0x123456)},
        {"ButtonTransparentBool", 2, QByteArray(1, '\x01')},
        {"TitleBarButtonTopInt", 1, Container::int32(-7)},
        {"ButtonImage", 0, bmp(Qt::red, {6, 3})},
        {"Comment", 3, "made by hand"},
        {"FormBackgroundColor", 1, Container::int32(0x999999)},
    });
    const TsuiThemeFileReader reader(c.write(path("a.theme")));

    EXPECT_EQ(reader.GetInteger(QStringLiteral("FormBackgroundColor")), 0x123456) << "the earlier entry wins";
    EXPECT_EQ(reader.GetInteger(QStringLiteral("formbackgroundcolor")), 0x123456) << "names match in any case";
    EXPECT_EQ(reader.GetInteger(QStringLiteral("TitleBarButtonTopInt")), -7);
    EXPECT_TRUE(reader.GetBool(QStringLiteral("ButtonTransparentBool")));
    EXPECT_EQ(reader.GetInteger(QStringLiteral("FormBorderWidthInt")), -1) << "a missing int";
    EXPECT_FALSE(reader.GetBool(QStringLiteral("TitleBarButtonTransparentBool"))) << "a missing bool";
    EXPECT_EQ(reader.GetInteger(QStringLiteral("ButtonTransparentBool")), -1) << "a bool is not an int";
    ASSERT_NE(reader.GetImage(QStringLiteral("BUTTONIMAGE")), nullptr);
    EXPECT_EQ(QImage::fromData(*reader.GetImage(QStringLiteral("ButtonImage"))).size(), QSize(6, 3));
    EXPECT_EQ(reader.GetImage(QStringLiteral("CheckBoxImage")), nullptr);
    ASSERT_EQ(reader.texts().size(), 1u);
    EXPECT_EQ(reader.texts()[0].value, QStringLiteral("made by hand"));
    EXPECT_EQ(reader.integers().size(), 3u);
    EXPECT_EQ(reader.booleans().size(), 1u);
    EXPECT_EQ(reader.images().size(), 1u);
}

TEST_F(ThemeFile, TerminatorOnlyAndUnknownTypes)
{
    Container empty;
    empty.chain({});
    const TsuiThemeFileReader none(empty.write(path("empty.theme")));
    EXPECT_TRUE(none.integers().empty() && none.booleans().empty() && none.images().empty() && none.texts().empty());
    EXPECT_EQ(none.GetInteger(QStringLiteral("FormBackgroundColor")), -1);
    EXPECT_FALSE(none.GetBool(QStringLiteral("ButtonTransparentBool")));

    Container odd;
    odd.chain({{"Future", 4, "xyz"}, {"Later", 200, ""}, {"FormBorderWidthInt", 1, Container::int32(3)}});
    const TsuiThemeFileReader reader(odd.write(path("odd.theme")));
    EXPECT_EQ(reader.GetInteger(QStringLiteral("FormBorderWidthInt")), 3) << "the chain goes on behind skipped types";
}

TEST_F(ThemeFile, ValuesReadNoMoreThanTheirWidth)
{
    // An integer entry claiming 8 bytes and a boolean claiming 4: only 4 and 1 are taken.
    Container c;
    c.chain({{"FormBorderWidthInt", 1, Container::int32(5) + Container::int32(0x7777)},
             {"ButtonTransparentBool", 2, QByteArray("\x00\x01\x01\x01", 4)},
             {"TitleBarButtonTopInt", 1, QByteArray("\x02", 1)},
             {"TitleBarButtonTransparentBool", 2, QByteArray()}});
    const TsuiThemeFileReader reader(c.write(path("wide.theme")));
    EXPECT_EQ(reader.GetInteger(QStringLiteral("FormBorderWidthInt")), 5);
    EXPECT_FALSE(reader.GetBool(QStringLiteral("ButtonTransparentBool")));
    EXPECT_EQ(reader.GetInteger(QStringLiteral("TitleBarButtonTopInt")), 2);
    EXPECT_FALSE(reader.GetBool(QStringLiteral("TitleBarButtonTransparentBool")));
}

TEST_F(ThemeFile, LoopingChainEnds)
{
    Container c;
    const uint32_t d = c.data(Container::int32(42));
    const uint32_t a = c.entry("FormBorderWidthInt", 1, d, 4);
    const uint32_t b = c.entry("FormMinWidthInt", 1, d, 4, a);
    c.setNext(a, b);
    c.setFirst(a);
    const TsuiThemeFileReader reader(c.write(path("loop.theme")));
    EXPECT_EQ(reader.GetInteger(QStringLiteral("FormMinWidthInt")), 42);
    EXPECT_LE(reader.integers().size(), size_t(c.bytes().size() / 77));

    Container self;
    const uint32_t e = self.entry("FormBorderWidthInt", 1, 0, 4);
    self.setNext(e, e);
    self.setFirst(e);
    EXPECT_NO_THROW(TsuiThemeFileReader(self.write(path("self.theme"))));
}

TEST_F(ThemeFile, OffsetsPastTheEndAreRefused)
{
    struct Case {
        const char *what;
        std::function<void(Container &)> damage;
    };
    const Case cases[] = {
        {"first entry past the end", [](Container &c) { c.setFirst(100000); }},
        {"entry cut short", [](Container &c) { c.bytes().chop(10); }},
        {"image data past the end",
         [](Container &c) {
             const uint32_t e = c.entry("ButtonImage", 0, 30, 100000);
             c.setNext(e, c.entry("end", 0, 0, 0));
             c.setFirst(e);
         }},
        {"data offset past the end",
         [](Container &c) {
             const uint32_t e = c.entry("FormMinWidthInt", 1, 0xFFFFFFF0u, 4);
             c.setNext(e, c.entry("end", 0, 0, 0));
             c.setFirst(e);
         }},
        {"next entry past the end",
         [](Container &c) {
             const uint32_t e = c.entry("FormMinWidthInt", 1, 24, 4, 0x7FFFFFFF);
             c.setFirst(e);
         }},
    };
    for (const Case &k : cases) {
        Container c;
        c.chain({{"FormMinWidthInt", 1, Container::int32(1)}});
        k.damage(c);
        EXPECT_THROW(TsuiThemeFileReader(c.write(path("bad.theme"))), ThemeFileError) << k.what;
    }
    QFile tiny(path("tiny.theme"));
    ASSERT_TRUE(tiny.open(QIODevice::WriteOnly));
    tiny.write("short");
    tiny.close();
    EXPECT_THROW(TsuiThemeFileReader(path("tiny.theme")), ThemeFileError);
    EXPECT_THROW(TsuiThemeFileReader(path("missing.theme")), ThemeFileError);
}

TEST_F(ThemeFile, ManagerMapsItemNumbersToNames)
{
    TsuiFileThemeMgr mgr;
    QImage graphic(2, 2, QImage::Format_RGB32);
    EXPECT_EQ(mgr.GetColor(15), 0) << "no reader";
    EXPECT_EQ(mgr.GetInt(13), 0);
    EXPECT_FALSE(mgr.GetBool(2));
    mgr.GetBitmap(1, graphic);
    EXPECT_EQ(graphic.size(), QSize(2, 2));
    EXPECT_FALSE(mgr.Load(path("missing.theme")));

    Container c;
    c.chain({{"FormBackgroundColor", 1, Container::int32(0x00A0B0C0)}, {"ButtonImage", 0, bmp(Qt::blue, {9, 4})}});
    ASSERT_TRUE(mgr.Load(c.write(path("m.theme"))));
    EXPECT_EQ(mgr.GetColor(15), 0x00A0B0C0);
    EXPECT_EQ(mgr.GetInt(13), -1) << "an item the file lacks";
    EXPECT_EQ(mgr.GetInt(99), -1) << "no item 99";
    mgr.GetBitmap(1, graphic);
    EXPECT_EQ(graphic.size(), QSize(9, 4));
    mgr.GetBitmap(3, graphic);
    EXPECT_EQ(graphic.size(), QSize(9, 4)) << "an absent picture leaves the graphic as it was";
    EXPECT_FALSE(mgr.Load(path("missing.theme")));
    EXPECT_EQ(mgr.GetColor(15), 0x00A0B0C0) << "a missing file keeps the reader";
}

TEST_F(ThemeFile, ThemeFileWriterLoadsOnceAndLooksBesideTheProgram)
{
    TsuiFileTheme theme;
    Container c;
    c.chain({{"FormBorderWidthInt", 1, Container::int32(4)}});
    const QString file = c.write(path("t.theme"));
    theme.SetThemeFile(file);
    EXPECT_TRUE(theme.IsLoaded());
    EXPECT_EQ(theme.GetInt(17), 4);

    Container changed;
    changed.chain({{"FormBorderWidthInt", 1, Container::int32(9)}});
    changed.write(file);
    theme.SetThemeFile(file);
    EXPECT_EQ(theme.GetInt(17), 4) << "the same name does not load again";

    theme.SetThemeFile(path("nowhere.theme"));
    EXPECT_EQ(theme.ThemeFile(), file) << "a missing file changes nothing";
    EXPECT_TRUE(theme.IsLoaded());

    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("beside_test.theme"));
    changed.write(beside);
    theme.SetThemeFile(QStringLiteral("/no/such/folder/beside_test.theme"));
    EXPECT_EQ(theme.ThemeFile(), beside);
    EXPECT_EQ(theme.GetInt(17), 9);
    QFile::remove(beside);
}

TEST_F(ThemeFile, DamagedFileIsNotLoaded)
{
    TsuiFileTheme theme;
    Container good;
    good.chain({{"FormBorderWidthInt", 1, Container::int32(4)}});
    theme.SetThemeFile(good.write(path("good.theme")));
    ASSERT_TRUE(theme.IsLoaded());
    Container bad;
    bad.chain({});
    bad.setFirst(5000);
    EXPECT_THROW(theme.SetThemeFile(bad.write(path("bad.theme"))), ThemeFileError);
    EXPECT_FALSE(theme.IsLoaded()) << "the old reader is gone, so the theme must not count as loaded";
    TsuiUIStyle effective;
    EXPECT_FALSE(UsingFileTheme(&theme, TsuiUIStyle::FromThemeFile, effective));
    EXPECT_EQ(effective, TsuiUIStyle::DeepBlue);
}

TEST_F(ThemeFile, UsingFileThemeRules)
{
    TsuiFileTheme loaded, unloaded;
    Container c;
    c.chain({{"FormBackgroundColor", 1, Container::int32(0x0000FF)}});
    loaded.SetThemeFile(c.write(path("u.theme")));
    struct Case {
        const TsuiFileTheme *theme;
        TsuiUIStyle style;
        bool uses;
        TsuiUIStyle effective;
    };
    const Case cases[] = {
        {&loaded, TsuiUIStyle::FromThemeFile, true, TsuiUIStyle::FromThemeFile},
        {&loaded, TsuiUIStyle::WinXP, false, TsuiUIStyle::WinXP},
        {&unloaded, TsuiUIStyle::FromThemeFile, false, TsuiUIStyle::DeepBlue},
        {nullptr, TsuiUIStyle::FromThemeFile, false, TsuiUIStyle::DeepBlue},
        {nullptr, TsuiUIStyle::MacOS, false, TsuiUIStyle::MacOS},
    };
    for (const Case &k : cases) {
        TsuiUIStyle effective = TsuiUIStyle::Protein;
        EXPECT_EQ(UsingFileTheme(k.theme, k.style, effective), k.uses) << UIStyleName(k.style);
        EXPECT_EQ(effective, k.effective) << UIStyleName(k.style);
    }
    EXPECT_EQ(ResolveThemeColor(&loaded, TsuiUIStyle::FromThemeFile, 15), 0x0000FF);
    EXPECT_EQ(ResolveThemeColor(&loaded, TsuiUIStyle::MacOS, 15), 0xE7E7E7);
    EXPECT_EQ(ResolveThemeColor(nullptr, TsuiUIStyle::FromThemeFile, 15), 0xE8E8E8) << "reads as DeepBlue";
    EXPECT_EQ(ResolveThemeInt(&loaded, TsuiUIStyle::FromThemeFile, 13), -1) << "an item the file lacks";
}

TEST_F(ThemeFile, LoadingRefreshesTheFormsControlsAndRemovalFallsBack)
{
    QWidget form;
    auto *theme = new TsuiFileTheme(&form);
    auto *button = new TsuiButton(&form);
    auto *menu = new TsuiPopupMenu(&form);
    auto *combo = new TsuiComboBox(&form);
    auto *other = new TsuiButton(&form);
    for (TsuiButton *b : {button, other})
        b->setUIStyle(TsuiUIStyle::FromThemeFile);
    button->setFileTheme(theme);
    menu->setUIStyle(TsuiUIStyle::FromThemeFile);
    menu->setFileTheme(theme);
    combo->setUIStyle(TsuiUIStyle::FromThemeFile);
    combo->setFileTheme(theme);
    EXPECT_FALSE(button->Transparent()) << "no theme loaded yet: DeepBlue";

    Container c;
    c.chain({{"ButtonTransparentBool", 2, QByteArray(1, '\x01')},
             {"MenuBackgroundColor", 1, Container::int32(0x00112233)},
             {"ControlBorderColor", 1, Container::int32(0x00445566)}});
    theme->SetThemeFile(c.write(path("r.theme")));
    EXPECT_TRUE(button->Transparent());
    EXPECT_FALSE(other->Transparent()) << "a control that names no theme keeps its values";
    EXPECT_EQ(menu->Color(), 0x00112233);
    EXPECT_EQ(combo->BorderColor(), 0x00445566);

    delete theme;
    EXPECT_EQ(button->FileTheme(), nullptr);
    EXPECT_EQ(button->UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_FALSE(button->Transparent());
    EXPECT_EQ(menu->UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(menu->Color(), 0xFFFFFF);
    EXPECT_EQ(combo->UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(combo->BorderColor(), 0);
}

TEST_F(ThemeFile, ThemeOwnedByANonFormRefreshesNothing)
{
    QWidget form;
    QWidget panel(&form);
    auto *theme = new TsuiFileTheme(&panel);
    auto *button = new TsuiButton(&form);
    button->setUIStyle(TsuiUIStyle::FromThemeFile);
    button->setFileTheme(theme);
    Container c;
    c.chain({{"ButtonTransparentBool", 2, QByteArray(1, '\x01')}});
    theme->SetThemeFile(c.write(path("p.theme")));
    EXPECT_TRUE(theme->IsLoaded());
    EXPECT_FALSE(button->Transparent()) << "loaded, but no control was told";
    button->setFileTheme(theme);
    EXPECT_TRUE(button->Transparent());
}

TEST_F(ThemeFile, ApplyThemeToChildrenReachesControlsWithBothProperties)
{
    QWidget form;
    auto *theme = new TsuiFileTheme(&form);
    Container c;
    c.chain({{"ButtonTransparentBool", 2, QByteArray(1, '\x01')}});
    theme->SetThemeFile(c.write(path("children.theme")));
    auto *button = new TsuiButton(&form);
    auto *combo = new TsuiComboBox(&form);
    auto *image = new TsuiImageButton(&form);
    QWidget panel(&form);
    auto *nested = new TsuiButton(&panel);
    EXPECT_TRUE(HasPublishedProperty(button, "FileTheme"));
    EXPECT_FALSE(HasPublishedProperty(image, "FileTheme")) << "the image button has no file theme";
    EXPECT_TRUE(HasPublishedProperty(image, "UIStyle"));
    EXPECT_FALSE(HasPublishedProperty(nullptr, "UIStyle"));

    ApplyThemeToChildren(&form, TsuiUIStyle::FromThemeFile, theme);
    EXPECT_EQ(button->FileTheme(), theme);
    EXPECT_EQ(button->UIStyle(), TsuiUIStyle::FromThemeFile);
    EXPECT_TRUE(button->Transparent()) << "the file's value";
    EXPECT_EQ(combo->FileTheme(), theme);
    EXPECT_EQ(image->FileTheme(), nullptr);
    EXPECT_EQ(nested->FileTheme(), nullptr) << "direct children only";
    EXPECT_EQ(nested->UIStyle(), TsuiUIStyle::DeepBlue);
}

} // namespace
