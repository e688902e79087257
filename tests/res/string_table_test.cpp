// The string table must give every text exactly as the screens, menus and files expect it.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "res/Resources.h"

namespace {

// Markup that would show wrongly if the table were typed carelessly: "&&" for one '&', real
// line breaks, UTF-8 units and backslashes kept as characters. Texts exist only in the
// table's range, none empty; a "\r" without its "\n", or an escape left as two characters,
// would show as garbage on the panel.
TEST(StringTable, TextsAreExactNonEmptyWithRealLineBreaksAndOtherIdsGiveNull) {
    const std::pair<int, const char*> texts[] = {
        {129, " CH\r\n  1"},
        {118, "Channel 1 && 2"},
        {351, "\302\265C"},
        {331, "\\USB HD\\"},
    };
    for (const auto& [id, text] : texts) {
        const char* s = res::String(id);
        EXPECT_STREQ(s ? s : "<none>", text) << "id " << id;
    }
    int found = 0;
    for (int id : {INT_MIN, 100, 127, 562, INT_MAX})
        EXPECT_EQ(res::String(id), nullptr) << "id " << id;
    for (int id = -10; id <= 5000; ++id) {
        const char* s = res::String(id);
        if (s == nullptr)
            continue;
        ++found;
        const std::string t(s);
        EXPECT_TRUE(id >= 101 && id <= 561 && !t.empty()) << "id " << id;
        for (size_t i = t.find('\r'); i != std::string::npos; i = t.find('\r', i + 1))
            EXPECT_EQ(t.substr(i, 2), "\r\n") << "id " << id;
        EXPECT_EQ(t.find("\\r"), std::string::npos) << "id " << id;
        EXPECT_EQ(t.find("\\n"), std::string::npos) << "id " << id;
    }
    EXPECT_GT(found, 80);
}

}  // namespace
