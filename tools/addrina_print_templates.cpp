// addrina-print templates: every sheet --template takes, the catalogue's and the system's
// label library's, one a line, for scripts and for finding a part number.
#include "labels/labelcatalog.h"
#include "labels/sheetoffer.h"
#include "tools/addrina_print_command.h"

#include <cstdio>

namespace {

using namespace addrinaprint;

int RunTemplates(const QStringList& args)
{
    const bool searching = args.size() == 2 && args[0] == QLatin1String("--search");
    if (!args.isEmpty() && !searching)
        throw UsageError(QStringLiteral("takes only --search TEXT"));
    const SheetLibrary& library = SystemSheetLibrary();
    for (const SheetOffer& offer : SheetOffers(ReadCatalog(CataloguePath()), library))
        if (offer.Matches(searching ? args[1] : QString(), QString()))
            std::printf("%s\n", qUtf8Printable(offer.Line()));
    if (library.leftOut > 0)
        std::fprintf(stderr, "addrina-print: %s\n", qUtf8Printable(SheetLibraryLeftOut(library)));
    return 0;
}

const Registrar registrar{QStringLiteral("templates"), QStringLiteral("[--search TEXT]"), RunTemplates,
                          QStringLiteral(R"(Lists every label sheet that --template takes, one a line, in five columns
separated by tabs: maker, name or part number, paper, across x down, description.
The template catalogue comes first, then the sheets of the system's label library
(/usr/share/libglabels-3.0/templates and ~/.config/libglabels/templates, or the
folders of ADDRINA_LABEL_LIBRARY separated by ":") by maker and part number. A library
sheet is named to --template as "MAKER PART", e.g. "Zweckform 3475".

  --search TEXT   only the sheets whose maker, name, paper or description hold every
                  word of TEXT, in either case

Sheets of the library that a label setup cannot hold (several layouts on one sheet,
CD labels) are left out; standard error says how many, and names any library file
that could not be read.
)")};

} // namespace
