#include "platform/textfile.h"

#include "xbase/codepage.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace {

// The code page is Latin-1 but for 0x80-0x9F: text made by Qt's fast Latin-1 conversion
// needs only those few characters mended (record fields are read through here millions of
// times).
void MendWindows1252(QString& text)
{
    for (QChar& c : text)
        if (c.unicode() >= 0x80 && c.unicode() < 0xA0)
            c = QChar(static_cast<char16_t>(xb::charOfCp1252(static_cast<unsigned char>(c.unicode()))));
}

} // namespace

QString FromWindows1252(QByteArrayView bytes)
{
    QString text = QString::fromLatin1(bytes);
    MendWindows1252(text);
    return text;
}

void FromWindows1252Into(QByteArrayView bytes, QString& into)
{
    into.resize(0);
    into.append(QLatin1StringView(bytes.data(), bytes.size()));
    MendWindows1252(into);
}

QByteArray ToWindows1252(const QString& text, bool* ok)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    bool allHeld = true;
    for (const QChar c : text) {
        const int b = xb::cp1252ByteOf(c.unicode());
        allHeld = allHeld && b >= 0;
        bytes.append(b < 0 ? '?' : static_cast<char>(b));
    }
    if (ok)
        *ok = allHeld;
    return bytes;
}

QString DecodeTextFile(const QByteArray& bytes)
{
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(body);
    if (!utf8.hasError())
        return text;
    return FromWindows1252(body);
}

QString ReadTextFile(const QString& path, bool* exists)
{
    QFile file(path);
    const bool opened = file.open(QIODevice::ReadOnly);
    if (exists)
        *exists = opened;
    return opened ? DecodeTextFile(file.readAll()) : QString();
}

bool WriteTextFile(const QString& path, const QString& text)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
