#include "window/Form1Controls.h"

#include "window/Controls.h"
#include "window/ServerListView.h"
#include "window/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace pollwick {

void restoreIdleControls(const Form1Controls& c)
{
    c.WombixCheck->setEnabled(true);
    enableIfTicked(c.MsgMsg, c.MsgCheck);
    enableWaveFileIfTicked(c);
    enableIfTicked(c.Combo2, c.VersionCheck);
    enableIfTicked(c.FName, c.NameCheck);
    enableIfTicked(c.fIP, c.IPCheck);
    enableIfTicked(c.Combo3, c.GameCheck);
    for (QWidget* box : {c.MsgCheck, c.WaveCheck, c.VersionCheck, c.NameCheck, c.ScanCheck,
                         c.IPCheck, c.GameCheck}) {
        box->setEnabled(true);
    }
    c.RemHost->setEnabled(true);
    c.Command1->setEnabled(true);
    c.Command2->setEnabled(false);
}

void enableWaveFileIfTicked(const Form1Controls& c)
{
    if (isTicked(c.WaveCheck)) {
        c.Command3->setEnabled(true);
        c.WaveFile->setEnabled(true);
    } else {
        c.WaveFile->setEnabled(false);
        c.Command3->setEnabled(false);
    }
}

void setClientWidthTwips(QWidget& window, const Form1Controls& controls, int widthTwips)
{
    window.setFixedSize(twips(widthTwips), twips(kClientHeightTwips));
    // Tab must not lose the focus in a control beyond the narrow window's edge.
    controls.ListView1->setFocusPolicy(widthTwips > kNarrowClientWidthTwips ? Qt::StrongFocus
                                                                            : Qt::NoFocus);
}

} // namespace pollwick
