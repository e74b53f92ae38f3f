#include "app/bkpref.h"

#include "app/dialogbuttons.h"
#include "app/preferencekeys.h"
#include "app/whatsthistexts.h"
#include "platform/help.h"
#include "platform/settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The skip check boxes in the order the dialog shows them, with the one control whose
// name differs from its key.
struct SkipControl {
    const char* key;
    const char* objectName;
};
constexpr SkipControl kSkipControls[] = {
    {"SkipLastName", "SkipLastName"},
    {"SkipfirstName", "SkipfirstName"},
    {"SkipMiddleInitial", "SkipMiddleInitial"},
    {"SkipPrefix", "SkipPrefix"},
    {"SkipOrganization", "SkipOrganization"},
    {"Skiptitle", "Skiptitle"},
    {"SkipAddress2", "SkipAddress2"},
    {"SkipState", "skipState"},
    {"SkipZip", "SkipZip"},
    {"SkipCountry", "SkipCountry"},
    {"SkipPhone1", "SkipPhone1"},
    {"SkipPhone2", "SkipPhone2"},
    {"SkipFax", "SkipFax"},
    {"SkipEmail", "SkipEmail"},
    {"SkipCodes", "SkipCodes"},
    {"SkipDate", "SkipDate"},
    {"SkipComments1", "SkipComments1"},
    {"SkipWebPage", "SkipWebPage"},
};

const PreferenceFlag& skipFlag(const char* key)
{
    for (const PreferenceFlag& f : SkipFlags())
        if (qstrcmp(f.key, key) == 0)
            return f;
    Q_UNREACHABLE();
}

// Lays out check boxes in columns of the given height.
void placeInColumns(QGridLayout* grid, const QList<QCheckBox*>& boxes, int rows)
{
    for (int i = 0; i < boxes.size(); ++i)
        grid->addWidget(boxes[i], i % rows, i / rows);
}

} // namespace

TPreferences::TPreferences(QWidget* parent)
    : QDialog(parent), read_(ReadAddingPreferences()), readAggressiveSave_(ReadAggressiveSave())
{
    setObjectName(QStringLiteral("Preferences"));
    setWindowTitle(QStringLiteral("Preferences"));
    SetHelpContext(this, HelpContext);

    auto* adding = new QGroupBox(QStringLiteral(" When adding new records"), this);
    auto* addingLayout = new QVBoxLayout(adding);
    for (const PreferenceFlag& f : AssistFlags())
        addingLayout->addWidget(AddCheck(adding, f, f.key));
    DefCountry = new QLineEdit(read_.DefaultCountry, adding);
    DefCountry->setObjectName(QStringLiteral("DefCountry"));
    DefCountry->setMaxLength(30);
    auto* countryLabel = new QLabel(QStringLiteral("Default Country Name"), adding);
    countryLabel->setBuddy(DefCountry);
    addingLayout->addWidget(countryLabel);
    addingLayout->addWidget(DefCountry);

    auto* carry = new QGroupBox(QStringLiteral("Carry forward the following fields:"), this);
    auto* carryGrid = new QGridLayout(carry);
    QList<QCheckBox*> carryBoxes;
    for (const PreferenceFlag& f : CarryFlags())
        carryBoxes.append(AddCheck(carry, f, f.key));
    placeInColumns(carryGrid, carryBoxes, 4);

    auto* skip = new QGroupBox(QStringLiteral("Skip through the following fields:"), this);
    auto* skipGrid = new QGridLayout(skip);
    QList<QCheckBox*> skipBoxes;
    for (const SkipControl& c : kSkipControls)
        skipBoxes.append(AddCheck(skip, skipFlag(c.key), c.objectName));
    placeInColumns(skipGrid, skipBoxes, 6);

    auto* saving = new QGroupBox(QStringLiteral("Aggressive Saving Level"), this);
    auto* savingLayout = new QVBoxLayout(saving);
    AggressiveSave = new QComboBox(saving);
    AggressiveSave->setObjectName(QStringLiteral("AggressiveSave"));
    AggressiveSave->addItems(
        {QStringLiteral("None"), QStringLiteral("Normal - Every 5 Saves"), QStringLiteral("High - Every Save")});
    AggressiveSave->setCurrentIndex(
        readAggressiveSave_ >= 0 && readAggressiveSave_ < AggressiveSave->count() ? readAggressiveSave_ : -1);
    savingLayout->addWidget(AggressiveSave);

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = AddNamedButton(buttons, QStringLiteral("Ok"), QDialogButtonBox::AcceptRole, "OkButton");
    auto* cancel = AddNamedButton(buttons, QStringLiteral("Cancel"), QDialogButtonBox::RejectRole, "CancelButton");
    auto* help = AddNamedButton(buttons, QStringLiteral("Help"), QDialogButtonBox::HelpRole, "HelpButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TPreferences::OkButtonClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, &TPreferences::HelpButtonClick);

    auto* grid = new QGridLayout(this);
    grid->addWidget(adding, 0, 0);
    grid->addWidget(carry, 0, 1);
    grid->addWidget(skip, 1, 0, 1, 2);
    grid->addWidget(saving, 2, 0);
    grid->addWidget(buttons, 2, 1, Qt::AlignBottom);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    ExplainPreferences(this);
}

QCheckBox* TPreferences::AddCheck(QWidget* group, const PreferenceFlag& flag, const char* objectName)
{
    auto* box = new QCheckBox(QString::fromLatin1(flag.caption), group);
    box->setObjectName(QString::fromLatin1(objectName));
    box->setChecked(read_.*flag.member);
    checks_.insert(QString::fromLatin1(flag.key), box);
    return box;
}

void TPreferences::OkButtonClick()
{
    AddingPreferences chosen = read_;
    for (const auto* flags : {&AssistFlags(), &CarryFlags(), &SkipFlags()})
        for (const PreferenceFlag& f : *flags)
            if (QCheckBox* box = checks_.value(QString::fromLatin1(f.key)))
                chosen.*f.member = box->isChecked();
    chosen.DefaultCountry = DefCountry->text();
    // A stored level outside the list selects nothing; it then goes back as it was.
    const int level = AggressiveSave->currentIndex() >= 0 ? AggressiveSave->currentIndex() : readAggressiveSave_;
    WriteSettingsBatch([&] { WritePreferences(chosen, level); });
    accept();
}

void TPreferences::HelpButtonClick()
{
    ShowHelpTopic(HelpContext);
}
