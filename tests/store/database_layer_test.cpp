#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "store/CCeMntDatabase.h"
#include "store/VolumeFile.h"
#include "store_fixture.h"

namespace {

constexpr const char* kVolume = "\\FlashDisk\\Test.CDB";
const CDBProp kByName = CDBProp::SortOrder(1, CDBProp::kTypeString);

class DatabaseLayer : public StoreTest {
  protected:
    // Mounts and opens the test database, creating it sorted by property 1 when missing.
    static bool OpenTestDb(CCeMntDatabase& db) {
        return db.Mount(kVolume) &&
               (db.Open(kVolume) ||
                (db.LastError() == DbError::kNotFound &&
                 db.Create(kVolume, 1, std::span(&kByName, 1)) && db.Open(kVolume) && db.Flush()));
    }
    static CDBRecord Named(std::string_view name, int16_t tag) {
        CDBRecord r;
        r.AddProp(CDBProp::String(1, name));
        r.AddProp(CDBProp::I2(2, tag));
        return r;
    }
    static bool Add(CCeMntDatabase& db, CDBRecord r) {
        return db.WriteRecord(r, false) != 0 && db.Flush();
    }
    // The tag (property 2) of every record in database order.
    static std::vector<int> Tags(CCeMntDatabase& db) {
        std::vector<int> tags;
        for (int i = 0; db.SeekTo(i) != 0; ++i) {
            CDBRecord r;
            EXPECT_TRUE(db.ReadRecord(r));
            tags.push_back(r.FindProp(2) ? r.FindProp(2)->GetI2().value_or(-99) : -1);
        }
        return tags;
    }
};

// The property types the stores write, read by another object once flushed; doubles compare
// bit for bit, so NaN and -0 must come back as they went in.
TEST_F(DatabaseLayer, EveryPropertyTypeReadsBackExactlyByAnotherObjectOnceFlushed) {
    const uint8_t bytes[] = {0, 255, 7};
    CDBProp blob(8);
    blob.SetBlob(bytes);
    CDBRecord written;
    for (const CDBProp& p :
         {CDBProp::String(1, std::string("µCi\0tail", 9)), CDBProp::String(2, ""),
          CDBProp::I2(3, std::numeric_limits<int16_t>::min()), CDBProp::UI2(4, 65535),
          CDBProp::Double(5, 1.0 / 3.0), CDBProp::Double(6, std::nan("")), CDBProp::Double(7, -0.0),
          blob})
        written.AddProp(p);
    CCeMntDatabase writer, db;
    ASSERT_TRUE(OpenTestDb(writer));
    ASSERT_TRUE(OpenTestDb(db));
    ASSERT_NE(writer.WriteRecord(written, false), 0u);
    EXPECT_EQ(db.RecordCount(), 0);  // another object sees only flushed changes
    writer.Close();                  // and closing flushes
    ASSERT_NE(db.SeekTo(0), 0u);
    CDBRecord read;
    ASSERT_TRUE(db.ReadRecord(read));
    EXPECT_TRUE(read.Props() == written.Props());
    EXPECT_EQ(read.FindProp(1)->GetI2(), std::nullopt);  // typed access never reinterprets
}

// Outside the records a seek fails and leaves no current record. Another sort order would walk
// the records in an order no store expects.
TEST_F(DatabaseLayer, OrderFollowsSortPropertyWithTiesInInsertionOrderAndOnlyRecordsAreAddressed) {
    CCeMntDatabase db;
    ASSERT_TRUE(OpenTestDb(db));
    CDBRecord unnamed;
    unnamed.AddProp(CDBProp::I2(2, 4));
    // No sort key sorts after all keyed records; "B" before "a" (case-sensitive).
    for (const CDBRecord& r : {Named("b", 1), Named("a", 2), Named("b", 3), unnamed, Named("B", 5)})
        ASSERT_TRUE(Add(db, r));
    EXPECT_EQ(Tags(db), (std::vector<int>{5, 2, 1, 3, 4}));

    // Overwriting keeps a record's place among equal keys; a changed key moves it.
    ASSERT_NE(db.SeekTo(2), 0u);
    CDBRecord r = Named("b", 6);
    ASSERT_NE(db.WriteRecord(r, true), 0u);
    ASSERT_NE(db.SeekTo(0), 0u);
    r = Named("z", 5);
    ASSERT_NE(db.WriteRecord(r, true), 0u);
    EXPECT_EQ(Tags(db), (std::vector<int>{2, 6, 3, 5, 4}));

    CDBRecord untouched = Named("keep", 42);
    for (int index : {-1, 5}) {
        EXPECT_EQ(db.SeekTo(index), 0u) << index;
        EXPECT_EQ(db.LastError(), DbError::kNoMoreItems);
        EXPECT_FALSE(db.ReadRecord(untouched));  // a failed seek leaves no current record
        EXPECT_TRUE(untouched == Named("keep", 42));
    }
    EXPECT_EQ(db.WriteRecord(untouched, true), 0u);  // no current record to overwrite
    ASSERT_NE(db.SeekTo(0), 0u);
    ASSERT_TRUE(db.DeleteRecord());
    EXPECT_FALSE(db.DeleteRecord());  // the deleted record is no longer current

    const CDBProp otherSort = CDBProp::SortOrder(2, CDBProp::kTypeI2);
    CCeMntDatabase other;
    EXPECT_FALSE(other.Mount("\\Windows\\x.CDB"));
    EXPECT_EQ(other.LastError(), DbError::kInvalidParameter);
    ASSERT_TRUE(other.Mount(kVolume));
    EXPECT_FALSE(other.Open(kVolume, std::span(&otherSort, 1)));
    EXPECT_EQ(other.LastError(), DbError::kInvalidParameter);
}

// Damage to a sound volume of fifty long records: bytes that are no volume, another program's
// SQLite file, pages overwritten in the middle, and damage the page check passes (identifiers
// no store writes: 0, or wider than 32 bits, which would alias another record's; the two
// volumes kept as seeds, whose property keys are out of order or whose records table no longer
// makes the identifier a key). Each is reported at mount and kept aside whole, never over an
// earlier copy.
TEST_F(DatabaseLayer, DamagedOrForeignFilesAreKeptAsideAndReported) {
    const auto file = FileOf(kVolume);
    const auto seeds = std::filesystem::path(KV_STORE_SEEDS);
    const std::function<void()> damages[] = {
        [&] { WriteBytes(file, "not a library, but somebody's notes"); },
        [&] { WriteBytes(file, ""), Tamper(file, "CREATE TABLE t(x); INSERT INTO t VALUES(1);"); },
        [&] { WriteBytes(file, ReadBytes(file).replace(4096, 4096, std::string(4096, 'Z'))); },
        [&] { Tamper(file, "UPDATE records SET oid = 0 WHERE oid = 1"); },
        [&] { Tamper(file, "UPDATE records SET oid = 4294967298 WHERE oid = 1"); },
        [&] { WriteBytes(file, ReadBytes(seeds / "props_keys_out_of_order.CDB")); },
        [&] { WriteBytes(file, ReadBytes(seeds / "records_table_definition_damaged.CDB")); },
    };
    std::vector<std::string> kept;
    for (const auto& damage : damages) {
        SCOPED_TRACE(kept.size());
        {
            CCeMntDatabase db;
            ASSERT_TRUE(OpenTestDb(db));
            EXPECT_EQ(db.RecordCount(), 0);  // the next use after damage starts empty
            for (int i = 0; i < 50; ++i) {
                CDBRecord r = Named(std::string(200, char('a' + i % 26)), 1);
                ASSERT_NE(db.WriteRecord(r, false), 0u);
            }
            ASSERT_TRUE(db.Flush());
        }
        damage();
        kept.push_back(ReadBytes(file));
        ASSERT_GT(kept.back().size(), 20u);
        CCeMntDatabase db;
        EXPECT_FALSE(db.Mount(kVolume));
        EXPECT_EQ(db.LastError(), DbError::kCorrupt);
        const std::string n = kept.size() == 1 ? "" : std::to_string(kept.size());
        EXPECT_EQ(ReadBytes(db.KeptAsidePath()), kept.back());
        EXPECT_EQ(db.KeptAsidePath(), file.string() + ".bad" + n);
    }
    EXPECT_EQ(ReadBytes(file.string() + ".bad"), kept.front());
}

// The same identifiers written by another program while the volume is in use, and values of
// the wrong kind: each such record keeps its position as unreadable, and nothing reaches the
// record an identifier would alias.
TEST_F(DatabaseLayer, RecordsNoStoreWroteAreUnreadableInPlace) {
    const auto file = FileOf(kVolume);
    for (const char* id : {"0", "4294967298"}) {
        SCOPED_TRACE(id);
        ASSERT_TRUE(RemoveVolumeFile(file));
        CCeMntDatabase db;
        ASSERT_TRUE(OpenTestDb(db));
        for (auto [name, tag] : {std::pair{"a", 1}, {"b", 2}, {"c", 3}, {"d", 4}})
            ASSERT_TRUE(Add(db, Named(name, static_cast<int16_t>(tag))));
        std::string sql = std::string("UPDATE props SET oid = ") + id + " WHERE oid = 1;" +
                          "UPDATE records SET oid = " + id + " WHERE oid = 1;" +
                          "UPDATE props SET value = 70000 WHERE id = 2 AND value = 3;" +
                          "UPDATE props SET value = NULL WHERE id = 2 AND value = 4;";
        Tamper(file, sql.c_str());

        std::vector<std::optional<CDBRecord>> all;
        ASSERT_TRUE(db.ReadAllRecords(all));
        ASSERT_EQ(all.size(), 4u);
        EXPECT_TRUE(!all[0] && !all[2] && !all[3]);
        ASSERT_TRUE(all[1] && all[1]->FindProp(1));
        EXPECT_TRUE(all[1]->Oid() == 2 && *all[1]->FindProp(1) == CDBProp::String(1, "b"));
        // A bad identifier fails the seek, a bad value the read; the last fails at 0.
        for (int index : {2, 3, 0}) {
            CDBRecord r = Named("keep", 42);
            EXPECT_FALSE(db.SeekTo(index) != 0 && db.ReadRecord(r)) << index;
            EXPECT_EQ(db.LastError(), DbError::kBadRecord);
            EXPECT_TRUE(r == Named("keep", 42));
        }
        EXPECT_FALSE(db.DeleteRecord());
    }
}

}  // namespace
