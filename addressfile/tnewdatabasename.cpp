#include "addressfile/tnewdatabasename.h"

#include "addressfile/fieldlengths.h"
#include "addressfile/tspecifyfieldlengths.h"
#include "platform/help.h"
#include "platform/placement.h"
#include "platform/roomynote.h"
#include "platform/whatsthis.h"

#include <QCheckBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kHelpTopic = 1037;
constexpr int kMaxNameLength = 64;

bool IsNameCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'-' || c == u' ';
}

} // namespace

bool IsValidDatabaseName(const QString& name)
{
    // A blank at either end would be invisible in every list of files.
    if (name.isEmpty() || name.size() > kMaxNameLength || name.front() == u' ' || name.back() == u' ')
        return false;
    return std::all_of(name.begin(), name.end(), IsNameCharacter);
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
    prompt->setBuddy(DBFFileName);
    InvalidNameLabel =
        RoomyNote("InvalidNameLabel", QStringLiteral("Invalid name. Use up to %1 letters, digits, spaces, "
                                                     "\"_\" (underscore) or \"-\" (hyphen), not "
                                                     "beginning or ending with a space.")
                                          .arg(kMaxNameLength));

    OKButton = new QPushButton(QStringLiteral("Ok"));
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

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {OKButton, help, cancel, SpecifyFieldLengthsButton})
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(DBFFileName);
    layout->addWidget(InvalidNameLabel);
    layout->addLayout(buttons);
    SetHelpContext(this, kHelpTopic);
    SetWhatsThis(this,
                 {
                     {"DBFFileName", "The new address file's name: up to 64 letters, digits, spaces, underscores or "
                                     "hyphens. It is created in the DATA folder."},
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
