// The main window's orders, search and browse.

#include "app/bkmain.h"

#include "app/addbrz.h"
#include "app/fieldslist.h"
#include "app/searchb.h"
#include "app/sortorders.h"
#include "platform/menuitem.h"
#include "platform/placement.h"
#include "platform/programdirectory.h"
#include "platform/systembeep.h"
#include "session/orderseek.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

namespace {

QToolButton* AddToolButton(QToolBar* bar, const QString& caption, const char* name, const QString& hint)
{
    auto* button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(caption);
    button->setToolTip(hint);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->addWidget(button);
    return button;
}

QAction* AddMenuItem(QMenu* menu, const QString& caption, const char* name, const QKeySequence& shortcut)
{
    QAction* action = NamedMenuItem(menu, caption, name);
    action->setShortcut(shortcut);
    return action;
}

} // namespace

void TAddressMain::setupSort()
{
    for (const SortOrder& order : SortOrders) {
        QAction* item = mnuOrder->addAction(QString::fromLatin1(order.caption));
        item->setObjectName(QString::fromLatin1(order.itemName));
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, item] { SetMenuOrder(item); });
        SortItems << item;
    }
    SortItems.first()->setChecked(true);

    Record1->addSeparator();
    mnuSearch = AddMenuItem(Record1, QStringLiteral("&Search"), "mnuSearch", QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuBrowse = AddMenuItem(Record1, QStringLiteral("&Browse"), "mnuBrowse", QKeySequence(Qt::CTRL | Qt::Key_B));
    SearchButton = AddToolButton(ToolBar, QStringLiteral("Search"), "SearchButton",
                                 QStringLiteral("Click here or press CTRL+S to search for a specific value"));
    BrowseButton = AddToolButton(ToolBar, QStringLiteral("Browse"), "BrowseButton",
                                 QStringLiteral("Click here or press CTRL+B for a table view of the database"));
    connect(mnuSearch, &QAction::triggered, this, &TAddressMain::SearchButtonClick);
    connect(SearchButton, &QToolButton::clicked, this, &TAddressMain::SearchButtonClick);
    connect(mnuBrowse, &QAction::triggered, this, &TAddressMain::BrowseButtonClick);
    connect(BrowseButton, &QToolButton::clicked, this, &TAddressMain::BrowseButtonClick);
}

void TAddressMain::SetCurrentOrder(const QString& tag)
{
    session_.SetCurrentOrder(tag);
    UpdateFilterStatus();
}

void TAddressMain::SetOrderTo(const QString& text)
{
    const QString tag = OrderTagForText(text);
    // A text that names no order changes nothing, the check mark included, so the menu
    // never loses sight of the order in use.
    if (tag.isEmpty())
        return;
    SetCurrentOrder(tag);
    for (QAction* item : SortItems)
        item->setChecked(OrderItemMatches(item->text(), text));
}

void TAddressMain::ShowOrderInMenu()
{
    const auto shown = std::find_if(SortOrders.begin(), SortOrders.end(),
                                    [this](const SortOrder& order) { return CurrentOrderName == order.tag; });
    // An order the menu does not offer leaves the check mark where it is.
    if (shown == SortOrders.end())
        return;
    for (qsizetype i = 0; i < SortItems.size(); ++i)
        SortItems.at(i)->setChecked(SortOrders.begin() + i == shown);
}

void TAddressMain::SetMenuOrder(QAction* item)
{
    SetOrderTo(OrderCaptionText(item->text()));
}

void TAddressMain::OrderByLastName()
{
    SetMenuOrder(SortItems.first());
}

void TAddressMain::SearchButtonClick()
{
    QStringList texts;
    int checked = 0;
    for (QAction* item : SortItems) {
        if (item->isChecked())
            checked = static_cast<int>(texts.size());
        texts << OrderCaptionText(item->text());
    }
    TSearchBox dialog(texts, checked, this);
    CenterDialog(&dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.SearchText().isEmpty())
        return;
    for (int i = 0; i < SortItems.size(); ++i)
        SortItems.at(i)->setChecked(i == dialog.SelectedOrder());
    SetOrderTo(dialog.SelectedText());
    SeekStartingWith(Apollo1, ApolloEnv1, dialog.SearchText());
}

void TAddressMain::BrowseButtonClick()
{
    const QString listPath = FieldsListPath(ProgramDirectory());
    if (const std::optional<QStringList> listed = ReadFieldsList(listPath))
        ArrangeTableFields(TableBook, *listed);
    const TDataSetState state = TableBook.State();
    if (state == TDataSetState::Edit || state == TDataSetState::Insert) {
        SystemBeep();
        return;
    }
    {
        TAddressBrowseForm form(DataSourceBook, ToggleCurrentTag, this);
        CenterDialog(&form);
        form.exec();
    }
    WriteFieldsList(listPath, FieldNames(TableBook));
}
