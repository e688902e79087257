#include "store_fixture.h"

namespace {

using ChamberStore = StoreTest;

TEST_F(ChamberStore, RecordsKeepEveryFieldInSerialOrderAndPositionsAreReResolvedByContent) {
    CCLibDB lib;
    int index = 0;
    // The same chamber with a second coefficient is a record of its own.
    for (auto [serial, mantissa] : {std::pair{"3000", 1000}, {"2000", 1000}, {"3000", 990}})
        ASSERT_TRUE(lib.AddRecord(Cal(serial, static_cast<int16_t>(mantissa))));
    EXPECT_TRUE(std::filesystem::exists(root_.FlashDisk() / "ZEL_ChamberLib.CDB"));
    EXPECT_EQ(Listed(), (std::vector<std::string>{"2000/1000", "3000/1000", "3000/990"}));
    CHAMBER_CAL read;
    ASSERT_TRUE(CCLibDB().GetRecord(2, read));
    EXPECT_EQ(read, Cal("3000", 990));

    // A selection of "3000" at position 1 moves when a record sorting earlier is added.
    const CHAMBER_CAL selected = Cal("3000", 1000);
    ASSERT_TRUE(lib.AddRecord(Cal("1000", 1000)));
    ASSERT_TRUE(lib.FindRecord(selected, index));
    EXPECT_EQ(index, 2);

    // After an edit of its dates only FindCalibration still knows it.
    CHAMBER_CAL edited = selected;
    edited.CalDueDate = {2027, 1, 1};
    edited.ReportName = "Report 3100";
    ASSERT_TRUE(lib.UpdateRecord(index, edited));
    EXPECT_FALSE(lib.FindRecord(selected, index));
    ASSERT_TRUE(lib.FindCalibration(selected, index));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(lib.FindCalibration(Cal("3000", 1001), index));

    // Deleting position 0 moves every other record up by one.
    ASSERT_TRUE(lib.DeleteRecord(0));
    EXPECT_EQ(Listed(), (std::vector<std::string>{"2000/1000", "3000/1000", "3000/990"}));
    ASSERT_TRUE(lib.FindRecord(edited, index));
    EXPECT_EQ(index, 1);
}

// A record damaged behind the store's back (the first loses its polarity, 115) fails to read,
// keeps its position in the whole-library read and is passed over by searches; writing the
// full record in place mends it.
TEST_F(ChamberStore, AnIncompleteRecordIsUnreadableInPlaceAndPassedOverUntilWrittenWhole) {
    {
        CCLibDB lib;
        ASSERT_TRUE(lib.AddRecord(Cal("1001", 1)));
        ASSERT_TRUE(lib.AddRecord(Cal("1002", 2)));
    }
    Tamper(FileOf(CCLibDB::kVolumePath),
           "DELETE FROM props WHERE id = 115 AND oid = (SELECT min(oid) FROM records)");
    CCLibDB lib;
    EXPECT_EQ(Listed(), (std::vector<std::string>{"unreadable", "1002/2"}));
    CHAMBER_CAL out = Cal("caller", 9);
    EXPECT_FALSE(lib.GetRecord(0, out));
    EXPECT_EQ(out, Cal("caller", 9));
    int index = -1;
    ASSERT_TRUE(lib.FindRecord(Cal("1002", 2), index));
    EXPECT_EQ(index, 1);
    ASSERT_TRUE(lib.UpdateRecord(0, Cal("1001", 1)));
    EXPECT_EQ(Listed(), (std::vector<std::string>{"1001/1", "1002/2"}));
}

// A damaged library (here the volume whose first ranked record has identifier 0) is reported,
// kept aside whole, and replaced by an empty library only on the next use; clearing deletes
// the file even when it is read-only.
TEST_F(ChamberStore, ADamagedVolumeIsKeptAndReplacedOnTheNextUseAndClearingDeletesTheFile) {
    const auto file = FileOf(CCLibDB::kVolumePath);
    const std::string damaged =
        ReadBytes(std::filesystem::path(KV_STORE_SEEDS) / "records_table_definition_damaged.CDB");
    WriteBytes(file, damaged);
    CCLibDB lib;
    std::vector<std::optional<CHAMBER_CAL>> all;
    EXPECT_FALSE(lib.GetAllRecords(all));
    EXPECT_EQ(lib.LastError(), DbError::kCorrupt);
    EXPECT_FALSE(std::filesystem::exists(file));
    ASSERT_TRUE(lib.AddRecord(Cal("1001", 1)));
    EXPECT_EQ(Listed(), (std::vector<std::string>{"1001/1"}));
    EXPECT_EQ(ReadBytes(file.string() + ".bad"), damaged);

    std::filesystem::permissions(file, std::filesystem::perms::owner_read);
    ASSERT_TRUE(CCLibDB::ClearLibrary());
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_TRUE(CCLibDB::ClearLibrary());  // nothing left to clear is no failure
    EXPECT_EQ(CCLibDB().GetRecordCount(), 0);
}

TEST_F(ChamberStore, UnopenableVolumeFailsEveryOperationWithoutTouchingIt) {
    // Something that is not a file where the library belongs: an access failure, not damage.
    const auto file = FileOf(CCLibDB::kVolumePath);
    std::filesystem::create_directories(file / "kept");
    CCLibDB lib;
    EXPECT_EQ(lib.GetRecordCount(), 0);
    EXPECT_EQ(lib.LastError(), DbError::kIo);
    EXPECT_FALSE(lib.AddRecord(Cal("1001", 1)));
    std::vector<std::optional<CHAMBER_CAL>> all(1, Cal("caller", 9));
    EXPECT_FALSE(lib.GetAllRecords(all));
    EXPECT_EQ(all, (std::vector<std::optional<CHAMBER_CAL>>(1, Cal("caller", 9))));
    EXPECT_TRUE(std::filesystem::exists(file / "kept"));  // neither moved aside nor replaced
}

}  // namespace
