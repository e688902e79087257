#pragma once
// Fonts by face, height and weight. The instrument's face "Tahoma" is drawn with
// DejaVu Sans, the closest metric match Debian ships in its core font package.
#include <string>
#include <string_view>

#include "fw/Geometry.h"

struct _TTF_Font;

namespace fw {

constexpr int kWeightNormal = 400;
constexpr int kWeightBold = 700;

struct FontSpec {
    std::string face = "Tahoma";
    int height = 12;  // cell height in pixels
    int weight = kWeightNormal;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    bool operator==(const FontSpec&) const = default;
};

struct TextMetrics {
    int height = 0;
    int ascent = 0;
    int aveCharWidth = 0;
};

// A loaded font; cheap to copy, owned by the process-wide cache.
class Font {
  public:
    static Font Get(const FontSpec& spec);

    bool IsValid() const { return ttf_ != nullptr; }
    const FontSpec& Spec() const { return spec_; }
    TextMetrics Metrics() const;
    Size Extent(std::string_view text) const;
    _TTF_Font* Handle() const { return ttf_; }

  private:
    Font(_TTF_Font* ttf, FontSpec spec) : ttf_(ttf), spec_(std::move(spec)) {}
    _TTF_Font* ttf_ = nullptr;
    FontSpec spec_;
};

}  // namespace fw
