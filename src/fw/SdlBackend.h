#pragma once
// Shows the surface in an SDL window (or full screen on a panel's KMS/DRM) and turns mouse
// and finger input into touches.
#include <cstdint>
#include <memory>

#include "fw/Backend.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

namespace fw {

class SdlBackend : public Backend {
  public:
    // Nothing when SDL has no video device here.
    static std::unique_ptr<SdlBackend> Create();
    ~SdlBackend() override;

    void Present(const Surface& surface, const Rect& changed) override;
    bool WaitForEvents(EventLoop& loop, int64_t timeoutMs) override;
    void Wake() override;
    // The operator closed the desktop window (there is no such thing on the panel).
    bool QuitRequested() const { return quit_; }

  private:
    SdlBackend() = default;
    void Translate(EventLoop& loop, const void* event);

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    uint32_t wakeEvent_ = 0;
    bool mouseDown_ = false;
    bool quit_ = false;
};

}  // namespace fw
