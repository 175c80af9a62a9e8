// The main window's life: load, the one-shot start-up check for game paths,
// and closing.
#include "WindowTest.h"

namespace pollwick::test {
namespace {

class LifecycleTest : public WindowTest
{
protected:
    PathsDialog& paths() { return form->paths().Paths(); }
    // A new run of the program with this one path stored (none for no key).
    void runWith(const QString& key, const QString& value)
    {
        platform.stored.clear();
        if (!key.isEmpty()) {
            platform.storePath(key, value);
        }
        form = std::make_unique<Form1>(platform);
        form->show();
        EXPECT_EQ(form->Timer1->interval(), 500);
        fire(*form->Timer1);
        EXPECT_EQ(form->Timer1->interval(), 0);
    }
};

TEST_F(LifecycleTest, WithNoPathStoredTheCheckAsksOnceAndTheWindowWaitsForAccept)
{
    bool dialogUpDuringMessage = true;
    platform.whileShown = [&](const QString&, const QString&) {
        dialogUpDuringMessage = paths().isVisible();
    };
    runWith({}, {});
    EXPECT_EQ(platform.shown,
              (std::vector<std::pair<QString, QString>>{
                  {"Wombix Pollwick has not detected any Wombix Paths, Please Specify paths "
                   "before continuing",
                   "Wombix Pollwick"}}));
    EXPECT_FALSE(dialogUpDuringMessage); // the dialog comes after OK
    EXPECT_TRUE(paths().isVisible());
    EXPECT_FALSE(form->isEnabled());

    // Other timers keep the window alive behind the dialog; it stays
    // disabled until Accept.
    form->RemHost->setEditText(QStringLiteral("127.0.0.1"));
    fire(*form->Timer2);
    EXPECT_FALSE(form->isEnabled());
    click(paths().Command7);
    EXPECT_TRUE(form->isEnabled());
    EXPECT_FALSE(paths().isVisible());

    // Still no path, but the check never comes back in this run.
    fire(*form->Timer1);
    EXPECT_EQ(platform.shown.size(), 1U);
}

TEST_F(LifecycleTest, AnyOneStoredPathKeepsTheCheckQuietEvenASpace)
{
    for (const char* key : {"Normal", "Ambrel", "Corvane", "Pellory"}) {
        runWith(QLatin1String(key), QStringLiteral(" "));
        EXPECT_TRUE(platform.shown.empty()) << key;
    }
}

TEST_F(LifecycleTest, ClosingTheWindowEndsTheProgramEvenDuringAScanBehindTheDialog)
{
    chooseHost(QStringLiteral("127.0.0.1"));
    go();
    click(form->Command5);
    ASSERT_TRUE(paths().isVisible());
    EXPECT_TRUE(form->close()); // never cancelled
    EXPECT_EQ(platform.processEnds, 1);
}

} // namespace
} // namespace pollwick::test
