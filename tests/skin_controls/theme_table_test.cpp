#include "skin_controls/theme/owner_style.h"
#include "skin_controls/theme/theme_item_table.h"
#include "skin_controls/theme/theme_resources.h"
#include "tests/skin_controls/skin_test_app.h"

#include <QVariant>
#include <set>
#include <gtest/gtest.h>

namespace {

using S = TsuiUIStyle;

// Stands for the skinned form frame: a child of this class name carries the form's style.
class TsuiForm : public QWidget {
    Q_OBJECT
    Q_PROPERTY(TsuiUIStyle UIStyle READ UIStyle)
public:
    TsuiForm(QWidget *form, TsuiUIStyle style) : QWidget(form), m_style(style) {}
    TsuiUIStyle UIStyle() const { return m_style; }

private:
    TsuiUIStyle m_style;
};

TEST(ThemeItemTable, TypedLookupsAnswerOnlyForTheirKind)
{
    struct Case {
        const char *what;
        int32_t got, expected;
    };
    const Case cases[] = {
        {"Int FromThemeFile 13", GetInsideThemeInt(S::FromThemeFile, 13), -1},
        {"Color FromThemeFile 15", GetInsideThemeColor(S::FromThemeFile, 15), 0},
        {"Bool FromThemeFile 2", GetInsideThemeBool(S::FromThemeFile, 2), 0},
        {"Color of an Int item", GetInsideThemeColor(S::DeepBlue, 13), 0},
        {"Int MacOS 8", GetInsideThemeInt(S::MacOS, 8), -2},
        {"Int of a Color item", GetInsideThemeInt(S::DeepBlue, 15), -1},
        {"Color DeepBlue 15", GetInsideThemeColor(S::DeepBlue, 15), 0xE8E8E8},
        {"Color WinXP 27", GetInsideThemeColor(S::WinXP, 27), 0xCF4602},
        {"Int BlueGlass 13", GetInsideThemeInt(S::BlueGlass, 13), 270},
        {"Bool MacOS 2", GetInsideThemeBool(S::MacOS, 2), 1},
        {"Bool Protein 6", GetInsideThemeBool(S::Protein, 6), 1},
        {"Color Protein 19", GetInsideThemeColor(S::Protein, 19), 0xC4302D},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.got, c.expected) << c.what;
}

TEST(ThemeItemTable, StyleByteIsMaskedAndIndexIsBounded)
{
    EXPECT_EQ(GetThemeItem(uint8_t(0x83), 15).value, 0xE8E8E8) << "131 reads as DeepBlue";
    EXPECT_EQ(GetThemeItem(uint8_t(0x83), 15).kind, ThemeItemKind::Color);
    for (const uint8_t style : {uint8_t(0), uint8_t(6), uint8_t(0x7F), uint8_t(0x80)}) {
        EXPECT_EQ(GetThemeItem(style, 15).value, -1) << int(style);
        EXPECT_EQ(GetThemeItem(style, 15).kind, ThemeItemKind::Int) << int(style);
    }
    for (const int index : {0, 43, -1, 1000}) {
        EXPECT_EQ(GetThemeItem(S::DeepBlue, index).value, -1) << index;
        EXPECT_EQ(ThemeItemName(index), nullptr) << index;
    }
    EXPECT_STREQ(GetThemeItem(S::Protein, 38).image, "MORE_SCROLLBUTTON");
    EXPECT_STREQ(ThemeItemName(42), "SideChannelBarImage");
}

TEST(ThemeResources, EveryBitmapIsDrawnAtItsSizeAndFramesDivideIt)
{
    SkinTestApp();
    std::set<QString> names;
    for (const ThemeItem &item : ThemeItemTable())
        if (item.kind == ThemeItemKind::Image)
            for (const char *name : item.images)
                names.insert(QLatin1String(name));
    for (const char *direct : {"MACOS_COMBOBOX_BUTTON", "WINXP_COMBOBOX_BUTTON", "MACOS_MENU_BAR", "MACOS_MENU_SELECT",
                               "MENU_CHECKED", "MACOS_FORM_BACKGROUND", "PROTEIN_FORM_BACKGROUND", "MAINICON"})
        names.insert(QLatin1String(direct));
    EXPECT_EQ(names.size(), ThemeResources().size());
    for (const QString &name : names) {
        const ThemeResource *r = FindThemeResource(name);
        ASSERT_NE(r, nullptr) << qPrintable(name);
        const QImage image = LoadThemeResource(name);
        EXPECT_EQ(image.size(), QSize(r->width, r->height)) << qPrintable(name);
        EXPECT_EQ(r->width % r->frames, 0) << qPrintable(name);
    }
    EXPECT_EQ(FindThemeResource(QStringLiteral("DEEPBLUE_BUTTON"))->frames, 3);
    EXPECT_EQ(FindThemeResource(QStringLiteral("WINXP_TITLEBTN"))->frames, 18);
    EXPECT_THROW(LoadThemeResource(QStringLiteral("NO_SUCH_BITMAP")), TsuiResourceError);
}

TEST(ThemeResources, ButtonFacesSpreadCleanly)
{
    SkinTestApp();
    const QColor magenta(0xFF, 0x00, 0xFF);
    for (TsuiUIStyle style : kBuiltInStyles) {
        QImage whole;
        GetInsideThemeBitmap(style, 1, &whole);
        const int frameWidth = whole.width() / 3, h = whole.height();
        for (int frame = 0; frame < 3; ++frame) {
            const int left = frame * frameWidth;
            const int midX = left + frameWidth / 2, midY = h / 2;
            // The middle column and the rows around the middle are uniform, so stretching them leaves no seam.
            for (int y = 1; y < h - 1; ++y)
                EXPECT_EQ(whole.pixel(midX, y), whole.pixel(midX + 1, y)) << UIStyleName(style) << " row " << y;
            for (int x = left + 1; x < left + frameWidth - 1; ++x) {
                EXPECT_EQ(whole.pixel(x, midY), whole.pixel(x, midY - 1)) << UIStyleName(style) << " col " << x;
                EXPECT_EQ(whole.pixel(x, midY), whole.pixel(x, midY + 1)) << UIStyleName(style) << " col " << x;
            }
            // Round, see-through corners exactly where the style paints the parent beneath its buttons.
            EXPECT_EQ(whole.pixelColor(left, 0) == magenta, GetInsideThemeBool(style, 2)) << UIStyleName(style);
            EXPECT_NE(whole.pixelColor(midX, midY), magenta);
        }
    }
}

TEST(ThemeResources, CheckMarkIsBlackOnWhite)
{
    SkinTestApp();
    const QImage mark = LoadThemeResource(QStringLiteral("MENU_CHECKED"));
    int black = 0;
    for (int y = 0; y < mark.height(); ++y)
        for (int x = 0; x < mark.width(); ++x) {
            const QColor c = mark.pixelColor(x, y);
            ASSERT_TRUE(c == QColor(Qt::white) || c == QColor(Qt::black)) << x << "," << y;
            black += c == QColor(Qt::black);
        }
    EXPECT_GT(black, 10);
    EXPECT_EQ(mark.pixelColor(0, 0), QColor(Qt::white));
}

TEST(ThemeResources, FrameCutOfTheDeepBlueButton)
{
    SkinTestApp();
    QImage whole, frame;
    GetInsideThemeBitmap(S::DeepBlue, 1, &whole);
    GetInsideThemeBitmapFrame(S::DeepBlue, 1, &frame, 3, 2);
    ASSERT_EQ(frame.size(), QSize(74, 21));
    EXPECT_EQ(frame, whole.copy(74, 0, 74, 21));

    QImage untouched(5, 5, QImage::Format_RGB32);
    untouched.fill(Qt::red);
    GetInsideThemeBitmap(S::DeepBlue, 15, &untouched);
    EXPECT_EQ(untouched.size(), QSize(5, 5)) << "a Color item loads no bitmap";
    GetInsideThemeBitmap(S::FromThemeFile, 1, &untouched);
    EXPECT_EQ(untouched.size(), QSize(5, 5));
    QImage wholeAgain;
    GetInsideThemeBitmapFrame(S::DeepBlue, 1, &wholeAgain, 0, 1);
    EXPECT_EQ(wholeAgain, whole) << "a frame count of 0 loads the whole bitmap";
    GetInsideThemeBitmapFrame(S::DeepBlue, 1, nullptr, 3, 1);
}

TEST(OwnerStyle, FormFrameStyleElseDeepBlue)
{
    SkinTestApp();
    EXPECT_EQ(GetOwnerUIStyle(nullptr), S::DeepBlue);

    QWidget plainForm;
    new QWidget(&plainForm);
    EXPECT_EQ(GetOwnerUIStyle(&plainForm), S::DeepBlue);

    QWidget skinnedForm;
    auto *panel = new QWidget(&skinnedForm);
    new TsuiForm(&skinnedForm, S::Protein);
    new TsuiForm(&skinnedForm, S::MacOS);
    EXPECT_EQ(GetOwnerUIStyle(&skinnedForm), S::Protein) << "the first frame counts";
    EXPECT_EQ(GetOwnerUIStyle(panel), S::DeepBlue) << "a panel is not a form";
    EXPECT_EQ(GetOwnerUIStyle(OwnerForm(panel)), S::Protein) << "controls on a panel belong to its form";
}

} // namespace

#include "theme_table_test.moc"
