// The panel's launcher against small fake programs (shell scripts) below a test root: a staged
// program installed, broken ones (ending at once, or silent) taken back, a staged file without
// the settings marker left alone, a power cut after each step leaving an instrument that
// starts, and the stop signal; beside them the simulated board's clock.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <optional>

#include "boardsim/BoardClock.h"
#include "fw/Readiness.h"
#include "launcher/Launcher.h"
#include "launcher/StopSignals.h"
#include "settings/CXmlHelper.h"
#include "settings/SettingsFile.h"
#include "settings/settings_test_support.h"
#include "support/board_date.h"
#include "support/temp_root.h"

namespace {

namespace fs = std::filesystem;
using launcher::Step;
using settings_test::ReadText;

// Generous for programs that answer; only the silent one ever waits it out.
constexpr int kAnsweringTimeoutMs = 20000;
constexpr int kSilentTimeoutMs = 300;

// Starting runs until stopped, before its first view: it notes "up" and answers SIGTERM by
// noting "stopped" and ending with 5.
enum class Fake { Good, EndsAtOnce, Silent, Starting };

class LauncherTest : public ::testing::Test {
  protected:
    void SetUp() override { files = launcher::FilesBelow(root.Path()); }

    // A program that notes its name in the run log, then behaves as `kind` says.
    std::string Program(const std::string& name, Fake kind) const {
        std::string body = "#!/bin/sh\necho " + name + " >> '" + RunLog().string() + "'\n";
        if (kind == Fake::Good)
            body += "echo ready >&$KELVARIN_READY_FD\nexit 0\n";
        else if (kind == Fake::EndsAtOnce)
            body += "exit 3\n";
        else if (kind == Fake::Silent)
            body += "exec sleep 30\n";
        else
            // Short foreground sleeps: the trap runs within one of them, and no background
            // child is left holding the readiness pipe or racing the signal.
            body += "trap 'echo stopped >> \"" + RunLog().string() + "\"; exit 5' TERM\n" +
                    "echo up >> '" + RunLog().string() +
                    "'\ni=0\nwhile [ $i -lt 600 ]; do sleep 0.05; i=$((i+1)); done\n";
        return body;
    }
    void Place(const fs::path& p, const std::string& content) const {
        fs::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << content;
        fs::permissions(p, fs::perms::owner_all);
    }
    // A fresh instrument with the old (good) program installed and `kind` staged.
    void Fresh(Fake kind) const {
        fs::remove_all(root.FlashDisk());
        fs::remove(RunLog());
        Place(files.program, Program("old", Fake::Good));
        Stage(kind);
    }
    void Stage(Fake kind, bool marker = true) const {
        Place(files.staged, Program("new", kind));
        ASSERT_TRUE(!marker || MarkApplicationUpdatePending());
    }
    fs::path RunLog() const { return root.Path() / "ran.log"; }
    std::string Ran() const { return ReadText(RunLog()); }
    int Launch(int timeoutMs = kAnsweringTimeoutMs) const {
        launcher::Options options;
        options.readyTimeoutMs = timeoutMs;
        return launcher::Launch(options);
    }
    static int ExitStatus(pid_t child) {
        int status = 0;
        const bool ended = ::waitpid(child, &status, 0) == child && WIFEXITED(status);
        return ended ? WEXITSTATUS(status) : -1;
    }

    testing_support::TempRoot root;
    launcher::LaunchFiles files;
};

// A staged program that reaches its first view is installed and the one it replaced kept; one
// that ends at once or stays silent is kept aside and the previous one runs again. A power cut
// after any step leaves an instrument whose next start ends the same way.
TEST_F(LauncherTest, AStagedProgramIsInstalledOrTakenBackEvenAcrossAPowerCut) {
    struct Case {
        Fake staged;
        std::optional<Step> cut;
        const char* ran;  // how the run log ends
    } cases[] = {
        {Fake::EndsAtOnce, {}, "new\nold\n"},
        {Fake::Silent, {}, "new\nold\n"},
        {Fake::Good, Step::MarkedTrial, "new\n"},
        {Fake::Good, Step::Installed, "new\n"},
        {Fake::EndsAtOnce, Step::Installed, "old\n"},
        {Fake::EndsAtOnce, Step::RestoredPrevious, "old\n"},
        {Fake::Good, {}, "new\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << static_cast<int>(c.staged) << " cut after "
                                          << (c.cut ? static_cast<int>(*c.cut) : -1));
        Fresh(c.staged);
        const pid_t cutOff = c.cut ? ::fork() : 1;  // the launcher cut off right after the step
        if (cutOff == 0) {
            launcher::Options options;
            options.afterStep = [&c](Step step) {
                if (step == *c.cut)
                    ::_exit(137);
            };
            ::_exit(launcher::Launch(options) == 0 ? 0 : 1);
        }
        EXPECT_TRUE(!c.cut || ExitStatus(cutOff) == 137) << "the cut came after the step";
        EXPECT_EQ(Launch(c.staged == Fake::Silent ? kSilentTimeoutMs : kAnsweringTimeoutMs), 0);

        const bool installed = c.staged == Fake::Good;
        const std::string ran = Ran(), end = c.ran;
        EXPECT_EQ(ran.substr(ran.size() - std::min(ran.size(), end.size())), end);
        EXPECT_EQ(ReadText(files.program), Program(installed ? "new" : "old", Fake::Good));
        EXPECT_EQ(ReadText(files.previous), Program("old", Fake::Good));
        EXPECT_EQ(ReadText(files.rejected), installed ? "" : Program("new", c.staged));
        EXPECT_FALSE(fs::exists(files.staged));
        EXPECT_FALSE(fs::exists(files.trial));
        if (!installed && !c.cut) {
            EXPECT_STREQ(CXmlHelper(kSettingsDevicePath).FindValue(kCategoryUpdates, "App"), "")
                << "the failed update is not tried again";
        }
    }
}

TEST_F(LauncherTest, WithoutTheMarkerOrAnyPreviousProgramNothingIsGuessed) {
    Place(files.program, Program("old", Fake::Good));
    Stage(Fake::Good, false);
    EXPECT_EQ(Launch(), 0);
    EXPECT_EQ(Ran(), "old\n");
    EXPECT_TRUE(fs::exists(files.staged)) << "a copy whose marker failed stays staged";

    // A first program that fails has nothing to go back to: the failure is the result.
    fs::remove(files.program);
    fs::remove(files.staged);
    Stage(Fake::EndsAtOnce);
    EXPECT_EQ(Launch(), 3);
}

// systemd stops the unit with SIGTERM: the program is told and the launcher ends with it; a
// program still on its way to its first view stays on trial and is not taken back.
TEST_F(LauncherTest, AStopSignalGoesToTheProgramAndTheLauncherEndsWithIt) {
    Fresh(Fake::Starting);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        launcher::InstallStopForwarding();
        ::_exit(Launch());
    }
    for (int i = 0; i < 2000 && Ran() != "new\nup\n"; ++i)
        ::usleep(5000);  // real time, for the shell
    ASSERT_EQ(Ran(), "new\nup\n");
    ASSERT_EQ(::kill(pid, SIGTERM), 0);
    EXPECT_EQ(ExitStatus(pid), 5) << "the program's own end";
    EXPECT_EQ(Ran(), "new\nup\nstopped\n");
    EXPECT_EQ(ReadText(files.program), Program("new", Fake::Starting)) << "no rollback";
    EXPECT_TRUE(fs::exists(files.trial));
}

TEST(ProgramReadiness, TheProgramTellsTheDescriptorItWasGivenOnce) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    ::setenv(fw::kReadyFdVariable, std::to_string(fds[1]).c_str(), 1);
    EXPECT_TRUE(fw::SignalReady());
    EXPECT_EQ(std::getenv(fw::kReadyFdVariable), nullptr) << "not passed on to its own children";
    char line[16] = {};
    EXPECT_EQ(::read(fds[0], line, sizeof line), 6);
    EXPECT_STREQ(line, "ready\n");
    EXPECT_EQ(::read(fds[0], line, sizeof line), 0) << "closed after the line";
    ::close(fds[0]);
}

// The simulated board's clock: held for tests, moved by the instrument's SetDateTime only to a
// real date, and the dates its command line takes.
TEST(BoardClock, HeldItAnswersTheSameDateAndTakesOnlyRealDates) {
    boardsim::BoardClock clock;
    ASSERT_TRUE(clock.Hold(testing_support::kBoardTestDate));
    // Monday 14 March 2016 12:00:00: weekday 2 (1 = Sunday), year byte 16.
    const std::array<uint8_t, 7> testDate{0, 0, 12, 2, 14, 3, 16};
    EXPECT_EQ(clock.Payload(), testDate);
    const uint8_t noDate[7] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x2F};
    const uint8_t february30[7] = {0, 0, 0, 1, 30, 2, 16};
    EXPECT_FALSE(clock.SetFromPayload(noDate));
    EXPECT_FALSE(clock.SetFromPayload(february30));
    EXPECT_EQ(clock.Payload(), testDate);
    const uint8_t newYear[7] = {30, 45, 23, 4, 31, 12, 25};  // Wednesday 2025-12-31 23:45:30
    ASSERT_TRUE(clock.SetFromPayload(newYear));
    EXPECT_EQ(clock.Payload(), (std::array<uint8_t, 7>{30, 45, 23, 4, 31, 12, 25}));
}

TEST(BoardClock, DatesOnTheCommandLine) {
    struct Case {
        const char* text;
        bool valid;
        fw::LocalTime expected;
    };
    const Case cases[] = {
        {"2024-02-29 23:59:58", true, {2024, 2, 4, 29, 23, 59, 58, 0}},
        {"2023-02-29", false, {}},
        {"2016-03-14T12:00:00junk", false, {}},
    };
    for (const Case& c : cases) {
        const std::optional<fw::LocalTime> t = boardsim::ParseBoardDate(c.text);
        ASSERT_EQ(t.has_value(), c.valid) << c.text;
        EXPECT_EQ(t.value_or(fw::LocalTime{}), c.expected) << c.text;
    }
}

}  // namespace
