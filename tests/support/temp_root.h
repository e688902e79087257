#pragma once
// A fresh instrument root per test, removed afterwards; KELVARIN_ROOT points at it.
#include <filesystem>

namespace testing_support {

class TempRoot {
  public:
    TempRoot();
    ~TempRoot();
    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path FlashDisk() const { return path_ / "FlashDisk"; }
    std::filesystem::path Usb() const { return path_ / "USB HD"; }

  private:
    std::filesystem::path path_;
};

}  // namespace testing_support
