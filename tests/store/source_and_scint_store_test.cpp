#include <memory>
#include <vector>

#include "store/CScintDB.h"
#include "store/CScintMeasDB.h"
#include "store/CSrcDB.h"
#include "store_fixture.h"

namespace {

SOURCE_INFO Source(std::string serial, std::string name) {
    return {.SourceSerial = std::move(serial),
            .SourceName = std::move(name),
            .HalfLife = "30.05",
            .Activity = "37.0",
            .ActivityDate = {2021, 9, 30},
            .ActivityUnit = 2};
}

SCINT_BASELINE Baseline(int16_t second, std::string description) {
    SCINT_BASELINE b{.Year = 2024,
                     .Month = 2,
                     .Day = 29,
                     .Hour = 23,
                     .Minute = 5,
                     .Second = second,
                     .ScintSerial = "SC-17",
                     .DoseType = 1,
                     .DoseValue = 2.0,
                     .ScintGain = 1.0 / 7.0,
                     .CLR = -0.0123456789012345,
                     .ScintDoseUnit = 2,
                     .Description = std::move(description)};
    b.BaselineKey = MakeBaselineKey(b);
    return b;
}

SCINT_MMNT Point(std::string key, int16_t set, double blue) {
    return {.BaselineKey = std::move(key),
            .Year = 2024,
            .SetIndex = set,
            .Blue = blue,
            .Green = blue / 3.0};
}

using ScintStores = StoreTest;

TEST_F(ScintStores, SourcesAndBaselinesKeepEveryFieldInOrderAndBaselinesAreFoundByKey) {
    CSrcDB lib;
    ASSERT_TRUE(lib.AddRecord(Source("Z9", "Sr-90")));
    SOURCE_INFO unset;  // dates and unit "not set"
    unset.SourceName = "no serial";
    ASSERT_TRUE(lib.AddRecord(unset));
    SOURCE_INFO read;
    ASSERT_TRUE(lib.GetRecord(0, read));
    EXPECT_EQ(read, unset);  // the empty serial sorts first
    const SOURCE_INFO edited = Source("A1", "Sr-90 edited");
    ASSERT_TRUE(lib.UpdateRecord(1, edited));
    ASSERT_TRUE(CSrcDB().GetRecord(1, read));
    EXPECT_EQ(read, edited);

    CScintDB scint;
    EXPECT_FALSE(scint.FindKey("20240229230501"));
    ASSERT_TRUE(scint.AddRecord(Baseline(9, "later")));
    ASSERT_TRUE(scint.AddRecord(Baseline(1, "first of two in one second")));
    ASSERT_TRUE(scint.AddRecord(Baseline(1, "second of two in one second")));
    EXPECT_EQ(Baseline(1, "").BaselineKey, "20240229230501");

    CScintDB reader;
    ASSERT_TRUE(reader.FindKey("20240229230501"));
    SCINT_BASELINE baseline;
    ASSERT_TRUE(reader.ReadCurrent(baseline));
    EXPECT_EQ(baseline, Baseline(1, "first of two in one second"));
    ASSERT_TRUE(reader.GetRecord(2, baseline));
    EXPECT_EQ(baseline, Baseline(9, "later"));

    SCINT_BASELINE tooWide = Baseline(2, "dose type beyond 16 bits");
    tooWide.DoseType = 70000;
    EXPECT_FALSE(scint.AddRecord(tooWide));
    EXPECT_EQ(scint.LastError(), DbError::kInvalidParameter);
    EXPECT_EQ(scint.GetRecordCount(), 3);
}

TEST_F(ScintStores, FindNextKeyWalksOneBaselinesPointsInSetOrderUntilCleared) {
    auto points = std::make_unique<CScintMeasDB>();
    for (const SCINT_MMNT& p : {Point("K2", 0, 10.0), Point("K1", 2, 3.0), Point("K1", 0, 1.0),
                                Point("K0", 1, 99.0), Point("K1", 1, 2.0)})
        ASSERT_TRUE(points->AddRecord(p));
    EXPECT_FALSE(points->AddRecord(Point("K1", -1, 0.0)));  // stored unsigned: refused

    auto walker = std::make_unique<CScintMeasDB>();
    std::vector<SCINT_MMNT> walked;
    for (SCINT_MMNT p; walker->FindNextKey("K1") && walker->ReadCurrent(p);)
        walked.push_back(p);
    EXPECT_EQ(walked, (std::vector<SCINT_MMNT>{Point("K1", 0, 1.0), Point("K1", 1, 2.0),
                                               Point("K1", 2, 3.0)}));
    SCINT_MMNT p;
    EXPECT_FALSE(walker->ReadCurrent(p));    // the walk ended: nothing is current
    ASSERT_TRUE(walker->FindNextKey("K1"));  // a new walk starts at the first point again
    ASSERT_TRUE(walker->ReadCurrent(p));
    EXPECT_EQ(p.SetIndex, 0);
    EXPECT_FALSE(walker->FindNextKey("K3"));
    walker.reset();
    points.reset();

    // Clearing the scintillator library removes the baselines and their points.
    ASSERT_TRUE(CScintDB().AddRecord(Baseline(1, "b")));
    ASSERT_TRUE(CScintDB::ClearLibrary());
    EXPECT_FALSE(std::filesystem::exists(FileOf(CScintDB::kVolumePath)));
    EXPECT_FALSE(std::filesystem::exists(FileOf(CScintMeasDB::kVolumePath)));
}

}  // namespace
