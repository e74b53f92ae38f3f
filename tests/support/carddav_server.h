#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A private CardDAV server for tests and benchmarks: radicale (or xandikos, an independent
// second server) on a free local port, its storage, its password file and its log in a
// temporary folder, with one user and one address book (xandikos has no login of its
// own: it takes any password).
// Plain HTTP requests (through curl) let a test change and read the address book as
// another client would. Everything it started stops when the object goes.
class TestCardDavServer {
public:
    static constexpr const char* User = "ann";
    static constexpr const char* Password = "secret";

    enum class Kind { Radicale, Xandikos };

    // `base` is the folder the temporary folder goes in (the system's by default).
    explicit TestCardDavServer(Kind kind = Kind::Radicale, const QString& base = {});
    ~TestCardDavServer();
    TestCardDavServer(const TestCardDavServer&) = delete;
    TestCardDavServer& operator=(const TestCardDavServer&) = delete;

    // Empty while all went well; otherwise what failed first, with the server's log.
    QString Error() const { return error_; }
    QString Url() const { return QStringLiteral("http://127.0.0.1:%1/").arg(port_); }
    // The address book's address and path ("/ann/book/"), where discovery finds it.
    QString BookUrl() const { return Url() + BookPath().mid(1); }
    QString BookPath() const
    {
        return kind_ == Kind::Radicale ? QStringLiteral("/ann/book/") : QStringLiteral("/ann/contacts/book/");
    }
    // The server's process, for its CPU time.
    qint64 Pid() const { return pid_; }

    struct Response {
        int status = 0;
        QByteArray body;
        QByteArray etag;
    };
    // A request as the user, to a path on the server.
    Response Request(const QString& method, const QString& path, const QByteArray& body = {},
                     const QStringList& headers = {});
    // The .vcf files of the address book in radicale's storage, by file name.
    QStringList StoredCardNames() const;
    QByteArray StoredCard(const QString& name) const;
    // How many requests radicale has answered so far, from its log.
    int RequestsSeen() const;

    void Stop();
    bool Start();

private:
    QString Path(const QString& name) const { return dir_.filePath(name); }
    // The server's command line after the Python interpreter.
    QStringList Arguments() const;

    Kind kind_;
    QTemporaryDir dir_;
    qint64 pid_ = 0;
    int port_ = 0;
    QString error_;
};
