#include "platform/helpwindow.h"

#include "platform/identity.h"
#include "platform/mainwindow.h"
#include "platform/placement.h"
#include "platform/textfile.h"
#include "platform/whatsthis.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>

static void loadHelpResources()
{
    Q_INIT_RESOURCE(help);
}

namespace {

const QString kHelpFolder = QStringLiteral(":/help/");

HelpTopic readTopic(const QString& name)
{
    const QString html = ReadTextFile(kHelpFolder + name + QStringLiteral(".html"));
    static const QRegularExpression titleTag(QStringLiteral("<title>(.*)</title>"),
                                             QRegularExpression::CaseInsensitiveOption);
    QTextDocument document;
    document.setHtml(html);
    return {name, titleTag.match(html).captured(1).trimmed(), document.toPlainText().toLower()};
}

} // namespace

QVector<HelpTopic> HelpTopics()
{
    loadHelpResources();
    QVector<HelpTopic> topics;
    const QStringList files = QDir(kHelpFolder).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
    for (const QString& file : files)
        topics.append(readTopic(file.chopped(5)));
    // Contents first, then the rest by title.
    std::sort(topics.begin(), topics.end(), [](const HelpTopic& a, const HelpTopic& b) {
        const bool aFirst = a.name == QLatin1String("index");
        const bool bFirst = b.name == QLatin1String("index");
        if (aFirst != bFirst)
            return aFirst;
        return a.title.compare(b.title, Qt::CaseInsensitive) < 0;
    });
    return topics;
}

QStringList SearchHelpTopics(const QVector<HelpTopic>& topics, const QString& key)
{
    const QStringList words = key.toLower().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QStringList names;
    for (const HelpTopic& topic : topics) {
        const QString haystack = topic.title.toLower() + QLatin1Char(' ') + topic.words;
        if (std::all_of(words.begin(), words.end(), [&](const QString& w) { return haystack.contains(w); }))
            names.append(topic.name);
    }
    return names;
}

THelpWindow* THelpWindow::Open()
{
    static QPointer<THelpWindow> window;
    QWidget* owner = DialogOwner();
    if (window && window->parentWidget() != owner)
        delete window.data();
    const bool created = !window;
    if (created)
        window = new THelpWindow(owner);
    window->show();
    // A new window opens over the window that asked for help, and wholly on its screen.
    if (created && owner && owner->screen())
        window->move(CentredOnOwnerWithinScreen(owner->frameGeometry(), window->frameGeometry().size(),
                                                owner->screen()->availableGeometry()));
    window->raise();
    window->activateWindow();
    return window;
}

THelpWindow::THelpWindow(QWidget* owner) : QWidget(owner, Qt::Window), topics_(HelpTopics())
{
    setObjectName(QStringLiteral("HelpWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(ProductName() + QStringLiteral(" Help"));

    SearchEdit = new QLineEdit(this);
    SearchEdit->setObjectName(QStringLiteral("SearchEdit"));
    SearchEdit->setPlaceholderText(QStringLiteral("Type a word to find"));
    SearchEdit->setClearButtonEnabled(true);
    TopicList = new QListWidget(this);
    TopicList->setObjectName(QStringLiteral("TopicList"));
    TopicView = new QTextBrowser(this);
    TopicView->setObjectName(QStringLiteral("TopicView"));
    TopicView->setOpenExternalLinks(true);
    auto* contents = new QPushButton(QStringLiteral("&Contents"), this);
    contents->setObjectName(QStringLiteral("ContentsButton"));
    auto* back = new QPushButton(QStringLiteral("&Back"), this);
    back->setObjectName(QStringLiteral("BackButton"));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("CloseButton"));

    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    auto* searchLabel = new QLabel(QStringLiteral("&Search for:"), left);
    searchLabel->setBuddy(SearchEdit);
    leftLayout->addWidget(searchLabel);
    leftLayout->addWidget(SearchEdit);
    leftLayout->addWidget(TopicList);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(left);
    splitter->addWidget(TopicView);
    splitter->setStretchFactor(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addStretch();
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter);
    layout->addLayout(buttons);
    resize(720, 480);

    connect(SearchEdit, &QLineEdit::textChanged, this, &THelpWindow::SearchEditChange);
    // A click, Enter, or the arrow keys moving through the list all open the topic.
    connect(TopicList, &QListWidget::itemActivated, this, &THelpWindow::TopicListClick);
    connect(TopicList, &QListWidget::itemClicked, this, &THelpWindow::TopicListClick);
    connect(TopicList, &QListWidget::currentRowChanged, this, &THelpWindow::TopicListClick);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    connect(contents, &QPushButton::clicked, this, &THelpWindow::ShowContents);
    connect(back, &QPushButton::clicked, TopicView, &QTextBrowser::backward);
    connect(TopicView, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    back->setEnabled(false);
    SearchEditChange(QString());
    SetWhatsThis(this, {
                           {"SearchEdit", "Words to look for: the list keeps the topics that mention all of them."},
                           {"TopicList", "The help topics. Click one to read it."},
                           {"TopicView", "The topic you are reading. Underlined words lead to related topics."},
                           {"ContentsButton", "Shows the list of main topics."},
                           {"BackButton", "Returns to the topic you read before."},
                           {"CloseButton", "Closes the help."},
                       });
}

void THelpWindow::ShowPage(const QString& name)
{
    const QUrl page(QStringLiteral("qrc") + kHelpFolder + name + QStringLiteral(".html"));
    // Once in the history for each visit, however the topic was reached.
    if (TopicView->source() != page)
        TopicView->setSource(page);
    for (int i = 0; i < TopicList->count(); ++i)
        if (TopicList->item(i)->data(Qt::UserRole).toString() == name)
            TopicList->setCurrentRow(i);
}

void THelpWindow::ShowTopic(int context)
{
    const QString name = QString::number(context);
    const bool known = std::any_of(topics_.begin(), topics_.end(), [&](const HelpTopic& t) { return t.name == name; });
    ShowPage(known ? name : QStringLiteral("index"));
}

void THelpWindow::ShowContents()
{
    ShowPage(QStringLiteral("index"));
}

void THelpWindow::ShowHowToUseHelp()
{
    ShowPage(QStringLiteral("howto"));
}

void THelpWindow::ShowSearch()
{
    SearchEdit->clear();
    SearchEdit->setFocus();
    if (TopicView->source().isEmpty())
        ShowContents();
}

void THelpWindow::SearchEditChange(const QString& key)
{
    const QStringList matches = SearchHelpTopics(topics_, key);
    // Narrowing the list changes no page.
    const QSignalBlocker quiet(TopicList);
    TopicList->clear();
    for (const HelpTopic& topic : topics_) {
        if (!matches.contains(topic.name))
            continue;
        auto* item = new QListWidgetItem(topic.title, TopicList);
        item->setData(Qt::UserRole, topic.name);
    }
}

void THelpWindow::TopicListClick()
{
    if (QListWidgetItem* item = TopicList->currentItem())
        ShowPage(item->data(Qt::UserRole).toString());
}
