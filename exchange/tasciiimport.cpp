#include "exchange/tasciiimport.h"

#include "exchange/importtargets.h"
#include "exchange/tasciimatch.h"
#include "platform/messages.h"
#include "platform/placement.h"
#include "platform/programdirectory.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TAsciiImport::TAsciiImport(QWidget* parent)
    : ImportDialog(QStringLiteral("ASCII File Import"), HelpContext, "AsciiFileNameLabel",
                   QStringLiteral("ASCII File Name"), "AsciiFileName", QStringLiteral("Select ASCII File"), parent)
{
    setObjectName(QStringLiteral("AsciiImport"));
    targets_ = ImportTargets(Destination);

    FirstLineNames = new QCheckBox(QStringLiteral("First line holds column names"));
    FirstLineNames->setObjectName(QStringLiteral("FirstLineNames"));
    FirstLineNames->hide();
    FirstLineNames->setWhatsThis(QStringLiteral("Ticked, the first line names the columns and is not imported; "
                                                "columns whose names name a field are matched to it for you to "
                                                "confirm."));
    Body()->addWidget(FirstLineNames);

    connect(SelectButton, &QPushButton::clicked, this, &TAsciiImport::SelectButtonClick);
    connect(MatchButton, &QPushButton::clicked, this, &TAsciiImport::MatchButtonClick);
    connect(ImportButton, &QPushButton::clicked, this, &TAsciiImport::ImportButtonClick);
    connect(FirstLineNames, &QCheckBox::clicked, this, &TAsciiImport::FirstLineNamesClick);
    OpenDialog1 = [this](const QString& startFolder) {
        return QFileDialog::getOpenFileName(this, QStringLiteral("Open"), startFolder,
                                            QStringLiteral("Text files, CSV Files (*.TXT *.txt *.CSV *.csv);;"
                                                           "All files (*)"));
    };
    ShowMatch = [](TAsciiMatch& dialog) { return dialog.exec(); };
}

void TAsciiImport::ClearScan()
{
    scan_ = AsciiScan();
    MatchButton->setEnabled(false);
    ImportButton->setEnabled(false);
    FirstLineNames->hide();
}

void TAsciiImport::SelectButtonClick()
{
    const QString chosen = OpenDialog1(ProgramDirectory());
    if (!chosen.isEmpty())
        file_ = chosen;
    ScanFile();
}

void TAsciiImport::ScanFile()
{
    ClearScan();
    if (file_.isEmpty()) {
        FileName->setText(QStringLiteral("(none)"));
        return;
    }
    FileName->setText(file_);
    QCoreApplication::processEvents();
    if (text_.Load(file_) && ScanAsciiText(text_, targets_, scan_)) {
        MatchButton->setEnabled(true);
        FirstLineNames->setChecked(scan_.useHeader);
        FirstLineNames->show();
    } else {
        ShowInformation(QStringLiteral("Unable to import from this file"));
    }
    SetStatus(QString());
}

void TAsciiImport::FirstLineNamesClick()
{
    scan_.useHeader = FirstLineNames->isChecked();
    NameColumns(scan_, targets_);
    ImportButton->setEnabled(false);
}

void TAsciiImport::MatchButtonClick()
{
    TAsciiMatch dialog(scan_, targets_, QFileInfo(file_).fileName(), this);
    CenterDialog(&dialog);
    if (ShowMatch(dialog) != QDialog::Accepted)
        return;
    scan_.columns = dialog.MatchedColumns();
    const bool any = std::any_of(scan_.columns.begin(), scan_.columns.end(),
                                 [](const AsciiColumn& column) { return !column.matched.isEmpty(); });
    ImportButton->setEnabled(any);
}

void TAsciiImport::ImportButtonClick()
{
    const auto describe = [](const ImportOutcome& outcome) {
        return ImportOutcomeMessage(outcome, QStringLiteral("line"));
    };
    SetStatus(QStringLiteral("Counting total lines"));
    if (!text_.Load(file_)) {
        Report(describe(UnreadableSource(ImportKind::Text, file_, text_.Error())));
        return;
    }
    AsciiImportSource source(text_, ColumnFields(scan_.columns, targets_), scan_.useHeader);
    Import(ImportKind::Text, file_, source, Destination, DestinationApollo, describe);
}
