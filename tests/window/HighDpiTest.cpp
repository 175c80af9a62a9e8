// At twice the pixel density (the test runs with QT_SCALE_FACTOR=2) the
// windows keep their size in device-independent pixels: the whole layout
// scales, not just the fonts.
#include "WindowTest.h"
#include "window/Form2.h"

namespace pollwick::test {
namespace {

using HighDpi = WindowTest;

TEST_F(HighDpi, WindowsScaleAsAWhole)
{
    ASSERT_DOUBLE_EQ(form->devicePixelRatio(), 2.0);
    EXPECT_EQ(form->size(), QSize(288, 419));
    EXPECT_EQ(form->grab().size(), QSize(576, 838)); // device pixels
    EXPECT_LE(form->Frame1->geometry().right(), form->width());
    EXPECT_LE(form->WombixCheck->sizeHint().width(), form->WombixCheck->width());
    click(form->Check1);
    EXPECT_EQ(form->size(), QSize(655, 419));
    EXPECT_TRUE(form->rect().contains(form->ListView1->geometry()));

    click(form->Command5);
    EXPECT_EQ(form->paths().Paths().size(), QSize(270, 177));

    Form2 splash(platform, [&]() -> QWidget& { return *form; });
    EXPECT_EQ(splash.size(), QSize(250, 250));
}

} // namespace
} // namespace pollwick::test
