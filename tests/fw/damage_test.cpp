// Damage: the event loop gathers what windows ask to have repainted into one rectangle on the
// panel, repaints and presents only that, and leaves the panel as a full repaint would.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "fw/EventLoop.h"
#include "fw/Window.h"
#include "support/repaint_check.h"
#include "support/ui_fixture.h"

namespace {

using DamageTest = testing_support::UiFixture;

// A window that fills its rectangle (when opaque) or only frames it, and writes its caption.
class Patch : public fw::Window {
  public:
    Patch(fw::Window* parent, const fw::Rect& rect, fw::Color colour, bool opaque)
        : colour_(colour), opaque_(opaque) {
        Create(parent, rect);
    }
    void SetCaption(std::string caption) {
        caption_ = std::move(caption);
        Invalidate();
    }
    void OnPaint(fw::Dc& dc) override {
        if (opaque_)
            dc.FillRect(GetRect(), colour_);
        else
            dc.FrameRect(GetRect(), colour_, 2);
        dc.SetFont({"Tahoma", 20});
        dc.SetTextColor(fw::colors::kWhite);
        dc.DrawText(caption_, GetRect(), fw::kAlignCenter | fw::kAlignVCenter);
    }
    bool IsOpaque() const override { return opaque_; }

  private:
    fw::Color colour_;
    bool opaque_;
    std::string caption_ = "patch";
};

// A panel of patches: an opaque one holding an opaque inner one, a framed one, a framed one
// across the opaque one's corner, and one that can be destroyed.
struct Panel {
    Panel() {
        fw::Loop().PushTopLevel(&root);
        fw::Loop().RepaintNow();
    }
    ~Panel() { fw::Loop().RemoveTopLevel(&root); }

    static constexpr fw::Rect kOpaque{40, 40, 240, 200};
    static constexpr fw::Rect kInner{60, 60, 120, 100};
    static constexpr fw::Rect kFramed{300, 40, 500, 200};
    static constexpr fw::Rect kExtra{400, 300, 600, 440};

    Patch root{nullptr, fw::kScreenRect, fw::Color::Rgb(10, 20, 90), true};
    Patch opaque{&root, kOpaque, fw::Color::Rgb(0, 120, 0), true};
    Patch inner{&opaque, kInner, fw::Color::Rgb(150, 0, 0), true};
    Patch framed{&root, kFramed, fw::Color::Rgb(250, 250, 250), false};
    Patch overlapping{&root, {200, 150, 360, 260}, fw::Color::Rgb(0, 200, 200), false};
    std::unique_ptr<Patch> extra =
        std::make_unique<Patch>(&root, kExtra, fw::Color::Rgb(200, 200, 0), true);
};

TEST_F(DamageTest, WindowsRepaintWhatTheyChangeAndNothingElse) {
    using T = Panel;
    const auto nothing = [](T&) {};
    // clang-format off
    const struct {
        const char* name;
        std::function<void(T&)> before;  // done and repainted first
        std::function<void(T&)> change;
        fw::Rect presented;  // empty: nothing presented
    } cases[] = {
        {"opaque caption", nothing, [](T& t) { t.opaque.SetCaption("rate"); }, T::kOpaque},
        {"framed caption", nothing, [](T& t) { t.framed.SetCaption("unit"); }, T::kFramed},
        {"two apart, the later above and left", nothing,
            [](T& t) { t.framed.SetCaption("b"); t.inner.SetCaption("a"); }, {60, 40, 500, 200}},
        {"part of a window", nothing, [](T& t) { t.opaque.InvalidateRect({0, 0, 100, 100}); },
            {40, 40, 100, 100}},
        {"cut to the panel", nothing, [](T&) { fw::Loop().AddDamage({620, -5, 700, 20}); },
            {620, 0, 640, 20}},
        {"off the panel", nothing, [](T&) { fw::Loop().AddDamage({700, 0, 800, 10}); }, {}},
        {"an empty one beside", nothing,
            [](T& t) { t.inner.SetCaption("a"); fw::Loop().AddDamage({500, 400, 500, 460}); },
            T::kInner},
        {"hidden", nothing, [](T& t) { t.framed.Show(false); }, T::kFramed},
        {"below a hidden parent", [](T& t) { t.opaque.Show(false); },
            [](T& t) { t.inner.SetCaption("in"); }, {}},
        {"shown", [](T& t) { t.opaque.Show(false); }, [](T& t) { t.opaque.Show(true); }, T::kOpaque},
        {"moved", nothing, [](T& t) { t.inner.MoveTo({70, 120, 130, 160}); }, {60, 60, 130, 160}},
        {"moved nowhere", nothing, [](T& t) { t.inner.MoveTo(T::kInner); }, {}},
        {"destroyed", nothing, [](T& t) { t.extra.reset(); }, T::kExtra},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Panel panel;
        c.before(panel);
        fw::Loop().RepaintNow();
        const int frames = script->Frames();
        c.change(panel);
        fw::Loop().RepaintNow();
        EXPECT_FALSE(fw::Loop().RepaintPending());  // presented once, then forgotten
        if (c.presented.IsEmpty()) {
            EXPECT_EQ(script->Frames(), frames);
        } else {
            EXPECT_EQ(script->Frames(), frames + 1);
            EXPECT_EQ(script->LastPresented(), c.presented);
        }
        EXPECT_EQ(testing_support::DifferenceFromFullRepaint(), "");
    }
}

}  // namespace
