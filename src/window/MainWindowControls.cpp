#include "window/MainWindowControls.h"

#include "window/Controls.h"
#include "window/ServerListView.h"
#include "window/Twips.h"
#include "window/ui_MainWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace pollwick {

void restoreIdleControls(const Ui::MainWindow& c)
{
    c.launchCheck->setEnabled(true);
    enableIfTicked(c.messageEdit, c.messageCheck);
    enableWaveFileIfTicked(c);
    enableIfTicked(c.versionCombo, c.versionCheck);
    enableIfTicked(c.nameEdit, c.nameCheck);
    enableIfTicked(c.addressEdit, c.addressCheck);
    enableIfTicked(c.gameTypeCombo, c.gameTypeCheck);
    for (QWidget* box : {c.messageCheck, c.waveCheck, c.versionCheck, c.nameCheck, c.privateCheck,
                         c.addressCheck, c.gameTypeCheck}) {
        box->setEnabled(true);
    }
    c.hostCombo->setEnabled(true);
    c.goButton->setEnabled(true);
    c.stopButton->setEnabled(false);
}

void enableWaveFileIfTicked(const Ui::MainWindow& c)
{
    if (isTicked(c.waveCheck)) {
        c.waveFileButton->setEnabled(true);
        c.waveFileEdit->setEnabled(true);
    } else {
        c.waveFileEdit->setEnabled(false);
        c.waveFileButton->setEnabled(false);
    }
}

void setClientWidthTwips(QWidget& window, const Ui::MainWindow& controls, int widthTwips)
{
    window.setFixedSize(twips(widthTwips), twips(kClientHeightTwips));
    // Tab must not lose the focus in a control beyond the narrow window's edge.
    controls.serverList->setFocusPolicy(widthTwips > kNarrowClientWidthTwips ? Qt::StrongFocus
                                                                             : Qt::NoFocus);
}

} // namespace pollwick
