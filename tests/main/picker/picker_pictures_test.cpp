#include "main/picker/picker_tables.h"
#include "tests/support/test_support.h"

#include <QImage>
#include <QImageReader>
#include <gtest/gtest.h>

using ravenmoor::test::binDir;

namespace {

TEST(PickerPictures, EveryPickerPictureIsABitmapOfItsSize)
{
    const auto pictures = PickerPictureFiles();
    ASSERT_FALSE(pictures.empty());
    for (const PickerPicture &p : pictures) {
        QImageReader reader(binDir() + "/" + p.path);
        EXPECT_EQ(reader.format(), "bmp") << p.path.toStdString();
        EXPECT_EQ(reader.size(), QSize(p.width, p.height)) << p.path.toStdString();
    }
}

TEST(PickerPictures, HoverPicturesAreHighlightedVariants)
{
    for (const PickerPicture &p : PickerPictureFiles()) {
        if (!p.hover || p.height < 6)
            continue;
        const QString normal = QString(p.path).replace("/move/", "/general/");
        const QImage a(binDir() + "/" + normal), b(binDir() + "/" + p.path);
        ASSERT_FALSE(a.isNull()) << normal.toStdString();
        EXPECT_NE(a, b) << p.path.toStdString() << " looks like its normal picture";
    }
}

TEST(PickerPictures, EveryProfileButtonLooksDifferent)
{
    // Two profiles share a caption (8 and 68, 9 and 69, ...) but never a panel family and a look.
    QList<QImage> seen;
    for (const PickerButton &b : PickerButtons()) {
        if (b.role != ButtonRole::Profile || ButtonsOfCode(b.code).front() != &b)
            continue;
        const QImage img(binDir() + "/" + NormalButtonPicture(b.code));
        ASSERT_FALSE(img.isNull()) << b.code;
        const QImage top = img.copy(0, 0, 300, 44);
        for (const QImage &other : seen)
            ASSERT_NE(top, other) << "profile " << b.code << " looks like an earlier one";
        seen << top;
    }
}

} // namespace
