#include "exchange/timportolder.h"

#include "exchange/dbfmatching.h"
#include "exchange/tablesource.h"
#include "platform/identity.h"
#include "platform/messages.h"
#include "platform/programdirectory.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

TImportOlder::TImportOlder(TTable& book, TApollo& bookApollo, QWidget* parent)
    : ImportDialog(QString(), HelpContext, "Label1", QStringLiteral("DBF File Name"), "DBFFileName",
                   QStringLiteral("Select DBF File"), parent),
      book_(book), bookApollo_(bookApollo)
{
    setObjectName(QStringLiteral("ImportOlder"));
    MatchButton->hide();
    connect(SelectButton, &QPushButton::clicked, this, &TImportOlder::SelectButtonClick);
    connect(ImportButton, &QPushButton::clicked, this, &TImportOlder::ImportButtonClick);
    Gauge1->setStyleSheet(QStringLiteral("QProgressBar::chunk { background-color: blue; }"));
    OpenDialog1 = [this](const QString& startFolder) {
        return QFileDialog::getOpenFileName(this, QStringLiteral("Open"), startFolder,
                                            QStringLiteral("DBF Files (*.dbf *.DBF *.Dbf)"));
    };
}

void TImportOlder::showEvent(QShowEvent* event)
{
    setWindowTitle(QStringLiteral("Import ") + ProductName() + QStringLiteral(" DBF"));
    ImportDialog::showEvent(event);
}

void TImportOlder::SelectButtonClick()
{
    const QString chosen = OpenDialog1(ProgramDirectory());
    if (!chosen.isEmpty())
        file_ = chosen;
    CheckSource();
}

void TImportOlder::CheckSource()
{
    Source.Close();
    if (!file_.isEmpty() && IsSameFile(file_, book_.FilePath())) {
        DropSource();
        ShowInformation(QStringLiteral("Cannot import a file to itself"));
    }
    if (file_.isEmpty()) {
        SetStatus(QString());
        return;
    }
    ImportButton->setEnabled(true);
    FileName->setText(file_);
    QCoreApplication::processEvents();
    const QString path = file_;
    const QString refusal = RefuseSource(path, Source, SourceApollo, true);
    if (refusal.isEmpty()) {
        SetStatus(QString());
        return;
    }
    ShowInformation(refusal);
    DropSource();
}

void TImportOlder::DropSource()
{
    file_.clear();
    FileName->setText(QStringLiteral("(none)"));
    ImportButton->setEnabled(false);
}

void TImportOlder::ImportButtonClick()
{
    // Only an accepted file is open: without one there is nothing to import or rebuild.
    if (!Source.Active())
        return;
    TableImportSource source(Source, SourceApollo.RecCount(), OlderFilePairs(Source, book_), DbfCodePage(file_));
    Import(ImportKind::OlderFile, file_, source, book_, bookApollo_,
           [](const ImportOutcome& outcome) { return ImportOutcomeMessage(outcome, QStringLiteral("record")); });
    Source.Close();
}
