#include "fw/Version.h"

#include <fstream>
#include <iterator>

#ifndef KELVARIN_VERSION
#define KELVARIN_VERSION "0.0.0.0"
#endif

namespace fw {

// The stamp lives in the binary as text that the reader below finds again.
extern const char kProductVersionStamp[];
__attribute__((used)) const char kProductVersionStamp[] = "\x01KVPRODUCTVERSION=" KELVARIN_VERSION;

namespace {

// Assembled at run time so the reader's own needle is not a second stamp in the file.
std::string StampPrefix() {
    return std::string("\x01KVPRODUCT") + "VERSION=";
}

std::string ShortForm(const std::string& version) {
    size_t first = version.find('.');
    if (first == std::string::npos)
        return version;
    size_t second = version.find('.', first + 1);
    return second == std::string::npos ? version : version.substr(0, second);
}

// The full version found in the file, or nothing.
std::string ReadStamp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string prefix = StampPrefix();
    std::string version;
    // The first occurrence that carries a version (a bare prefix may be other text).
    for (size_t at = bytes.find(prefix); at != std::string::npos && version.empty();
         at = bytes.find(prefix, at + 1)) {
        size_t begin = at + prefix.size();
        size_t end = bytes.find('\0', begin);
        if (end != std::string::npos && end > begin && end - begin <= 64) {
            version = bytes.substr(begin, end - begin);
        }
    }
    return version;
}

bool TakeVersion(const std::string& version, std::string& out, int shortForm) {
    if (version.empty())
        return false;
    out = shortForm == 1 ? ShortForm(version) : version;
    return true;
}

}  // namespace

bool GetProductVersion(const std::filesystem::path& path, std::string& out, int shortForm) {
    return TakeVersion(ReadStamp(path), out, shortForm);
}

std::filesystem::path OwnExecutable() {
    std::error_code ec;
    auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : p;
}

bool GetOwnProductVersion(std::string& out, int shortForm) {
    static const std::string own = ReadStamp(OwnExecutable());
    return TakeVersion(own, out, shortForm);
}

}  // namespace fw
