// Library changes cut off at every step that touches the disk: by a failing write, flush or
// delete, and by the process dying there. Afterwards the library must open without being
// taken for damaged and hold either all of the old content or all of the new, never a mix,
// and a change reported done must be there.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <optional>
#include <vector>

#include "faulty_vfs.h"
#include "store/CCLibDB.h"
#include "store_fixture.h"

namespace {

using Content = std::vector<std::string>;

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

    // What a fresh store object reads; a library it cannot use whole reads as nothing.
    std::optional<Content> Stored() {
        CCLibDB lib;
        std::vector<std::optional<CHAMBER_CAL>> all;
        if (!lib.GetAllRecords(all) || !lib.KeptAsidePath().empty())
            return std::nullopt;
        Content content;
        for (const auto& cal : all) {
            if (!cal)
                return std::nullopt;
            content.push_back(SerialOf(*cal));
        }
        return content;
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
                EXPECT_EQ(Stored(), change.after);
                break;
            }
            auto stored = Stored();  // nothing when the library is taken for damaged
            ASSERT_TRUE(stored.has_value());
            EXPECT_TRUE(*stored == kBefore || *stored == change.after);

            RestoreBaseline();
            CCLibDB lib;
            vfs_.Arm(step, FaultyVfs::Fault::kFail);
            const bool reported = change.apply(lib);
            EXPECT_TRUE(vfs_.FaultHit());
            vfs_.Disarm();
            stored = Stored();
            ASSERT_TRUE(stored.has_value());
            EXPECT_TRUE(*stored == change.after || (!reported && *stored == kBefore));
            // Trying again on the same object makes the change exactly once.
            if (*stored == kBefore) {
                EXPECT_TRUE(change.apply(lib));
                EXPECT_EQ(Stored(), change.after);
            }
        }
    }
}

}  // namespace
