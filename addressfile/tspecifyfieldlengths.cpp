#include "addressfile/tspecifyfieldlengths.h"

#include "addressfile/addresslayout.h"
#include "addressfile/fieldlengths.h"
#include "platform/buddylabel.h"
#include "platform/help.h"
#include "platform/whatsthis.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kHelpTopic = 2097;

struct EditDef {
    QString objectName;
    QString field;
    QString label;
};

// The edits in the order they stand in the dialog, two columns.
std::vector<EditDef> DialogEdits()
{
    std::vector<EditDef> edits;
    for (const addresslayout::FieldSpec* f : addresslayout::ChosenFields(&addresslayout::FieldSpec::lengthsCell)) {
        const QString field = QString::fromLatin1(f->name);
        edits.push_back({field.toLower(), field, QString::fromLatin1(f->lengthsLabel)});
    }
    return edits;
}

QPushButton* AddButton(QHBoxLayout* row, const QString& name, const QString& caption)
{
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    button->setAutoDefault(false);
    row->addWidget(button);
    return button;
}

} // namespace

std::optional<int> ParseDialogWidth(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < kMinDialogWidth || value > kMaxWidth)
        return std::nullopt;
    return value;
}

TSpecifyFieldLengths::TSpecifyFieldLengths(QWidget* parent) : QDialog(parent), original_(CurrentNewFileWidths())
{
    setObjectName(QStringLiteral("SpecifyFieldLengths"));
    setWindowTitle(QStringLiteral("Specify Field Lengths"));

    auto* grid = new QGridLayout;
    int i = 0;
    for (const EditDef& def : DialogEdits()) {
        auto* edit = new QLineEdit;
        edit->setObjectName(def.objectName);
        edit->setMaxLength(2);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 12);
        auto* label = new QLabel(def.label);
        label->setBuddy(edit);
        edit->setWhatsThis(QStringLiteral("How many characters the %1 field of new address files holds, "
                                          "from 10 to 80.")
                               .arg(label->text()));
        grid->addWidget(label, i / 2, (i % 2) * 2);
        grid->addWidget(edit, i / 2, (i % 2) * 2 + 1);
        edits_.insert(def.field, edit);
        connect(edit, &QLineEdit::editingFinished, this, [this, edit] { CheckEdit(edit); });
        ++i;
    }

    auto* note =
        new QLabel(QStringLiteral("NOTE: Minimum size = 10 characters                  Maximum size = 80 characters"));
    WidthNote = new QLabel;
    WidthNote->setObjectName(QStringLiteral("WidthNote"));
    WidthNote->setWordWrap(true);
    WidthNote->hide();
    UseTheseSettings = new QCheckBox(QStringLiteral("Use these settings for all new databases"));
    UseTheseSettings->setObjectName(QStringLiteral("UseTheseSettings"));

    auto* buttons = new QHBoxLayout;
    QPushButton* ok = AddButton(buttons, QStringLiteral("OkButton"), QStringLiteral("Ok"));
    ok->setDefault(true);
    QPushButton* help = AddButton(buttons, QStringLiteral("HelpButton"), QStringLiteral("Help"));
    QPushButton* cancel = AddButton(buttons, QStringLiteral("CancelButton"), QStringLiteral("Cancel"));
    QPushButton* defaults = AddButton(buttons, QStringLiteral("DefaultsButton"), QStringLiteral("Defaults"));
    connect(ok, &QPushButton::clicked, this, &TSpecifyFieldLengths::OkButtonClick);
    connect(help, &QPushButton::clicked, this, [] { ShowHelpTopic(kHelpTopic); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(defaults, &QPushButton::clicked, this, &TSpecifyFieldLengths::DefaultsButtonClick);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(note);
    layout->addWidget(WidthNote);
    layout->addWidget(UseTheseSettings);
    layout->addLayout(buttons);
    SetHelpContext(this, kHelpTopic);
    SetWhatsThis(
        this, {
                  {"UseTheseSettings", "Keeps these lengths for every address file you create from now on; otherwise "
                                       "they apply to this one only."},
                  {"OkButton", "Uses these lengths for the new address file."},
                  {"HelpButton", "Explains field lengths."},
                  {"CancelButton", "Goes back without changing the lengths."},
                  {"DefaultsButton", "Puts back the lengths the program starts with."},
              });
    ShowWidths();
}

void TSpecifyFieldLengths::ShowWidths()
{
    const NewFileWidths& widths = CurrentNewFileWidths();
    for (auto it = edits_.cbegin(); it != edits_.cend(); ++it) {
        const int width = widths.Width(it.key());
        it.value()->setText(QString::number(width));
        remembered_[it.value()] = width;
    }
}

// A text that is no width the dialog accepts gives way to the last good one, and the
// note under the fields says why.
void TSpecifyFieldLengths::CheckEdit(QLineEdit* edit)
{
    if (const auto width = ParseDialogWidth(edit->text())) {
        remembered_[edit] = *width;
        return;
    }
    const QLabel* label = BuddyLabelOf(this, edit);
    const QString field = label ? label->text().remove(QLatin1Char('&')) : edit->objectName();
    const QString kept = QString::number(remembered_.value(edit));
    WidthNote->setText(QStringLiteral("%1 cannot be %2 characters wide: a width is a whole number from %3 to %4. "
                                      "It stays %5.")
                           .arg(field, edit->text().trimmed().isEmpty() ? QStringLiteral("0") : edit->text().trimmed())
                           .arg(kMinDialogWidth)
                           .arg(kMaxWidth)
                           .arg(kept));
    WidthNote->show();
    edit->setText(kept);
}

void TSpecifyFieldLengths::OkButtonClick()
{
    NewFileWidths& widths = CurrentNewFileWidths();
    for (auto it = edits_.cbegin(); it != edits_.cend(); ++it) {
        CheckEdit(it.value());
        bool isNumber = false;
        const int width = it.value()->text().toInt(&isNumber);
        if (isNumber)
            widths.SetWidth(it.key(), width);
    }
    accept();
}

void TSpecifyFieldLengths::DefaultsButtonClick()
{
    CurrentNewFileWidths().SetDialogDefaults();
    ShowWidths();
}

void TSpecifyFieldLengths::reject()
{
    CurrentNewFileWidths() = original_;
    QDialog::reject();
}
