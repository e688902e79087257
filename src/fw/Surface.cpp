#include "fw/Surface.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <filesystem>

namespace fw {

Surface::Surface(int width, int height)
    : width_(width), height_(height), pixels_(size_t(width) * height, colors::kBlack.argb) {}

void Surface::Fill(const Rect& r, Color c) {
    Rect clipped = r.Intersect(Rect{0, 0, width_, height_});
    for (int y = clipped.top; y < clipped.bottom; ++y) {
        uint32_t* row = pixels_.data() + size_t(y) * width_;
        std::fill(row + clipped.left, row + clipped.right, c.argb);
    }
}

void Surface::Blend(int x, int y, Color c, uint8_t alpha) {
    uint32_t& dst = pixels_[size_t(y) * width_ + x];
    if (alpha == 255) {
        dst = c.argb | 0xFF000000u;
        return;
    }
    auto mix = [alpha](uint32_t s, uint32_t d) { return (s * alpha + d * (255 - alpha)) / 255; };
    uint32_t r = mix(c.R(), (dst >> 16) & 0xFF);
    uint32_t g = mix(c.G(), (dst >> 8) & 0xFF);
    uint32_t b = mix(c.B(), dst & 0xFF);
    dst = 0xFF000000u | (r << 16) | (g << 8) | b;
}

void Surface::BeginFrame() {
    texts_.clear();
    previous_.clear();
}

void Surface::BeginPartialFrame() {
    previous_.clear();
    for (DrawnText& t : texts_)
        previous_[t.window].push_back(std::move(t));
    texts_.clear();
}

void Surface::KeepTextsOf(WindowHandle window) {
    auto it = previous_.find(window);
    if (it == previous_.end())
        return;
    for (DrawnText& t : it->second)
        texts_.push_back(std::move(t));
    previous_.erase(it);
}

bool Surface::SavePng(const std::string& path) const {
    SDL_Surface* s =
        SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(pixels_.data()), width_, height_,
                                           32, width_ * 4, SDL_PIXELFORMAT_ARGB8888);
    if (s == nullptr)
        return false;
    // Written beside the target and renamed, so a viewer never sees half a picture.
    std::string temp = path + ".tmp";
    bool ok = IMG_SavePNG(s, temp.c_str()) == 0;
    SDL_FreeSurface(s);
    if (!ok)
        return false;
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    return !ec;
}

}  // namespace fw
