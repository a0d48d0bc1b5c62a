// Two people import into one PostgreSQL catalogue at the same time: both
// imports land whole, each member and flag under the keys its own parents got.
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <future>
#include <thread>

#include "cli/ImportChild.h"
#include "support/CatalogueFixture.h"

namespace {

using velmora::testing::CatalogueFixture;
using velmora::testing::Driver;
using velmora::testing::ImportChild;

constexpr int kStructures = 40;
constexpr int kMembers = 5;

// Rows whose parents are the ones their descriptions name, per table.
const char* const kMembersUnderTheirStructure =
    "SELECT COUNT(*) FROM Structure_Members m JOIN Structures s ON s.Structure_Index = m.Structure_Index "
    "WHERE m.Member_Description = 'Member ' || substr(m.Member_Name, 2) || ' of ' || s.Structure_Name || '.'";
const char* const kFlagsUnderTheirMember =
    "SELECT COUNT(*) FROM Structure_Member_Flags f JOIN Structure_Members m ON m.Member_Index = f.Member_Index "
    "JOIN Structures s ON s.Structure_Index = m.Structure_Index WHERE f.Structure_Index = s.Structure_Index "
    "AND f.Flag_Name = 'F_' || substr(m.Member_Name, 2) || ' flag of ' || s.Structure_Name || '.'";

TEST(ConcurrentImports, TwoImportsAtOnceBothLandWholeUnderTheirOwnKeys)
{
    CatalogueFixture catalogue(Driver::Postgres);
    const std::string dir = catalogue.env().root().toStdString();
    velmora::testing::writeStructuresFile(dir + "/a.txt", "A", kStructures, kMembers);
    velmora::testing::writeStructuresFile(dir + "/b.txt", "B", kStructures, kMembers);

    // The first import is held half-way through its members, its structures
    // written and not yet committed; the second runs meanwhile.
    ImportChild first(dir + "/a.txt", dir + "/a.err");
    int memberLines = 0;
    ASSERT_TRUE(first.readUntil([&](const std::string& line) {
        return line.starts_with("Saving Structure Member #") && ++memberLines == kStructures * kMembers / 2;
    }));
    first.signal(SIGSTOP);
    ImportChild second(dir + "/b.txt", dir + "/b.err");
    // A second import that had to wait for the first could not end while the
    // first is held: the first goes on after a while either way.
    std::promise<void> secondDone;
    std::thread release([&first, done = secondDone.get_future()] {
        done.wait_for(std::chrono::seconds(10));
        first.signal(SIGCONT);
    });
    const bool secondSaved = second.readUntil([](const std::string& line) { return line.starts_with("Done."); });
    secondDone.set_value();
    release.join();
    EXPECT_TRUE(secondSaved);
    EXPECT_EQ(second.wait(), 0) << second.standardError();
    EXPECT_EQ(first.wait(), 0) << first.standardError();

    for (const char* prefix : {"A", "B"}) {
        const QString like = QStringLiteral("'%1%'").arg(QLatin1String(prefix));
        EXPECT_EQ(catalogue.rows(QStringLiteral("SELECT COUNT(*) FROM Structures WHERE Structure_Name LIKE ") + like),
                  QStringList{QString::number(kStructures)})
            << prefix;
    }
    const QString members = QString::number(2 * kStructures * kMembers);
    EXPECT_EQ(catalogue.rows(QString::fromLatin1(kMembersUnderTheirStructure)), QStringList{members});
    EXPECT_EQ(catalogue.rows(QString::fromLatin1(kFlagsUnderTheirMember)), QStringList{members});
    EXPECT_EQ(catalogue.rowCount(QStringLiteral("Structure_Members")), members.toInt());
    EXPECT_EQ(catalogue.rowCount(QStringLiteral("Structure_Member_Flags")), members.toInt());
}

TEST(ConcurrentImports, TwoUpdatesOfOneFileAtOnceLeaveOneCopyOfEveryItem)
{
    // Were the second not to wait for the first, it would find the catalogue
    // empty and add every item a second time.
    CatalogueFixture catalogue(Driver::Postgres);
    const std::string dir = catalogue.env().root().toStdString();
    velmora::testing::writeStructuresFile(dir + "/a.txt", "A", kStructures, kMembers);

    ImportChild first(dir + "/a.txt", dir + "/first.err", {"--update"});
    ASSERT_TRUE(first.readUntil([](const std::string& line) { return line.starts_with("Adding Structure Member #"); }));
    first.signal(SIGSTOP);
    ImportChild second(dir + "/a.txt", dir + "/second.err", {"--update"});
    ASSERT_TRUE(second.readUntil([](const std::string& line) { return line.starts_with("# of flag descriptions"); }));
    auto firstRecord = std::async(std::launch::async, [&second] {
        std::string record;
        second.readUntil([&record](const std::string& line) {
            record = line;
            return line.starts_with("Adding ") || line.starts_with("Updating ");
        });
        return record;
    });
    EXPECT_EQ(firstRecord.wait_for(std::chrono::seconds(1)), std::future_status::timeout);   // waiting
    first.signal(SIGCONT);
    EXPECT_EQ(first.wait(), 0) << first.standardError();
    EXPECT_EQ(firstRecord.get(), "Updating Structure #0: 'A0' (unchanged)\n");
    EXPECT_EQ(second.wait(), 0) << second.standardError();

    EXPECT_EQ(catalogue.rowCount(QStringLiteral("Structures")), kStructures);
    EXPECT_EQ(catalogue.rowCount(QStringLiteral("Structure_Members")), kStructures * kMembers);
    EXPECT_EQ(catalogue.rowCount(QStringLiteral("Structure_Member_Flags")), kStructures * kMembers);
}

} // namespace
