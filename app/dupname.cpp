#include "app/dupname.h"

#include "select/upperfold.h"

namespace {
QString Fixed(const QString& text, int width)
{
    return text.left(width).leftJustified(width, QLatin1Char(' '));
}
} // namespace

QString DuplicateNameKey(const QString& last, const QString& first, int lastWidth, int firstWidth)
{
    return upperCaseLikeEngine(Fixed(last, lastWidth) + Fixed(first, firstWidth));
}

QString DuplicateQuestion(const DuplicateShown& d)
{
    return "Possible duplicate: \r\n\r\n" + d.first + " " + d.last + "\r\n" + d.street + "\r\n" + d.city + "," +
           d.state + " " + d.zip + "\r\n" + "\r\n" + "Continue adding?";
}
