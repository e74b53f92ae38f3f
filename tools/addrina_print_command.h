#pragma once
// addrina-print's sub-commands and the argument rules they share. Each sub-command lives
// in its own file and registers itself:
//
//   static const addrinaprint::Registrar reg{"report", "<1-4> <address file> ...", RunReport};
//
// Every sub-command takes its positional arguments first or among the options, options
// as "--name value" or plain switches, and either "-o <out.pdf>" or "--printer [QUEUE]"
// (the next argument is the queue unless it starts with "-"; alone, the default queue). A wrong
// argument is a usage error (exit 2); a file that cannot be read or written is a
// failure (exit 1). Nothing is ever written to the address file.

#include "barcode/barcodechoice.h"
#include "platform/printers.h"

#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <stdexcept>

class AddressSession;
class TReportPrinter;

namespace addrinaprint {

// Ends the command with a message on standard error and exit code 1.
struct Failure : std::runtime_error {
    explicit Failure(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// Ends the command with the message, its usage and exit code 2.
struct UsageError : Failure {
    using Failure::Failure;
};

struct OptionSpec {
    int positional = 0;
    QStringList valued;   // "--filter" ...
    QStringList switches; // "--codes" ...
};

struct ParsedArgs {
    QStringList positional;
    QMap<QString, QString> values;
    QSet<QString> switches;

    QString Value(const QString& option) const { return values.value(option); }
    bool Has(const QString& option) const { return values.contains(option) || switches.contains(option); }
    QString Output() const { return values.value(QStringLiteral("-o")); }
    // Whether the output goes to a print queue; Queue() is empty for the default one.
    bool ToPrinter() const { return Has(QStringLiteral("--printer")); }
    QString Queue() const { return values.value(QStringLiteral("--printer")); }
};

// Parses a sub-command's arguments; "-o" and "--printer" are added to every spec and
// exactly one of them must be given.
ParsedArgs ParseArgs(const QStringList& args, OptionSpec spec);

// Opens an address file for reading only; a file that cannot be opened is a Failure.
void OpenAddressFile(AddressSession& session, const QString& path);
// Keeps only the records an xBase expression lets through (and never deleted ones); an
// expression the engine refuses is a usage error. Without an expression, all records.
void ApplyFilterArgument(AddressSession& session, const QString& expression);

// Orders the records by an index tag; a tag the file does not have is a usage error.
// Without one, natural record order.
void ApplyOrderArgument(AddressSession& session, const QString& tag);

// --barcode and --barcode-corner over the barcode chosen so far; a wrong one is a usage
// error.
void ApplyBarcodeArguments(const ParsedArgs& parsed, BarcodeChoice& barcode);

// The notes of a label or envelope run on standard error, their paragraphs ("\r\r") as
// lines: the lost lines with how --fit helps, then the barcodes left off. The output is
// written all the same; the notes say what to check.
void PrintRunNotes(const QString& lostLines, const QString& barcodes);

// The printer the output goes to: "PDF file" writing the -o file while the object lives,
// or the queue of --printer (the default queue when it names none). A queue the system
// does not have is a Failure.
class OutputPrinter {
public:
    explicit OutputPrinter(const ParsedArgs& parsed);
    QString Name() const { return name_; }
    // Chooses the printer, or the PDF file, on the setup.
    void ApplyTo(PrinterSetup& setup) const;
    // The file written, or the queue, for messages.
    QString Describe() const;

private:
    QString name_;
    QString file_;
};

// Runs the report into its output; one that could not be written is a Failure.
void RunReportTo(TReportPrinter& report, const OutputPrinter& destination);

// The template catalogue: the user's own, as the program reads it, else the one installed.
QString CataloguePath();

using CommandFn = std::function<int(const QStringList& args)>;

struct Command {
    QString usage;
    CommandFn run;
    QString help; // what "addrina-print COMMAND --help" explains below the usage
};

class Registry {
public:
    static Registry& Instance();
    void Add(const QString& name, Command command) { commands_[name] = std::move(command); }
    const Command* Find(const QString& name) const;
    const std::map<QString, Command>& All() const { return commands_; }

private:
    std::map<QString, Command> commands_;
};

struct Registrar {
    Registrar(const QString& name, const QString& usage, CommandFn run, const QString& help = {});
};

} // namespace addrinaprint
