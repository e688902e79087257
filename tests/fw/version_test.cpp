#include <gtest/gtest.h>

#include <fstream>

#include "fw/Version.h"
#include "support/temp_root.h"

namespace {

// The short form is cut before the second point; the running program's own stamp, read once,
// still gives both forms.
TEST(ProductVersion, FullAndShortFormsAndAMissingStampOrFileFails) {
    testing_support::TempRoot root;
    const char* forms[][3] = {{"2.1.0.5", "2.1.0.5", "2.1"}, {"3.4", "3.4", "3.4"}};
    for (const auto& [stamp, full, brief] : forms) {
        const auto file = root.Path() / ("prog-" + std::string(stamp));
        std::ofstream(file, std::ios::binary) << '\x7F' << "ELF junk" << '\0' << '\0'
                                              << "\x01KVPRODUCTVERSION=" << stamp << '\0' << "more";
        std::string v;
        ASSERT_TRUE(fw::GetProductVersion(file, v, 0));
        EXPECT_EQ(v, full);
        ASSERT_TRUE(fw::GetProductVersion(file, v, 1));
        EXPECT_EQ(v, brief);
    }
    auto plain = root.Path() / "plain";
    std::ofstream(plain) << "no stamp here";
    std::string v = "unchanged";
    EXPECT_FALSE(fw::GetProductVersion(plain, v, 0));
    EXPECT_FALSE(fw::GetProductVersion(root.Path() / "absent", v, 0));
    EXPECT_EQ(v, "unchanged");
    std::string own, ownShort;
    ASSERT_TRUE(fw::GetOwnProductVersion(own, 0) && fw::GetOwnProductVersion(ownShort, 1));
    EXPECT_EQ(ownShort, own.substr(0, own.find('.', own.find('.') + 1)));
    EXPECT_NE(own, ownShort);
}

}  // namespace
