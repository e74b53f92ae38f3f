#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QWidget;

// Keeps a second copy of the program from running. The first copy listens on a per-user
// local socket named after the program file; a later copy asks it to raise its window
// and then ends. A socket left behind by a copy that crashed is cleared, not obeyed.
class SingleInstanceGuard : public QObject {
    Q_OBJECT
public:
    // The socket name for this program file and user.
    static QString DefaultName();

    explicit SingleInstanceGuard(QString name = DefaultName(), QObject* parent = nullptr);

    // True when this is the only copy (it now answers later copies). False when another
    // copy is running; it has been asked to raise its window, and this copy should end.
    bool Claim();

signals:
    // A later copy asked this one to bring its window forward.
    void RaiseRequested();

private:
    bool AskRunningCopyToRaise();
    void Listen();
    void AnswerConnection();

    QString name_;
    QLocalServer* server_ = nullptr;
};

// Brings a window forward: restored when minimised, otherwise raised and activated.
void RaiseWindow(QWidget* window);
