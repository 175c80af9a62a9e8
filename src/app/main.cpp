#include "platform/qt/QtPlatform.h"
#include "window/Application.h"
#include "window/MainWindow.h"
#include "window/SplashScreen.h"

#include <QApplication>

#include <memory>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    pollwick::setUpApplication();

    pollwick::QtPlatform platform;
    std::unique_ptr<pollwick::MainWindow> mainWindow;
    // The splash comes first; the main window is made, and loads, when the
    // splash hands over to it.
    pollwick::SplashScreen splash(platform, [&]() -> QWidget& {
        if (!mainWindow) {
            mainWindow = std::make_unique<pollwick::MainWindow>(platform);
        }
        return *mainWindow;
    });
    splash.show();
    const int status = QApplication::exec();
    mainWindow.reset();
    return status;
}
