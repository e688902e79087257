// Fuzz target for the settings file: any bytes on the flash disk must load without a crash,
// leave every stored index inside its table, and rewrite a file that loads again with
// nothing left to repair.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "document/CKelvarinDoc.h"
#include "settings/SettingsFile.h"

namespace {

std::filesystem::path FlashDisk() {
    static const std::filesystem::path folder = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kelvarin-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            std::abort();
        setenv("KELVARIN_ROOT", pattern.c_str(), 1);
        std::filesystem::create_directories(std::filesystem::path(pattern) / "FlashDisk");
        return std::filesystem::path(pattern) / "FlashDisk";
    }();
    return folder;
}

bool IndexesInRange(const CKelvarinDoc& doc) {
    return doc.PressStd >= 0 && doc.PressStd <= 2 && doc.TempStd >= 0 && doc.TempStd <= 1 &&
           doc.DateFormat >= 0 && doc.DateFormat <= 2 && doc.TimeFormat >= 0 &&
           doc.TimeFormat <= 1 && doc.DefChargeType <= 2 && doc.DataFileDelimiter >= 0 &&
           doc.DataFileDelimiter <= 1 && doc.DefChargeDuration >= 1 &&
           doc.DefChargeDuration <= 86400 && doc.Brightness >= 1 && doc.Brightness <= 10 &&
           doc.Volume <= 10;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::filesystem::path folder = FlashDisk();
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "ZELTarvo.xml", std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    CKelvarinDoc doc;
    SettingsLoadReport first = LoadSettings(doc);
    if (!IndexesInRange(doc))
        std::abort();
    if (!first.written)
        return 0;
    CKelvarinDoc again;
    SettingsLoadReport second = LoadSettings(again);
    if (second.fileWasDamaged || !second.repairedKeys.empty() || !second.addedKeys.empty())
        std::abort();
    return 0;
}
