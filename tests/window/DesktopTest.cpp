// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The windows as a real X server has them, read back by another program
// (xprop), the way a window manager or task bar sees them: their titles and
// the message boxes' text.
#include "WindowTest.h"
#include "platform/qt/QtDialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QTimer>

namespace pollwick::test {
namespace {

// One property of a window, as xprop prints it after the "=": a text in
// double quotes.
QString xprop(QWidget& window, const char* property)
{
    QProcess reader;
    reader.start(
        QStringLiteral("xprop"),
        {QStringLiteral("-id"), QString::number(window.winId()), QString::fromLatin1(property)});
    if (!reader.waitForFinished(10000)) {
        return QStringLiteral("(xprop did not answer)");
    }
    const QString printed = QString::fromUtf8(reader.readAllStandardOutput()).trimmed();
    const qsizetype equals = printed.indexOf(QLatin1String(" = "));
    return equals < 0 ? printed : printed.mid(equals + 3);
}

class DesktopTest : public WindowTest
{
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            GTEST_SKIP() << "needs an X server (run under xvfb-run with QT_QPA_PLATFORM=xcb)";
        }
    }
};

TEST_F(DesktopTest, TitlesAreExactlyTheWindowsCaptions)
{
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    EXPECT_EQ(xprop(*form, "_NET_WM_NAME"), QStringLiteral("\"Wombix Pollwick\""));

    click(form->pathsButton);
    PathsDialog& paths = form->pathsDialog();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&paths));
    EXPECT_EQ(xprop(paths, "_NET_WM_NAME"), QStringLiteral("\"Please Select Wombix Files\""));
    click(paths.acceptButton);

    // The real message box, answered with Return once it is up.
    for (const char* title : {"Server Up", "Wombix Pollwick"}) {
        SCOPED_TRACE(title);
        QString seenTitle;
        Qt::TextFormat format = Qt::RichText;
        QTimer::singleShot(0, form.get(), [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            ASSERT_TRUE(QTest::qWaitForWindowExposed(box));
            seenTitle = xprop(*box, "_NET_WM_NAME");
            format = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->textFormat();
            QTest::keyClick(box, Qt::Key_Return);
        });
        QtMessageBox().show(form.get(), QStringLiteral("<b>Arena</b> is up"),
                            QString::fromUtf8(title));
        EXPECT_EQ(seenTitle, u'"' + QString::fromUtf8(title) + u'"');
        EXPECT_EQ(format, Qt::PlainText); // a server's name is never markup
    }
}

} // namespace
} // namespace pollwick::test
