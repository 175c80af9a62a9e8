#include "window/settings/GamePathsController.h"

#include "window/settings/PathsDialog.h"

namespace pollwick {

GamePathsController::GamePathsController(PathsDialog& Paths, QWidget& mainWindow)
    : m_paths(Paths)
    , m_mainWindow(mainWindow)
{ }

void GamePathsController::Reload()
{
    m_paths.Reload();
}

void GamePathsController::Command5_Click()
{
    m_paths.showOverMainWindow();
    Reload();
    m_mainWindow.setEnabled(false);
}

QString GamePathsController::pathFor(GameEdition edition) const
{
    return m_paths.workingCopy().of(edition);
}

} // namespace pollwick
