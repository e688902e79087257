#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "fw/Clock.h"
#include "fw/Dialog.h"
#include "fw/EventLoop.h"
#include "fw/View.h"
#include "support/ClockSteps.h"
#include "support/ScriptedBackend.h"

namespace {

class Recorder : public fw::Window {
  public:
    bool OnMessage(const fw::Message& m) override {
        seen.push_back(m);
        return true;
    }
    void OnTimer(int id) override { ticks.push_back({id, fw::GetClock().NowMs()}); }
    std::vector<fw::Message> seen;
    std::vector<std::pair<int, int64_t>> ticks;
};

class LoopTest : public ::testing::Test {
  protected:
    void SetUp() override {
        clock = std::make_shared<fw::ManualClock>();
        fw::SetClock(clock);
        auto b = std::make_unique<testing_support::ScriptedBackend>();
        backend = b.get();
        fw::Loop().SetBackend(std::move(b));
        fw::Loop().ProcessReady();
    }
    void TearDown() override {
        fw::Loop().SetBackend(nullptr);
        fw::SetClock(std::make_shared<fw::SystemClock>());
    }
    void AdvanceTo(int64_t ms) { testing_support::AdvanceWithTimers(*clock, ms - clock->NowMs()); }
    std::shared_ptr<fw::ManualClock> clock;
    testing_support::ScriptedBackend* backend = nullptr;
};

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
    std::thread a(poster, 1);
    std::thread b(poster, 2);
    a.join();
    b.join();
    fw::Loop().ProcessReady();
    ASSERT_EQ(r.seen.size(), size_t(2 * kPerThread));
    intptr_t last[3] = {-1, -1, -1};
    for (const auto& m : r.seen) {
        EXPECT_EQ(m.lparam, last[m.wparam] + 1);
        last[m.wparam] = m.lparam;
        EXPECT_EQ(m.data[0], static_cast<uint8_t>(m.lparam));
    }
}

TEST_F(LoopTest, MessagesToAGoneWindowAreDropped) {
    auto r = std::make_unique<Recorder>();
    fw::WindowHandle h = r->Handle();
    fw::Loop().Post(h, 1);
    r.reset();
    Recorder other;
    fw::Loop().Post(other.Handle(), 2);
    fw::Loop().ProcessReady();  // must not touch the destroyed window
    ASSERT_EQ(other.seen.size(), 1u);
    EXPECT_EQ(fw::Window::FromHandle(h), nullptr);
}

TEST_F(LoopTest, TimersFireOnTheManualClockInOrderUntilKilled) {
    Recorder r;
    const int64_t start = clock->NowMs();
    r.SetTimer(1, 500);
    r.SetTimer(2, 1000);
    AdvanceTo(start + 2100);
    r.KillTimer(1);
    AdvanceTo(start + 3100);
    // Timers due at the same moment fire in the order they are kept: compare the times.
    std::vector<int64_t> times;
    for (const auto& [id, at] : r.ticks)
        times.push_back(at - start);
    EXPECT_EQ(times, (std::vector<int64_t>{500, 1000, 1000, 1500, 2000, 2000, 3000}));
    EXPECT_EQ(r.ticks.back().first, 2);
}

class EndsOnTouch : public fw::Dialog {
  public:
    void OnTouchUp(fw::Point) override { EndDialog(fw::kIdOk); }
};

TEST_F(LoopTest, ModalLoopsNestAndTakeScriptedInput) {
    EndsOnTouch outer;
    EndsOnTouch inner;
    outer.Create(nullptr, {100, 100, 300, 300});
    inner.Create(nullptr, {120, 120, 280, 280});
    int innerResult = 0;
    backend->Then([&] { innerResult = inner.DoModal(); });  // opened from inside the outer loop
    backend->Then([] {
        fw::Loop().InjectTouch({fw::TouchKind::Down, {150, 150}});
        fw::Loop().InjectTouch({fw::TouchKind::Up, {150, 150}});
    });
    backend->Then([] {
        fw::Loop().InjectTouch({fw::TouchKind::Down, {110, 110}});
        fw::Loop().InjectTouch({fw::TouchKind::Up, {110, 110}});
    });
    EXPECT_EQ(outer.DoModal(), fw::kIdOk);
    EXPECT_EQ(innerResult, fw::kIdOk);
    EXPECT_EQ(fw::Loop().ModalDepth(), 0);

    // With nothing scripted a modal loop starves instead of hanging the test.
    int starvedBefore = fw::Loop().StarvedModalLoops();
    EXPECT_EQ(outer.DoModal(), fw::kIdCancel);
    EXPECT_EQ(fw::Loop().StarvedModalLoops(), starvedBefore + 1);
}

// Writes what it hears to a shared log; a dialog of this kind ends on any message and leaves
// a task for the moment no modal loop is on the stack.
class LogWindow : public fw::Window {
  public:
    explicit LogWindow(std::vector<std::string>& log) : log_(log) {}
    bool OnMessage(const fw::Message& m) override {
        log_.push_back("message " + std::to_string(m.id));
        return true;
    }

  private:
    std::vector<std::string>& log_;
};

class EndsOnMessage : public fw::Dialog {
  public:
    EndsOnMessage(const char* name, std::vector<std::string>& log) : name_(name), log_(log) {}
    bool OnMessage(const fw::Message&) override {
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
    LogWindow other(log);
    EndsOnMessage outer("outer", log);
    EndsOnMessage inner("inner", log);
    outer.Create(nullptr, {100, 100, 300, 300});
    inner.Create(nullptr, {120, 120, 280, 280});
    backend->Then([&] {
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

class SwitchingView : public fw::View {
  public:
    explicit SwitchingView(int* destroyed) : destroyed_(destroyed) {}
    ~SwitchingView() override { ++*destroyed_; }
    bool OnMessage(const fw::Message&) override {
        GetFrame()->SwitchToView(std::make_unique<SwitchingView>(destroyed_));
        // Still alive here: the frame keeps the old view until its handler has returned.
        EXPECT_EQ(*destroyed_, 0);
        hint = -1;
        return true;
    }
    void OnUpdate(int h) override { hint = h; }
    int hint = 0;

  private:
    int* destroyed_;
};

TEST_F(LoopTest, AViewMaySwitchAwayFromItselfAndHearsHints) {
    fw::Document doc;
    int destroyed = 0;
    {
        fw::Frame frame(doc);
        frame.SwitchToView(std::make_unique<SwitchingView>(&destroyed));
        auto* first = static_cast<SwitchingView*>(frame.ActiveView());
        doc.UpdateAllViews(4);
        EXPECT_EQ(first->hint, 4);
        fw::Loop().Post(first->Handle(), 1);
        fw::Loop().ProcessReady();
        EXPECT_EQ(destroyed, 1);
        EXPECT_NE(frame.ActiveView(), first);
    }
    EXPECT_EQ(destroyed, 2);
}

TEST(LocalTime, SetKeepsTheBoardsTimeAndRefusesNonsense) {
    fw::ManualClock clock;
    fw::LocalTime t{2016, 3, 1, 14, 9, 5, 7, 0};
    ASSERT_TRUE(clock.SetLocalTime(t));
    EXPECT_EQ(clock.Now(), t);
    clock.Advance(61000);
    fw::LocalTime later = clock.Now();
    EXPECT_EQ(later.minute, 6);
    EXPECT_EQ(later.second, 8);
    EXPECT_FALSE(clock.SetLocalTime({2016, 2, 1, 30, 9, 5, 7, 0}));  // 30 February
    EXPECT_FALSE(clock.SetLocalTime({2016, 13, 1, 1, 9, 5, 7, 0}));
    EXPECT_FALSE(clock.SetLocalTime({2015, 2, 0, 29, 0, 0, 0, 0}));  // not a leap year
    EXPECT_EQ(clock.Now().minute, 6);                                // unchanged
    EXPECT_EQ(fw::DayOfWeek(2016, 3, 14), 1);                        // a Monday
    EXPECT_EQ(fw::DayOfWeek(2000, 1, 1), 6);                         // a Saturday
}

}  // namespace
