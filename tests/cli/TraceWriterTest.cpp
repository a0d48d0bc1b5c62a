// Trace lines through the large buffer: the stream receives exactly the lines,
// each with its newline, whatever the buffer's size, and a failed stream is
// reported.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Command.h"
#include "cli/output/TraceWriter.h"

namespace velmora::cli {
namespace {

using Line = std::vector<std::string_view>;

struct Case {
    const char* name;
    std::size_t capacity;
    std::vector<Line> lines;
};

void WriteLine(TraceWriter& writer, const Line& parts)
{
    writer.Write(import::TraceLine{parts});
}

TEST(TraceWriterTest, TheStreamReceivesEveryLineWithItsNewlineWhateverTheBufferSize)
{
    const std::string huge(100, 'x');
    std::vector<std::string> numbers;
    for (int i = 0; i < 5000; ++i) numbers.push_back(std::to_string(i));
    std::vector<Line> numbered;
    for (const std::string& number : numbers) numbered.push_back(Line{"Row #", number, ": '", "DDSTRUCT", "'"});
    const std::vector<Case> cases{
        {"no line", 16, {}},
        {"an empty line", 16, {{}}},
        {"empty parts", 16, {{"", "a", "", ""}, {""}}},
        {"lines that fill the buffer exactly", 4, {{"abc"}, {"de", "f"}, {"ghi"}}},
        {"a line one byte too long for what is left", 8, {{"abcd"}, {"efgh"}}},
        {"a line that stops fitting in a later part", 8, {{"abc"}, {"de", "fgh"}, {"i"}}},
        {"an empty line when the buffer is full", 4, {{"abc"}, {}, {"d"}}},
        {"a line longer than the buffer that began in it", 8, {{"abc"}, {"de", huge, "f"}, {"g"}}},
        {"a line longer than the buffer between short ones", 8, {{"a"}, {"Row #", "1", ": '", huge, "'"}, {"b"}}},
        {"many lines through a large buffer", 1 << 20, std::vector<Line>(1000, Line{"Row #", "7", ": '", "DDSTRUCT7", "'"})},
        {"many buffers handed to the writer thread in turn", 64, numbered},
    };
    for (const Case& c : cases) {
        std::ostringstream out;
        std::string expected;
        {
            TraceWriter writer(out, c.capacity);
            for (const Line& line : c.lines) {
                WriteLine(writer, line);
                for (std::string_view part : line) expected += part;
                expected += '\n';
            }
            writer.Flush();
        }
        EXPECT_EQ(out.str(), expected) << c.name;
    }
}

TEST(TraceWriterTest, NothingReachesTheStreamBeforeTheBufferFillsOrIsFlushed)
{
    std::ostringstream out;
    TraceWriter writer(out, 8);
    WriteLine(writer, {"abc"});
    EXPECT_EQ(out.str(), "");
    WriteLine(writer, {"defgh"});   // does not fit beside "abc\n": the buffer goes to the writer thread
    writer.Flush();
    EXPECT_EQ(out.str(), "abc\ndefgh\n");
}

TEST(TraceWriterTest, AStreamThatCannotTakeTheLinesThrowsOutputError)
{
    struct Failing {
        const char* name;
        std::size_t capacity;
        Line line;
    };
    const std::vector<Failing> cases{
        {"at the flush", 64, {"short"}},
        {"when the buffer fills", 4, {"abc"}},
        {"a line longer than the buffer", 4, {"longer than four"}},
    };
    for (const Failing& c : cases) {
        std::ostream out(nullptr);   // no buffer: every write fails
        TraceWriter writer(out, c.capacity);
        EXPECT_THROW(
            {
                WriteLine(writer, c.line);
                WriteLine(writer, c.line);
                writer.Flush();
            },
            OutputError)
            << c.name;
    }
}

} // namespace
} // namespace velmora::cli
