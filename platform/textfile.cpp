#include "platform/textfile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <array>

namespace {

// Windows-1252 differs from Latin-1 only in 0x80-0x9F; the five holes there map to the
// C1 controls of the same value, as most converters do.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

QString FromWindows1252(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        *out++ = (u >= 0x80 && u < 0xA0) ? QChar(kHighControls[u - 0x80]) : QChar(u);
    }
    return text;
}

QByteArray ToWindows1252(const QString& text, bool* ok)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    bool allHeld = true;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        char byte = '?';
        if (u < 0x80 || (u >= 0xA0 && u < 0x100)) {
            byte = static_cast<char>(u);
        } else {
            bool found = false;
            for (size_t i = 0; i < kHighControls.size() && !found; ++i)
                if (kHighControls[i] == u) {
                    byte = static_cast<char>(0x80 + i);
                    found = true;
                }
            allHeld = allHeld && found;
        }
        bytes.append(byte);
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
