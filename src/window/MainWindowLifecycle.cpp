#include "window/MainWindowLifecycle.h"

#include "platform/Dialogs.h"
#include "platform/Timer.h"
#include "window/Controls.h"
#include "window/Form1Controls.h"
#include "window/ServerListView.h"
#include "window/settings/PathsDialog.h"

#include <QCheckBox>

namespace pollwick {

MainWindowLifecycle::MainWindowLifecycle(QWidget& window, const Form1Controls& controls,
                                         Timer& Timer1, PathsDialog& Paths, MessageBox& messageBox,
                                         std::function<void()> endProcess)
    : m_window(window)
    , m_controls(controls)
    , m_startupCheck(Timer1)
    , m_paths(Paths)
    , m_messageBox(messageBox)
    , m_endProcess(std::move(endProcess))
{ }

void MainWindowLifecycle::Form_Load()
{
    m_paths.Reload();
    m_startupCheck.setInterval(500);
    m_controls.ListView1->setUpColumns();
}

void MainWindowLifecycle::Timer1_Timer()
{
    m_startupCheck.setInterval(0);
    const GamePaths paths = m_paths.workingCopy();
    // A box holding only spaces counts as set.
    if (!paths.Normal.isEmpty() || !paths.Ambrel.isEmpty() || !paths.Corvane.isEmpty() ||
        !paths.Pellory.isEmpty()) {
        return;
    }
    m_messageBox.show(
        &m_window,
        QStringLiteral("Wombix Pollwick has not detected any Wombix Paths, Please Specify paths "
                       "before continuing"),
        QStringLiteral("Wombix Pollwick"));
    m_paths.showOverMainWindow();
    m_window.setEnabled(false);
}

void MainWindowLifecycle::Check1_Click()
{
    setClientWidthTwips(m_window, m_controls,
                        checkValue(m_controls.Check1) == 1 ? kWideClientWidthTwips
                                                           : kNarrowClientWidthTwips);
}

void MainWindowLifecycle::Form_Unload()
{
    m_endProcess();
}

} // namespace pollwick
