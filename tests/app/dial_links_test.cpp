#include "records_window_support.h"

#include "dial/bkdial.h"

#include <QAbstractButton>
#include <QAction>
#include <QDesktopServices>
#include <QLineEdit>
#include <QMenu>

namespace {

// The desktop's mail program and browser, standing in through Qt's own link handlers.
class LinkHandler : public QObject {
    Q_OBJECT
public:
    LinkHandler()
    {
        for (const char* scheme : {"mailto", "http", "https", "file"})
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~LinkHandler() override
    {
        for (const char* scheme : {"mailto", "http", "https", "file"})
            QDesktopServices::unsetUrlHandler(scheme);
    }
    QStringList opened;
public slots:
    void open(const QUrl& url) { opened << url.toString(); }
};

class DialLinksTest : public RecordWindowTest {
protected:
    // The number the dial dialog starts with when the button is clicked.
    QString NumberDialedBy(const char* button)
    {
        QString number;
        WhenModalOpens([&](QWidget* modal) {
            auto* dialog = qobject_cast<TBkDialer*>(modal);
            if (dialog)
                number = dialog->Number->text();
            modal->close();
        });
        Button(button)->click();
        EXPECT_TRUE(ModalWasHandled());
        return number;
    }
};

TEST_F(DialLinksTest, EachDialButtonDialsItsOwnPhone)
{
    StartWith({Person("Smith", "Jo", "PHONE=555-1234;PHONE2=(555) 9876")});
    EXPECT_EQ(NumberDialedBy("Dial1Button"), "555-1234");
    EXPECT_EQ(NumberDialedBy("Dial2Button"), "(555) 9876");
}

TEST_F(DialLinksTest, SendAndOpenHandTheRecordsLinksToTheDesktop)
{
    StartWith({Person("Smith", "Jo", "EMAIL=jo@example.com;WEBPAGE=www.example.com"),
               Person("Zorn", "Al", "EMAIL=al@example.com;WEBPAGE=file:///etc/passwd")});
    LinkHandler desktop;
    Button("Mailbutton")->click();
    Button("WebPageButton")->click();
    EXPECT_EQ(desktop.opened, (QStringList{"mailto:jo@example.com", "http://www.example.com"}));

    Button("RecordNext")->click();
    ASSERT_EQ(Field("LNAME"), "Zorn");
    Button("WebPageButton")->click();
    EXPECT_EQ(desktop.opened.size(), 2) << "a local file is never opened";
    EXPECT_EQ(
        messages.Texts(),
        QStringList{
            "Addrina opens only web pages (http or https) and e-mail addresses; \"file:///etc/passwd\" is neither."});
}

TEST_F(DialLinksTest, TheHelpMenuOffersWhatsThisAndConfigurationInformation)
{
    StartWith({Person("Smith", "Jo")});
    QStringList items;
    for (QAction* action : window->Help1->actions())
        if (!action->isSeparator())
            items << action->objectName();
    EXPECT_EQ(items, (QStringList{"Contents1", "SearchforHelpOn1", "HowtoUseHelp1", "WhatsThis1",
                                  "ConfigurationInformation1", "About1"}));
}

} // namespace

#include "dial_links_test.moc"
