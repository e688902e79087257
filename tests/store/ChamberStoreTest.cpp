#include <optional>
#include <vector>

#include "StoreTestRoot.h"
#include "store/CCLibDB.h"

namespace {

CHAMBER_CAL Cal(std::string serial, int16_t mantissa, std::string model = "FC65-G") {
    CHAMBER_CAL c;
    c.ChamberSerial = std::move(serial);
    c.ChamberModel = std::move(model);
    c.ReportName = "Report 2291/µ";
    c.ReportDate = {2023, 4, 17};
    c.CalDueDate = {2025, 4, 17};
    c.BeamIsotope = "Co-60";
    c.CoefMantissa = mantissa;
    c.CoefExponent = 7;
    c.CalMode = 12;
    c.Aion = "1.002";
    c.Polarity = -300;
    return c;
}

std::string SerialOf(const CHAMBER_CAL& c) {
    return c.ChamberSerial + "/" + std::to_string(c.CoefMantissa);
}

// The library by positional reads; the whole-library read must list the same records.
std::vector<std::string> Serials(CCLibDB& lib) {
    std::vector<std::string> serials;
    for (int i = 0; i < lib.GetRecordCount(); ++i) {
        CHAMBER_CAL c;
        EXPECT_TRUE(lib.GetRecord(i, c));
        serials.push_back(SerialOf(c));
    }
    std::vector<std::optional<CHAMBER_CAL>> all;
    EXPECT_TRUE(lib.GetAllRecords(all));
    std::vector<std::string> listed;
    for (const auto& c : all)
        listed.push_back(c ? SerialOf(*c) : "unreadable");
    EXPECT_EQ(listed, serials);
    return serials;
}

using ChamberStore = StoreTest;

TEST_F(ChamberStore, RecordsKeepEveryFieldInSerialOrderAcrossStoreObjects) {
    {
        CCLibDB lib;
        EXPECT_EQ(lib.GetRecordCount(), 0);
        EXPECT_EQ(lib.LastError(), DbError::kNone);
        ASSERT_TRUE(lib.AddRecord(Cal("3002", 5410)));
        ASSERT_TRUE(lib.AddRecord(Cal("1001", 4820)));
        // The same chamber with a second coefficient is a record of its own.
        ASSERT_TRUE(lib.AddRecord(Cal("3002", 5390)));
    }
    EXPECT_TRUE(std::filesystem::exists(root_ / "FlashDisk" / "ZEL_ChamberLib.CDB"));
    CCLibDB lib;
    EXPECT_EQ(Serials(lib), (std::vector<std::string>{"1001/4820", "3002/5410", "3002/5390"}));
    CHAMBER_CAL read;
    ASSERT_TRUE(lib.GetRecord(2, read));
    EXPECT_EQ(read, Cal("3002", 5390));
    EXPECT_EQ(lib.LastRecord(), read);

    // A change made through another store object moves the positions this one sees.
    CCLibDB other;
    ASSERT_TRUE(other.AddRecord(Cal("0500", 1)));
    ASSERT_TRUE(other.DeleteRecord(3));
    EXPECT_EQ(Serials(lib), (std::vector<std::string>{"0500/1", "1001/4820", "3002/5410"}));
}

TEST_F(ChamberStore, ReadsOutsideTheLibraryFailAndLeaveTheCallersRecord) {
    CCLibDB lib;
    ASSERT_TRUE(lib.AddRecord(Cal("1001", 4820)));
    const CHAMBER_CAL callers = Cal("caller", 1);
    for (int index : {-1, 1, 50}) {
        CHAMBER_CAL out = callers;
        EXPECT_FALSE(lib.GetRecord(index, out)) << index;
        EXPECT_EQ(out, callers);
        EXPECT_EQ(lib.LastError(), DbError::kNoMoreItems);
        EXPECT_FALSE(lib.UpdateRecord(index, Cal("x", 1)));
        EXPECT_FALSE(lib.DeleteRecord(index));
    }
    EXPECT_EQ(Serials(lib), (std::vector<std::string>{"1001/4820"}));
}

TEST_F(ChamberStore, UpdatesAndDeletesAddressPositionsThatFindRecordReResolves) {
    CCLibDB lib;
    int index = 0;
    EXPECT_FALSE(lib.FindRecord(Cal("1001", 4820), index));
    EXPECT_EQ(index, -1);
    for (const char* serial : {"2000", "3000", "4000"})
        ASSERT_TRUE(lib.AddRecord(Cal(serial, 1000)));

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
    CHAMBER_CAL read;
    ASSERT_TRUE(lib.GetRecord(2, read));
    EXPECT_EQ(read, edited);
    EXPECT_FALSE(lib.FindCalibration(Cal("3000", 1001), index));

    // Deleting position 0 moves every other record up by one.
    ASSERT_TRUE(lib.DeleteRecord(0));
    EXPECT_EQ(Serials(lib), (std::vector<std::string>{"2000/1000", "3000/1000", "4000/1000"}));
    ASSERT_TRUE(lib.FindRecord(edited, index));
    EXPECT_EQ(index, 1);
}

TEST_F(ChamberStore, RecordMissingAPropertyFailsToReadAndIsPassedOverBySearches) {
    {
        CCLibDB lib;
        ASSERT_TRUE(lib.AddRecord(Cal("1001", 1)));
        ASSERT_TRUE(lib.AddRecord(Cal("1001", 2)));
    }
    // The first record loses its polarity (115) behind the store's back.
    Tamper(FileOf(CCLibDB::kVolumePath),
           "DELETE FROM props WHERE id = 115 AND oid = (SELECT min(oid) FROM records)");
    CCLibDB lib;
    CHAMBER_CAL out = Cal("caller", 9);
    EXPECT_FALSE(lib.GetRecord(0, out));
    EXPECT_EQ(lib.LastError(), DbError::kBadRecord);
    EXPECT_EQ(out, Cal("caller", 9));
    int index = -1;
    ASSERT_TRUE(lib.FindRecord(Cal("1001", 2), index));
    EXPECT_EQ(index, 1);
    // The whole-library read keeps the damaged record's place, so positions still match.
    std::vector<std::optional<CHAMBER_CAL>> all;
    ASSERT_TRUE(lib.GetAllRecords(all));
    ASSERT_EQ(all.size(), 2u);
    EXPECT_FALSE(all[0].has_value());
    EXPECT_EQ(all[1], Cal("1001", 2));
    // Writing the full record in place mends it.
    ASSERT_TRUE(lib.UpdateRecord(0, Cal("1001", 1)));
    ASSERT_TRUE(lib.GetRecord(0, out));
    EXPECT_EQ(out, Cal("1001", 1));
}

TEST_F(ChamberStore, RecordsWithoutPropertiesOrWithAnUndecodableValueAreListedAsUnreadable) {
    {
        CCLibDB lib;
        for (int n = 1; n <= 4; ++n)
            ASSERT_TRUE(lib.AddRecord(Cal(std::to_string(1000 + n), static_cast<int16_t>(n))));
    }
    // Record 2 loses every property (and with its serial its place: it sorts last); record 3's
    // mantissa becomes text in an int16 property.
    Tamper(FileOf(CCLibDB::kVolumePath),
           "DELETE FROM props WHERE oid = (SELECT min(oid) + 1 FROM records);"
           "UPDATE props SET value = 'x' WHERE id = 111 AND "
           "oid = (SELECT min(oid) + 2 FROM records)");
    CCLibDB lib;
    std::vector<std::optional<CHAMBER_CAL>> all;
    ASSERT_TRUE(lib.GetAllRecords(all));
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[0], Cal("1001", 1));
    EXPECT_FALSE(all[1].has_value());
    EXPECT_EQ(all[2], Cal("1004", 4));
    EXPECT_FALSE(all[3].has_value());
    int index = -1;
    ASSERT_TRUE(lib.FindCalibration(Cal("1004", 4), index));
    EXPECT_EQ(index, 2);
    CHAMBER_CAL out;
    EXPECT_FALSE(lib.GetRecord(3, out));
}

TEST_F(ChamberStore, ClearingDeletesTheFileAndTheNextUseStartsEmpty) {
    const auto file = FileOf(CCLibDB::kVolumePath);
    {
        CCLibDB lib;
        ASSERT_TRUE(lib.AddRecord(Cal("1001", 1)));
    }
    std::filesystem::permissions(file, std::filesystem::perms::owner_read);
    ASSERT_TRUE(CCLibDB::ClearLibrary());
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_TRUE(CCLibDB::ClearLibrary());  // nothing left to clear is no failure
    CCLibDB lib;
    EXPECT_EQ(lib.GetRecordCount(), 0);
    EXPECT_EQ(lib.LastError(), DbError::kNone);
    ASSERT_TRUE(lib.AddRecord(Cal("2002", 1)));
    EXPECT_EQ(lib.GetRecordCount(), 1);
}

TEST_F(ChamberStore, DamagedLibraryIsReportedKeptAndReplacedOnlyOnTheNextUse) {
    const auto file = FileOf(CCLibDB::kVolumePath);
    const std::string damaged(3000, '\x07');
    WriteBytes(file, damaged);
    CCLibDB lib;
    EXPECT_EQ(lib.GetRecordCount(), 0);
    EXPECT_EQ(lib.LastError(), DbError::kCorrupt);
    EXPECT_EQ(ReadBytes(lib.KeptAsidePath()), damaged);
    EXPECT_FALSE(std::filesystem::exists(file));

    ASSERT_TRUE(lib.AddRecord(Cal("1001", 1)));
    EXPECT_EQ(lib.GetRecordCount(), 1);
    EXPECT_EQ(ReadBytes(file.string() + ".bad"), damaged);
}

// Volumes whose damage the quick page check does not see: a records table whose definition no
// longer makes the identifier a key (every identifier reads as nothing), and property keys out
// of order (an add lands where no read finds it).
TEST_F(ChamberStore, VolumesDamagedBeyondTheirPagesReadAsDamaged) {
    const auto file = FileOf(CCLibDB::kVolumePath);
    for (const char* seed :
         {"records_table_definition_damaged.CDB", "props_keys_out_of_order.CDB"}) {
        SCOPED_TRACE(seed);
        const std::string damaged = ReadBytes(std::filesystem::path(KV_STORE_SEEDS) / seed);
        ASSERT_FALSE(damaged.empty());
        WriteBytes(file, damaged);
        CCLibDB lib;
        std::vector<std::optional<CHAMBER_CAL>> all;
        EXPECT_FALSE(lib.GetAllRecords(all));
        EXPECT_EQ(lib.LastError(), DbError::kCorrupt);
        EXPECT_EQ(ReadBytes(lib.KeptAsidePath()), damaged);
        ASSERT_TRUE(lib.AddRecord(Cal("1001", 1)));
        int index = -1;
        EXPECT_TRUE(lib.FindRecord(Cal("1001", 1), index));
        EXPECT_EQ(Serials(lib), (std::vector<std::string>{"1001/1"}));
        ASSERT_TRUE(CCLibDB::ClearLibrary());
    }
}

TEST_F(ChamberStore, UnopenableVolumeFailsEveryOperationWithoutTouchingIt) {
    // Something that is not a file where the library belongs: an access failure, not damage.
    const auto file = FileOf(CCLibDB::kVolumePath);
    std::filesystem::create_directories(file / "kept");
    CCLibDB lib;
    EXPECT_EQ(lib.GetRecordCount(), 0);
    EXPECT_EQ(lib.LastError(), DbError::kIo);
    EXPECT_FALSE(lib.AddRecord(Cal("1001", 1)));
    CHAMBER_CAL out;
    EXPECT_FALSE(lib.GetRecord(0, out));
    std::vector<std::optional<CHAMBER_CAL>> all(1, Cal("caller", 9));
    EXPECT_FALSE(lib.GetAllRecords(all));
    EXPECT_EQ(all, (std::vector<std::optional<CHAMBER_CAL>>(1, Cal("caller", 9))));
    EXPECT_TRUE(lib.KeptAsidePath().empty());
    EXPECT_TRUE(std::filesystem::exists(file / "kept"));
}

}  // namespace
