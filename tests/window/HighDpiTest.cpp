// At twice the pixel density the windows keep their size in
// device-independent pixels: the whole layout scales, not just the fonts.
#include "FakePlatform.h"
#include "window/Appearance.h"
#include "window/Form1.h"
#include "window/Form2.h"
#include "window/ServerListView.h"
#include "window/settings/GamePathsController.h"
#include "window/settings/PathsDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace pollwick {
namespace {

TEST(HighDpi, WindowsScaleAsAWhole)
{
    test::FakePlatform platform;
    platform.storePath(QStringLiteral("Normal"), QStringLiteral("/games/wombix.exe"));
    Form1 form(platform);
    form.show();
    ASSERT_DOUBLE_EQ(form.devicePixelRatio(), 2.0);

    EXPECT_EQ(form.size(), QSize(288, 419));
    EXPECT_EQ(form.grab().size(), QSize(576, 838)); // device pixels
    EXPECT_LE(form.Frame1->geometry().right(), form.width());
    EXPECT_LE(form.WombixCheck->sizeHint().width(), form.WombixCheck->width());
    QTest::mouseClick(form.Check1, Qt::LeftButton);
    EXPECT_EQ(form.size(), QSize(655, 419));
    EXPECT_TRUE(form.rect().contains(form.ListView1->geometry()));

    QTest::mouseClick(form.Command5, Qt::LeftButton);
    EXPECT_EQ(form.paths().Paths().size(), QSize(270, 177));

    Form2 splash(platform, [&]() -> QWidget& { return form; });
    EXPECT_EQ(splash.size(), QSize(250, 250));
}

} // namespace
} // namespace pollwick

// Its own main: the scale factor must be set before the application exists.
int main(int argc, char* argv[])
{
    qputenv("QT_SCALE_FACTOR", "2");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    pollwick::installFallbackFonts();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
