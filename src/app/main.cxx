// The instrument executable. It has no command-line options: KELVARIN_ROOT, KELVARIN_COM1,
// KELVARIN_COM2 and KELVARIN_HEADLESS configure it.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "app/CKelvarinApp.h"
#include "fw/EventLoop.h"
#include "fw/HeadlessBackend.h"
#include "fw/Paths.h"
#include "fw/SdlBackend.h"

namespace {

bool HeadlessRequested() {
    const char* h = std::getenv("KELVARIN_HEADLESS");
    return h != nullptr && std::strcmp(h, "1") == 0;
}

}  // namespace

int main() {
    std::error_code ec;
    const std::filesystem::path root = fw::InstrumentRoot();
    std::filesystem::create_directories(root / "FlashDisk", ec);

    fw::SdlBackend* window = nullptr;
    if (!HeadlessRequested()) {
        if (auto sdl = fw::SdlBackend::Create()) {
            window = sdl.get();
            fw::Loop().SetBackend(std::move(sdl));
        }
    }
    if (window == nullptr) {
        std::string shot = (root / "screen.png").string();
        std::printf("Running headless; the screen is kept in %s\n", shot.c_str());
        std::fflush(stdout);
        fw::Loop().SetBackend(std::make_unique<fw::HeadlessBackend>(shot));
    }

    CKelvarinApp app;
    if (!app.InitInstance())
        return 1;
    fw::Loop().RunUntil([window] { return window != nullptr && window->QuitRequested(); });
    return 0;
}
