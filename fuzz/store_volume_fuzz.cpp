// A chamber library volume file from outside (a flash disk image, a copied file) goes through
// every read the screens make. Damage must come back as a failure, never as a crash; the input
// is the whole volume file. Built and run by `make fuzz`.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "store/CCLibDB.h"

namespace {

std::filesystem::path MakeRoot() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kv-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        abort();
    setenv("KELVARIN_ROOT", pattern.c_str(), 1);
    return pattern;
}

void ReadEverything(CCLibDB& lib) {
    int count = lib.GetRecordCount();
    for (int i = -1; i <= count; ++i) {
        CHAMBER_CAL cal;
        if (lib.GetRecord(i, cal) && (i < 0 || i >= count))
            abort();  // a read outside the library must fail
        int found = -1;
        if (lib.FindRecord(cal, found) && found > i)
            abort();  // a record read at i is found at i or before
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::filesystem::path root = MakeRoot();
    std::error_code ec;
    std::filesystem::remove_all(root / "FlashDisk", ec);
    std::filesystem::create_directories(root / "FlashDisk");
    std::ofstream(root / "FlashDisk" / "ZEL_ChamberLib.CDB", std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    CCLibDB lib;
    ReadEverything(lib);
    CHAMBER_CAL added;
    added.ChamberSerial = "FUZZ";
    if (lib.AddRecord(added)) {
        int index = -1;
        if (!lib.FindRecord(added, index))
            abort();  // what was added and flushed must be found again
    }
    return 0;
}
