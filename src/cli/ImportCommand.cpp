#include "cli/ImportCommand.h"

#include <QCommandLineParser>
#include <filesystem>
#include <optional>
#include <ostream>
#include <stdexcept>

#include "cli/CatalogueImportTarget.h"
#include "import/ImportObserver.h"
#include "import/ImportSession.h"

namespace velmora::cli {

namespace {

const QCommandLineOption ClassOption(QStringLiteral("class"),
                                     QStringLiteral("The foundation class the structures are filed under "
                                                    "(default: DirectDraw)."),
                                     QStringLiteral("NAME"), QStringLiteral("DirectDraw"));
const QCommandLineOption DryRunOption(QStringLiteral("dry-run"),
                                      QStringLiteral("Parse and trace only; the catalogue is not opened."));

// The trace goes out line by line as it is written; the status label is only
// worth its last caption, the error report's diagnostic only at the end.
class StreamObserver : public import::ImportObserver {
public:
    explicit StreamObserver(std::ostream& out) : out_(out) {}

    void SetTraceCaption(const std::string&) override {}
    void ClearTrace() override {}
    void AppendTrace(std::string line) override
    {
        line.push_back('\n');
        out_.write(line.data(), static_cast<std::streamsize>(line.size()));
    }
    void SetStatus(const std::string& caption, bool) override { status_ = caption; }
    void ShowTrace() override {}
    void BeginErrorReport(const import::ImportDiagnostic& diagnostic) override { diagnostic_ = diagnostic; }

    const std::string& status() const { return status_; }
    const std::optional<import::ImportDiagnostic>& diagnostic() const { return diagnostic_; }

private:
    std::ostream& out_;
    std::string status_;
    std::optional<import::ImportDiagnostic> diagnostic_;
};

// What the user learns on standard error besides the status: where the file
// broke, or what a success did not do.
std::string Epilogue(const std::string& file, const StreamObserver& observer, const import::ImportSession& session,
                     bool dryRun)
{
    if (observer.diagnostic()) return import::FormatDiagnostic(file, *observer.diagnostic());
    if (session.Kind() == import::ImportKind::Interfaces)
        return file + ": note: interfaces are checked, not stored: the catalogue is unchanged\n";
    if (dryRun) return file + ": note: dry run: nothing was stored in the catalogue\n";
    return {};
}

} // namespace

QString ImportCommand::description() const
{
    return QStringLiteral(
        "Imports a documentation file (its first row says Structures or Interfaces) the way the window's import "
        "does: every row and decision goes to standard output as the trace, the last status caption to standard "
        "error as \"status: CAPTION\". Where the file breaks the layout, standard error names the place first, as "
        "PATH:LINE: error: REASON followed by the offending text; after a dry run or an Interfaces file it says "
        "that nothing was stored. A structures file that parses completely is saved into the catalogue in "
        "one transaction; a file with an error stores nothing.\n"
        "When standard output is closed early (import FILE | head), the import ends by SIGPIPE and stores "
        "nothing; send the trace to /dev/null instead.");
}

QList<QCommandLineOption> ImportCommand::options() const
{
    return {ClassOption, DryRunOption};
}

QList<CommandArgument> ImportCommand::arguments() const
{
    return {{QStringLiteral("FILE"), QStringLiteral("The file to import.")}};
}

QString ImportCommand::exitStatus() const
{
    return QStringLiteral("0 imported, 1 the import reported an error in the file, 2 the command could not run "
                          "(an unreadable file, no catalogue).");
}

int ImportCommand::run(const QCommandLineParser& parser, CommandContext& context)
{
    std::ostream& out = context.out;
    std::ostream& err = context.err;
    const std::string className = parser.value(ClassOption).toStdString();
    if (className.empty())
        return fail(context, QStringLiteral("--class needs a foundation class name"));
    const bool dryRun = parser.isSet(DryRunOption);
    const std::string file = parser.positionalArguments().first().toStdString();
    StreamObserver observer(out);
    import::ImportOutcome outcome;
    std::string epilogue;
    try {
        const std::string path = std::filesystem::absolute(file).lexically_normal().string();
        std::optional<CatalogueImportTarget> catalogue;
        if (!dryRun) catalogue.emplace(className);
        import::ImportSession session(observer, catalogue ? &catalogue->saveTarget() : nullptr);
        outcome = session.ImportFile(path);
        epilogue = Epilogue(file, observer, session, dryRun);
    } catch (const std::exception& e) {
        // An unreadable file, the catalogue or the file system: the import
        // could not run (to its end).
        return fail(context, QString::fromUtf8(e.what()));
    }
    out.flush();
    err << epilogue << "status: " << observer.status() << '\n';
    return outcome == import::ImportOutcome::Succeeded ? 0 : 1;
}

} // namespace velmora::cli
