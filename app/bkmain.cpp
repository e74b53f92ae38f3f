#include "app/bkmain.h"

#include "app/bkpref.h"
#include "app/preferencekeys.h"
#include "app/recordcard.h"
#include "app/whatsthistexts.h"
#include "carddav/tcarddavcommands.h"
#include "dial/dialcommands.h"
#include "duplicates/duplicatecommands.h"
#include "envelopes/envelopecommands.h"
#include "exchange/exportcommand.h"
#include "exchange/importcommands.h"
#include "labels/labelcommands.h"
#include "platform/help.h"
#include "platform/helpcommands.h"
#include "platform/identity.h"
#include "platform/mainwindow.h"
#include "platform/menuitem.h"
#include "platform/messages.h"
#include "platform/placement.h"
#include "platform/recorddate.h"
#include "platform/settings.h"
#include "report/reportcommands.h"
#include "select/tagid.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QMenu* addMenu(QMenuBar* bar, const QString& caption, const char* name)
{
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name) + QStringLiteral("Item"));
    return menu;
}

} // namespace

TAddressMain::TAddressMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("AddressMain"));
    SetMainWindow(this);

    setupMenus();
    setupPanels();
    setupFiles();
    setupRecords();
    setupSort();
    setupSelect();
    setupPlaces();
    // The layers' items go to their places in the menus, whatever the order here.
    new TLabelCommands(session_, Menus(), this);
    new TEnvelopeCommands(session_, Menus(), this);
    new TReportCommands(session_, Menus(), this);
    new TDuplicateCommands(session_, Menus(), this);
    new ImportCommands(session_, Menus(), this);
    new ExportCommand(session_, Menus(), this);
    new TCardDavCommands(session_, Menus(), this);
    new TDialCommands(
        session_, {RecordCard->Dial1Button, RecordCard->Dial2Button, RecordCard->Mailbutton, RecordCard->WebPageButton},
        this);
    new THelpCommands(Help1, this);
    setupExitButton();
    ExplainMainWindow(this);

    FormCreate();
}

TAddressMain::~TAddressMain() = default;

MainMenus TAddressMain::Menus()
{
    return {this,       File1,   Edit1,        Record1,      mnuOrder,     Filter1,       Print1,         Help1,
            Prefences1, ToolBar, ImportPlace_, ExportPlace_, LabelsPlace_, ReportsPlace_, ClipboardPlace_};
}

// After the window's own items, so each place stays where the layer's items belong.
void TAddressMain::setupPlaces()
{
    const auto place = [](QMenu* menu, QAction* before, const char* name) {
        auto* action = new QAction(menu);
        action->setObjectName(QString::fromLatin1(name));
        action->setVisible(false);
        menu->insertAction(before, action);
        return action;
    };
    ImportPlace_ = place(File1, Prefences1, "ImportPlace");
    ExportPlace_ = place(File1, Prefences1, "ExportPlace");
    File1->insertSeparator(Prefences1);
    LabelsPlace_ = place(Print1, nullptr, "LabelsPlace");
    ReportsPlace_ = place(Print1, nullptr, "ReportsPlace");
    ClipboardPlace_ = place(Record1, nullptr, "ClipboardPlace");
}

void TAddressMain::setupMenus()
{
    QMenuBar* bar = menuBar();
    File1 = addMenu(bar, QStringLiteral("&File"), "File1");
    Edit1 = addMenu(bar, QStringLiteral("Ed&it"), "Edit1");
    Edit1->menuAction()->setVisible(false);
    Record1 = addMenu(bar, QStringLiteral("&Record"), "Record1");
    mnuOrder = addMenu(bar, QStringLiteral("&Sort"), "mnuOrder");
    Filter1 = addMenu(bar, QStringLiteral("Fi&lter"), "Filter1");
    Print1 = addMenu(bar, QStringLiteral("&Print"), "Print1");
    Help1 = addMenu(bar, QStringLiteral("&Help"), "Help1");

    Prefences1 = NamedMenuItem(File1, QStringLiteral("Pre&ferences"), "Prefences1");
    File1->addSeparator();
    Exit1 = NamedMenuItem(File1, QStringLiteral("E&xit "), "Exit1");
    connect(Prefences1, &QAction::triggered, this, &TAddressMain::Prefences1Click);
    connect(Exit1, &QAction::triggered, this, &TAddressMain::Exit1Click);
}

void TAddressMain::setupPanels()
{
    ToolBar = addToolBar(QStringLiteral("Commands"));
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setMovable(false);

    auto* centre = new QWidget(this);
    centre->setObjectName(QStringLiteral("CentrePanel"));
    auto* layout = new QVBoxLayout(centre);
    NoData = new QLabel(centre);
    NoData->setObjectName(QStringLiteral("NoData"));
    NoData->setAlignment(Qt::AlignCenter);
    NoData->setWordWrap(true);
    RecordPanel = new QWidget(centre);
    RecordPanel->setObjectName(QStringLiteral("RecordPanel"));
    RecordPanel->hide();
    layout->addWidget(NoData, 1);
    layout->addWidget(RecordPanel, 1);
    setCentralWidget(centre);
    resize(760, 560);
}

// Added after every area has added its buttons, so Exit comes last on the toolbar.
void TAddressMain::setupExitButton()
{
    ToolBar->addSeparator();
    Exitbutton = new QToolButton(ToolBar);
    Exitbutton->setObjectName(QStringLiteral("Exitbutton"));
    Exitbutton->setText(QStringLiteral("E&xit"));
    // The hint shows the caption as read: a tooltip would show the accelerator mark as is.
    Exitbutton->setToolTip(QStringLiteral("Exit"));
    Exitbutton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    connect(Exitbutton, &QToolButton::clicked, this, &TAddressMain::Exit1Click);
    ToolBar->addWidget(Exitbutton);
}

void TAddressMain::FormCreate()
{
    SetHelpContext(this, HelpContext);
    Apollo1.SysProp(1009, 0);
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->clearMessage();
    // The date format follows the locale as it is now, not as a previous window saw it.
    ResetDisplayDateFormat();
}

void TAddressMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!firstActivation_ || event->spontaneous())
        return;
    // Placement before the window is first drawn, so it does not jump; the rest of the
    // first activation once the window is up, since it may ask the user questions.
    RestorePlacement(this);
    QMetaObject::invokeMethod(this, &TAddressMain::FormActivate, Qt::QueuedConnection);
}

void TAddressMain::FormActivate()
{
    if (!firstActivation_)
        return;
    RecordPanel->hide();
    setWindowTitle(ProductName());
    NoData->setText(QStringLiteral("Please Open or Create an ") + ProductName() + QStringLiteral(" Address file"));
    EventsActive = true;
    LoadPreferences();
    firstActivation_ = false;
    OpenStartupFile();
    FinishFirstActivation();
}

void TAddressMain::LoadPreferences()
{
    Preferences = ReadAddingPreferences();
    AggressiveSave = ReadAggressiveSave();
    const QString stored = ReadSettingString(QStringLiteral("Misc"), QStringLiteral("GlobalTagId"));
    GlobalTagId = stored.isEmpty() ? NewTagId(session_.Clock()) : stored;
    SaveTagPref();
}

void TAddressMain::SaveTagPref()
{
    WriteSettingsBatch(
        [this] { WriteSettingString(QStringLiteral("Misc"), QStringLiteral("GlobalTagId"), GlobalTagId); });
}

void TAddressMain::closeEvent(QCloseEvent* event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TAddressMain::FormClose()
{
    SavePlacement(this);
    hide();
}

void TAddressMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (windowState() != Qt::WindowNoState || !isVisible() || !screen())
        return;
    const QRect frame = frameGeometry();
    const QPoint corner = PullBackOnScreen(frame, screen()->geometry().size());
    if (corner != frame.topLeft())
        move(corner);
}

void TAddressMain::Prefences1Click()
{
    {
        TPreferences dialog(this);
        CenterDialog(&dialog);
        dialog.exec();
    }
    LoadPreferences();
}

void TAddressMain::Exit1Click()
{
    close();
}
