#pragma once
// Starts the real application object headless, wired over real ptys to the simulated main
// board (COM2) and to a remote-computer pty (COM1) that the test holds, on a manual clock.
#include <memory>
#include <string>

#include "app/CKelvarinApp.h"
#include "boardsim/PtyBoardSim.h"
#include "fw/Clock.h"
#include "support/scripted_backend.h"
#include "support/temp_root.h"

namespace testing_support {

class AppHarness {
  public:
    struct Options {
        bool boardAnswersPoll = true;
        bool connectBoard = true;
        bool connectRemote = true;
    };
    AppHarness() : AppHarness(Options{}) {}
    explicit AppHarness(Options options);
    ~AppHarness();

    bool Start();
    // Start(), then the board's first answer and the warm-up screen's firmware request.
    bool StartToWarmUp();
    CKelvarinApp& App() { return *app_; }
    CKelvarinDoc& Doc() { return app_->Doc(); }
    boardsim::BoardSim& Board() { return sim_.Board(); }
    ScriptedBackend& Script() { return *backend_; }
    const TempRoot& Root() const { return root_; }

    // Moves the manual clock on, firing every timer that falls due on the way.
    void Advance(int64_t ms);
    // Pumps the loop (with short real pauses for the ptys) until `done` or `realMs` pass.
    bool WaitFor(const std::function<bool()>& done, int realMs = 3000);

    // The remote computer's side of COM1.
    void RemoteSend(const std::string& text);
    std::string RemoteReceived(int realMs = 300);

    // What the panel shows.
    bool ScreenHasText(const std::string& text);
    bool Screenshot(const std::string& path);

  private:
    Options options_;
    TempRoot root_;
    std::shared_ptr<fw::ManualClock> clock_;
    boardsim::PtyBoardSim sim_;
    boardsim::Pty remote_;
    ScriptedBackend* backend_ = nullptr;
    std::unique_ptr<CKelvarinApp> app_;
};

}  // namespace testing_support
