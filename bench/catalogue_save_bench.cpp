// Speed of saving a parsed structures file into the catalogue, against the
// sqlite3 command-line tool loading the same rows into the same schema. Run by hand:
//   catalogue_save_bench [--structures N] [--members-per-structure M] [--flags-per-member F] [--keep DIR]
// Defaults: 100,000 structures, 10 members each, 1 flag per member. Build Release.

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <algorithm>
#include <fstream>
#include <string>

#include "catalogue/AliasRegistry.h"
#include "catalogue/CatalogueFile.h"
#include "catalogue/CatalogueNames.h"
#include "catalogue/CatalogueTables.h"
#include "catalogue/SqlDialect.h"
#include "import/ImportObserver.h"
#include "import/IndexTags.h"
#include "import/ParsedStructures.h"
#include "import/save/CatalogueStructuresSaver.h"

namespace {

using namespace velmora;
using Clock = std::chrono::steady_clock;

struct Sizes {
    long structures = 100000;
    long membersPerStructure = 10;
    long flagsPerMember = 1;
};

// Builds every caption as the window would, keeps none of them.
class DiscardingObserver : public import::ImportObserver {
public:
    void AppendTrace(std::string line) override { bytes_ += line.size(); }
    void SetStatus(const std::string& caption, bool) override { bytes_ += caption.size(); }

private:
    std::size_t bytes_ = 0;
};

std::string structureName(long s) { return "DDSTRUCTURE_" + std::to_string(s); }
std::string structureDescription(long s) { return "The DDSTRUCTURE_" + std::to_string(s) + " structure describes one thing of the benchmark."; }
std::string memberName(long m) { return "dwMember" + std::to_string(m); }
std::string memberDescription(long m) { return "Member number " + std::to_string(m) + " of its structure, as documented."; }
std::string flagName(long f) { return "DDFLAG_" + std::to_string(f); }
std::string flagDescription(long f) { return "Flag number " + std::to_string(f) + " is set when the benchmark says so."; }

import::ParsedStructures buildLists(const Sizes& sizes)
{
    import::ParsedStructures lists;
    const long members = sizes.structures * sizes.membersPerStructure;
    lists.Structure_Names.reserve(sizes.structures);
    lists.Structure_Descriptions.reserve(sizes.structures);
    lists.Member_Names.reserve(members);
    lists.Member_Types.reserve(members);
    lists.Member_Descriptions.reserve(members);
    lists.Flag_Names.reserve(members * sizes.flagsPerMember);
    lists.Flag_Descriptions.reserve(members * sizes.flagsPerMember);
    long m = 0, f = 0;
    for (long s = 0; s < sizes.structures; ++s) {
        lists.Structure_Names.push_back(structureName(s));
        lists.Structure_Descriptions.push_back(structureDescription(s));
        for (long i = 0; i < sizes.membersPerStructure; ++i, ++m) {
            lists.Member_Names.push_back(memberName(m));
            lists.Member_Types.push_back("DWORD");
            lists.Member_Descriptions.push_back(import::MakeTag("StructureIndex", s) + memberDescription(m));
            for (long k = 0; k < sizes.flagsPerMember; ++k, ++f) {
                lists.Flag_Names.push_back(flagName(f));
                lists.Flag_Descriptions.push_back(import::MakeTag("FlagStructureIndex", s) +
                                                  import::MakeTag("FlagMemberIndex", m) + flagDescription(f));
            }
        }
    }
    return lists;
}

// The same rows as the save writes on a new catalogue, keys from 1.
void writeTsv(const Sizes& sizes, const QString& dir)
{
    std::ofstream structures((dir + "/structures.tsv").toStdString());
    std::ofstream members((dir + "/members.tsv").toStdString());
    std::ofstream flags((dir + "/flags.tsv").toStdString());
    long m = 0, f = 0;
    for (long s = 0; s < sizes.structures; ++s) {
        std::string lower = structureName(s);
        for (char& c : lower)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        structures << s + 1 << "\t1\t" << structureName(s) << '\t' << structureDescription(s) << '\t' << lower << '\t'
                   << structureDescription(s) << "\t0\n";
        for (long i = 0; i < sizes.membersPerStructure; ++i, ++m) {
            members << m + 1 << "\t1\t" << s + 1 << '\t' << memberName(m) << "\tDWORD\t" << memberDescription(m) << '\t'
                    << memberName(m) << "\t\t" << memberDescription(m) << "\t0\n";
            for (long k = 0; k < sizes.flagsPerMember; ++k, ++f)
                flags << f + 1 << "\t1\t" << s + 1 << '\t' << m + 1 << '\t' << flagName(f) << '\t' << flagDescription(f)
                      << '\t' << flagDescription(f) << "\t0\n";
        }
    }
}

double seconds(Clock::time_point from)
{
    return std::chrono::duration<double>(Clock::now() - from).count();
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long peakKb(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return usage.ru_maxrss;
}

// Spawned without copying this process, so the child's peak memory is its own.
int runSqlite(const QString& database, const QString& script, long& peakKbOut)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string scriptPath = script.toStdString();
    posix_spawn_file_actions_addopen(&actions, 0, scriptPath.c_str(), O_RDONLY, 0);
    std::string db = database.toStdString();
    char program[] = "sqlite3";
    char bail[] = "-bail";
    char* args[] = {program, bail, db.data(), nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, "sqlite3", &actions, nullptr, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    // The child's rusage peak starts from ours (it was spawned from this process);
    // its own high-water mark is in /proc while it runs.
    int status = 0;
    const std::string statusFile = "/proc/" + std::to_string(pid) + "/status";
    while (waitpid(pid, &status, WNOHANG) == 0) {
        std::ifstream in(statusFile);
        for (std::string line; std::getline(in, line);)
            if (line.rfind("VmHWM:", 0) == 0)
                peakKbOut = std::max(peakKbOut, std::atol(line.c_str() + 6));
        usleep(20000);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string sqliteScalar(const QString& db, const char* sql)
{
    const std::string command = "sqlite3 '" + db.toStdString() + "' \"" + sql + "\"";
    std::string result;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe))
            result += buffer;
        pclose(pipe);
    }
    while (!result.empty() && result.back() == '\n')
        result.pop_back();
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Sizes sizes;
    QString keep;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (!std::strcmp(argv[i], "--structures") && hasValue) sizes.structures = std::atol(argv[++i]);
        else if (!std::strcmp(argv[i], "--members-per-structure") && hasValue) sizes.membersPerStructure = std::atol(argv[++i]);
        else if (!std::strcmp(argv[i], "--flags-per-member") && hasValue) sizes.flagsPerMember = std::atol(argv[++i]);
        else if (!std::strcmp(argv[i], "--keep") && hasValue) keep = QString::fromLocal8Bit(argv[++i]);
        else {
            std::fprintf(stderr, "usage: catalogue_save_bench [--structures N] [--members-per-structure M] "
                                 "[--flags-per-member F] [--keep DIR]\n");
            return 2;
        }
    }
    QTemporaryDir temp;
    const QString dir = keep.isEmpty() ? temp.path() : keep;
    QDir().mkpath(dir);
    qputenv("XDG_CONFIG_HOME", (dir + "/config").toUtf8());
    const QString ours = dir + "/saved.sqlite";
    const QString theirs = dir + "/imported.sqlite";
    QFile::remove(ours);
    QFile::remove(theirs);

    std::printf("lists: %ld structures, %ld members, %ld flags\n", sizes.structures,
                sizes.structures * sizes.membersPerStructure,
                sizes.structures * sizes.membersPerStructure * sizes.flagsPerMember);
    import::ParsedStructures lists = buildLists(sizes);
    const long baselineKb = peakKb(RUSAGE_SELF);

    catalogue::CatalogueFile::ensure(ours);
    catalogue::AliasRegistry().registerAlias(catalogue::names::Alias, {catalogue::SqlDialect::EmbeddedDriver, ours});
    double saveSeconds = 0;
    double saveCpuSeconds = 0;
    {
        catalogue::CatalogueTables c;
        const int foundationClass = 1;
        DiscardingObserver observer;
        const auto start = Clock::now();
        const double cpuStart = cpuSeconds();
        c.database.setConnected(true);
        importsave::CatalogueStructuresSaver(c.database, c.structures, c.members, c.flags, foundationClass)
            .SaveStructures(lists, observer);
        saveSeconds = seconds(start);
        saveCpuSeconds = cpuSeconds() - cpuStart;
    }
    const long ourPeakKb = peakKb(RUSAGE_SELF);
    lists = import::ParsedStructures();

    writeTsv(sizes, dir);
    catalogue::CatalogueFile::ensure(theirs);
    {
        std::ofstream script((dir + "/load.sql").toStdString());
        script << ".mode tabs\nBEGIN;\n.import '" << (dir + "/structures.tsv").toStdString() << "' Structures\n.import '"
               << (dir + "/members.tsv").toStdString() << "' Structure_Members\n.import '"
               << (dir + "/flags.tsv").toStdString() << "' Structure_Member_Flags\nCOMMIT;\n";
    }
    const auto start = Clock::now();
    long sqlitePeakKb = 0;
    const int status = runSqlite(theirs, dir + "/load.sql", sqlitePeakKb);
    const double sqliteSeconds = seconds(start);
    if (status != 0) {
        std::fprintf(stderr, "sqlite3 failed (%d)\n", status);
        return 1;
    }

    const char* check = "SELECT (SELECT COUNT(*) FROM Structures) || ' ' || (SELECT COUNT(*) FROM Structure_Members) || ' ' || "
                        "(SELECT COUNT(*) FROM Structure_Member_Flags) || ' ' || "
                        "(SELECT SUM(Structure_Index + Member_Index) FROM Structure_Member_Flags)";
    const std::string ourCheck = sqliteScalar(ours, check);
    const std::string theirCheck = sqliteScalar(theirs, check);

    std::printf("save into the catalogue:   %8.2f s   (%.2f s CPU; peak memory %ld MB, %ld MB beyond the parsed lists)\n",
                saveSeconds, saveCpuSeconds, ourPeakKb / 1024, (ourPeakKb - baselineKb) / 1024);
    std::printf("sqlite3 .import, one txn:  %8.2f s   (peak memory %ld MB)\n", sqliteSeconds, sqlitePeakKb / 1024);
    std::printf("ratio save / sqlite3:      %8.2f   (target <= 2)\n", saveSeconds / sqliteSeconds);
    std::printf("rows and links agree:      %s  [%s | %s]\n", ourCheck == theirCheck ? "yes" : "NO", ourCheck.c_str(),
                theirCheck.c_str());
    return ourCheck == theirCheck ? 0 : 1;
}
