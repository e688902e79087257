// A baseline and its points written as one unit: refused keys, and a failure at every single
// disk step of the save leaving nothing of the key behind.
#include <gtest/gtest.h>

#include "scint/BaselineStore.h"
#include "scint/scint_fixture.h"
#include "store/CScintDB.h"
#include "store/CScintMeasDB.h"
#include "store/faulty_vfs.h"
#include "support/temp_root.h"

namespace {

using scint::SaveOutcome;

scint::PointSets ThreeSets(int perSet = 2) {
    scint::PointSet set = scint_test::Points({{1000, 250}, {1001, 250}});
    set.resize(perSet);
    return {set, set, set};
}

SCINT_BASELINE Stamped(fw::LocalTime when) {
    SCINT_BASELINE b;
    b.ScintGain = 0.002;
    b.CLR = 2.0;
    scint::StampBaseline(b, when);
    return b;
}

int PointCount(const std::string& key) {
    CScintMeasDB points;
    int n = 0;
    while (points.FindNextKey(key))
        ++n;
    return n;
}

class BaselineStore : public ::testing::Test {
  protected:
    testing_support::TempRoot root;
    fw::LocalTime noon{2026, 12, 2, 8, 12, 0, 5, 0};
};

TEST_F(BaselineStore, KeysThatCouldMergeTwoBaselinesAreRefused) {
    const SCINT_BASELINE first = Stamped(noon);
    EXPECT_EQ(first.BaselineKey, "20261208120005");
    ASSERT_EQ(scint::SaveBaseline(first, ThreeSets()), SaveOutcome::kSaved);
    EXPECT_EQ(PointCount(first.BaselineKey), 6);
    // The same second again, and a clock that gave no time ("-001-1-1-1-1-1").
    EXPECT_EQ(scint::SaveBaseline(first, ThreeSets()), SaveOutcome::kKeyInUse);
    const SCINT_BASELINE noClock = Stamped(fw::LocalTime{2026, 13, 0, 40, 0, 0, 0, 0});
    EXPECT_EQ(scint::SaveBaseline(noClock, ThreeSets()), SaveOutcome::kInvalidKey);
    // Points left under a key with no baseline would be taken over by the next one.
    SCINT_MMNT orphan;
    orphan.BaselineKey = "20261208120006";
    ASSERT_TRUE(CScintMeasDB().AddRecord(orphan));
    fw::LocalTime later = noon;
    later.second = 6;
    EXPECT_EQ(scint::SaveBaseline(Stamped(later), ThreeSets()), SaveOutcome::kKeyInUse);
    EXPECT_EQ(CScintDB().GetRecordCount(), 1);
    EXPECT_EQ(PointCount(first.BaselineKey), 6);
}

// Disk steps across the whole save (every seventh: the key check, the baseline and each of
// the three points) fail in turn: each failed save leaves the stores as they were, and the
// first save that gets through is whole.
TEST_F(BaselineStore, AFailureAtAnyStepLeavesNothingOfTheKey) {
    const SCINT_BASELINE b = Stamped(noon);
    ASSERT_EQ(CScintDB().GetRecordCount(), 0);  // both volumes exist before the faults
    ASSERT_EQ(CScintMeasDB().GetRecordCount(), 0);
    FaultyVfs vfs;
    int failures = 0;
    for (int step = 1; step < 400; step += 7) {
        vfs.Arm(step, FaultyVfs::Fault::kFail);
        const SaveOutcome outcome = scint::SaveBaseline(b, ThreeSets(1));
        const bool hit = vfs.FaultHit();
        vfs.Disarm();
        if (outcome == SaveOutcome::kSaved) {
            EXPECT_FALSE(hit) << "a failed step reported as saved at step " << step;
            break;
        }
        SCOPED_TRACE(step);
        ++failures;
        EXPECT_EQ(outcome, SaveOutcome::kStoreFailed);
        EXPECT_EQ(CScintDB().GetRecordCount(), 0);
        EXPECT_EQ(PointCount(b.BaselineKey), 0);
    }
    EXPECT_GE(failures, 12);  // the save takes about a hundred steps
    EXPECT_EQ(CScintDB().GetRecordCount(), 1);
    EXPECT_EQ(PointCount(b.BaselineKey), 3);
}

TEST_F(BaselineStore, DeletesCheckTheKeyAndRemoveEveryPointOfIt) {
    fw::LocalTime later = noon;
    later.second = 9;
    const SCINT_BASELINE a = Stamped(noon), b = Stamped(later);
    ASSERT_EQ(scint::SaveBaseline(a, ThreeSets()), SaveOutcome::kSaved);
    ASSERT_EQ(scint::SaveBaseline(b, ThreeSets()), SaveOutcome::kSaved);
    CScintDB baselines;
    EXPECT_FALSE(baselines.DeleteRecord(0, b.BaselineKey));  // row 0 holds the other one
    EXPECT_FALSE(baselines.DeleteRecord(5, a.BaselineKey));
    EXPECT_EQ(baselines.GetRecordCount(), 2);
    EXPECT_TRUE(baselines.DeleteRecord(0, a.BaselineKey));
    EXPECT_TRUE(CScintMeasDB().DeleteKey(a.BaselineKey));
    EXPECT_EQ(PointCount(a.BaselineKey), 0);
    EXPECT_EQ(PointCount(b.BaselineKey), 6);
    EXPECT_TRUE(CScintMeasDB().DeleteKey("none"));  // nothing to delete is no failure
}

}  // namespace
