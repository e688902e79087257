#pragma once
// The owner-drawn text label: word-wrapped text with an optional bitmap beside it, or, in
// marked-text mode, one line of unit text with raised and lowered characters.
#include <string>
#include <utility>

#include "fw/Window.h"

class CLabel : public fw::Window {
  public:
    enum Alignment { kLeft = 0, kCentre = 1, kRight = 2 };
    static constexpr int kDefaultFontHeight = 12;
    // Marked text that does not fit is drawn smaller, but never below this height.
    static constexpr int kSmallestFittedHeight = 10;

    void Create(fw::Window* parent, const fw::Rect& rect, int id = 0, std::string text = "");

    void SetText(std::string text);
    // Shows `text` whole when it fits, otherwise its end led by "…" (entries being typed).
    void SetTextShowingEnd(const std::string& text);
    void ClearText() { SetText(""); }
    const std::string& Text() const { return text_; }
    void SetBitmap(int bitmapId);
    int Bitmap() const { return bitmap_; }
    void SetBkColor(fw::Color c);
    void SetTextColor(fw::Color c);
    void SetFontHeight(int height);
    void SetFontFace(std::string face);
    void SetBold(bool bold);
    void SetItalic(bool italic);
    void SetUnderline(bool underline);
    void SetStrikeout(bool strikeout);
    void SetAlignment(Alignment alignment);
    void SetBorder(bool border);
    // "^" raises and "_" lowers the next character ("N_s_k:Gym^2/(h*A)").
    void SetMarkedText(bool marked);
    // On a page with the background picture: the label shows the part of it beneath.
    void SetTransparent(bool transparent);
    // The font the text is drawn in, for layouts that size a label to its text.
    fw::FontSpec Font() const;

    void OnPaint(fw::Dc& dc) override;
    bool IsOpaque() const override { return !transparent_; }

  private:
    // Sets a property; only a real change asks for the label to be repainted.
    template <typename T>
    void Change(T& property, T value) {
        if (property == value)
            return;
        property = std::move(value);
        Invalidate();
    }
    fw::Rect TextArea() const;
    void DrawPlain(fw::Dc& dc, fw::Rect area) const;
    void FitMarkedText(fw::Dc& dc) const;

    std::string text_;
    int bitmap_ = 0;
    fw::Color background_ = fw::colors::kWhite;
    fw::Color textColor_ = fw::colors::kBlack;
    std::string face_ = "Tahoma";
    int fontHeight_ = kDefaultFontHeight;
    bool bold_ = false;
    bool italic_ = false;
    bool underline_ = false;
    bool strikeout_ = false;
    Alignment alignment_ = kCentre;
    bool border_ = false;
    bool marked_ = false;
    bool transparent_ = false;
};
