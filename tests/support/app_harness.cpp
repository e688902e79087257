#include "support/app_harness.h"
#include "support/board_date.h"
#include "support/clock_steps.h"

#include <poll.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "fw/EventLoop.h"
#include "fw/Resources.h"

namespace testing_support {

AppHarness::AppHarness(Options options)
    : options_(options), clock_(std::make_shared<fw::ManualClock>()) {}

AppHarness::~AppHarness() {
    app_.reset();
    sim_.Stop();
    remote_.Close();
    fw::Loop().SetBackend(nullptr);
    fw::SetClock(std::make_shared<fw::SystemClock>());
    unsetenv("KELVARIN_COM1");
    unsetenv("KELVARIN_COM2");
}

bool AppHarness::Start() {
    fw::SetClock(clock_);
    fw::SetSoundEnabled(false);
    auto backend = std::make_unique<ScriptedBackend>();
    backend_ = backend.get();
    fw::Loop().SetBackend(std::move(backend));
    unsetenv("KELVARIN_COM1");
    unsetenv("KELVARIN_COM2");
    if (options_.connectBoard) {
        sim_.Board().HoldClock(kBoardTestDate);
        if (!sim_.Start(false))
            return false;
        sim_.Board().SetAnswersPoll(options_.boardAnswersPoll);
        setenv("KELVARIN_COM2", sim_.DevicePath().c_str(), 1);
    }
    if (options_.connectRemote) {
        if (!remote_.Open())
            return false;
        setenv("KELVARIN_COM1", remote_.slavePath.c_str(), 1);
    }
    app_ = std::make_unique<CKelvarinApp>();
    return app_->InitInstance();
}

bool AppHarness::StartToWarmUp() {
    if (!Start())
        return false;
    // A first poll can be lost while the ptys settle; the 500 ms poll timer sends another.
    for (int i = 0; i < 10 && !Doc().BoardAnswered(); ++i) {
        if (!WaitFor([&] { return Doc().BoardAnswered(); }, 300))
            Advance(500);
    }
    return Doc().BoardAnswered() && WaitFor([&] { return !Doc().FirmwareVersion.empty(); });
}

void AppHarness::Advance(int64_t ms) {
    AdvanceWithTimers(*clock_, ms);
}

bool AppHarness::WaitFor(const std::function<bool()>& done, int realMs) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(realMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        if (!fw::Loop().ProcessReady())
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

void AppHarness::RemoteSend(const std::string& text) {
    [[maybe_unused]] ssize_t n = ::write(remote_.master, text.data(), text.size());
}

std::string AppHarness::RemoteReceived(int realMs) {
    std::string got;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(realMs);
    while (std::chrono::steady_clock::now() < deadline) {
        fw::Loop().ProcessReady();
        pollfd p{remote_.master, POLLIN, 0};
        if (::poll(&p, 1, 5) > 0 && (p.revents & POLLIN)) {
            char buffer[256];
            ssize_t n = ::read(remote_.master, buffer, sizeof buffer);
            if (n > 0)
                got.append(buffer, static_cast<size_t>(n));
        }
    }
    return got;
}

bool AppHarness::ScreenHasText(const std::string& text) {
    fw::Loop().RepaintNow();
    for (const auto& t : fw::Loop().GetSurface().Texts()) {
        if (t.text == text)
            return true;
    }
    return false;
}

bool AppHarness::Screenshot(const std::string& path) {
    fw::Loop().RepaintNow();
    return fw::Loop().GetSurface().SavePng(path);
}

}  // namespace testing_support
