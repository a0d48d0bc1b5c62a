#include "cli/ImportCommand.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <stdexcept>

#include "cli/CatalogueImportTarget.h"
#include "import/ImportObserver.h"
#include "import/ImportSession.h"

namespace velmora::cli {

namespace {

constexpr const char* kUsage = "usage: velmora-cli import [--class NAME] [--dry-run] FILE";

struct ImportArguments {
    std::string className = "DirectDraw";
    bool dryRun = false;
    std::string file;
};

std::optional<ImportArguments> ParseArguments(const std::vector<std::string>& args)
{
    ImportArguments parsed;
    bool haveFile = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--dry-run") {
            parsed.dryRun = true;
        } else if (arg == "--class") {
            if (++i == args.size() || args[i].empty()) return std::nullopt;
            parsed.className = args[i];
        } else if (arg.starts_with("--class=") && arg.size() > 8) {
            parsed.className = arg.substr(8);
        } else if (arg.starts_with("-") || haveFile || arg.empty()) {
            return std::nullopt;
        } else {
            parsed.file = arg;
            haveFile = true;
        }
    }
    if (!haveFile) return std::nullopt;
    return parsed;
}

// The trace goes out line by line as it is written; the status label is only
// worth its last caption.
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

    const std::string& status() const { return status_; }

private:
    std::ostream& out_;
    std::string status_;
};

} // namespace

int RunImportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const std::optional<ImportArguments> parsed = ParseArguments(args);
    if (!parsed) {
        err << kUsage << '\n';
        return 2;
    }
    StreamObserver observer(out);
    import::ImportOutcome outcome;
    try {
        const std::string path = std::filesystem::absolute(parsed->file).lexically_normal().string();
        std::optional<CatalogueImportTarget> catalogue;
        if (!parsed->dryRun) catalogue.emplace(parsed->className);
        import::ImportSession session(observer, catalogue ? &catalogue->saveTarget() : nullptr);
        outcome = session.ImportFile(path);
    } catch (const std::exception& e) {
        // An unreadable file, the catalogue or the file system: the import
        // could not run (to its end).
        out.flush();
        err << "velmora-cli import: " << e.what() << '\n';
        return 2;
    }
    out.flush();
    err << "status: " << observer.status() << '\n';
    return outcome == import::ImportOutcome::Succeeded ? 0 : 1;
}

} // namespace velmora::cli
