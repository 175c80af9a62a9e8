#pragma once

#include "match/LaunchPlan.h"

#include <QString>

#include <memory>

namespace pollwick {

class Form1;
class PathsDialog;

// The game paths as the main window reaches them: the Paths dialog, made
// hidden when the window loads and kept until the program ends, and the
// "Wombix Paths" button that opens it.
class GamePathsController final
{
public:
    explicit GamePathsController(Form1& form);
    ~GamePathsController();
    GamePathsController(const GamePathsController&) = delete;
    GamePathsController& operator=(const GamePathsController&) = delete;

    // Puts the stored paths into the dialog's boxes.
    void Reload();
    // "Wombix Paths": shows the dialog and disables the main window until
    // the dialog gives it back.
    void Command5_Click();
    // Shows the dialog without reloading it (the start-up check).
    void showPaths();

    // The working copy of an edition's path: its box's text as it stands.
    [[nodiscard]] QString pathFor(GameEdition edition) const;
    [[nodiscard]] PathsDialog& Paths() { return *m_paths; }

private:
    Form1& m_form;
    std::unique_ptr<PathsDialog> m_paths;
};

} // namespace pollwick
