#include "exchange/tvcardimport.h"

#include "exchange/vcardmapping.h"
#include "exchange/vcardreader.h"
#include "exchange/vcardsource.h"
#include "platform/messages.h"
#include "platform/programdirectory.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

TVCardImport::TVCardImport(QWidget* parent)
    : ImportDialog(QStringLiteral("vCard File Import"), HelpContext, "VCardFileNameLabel",
                   QStringLiteral("vCard File Name"), "VCardFileName", QStringLiteral("Select vCard File"), parent)
{
    setObjectName(QStringLiteral("VCardImport"));
    // Every card maps to the record's fields the same way: there is nothing to match.
    MatchButton->hide();
    connect(SelectButton, &QPushButton::clicked, this, &TVCardImport::SelectButtonClick);
    connect(ImportButton, &QPushButton::clicked, this, &TVCardImport::ImportButtonClick);
    OpenDialog1 = [this](const QString& startFolder) {
        return QFileDialog::getOpenFileName(this, QStringLiteral("Open"), startFolder,
                                            QStringLiteral("vCard files (*.vcf *.VCF *.vcard);;All files (*)"));
    };
}

void TVCardImport::Clear()
{
    data_.clear();
    cards_ = 0;
    FileName->setText(QStringLiteral("(none)"));
    ImportButton->setEnabled(false);
}

void TVCardImport::SelectButtonClick()
{
    const QString chosen = OpenDialog1(ProgramDirectory());
    if (chosen.isEmpty())
        return;
    Clear();
    QFile file(chosen);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowInformation(QStringLiteral("Unable to open the file ") + chosen + QStringLiteral("\r\n\r\n") +
                        file.errorString());
        return;
    }
    QByteArray data = file.readAll();
    const CountedVCards counted = CountVCards(data);
    if (!counted.error.isEmpty()) {
        ShowInformation(QStringLiteral("Unable to import from ") + QFileInfo(chosen).fileName() +
                        QStringLiteral(":\r\n\r\n") + counted.error);
        return;
    }
    data_ = std::move(data);
    cards_ = counted.cards;
    FileName->setText(chosen);
    ImportButton->setEnabled(true);
    const QString count =
        cards_ == 1 ? QStringLiteral("1 contact") : QString::number(cards_) + QStringLiteral(" contacts");
    if (AskYesNo(count + QStringLiteral(" in ") + QFileInfo(chosen).fileName() + QStringLiteral(". Import them?"),
                 windowTitle()))
        ImportButtonClick();
}

void TVCardImport::ImportButtonClick()
{
    VCardImportSource source(data_, Destination, cards_);
    Import(ImportKind::VCard, FileName->text(), source, Destination, DestinationApollo,
           [&source](const ImportOutcome& outcome) {
               const QString skipped = DescribeSkipped(source.Skipped());
               const QString note = skipped.isEmpty() ? QString()
                                                      : QStringLiteral("\r\n\r\nSkipped, having no place in the "
                                                                       "address file: ") +
                                                            skipped + QStringLiteral(".");
               return ImportOutcomeMessage(outcome, QStringLiteral("line"), note);
           });
}
