// Windows-1252 output: what it lacks is written in a form that keeps the meaning,
// or lost to '?' and counted.
#include <gtest/gtest.h>

#include "convert/OutputEncoding.h"

namespace velmora::convert {
namespace {

struct EncodingCase {
    const char* name;
    std::string row; // UTF-8
    std::string written; // Windows-1252, without the line end
    int adapted, lost;
};

void PrintTo(const EncodingCase& c, std::ostream* os)
{
    *os << c.name;
}

class Encoding : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(Encoding, KeepsTheMeaningOrCountsTheLoss)
{
    const EncodingCase& c = GetParam();
    ConversionLog log;
    EXPECT_EQ(EncodeRows({c.row}, false, log), c.written + "\r\n");
    EXPECT_EQ(log.CountOf(ItemKind::Character, Outcome::Adapted), c.adapted);
    EXPECT_EQ(log.CountOf(ItemKind::Character, Outcome::Lost), c.lost);
    EXPECT_EQ(log.AnythingLost(), c.lost > 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Encoding,
    ::testing::Values(EncodingCase{"InWindows1252", "caf\xC3\xA9 \xE2\x80\x94 \xE2\x80\x9Cx\xE2\x80\x9D",
                                   "caf\xE9 \x97 \x93x\x94", 0, 0},
                      EncodingCase{"GreaterOrEqual", "a \xE2\x89\xA5 b", "a >= b", 1, 0},
                      EncodingCase{"SubscriptLetters", "(A\xE2\x82\x9B, 1 - A\xE2\x82\x9B)", "(A_s, 1 - A_s)", 2, 0},
                      EncodingCase{"NoFormForIt", "smile \xE2\x98\xBA \xE2\x89\xA4", "smile ? <=", 1, 1}));

} // namespace
} // namespace velmora::convert
