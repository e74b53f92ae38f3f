#include "addressfile/tnewdatabasename.h"

#include "addressfile/fieldlengths.h"
#include "addressfile/tspecifyfieldlengths.h"
#include "platform/help.h"
#include "platform/placement.h"
#include "platform/whatsthis.h"

#include <QCheckBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

constexpr int kHelpTopic = 1037;
constexpr int kMaxNameLength = 8;

bool IsAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}

} // namespace

bool IsValidDatabaseName(const QString& name)
{
    if (name.isEmpty() || !(IsAsciiLetter(name[0]) || name[0] == QLatin1Char('_')))
        return false;
    for (QChar c : name)
        if (!IsAsciiLetter(c) && !(c >= QLatin1Char('0') && c <= QLatin1Char('9')) && c != QLatin1Char('_'))
            return false;
    return true;
}

QString ProposeDatabaseName(const QString& dataDirectory)
{
    // One listing, upper-cased: names that differ only in letter case count as taken.
    QSet<QString> taken;
    for (const QString& name : QDir(dataDirectory).entryList(QDir::Files | QDir::Hidden | QDir::System))
        taken.insert(name.toUpper());
    for (int i = 1; i <= 9999; ++i) {
        const QString candidate = QStringLiteral("ADD") + QString::number(i + 10000).right(4);
        if (!taken.contains(candidate + QStringLiteral(".DBF")))
            return candidate;
    }
    return QStringLiteral("ADD0001");
}

TNewDataBaseName::TNewDataBaseName(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("NewDataBaseName"));
    setWindowTitle(QStringLiteral("Create new database"));
    LoadFieldLengths();

    auto* prompt = new QLabel(QStringLiteral("Enter the database name (no extension)"));
    DBFFileName = new QLineEdit;
    DBFFileName->setObjectName(QStringLiteral("DBFFileName"));
    DBFFileName->setMaxLength(kMaxNameLength);
    prompt->setBuddy(DBFFileName);
    InvalidNameLabel =
        new QLabel(QStringLiteral("Invalid name. Must start with A..Z, followed by A..Z,0..9 or \"_\" (underscore)"));
    InvalidNameLabel->setObjectName(QStringLiteral("InvalidNameLabel"));
    InvalidNameLabel->setWordWrap(true);
    InvalidNameLabel->hide();

    OKButton = new QPushButton(QStringLiteral("Ok [PgDn]"));
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    OKButton->setEnabled(false);
    auto* help = new QPushButton(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("HelpButton"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    cancel->setObjectName(QStringLiteral("CancelButton"));
    SpecifyFieldLengthsButton = new QPushButton(QStringLiteral("Specify Field Lengths"));
    SpecifyFieldLengthsButton->setObjectName(QStringLiteral("SpecifyFieldLengthsButton"));
    for (QPushButton* button : {help, cancel, SpecifyFieldLengthsButton})
        button->setAutoDefault(false);

    connect(DBFFileName, &QLineEdit::textChanged, this, &TNewDataBaseName::DBFFileNameChange);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(help, &QPushButton::clicked, this, [] { ShowHelpTopic(kHelpTopic); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(SpecifyFieldLengthsButton, &QPushButton::clicked, this, &TNewDataBaseName::SpecifyFieldLengthsButtonClick);
    // The button's caption promises Page Down.
    connect(new QShortcut(QKeySequence(Qt::Key_PageDown), this), &QShortcut::activated, OKButton,
            &QPushButton::animateClick);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {OKButton, help, cancel, SpecifyFieldLengthsButton})
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(DBFFileName);
    layout->addWidget(InvalidNameLabel);
    layout->addLayout(buttons);
    SetHelpContext(this, kHelpTopic);
    SetWhatsThis(this, {
                           {"DBFFileName",
                            "The new address file's name: up to 8 letters, digits or underscores, starting with a "
                            "letter. It is created in the DATA folder."},
                           {"OKButton", "Creates the address file and opens it."},
                           {"HelpButton", "Explains naming address files."},
                           {"CancelButton", "Creates nothing."},
                           {"SpecifyFieldLengthsButton", "Sets how many characters each field of the new file holds."},
                       });
}

void TNewDataBaseName::DBFFileNameChange()
{
    const bool valid = IsValidDatabaseName(DBFFileName->text());
    OKButton->setEnabled(valid);
    InvalidNameLabel->setVisible(!valid);
}

void TNewDataBaseName::SpecifyFieldLengthsButtonClick()
{
    TSpecifyFieldLengths dialog(this);
    CenterDialog(&dialog);
    if (dialog.exec() == QDialog::Accepted && dialog.UseTheseSettings->isChecked())
        SaveFieldLengths();
}
