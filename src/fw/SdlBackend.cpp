#include "fw/SdlBackend.h"

#include <SDL.h>

#include "fw/EventLoop.h"
#include "fw/TouchCalibration.h"

namespace fw {

std::unique_ptr<SdlBackend> SdlBackend::Create() {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0)
        return nullptr;
    std::unique_ptr<SdlBackend> b(new SdlBackend());
    b->window_ = SDL_CreateWindow("Kelvarin", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                  kScreenWidth, kScreenHeight, 0);
    if (b->window_ == nullptr)
        return nullptr;
    b->renderer_ = SDL_CreateRenderer(b->window_, -1, 0);
    if (b->renderer_ == nullptr)
        return nullptr;
    b->texture_ = SDL_CreateTexture(b->renderer_, SDL_PIXELFORMAT_ARGB8888,
                                    SDL_TEXTUREACCESS_STREAMING, kScreenWidth, kScreenHeight);
    if (b->texture_ == nullptr)
        return nullptr;
    b->wakeEvent_ = SDL_RegisterEvents(1);
    SetPanelNeedsCalibration(true);
    return b;
}

SdlBackend::~SdlBackend() {
    if (texture_)
        SDL_DestroyTexture(texture_);
    if (renderer_)
        SDL_DestroyRenderer(renderer_);
    if (window_)
        SDL_DestroyWindow(window_);
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
}

void SdlBackend::Present(const Surface& surface, const Rect& changed) {
    // Only the changed rows and columns go up to the texture; the rest of it is still current.
    const Rect r = changed.Intersect(Rect{0, 0, surface.Width(), surface.Height()});
    if (r.IsEmpty())
        return;
    const SDL_Rect area{r.left, r.top, r.Width(), r.Height()};
    const uint32_t* first = surface.Pixels() + size_t(r.top) * surface.Width() + r.left;
    SDL_UpdateTexture(texture_, &area, first, surface.Width() * 4);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
}

void SdlBackend::Translate(EventLoop& loop, const void* raw) {
    const SDL_Event& e = *static_cast<const SDL_Event*>(raw);
    switch (e.type) {
        case SDL_QUIT:
            quit_ = true;
            break;
        case SDL_MOUSEBUTTONDOWN:
            mouseDown_ = true;
            loop.InjectTouch({TouchKind::Down, GetTouchMatrix().Map({e.button.x, e.button.y})});
            break;
        case SDL_MOUSEMOTION:
            if (mouseDown_)
                loop.InjectTouch({TouchKind::Move, GetTouchMatrix().Map({e.motion.x, e.motion.y})});
            break;
        case SDL_MOUSEBUTTONUP:
            mouseDown_ = false;
            loop.InjectTouch({TouchKind::Up, GetTouchMatrix().Map({e.button.x, e.button.y})});
            break;
        case SDL_WINDOWEVENT:
            loop.RequestRepaint();
            break;
        default:
            break;  // finger events also arrive as synthesised mouse events
    }
}

bool SdlBackend::WaitForEvents(EventLoop& loop, int64_t timeoutMs) {
    SDL_Event e;
    int timeout = timeoutMs < 0 ? 1000 : static_cast<int>(std::min<int64_t>(timeoutMs, 1000));
    if (SDL_WaitEventTimeout(&e, timeout) == 0)
        return true;
    Translate(loop, &e);
    while (SDL_PollEvent(&e))
        Translate(loop, &e);
    return true;
}

void SdlBackend::Wake() {
    SDL_Event e{};
    e.type = wakeEvent_;
    SDL_PushEvent(&e);
}

}  // namespace fw
