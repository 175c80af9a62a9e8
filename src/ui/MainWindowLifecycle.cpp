#include "ui/MainWindowLifecycle.h"

#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/Timer.h"
#include "settings/GamePathsController.h"
#include "settings/PathsDialog.h"
#include "ui/Controls.h"
#include "ui/Form1.h"
#include "ui/ServerListView.h"

#include <QCheckBox>

namespace pollwick {

MainWindowLifecycle::MainWindowLifecycle(Form1& form)
    : m_form(form)
{ }

void MainWindowLifecycle::Form_Load()
{
    m_form.paths().Reload();
    m_form.Timer1->setInterval(500);
    m_form.ListView1->setUpColumns();
}

void MainWindowLifecycle::Timer1_Timer()
{
    m_form.Timer1->setInterval(0);
    const GamePaths paths = m_form.paths().Paths().workingCopy();
    // A box holding only spaces counts as set.
    if (!paths.Normal.isEmpty() || !paths.Ambrel.isEmpty() || !paths.Corvane.isEmpty() ||
        !paths.Pellory.isEmpty()) {
        return;
    }
    m_form.platform().messageBox().show(
        &m_form,
        QStringLiteral("Wombix Pollwick has not detected any Wombix Paths, Please Specify paths "
                       "before continuing"),
        QStringLiteral("Wombix Pollwick"));
    m_form.paths().showPaths();
    m_form.setEnabled(false);
}

void MainWindowLifecycle::Check1_Click()
{
    m_form.setClientWidthTwips(checkValue(m_form.Check1) == 1 ? Form1::kWideClientWidthTwips
                                                              : Form1::kNarrowClientWidthTwips);
}

void MainWindowLifecycle::Form_Unload()
{
    m_form.platform().endProcess();
}

} // namespace pollwick
