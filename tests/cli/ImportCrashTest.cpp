// A save killed with SIGKILL at many moments leaves the catalogue sound and
// holding either nothing of the import or all of it. The moments follow the
// save's own trace lines (one per record), so a faster save is hit just as
// evenly.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/CatalogueFixture.h"

namespace {

using velmora::testing::CatalogueFixture;
using velmora::testing::RawCatalogue;
using Counts = std::array<int, 3>;

constexpr int kStructures = 300;
constexpr int kMembers = 8;   // each with one flag
constexpr int kSaveLines = kStructures * (1 + 2 * kMembers);
constexpr int kKills = 24;

void WriteStructuresFile(const std::string& path)
{
    std::ofstream out(path, std::ios::binary);
    out << "Structures\n";
    for (int s = 0; s < kStructures; ++s) out << "S" << s << '\n';
    for (int s = 0; s < kStructures; ++s) {
        out << "S" << s << "\nStructure " << s << ".\ntypedef struct _S" << s << " {\n";
        for (int m = 0; m < kMembers; ++m) out << "DWORD m" << m << ";\n";
        out << "} S" << s << ";\nMembers\n";
        for (int m = 0; m < kMembers; ++m) out << "m" << m << "\nmember " << m << ".\nF_" << m << " flag.\n";
        out << "QuickInfo\na\nb\nc\nd\n";
    }
}

Counts CountRows(const QString& path, QString* integrity = nullptr)
{
    RawCatalogue raw(path);
    if (integrity) *integrity = raw.rows(QStringLiteral("PRAGMA integrity_check")).join('\n');
    return {raw.rowCount(QStringLiteral("Structures")), raw.rowCount(QStringLiteral("Structure_Members")),
            raw.rowCount(QStringLiteral("Structure_Member_Flags"))};
}

bool IsSaveLine(const std::string& line)
{
    return line.starts_with("Saving Structure ");
}

// Runs `velmora-cli import file`, reading its trace; once `killAfter` save
// lines have come (or, for -1, never) the child is killed. The pipe is made
// small so the child cannot run far ahead of the lines read. Returns whether
// the kill came before the child ended.
bool ImportAndKill(const std::string& file, int killAfter)
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return false;
    ::fcntl(pipeEnds[1], F_SETPIPE_SZ, 4096);
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(pipeEnds[1], 1);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 2);
        ::close(pipeEnds[0]);
        ::execl(VELMORA_CLI_PATH, VELMORA_CLI_PATH, "import", file.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(pipeEnds[1]);
    std::FILE* trace = ::fdopen(pipeEnds[0], "r");
    int saveLines = 0;
    bool killed = false;
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, trace)) {
        if (IsSaveLine(buffer) && ++saveLines == killAfter) {
            ::kill(child, SIGKILL);
            killed = true;
            break;
        }
    }
    std::fclose(trace);
    int status = 0;
    ::waitpid(child, &status, 0);
    return killed && WIFSIGNALED(status);
}

TEST(ImportCrash, KilledAnywhereInTheSaveTheCatalogueIsSoundAndAllOrNothing)
{
    CatalogueFixture fixture;
    const QString& catalogue = fixture.path();
    const std::string dir = fixture.env().root().toStdString();
    const std::string file = dir + "/crash.txt";
    const std::string pristine = dir + "/pristine.sqlite";
    WriteStructuresFile(file);

    // The state before: one import already in; then the state after a second, complete one.
    ASSERT_FALSE(ImportAndKill(file, -1));
    const Counts before = CountRows(catalogue);
    ASSERT_EQ(before, (Counts{kStructures, kStructures * kMembers, kStructures * kMembers}));
    std::filesystem::copy_file(catalogue.toStdString(), pristine);
    ASSERT_FALSE(ImportAndKill(file, -1));
    const Counts complete = CountRows(catalogue);
    ASSERT_EQ(complete, (Counts{2 * kStructures, 2 * kStructures * kMembers, 2 * kStructures * kMembers}));

    int killedInTheSave = 0;
    for (int i = 0; i <= kKills; ++i) {
        // From the first record to the last, the commit after it included.
        const int killAfter = 1 + i * (kSaveLines - 1) / kKills;
        std::filesystem::copy_file(pristine, catalogue.toStdString(), std::filesystem::copy_options::overwrite_existing);
        std::filesystem::remove(catalogue.toStdString() + "-journal");
        std::filesystem::remove(catalogue.toStdString() + "-wal");
        if (ImportAndKill(file, killAfter)) ++killedInTheSave;

        QString integrity;
        const Counts after = CountRows(catalogue, &integrity);
        EXPECT_EQ(integrity, QStringLiteral("ok")) << "killed after save line " << killAfter;
        EXPECT_TRUE(after == before || after == complete)
            << "killed after save line " << killAfter << ": " << after[0] << " structures, " << after[1]
            << " members, " << after[2] << " flags";
    }
    EXPECT_GE(killedInTheSave, 20);
}

} // namespace
