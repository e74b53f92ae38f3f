#include "exchange/importdialog.h"

#include "exchange/knowncontacts.h"
#include "exchange/namedbutton.h"
#include "platform/busy.h"
#include "platform/help.h"
#include "platform/messages.h"
#include "platform/whatsthis.h"
#include "table/tableerror.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

ImportDialog::ImportDialog(const QString& caption, int helpTopic, const char* fileLabelName, const QString& fileLabel,
                           const char* fileNameName, const QString& selectCaption, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(caption);
    FileNameLabel = new QLabel(fileLabel);
    FileNameLabel->setObjectName(QString::fromLatin1(fileLabelName));
    FileName = new QLabel(QStringLiteral("(none)"));
    FileName->setObjectName(QString::fromLatin1(fileNameName));
    FileName->setTextInteractionFlags(Qt::TextSelectableByMouse);
    SelectButton = NamedButton(selectCaption, "SelectButton");
    MatchButton = NamedButton(QStringLiteral("Match Fields"), "MatchButton");
    MatchButton->setEnabled(false);
    ImportButton = NamedButton(QStringLiteral("Import"), "ImportButton");
    ImportButton->setEnabled(false);
    Cancelbutton = NamedButton(QStringLiteral("Cancel"), "Cancelbutton");
    Helpbutton = NamedButton(QStringLiteral("Help"), "Helpbutton");
    StatusLabel = new QLabel;
    StatusLabel->setObjectName(QStringLiteral("StatusLabel"));
    Gauge1 = new QProgressBar;
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setRange(0, 100);
    Gauge1->setValue(0);
    Gauge1->hide();
    SkipKnownBox = new QCheckBox(QStringLiteral("Skip contacts already in the file"));
    SkipKnownBox->setObjectName(QStringLiteral("SkipKnownBox"));
    SkipLevelBox = new QComboBox;
    SkipLevelBox->setObjectName(QStringLiteral("SkipLevelBox"));
    for (const MatchLevel level : {MatchLevel::Exact, MatchLevel::Likely, MatchLevel::Possible})
        SkipLevelBox->addItem(LevelName(level));
    SkipLevelBox->setCurrentIndex(static_cast<int>(MatchLevel::Likely));
    SkipLevelBox->setEnabled(false);
    connect(SkipKnownBox, &QCheckBox::toggled, SkipLevelBox, &QWidget::setEnabled);

    connect(Cancelbutton, &QPushButton::clicked, this, &ImportDialog::CancelbuttonClick);
    connect(Helpbutton, &QPushButton::clicked, this, [helpTopic] { ShowHelpTopic(helpTopic); });

    auto* fileLine = new QHBoxLayout;
    fileLine->addWidget(FileNameLabel);
    fileLine->addWidget(FileName, 1);
    buttonPanel_ = new QWidget;
    auto* buttons = new QHBoxLayout(buttonPanel_);
    buttons->setContentsMargins(0, 0, 0, 0);
    for (QPushButton* button : {SelectButton, MatchButton, ImportButton})
        buttons->addWidget(button);
    auto* lower = new QHBoxLayout;
    lower->addWidget(buttonPanel_);
    lower->addStretch();
    lower->addWidget(Cancelbutton);
    lower->addWidget(Helpbutton);
    body_ = new QVBoxLayout;
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fileLine);
    layout->addLayout(body_);
    auto* skipLine = new QHBoxLayout;
    skipLine->addWidget(SkipKnownBox);
    skipLine->addWidget(SkipLevelBox);
    skipLine->addStretch();
    layout->addLayout(skipLine);
    layout->addWidget(StatusLabel);
    layout->addWidget(Gauge1);
    layout->addLayout(lower);
    setMinimumWidth(520);
    SetHelpContext(this, helpTopic);
    SetWhatsThis(this,
                 {
                     {"AsciiFileName", "The text file whose lines become new records."},
                     {"DBFFileName", "The table whose records become new records."},
                     {"SelectButton", "Chooses the file to import from."},
                     {"MatchButton", "Chooses which field each column or source field fills."},
                     {"ImportButton", "Adds the file's records to the open address file, then rebuilds its indexes."},
                     {"Cancelbutton", "Closes without importing; while importing, stops after the current record."},
                     {"Helpbutton", "Explains importing."},
                     {"SkipKnownBox", "Leaves out the records that match a contact the address file already holds; "
                                      "the closing message says which."},
                     {"SkipLevelBox", "How closely a record must match a contact of the address file to be left out."},
                 });

    OpenDialog1 = [this](const QString& startFolder) {
        return QFileDialog::getOpenFileName(this, windowTitle(), startFolder);
    };
}

ImportDialog::~ImportDialog() = default;

void ImportDialog::SetStatus(const QString& text)
{
    StatusLabel->setText(text);
}

void ImportDialog::ShowButtons(bool visible)
{
    buttonPanel_->setVisible(visible);
    Helpbutton->setVisible(visible);
}

void ImportDialog::CancelbuttonClick()
{
    if (reindexing_)
        return;
    if (importing_) {
        stopRequested_ = true;
        return;
    }
    reject();
}

void ImportDialog::reject()
{
    // Escape and the window's close box end the dialog only while nothing runs.
    if (importing_)
        CancelbuttonClick();
    else
        QDialog::reject();
}

void ImportDialog::Import(ImportKind kind, const QString& path, ImportSource& source, TTable& table, TApollo& apollo,
                          const std::function<QString(const ImportOutcome&)>& describe)
{
    importing_ = true;
    stopRequested_ = false;
    ShowButtons(false);
    Gauge1->setValue(0);
    Gauge1->show();
    StatusLabel->show();
    std::unique_ptr<SkipKnownSource> skipping;
    if (SkipKnownBox->isChecked()) {
        SetStatus(QStringLiteral("Reading the address file's contacts"));
        try {
            skipping = std::make_unique<SkipKnownSource>(source, KnownContacts(table, apollo),
                                                         static_cast<MatchLevel>(SkipLevelBox->currentIndex()));
        } catch (const TableError& error) {
            importing_ = false;
            ShowButtons(true);
            Report(DestinationFailureMessage(kind, error.Message()));
            return;
        }
    }
    ImportOutcome outcome = RunImport(kind, path, skipping ? *skipping : source, table, apollo, *this);
    if (skipping)
        outcome.known = skipping->Skipped();
    Gauge1->hide();
    importing_ = false;
    ShowButtons(true);
    Report(describe(outcome));
}

void ImportDialog::Report(const QString& message)
{
    ShowInformation(message);
    accept();
}

void ImportDialog::Stage(const QString& status, bool stoppable)
{
    SetStatus(status);
    Gauge1->setValue(0);
    Cancelbutton->setVisible(stoppable);
    reindexing_ = !stoppable;
    if (stoppable)
        busy_.reset();
    else if (!busy_)
        busy_ = std::make_unique<BusyCursor>();
}

void ImportDialog::Gauge(int percent)
{
    Gauge1->setValue(percent);
}

void ImportDialog::Breathe()
{
    // While the index is half built, paint but take no input.
    QCoreApplication::processEvents(reindexing_ ? QEventLoop::ExcludeUserInputEvents : QEventLoop::AllEvents);
}
