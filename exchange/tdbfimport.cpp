#include "exchange/tdbfimport.h"

#include "exchange/dbfmatching.h"
#include "exchange/tablesource.h"
#include "exchange/tdbfmatch.h"
#include "platform/messages.h"
#include "platform/placement.h"
#include "platform/programdirectory.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

TDBFImport::TDBFImport(QWidget* parent)
    : ImportDialog(QStringLiteral("DBF File Import"), HelpContext, "Label1", QStringLiteral("DBF File Name"),
                   "DBFFileName", QStringLiteral("Select DBF File"), parent)
{
    setObjectName(QStringLiteral("DBFImport"));

    connect(SelectButton, &QPushButton::clicked, this, &TDBFImport::SelectButtonClick);
    connect(MatchButton, &QPushButton::clicked, this, &TDBFImport::MatchButtonClick);
    connect(ImportButton, &QPushButton::clicked, this, &TDBFImport::ImportButtonClick);
    OpenDialog1 = [this](const QString& startFolder) {
        return QFileDialog::getOpenFileName(this, QStringLiteral("Open"), startFolder,
                                            QStringLiteral("DBF Files (*.DBF *.dbf *.Dbf)"));
    };
    ShowMatch = [](TDBFMatch& dialog) { return dialog.exec(); };
}

void TDBFImport::SelectButtonClick()
{
    const QString chosen = OpenDialog1(ProgramDirectory());
    if (!chosen.isEmpty())
        file_ = chosen;
    OpenSource();
}

void TDBFImport::OpenSource()
{
    Source.Close();
    MatchButton->setEnabled(false);
    ImportButton->setEnabled(false);
    matched_ = false;
    assignment_.clear();
    if (file_.isEmpty()) {
        FileName->setText(QStringLiteral("(none)"));
        return;
    }
    FileName->setText(file_);
    QCoreApplication::processEvents();
    const QString path = file_;
    const QString refusal = RefuseSource(path, Source, SourceApollo, false);
    if (!refusal.isEmpty()) {
        ShowInformation(refusal);
        file_.clear();
        FileName->setText(QStringLiteral("(none)"));
    } else {
        MatchButton->setEnabled(true);
    }
    SetStatus(QString());
}

void TDBFImport::MatchButtonClick()
{
    if (!matched_)
        assignment_ = AutoAssign(Source, Destination);
    TDBFMatch dialog(Source, SourceData, Destination, assignment_, QFileInfo(file_).fileName(), this);
    CenterDialog(&dialog);
    if (ShowMatch(dialog) != QDialog::Accepted) {
        // The next Match Fields starts over from the automatic assignment.
        matched_ = false;
        ImportButton->setEnabled(false);
        return;
    }
    matched_ = true;
    assignment_ = dialog.Assignment();
    ImportButton->setEnabled(!AssignedPairs(Source, Destination, assignment_).empty());
}

void TDBFImport::ImportButtonClick()
{
    TableImportSource source(Source, SourceApollo.RecCount(), AssignedPairs(Source, Destination, assignment_),
                             DbfCodePage(file_));
    Import(ImportKind::Dbf, file_, source, Destination, DestinationApollo,
           [](const ImportOutcome& outcome) { return ImportOutcomeMessage(outcome, QStringLiteral("record")); });
    Source.Close();
}
