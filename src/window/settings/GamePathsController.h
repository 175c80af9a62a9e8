#pragma once

#include "core/match/LaunchPlan.h"

#include <QString>

class QWidget;

namespace pollwick {

class PathsDialog;

// The "Wombix Paths" button of the main window, and the game paths as the
// tests and the match actions read them.
class GamePathsController final
{
public:
    GamePathsController(PathsDialog& pathsDialog, QWidget& mainWindow);

    // Puts the stored paths into the dialog's boxes.
    void reload();
    // "Wombix Paths": shows the dialog and disables the main window until
    // the dialog gives it back.
    void openPathsDialog();

    // The working copy of an edition's path: its box's text as it stands.
    [[nodiscard]] QString pathFor(GameEdition edition) const;
    [[nodiscard]] PathsDialog& dialog() { return m_paths; }

private:
    PathsDialog& m_paths;
    QWidget& m_mainWindow;
};

} // namespace pollwick
