#include "convert/ImportCheck.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "import/ImportObserver.h"
#include "import/ImportSession.h"
#include "import/ParsedStructures.h"

namespace velmora::convert {

namespace {

// Keeps the trace from the error report on.
class ErrorTrace : public import::ImportObserver {
public:
    std::string error;

    void AppendTrace(const import::TraceLine& trace) override
    {
        const std::string line = trace.ToString();
        if (line == "Error:" || line.starts_with("Could not parse")) reporting_ = true;
        if (reporting_) error += (error.empty() ? "" : " / ") + line;
    }
private:
    bool reporting_ = false;
};

class CountingTarget : public import::StructuresSaveTarget {
public:
    void SaveStructures(import::ParsedStructures& lists, import::ImportObserver&) override
    {
        structures = lists.Structure_Names.size();
        members = lists.Member_Names.size();
        flags = lists.Flag_Names.size();
    }
    std::size_t structures = 0, members = 0, flags = 0;
};

// A file of our own in the temporary folder, removed when done.
class TemporaryFile {
public:
    TemporaryFile()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "velmora-convert-XXXXXX").string();
        const int fd = mkstemp(pattern.data());
        if (fd < 0) throw std::runtime_error("cannot create a temporary file in " + pattern);
        close(fd);
        path_ = pattern;
    }
    ~TemporaryFile() { std::remove(path_.c_str()); }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

} // namespace

ImportCheck CheckWithImport(const std::vector<std::string>& rows)
{
    TemporaryFile file;
    {
        std::ofstream out(file.path(), std::ios::binary);
        for (const std::string& row : rows) out << row << '\n';
    }
    ErrorTrace trace;
    CountingTarget counts;
    import::ImportSession session(trace, &counts);
    ImportCheck check;
    check.succeeded = session.ImportFile(file.path()) == import::ImportOutcome::Succeeded;
    check.error = trace.error;
    if (!rows.empty() && rows.front() == "Interfaces") {
        const import::InterfaceLists& lists = session.Interfaces();
        check.items = lists.Interface_Names.size();
        check.members = lists.Parameter_Names.size();
        check.flags = lists.Flag_Names.size();
    } else {
        check.items = counts.structures;
        check.members = counts.members;
        check.flags = counts.flags;
    }
    return check;
}

} // namespace velmora::convert
