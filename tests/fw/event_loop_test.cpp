// The event loop: posted messages by thread, nested modal loops and the tasks that wait for
// them to unwind, and the clock's local time.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "fw/Dialog.h"
#include "support/ui_fixture.h"

namespace {

class Recorder : public fw::Window {
  public:
    bool OnMessage(const fw::Message& m) override {
        seen.push_back(m);
        return true;
    }
    std::vector<fw::Message> seen;
};

using LoopTest = testing_support::UiFixture;

TEST_F(LoopTest, PostedMessagesKeepEachThreadsOrderAndOwnTheirRecord) {
    Recorder r;
    constexpr int kPerThread = 500;
    auto poster = [&r](uintptr_t thread) {
        std::vector<uint8_t> buffer(4);
        for (int i = 0; i < kPerThread; ++i) {
            buffer[0] = static_cast<uint8_t>(i);
            fw::Loop().Post(r.Handle(), 0x407, thread, i, buffer);
            buffer[0] = 0xEE;  // reusing the buffer must not change what was posted
        }
    };
    std::thread a(poster, 1), b(poster, 2);
    a.join();
    b.join();
    auto gone = std::make_unique<Recorder>();
    const fw::WindowHandle goneHandle = gone->Handle();
    fw::Loop().Post(goneHandle, 1);
    gone.reset();
    fw::Loop().ProcessReady();  // must not touch the destroyed window
    ASSERT_EQ(r.seen.size(), size_t(2 * kPerThread));
    intptr_t last[3] = {-1, -1, -1};
    for (const auto& m : r.seen) {
        EXPECT_EQ(m.lparam, last[m.wparam] + 1);
        last[m.wparam] = m.lparam;
        EXPECT_EQ(m.data[0], static_cast<uint8_t>(m.lparam));
    }
    EXPECT_EQ(fw::Window::FromHandle(goneHandle), nullptr);
}

// Ends on any message and leaves a task for the moment no modal loop is on the stack; a
// window of its own (no dialog) writes what it hears to the same log.
class EndsOnMessage : public fw::Dialog {
  public:
    EndsOnMessage(std::string name, std::vector<std::string>& log) : name_(name), log_(log) {}
    bool OnMessage(const fw::Message& m) override {
        if (name_ == "other") {
            log_.push_back("message " + std::to_string(m.id));
            return true;
        }
        EndDialog(fw::kIdOk);
        fw::Loop().PostAfterModalLoops([this] {
            log_.push_back(name_ + " task at depth " + std::to_string(fw::Loop().ModalDepth()));
        });
        return true;
    }

  private:
    std::string name_;
    std::vector<std::string>& log_;
};

TEST_F(LoopTest, AnEndedLoopReturnsAtOnceAndWaitingTasksRunOnceAllHaveUnwound) {
    std::vector<std::string> log;
    EndsOnMessage other("other", log), outer("outer", log), inner("inner", log);
    other.Create(nullptr, {0, 0, 10, 10});
    outer.Create(nullptr, {100, 100, 300, 300});
    inner.Create(nullptr, {120, 120, 280, 280});
    ThenDo([&] {
        fw::Loop().Post(inner.Handle(), 1);
        fw::Loop().Post(other.Handle(), 2);  // after the inner end: for the outer loop
        inner.DoModal();
        log.push_back("inner returned");
        EXPECT_TRUE(fw::Loop().UnwindingModalLoops());
        fw::Loop().Post(outer.Handle(), 3);
        fw::Loop().Post(other.Handle(), 4);  // after the outer end: waits for the tasks
    });
    outer.DoModal();
    log.push_back("outer returned");
    EXPECT_TRUE(fw::Loop().UnwindingModalLoops());
    fw::Loop().ProcessReady();
    EXPECT_EQ(log, (std::vector<std::string>{"inner returned", "message 2", "outer returned",
                                             "inner task at depth 0", "outer task at depth 0",
                                             "message 4"}));
    EXPECT_FALSE(fw::Loop().UnwindingModalLoops());
    // With no loop on the stack and none waiting, a task runs at once.
    fw::Loop().PostAfterModalLoops([&] { log.push_back("at once"); });
    EXPECT_EQ(log.back(), "at once");
}

TEST(LocalTime, SetKeepsTheBoardsTimeAndRefusesNonsense) {
    fw::ManualClock clock;
    fw::LocalTime t{2016, 2, 1, 29, 9, 5, 7, 0};  // a leap day
    ASSERT_TRUE(clock.SetLocalTime(t));
    EXPECT_EQ(clock.Now(), t);
    clock.Advance(61000);
    EXPECT_EQ(clock.Now().minute * 100 + clock.Now().second, 608);
    for (const fw::LocalTime& bad : {fw::LocalTime{2016, 2, 1, 30, 9, 5, 7, 0},  // 30 February
                                     fw::LocalTime{2016, 13, 1, 1, 9, 5, 7, 0},
                                     fw::LocalTime{2015, 2, 0, 29, 0, 0, 0, 0}})  // no leap year
        EXPECT_FALSE(clock.SetLocalTime(bad)) << bad.month << "/" << bad.day;
    EXPECT_EQ(clock.Now().minute, 6);          // unchanged
    EXPECT_EQ(fw::DayOfWeek(2016, 3, 14), 1);  // a Monday
    EXPECT_EQ(fw::DayOfWeek(2000, 1, 1), 6);   // a Saturday
}

}  // namespace
