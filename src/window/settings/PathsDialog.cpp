#include "window/settings/PathsDialog.h"

#include "platform/Dialogs.h"
#include "window/Appearance.h"
#include "window/Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWindow>

#include <limits>

namespace pollwick {
namespace {

const QString kExecutableFilter = QStringLiteral("Wombix File|wombix.exe");

} // namespace

PathsDialog::PathsDialog(SettingsStore& settings, FileDialog& fileDialog, MessageBox& messageBox,
                         QWidget& mainWindow)
    : QDialog(nullptr,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                  Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_settings(settings)
    , m_fileDialog(fileDialog)
    , m_messageBox(messageBox)
    , m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("Paths"));
    setWindowTitle(QStringLiteral("Please Select Wombix Files"));
    setWindowIcon(pollwick::windowIcon(WindowIcon::Paths));
    setModal(false);
    setFixedSize(twips(4050), twips(2655));
    centerOnFirstShow(this);
    setFont(windowFont(WindowFont::Arial));

    const auto label = [this](const char* name, const QString& text, QRect geometry) {
        auto* control = new QLabel(text, this);
        control->setObjectName(QLatin1String(name));
        control->setGeometry(geometry);
        return control;
    };
    const auto pathBox = [this](const char* name, QRect geometry) {
        auto* control = new QLineEdit(QStringLiteral("Path"), this);
        control->setObjectName(QLatin1String(name));
        control->setGeometry(geometry);
        // QLineEdit cuts text at 32767 characters unless told otherwise.
        control->setMaxLength(std::numeric_limits<int>::max());
        return control;
    };
    const auto browseButton = [this](const char* name, const QString& toolTip, QRect geometry) {
        auto* control = new QPushButton(QStringLiteral("..."), this);
        control->setObjectName(QLatin1String(name));
        control->setGeometry(geometry);
        control->setToolTip(toolTip);
        control->setAutoDefault(false);
        return control;
    };

    Normal = pathBox("Normal", twipsRect(720, 120, 3255, 285));
    Label1 = label("Label1", QStringLiteral("1.21"), twipsRect(120, 120, 495, 255));
    Command1 = browseButton("Command1", QStringLiteral("Select 1.21 Path"),
                            twipsRect(3570, 150, 375, 230));
    Corvane = pathBox("Corvane", twipsRect(720, 600, 3255, 285));
    Label3 = label("Label3", QStringLiteral("1.21 x"), twipsRect(120, 600, 495, 255));
    Command3 = browseButton("Command3", QStringLiteral("Select Corvane Path"),
                            twipsRect(3570, 630, 375, 230));
    Ambrel = pathBox("Ambrel", twipsRect(720, 1080, 3255, 285));
    Label4 = label("Label4", QStringLiteral("1.24"), twipsRect(120, 1080, 495, 255));
    Command4 = browseButton("Command4", QStringLiteral("Select Ambrel Path"),
                            twipsRect(3570, 1110, 375, 230));
    Pellory = pathBox("Pellory", twipsRect(720, 1560, 3255, 285));
    Label6 = label("Label6", QStringLiteral("1.24 x"), twipsRect(120, 1560, 495, 255));
    Command6 = browseButton("Command6", QStringLiteral("Select Pellory Path"),
                            twipsRect(3570, 1590, 375, 230));
    Command7 = new QPushButton(QStringLiteral("Accept"), this);
    Command7->setObjectName(QStringLiteral("Command7"));
    Command7->setGeometry(twipsRect(2280, 1920, 1695, 615));
    Command7->setDefault(true);

    // The browse buttons stand over the right end of their boxes.
    for (QPushButton* browse : {Command1, Command3, Command4, Command6}) {
        browse->raise();
    }

    // Tab order: each box, then its row's browse button, row by row, then
    // Accept.
    const QWidget* const chain[] = {Normal,   Command1, Corvane,  Command3, Ambrel,
                                    Command4, Pellory,  Command6, Command7};
    for (std::size_t i = 0; i + 1 < std::size(chain); ++i) {
        setTabOrder(const_cast<QWidget*>(chain[i]), const_cast<QWidget*>(chain[i + 1]));
    }

    connect(Command1, &QPushButton::clicked, this, &PathsDialog::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &PathsDialog::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &PathsDialog::Command4_Click);
    connect(Command6, &QPushButton::clicked, this, &PathsDialog::Command6_Click);
    connect(Command7, &QPushButton::clicked, this, &PathsDialog::Command7_Click);
}

PathsDialog::~PathsDialog() = default;

void PathsDialog::Reload()
{
    const GamePaths stored = m_unsaved ? *m_unsaved : GamePathsStore::read(m_settings);
    Normal->setText(stored.Normal);
    Ambrel->setText(stored.Ambrel);
    Corvane->setText(stored.Corvane);
    Pellory->setText(stored.Pellory);
}

void PathsDialog::showOverMainWindow()
{
    // Belonging to the main window keeps the dialog out of the taskbar and
    // above the window it waits for.
    winId();
    m_mainWindow.winId();
    if (QWindow* dialog = windowHandle()) {
        dialog->setTransientParent(m_mainWindow.windowHandle());
    }
    show();
    raise();
    activateWindow();
}

GamePaths PathsDialog::workingCopy() const
{
    return {Normal->text(), Ambrel->text(), Corvane->text(), Pellory->text()};
}

void PathsDialog::browse(QLineEdit* target)
{
    const std::optional<QString> chosen =
        m_fileDialog.openFile(this, kExecutableFilter, m_lastFile);
    if (!chosen) {
        return;
    }
    m_lastFile = *chosen;
    target->setText(*chosen);
}

void PathsDialog::Command1_Click()
{
    browse(Normal);
}

void PathsDialog::Command3_Click()
{
    browse(Corvane);
}

void PathsDialog::Command4_Click()
{
    browse(Ambrel);
}

void PathsDialog::Command6_Click()
{
    browse(Pellory);
}

void PathsDialog::Command7_Click()
{
    const GamePaths accepted = workingCopy();
    const bool stored = GamePathsStore::write(m_settings, accepted);
    m_mainWindow.setEnabled(true);
    if (stored) {
        m_unsaved.reset();
        Reload();
    } else {
        // Reloading from the store, now or when the dialog is opened again,
        // would put the old paths back in the boxes and lose the user's
        // choice: it stays in use for this run, and the user learns that it
        // was not kept.
        m_unsaved = accepted;
        m_messageBox.show(
            this,
            QStringLiteral("The Wombix paths could not be saved to %1. They stay in use until "
                           "Wombix Pollwick is closed.")
                .arg(GamePathsStore::location(m_settings)),
            QStringLiteral("Wombix Pollwick"));
    }
    hide();
}

void PathsDialog::reject()
{
    m_mainWindow.setEnabled(true);
    hide();
}

} // namespace pollwick
