#pragma once

namespace pollwick {

class Form1;

// The main window's own life: load, the one-shot start-up check for game
// paths, "Show List" and closing.
class MainWindowLifecycle final
{
public:
    explicit MainWindowLifecycle(Form1& form);

    // Once, when the window is made: the stored paths into the Paths dialog,
    // the start-up check in 500 ms, the server list's columns.
    void Form_Load();
    // 500 ms after load, once: with no game path known, asks for them.
    void Timer1_Timer();
    // "Show List" widens the window to reveal the server list.
    void Check1_Click();
    // Closing the window ends the program at once.
    void Form_Unload();

private:
    Form1& m_form;
};

} // namespace pollwick
