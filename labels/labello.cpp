#include "labels/labello.h"

#include "labels/bklnew.h"
#include "labels/bklsel.h"
#include "labels/dialogrow.h"
#include "labels/tzintlabelfile.h"
#include "platform/help.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int kHelpTopic = 1049;

} // namespace

TChooseLabelLayout::TChooseLabelLayout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ChooseLabelLayout"));
    setWindowTitle(QStringLiteral("Label Layout"));
    TemplateRadio = new QRadioButton(QStringLiteral("&Select layout from a list of templates"));
    TemplateRadio->setObjectName(QStringLiteral("TemplateRadio"));
    TemplateRadio->setChecked(true);
    ManualRadio = new QRadioButton(QStringLiteral("&Enter the layout values manually (user defined layout)"));
    ManualRadio->setObjectName(QStringLiteral("ManualRadio"));

    auto* buttons = new QHBoxLayout;
    connect(DialogButton(buttons, "OkButton", QStringLiteral("Ok"), true), &QPushButton::clicked, this,
            &QDialog::accept);
    connect(DialogButton(buttons, "CancelButton", QStringLiteral("Cancel")), &QPushButton::clicked, this,
            &QDialog::reject);
    connect(DialogButton(buttons, "HelpButton", QStringLiteral("Help")), &QPushButton::clicked, this,
            [] { ShowHelpTopic(kHelpTopic); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(TemplateRadio);
    layout->addWidget(ManualRadio);
    layout->addLayout(buttons);
    SetHelpContext(this, kHelpTopic);
}

bool TChooseLabelLayout::Manual() const
{
    return ManualRadio->isChecked();
}

bool ChangeLabelLayout(TZintLabelFile& setup, const QString& catalogPath, QWidget* parent)
{
    TChooseLabelLayout choice(parent);
    if (choice.exec() != QDialog::Accepted)
        return false;
    if (choice.Manual()) {
        TLabelEdit edit(setup, parent);
        if (edit.exec() != QDialog::Accepted)
            return false;
        TakeUserDefinedLayout(setup, edit.Values());
        return true;
    }
    TSelectLabel picker(setup, catalogPath, parent);
    if (picker.exec() != QDialog::Accepted)
        return false;
    setup.Assign(picker.Setup());
    return true;
}
