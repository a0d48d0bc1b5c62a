#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/RowLines.h"
#include "text/RowLoader.h"

namespace velmora::text {
namespace {

using Lines = std::vector<std::string>;

TEST(RowLoader, SplitsTrimsAndDropsEmptyRows)
{
    struct Case {
        std::string text;
        Lines rows;
    };
    const std::vector<Case> cases{
        {"", {}},
        {"\r\n \t\n\n", {}},
        {"a\nb\r\nc\rd", {"a", "b", "c", "d"}},
        {"a\r\r\nb", {"a", "b"}},
        {"\n\r", {}},
        {"\t\tDWORD dwSize;   \n", {"DWORD dwSize;"}},
        {"DWORD\tdwSize;", {"DWORD\tdwSize;"}},
        {"\x01\x1F x \x7F\x20", {"x \x7F"}},
        {std::string("one\ntwo\0three\nfour", 18), {"one", "two"}},
        {"Structures\n\n   \nDDCOLORKEY\n\t\nDDCOLORKEY", {"Structures", "DDCOLORKEY", "DDCOLORKEY"}},
        {"caf\xC3\xA9 \xC2\xA0", {"caf\xC3\xA9 \xC2\xA0"}},  // bytes above 0x20 stay
    };
    for (const Case& c : cases) EXPECT_EQ(testing::SplitLines(c.text), c.rows) << "text: '" << c.text << "'";
}

TEST(RowLoader, TextFedInPiecesGivesTheSameRows)
{
    const std::string text = std::string("  Structures\r\n\r\nDDCOLORKEY\rDDRGBA\n\n\t dwSize and dwFlags \r\n caf\xC3\xA9\r\n", 66) +
                             std::string("last\0after", 10);
    const Lines whole = testing::SplitLines(text);
    ASSERT_EQ(whole, (Lines{"Structures", "DDCOLORKEY", "DDRGBA", "dwSize and dwFlags", "caf\xC3\xA9", "last"}));
    for (std::size_t a = 0; a <= text.size(); ++a) {
        for (std::size_t b = a; b <= text.size(); b += 3) {
            RowSplitter splitter;
            splitter.Feed(std::string_view(text).substr(0, a));
            splitter.Feed(std::string_view(text).substr(a, b - a));
            splitter.Feed(std::string_view(text).substr(b));
            EXPECT_EQ(testing::LinesOf(splitter.FinishStore()), whole) << "pieces end at " << a << " and " << b;
        }
    }
}

TEST(RowLoader, OneBrokenRowMakesTheWholeFileWindows1252)
{
    EXPECT_EQ(testing::SplitLines("caf\xC3\xA9\nna\xEFve\n"), (Lines{"caf\xC3\x83\xC2\xA9", "na\xC3\xAFve"}));
    // a sequence cut by a line end is broken too
    EXPECT_EQ(testing::SplitLines("a\xC3\r\n\xA9" "b"), (Lines{"a\xC3\x83", "\xC2\xA9" "b"}));
}

TEST(RowLoader, AByteOrderMarkAtTheStartIsNoPartOfTheFirstRow)
{
    EXPECT_EQ(testing::SplitLines("\xEF\xBB\xBFStructures\nDDCOLORKEY\n"), (Lines{"Structures", "DDCOLORKEY"}));
    EXPECT_EQ(testing::SplitLines("\xEF\xBB\xBF\r\n  Interfaces"), (Lines{"Interfaces"}));
    // only at the very start, and a Windows-1252 file keeps its decoding
    EXPECT_EQ(testing::SplitLines("A\n\xEF\xBB\xBF" "B"), (Lines{"A", "\xEF\xBB\xBF" "B"}));
    EXPECT_EQ(testing::SplitLines("\xEF\xBB\xBFna\xEFve"), (Lines{"na\xC3\xAFve"}));
}

TEST(RowLoader, TheRowsDoNotDependOnThePiecesTheTextArrivesIn)
{
    const std::vector<std::string> texts{
        std::string("\xEF\xBB\xBF\x08", 4),       // a byte-order mark split over two reads kept it as text
        "\xEF\xBB\xBFStructures\r\nA\r\n",
        "\xEF\xBBX\r\n",                            // the start of a mark only: Windows-1252 text
        "\xEF",
        std::string("\xEF\xBB\0\xBF rest", 8),
        "  a  \r\n\r\n b\rc\n",
    };
    for (const std::string& text : texts) {
        const Lines whole = testing::SplitLines(text);
        for (std::size_t first = 0; first <= text.size(); ++first) {
            for (std::size_t second = first; second <= text.size(); ++second) {
                RowSplitter splitter;
                splitter.Feed(std::string_view(text).substr(0, first));
                splitter.Feed(std::string_view(text).substr(first, second - first));
                splitter.Feed(std::string_view(text).substr(second));
                EXPECT_EQ(testing::LinesOf(splitter.FinishStore()), whole) << "pieces end at " << first << " and " << second;
            }
        }
    }
    EXPECT_EQ(testing::SplitLines(std::string("\xEF\xBB\xBF\x08", 4)), Lines{});
}

TEST(RowLoader, NotesWhatTheEncodingMadeOfTheText)
{
    struct Case {
        std::string text;
        EncodingNotes notes;
    };
    const std::vector<Case> cases{
        {"caf\xC3\xA9\nna\xEFve\n", {false, 2}},
        {"\n\nna\xEFve\n\ncaf\xC3\xA9 \x81", {false, 3}}, // the valid sequence may come later, also in the same row
        {"a\n\x93quoted\x94 \xC2\xA0", {false, 2}},
        {"caf\xE9\nna\xEFve\n", {}}, // plain Windows-1252
        {"caf\xC3\xA9\n", {}}, // plain UTF-8
        {"\xC3\n\xA9", {}}, // a sequence cut by a line end is no sequence
        {std::string("\xFF\xFES\0t\0", 6), {true, 0}},
        {std::string("\xFE\xFF\0S", 4), {true, 0}},
        {"\xFF", {}},
        {"x\xFF\xFE", {}}, // a mark counts only at the start
    };
    for (const Case& c : cases) {
        for (std::size_t cut = 0; cut <= c.text.size(); ++cut) {
            RowSplitter splitter;
            splitter.Feed(std::string_view(c.text).substr(0, cut));
            splitter.Feed(std::string_view(c.text).substr(cut));
            splitter.FinishStore();
            EXPECT_EQ(splitter.Notes(), c.notes) << "text: '" << c.text << "', cut at " << cut;
        }
    }
}

TEST(RowLoader, ValidUtf8StaysOtherTextIsReadAsWindows1252)
{
    EXPECT_TRUE(IsValidUtf8("plain ascii"));
    EXPECT_TRUE(IsValidUtf8("\xE2\x82\xAC \xF0\x9F\x98\x80"));
    EXPECT_FALSE(IsValidUtf8("\xC0\x80"));          // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(IsValidUtf8("\xE2\x82"));          // cut short
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // past U+10FFFF
    EXPECT_FALSE(IsValidUtf8("sixteen ascii by\xFF"));  // after a run of ASCII
    EXPECT_TRUE(IsValidUtf8("sixteen ascii by\xC3\xA9tes"));

    using testing::SplitLines;
    EXPECT_EQ(SplitLines("caf\xC3\xA9"), Lines{"caf\xC3\xA9"});
    EXPECT_EQ(SplitLines("caf\xE9"), Lines{"caf\xC3\xA9"});
    EXPECT_EQ(SplitLines("\x80 \x93quoted\x94 \x81"), Lines{"\xE2\x82\xAC \xE2\x80\x9Cquoted\xE2\x80\x9D \xC2\x81"});
    EXPECT_EQ(SplitLines("\xA0\xFF"), Lines{"\xC2\xA0\xC3\xBF"});
}

class RowLoaderFile : public ::testing::Test {
protected:
    std::filesystem::path path_ = std::filesystem::temp_directory_path() /
                                  ("velmora_rowloader_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                   ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt");
    void Write(const std::string& bytes) { std::ofstream(path_, std::ios::binary) << bytes; }
    void TearDown() override { std::filesystem::remove(path_); }
};

TEST_F(RowLoaderFile, LoadsTheRowsOfAFile)
{
    Write(std::string("  Structures\r\n\r\n\tDDCOLORKEY  \r\nna\xEFve\0ignored\r\n", 44));
    EXPECT_EQ(testing::LoadLines(path_.string()), (Lines{"Structures", "DDCOLORKEY", "na\xC3\xAFve"}));
}

TEST_F(RowLoaderFile, ABrokenSequenceAfterTheNulDoesNotChangeTheDecoding)
{
    Write(std::string("caf\xC3\xA9\0\xFF", 7));
    EXPECT_EQ(testing::LoadLines(path_.string()), (Lines{"caf\xC3\xA9"}));
}

TEST_F(RowLoaderFile, AFileOfManyPiecesGivesTheRowsOfItsTextInOne)
{
    // Rows and line ends across the boundaries of the pieces the file is read in
    // (64 KiB), a CR LF split by one of them, and a NUL that ends the text.
    constexpr std::size_t kPiece = std::size_t(64) << 10;
    std::string text;
    for (int i = 0; text.size() < kPiece - 1; ++i) text += "  row " + std::to_string(i) + "\t\r\n";
    text.resize(kPiece - 1);
    text += "\r\nsplit line end above\n";
    for (int i = 0; text.size() < 3 * kPiece; ++i) text += "member" + std::to_string(i) + "\n";
    text += std::string("last\0after the end\n", 20) + std::string(kPiece, 'x');
    Write(text);
    const Lines rows = testing::LoadLines(path_.string());
    EXPECT_EQ(rows, testing::SplitLines(text));
    EXPECT_EQ(rows.back(), "last");
}

TEST_F(RowLoaderFile, AMissingFileIsAnErrorNamingIt)
{
    try {
        testing::LoadLines(path_.string());
        FAIL() << "no error";
    } catch (const ImportFileError& e) {
        EXPECT_NE(std::string(e.what()).find("'" + path_.string() + "'"), std::string::npos) << e.what();
    }
}

TEST_F(RowLoaderFile, ADirectoryIsAnErrorNamingIt)
{
    std::filesystem::create_directory(path_);
    EXPECT_THROW(testing::LoadLines(path_.string()), ImportFileError);
    std::filesystem::remove(path_);
}

} // namespace
} // namespace velmora::text
