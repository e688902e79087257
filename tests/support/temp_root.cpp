#include "support/temp_root.h"

#include <cstdlib>
#include <string>

namespace testing_support {

TempRoot::TempRoot() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "kelvarin-test-XXXXXX").string();
    char* made = mkdtemp(pattern.data());
    path_ = made ? std::filesystem::path(made) : std::filesystem::temp_directory_path();
    std::filesystem::create_directories(FlashDisk());
    std::filesystem::create_directories(Usb());
    setenv("KELVARIN_ROOT", path_.c_str(), 1);
}

TempRoot::~TempRoot() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
    unsetenv("KELVARIN_ROOT");
}

}  // namespace testing_support
