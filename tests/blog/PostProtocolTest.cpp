#include "blog/PostProtocol.h"

#include <gtest/gtest.h>

using PostProtocol::Code;
using PostProtocol::JudgeResponse;

namespace {
struct JudgeCase
{
    const char* answer;
    std::uint32_t result;
    const char* message;
};

class JudgeResponseTest : public ::testing::TestWithParam<JudgeCase>
{
};
} // namespace

TEST_P(JudgeResponseTest, GivesResultAndMessage)
{
    const JudgeCase& c = GetParam();
    const PostProtocol::Outcome outcome = JudgeResponse(QString::fromLatin1(c.answer));
    EXPECT_EQ(outcome.result, Code(c.result)) << c.answer;
    EXPECT_EQ(outcome.message, QString::fromLatin1(c.message)) << c.answer;
}

INSTANTIATE_TEST_SUITE_P(
    Answers, JudgeResponseTest,
    ::testing::Values(
        JudgeCase{"200 ok", 0x001900C8, "ok"}, JudgeCase{"299 fine", 0x0019012B, "fine"},
        JudgeCase{"300 moved on", 0x8019012C, "moved on"},
        JudgeCase{"500 The blog refused the post.", 0x801901F4, "The blog refused the post."},
        JudgeCase{"200 ", 0x001900C8, ""}, JudgeCase{"", 0x80070057, "Wrong server response"},
        JudgeCase{"200", 0x80070057, "Wrong server response"},
        JudgeCase{"abc def ghi", 0x8000FFFF, "def ghi"},
        JudgeCase{" 200 late", 0x8000FFFF, "200 late"},
        // Digits followed by other characters read as the digits.
        JudgeCase{"201x made", 0x001900C9, "made"},
        // Too large a number saturates and fails.
        JudgeCase{"99999999999 big", 0xFFFFFFFF, "big"}));

TEST(PostProtocol, ErrorTextsCoverTheInternetErrorRangeOnly)
{
    EXPECT_EQ(PostProtocol::ErrorText(Code(0x800C0002)), "The URL could not be parsed");
    EXPECT_EQ(PostProtocol::ErrorText(Code(0x800C000B)), "The Internet connection has timed out");
    EXPECT_EQ(PostProtocol::ErrorText(Code(0x800C0016)),
              "The requested resource could not be locked");
    EXPECT_EQ(PostProtocol::ErrorText(Code(0x800C0001)), "Unknown Error (code 0x800c0001)");
    EXPECT_EQ(PostProtocol::ErrorText(Code(0x800C0017)), "Unknown Error (code 0x800c0017)");
    EXPECT_EQ(PostProtocol::ErrorText(PostProtocol::kAborted), "Unknown Error (code 0x80004004)");
}

TEST(PostProtocol, ProgressTextsFollowStatusCodes)
{
    EXPECT_EQ(PostProtocol::ProgressText(1), "Finding resource...");
    EXPECT_EQ(PostProtocol::ProgressText(6), "Ending data download...");
    EXPECT_EQ(PostProtocol::ProgressText(11), "Sending request...");
    EXPECT_EQ(PostProtocol::ProgressText(14), "Cache file name available...");
    EXPECT_EQ(PostProtocol::ProgressText(0), QString());
    EXPECT_EQ(PostProtocol::ProgressText(15), QString());
}
