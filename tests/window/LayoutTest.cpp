// SPDX-FileCopyrightText: 2026 The Pollwick developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The windows as a person sees them: nothing outside its frame or hidden
// under a neighbour, the server list only in the wide window, and the first
// focus on the list server choice.
#include "WindowTest.h"
#include "core/layout/WindowLayout.h"
#include "window/ProgramWindows.h"
#include "window/SplashScreen.h"
#include "window/Twips.h"
#include "window/WindowText.h"

#include <QApplication>
#include <QScreen>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

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
    PathsDialog& dialog() { return form->pathsDialog(); }
    // The frames and windows, the Paths dialog last.
    [[nodiscard]] QList<QWidget*> containers()
    {
        return {ui->criteriaGroup, ui->alertsGroup, ui->serverGroup,
                ui->miscGroup,     form.get(),      &dialog()};
    }
};

// The caption, first text or title of a control, as the window shows it:
// a frame's title, a drop-down's text, a button's, box's or label's text.
QString captionOf(const QWidget* control)
{
    for (const char* property : {"title", "currentText", "text"}) {
        if (const QVariant value = control->property(property); value.isValid()) {
            return value.toString();
        }
    }
    return {};
}

// Every control of the three windows where the layout tables put it, with
// its caption or first text, tool tip, font and first state; the windows'
// client areas; and the tab order. A check box may be wider than drawn, to
// show its caption whole in a wider system font, never into its row's
// field.
TEST_F(LayoutTest, EveryControlIsWhereTheLayoutTablesPutIt)
{
    // A dialog of its own, as made: the window's own has loaded the paths.
    PathsDialog made(platform.settings(), platform.fileDialog(), platform.messageBox(), *form);
    ProgramWindows windows(platform);
    const struct {
        const layout::Window& table;
        const QWidget& window;
    } cases[] = {
        {layout::kMainWindow, *form},
        {layout::kPathsDialog, made},
        {layout::kSplash, windows.splash()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.table.name));
        EXPECT_EQ(c.window.objectName(), fromUtf8(c.table.name));
        EXPECT_EQ(c.window.windowTitle(), fromUtf8(c.table.caption));
        EXPECT_EQ(c.window.size(),
                  QSize(layout::pixels(c.table.clientWidth), layout::pixels(c.table.clientHeight)));
        std::vector<std::pair<int, QWidget*>> tabOrder;
        for (const layout::Control& drawn : c.table.controls) {
            const std::string name(drawn.name);
            SCOPED_TRACE(name);
            auto* widget = control<QWidget>(c.window, name.c_str());
            ASSERT_NE(widget, nullptr);
            const QWidget* container = drawn.frame.empty()
                ? &c.window
                : control<QWidget>(c.window, std::string(drawn.frame).c_str());
            EXPECT_EQ(widget->parentWidget(), container);
            const QRect place = twipsRect(drawn.left, drawn.top, drawn.width, drawn.height);
            EXPECT_EQ(widget->pos(), place.topLeft());
            EXPECT_EQ(widget->height(), place.height());
            if (drawn.kind == layout::Kind::CheckBox) {
                EXPECT_GE(widget->width(), place.width());
            } else {
                EXPECT_EQ(widget->width(), place.width());
            }
            if (!drawn.caption.empty()) {
                EXPECT_EQ(captionOf(widget), fromUtf8(drawn.caption));
            }
            // The status line's tool tip holds the whole line.
            if (drawn.name != "statusLabel") {
                EXPECT_EQ(widget->toolTip(), fromUtf8(drawn.toolTip));
            }
            // Its own flag, apart from the frame that holds it.
            EXPECT_EQ(!widget->testAttribute(Qt::WA_ForceDisabled), drawn.enabled);
            switch (drawn.font) {
            case layout::Font::Arial:
            case layout::Font::ArialBold:
                EXPECT_EQ(widget->font().pointSizeF(), 8.25);
                EXPECT_EQ(widget->font().bold(), drawn.font == layout::Font::ArialBold);
                break;
            case layout::Font::Tahoma9:
                EXPECT_EQ(widget->font().pointSizeF(), 9);
                break;
            case layout::Font::WindowFont:
                EXPECT_EQ(widget->font().pointSizeF(), c.window.font().pointSizeF());
                break;
            }
            if ((widget->focusPolicy() & Qt::TabFocus) != 0) {
                tabOrder.emplace_back(drawn.tab, widget);
            }
        }
        // Tab goes from one control to the next in the order of their tab
        // indexes.
        std::ranges::sort(tabOrder);
        for (std::size_t i = 0; i + 1 < tabOrder.size(); ++i) {
            const QWidget* next = tabOrder[i].second->nextInFocusChain();
            while (std::ranges::find_if(tabOrder, [&](const auto& entry) {
                       return entry.second == next;
                   }) == tabOrder.end()) {
                next = next->nextInFocusChain();
            }
            EXPECT_EQ(next, tabOrder[i + 1].second)
                << tabOrder[i].second->objectName().toStdString();
        }
    }
}

TEST_F(LayoutTest, WindowsOpenCentredAndCannotBeResized)
{
    click(ui->pathsButton);
    for (QWidget* window : {static_cast<QWidget*>(form.get()), static_cast<QWidget*>(&dialog())}) {
        SCOPED_TRACE(window->objectName().toStdString());
        const QPoint offCentre =
            window->frameGeometry().center() - window->screen()->availableGeometry().center();
        EXPECT_LE(offCentre.manhattanLength(), 2);
        EXPECT_EQ(window->minimumSize(), window->maximumSize());
    }
}

// Every control lies inside its frame or window, and none stands over
// another but each "..." over its box, on top of it and within it; "Show
// List" widens the window, where it stands, to show the server list, and
// narrows it again.
TEST_F(LayoutTest, EveryControlLiesInsideItsFrameUncoveredTheListInTheWideWindowOnly)
{
    QStringList found;
    for (const QWidget* container : containers()) {
        found << overlaps(container);
    }
    EXPECT_EQ(found.join(u' ').toStdString(),
              "waveFileEdit/waveFileButton normalEdit/normalButton corvaneEdit/corvaneButton "
              "ambrelEdit/ambrelButton pelloryEdit/pelloryButton");
    const QPoint topLeft = form->pos();
    for (const bool wide : {false, true, false, true}) {
        SCOPED_TRACE(wide ? "wide" : "narrow");
        if (ui->showListCheck->isChecked() != wide) {
            click(ui->showListCheck);
        }
        EXPECT_EQ(form->size(), QSize(wide ? 655 : 288, 419));
        EXPECT_EQ(form->pos(), topLeft);
        // Tab skips the list that the narrow window leaves outside.
        EXPECT_EQ(ui->serverList->focusPolicy() != Qt::NoFocus, wide);
        for (const QWidget* container : containers()) {
            for (const QWidget* control : controlsIn(container)) {
                EXPECT_EQ(container->rect().contains(control->geometry()),
                          control != ui->serverList || wide)
                    << control->objectName().toStdString();
                // The captions of check boxes and labels are not cut off.
                if (control->inherits("QCheckBox") || control->inherits("QLabel")) {
                    EXPECT_LE(control->sizeHint().width(), control->width())
                        << control->objectName().toStdString();
                }
            }
        }
    }
}

TEST_F(LayoutTest, FocusStartsAtTheListServerChoice)
{
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    EXPECT_TRUE(ui->hostCombo->hasFocus());
}

} // namespace
} // namespace pollwick::test
