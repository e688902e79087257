#pragma once
// The scintillator baseline library, in baseline-key (creation time) order.
#include <filesystem>
#include <string_view>

#include "store/CLibraryVolume.h"
#include "store/ScintRecords.h"

class CScintDB {
  public:
    static constexpr std::string_view kVolumePath = "\\FlashDisk\\ZEL_ScintLib.CDB";
    static constexpr uint32_t kDatabaseType = 7603;

    CScintDB();

    // Fails for a DoseType outside 16 bits rather than storing a different value.
    bool AddRecord(const SCINT_BASELINE& baseline);
    // `out` is left untouched on failure.
    bool GetRecord(int index, SCINT_BASELINE& out);
    // Positions on the first baseline with this key; false when there is none.
    bool FindKey(std::string_view key);
    // Reads the baseline the last FindKey positioned on.
    bool ReadCurrent(SCINT_BASELINE& out);
    int GetRecordCount();
    // Deletes the baseline at `index` only when it still has `key`: a list row whose record
    // moved meanwhile deletes nothing.
    bool DeleteRecord(int index, std::string_view key);
    // Deletes every baseline with `key`; true also when there was none.
    bool DeleteKey(std::string_view key);

    DbError LastError() const { return volume_.LastError(); }
    const std::filesystem::path& KeptAsidePath() const { return volume_.KeptAsidePath(); }

    // Deletes the baseline library and its measurement points (both files).
    static bool ClearLibrary();

  private:
    bool Decode(const CDBRecord& stored, SCINT_BASELINE& out);

    CLibraryVolume volume_;
};
