#include "platform/qt/QtPlatform.h"
#include "window/Application.h"
#include "window/Form1.h"
#include "window/Form2.h"

#include <QApplication>

#include <memory>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    pollwick::setUpApplication();

    pollwick::QtPlatform platform;
    std::unique_ptr<pollwick::Form1> mainWindow;
    // The splash comes first; the main window is made, and loads, when the
    // splash hands over to it.
    pollwick::Form2 splash(platform, [&]() -> QWidget& {
        if (!mainWindow) {
            mainWindow = std::make_unique<pollwick::Form1>(platform);
        }
        return *mainWindow;
    });
    splash.show();
    const int status = QApplication::exec();
    mainWindow.reset();
    return status;
}
