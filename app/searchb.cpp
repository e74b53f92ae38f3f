#include "app/searchb.h"

#include "app/dialogbuttons.h"
#include "app/whatsthistexts.h"
#include "platform/help.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int SearchHelpTopic = 1026;
// The engine takes no key longer than this.
constexpr int MaxKeyLength = 255;
} // namespace

TSearchBox::TSearchBox(const QStringList& orders, int checked, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Search"));

    OrderCombo = new QComboBox(this);
    OrderCombo->setObjectName(QStringLiteral("OrderCombo"));
    OrderCombo->addItems(orders);
    OrderCombo->setCurrentIndex(checked);

    SearchLabel = new QLabel(this);
    SearchLabel->setObjectName(QStringLiteral("SearchLabel"));

    SearchForEdit = new QLineEdit(this);
    SearchForEdit->setObjectName(QStringLiteral("SearchForEdit"));
    SearchForEdit->setMaxLength(MaxKeyLength);
    SearchLabel->setBuddy(SearchForEdit);

    auto* buttons = new QDialogButtonBox(this);
    OkButton = AddNamedButton(buttons, QStringLiteral("Ok"), QDialogButtonBox::AcceptRole, "OkButton");
    OkButton->setDefault(true);
    CancelButton = AddNamedButton(buttons, QStringLiteral("Cancel"), QDialogButtonBox::RejectRole, "CancelButton");
    HelpButton = AddNamedButton(buttons, QStringLiteral("Help"), QDialogButtonBox::HelpRole, "HelpButton");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(OrderCombo);
    layout->addWidget(SearchLabel);
    layout->addWidget(SearchForEdit);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(OrderCombo, &QComboBox::currentIndexChanged, this, &TSearchBox::OrderComboChange);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, &TSearchBox::HelpButtonClick);
    OrderComboChange();
    ExplainSearch(this);
}

int TSearchBox::SelectedOrder() const
{
    return OrderCombo->currentIndex();
}

QString TSearchBox::SelectedText() const
{
    return OrderCombo->currentText();
}

QString TSearchBox::SearchText() const
{
    return SearchForEdit->text();
}

void TSearchBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    OrderComboChange();
}

void TSearchBox::OrderComboChange()
{
    SearchLabel->setText(QStringLiteral("Search ") + SelectedText() + QStringLiteral(" starting with..."));
    SearchForEdit->setFocus();
}

void TSearchBox::HelpButtonClick()
{
    ShowHelpTopic(SearchHelpTopic);
}
