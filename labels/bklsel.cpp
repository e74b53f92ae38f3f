#include "labels/bklsel.h"

#include "labels/dialogrow.h"
#include "labels/labelcatalog.h"
#include "platform/help.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace {

constexpr int kHelpTopic = 1048;

bool IsTemplate(const QTreeWidgetItem* node)
{
    return node && node->parent();
}

} // namespace

void FillCatalogTree(const QString& catalogPath, QTreeWidget* tree)
{
    std::vector<QTreeWidgetItem*> categories;
    for (const QString& name : CatalogCategories()) {
        categories.push_back(new QTreeWidgetItem(tree, QStringList(name)));
    }
    for (const LabelTemplate& sheet : ReadCatalog(catalogPath)) {
        const int category = CatalogCategory(sheet);
        if (category >= 0)
            new QTreeWidgetItem(categories[static_cast<std::size_t>(category)], QStringList(sheet.TemplateName));
    }
}

TSelectLabel::TSelectLabel(const TZintLabelFile& setup, const QString& catalogPath, QWidget* parent)
    : QDialog(parent), setup_(setup), catalogPath_(catalogPath)
{
    setObjectName(QStringLiteral("SelectLabel"));
    setWindowTitle(QStringLiteral("Select Label Template"));
    TV1 = new QTreeWidget;
    TV1->setObjectName(QStringLiteral("TV1"));
    TV1->setHeaderHidden(true);
    FillCatalogTree(catalogPath_, TV1);
    LabelDesc = new QLabel;
    LabelDesc->setObjectName(QStringLiteral("LabelDesc"));
    LabelDesc->setFont(QFont(QStringLiteral("Courier New")));
    LabelDesc->setMinimumWidth(LabelDesc->fontMetrics().horizontalAdvance(QString(28, QLatin1Char('X'))));

    auto* buttons = new QHBoxLayout;
    connect(DialogButton(buttons, "OkButton", QStringLiteral("Ok"), true), &QPushButton::clicked, this,
            &TSelectLabel::OkButtonClick);
    connect(DialogButton(buttons, "CancelButton", QStringLiteral("Cancel")), &QPushButton::clicked, this,
            &QDialog::reject);
    connect(DialogButton(buttons, "HelpButton", QStringLiteral("Help")), &QPushButton::clicked, this,
            [] { ShowHelpTopic(kHelpTopic); });
    auto* columns = new QHBoxLayout;
    columns->addWidget(TV1, 1);
    columns->addWidget(LabelDesc, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
    SetHelpContext(this, kHelpTopic);
    connect(TV1, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* node) { TV1Change(node); });
    connect(TV1, &QTreeWidget::itemDoubleClicked, this, [this] { OkButtonClick(); });
}

void TSelectLabel::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!activated_) {
        activated_ = true;
        PositionCurrentLabel();
    }
}

void TSelectLabel::PositionCurrentLabel()
{
    TV1->collapseAll();
    for (QTreeWidgetItemIterator it(TV1); *it; ++it) {
        if ((*it)->text(0) == setup_.TemplateName) {
            TV1->setCurrentItem(*it);
            TV1->scrollToItem(*it);
            break;
        }
    }
    TV1->setFocus();
}

void TSelectLabel::TV1Change(QTreeWidgetItem* node)
{
    if (!IsTemplate(node) || !setup_.LoadTemplate(catalogPath_, node->text(0), false))
        return;
    // The description's lines end in a carriage return alone, which a label does not break on.
    LabelDesc->setText(setup_.Describe().replace(QLatin1Char('\r'), QLatin1Char('\n')));
}

void TSelectLabel::OkButtonClick()
{
    if (IsTemplate(TV1->currentItem()))
        accept();
}
