#pragma once
// The check-source library: sources in serial-number order on the flash disk, addressed by
// position.
#include <filesystem>

#include "store/CLibraryVolume.h"
#include "store/SourceInfo.h"

class CSrcDB {
  public:
    static constexpr std::string_view kVolumePath = "\\FlashDisk\\ZEL_SrcLib.CDB";
    static constexpr uint32_t kDatabaseType = 7602;

    CSrcDB();

    // `out` is left untouched on failure.
    bool GetRecord(int index, SOURCE_INFO& out);
    bool AddRecord(const SOURCE_INFO& record);
    bool UpdateRecord(int index, const SOURCE_INFO& record);
    bool DeleteRecord(int index);
    // 0 on failure; LastError() tells it from an empty library.
    int GetRecordCount();

    const SOURCE_INFO& LastRecord() const { return last_; }
    DbError LastError() const { return volume_.LastError(); }
    const std::filesystem::path& KeptAsidePath() const { return volume_.KeptAsidePath(); }

    // Deletes the library file; the next use starts an empty library.
    static bool ClearLibrary();

  private:
    CLibraryVolume volume_;
    SOURCE_INFO last_;
};
