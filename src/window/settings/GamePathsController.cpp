#include "window/settings/GamePathsController.h"

#include "window/settings/PathsDialog.h"

namespace pollwick {

GamePathsController::GamePathsController(PathsDialog& pathsDialog, QWidget& mainWindow)
    : m_paths(pathsDialog)
    , m_mainWindow(mainWindow)
{ }

void GamePathsController::reload()
{
    m_paths.reload();
}

void GamePathsController::openPathsDialog()
{
    m_paths.showOverMainWindow();
    reload();
    m_mainWindow.setEnabled(false);
}

QString GamePathsController::pathFor(GameEdition edition) const
{
    return m_paths.workingCopy().of(edition);
}

} // namespace pollwick
