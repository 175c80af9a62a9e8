#include "settings/GamePathsController.h"

#include "settings/PathsDialog.h"
#include "ui/Form1.h"

#include <QWindow>

namespace pollwick {

GamePathsController::GamePathsController(Form1& form)
    : m_form(form)
    , m_paths(std::make_unique<PathsDialog>(form.platform(), form))
{ }

GamePathsController::~GamePathsController() = default;

void GamePathsController::Reload()
{
    m_paths->Reload();
}

void GamePathsController::Command5_Click()
{
    showPaths();
    Reload();
    m_form.setEnabled(false);
}

void GamePathsController::showPaths()
{
    // Belonging to the main window keeps the dialog out of the taskbar and
    // above the window it waits for.
    m_paths->winId();
    m_form.winId();
    if (QWindow* dialog = m_paths->windowHandle()) {
        dialog->setTransientParent(m_form.windowHandle());
    }
    m_paths->show();
    m_paths->raise();
    m_paths->activateWindow();
}

QString GamePathsController::pathFor(GameEdition edition) const
{
    return m_paths->workingCopy().of(edition);
}

} // namespace pollwick
