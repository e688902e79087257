#pragma once
// A locale whose decimal separator is a comma, built for the test when the machine lacks one.
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace testing_locale {

inline bool UseCommaLocale(const std::filesystem::path& scratch) {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr)
        return true;
    std::string make =
        "localedef -i de_DE -f UTF-8 '" + (scratch / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
    if (std::system(make.c_str()) != 0)
        return false;
    setenv("LOCPATH", scratch.c_str(), 1);
    return std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
}

inline void UseCLocale() {
    std::setlocale(LC_ALL, "C");
    unsetenv("LOCPATH");
}

}  // namespace testing_locale
