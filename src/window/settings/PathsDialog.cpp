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

    normalEdit = pathBox("normalEdit", twipsRect(720, 120, 3255, 285));
    normalLabel = label("normalLabel", QStringLiteral("1.21"), twipsRect(120, 120, 495, 255));
    normalButton = browseButton("normalButton", QStringLiteral("Select 1.21 Path"),
                                twipsRect(3570, 150, 375, 230));
    corvaneEdit = pathBox("corvaneEdit", twipsRect(720, 600, 3255, 285));
    corvaneLabel = label("corvaneLabel", QStringLiteral("1.21 x"), twipsRect(120, 600, 495, 255));
    corvaneButton = browseButton("corvaneButton", QStringLiteral("Select Corvane Path"),
                                 twipsRect(3570, 630, 375, 230));
    ambrelEdit = pathBox("ambrelEdit", twipsRect(720, 1080, 3255, 285));
    ambrelLabel = label("ambrelLabel", QStringLiteral("1.24"), twipsRect(120, 1080, 495, 255));
    ambrelButton = browseButton("ambrelButton", QStringLiteral("Select Ambrel Path"),
                                twipsRect(3570, 1110, 375, 230));
    pelloryEdit = pathBox("pelloryEdit", twipsRect(720, 1560, 3255, 285));
    pelloryLabel = label("pelloryLabel", QStringLiteral("1.24 x"), twipsRect(120, 1560, 495, 255));
    pelloryButton = browseButton("pelloryButton", QStringLiteral("Select Pellory Path"),
                                 twipsRect(3570, 1590, 375, 230));
    acceptButton = new QPushButton(QStringLiteral("Accept"), this);
    acceptButton->setObjectName(QStringLiteral("acceptButton"));
    acceptButton->setGeometry(twipsRect(2280, 1920, 1695, 615));
    acceptButton->setDefault(true);

    // The browse buttons stand over the right end of their boxes.
    for (QPushButton* browse : {normalButton, corvaneButton, ambrelButton, pelloryButton}) {
        browse->raise();
    }

    // Tab order: each box, then its row's browse button, row by row, then
    // Accept.
    const QWidget* const chain[] = {normalEdit,    normalButton,  corvaneEdit,
                                    corvaneButton, ambrelEdit,    ambrelButton,
                                    pelloryEdit,   pelloryButton, acceptButton};
    for (std::size_t i = 0; i + 1 < std::size(chain); ++i) {
        setTabOrder(const_cast<QWidget*>(chain[i]), const_cast<QWidget*>(chain[i + 1]));
    }

    connect(normalButton, &QPushButton::clicked, this, &PathsDialog::browseNormal);
    connect(corvaneButton, &QPushButton::clicked, this, &PathsDialog::browseCorvane);
    connect(ambrelButton, &QPushButton::clicked, this, &PathsDialog::browseAmbrel);
    connect(pelloryButton, &QPushButton::clicked, this, &PathsDialog::browsePellory);
    connect(acceptButton, &QPushButton::clicked, this, &PathsDialog::acceptPaths);
}

PathsDialog::~PathsDialog() = default;

void PathsDialog::reload()
{
    const GamePaths stored = m_unsaved ? *m_unsaved : readGamePaths(m_settings);
    normalEdit->setText(stored.normal);
    ambrelEdit->setText(stored.ambrel);
    corvaneEdit->setText(stored.corvane);
    pelloryEdit->setText(stored.pellory);
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
    return {normalEdit->text(), ambrelEdit->text(), corvaneEdit->text(), pelloryEdit->text()};
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

void PathsDialog::browseNormal()
{
    browse(normalEdit);
}

void PathsDialog::browseCorvane()
{
    browse(corvaneEdit);
}

void PathsDialog::browseAmbrel()
{
    browse(ambrelEdit);
}

void PathsDialog::browsePellory()
{
    browse(pelloryEdit);
}

void PathsDialog::acceptPaths()
{
    const GamePaths accepted = workingCopy();
    const bool stored = writeGamePaths(m_settings, accepted);
    m_mainWindow.setEnabled(true);
    if (stored) {
        m_unsaved.reset();
        reload();
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
                .arg(gamePathsLocation(m_settings)),
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
