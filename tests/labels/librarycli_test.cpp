#include "labels/labellines.h"
#include "select/book.h"
#include "support/pdf_readback.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ToolRun {
    int exitCode = -1;
    QStringList lines;
};

// addrina-print with the label library of `library` (the system's when empty).
ToolRun PrintTool(const QStringList& arguments, const QString& library = {})
{
    static const QTemporaryDir noSettings;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), noSettings.path());
    if (!library.isEmpty())
        environment.insert(QStringLiteral("ADDRINA_LABEL_LIBRARY"), library);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ADDRINA_BIN_DIR "/addrina-print"), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(),
            QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)};
}

// The label corners of one library sheet as an independent DOM reader takes them from the
// XML, in inches.
std::vector<QPointF> XmlCorners(const QString& name, QSizeF* label)
{
    QProcess python;
    python.start(QStringLiteral("python3"), {QStringLiteral(ADDRINA_SOURCE_DIR "/tests/labels/library_positions.py"),
                                             QStringLiteral("/usr/share/libglabels-3.0/templates")});
    python.waitForFinished(60000);
    std::vector<QPointF> corners;
    for (const QString& line : QString::fromUtf8(python.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        const QStringList v = line.split(QLatin1Char('\t'));
        if (v[0] != name)
            continue;
        *label = QSizeF(v[3].toDouble() / 72, v[4].toDouble() / 72);
        for (qsizetype i = 7; i < v.size(); ++i)
            corners.emplace_back(v[i].section(',', 0, 0).toDouble() / 72, v[i].section(',', 1).toDouble() / 72);
    }
    return corners;
}

} // namespace

TEST(TemplatesCommand, ListsTheCatalogueAndTheLibraryOneSheetALine)
{
    const ToolRun all = PrintTool({"templates"});
    ASSERT_EQ(all.exitCode, 0);
    EXPECT_GT(all.lines.size(), 134 + 1500);
    EXPECT_EQ(all.lines.first(), "AVERY\t5160\tUS-Letter\t3 x 10\tAddress labels 1 x 2-5/8 in");
    for (const QString& line : all.lines)
        ASSERT_EQ(line.count('\t'), 4) << line.toStdString();
    EXPECT_EQ(PrintTool({"templates", "--search", "ZWECKFORM 3475"}).lines,
              QStringList({"Zweckform\t3475\tA4\t3 x 8\tAddress Labels"}));
    QTemporaryDir empty;
    EXPECT_EQ(PrintTool({"templates"}, empty.path()).lines.size(), 134);
    EXPECT_EQ(PrintTool({"templates", "--bogus"}).exitCode, 2);
}

TEST(TemplatesCommand, ZweckformThirtyFourSeventyFivePrintsItsLabelsWhereItsXmlSays)
{
    Book book;
    ASSERT_TRUE(book.opened);
    QStringList first;
    for (book.table.First(); !book.table.Eof(); book.table.Next())
        first << ComposeLabelLines(TableFieldReader(book.table), {}).join(' ').split(' ', Qt::SkipEmptyParts).value(0);
    book.table.Close();
    QSizeF label;
    const std::vector<QPointF> corners = XmlCorners("Zweckform 3475", &label);
    ASSERT_EQ(corners.size(), 24u);

    const QString pdf = book.dir.filePath("z.pdf");
    ASSERT_EQ(PrintTool({"labels", book.path, "--template", "Zweckform 3475", "-o", pdf}).exitCode, 0);
    const PdfReadBack read = ReadPdf(pdf);
    EXPECT_EQ(read.pages.size(), (first.size() + 23) / 24);
    int checked = 0;
    for (int i = 0; i < 24; ++i) {
        if (first[i].isEmpty()) // a record without an address still takes its position
            continue;
        ++checked;
        const QRectF cell(corners[static_cast<std::size_t>(i)], label);
        const QVector<PdfWord> words = read.Words(1);
        EXPECT_TRUE(std::any_of(words.begin(), words.end(),
                                [&](const PdfWord& w) {
                                    return w.text == first[i] && cell.contains(QPointF(w.xMin, w.yMin)) &&
                                           cell.contains(QPointF(w.xMax, w.yMax));
                                }))
            << "label " << i + 1 << " " << first[i].toStdString();
    }
    EXPECT_GT(checked, 20);
    EXPECT_EQ(PrintTool({"labels", book.path, "--template", "Zweckform 99999", "-o", pdf}).exitCode, 1);
}
