#pragma once
// The measurement points of baseline calculations, in baseline-key then set order.
#include <filesystem>
#include <string>
#include <string_view>

#include "store/CLibraryVolume.h"
#include "store/ScintRecords.h"

class CScintMeasDB {
  public:
    static constexpr std::string_view kVolumePath = "\\FlashDisk\\ZEL_ScintMeas.CDB";
    static constexpr uint32_t kDatabaseType = 7604;

    CScintMeasDB();

    // Fails for a negative SetIndex (it is stored unsigned).
    bool AddRecord(const SCINT_MMNT& point);
    // The first call for a key positions on its first point, each further call on the next one;
    // false when no (further) point of that key follows, which ends the walk.
    bool FindNextKey(std::string_view key);
    // Reads the point FindNextKey positioned on; `out` is left untouched on failure.
    bool ReadCurrent(SCINT_MMNT& out);
    int GetRecordCount();
    // Deletes every point of `key`; true also when there was none.
    bool DeleteKey(std::string_view key);

    DbError LastError() const { return volume_.LastError(); }
    const std::filesystem::path& KeptAsidePath() const { return volume_.KeptAsidePath(); }

    static bool ClearLibrary();

  private:
    CLibraryVolume volume_;
    std::string walkKey_;
    bool walking_ = false;
};
