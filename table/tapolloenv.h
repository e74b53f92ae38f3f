#pragma once
// The engine-wide switches. Each setter passes its value to the engine at once. The
// engine starts with the defaults shown, so the program keeps exactly one of these
// (the main window's ApolloEnv1).

#include <QObject>
#include <QString>

enum TApolloDateFrmt { dfAmerican = 0, dfAnsi, dfBritish, dfFrench, dfGerman, dfItalian, dfSpanish };

// The short date format and separator that go with an engine date format.
QString ApolloDateFormatPattern(TApolloDateFrmt format, bool century);
QChar ApolloDateSeparator(TApolloDateFrmt format);

class TApolloEnv : public QObject {
    Q_OBJECT
public:
    explicit TApolloEnv(QObject* parent = nullptr);

    bool Exact() const { return exact_; } // default false
    void SetExact(bool on);
    bool SoftSeek() const { return softSeek_; } // default false
    void SetSoftSeek(bool on);
    bool Deleted() const { return deleted_; } // default false: marked records show
    void SetDeleted(bool on);
    bool Century() const { return century_; } // default false
    void SetCentury(bool on);
    TApolloDateFrmt DateFormat() const { return dateFormat_; } // default dfAmerican
    void SetDateFormat(TApolloDateFrmt format);
    int LockTimeout() const { return lockTimeout_; } // seconds, default 1
    void SetLockTimeout(int seconds);
    int MemoBlockSize() const { return memoBlockSize_; } // default 64
    void SetMemoBlockSize(int size);

    // The short date format and separator that DateFormat and Century last set.
    const QString& ShortDateFormat() const { return shortDateFormat_; }
    QChar DateSeparator() const { return dateSeparator_; }

    // 0 keeps the engine from showing anything itself. Gives the previous level.
    int ErrorLevel(int level);

private:
    void ApplyDateFormat();

    bool exact_ = false;
    bool softSeek_ = false;
    bool deleted_ = false;
    bool century_ = false;
    TApolloDateFrmt dateFormat_ = dfAmerican;
    int lockTimeout_ = 1;
    int memoBlockSize_ = 64;
    QString shortDateFormat_;
    QChar dateSeparator_;
};
