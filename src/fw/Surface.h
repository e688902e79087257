#pragma once
// The 640 x 480 software frame buffer every screen is drawn into, and the record of the
// texts drawn into it, so a test can read the screen as an operator would.
#include <string>
#include <unordered_map>
#include <vector>

#include "fw/Geometry.h"
#include "fw/Message.h"

namespace fw {

struct DrawnText {
    std::string text;
    Rect box;     // the rectangle the text was laid out in
    Rect extent;  // where its pixels went (before clipping)
    Rect clip;    // the clip in force; text outside it was not shown
    Color color;
    int fontHeight = 0;
    WindowHandle window = kNoWindow;  // the window that drew it
};

class Surface {
  public:
    Surface(int width = kScreenWidth, int height = kScreenHeight);

    int Width() const { return width_; }
    int Height() const { return height_; }
    uint32_t* Pixels() { return pixels_.data(); }
    const uint32_t* Pixels() const { return pixels_.data(); }
    uint32_t PixelAt(int x, int y) const { return pixels_[size_t(y) * width_ + x]; }

    void Fill(const Rect& r, Color c);
    // Blends `c` with coverage `alpha` (0..255) into one pixel; no bounds check.
    void Blend(int x, int y, Color c, uint8_t alpha);

    // The texts on the panel, in the order they were painted. A full repaint records them
    // afresh. A partial one records the texts of the windows it repaints and keeps, in their
    // place in the painting order, those of the windows it passes over.
    void BeginFrame();
    void BeginPartialFrame();
    void KeepTextsOf(WindowHandle window);
    void RecordText(DrawnText t) { texts_.push_back(std::move(t)); }
    const std::vector<DrawnText>& Texts() const { return texts_; }

    // Writes the surface as a PNG; false on failure.
    bool SavePng(const std::string& path) const;

  private:
    int width_;
    int height_;
    std::vector<uint32_t> pixels_;
    std::vector<DrawnText> texts_;
    std::unordered_map<WindowHandle, std::vector<DrawnText>> previous_;
};

}  // namespace fw
