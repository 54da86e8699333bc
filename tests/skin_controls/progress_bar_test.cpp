#include "skin_controls/controls/progress_bar.h"
#include "tests/skin_controls/skin_test_app.h"

#include <QTest>
#include <gtest/gtest.h>
#include <limits>

namespace {

class ProgressBar : public ::testing::Test {
protected:
    void SetUp() override { SkinTestApp(); }
};

TEST_F(ProgressBar, PercentageAndFilledLength)
{
    constexpr int32_t kLow = std::numeric_limits<int32_t>::min() + 1, kHigh = std::numeric_limits<int32_t>::max();
    struct Case {
        const char *what;
        int32_t min, max, position;
        int64_t percent;
        int filled; // of 200
    };
    const Case cases[] = {
        {"37 of 100", 0, 100, 37, 37, 74},
        {"past Max: all filled, more than 100%", 0, 100, 150, 150, 200},
        {"at Max", 0, 100, 100, 100, 200},
        {"at Min", 0, 100, 0, 0, 0},
        {"below Min", 10, 20, 5, -50, 0},
        {"Min = Max", 5, 5, 5, 0, 0},
        {"Min above Max: a percentage but nothing filled", 20, 10, 15, 50, 0},
        {"shifted range", 100, 300, 150, 25, 50},
        {"a range near the 32-bit limits does not wrap", kLow, kHigh, 0, 50, 100},
    };
    for (const Case &k : cases) {
        EXPECT_EQ(ProgressPercentage(k.min, k.max, k.position), k.percent) << k.what;
        EXPECT_EQ(ProgressFilledLength(k.min, k.max, k.position, 200), k.filled) << k.what;
    }
}

TEST_F(ProgressBar, HorizontalFillBorderAndCaption)
{
    QWidget form;
    TsuiProgressBar bar(QStringLiteral("pb_download"), &form);
    EXPECT_EQ(bar.size(), QSize(150, 12));
    EXPECT_EQ(bar.Text(), QStringLiteral("50%"));
    EXPECT_EQ(bar.UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(bar.Color(), 0xE8E8E8);
    EXPECT_EQ(bar.BorderColor(), 0);
    bar.resize(201, 12);
    const QImage picture = LoadThemeResource(QStringLiteral("DEEPBLUE_PROGRESSBAR"));
    ASSERT_EQ(picture.size(), QSize(1, 10));

    struct Case {
        int position;
        const char *text;
        int firstPlain; // the first column in Color
    };
    for (const Case &k : {Case{37, "37%", 74}, Case{150, "150%", 200}, Case{0, "0%", 1}, Case{100, "100%", 200}}) {
        bar.setPosition(k.position);
        EXPECT_EQ(bar.Text(), QLatin1String(k.text));
        const QImage shot = PaintProgressBar(bar.size(), bar.look());
        ASSERT_EQ(shot.size(), QSize(201, 12));
        // Left and right of the centred caption.
        for (int x = 0; x < 201; ++x) {
            if (x > 60 && x < 140)
                continue;
            for (int y = 0; y < 12; ++y) {
                const bool border = x == 0 || x == 200 || y == 0 || y == 11;
                const QColor want = border ? QColor(Qt::black)
                                    : x < k.firstPlain ? picture.pixelColor(0, y - 1)
                                                       : Bgr(0xE8E8E8);
                ASSERT_EQ(At(shot, x, y), want) << k.text << " at " << x << "," << y;
            }
        }
    }
}

TEST_F(ProgressBar, CaptionFitsBetweenTheBordersOfTheTwelvePixelBar)
{
    QWidget form;
    TsuiProgressBar bar(&form);
    bar.setPicture(QImage());
    bar.setColor(0xFFFFFF);
    bar.resize(201, 12);
    for (const int position : {37, 100, 150}) {
        bar.setPosition(position);
        const QImage shot = PaintProgressBar(bar.size(), bar.look());
        int top = shot.height(), bottom = -1, ink = 0;
        for (int y = 1; y < shot.height() - 1; ++y)
            for (int x = 1; x < shot.width() - 1; ++x)
                if (At(shot, x, y) != QColor(Qt::white)) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                    ++ink;
                }
        EXPECT_GT(ink, 10) << position;
        // A clear row between the digits and the border above and below.
        EXPECT_GE(top, 2) << position;
        EXPECT_LE(bottom, shot.height() - 3) << position;
    }
}

TEST_F(ProgressBar, CaptionShownHiddenAndInItsColour)
{
    QWidget form;
    TsuiProgressBar bar(&form);
    bar.setPicture(QImage());
    bar.setCaptionColor(0x0000FF);
    const auto redPixels = [&] {
        const QImage shot = PaintProgressBar(bar.size(), bar.look());
        int red = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                red += At(shot, x, y).red() > 150 && At(shot, x, y).green() < 100; // smoothed text
        return red;
    };
    EXPECT_GT(redPixels(), 5) << "50% in CaptionColor";
    bar.setSmartShowCaption(true);
    EXPECT_GT(redPixels(), 5) << "Position is not Min";
    bar.setPosition(0);
    EXPECT_EQ(redPixels(), 0) << "SmartShowCaption hides the text at Min";
    bar.setSmartShowCaption(false);
    EXPECT_GT(redPixels(), 5);
    bar.setShowCaption(false);
    EXPECT_EQ(redPixels(), 0);
}

TEST_F(ProgressBar, ThicknessIsFixedAndVerticalTurnsThePicture)
{
    QWidget form;
    form.resize(300, 300);
    TsuiProgressBar bar(&form);
    bar.setUIStyle(TsuiUIStyle::WinXP);
    EXPECT_EQ(bar.Picture().size(), QSize(6, 10));
    EXPECT_EQ(bar.Color(), 0xDEEBEF);
    EXPECT_EQ(bar.BorderColor(), 0x686868);
    bar.resize(150, 20);
    EXPECT_EQ(bar.size(), QSize(150, 12)) << "a horizontal bar keeps 12 rows";

    const QImage upright = bar.Picture();
    bar.setOrientation(TsuiProgressBarOrientation::suiVertical);
    EXPECT_EQ(bar.size(), QSize(12, 150));
    ASSERT_EQ(bar.Picture().size(), QSize(10, 6));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(bar.Picture().pixel(y, 5 - x), upright.pixel(x, y)) << x << "," << y;
    bar.resize(20, 80);
    EXPECT_EQ(bar.size(), QSize(12, 80)) << "a vertical bar keeps 12 columns";

    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    bar.grab();
    EXPECT_FALSE(bar.ShowCaption()) << "painting a vertical bar turns its caption off";
    bar.setShowCaption(true);
    bar.grab();
    EXPECT_FALSE(bar.ShowCaption()) << "for good";

    // 37 of 100 on 80 rows: 79 x 37 div 100 = 29 rows from the bottom edge up.
    bar.setPosition(37);
    const QImage shot = PaintProgressBar(bar.size(), bar.look());
    const int top = 79 - 29;
    for (int y = 1; y < 79; ++y)
        ASSERT_EQ(At(shot, 5, y) == Bgr(0xDEEBEF), y < top) << y;
    bar.setOrientation(TsuiProgressBarOrientation::suiHorizontal);
    EXPECT_EQ(bar.size(), QSize(80, 12));
    EXPECT_EQ(bar.Picture().size(), QSize(6, 10));
}

} // namespace
