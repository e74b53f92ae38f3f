#include "report/tcopytoclipboard.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QCheckBox* box(QWidget* parent, QLayout* layout, const char* objectName, const QString& caption)
{
    auto* check = new QCheckBox(caption, parent);
    check->setObjectName(QString::fromLatin1(objectName));
    check->setChecked(true);
    layout->addWidget(check);
    return check;
}

} // namespace

TCopyToClipBoard::TCopyToClipBoard(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TCopyToClipBoard"));
    setWindowTitle(QStringLiteral("Copy Record To Clipboard"));
    auto* layout = new QVBoxLayout(this);
    name = box(this, layout, "name", QStringLiteral("Name, Organization, Title"));
    address = box(this, layout, "address", QStringLiteral("Address"));
    phonenumbers = box(this, layout, "phonenumbers", QStringLiteral("Phone Numbers"));
    codes = box(this, layout, "codes", QStringLiteral("Codes"));
    comments = box(this, layout, "comments", QStringLiteral("Comments"));
    email = box(this, layout, "email", QStringLiteral("Email"));
    webpage = box(this, layout, "webpage", QStringLiteral("Web Page"));
    OkButton = new QPushButton(QStringLiteral("Ok"), this);
    OkButton->setObjectName(QStringLiteral("OkButton"));
    OkButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkButton);
    buttons->addWidget(CancelButton);
    layout->addLayout(buttons);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

RecordTextParts TCopyToClipBoard::Parts() const
{
    return RecordTextParts{name->isChecked(),     address->isChecked(), phonenumbers->isChecked(), codes->isChecked(),
                           comments->isChecked(), email->isChecked(),   webpage->isChecked()};
}
