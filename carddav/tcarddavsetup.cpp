#include "carddav/tcarddavsetup.h"

#include "carddav/discovery.h"
#include "platform/busy.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TCardDavSetup::TCardDavSetup(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TCardDavSetup"));
    setWindowTitle(QStringLiteral("Sync with CardDAV Address Book"));
    auto* form = new QFormLayout;
    auto edit = [this](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        return e;
    };
    ServerEdit = edit("ServerEdit");
    ServerEdit->setPlaceholderText(QStringLiteral("https://dav.example.org/"));
    UserEdit = edit("UserEdit");
    PasswordEdit = edit("PasswordEdit");
    PasswordEdit->setEchoMode(QLineEdit::Password);
    FindButton = new QPushButton(QStringLiteral("&Find Address Books"), this);
    FindButton->setObjectName(QStringLiteral("FindButton"));
    BookCombo = new QComboBox(this);
    BookCombo->setObjectName(QStringLiteral("BookCombo"));
    FirstCombo = new QComboBox(this);
    FirstCombo->setObjectName(QStringLiteral("FirstCombo"));
    FirstCombo->addItems({QStringLiteral("Merge both"), QStringLiteral("Take the server's contacts"),
                          QStringLiteral("Send this file's records")});
    SyncOnOpenCheck = new QCheckBox(QStringLiteral("Sync whenever this file is &opened"), this);
    SyncOnOpenCheck->setObjectName(QStringLiteral("SyncOnOpenCheck"));
    StatusLabel = new QLabel(this);
    StatusLabel->setObjectName(QStringLiteral("StatusLabel"));
    StatusLabel->setWordWrap(true);
    form->addRow(QStringLiteral("&Server:"), ServerEdit);
    form->addRow(QStringLiteral("&User:"), UserEdit);
    form->addRow(QStringLiteral("&Password:"), PasswordEdit);
    form->addRow(QString(), FindButton);
    form->addRow(QStringLiteral("&Address book:"), BookCombo);
    form->addRow(QStringLiteral("First &sync:"), FirstCombo);
    form->addRow(QString(), SyncOnOpenCheck);
    auto* buttons = new QDialogButtonBox(this);
    OkButton = buttons->addButton(QStringLiteral("S&ync"), QDialogButtonBox::AcceptRole);
    OkButton->setObjectName(QStringLiteral("OkButton"));
    buttons->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelButton"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(StatusLabel);
    layout->addWidget(buttons);
    OkButton->setEnabled(false);
    connect(FindButton, &QPushButton::clicked, this, &TCardDavSetup::FindButtonClick);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void TCardDavSetup::FindButtonClick()
{
    BookCombo->clear();
    DavClient client(UserEdit->text(), PasswordEdit->text());
    Discovery found;
    {
        BusyCursor busy;
        found = DiscoverAddressBooks(client, QUrl::fromUserInput(ServerEdit->text().trimmed()));
    }
    for (const AddressBookInfo& book : found.books)
        BookCombo->addItem(book.name, book.url);
    StatusLabel->setText(!found.error.isEmpty() ? found.error
                         : found.books.empty()  ? QStringLiteral("The server has no address book for this user.")
                                                : QString());
    OkButton->setEnabled(!found.books.empty());
}

SyncOptions TCardDavSetup::Options() const
{
    SyncOptions options;
    options.server = QUrl::fromUserInput(ServerEdit->text().trimmed());
    options.user = UserEdit->text();
    options.password = PasswordEdit->text();
    options.collection = BookCombo->currentData().toUrl();
    options.first = static_cast<FirstSync>(FirstCombo->currentIndex());
    return options;
}

bool TCardDavSetup::SyncOnOpen() const
{
    return SyncOnOpenCheck->isChecked();
}
