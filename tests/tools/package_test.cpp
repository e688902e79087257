// The Debian packages as `make package` makes them, from this build: which files each one
// holds and with what permissions, and what the panel package depends on.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <map>

#include "support/temp_root.h"

namespace {

namespace fs = std::filesystem;

struct ShellRun {
    int status = -1;
    std::string output;  // standard output and error
};

ShellRun Shell(const std::string& command) {
    ShellRun run;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr)
        return run;
    char buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.output.append(buffer, got);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string Quoted(const fs::path& p) {
    return "'" + p.string() + "'";
}

// The regular files of a package, one "permissions path" line each.
std::string FilesOf(const fs::path& deb) {
    return Shell("dpkg-deb -c " + Quoted(deb) + " | awk '/^-/ {print $1, $6}' | sort -k2").output;
}

TEST(PackageTest, EachPackageHoldsItsFilesWithTheirPermissionsAndDependencies) {
    if (Shell("command -v dpkg-deb && command -v cpack").status != 0)
        GTEST_SKIP() << "no dpkg-deb or cpack on this machine";
    const testing_support::TempRoot scratch;
    const ShellRun made = Shell("cpack --config " KELVARIN_BUILD_DIR "/CPackConfig.cmake -B " +
                                Quoted(scratch.Path() / "out"));
    ASSERT_EQ(made.status, 0) << made.output;
    std::map<std::string, std::string> files;  // by the package name its control file gives
    std::string depends;
    for (const auto& entry : fs::directory_iterator(scratch.Path() / "out")) {
        if (entry.path().extension() != ".deb")
            continue;
        const std::string package =
            Shell("dpkg-deb -f " + Quoted(entry.path()) + " Package").output;
        files[package] = FilesOf(entry.path());
        if (package == "kelvarin\n")
            depends = Shell("dpkg-deb -f " + Quoted(entry.path()) + " Depends").output;
    }
    EXPECT_EQ(files, (std::map<std::string, std::string>{
                         {"kelvarin\n",
                          "-rwxr-xr-x ./usr/lib/kelvarin/kelvarin\n"
                          "-rwxr-xr-x ./usr/lib/kelvarin/kelvarin-launch\n"
                          "-rw-r--r-- ./usr/lib/systemd/system/kelvarin.service\n"
                          "-rw-r--r-- ./usr/lib/udev/rules.d/70-kelvarin.rules\n"},
                         {"kelvarin-tools\n",
                          "-rwxr-xr-x ./usr/bin/boardsim\n"
                          "-rwxr-xr-x ./usr/bin/kvremote\n"
                          "-rwxr-xr-x ./usr/bin/ptylink\n"},
                     }));
    for (const char* needed : {"fonts-dejavu-core", "adduser"})
        EXPECT_NE(depends.find(needed), std::string::npos) << depends;
}

}  // namespace
