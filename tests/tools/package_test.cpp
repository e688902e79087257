// The Debian packages as `make package` makes them, from this build: which files each one
// holds and with what permissions, what the panel package depends on, and that the systemd
// unit, once unpacked, starts the launcher the package installs and passes systemd's check.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <map>
#include <sstream>

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

bool Have(const char* program) {
    return Shell(std::string("command -v ") + program).status == 0;
}

std::string Quoted(const fs::path& p) {
    return "'" + p.string() + "'";
}

// The regular files of a package with their permission strings ("-rwxr-xr-x").
std::map<std::string, std::string> FilesOf(const fs::path& deb) {
    std::map<std::string, std::string> files;
    std::istringstream listing(Shell("dpkg-deb -c " + Quoted(deb)).output);
    std::string mode, owner, size, date, time, path;
    while (listing >> mode >> owner >> size >> date >> time >> path) {
        if (mode[0] == '-')
            files[path] = mode;
    }
    return files;
}

// The value of `key=` in a unit file, "" when it has none.
std::string UnitValue(const fs::path& unit, const std::string& key) {
    return Shell("sed -n 's/^" + key + "=//p' " + Quoted(unit) + " | tr -d '\\n'").output;
}

class PackageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!Have("dpkg-deb") || !Have("cpack"))
            GTEST_SKIP() << "no dpkg-deb or cpack on this machine";
        const ShellRun made = Shell("cpack --config " KELVARIN_BUILD_DIR "/CPackConfig.cmake -B " +
                                    Quoted(scratch.Path() / "out"));
        ASSERT_EQ(made.status, 0) << made.output;
        for (const auto& entry : fs::directory_iterator(scratch.Path() / "out")) {
            if (entry.path().extension() == ".deb")
                debs[Shell("dpkg-deb -f " + Quoted(entry.path()) + " Package").output] =
                    entry.path();
        }
    }
    fs::path Deb(const std::string& package) { return debs[package + "\n"]; }

    testing_support::TempRoot scratch;
    std::map<std::string, fs::path> debs;  // by the package name its control file gives
};

TEST_F(PackageTest, EachPackageHoldsItsFilesAndTheUnitStartsTheInstalledLauncher) {
    const std::string executable = "-rwxr-xr-x", text = "-rw-r--r--";
    const std::map<std::string, std::map<std::string, std::string>> expected = {
        {"kelvarin",
         {{"./usr/lib/kelvarin/kelvarin", executable},
          {"./usr/lib/kelvarin/kelvarin-launch", executable},
          {"./usr/lib/systemd/system/kelvarin.service", text},
          {"./usr/lib/udev/rules.d/70-kelvarin.rules", text}}},
        {"kelvarin-tools",
         {{"./usr/bin/boardsim", executable},
          {"./usr/bin/kvremote", executable},
          {"./usr/bin/ptylink", executable}}},
    };
    EXPECT_EQ(debs.size(), expected.size());
    for (const auto& [package, files] : expected) {
        SCOPED_TRACE(package);
        ASSERT_FALSE(Deb(package).empty()) << "no package " << package;
        EXPECT_EQ(FilesOf(Deb(package)), files);
    }
    const std::string depends = Shell("dpkg-deb -f " + Quoted(Deb("kelvarin")) + " Depends").output;
    for (const char* needed : {"fonts-dejavu-core", "adduser"})
        EXPECT_NE(depends.find(needed), std::string::npos) << depends;

    // Unpacked as dpkg would install it: the unit's command is the packaged launcher, handed
    // the packaged program, and the stop signal reaches the launcher.
    const fs::path tree = scratch.Path() / "installed";
    ASSERT_EQ(Shell("dpkg-deb -x " + Quoted(Deb("kelvarin")) + " " + Quoted(tree)).status, 0);
    const fs::path unit = tree / "usr/lib/systemd/system/kelvarin.service";
    std::istringstream command(UnitValue(unit, "ExecStart"));
    std::string launcher, option, program;
    command >> launcher >> option >> program;
    EXPECT_EQ(launcher, "/usr/lib/kelvarin/kelvarin-launch");
    EXPECT_EQ(option + " " + program, "--program /usr/lib/kelvarin/kelvarin");
    EXPECT_EQ(UnitValue(unit, "KillMode"), "mixed");
    if (!Have("systemd-analyze"))
        return;
    // systemd finds nothing to object to, with the paths where the unpacked files are.
    ASSERT_EQ(Shell("sed -i 's|/usr/lib/kelvarin/|" + tree.string() + "/usr/lib/kelvarin/|g' " +
                    Quoted(unit))
                  .status,
              0);
    const ShellRun verified = Shell("systemd-analyze verify " + Quoted(unit));
    EXPECT_EQ(verified.status, 0) << verified.output;
    EXPECT_EQ(verified.output, "") << "every line of the unit is understood";
}

}  // namespace
