#pragma once

#include <QSizeF>
#include <QString>
#include <QVector>

// A PDF as a reader sees it, through pdftotext -bbox (poppler-utils): each page's size
// and each word's box, in inches from the page's top-left corner.
struct PdfWord {
    int page = 0; // from 1
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    QString text;
};

struct PdfReadBack {
    QVector<QSizeF> pages;
    QVector<PdfWord> words;

    // The words of one page, or all with page 0.
    QVector<PdfWord> Words(int page = 0) const;
    // The first word with this text (on page, or on any with 0); nullptr when missing.
    const PdfWord* Find(const QString& text, int page = 0) const;
    // Whether a word with this text starts at the left edge of `word` and lies below it,
    // by less than `within` inches: the next lines of the same label.
    bool HasBelow(const PdfWord& word, const QString& text, double within) const;
};

// Empty (no pages) when the file cannot be read.
PdfReadBack ReadPdf(const QString& path);

// The farthest any word of the reference's page lies from the nearest same word on the
// page of `out`, once moved by (dx, dy) inches; infinite when a word is missing. Words are
// placed by their left edge and their bottom, which another copy of a font keeps.
double LargestMiss(const PdfReadBack& out, const PdfReadBack& reference, int page, double dx, double dy);
