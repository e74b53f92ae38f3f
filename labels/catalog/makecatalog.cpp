// Builds the label template catalogue from the table of label sheets:
//   makecatalog templates.tsv adr.tpl

#include "labels/labelcatalog.h"
#include "labels/templatetable.h"

#include <QFile>
#include <QSaveFile>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: makecatalog <sheets.tsv> <adr.tpl>\n");
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "makecatalog: cannot read %s\n", argv[1]);
        return 1;
    }
    QString error;
    const auto sheets = ParseTemplateTable(QString::fromUtf8(in.readAll()), &error);
    if (!sheets) {
        std::fprintf(stderr, "makecatalog: %s: %s\n", argv[1], qPrintable(error));
        return 1;
    }
    try {
        const std::string bytes = CatalogBytes(*sheets);
        QSaveFile out(QString::fromLocal8Bit(argv[2]));
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes.data(), qint64(bytes.size())) < 0 || !out.commit()) {
            std::fprintf(stderr, "makecatalog: cannot write %s\n", argv[2]);
            return 1;
        }
    } catch (const LabelFileError& e) {
        std::fprintf(stderr, "makecatalog: %s\n", e.what());
        return 1;
    }
    return 0;
}
