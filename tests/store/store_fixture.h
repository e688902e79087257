#pragma once
// A fresh instrument root per test (KELVARIN_ROOT points at it), removed afterwards, a few
// ways to reach into a volume file the way damage or another program would, and a chamber
// calibration to store and list.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "fw/Paths.h"
#include "store/CCLibDB.h"
#include "store/ChamberCal.h"
#include "support/temp_root.h"

class StoreTest : public ::testing::Test {
  protected:
    static std::filesystem::path FileOf(std::string_view devicePath) {
        return fw::MapDevicePath(devicePath).value();
    }
    static std::string ReadBytes(const std::filesystem::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void WriteBytes(const std::filesystem::path& p, const std::string& bytes) {
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary | std::ios::trunc) << bytes;
    }
    // Runs SQL on a volume file behind the store's back.
    static void Tamper(const std::filesystem::path& file, const char* sql) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK)
            << sqlite3_errmsg(db);
        sqlite3_close(db);
    }

    testing_support::TempRoot root_;
};

// A chamber calibration with every field set; records differ by serial and mantissa.
inline CHAMBER_CAL Cal(std::string serial, int16_t mantissa) {
    return {.ChamberSerial = std::move(serial),
            .ChamberModel = "FC65-G",
            .ReportName = "Report 2291/µ",
            .ReportDate = {2023, 4, 17},
            .CalDueDate = {2025, 4, 17},
            .BeamIsotope = "Co-60",
            .CoefMantissa = mantissa,
            .CoefExponent = 7,
            .CalMode = 12,
            .Aion = "1.002",
            .Polarity = -300};
}

// "serial/mantissa" of each record a fresh store object's whole-library read lists
// ("unreadable" for a damaged one), or "damaged" alone when it cannot use the library whole.
inline std::vector<std::string> Listed() {
    CCLibDB lib;
    std::vector<std::optional<CHAMBER_CAL>> all;
    if (!lib.GetAllRecords(all) || !lib.KeptAsidePath().empty())
        return {"damaged"};
    std::vector<std::string> listed;
    for (const auto& c : all)
        listed.push_back(c ? c->ChamberSerial + "/" + std::to_string(c->CoefMantissa)
                           : "unreadable");
    return listed;
}
