// The main window's address file: opening and checking it, the recent-files list, new
// files and the rebuild of the index.

#include "app/bkmain.h"

#include "addressfile/addressschema.h"
#include "addressfile/createaddressfile.h"
#include "addressfile/fieldlengths.h"
#include "addressfile/tbkreindex.h"
#include "addressfile/tnewdatabasename.h"
#include "platform/identity.h"
#include "platform/messages.h"
#include "platform/placement.h"
#include "platform/programdirectory.h"
#include "platform/settings.h"
#include "table/controlsscope.h"
#include "table/tableerror.h"
#include "table/tablefiles.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>

namespace {

const QString kMruSection = QStringLiteral("MRU");
constexpr int kMruItems = 4;
const QString kDefaultFile = QStringLiteral("add0001.DBF");

QString DataDirectory()
{
    const QString folder = ProgramDirectory() + QStringLiteral("DATA/");
    QDir().mkpath(folder);
    return folder;
}

QAction* AddFileItem(QMenu* menu, QAction* before, const QString& caption, const char* name)
{
    auto* action = new QAction(caption, menu);
    action->setObjectName(QString::fromLatin1(name));
    menu->insertAction(before, action);
    return action;
}

void LetMessagesRun()
{
    QCoreApplication::processEvents();
}

} // namespace

void TAddressMain::setupFiles()
{
    session_.SetWindow(this);
    session_.OpenFile = [this](const QString& path) { return OpenBookDBF(path); };
    connect(&session_, &AddressSession::ExtraFieldsWanted, this, &TAddressMain::SetExtraFields);
    connect(&session_, &AddressSession::RefreshWanted, this, [this] {
        ShowOrderInMenu();
        SetButtons();
    });
    TAbleCreate.SetExclusive(true);
    DataSourceCreate.SetDataSet(&TAbleCreate);
    ApolloCreate.SetDataSource(&DataSourceCreate);
    connect(&TableBook, &TTable::writeFailed, this, [](const QString& message) { ShowInformation(message); });

    OpenFileMenu = AddFileItem(File1, Prefences1, QStringLiteral("&Open Address DataBase"), "OpenFileMenu");
    NewFileMenu = AddFileItem(File1, Prefences1, QStringLiteral("&New Address Database"), "NewFileMenu");
    RebuildIndexesMenu =
        AddFileItem(File1, Prefences1, QStringLiteral("&Rebuild Indexes for this file"), "RebuildIndexesMenu");
    File1->insertSeparator(Prefences1);
    StartOfMRU = File1->addSeparator();
    StartOfMRU->setObjectName(QStringLiteral("StartOfMRU"));
    connect(OpenFileMenu, &QAction::triggered, this, &TAddressMain::OpenFileMenuClick);
    connect(NewFileMenu, &QAction::triggered, this, &TAddressMain::NewFileMenuClick);
    connect(RebuildIndexesMenu, &QAction::triggered, this, &TAddressMain::RebuildIndexesMenuClick);

    OpenDialogBook = [this](const QString& startFolder) {
        return QFileDialog::getOpenFileName(this, QStringLiteral("Open"), startFolder,
                                            QStringLiteral("DBF Files (*.dbf *.DBF *.Dbf)"));
    };
}

QString TAddressMain::GetDatabasePath() const
{
    return session_.GetDatabasePath();
}

// ---- opening ------------------------------------------------------------------------------

bool TAddressMain::OpenBookDBF(const QString& path)
{
    if (path.isEmpty())
        return false;
    bool result = false;
    // Reopening the same file (aggressive saving, a failed open undone) needs no new look.
    const bool reopening = path == LastOpenedFile;
    statusBar()->clearMessage();
    {
        ControlsScope quiet(TableBook);
        Apollo1.Query(QString());
        result = OpenBookFile(path);
        if (result && !IndexValid) {
            if (AskYesNo(QStringLiteral("The index file for ") + path + QStringLiteral("\r\n") +
                             QStringLiteral("is missing or invalid. Rebuild now?"),
                         QStringLiteral("Warning"))) {
                TBkReindex dialog(TableBook, Apollo1, this);
                CenterDialog(&dialog);
                dialog.exec();
                CheckValidIndex();
                if (!IndexValid)
                    TableBook.Close();
            } else {
                TableBook.Close();
            }
        }
        // A file another program indexed may hold keys in other capitals than ours:
        // searches can miss those records until the rebuild writes the keys anew.
        if (result && IndexValid && TableBook.Active() && !reopening && Apollo1.ForeignCaseKeys() > 0)
            statusBar()->showMessage(QStringLiteral("Some index keys of this file were written by another program "
                                                    "in other capitals; File, Rebuild Indexes writes them anew"));
        OnOpenBookFile(TableBook.Active());
    }
    LetMessagesRun();
    if (result)
        UpdateMRUList(path);
    LastOpenedFile = result ? path : QString();
    // The caption names the file only while it is open: a failed open, or a refused
    // rebuild, leaves no file.
    setWindowTitle(TableBook.Active() ? ProductName() + QStringLiteral(" - ") + QFileInfo(path).fileName()
                                      : ProductName());
    return result;
}

bool TAddressMain::OpenBookFile(const QString& path)
{
    if (session_.OpenAddressFile(path)) {
        CheckValidIndex();
        return true;
    }
    ShowInformation(QStringLiteral("Unable to open ") + path + QStringLiteral("\r\n\r\n") +
                    QStringLiteral(" * May not be ") + QStringLiteral("an ") + ProductName() +
                    QStringLiteral(" file.") + QStringLiteral("\r\n") +
                    QStringLiteral(" * May be in use by another program or user"));
    return false;
}

// Only the names of the tags count, not their keys.
void TAddressMain::CheckValidIndex()
{
    IndexValid = false;
    try {
        for (const QString& tag : AddressTagNames())
            if (Apollo1.TagArea(tag) == 0)
                return;
    } catch (const TableError&) {
        return;
    }
    IndexValid = true;
}

void TAddressMain::OnOpenBookFile(bool active)
{
    if (!active) {
        TableBook.Close();
        RecordPanel->hide();
        NoData->show();
        SetCurrentOrder(QString());
        return;
    }
    NoData->hide();
    RecordPanel->show();
    OrderByLastName();
    ApplyFilterOrClear();
    TableBook.First();
    LetMessagesRun();
}

// The current selection's filter, rebuilt against this file; one the file cannot take is
// dropped rather than left half applied.
void TAddressMain::ApplyFilterOrClear()
{
    try {
        ApplyFilter();
    } catch (const TableError&) {
        Apollo1.Query(QString());
    }
}

void TAddressMain::OpenStartupFile()
{
    const QString recent = GetMRUFile();
    if (!recent.isEmpty()) {
        OpenBookDBF(recent);
    } else {
        const QString folder = DataDirectory();
        const QString existing = FindFileIgnoringCase(folder, kDefaultFile);
        if (!existing.isEmpty()) {
            OpenBookDBF(existing);
        } else {
            LoadFieldLengths();
            const QString path = folder + kDefaultFile;
            if (CreateAddressFile(path, TAbleCreate, ApolloCreate))
                OpenBookDBF(path);
        }
    }
    UpdateMenuMRUList();
}

// ---- recent files -------------------------------------------------------------------------

void TAddressMain::GetMRUList(QStringList& list)
{
    list.clear();
    for (int i = 1; i <= kMruItems; ++i) {
        const QString item = ReadSettingString(kMruSection, QStringLiteral("Item%1").arg(i));
        if (!item.isEmpty())
            list.append(item);
    }
}

void TAddressMain::PutMRUList(const QStringList& list)
{
    const int count = std::min<int>(static_cast<int>(list.size()), kMruItems);
    WriteSettingsBatch([&] {
        for (int i = 0; i < count; ++i)
            WriteSettingString(kMruSection, QStringLiteral("Item%1").arg(i + 1), list[i]);
    });
}

// Paths compare exactly, letter case included.
void TAddressMain::UpdateMRUList(const QString& path)
{
    QStringList old;
    GetMRUList(old);
    QStringList list{path};
    for (const QString& item : old) {
        if (list.size() >= kMruItems)
            break;
        if (item != path)
            list.append(item);
    }
    PutMRUList(list);
    UpdateMenuMRUList();
}

QString TAddressMain::GetMRUFile()
{
    QStringList list;
    GetMRUList(list);
    return list.value(0);
}

void TAddressMain::UpdateMenuMRUList()
{
    const QList<QAction*> items = File1->actions();
    for (qsizetype i = items.indexOf(StartOfMRU) + 1; i < items.size(); ++i) {
        File1->removeAction(items[i]);
        // Later: the item may be the one whose click is being handled.
        items[i]->deleteLater();
    }
    QStringList list;
    GetMRUList(list);
    for (const QString& path : list) {
        auto* item = new QAction(QString(path).replace(QLatin1Char('&'), QStringLiteral("&&")), File1);
        item->setData(path);
        connect(item, &QAction::triggered, this, [this, item] { MRUITemClick(item); });
        File1->addAction(item);
    }
}

void TAddressMain::MRUITemClick(QAction* item)
{
    OpenBookDBFOrReturn(item->data().toString());
    SetButtons();
}

// A file that does not open leaves the user where he was: the file open before opens again.
void TAddressMain::OpenBookDBFOrReturn(const QString& path)
{
    const QString previous = TableBook.Active() ? LastOpenedFile : QString();
    OpenBookDBF(path);
    if (!TableBook.Active() && !previous.isEmpty())
        OpenBookDBF(previous);
}

// ---- the File menu ------------------------------------------------------------------------

void TAddressMain::OpenFileMenuClick()
{
    const QString file = OpenDialogBook(DataDirectory());
    if (file.isEmpty())
        return;
    if (QStringLiteral(".") + QFileInfo(file).suffix().toUpper() != QLatin1String(".DBF")) {
        ShowInformation(QStringLiteral("Must be a DBF file"));
        return;
    }
    OpenBookDBFOrReturn(file);
    SetButtons();
}

void TAddressMain::NewFileMenuClick()
{
    const QString folder = DataDirectory();
    TNewDataBaseName dialog(this);
    dialog.DBFFileName->setText(ProposeDatabaseName(folder));
    CenterDialog(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString fileName = dialog.DBFFileName->text() + QStringLiteral(".DBF");
    if (!FindFileIgnoringCase(folder, fileName).isEmpty()) {
        ShowInformation(QStringLiteral("That file already exists.Please select another name"));
        return;
    }
    const QString path = folder + fileName;
    if (!CreateAddressFile(path, TAbleCreate, ApolloCreate))
        return;
    TAbleCreate.Close();
    TableBook.Close();
    LetMessagesRun();
    OpenBookDBF(path);
    SetButtons();
}

void TAddressMain::RebuildIndexesMenuClick()
{
    if (!TableBook.Active()) {
        ShowInformation(QStringLiteral("You need to have a database file open first"));
        return;
    }
    // The rebuild leaves the last tag made as the order; the user's comes back after.
    {
        ControlsScope quiet(TableBook);
        TBkReindex dialog(TableBook, Apollo1, this);
        CenterDialog(&dialog);
        dialog.exec();
    }
    SetCurrentOrder(CurrentOrderName);
    ApplyFilterOrClear();
}
