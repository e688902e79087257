// Library changes cut off at every step that touches the disk: by a failing write, flush or
// delete, and by the process dying there. Afterwards the library must open without being
// taken for damaged and hold either all of the old content or all of the new, never a mix,
// and a change reported done must be there.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gmock/gmock.h>

#include <functional>
#include <vector>

#include "faulty_vfs.h"
#include "store/CCLibDB.h"
#include "store_fixture.h"

namespace {

using Content = std::vector<std::string>;
using testing::AnyOf;

struct Change {
    const char* name;
    std::function<bool(CCLibDB&)> apply;
    Content after;
};

const Content kBefore = {"1001/10", "2002/20", "3003/30"};

class LibraryWriteFaults : public StoreTest {
  protected:
    void SetUp() override {
        file_ = FileOf(CCLibDB::kVolumePath);
        {
            CCLibDB lib;
            for (const char* serial : {"3003", "1001", "2002"})
                ASSERT_TRUE(lib.AddRecord(Cal(serial, int16_t(std::stoi(serial) / 100))));
        }
        baseline_ = ReadBytes(file_);
    }

    void RestoreBaseline() {
        std::filesystem::remove(file_.string() + "-journal");
        WriteBytes(file_, baseline_);
    }

    // Runs the change in a child armed to die at `step`; true when it died there, false when
    // the change ran to its end first (which it must then have done).
    bool KilledAt(const Change& change, int step) {
        pid_t pid = fork();
        if (pid == 0) {
            vfs_.Arm(step, FaultyVfs::Fault::kKill);
            CCLibDB lib;
            _exit(change.apply(lib) ? 0 : 1);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) || WEXITSTATUS(status) == 0);
        return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    }

    std::filesystem::path file_;
    std::string baseline_;
    FaultyVfs vfs_;
};

// Every step of every change, once killing the process there and once failing it.
TEST_F(LibraryWriteFaults, AnyStepCutOffLeavesOldOrNewContentThatOpensCleanly) {
    const Change changes[] = {
        {"add",
         [](CCLibDB& lib) { return lib.AddRecord(Cal("1500", 15)); },
         {"1001/10", "1500/15", "2002/20", "3003/30"}},
        {"delete", [](CCLibDB& lib) { return lib.DeleteRecord(0); }, {"2002/20", "3003/30"}},
    };
    for (const Change& change : changes) {
        for (int step = 1; step < 1000; ++step) {
            SCOPED_TRACE(std::string(change.name) + " cut off at step " + std::to_string(step));
            RestoreBaseline();
            if (!KilledAt(change, step)) {  // every step of the change has been cut off
                EXPECT_GT(step, 3);
                EXPECT_EQ(Listed(), change.after);
                break;
            }
            Content stored = Listed();  // "damaged" when the library is taken for damaged
            EXPECT_THAT(stored, AnyOf(kBefore, change.after));

            RestoreBaseline();
            CCLibDB lib;
            vfs_.Arm(step, FaultyVfs::Fault::kFail);
            const bool reported = change.apply(lib);
            EXPECT_TRUE(vfs_.FaultHit());
            vfs_.Disarm();
            stored = Listed();
            EXPECT_THAT(stored, AnyOf(change.after, reported ? change.after : kBefore));
            // Trying again on the same object makes the change exactly once.
            if (stored == kBefore) {
                EXPECT_TRUE(change.apply(lib));
                EXPECT_EQ(Listed(), change.after);
            }
        }
    }
}

}  // namespace
