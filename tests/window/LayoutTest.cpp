// The windows as a person sees them: nothing outside its frame or hidden
// under a neighbour, the server list only in the wide window, focus and Tab
// in the designer's order, and the placeholders.
#include "WindowTest.h"

#include <QScreen>

#include <tuple>
#include <utility>

namespace pollwick::test {
namespace {

// The controls placed directly on a window or frame.
QList<QWidget*> controlsIn(const QWidget* container)
{
    QList<QWidget*> controls;
    for (QWidget* child : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow()) {
            controls << child;
        }
    }
    return controls;
}

// What can be seen of a control: a check box or a label reaches only as far
// as its box and caption.
QRect extent(const QWidget* control)
{
    QRect seen = control->geometry();
    if (qobject_cast<const QCheckBox*>(control) != nullptr ||
        qobject_cast<const QLabel*>(control) != nullptr) {
        seen.setWidth(std::min(seen.width(), control->sizeHint().width()));
    }
    return seen;
}

// Controls of one container that cover each other, as "lower/upper" in
// the order made. Neighbours may share one pixel column or row (Go and Stop
// do).
QStringList overlaps(const QWidget* container)
{
    QStringList found;
    const QList<QWidget*> controls = controlsIn(container);
    for (qsizetype i = 0; i < controls.size(); ++i) {
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            const QRect both = extent(controls[i]) & extent(controls[j]);
            if (both.width() > 1 && both.height() > 1) {
                found << controls[i]->objectName() + u'/' + controls[j]->objectName();
            }
        }
    }
    return found;
}

// The designer control that holds the focus (an editable combo's line edit
// counts as the combo).
QString focusedControl()
{
    QWidget* widget = QApplication::focusWidget();
    while (widget != nullptr && widget->parentWidget() != nullptr &&
           !widget->parentWidget()->isWindow() &&
           qobject_cast<QGroupBox*>(widget->parentWidget()) == nullptr) {
        widget = widget->parentWidget();
    }
    return widget != nullptr ? widget->objectName() : QStringLiteral("(none)");
}

// Presses Tab from `first` until the focus comes back to it; the controls
// that it visits.
std::string tabCycle(QWidget* first)
{
    first->setFocus(Qt::TabFocusReason);
    QStringList visited{focusedControl()};
    for (int presses = 0; presses < 40; ++presses) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (focusedControl() == visited.front()) {
            break;
        }
        visited << focusedControl();
    }
    return visited.join(u' ').toStdString();
}

class LayoutTest : public WindowTest
{
protected:
    void showList(bool wide)
    {
        if (form->Check1->isChecked() != wide) {
            click(form->Check1);
        }
    }
    PathsDialog& paths() { return form->paths().Paths(); }
    // The frames and windows, the Paths dialog last.
    [[nodiscard]] QList<QWidget*> containers()
    {
        return {form->Frame1, form->Frame2, form->Frame3, form->Frame4, form.get(), &paths()};
    }
};

TEST_F(LayoutTest, WindowsOpenCentredAndCannotBeResized)
{
    click(form->Command5);
    for (const QWidget* window :
         {static_cast<QWidget*>(form.get()), static_cast<QWidget*>(&paths())}) {
        SCOPED_TRACE(window->objectName().toStdString());
        const QPoint offCentre =
            window->frameGeometry().center() - window->screen()->availableGeometry().center();
        EXPECT_LE(offCentre.manhattanLength(), 2);
        EXPECT_EQ(window->minimumSize(), window->maximumSize());
    }
}

// Every control lies inside its frame or window; "Show List" widens the
// window, where it stands, to show the server list.
TEST_F(LayoutTest, EveryControlLiesInsideItsFrameOrWindowTheListInTheWideOneOnly)
{
    const QPoint topLeft = form->pos();
    for (const bool wide : {false, true, false, true}) {
        SCOPED_TRACE(wide ? "wide" : "narrow");
        showList(wide);
        EXPECT_EQ(form->size(), QSize(wide ? 655 : 288, 419));
        EXPECT_EQ(form->pos(), topLeft);
        for (const QWidget* container : containers()) {
            for (const QWidget* control : controlsIn(container)) {
                EXPECT_EQ(container->rect().contains(control->geometry()),
                          control != form->ListView1 || wide)
                    << control->objectName().toStdString();
                // Check boxes line up on the left, their captions not cut off.
                if (qobject_cast<const QCheckBox*>(control) != nullptr) {
                    EXPECT_LE(control->sizeHint().width(), control->width())
                        << control->objectName().toStdString();
                    EXPECT_EQ(control->x(), form->VersionCheck->x())
                        << control->objectName().toStdString();
                }
            }
        }
    }
}

TEST_F(LayoutTest, OnlyTheBrowseButtonsStandOverTheirBoxes)
{
    QStringList found;
    for (const QWidget* container : containers()) {
        found << overlaps(container);
    }
    EXPECT_EQ(found.join(u' ').toStdString(),
              "WaveFile/Command3 Normal/Command1 "
              "Corvane/Command3 Ambrel/Command4 Pellory/Command6");

    // Each "..." sits inside the right end of its box, on top of it.
    const std::pair<QPushButton*, QLineEdit*> browse[] = {{form->Command3, form->WaveFile},
                                                          {paths().Command1, paths().Normal},
                                                          {paths().Command3, paths().Corvane},
                                                          {paths().Command4, paths().Ambrel},
                                                          {paths().Command6, paths().Pellory}};
    for (const auto& [button, box] : browse) {
        SCOPED_TRACE(button->objectName().toStdString());
        EXPECT_TRUE(box->geometry().contains(button->geometry()));
        EXPECT_GT(button->x(), box->geometry().center().x());
        EXPECT_EQ(button->parentWidget()->childAt(button->geometry().center()), button);
    }
}

TEST_F(LayoutTest, FocusStartsAtTheListServerChoiceAndTabKeepsTheDesignerOrder)
{
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    EXPECT_EQ(focusedControl().toStdString(), "RemHost");

    // Before a list server is chosen only these can be reached; the list
    // only while the window shows it.
    EXPECT_EQ(tabCycle(form->RemHost), "RemHost Command5 Check1");
    QTest::keyClick(form->Check1, Qt::Key_Space);
    EXPECT_EQ(tabCycle(form->RemHost), "RemHost ListView1 Command5 Check1");
    QTest::keyClick(form->Check1, Qt::Key_Space);
    EXPECT_EQ(tabCycle(form->RemHost), "RemHost Command5 Check1");

    form->RemHost->setEditText(QStringLiteral("127.0.0.1"));
    fire(*form->Timer2);
    for (QCheckBox* box : {form->VersionCheck, form->NameCheck, form->IPCheck, form->GameCheck,
                           form->MsgCheck, form->WaveCheck}) {
        click(box);
    }
    EXPECT_EQ(tabCycle(form->VersionCheck),
              "VersionCheck NameCheck IPCheck GameCheck Combo2 FName fIP Combo3 Command1 MsgCheck "
              "WaveCheck WaveFile Command3 MsgMsg RemHost WombixCheck Command5 Check1 ScanCheck");
}

TEST_F(LayoutTest, PathsDialogTabsRowByRowToAccept)
{
    click(form->Command5);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&paths()));
    EXPECT_EQ(focusedControl().toStdString(), "Normal");
    EXPECT_EQ(tabCycle(paths().Normal),
              "Normal Command1 Corvane Command3 Ambrel Command4 Pellory Command6 Command7");
}

TEST_F(LayoutTest, ToolTipsTellWhatTheControlsAreFor)
{
    QStringList tips;
    for (const QWidget* container : containers()) {
        for (const QWidget* control : controlsIn(container)) {
            // The status line's tip is its own whole text.
            if (!control->toolTip().isEmpty() && control != form->Label1) {
                tips << control->objectName() + QStringLiteral(": ") + control->toolTip();
            }
        }
    }
    EXPECT_EQ(tips.join(u'|').toStdString(),
              "VersionCheck: Leave Blank if Any Version is Acceptable|"
              "NameCheck: Leave Blank if Any Server Name is Acceptable|"
              "IPCheck: Leave Blank if Any IP Address is Acceptable|"
              "GameCheck: Leave Blank if Any Game Type is Acceptable|"
              "MsgCheck: Leave Blank if MessageBox Alert is not desired|"
              "WaveCheck: Leave Blank if No Wav File is desired|Command3: Select Wav File Path|"
              "WombixCheck: Leave Blank if Autolaunch is not desired|"
              "Frame3: Please Select A Server Before Continuing|Command5: Change Wombix Paths|"
              "Command1: Begin Scanning|Command2: Stop Scanning|Command1: Select 1.21 Path|"
              "Command3: Select Corvane Path|Command4: Select Ambrel Path|"
              "Command6: Select Pellory Path");
}

TEST_F(LayoutTest, CombosHoldTheirPlaceholderAsTextNotAsAnItem)
{
    for (const auto& [combo, placeholder, items] :
         {std::tuple{form->RemHost, "List Server Select", 2},
          std::tuple{form->Combo2, "Version Select", 6},
          std::tuple{form->Combo3, "Game Type Select", 5}}) {
        EXPECT_EQ(combo->currentText(), QLatin1String(placeholder));
        EXPECT_EQ(combo->currentIndex(), -1);
        EXPECT_EQ(combo->count(), items);
    }
}

} // namespace
} // namespace pollwick::test
