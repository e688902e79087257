// Numbers in remote lines: read in the C form only, never NaN, infinite or wrapped.

#include <climits>

#include "document/RemoteNumbers.h"
#include "document/RemoteReplies.h"
#include "document/comma_locale.h"
#include "document/remote_fixture.h"

namespace {

using remote::ReadDouble;
using remote::ReadInteger;

TEST(RemoteNumbers, ReadAsFarAsTheyGoAndTextInLatin1BothWays) {
    const auto x = ReadDouble("<SHTS  +2.5e1pA>", 5).value();
    EXPECT_EQ(std::pair(x.value, x.end), std::pair(25.0, size_t{13}));
    EXPECT_EQ(ReadDouble("-.5>", 0)->value, -0.5);
    EXPECT_EQ(ReadDouble("3,5", 0)->value, 3.0);  // a comma is no decimal point here
    for (const char* text : {"", "abc", "-nan", "-infinity", "1e309", "+-1", " "})
        EXPECT_FALSE(ReadDouble(text, 0)) << text;
    EXPECT_FALSE(ReadDouble("12", 2));  // at the end of the line
    // Integers beyond their range are pinned, not wrapped.
    EXPECT_EQ(ReadInteger(" 4294967396>", 0)->value, 4294967396LL);
    EXPECT_EQ(ReadInteger("99999999999999999999999>", 0)->value, LLONG_MAX);
    EXPECT_EQ(ReadInteger("-99999999999999999999999>", 0)->value, LLONG_MIN);
    EXPECT_EQ(ReadInteger("12.9", 0)->end, 2u);
    EXPECT_FALSE(ReadInteger("-", 0) || ReadInteger("x1", 0));
    EXPECT_EQ(remote::ToPortText("2.5 \302\265C", 127), "2.5 \265C");
    EXPECT_EQ(remote::ToPortText("\xE2\x82\xAC", 127), "?");  // the euro sign has no byte
    EXPECT_EQ(remote::ToPortText("\xB5z", 127), "?z");        // a broken sequence
    // Overlong forms of CR, LF and '>' never reach the line as those characters.
    EXPECT_EQ(remote::ToPortText("a\xC0\x8D\xE0\x80\x8A\xC0\xBE", 127), "a???????");
    EXPECT_EQ(remote::FromPortText("a\xE9"), "a\xC3\xA9");
}

using RemoteLocale = remote_testing::RemoteTest;

TEST_F(RemoteLocale, RepliesAndSettingsKeepTheDecimalPointUnderACommaLocale) {
    if (!testing_locale::UseCommaLocale(root.Path()))
        GTEST_SKIP() << "no comma-decimal locale can be had on this machine";
    doc.HStart = 5.0;
    doc.Filter.Chan[0].Rate = 1500.0;
    std::string replies;  // in the order sent
    for (const char* line : {"<SHTP 2.5>", "<GR1>", "<SBC1 1.5,0.25>", "<GBC1>"})
        replies += Send(line);
    testing_locale::UseCLocale();
    EXPECT_EQ(replies, "*\r\n*1.500 pA\r\n*\r\n*1.500000,0.250000\r\n");
    EXPECT_EQ(doc.HStop, 2.5);
}

}  // namespace
