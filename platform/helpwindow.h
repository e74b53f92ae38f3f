#pragma once

#include <QString>
#include <QVector>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QTextBrowser;

// One help page shipped with the program: ":/help/<name>.html".
struct HelpTopic {
    QString name;  // "1038", "index", "howto"
    QString title; // the page's <title>
    QString words; // the page's text in lower case, for the keyword search
};

// Every page of the help set: contents first, then the others by title.
QVector<HelpTopic> HelpTopics();
// The names of the topics whose title or text holds every word of the key.
QStringList SearchHelpTopics(const QVector<HelpTopic>& topics, const QString& key);

// The help window: the list of topics with a keyword search beside the open page.
class THelpWindow : public QWidget {
    Q_OBJECT
public:
    // The one help window, created or brought forward. It belongs to the dialog that is
    // open at the time (so a modal dialog does not block it), else to the main window.
    static THelpWindow* Open();

    void ShowTopic(int context);
    void ShowContents();
    void ShowHowToUseHelp();
    void ShowSearch();

private:
    explicit THelpWindow(QWidget* owner);
    void ShowPage(const QString& name);
    void SearchEditChange(const QString& key);
    void TopicListClick();

    QVector<HelpTopic> topics_;
    QLineEdit* SearchEdit;
    QListWidget* TopicList;
    QTextBrowser* TopicView;
};
