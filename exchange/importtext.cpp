#include "exchange/importtext.h"

#include "exchange/importline.h"
#include "table/cp1252.h"

#include <QFile>
#include <QStringDecoder>
#include <algorithm>

QString DecodeImportText(const QByteArray& bytes, TextEncoding& encoding)
{
    const qsizetype skip = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(QByteArrayView(bytes).sliced(skip));
    if (!decoder.hasError()) {
        encoding = TextEncoding::Utf8;
        return text;
    }
    encoding = TextEncoding::Windows1252;
    return Cp1252ToString(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

bool ImportText::Load(const QString& path)
{
    SetText(QString(), TextEncoding::Utf8);
    error_.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error_ = file.errorString();
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error_ = file.errorString();
        return false;
    }
    TextEncoding encoding = TextEncoding::Utf8;
    QString text = DecodeImportText(bytes, encoding);
    SetText(text, encoding);
    return true;
}

void ImportText::SetText(const QString& text, TextEncoding encoding)
{
    text_ = text;
    encoding_ = encoding;
    next_ = 0;
}

long ImportText::LineCount() const
{
    if (text_.isEmpty())
        return 0;
    const long feeds = static_cast<long>(text_.count(QLatin1Char('\n')));
    return text_.endsWith(QLatin1Char('\n')) ? feeds : feeds + 1;
}

bool ImportText::NextLine(QStringView& line)
{
    if (next_ >= text_.size())
        return false;
    qsizetype end = text_.indexOf(QLatin1Char('\n'), next_);
    if (end < 0)
        end = text_.size();
    qsizetype stop = end;
    if (stop > next_ && text_.at(stop - 1) == QLatin1Char('\r'))
        --stop;
    line = QStringView(text_).mid(next_, stop - next_);
    next_ = end + 1;
    return true;
}

bool ImportText::NextCsvRecord(QStringList& values, long& lines)
{
    if (next_ >= text_.size())
        return false;
    const qsizetype start = next_;
    next_ = SplitCsvRecord(text_, next_, &values);
    lines = std::max(1L, static_cast<long>(QStringView(text_).sliced(start, next_ - start).count(QLatin1Char('\n'))));
    return true;
}

long ImportText::CsvRecordCount() const
{
    long records = 0;
    for (qsizetype at = 0; at < text_.size(); at = SplitCsvRecord(text_, at, nullptr))
        ++records;
    return records;
}
