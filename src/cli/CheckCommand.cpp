#include "cli/CheckCommand.h"

#include <QCommandLineParser>
#include <algorithm>
#include <optional>
#include <ostream>

#include "import/ImportObserver.h"
#include "import/ImportSession.h"
#include "text/RowLoader.h"

namespace velmora::cli {

namespace {

// Hears only the error report: a check prints no trace.
class DiagnosticObserver : public import::ImportObserver {
public:
    void ClearTrace() override { diagnostic_.reset(); }
    void BeginErrorReport(const import::ImportDiagnostic& diagnostic) override { diagnostic_ = diagnostic; }

    const std::optional<import::ImportDiagnostic>& diagnostic() const { return diagnostic_; }

private:
    std::optional<import::ImportDiagnostic> diagnostic_;
};

} // namespace

QString CheckCommand::summary() const
{
    return QStringLiteral("say where files break the import layout, without trace or catalogue");
}

QString CheckCommand::description() const
{
    return QStringLiteral(
        "Parses each file as 'import --dry-run' does, without printing the trace and without a catalogue. For "
        "each file that breaks the layout it prints, on standard output, the line PATH:LINE: error: REASON (PATH: "
        "error: REASON when the rows ran out before the error) and the offending text, indented, on the next "
        "line, and PATH: note: ... when the file ends inside a definition; the encoding diagnostics of 'import' "
        "(a UTF-16 file, a file read as Windows-1252 though it holds UTF-8) come first, in the same form. A file "
        "that parses and needs no warning prints nothing. A file that cannot be read (missing, unreadable, a "
        "directory) "
        "is named on standard error and the other files are still checked. Directories are not searched: let "
        "the shell list the files (velmora-cli check docs/*.txt).");
}

QList<CommandArgument> CheckCommand::arguments() const
{
    return {{QStringLiteral("FILE"), QStringLiteral("A file to check; - reads standard input, called <stdin> in "
                                                    "the report."),
             CommandArgument::Arity::OneOrMore}};
}

QString CheckCommand::exitStatus() const
{
    return QStringLiteral("0 every file parses, 1 some file breaks the layout, 2 some file could not be read "
                          "(2 wins over 1).");
}

int CheckCommand::run(const QCommandLineParser& parser, CommandContext& context)
{
    DiagnosticObserver observer;
    import::ImportSession session(observer, nullptr);
    int worst = 0;
    for (const QString& argument : parser.positionalArguments()) {
        const bool fromStandardInput = argument == QStringLiteral("-");
        const std::string file = fromStandardInput ? StandardInputName : argument.toStdString();
        try {
            const bool parsed = (fromStandardInput ? session.ImportStream(context.in, file)
                                                   : session.ImportFile(file)) == import::ImportOutcome::Succeeded;
            context.out << import::FormatEncodingNotes(file, session.Encoding());
            if (parsed)
                continue;
            if (observer.diagnostic())
                context.out << import::FormatDiagnostic(file, *observer.diagnostic());
            worst = std::max(worst, 1);
        } catch (const text::ImportFileError& error) {
            context.out.flush();
            context.err << ProgramName.toStdString() << ' ' << name().toStdString() << ": " << error.what() << '\n';
            worst = 2;
        }
    }
    context.out.flush();
    return worst;
}

} // namespace velmora::cli
