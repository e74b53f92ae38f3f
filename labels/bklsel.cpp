#include "labels/bklsel.h"

#include "labels/dialogrow.h"
#include "labels/labelcatalog.h"
#include "platform/help.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <functional>

namespace {

constexpr int kHelpTopic = 1048;
constexpr int kOfferRole = Qt::UserRole;

QString LibraryCaption(const SheetOffer& offer)
{
    return QStringLiteral("%1  %2 (%3, %4 x %5)")
        .arg(offer.name, offer.description, offer.paper)
        .arg(offer.sheet.Across)
        .arg(offer.sheet.Down);
}

void AddSheet(QTreeWidgetItem* parent, const QString& caption, std::size_t offer)
{
    auto* node = new QTreeWidgetItem(parent, QStringList(caption));
    node->setData(0, kOfferRole, static_cast<qulonglong>(offer));
}

// Shows the sheets that match and the groups that hold one; true when any is shown.
bool Filter(QTreeWidgetItem* node, const std::function<bool(const QTreeWidgetItem*)>& matches, bool filtering)
{
    if (node->childCount() == 0 && node->data(0, kOfferRole).isValid()) {
        node->setHidden(!matches(node));
        return !node->isHidden();
    }
    bool any = false;
    for (int i = 0; i < node->childCount(); ++i)
        any = Filter(node->child(i), matches, filtering) || any;
    node->setHidden(filtering && !any);
    node->setExpanded(filtering && any);
    return any;
}

} // namespace

void FillOfferTree(const std::vector<SheetOffer>& offers, QTreeWidget* tree)
{
    std::vector<QTreeWidgetItem*> categories;
    for (const QString& name : CatalogCategories())
        categories.push_back(new QTreeWidgetItem(tree, QStringList(name)));
    QTreeWidgetItem* library = nullptr;
    QTreeWidgetItem* maker = nullptr;
    for (std::size_t i = 0; i < offers.size(); ++i) {
        const SheetOffer& offer = offers[i];
        if (!offer.fromLibrary) {
            if (const int category = CatalogCategory(offer.sheet); category >= 0)
                AddSheet(categories[static_cast<std::size_t>(category)], offer.name, i);
            continue;
        }
        if (!library)
            library = new QTreeWidgetItem(tree, QStringList(QStringLiteral("Label library")));
        if (!maker || maker->text(0) != offer.maker)
            maker = new QTreeWidgetItem(library, QStringList(offer.maker));
        AddSheet(maker, LibraryCaption(offer), i);
    }
}

void FillCatalogTree(const QString& catalogPath, QTreeWidget* tree)
{
    FillOfferTree(SheetOffers(ReadCatalog(catalogPath), SheetLibrary{}), tree);
}

TSelectLabel::TSelectLabel(const TZintLabelFile& setup, const QString& catalogPath, QWidget* parent)
    : QDialog(parent), setup_(setup), catalogPath_(catalogPath)
{
    setObjectName(QStringLiteral("SelectLabel"));
    setWindowTitle(QStringLiteral("Select Label Template"));
    TV1 = new QTreeWidget;
    TV1->setObjectName(QStringLiteral("TV1"));
    TV1->setHeaderHidden(true);
    const SheetLibrary& library = SystemSheetLibrary();
    offers_ = SheetOffers(ReadCatalog(catalogPath_), library);
    FillOfferTree(offers_, TV1);
    SearchEdit = new QLineEdit;
    SearchEdit->setObjectName(QStringLiteral("SearchEdit"));
    SearchEdit->setPlaceholderText(QStringLiteral("Search maker, part number, paper or description"));
    SearchEdit->setClearButtonEnabled(true);
    CategoryCombo = new QComboBox;
    CategoryCombo->setObjectName(QStringLiteral("CategoryCombo"));
    CategoryCombo->addItem(QStringLiteral("All categories"), QString());
    for (const auto& [caption, id] : OfferedCategories(offers_, library))
        CategoryCombo->addItem(caption, id);
    LibraryStatus = new QLabel(SheetLibraryStatus(library));
    LibraryStatus->setObjectName(QStringLiteral("LibraryStatus"));
    LibraryStatus->setWordWrap(true);
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
    auto* narrowing = new QHBoxLayout;
    narrowing->addWidget(SearchEdit, 1);
    narrowing->addWidget(CategoryCombo);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(narrowing);
    layout->addLayout(columns);
    layout->addWidget(LibraryStatus);
    layout->addLayout(buttons);
    SetHelpContext(this, kHelpTopic);
    connect(TV1, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* node) { TV1Change(node); });
    connect(TV1, &QTreeWidget::itemDoubleClicked, this, [this] { OkButtonClick(); });
    connect(SearchEdit, &QLineEdit::textChanged, this, &TSelectLabel::ApplyFilter);
    connect(CategoryCombo, &QComboBox::currentIndexChanged, this, &TSelectLabel::ApplyFilter);
}

const SheetOffer* TSelectLabel::OfferOf(const QTreeWidgetItem* node) const
{
    const QVariant index = node ? node->data(0, kOfferRole) : QVariant();
    return index.isValid() ? &offers_[index.toULongLong()] : nullptr;
}

void TSelectLabel::ApplyFilter()
{
    const QString search = SearchEdit->text();
    const QString category = CategoryCombo->currentData().toString();
    const bool filtering = !search.trimmed().isEmpty() || !category.isEmpty();
    const auto matches = [&](const QTreeWidgetItem* node) { return OfferOf(node)->Matches(search, category); };
    for (int i = 0; i < TV1->topLevelItemCount(); ++i)
        Filter(TV1->topLevelItem(i), matches, filtering);
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
        if (const SheetOffer* offer = OfferOf(*it); offer && offer->sheet.TemplateName == setup_.TemplateName) {
            TV1->setCurrentItem(*it);
            TV1->scrollToItem(*it);
            break;
        }
    }
    TV1->setFocus();
}

void TSelectLabel::TV1Change(QTreeWidgetItem* node)
{
    const SheetOffer* offer = OfferOf(node);
    if (!offer)
        return;
    // A sheet is taken by its values, which the setup keeps without the catalogue or library.
    static_cast<LabelTemplate&>(setup_) = offer->sheet;
    // The description's lines end in a carriage return alone, which a label does not break on.
    LabelDesc->setText(setup_.Describe().replace(QLatin1Char('\r'), QLatin1Char('\n')));
}

void TSelectLabel::OkButtonClick()
{
    if (OfferOf(TV1->currentItem()))
        accept();
}
