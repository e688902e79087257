#pragma once
// The chamber library: chamber calibrations in serial-number order on the flash disk. Records
// are addressed by position; positions shift when records are added or deleted, so a caller
// holding a position re-resolves it by content (FindRecord, FindCalibration) after a change.
#include <filesystem>
#include <optional>
#include <vector>

#include "store/CLibraryVolume.h"
#include "store/ChamberCal.h"

class CCLibDB {
  public:
    static constexpr std::string_view kVolumePath = "\\FlashDisk\\ZEL_ChamberLib.CDB";
    static constexpr uint32_t kDatabaseType = 7601;

    CCLibDB();

    // `out` is left untouched on failure.
    bool GetRecord(int index, CHAMBER_CAL& out);
    // The whole library in order, in one read: a calibration that cannot be read whole is
    // nothing at its position. `out` is left untouched on failure.
    bool GetAllRecords(std::vector<std::optional<CHAMBER_CAL>>& out);
    bool AddRecord(const CHAMBER_CAL& record);
    bool UpdateRecord(int index, const CHAMBER_CAL& record);
    bool DeleteRecord(int index);
    // Position of the first record equal in every field; false and −1 when there is none.
    bool FindRecord(const CHAMBER_CAL& record, int& index);
    // Position of the first record of the same chamber and coefficient (serial, model, beam or
    // isotope, mantissa, exponent, mode), so a selection survives edits of report data or dates.
    bool FindCalibration(const CHAMBER_CAL& record, int& index);
    // 0 on failure; LastError() tells it from an empty library.
    int GetRecordCount();

    // The last record read or written.
    const CHAMBER_CAL& LastRecord() const { return last_; }
    DbError LastError() const { return volume_.LastError(); }
    // Where a damaged library file was kept, if one was found.
    const std::filesystem::path& KeptAsidePath() const { return volume_.KeptAsidePath(); }

    // Deletes the library file; the next use starts an empty library.
    static bool ClearLibrary();

  private:
    template <typename Match>
    bool FindFirst(Match matches, int& index);

    CLibraryVolume volume_;
    CHAMBER_CAL last_;
};
