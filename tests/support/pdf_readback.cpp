#include "pdf_readback.h"

#include <QProcess>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <limits>

QVector<PdfWord> PdfReadBack::Words(int page) const
{
    QVector<PdfWord> out;
    for (const PdfWord& w : words)
        if (page == 0 || w.page == page)
            out.append(w);
    return out;
}

const PdfWord* PdfReadBack::Find(const QString& text, int page) const
{
    for (const PdfWord& w : words)
        if (w.text == text && (page == 0 || w.page == page))
            return &w;
    return nullptr;
}

bool PdfReadBack::HasBelow(const PdfWord& word, const QString& text, double within) const
{
    for (const PdfWord& w : words)
        if (w.page == word.page && w.text == text && std::abs(w.xMin - word.xMin) < 0.05 && w.yMin > word.yMin &&
            w.yMin < word.yMin + within)
            return true;
    return false;
}

PdfReadBack ReadPdf(const QString& path)
{
    PdfReadBack result;
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    if (!tool.waitForFinished(60000) || tool.exitCode() != 0)
        return result;
    const QString html = QString::fromUtf8(tool.readAllStandardOutput());
    static const QRegularExpression tag(
        QStringLiteral(R"re(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.]+)" yMin="([\d.]+)" )re"
                       R"re(xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (!m.captured(1).isEmpty()) {
            result.pages.append(QSizeF(m.captured(1).toDouble() / 72, m.captured(2).toDouble() / 72));
            continue;
        }
        PdfWord w;
        w.page = static_cast<int>(result.pages.size());
        w.xMin = m.captured(3).toDouble() / 72;
        w.yMin = m.captured(4).toDouble() / 72;
        w.xMax = m.captured(5).toDouble() / 72;
        w.yMax = m.captured(6).toDouble() / 72;
        w.text = m.captured(7)
                     .replace(QStringLiteral("&amp;"), QStringLiteral("&"))
                     .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
                     .replace(QStringLiteral("&gt;"), QStringLiteral(">"));
        result.words.append(w);
    }
    return result;
}

double LargestMiss(const PdfReadBack& out, const PdfReadBack& reference, int page, double dx, double dy)
{
    double largest = 0;
    for (const PdfWord& want : reference.Words(page)) {
        double nearest = std::numeric_limits<double>::infinity();
        for (const PdfWord& got : out.Words(page))
            if (got.text == want.text)
                nearest = std::min(nearest, std::hypot(got.xMin - want.xMin - dx, got.yMax - want.yMax - dy));
        largest = std::max(largest, nearest);
    }
    return largest;
}
