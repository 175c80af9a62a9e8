// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The windows as a person sees them: nothing outside its frame or hidden
// under a neighbour, the server list only in the wide window, and the first
// focus on the list server choice.
#include "WindowTest.h"

#include <QApplication>
#include <QScreen>

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

// Controls of one container that cover each other, as "below/above", with
// a "+" when the one above sticks out of the one below: the one seen where
// they meet is above. Neighbours may share one pixel column or row (Go and
// Stop do).
QStringList overlaps(const QWidget* container)
{
    QStringList found;
    const QList<QWidget*> controls = controlsIn(container);
    for (qsizetype i = 0; i < controls.size(); ++i) {
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            const QRect both = extent(controls[i]) & extent(controls[j]);
            if (both.width() > 1 && both.height() > 1) {
                const bool iAbove = container->childAt(both.center()) == controls[i];
                const QWidget* below = controls[iAbove ? j : i];
                const QWidget* above = controls[iAbove ? i : j];
                found << below->objectName() + u'/' + above->objectName() +
                        (below->geometry().contains(above->geometry()) ? "" : "+");
            }
        }
    }
    return found;
}

class LayoutTest : public WindowTest
{
protected:
    void showList(bool wide)
    {
        if (form->showListCheck->isChecked() != wide) {
            click(form->showListCheck);
        }
    }
    PathsDialog& paths() { return form->pathsDialog(); }
    // The frames and windows, the Paths dialog last.
    [[nodiscard]] QList<QWidget*> containers()
    {
        return {form->criteriaGroup, form->alertsGroup, form->serverGroup,
                form->miscGroup,     form.get(),        &paths()};
    }
};

TEST_F(LayoutTest, WindowsOpenCentredUnderTheirTitlesAndCannotBeResized)
{
    click(form->pathsButton);
    for (const auto& [window, title] :
         {std::pair{static_cast<QWidget*>(form.get()), "Wombix Pollwick"},
          std::pair{static_cast<QWidget*>(&paths()), "Please Select Wombix Files"}}) {
        SCOPED_TRACE(window->objectName().toStdString());
        EXPECT_EQ(window->windowTitle(), QString::fromUtf8(title));
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
        // Tab skips the list that the narrow window leaves outside.
        EXPECT_EQ(form->serverList->focusPolicy() != Qt::NoFocus, wide);
        for (const QWidget* container : containers()) {
            for (const QWidget* control : controlsIn(container)) {
                EXPECT_EQ(container->rect().contains(control->geometry()),
                          control != form->serverList || wide)
                    << control->objectName().toStdString();
                // Check boxes and labels line up on the left, their captions
                // not cut off.
                if (control->inherits("QCheckBox") || control->inherits("QLabel")) {
                    EXPECT_LE(control->sizeHint().width(), control->width())
                        << control->objectName().toStdString();
                    EXPECT_EQ(control->x(), form->versionCheck->x())
                        << control->objectName().toStdString();
                }
            }
        }
    }
}

// Each "..." stands over its box, on top of it and within it; nothing
// else overlaps.
TEST_F(LayoutTest, OnlyTheBrowseButtonsStandOverTheirBoxes)
{
    QStringList found;
    for (const QWidget* container : containers()) {
        found << overlaps(container);
    }
    EXPECT_EQ(found.join(u' ').toStdString(),
              "waveFileEdit/waveFileButton normalEdit/normalButton corvaneEdit/corvaneButton "
              "ambrelEdit/ambrelButton pelloryEdit/pelloryButton");
}

TEST_F(LayoutTest, FocusStartsAtTheListServerChoice)
{
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    EXPECT_TRUE(form->hostCombo->hasFocus());
}

} // namespace
} // namespace pollwick::test
