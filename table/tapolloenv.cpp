#include "table/tapolloenv.h"

#include "xbase/sx.h"

QString ApolloDateFormatPattern(TApolloDateFrmt format, bool century)
{
    const QString year = century ? QStringLiteral("yyyy") : QStringLiteral("yy");
    const QChar sep = ApolloDateSeparator(format);
    switch (format) {
    case dfAnsi:
        return year + sep + QStringLiteral("mm") + sep + QStringLiteral("dd");
    case dfBritish:
    case dfFrench:
    case dfGerman:
    case dfItalian:
    case dfSpanish:
        return QStringLiteral("dd") + sep + QStringLiteral("mm") + sep + year;
    case dfAmerican:
        break;
    }
    return QStringLiteral("mm") + sep + QStringLiteral("dd") + sep + year;
}

QChar ApolloDateSeparator(TApolloDateFrmt format)
{
    switch (format) {
    case dfAnsi:
    case dfGerman:
        return QLatin1Char('.');
    case dfItalian:
    case dfSpanish:
        return QLatin1Char('-');
    default:
        return QLatin1Char('/');
    }
}

TApolloEnv::TApolloEnv(QObject* parent) : QObject(parent)
{
    shortDateFormat_ = ApolloDateFormatPattern(dateFormat_, century_);
    dateSeparator_ = ApolloDateSeparator(dateFormat_);
}

void TApolloEnv::SetExact(bool on)
{
    exact_ = on;
    sx_SetExact(on);
}

void TApolloEnv::SetSoftSeek(bool on)
{
    softSeek_ = on;
    sx_SetSoftSeek(on);
}

void TApolloEnv::SetDeleted(bool on)
{
    deleted_ = on;
    sx_SetDeleted(on);
}

void TApolloEnv::SetCentury(bool on)
{
    century_ = on;
    sx_SetCentury(on);
    ApplyDateFormat();
}

void TApolloEnv::SetDateFormat(TApolloDateFrmt format)
{
    dateFormat_ = format;
    sx_SetDateFormat(format);
    ApplyDateFormat();
}

void TApolloEnv::ApplyDateFormat()
{
    dateSeparator_ = ApolloDateSeparator(dateFormat_);
    shortDateFormat_ = ApolloDateFormatPattern(dateFormat_, century_);
}

void TApolloEnv::SetLockTimeout(int seconds)
{
    lockTimeout_ = seconds;
    sx_SetLockTimeout(seconds);
}

void TApolloEnv::SetMemoBlockSize(int size)
{
    memoBlockSize_ = size;
    sx_SetMemoBlockSize(size);
}

int TApolloEnv::ErrorLevel(int level)
{
    return sx_ErrorLevel(level);
}
