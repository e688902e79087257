#pragma once
// The owner-drawn push button: a framed face with an optional bitmap and a word-wrapped
// caption, pressed while the finger is on it. In check-box mode it shows a marked or an
// unmarked face and each click toggles the mark.
#include <functional>
#include <string>

#include "fw/Window.h"

class CBttn : public fw::Window {
  public:
    enum class BitmapPosition { Centre = 0, Left = 1, Top = 2, Right = 3, Bottom = 4 };
    static constexpr int kDefaultFontHeight = 20;

    void Create(fw::Window* parent, const fw::Rect& rect, int id, std::string caption = "");

    void SetCaption(std::string caption);
    const std::string& Caption() const { return caption_; }
    void SetTextColor(fw::Color c);
    void SetBkColor(fw::Color c);
    fw::Color BkColor() const { return background_; }
    void SetFontHeight(int height);
    void SetFontFace(std::string face);
    void SetBold(bool bold);
    // Bitmap 2 is the disabled face (the unmarked face in check-box mode); 0 for none.
    void SetBitmaps(int bitmap1, int bitmap2 = 0);
    void SetBitmapPosition(BitmapPosition position);
    // Draws the bitmap leaving out the pixels of `key`.
    void SetTransparent(bool transparent, fw::Color key = fw::colors::kWhite);
    void SetFramed(bool framed);
    // Tenths of a degree; 900 stands the caption on end, one character under the other.
    void SetTextAngle(int tenths);
    // Check-box faces (marked 146, unmarked 142) without a frame; clicks toggle the mark.
    void SetCheckBoxMode(bool on);
    bool IsCheckBox() const { return checkBox_; }
    void SetMarked(bool marked);
    bool IsMarked() const { return marked_; }
    bool IsPressed() const { return pressed_; }

    // Called on every click; without one the click goes to the parent as the button's id.
    void SetOnClick(std::function<void()> onClick) { onClick_ = std::move(onClick); }

    void OnPaint(fw::Dc& dc) override;
    bool IsOpaque() const override { return true; }
    void OnTouchDown(fw::Point p) override;
    void OnTouchMove(fw::Point p) override;
    void OnTouchUp(fw::Point p) override;

  protected:
    void SetPressed(bool pressed);
    // Tells the owner: the click handler, or the parent by command id.
    void Fire();

  private:
    int CurrentBitmap() const;
    fw::Rect DrawImage(fw::Dc& dc, fw::Rect textArea) const;
    void DrawCaption(fw::Dc& dc, fw::Rect textArea) const;
    void DrawVerticalCaption(fw::Dc& dc, const fw::Rect& area) const;

    std::string caption_;
    fw::Color textColor_ = fw::colors::kBlack;
    fw::Color background_ = fw::colors::kWhite;
    fw::Color key_ = fw::colors::kWhite;
    std::string face_ = "Tahoma";
    int fontHeight_ = kDefaultFontHeight;
    bool bold_ = false;
    int bitmap1_ = 0;
    int bitmap2_ = 0;
    BitmapPosition bitmapPosition_ = BitmapPosition::Left;
    bool transparent_ = false;
    bool framed_ = true;
    int textAngle_ = 0;
    bool checkBox_ = false;
    bool marked_ = false;
    bool pressed_ = false;
    std::function<void()> onClick_;
};
