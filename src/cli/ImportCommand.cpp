#include "cli/ImportCommand.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <filesystem>
#include <istream>
#include <new>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <utility>

#include "catalogue/FoundationClasses.h"
#include "cli/CatalogueImportTarget.h"
#include "cli/output/UpdateReport.h"
#include "cli/output/ImportJson.h"
#include "cli/output/ProgressLine.h"
#include "cli/output/TraceWriter.h"
#include "import/ImportObserver.h"
#include "import/ImportSession.h"
#include "import/ParsedStructures.h"
#include "import/RowBuffer.h"
#include "importsave/UpdateSummary.h"
#include "text/TraceText.h"

namespace velmora::cli {

namespace {

const QCommandLineOption ClassOption(QStringLiteral("class"),
                                     QStringLiteral("The foundation class the structures are filed under, exactly "
                                                    "as the catalogue names it (DirectDraw, DirectSound, ...); "
                                                    "default: DirectDraw. Under --dry-run it is checked when a "
                                                    "catalogue can be reached and accepted unchecked otherwise."),
                                     QStringLiteral("NAME"), QStringLiteral("DirectDraw"));
const QCommandLineOption DryRunOption(QStringLiteral("dry-run"),
                                      QStringLiteral("Parse and trace only; the catalogue is not opened."));
const QCommandLineOption UpdateOption(
    QStringLiteral("update"),
    QStringLiteral("Match the file's items with those the catalogue holds in the foundation class instead of "
                   "adding them again: a structure by its name, a member by its name within its structure, a flag "
                   "by its first word within its member. A matched item takes the file's descriptions, types and "
                   "flag texts and keeps its status and every BCB value edited since it was imported; items new in "
                   "the file are added, items the file no longer names are kept. Standard error ends with the "
                   "counts by level."));
const QCommandLineOption EmitJsonOption(
    QStringLiteral("emit-json"),
    QStringLiteral("Also write what was parsed to PATH as one JSON object, when the whole file parsed and before "
                   "anything is stored (under --dry-run too): \"kind\", \"file\", and either \"structures\" "
                   "(each with its members, each member with its flags) or \"interfaces\" (the parser's lists "
                   "by name, each an array in parse order). A file that cannot be written stores nothing."),
    QStringLiteral("PATH"));

// The trace goes out through large buffers while the file is parsed; while the
// catalogue is written line by line too, unless standard output is a file that
// no one reads meanwhile, and all of it before the save commits. The status
// label is only worth its last caption, the error report's diagnostic only at
// the end. A line standard output cannot take ends the import, storing nothing.
// Trace lines and captions also tell a progress line how far the import has
// come: the parse's row under the cursor, then the save's "Saving ..."
// captions, one a record.
class StreamObserver : public import::ImportObserver {
public:
    explicit StreamObserver(std::ostream& out) : trace_(out) {}

    void SetTraceCaption(const std::string&) override {}
    void ClearTrace() override {}
    void AppendTrace(const import::TraceLine& line) override
    {
        trace_.Write(line);
        if (flushEachLine_)
            trace_.Flush();
        if (progress_ && records_ < 0)
            progress_->update(ProgressLine::Stage::Rows, rows_->Current(), rows_->Count());
    }
    void SetStatus(const std::string& caption, bool) override
    {
        text::AssignConcat(status_, caption);  // several times a row: no call to memcpy
        if (progress_ && records_ >= 0 && isRecordCaption(caption))
            progress_->update(ProgressLine::Stage::Records, ++saved_, records_);
    }
    void ShowTrace() override {}
    void BeginErrorReport(const import::ImportDiagnostic& diagnostic) override { diagnostic_ = diagnostic; }

    // Every line so far reaches standard output, or throws OutputError.
    void flush() { trace_.Flush(); }
    // The same when the import already failed: what the output still takes.
    void flushUnchecked() { trace_.FlushUnchecked(); }
    // While the catalogue is written: every line reaches standard output (or
    // fails) before the save goes on.
    void setFlushEachLine(bool on) { flushEachLine_ = on; }
    // Before the save commits, every line so far reaches standard output (or
    // fails): a failed output stores nothing.
    void BeforeCommit() override { trace_.Flush(); }
    void reportProgress(ProgressLine& progress, const import::RowBuffer& rows)
    {
        progress_ = &progress;
        rows_ = &rows;
    }
    void beginSave(long long records) { records_ = records; }
    const std::string& status() const { return status_; }
    const std::optional<import::ImportDiagnostic>& diagnostic() const { return diagnostic_; }

private:
    // One caption a record, in a plain save and in an update.
    static bool isRecordCaption(const std::string& caption)
    {
        return caption.starts_with("Saving ") || caption.starts_with("Updating ") || caption.starts_with("Adding ");
    }

    TraceWriter trace_;
    std::string status_;
    std::optional<import::ImportDiagnostic> diagnostic_;
    bool flushEachLine_ = false;
    ProgressLine* progress_ = nullptr;
    const import::RowBuffer* rows_ = nullptr;
    long long records_ = -1;   // to save; -1 while parsing
    long long saved_ = 0;
};

// Hands parsed structures to --emit-json, then to the catalogue (unless a dry
// run), and only when standard output took the whole trace so far. Before a
// plain save it counts the file's structures the class holds already.
class CheckedSave : public import::StructuresSaveTarget {
public:
    CheckedSave(CatalogueImportTarget* catalogue, StreamObserver& observer, QString jsonPath, std::string file,
                bool outIsFile)
        : catalogue_(catalogue), observer_(observer), jsonPath_(std::move(jsonPath)), file_(std::move(file)),
          outIsFile_(outIsFile)
    {
    }

    void SaveStructures(import::ParsedStructures& lists, import::ImportObserver& observer) override
    {
        observer_.flush();
        if (!jsonPath_.isEmpty())
            writeJsonFile(jsonPath_, structuresJson(lists, file_));
        if (!catalogue_)
            return;
        if (!catalogue_->updateSummary()) {
            structures_ = static_cast<long long>(lists.Structure_Names.size());
            alreadyStored_ = catalogue_->structuresAlreadyStored(lists.Structure_Names);
        }
        // A reader of a pipe or a terminal sees the save go on; a file has none,
        // and a write a line would double the save's time.
        observer_.setFlushEachLine(!outIsFile_);
        observer_.beginSave(static_cast<long long>(lists.Structure_Names.size() + lists.Member_Names.size() +
                                                   lists.Flag_Names.size()));
        catalogue_->saveTarget().SaveStructures(lists, observer);
        saved_ = true;
    }

    bool saved() const { return saved_; }
    long long structures() const { return structures_; }
    long long alreadyStored() const { return alreadyStored_; }

private:
    CatalogueImportTarget* catalogue_;
    StreamObserver& observer_;
    QString jsonPath_;
    std::string file_;
    bool outIsFile_;
    bool saved_ = false;
    long long structures_ = 0;
    long long alreadyStored_ = 0;
};

// Closes the catalogue when the import is over, before anything reaches
// standard error: the import's status, or its failure.
class ClosedAtEnd {
public:
    explicit ClosedAtEnd(OpenCatalogue* catalogue) : catalogue_(catalogue) {}
    ~ClosedAtEnd()
    {
        if (catalogue_)
            catalogue_->close();
    }
    ClosedAtEnd(const ClosedAtEnd&) = delete;
    ClosedAtEnd& operator=(const ClosedAtEnd&) = delete;

private:
    OpenCatalogue* catalogue_;
};

// What the user learns on standard error before the status: what the file's
// encoding made of it, then where the file broke, or what a success did not
// do or did twice.
std::string Epilogue(const std::string& file, const StreamObserver& observer, const import::ImportSession& session,
                     bool dryRun, const std::optional<CheckedSave>& save, const CatalogueImportTarget* catalogue,
                     const QString& className)
{
    const std::string encoding = import::FormatEncodingNotes(file, session.Encoding());
    if (observer.diagnostic())
        return encoding + import::FormatDiagnostic(file, *observer.diagnostic());
    if (session.Kind() == import::ImportKind::Interfaces)
        return encoding + file + ": note: interfaces are checked, not stored: the catalogue is unchanged\n";
    if (dryRun)
        return encoding + file + ": note: dry run: nothing was stored in the catalogue\n";
    if (!save || !save->saved())
        return encoding;
    if (const importsave::UpdateSummary* summary = catalogue->updateSummary())
        return encoding + UpdateNotes(file, *summary);
    if (save->alreadyStored() > 0)
        return encoding + AlreadyStoredNote(file, save->alreadyStored(), save->structures(), className.toStdString());
    return encoding;
}

} // namespace

QString ImportCommand::description() const
{
    return QStringLiteral(
        "Imports a documentation file (its first row says Structures or Interfaces) the way the window's import "
        "does: every row and decision goes to standard output as the trace, the last status caption to standard "
        "error as \"status: CAPTION\". Where the file breaks the layout, standard error names the place first, as "
        "PATH:LINE: error: REASON followed by the offending text, and a file that ends inside a definition gets a "
        "note naming it and the line it starts at; after a dry run or an Interfaces file it says that nothing was "
        "stored. A file that starts with a UTF-16 byte-order mark gets an error saying so, and one that holds UTF-8 "
        "and bytes that are not is read as Windows-1252 with a warning naming the line of the first such byte. A "
        "structures file that parses completely is saved into the catalogue in "
        "one transaction; a file with an error stores nothing.\n"
        "Standard output must take the whole trace: when it fails (a full disk) the import stops with a message "
        "and exit 2, and when it is closed early (import FILE | head) the import ends by SIGPIPE; either way it "
        "stores nothing. Send the trace to /dev/null when only the outcome matters.\n"
        "When standard error is a terminal that standard output is not, an import that takes more than a second "
        "shows how far it has come on standard error (rows parsed, then records saved, with a percentage unless "
        "the file is standard input) and wipes that line at the end.");
}

QList<QCommandLineOption> ImportCommand::options() const
{
    return {ClassOption, DryRunOption, UpdateOption, EmitJsonOption};
}

QList<CommandArgument> ImportCommand::arguments() const
{
    return {{QStringLiteral("FILE"),
             QStringLiteral("The file to import; - reads standard input, called <stdin> in the trace.")}};
}

QString ImportCommand::exitStatus() const
{
    return QStringLiteral("0 imported, 1 the import reported an error in the file, 2 the command could not run "
                          "(an unreadable file, no catalogue, an unknown foundation class, a JSON file that cannot be written).");
}

CatalogueCommand::Opening ImportCommand::opening(const QCommandLineParser& parser) const
{
    return parser.isSet(DryRunOption) ? Opening::IfReachable : Opening::Checked;
}

QString ImportCommand::mistake(const QCommandLineParser& parser) const
{
    if (parser.value(ClassOption).isEmpty())
        return QStringLiteral("--class needs a foundation class name");
    if (parser.isSet(DryRunOption) && parser.isSet(UpdateOption))
        return QStringLiteral("--dry-run stores nothing and --update stores; give one of them");
    if (parser.isSet(EmitJsonOption)) {
        const QString jsonPath = parser.value(EmitJsonOption);
        if (jsonPath.isEmpty())
            return QStringLiteral("--emit-json needs a file name");
        const QDir folder = QFileInfo(jsonPath).absoluteDir();
        if (!folder.exists())
            return QStringLiteral("cannot write %1: the folder %2 does not exist")
                .arg(jsonPath, QDir::toNativeSeparators(folder.path()));
    }
    return {};
}

int ImportCommand::runOn(OpenCatalogue& catalogue, const QCommandLineParser& parser, CommandContext& context)
{
    return importInto(&catalogue, parser, context);
}

int ImportCommand::runUnreached(const QCommandLineParser& parser, CommandContext& context)
{
    return importInto(nullptr, parser, context);
}

int ImportCommand::importInto(OpenCatalogue* opened, const QCommandLineParser& parser, CommandContext& context)
{
    std::ostream& out = context.out;
    std::ostream& err = context.err;
    const QString className = parser.value(ClassOption);
    const bool dryRun = parser.isSet(DryRunOption);
    const bool update = parser.isSet(UpdateOption);
    const QString jsonPath = parser.value(EmitJsonOption);
    const std::string file = parser.positionalArguments().first().toStdString();
    const bool fromStandardInput = file == "-";
    const std::string shownName = fromStandardInput ? StandardInputName : file;
    StreamObserver observer(out);
    import::ImportOutcome outcome;
    std::string epilogue;
    std::string totals;   // of an update, after the status
    try {
        const ClosedAtEnd closing(opened);
        std::optional<CatalogueImportTarget> catalogue;
        if (dryRun && opened)
            catalogue::checkFoundationClass(className, opened->tables.database);
        else if (!dryRun)
            catalogue.emplace(className, opened->tables,
                              update ? CatalogueImportTarget::Save::Update : CatalogueImportTarget::Save::Append);
        if (fromStandardInput && context.in.peek() == std::char_traits<char>::eof())
            return fail(context, QStringLiteral("nothing to import on standard input"));
        std::optional<CheckedSave> save;
        if (catalogue || !jsonPath.isEmpty())
            save.emplace(catalogue ? &*catalogue : nullptr, observer, jsonPath, shownName, context.outIsFile);
        import::ImportSession session(observer, save ? &*save : nullptr);
        // Wiped when it goes out of scope, before anything else reaches standard error.
        std::optional<ProgressLine> progress;
        if (context.progress) {
            progress.emplace(err, !fromStandardInput);
            observer.reportProgress(*progress, session.Rows());
        }
        outcome = fromStandardInput
                      ? session.ImportStream(context.in, StandardInputName)
                      : session.ImportFile(std::filesystem::absolute(file).lexically_normal().string());
        observer.flush();
        if (!jsonPath.isEmpty() && outcome == import::ImportOutcome::Succeeded &&
            session.Kind() == import::ImportKind::Interfaces)
            writeJsonFile(jsonPath, interfacesJson(session.Interfaces(), shownName));
        epilogue = Epilogue(shownName, observer, session, dryRun, save, catalogue ? &*catalogue : nullptr, className);
        if (catalogue && save && save->saved() && catalogue->updateSummary())
            totals = UpdateTotals(*catalogue->updateSummary());
        if (progress)
            progress->clear();
    } catch (const std::bad_alloc&) {
        observer.flushUnchecked();
        return fail(context, QStringLiteral("not enough memory to import %1").arg(QString::fromStdString(file)));
    } catch (const std::exception& e) {
        // An unreadable file, the catalogue or the file system: the import
        // could not run (to its end).
        observer.flushUnchecked();
        return fail(context, QString::fromUtf8(e.what()));
    }
    err << epilogue << "status: " << observer.status() << '\n' << totals;
    return outcome == import::ImportOutcome::Succeeded ? 0 : 1;
}

} // namespace velmora::cli
