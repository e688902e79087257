#pragma once
// A screen that is not built yet: its name, the page button and the date/time strip, so the
// operator can move on from it.
#include <string>

#include "controls/CLabel.h"
#include "screens/CKelvarinFormView.h"

class CPlaceholderView : public CKelvarinFormView {
  public:
    CPlaceholderView(std::string title, std::string pageCaption)
        : title_(std::move(title)), pageCaption_(std::move(pageCaption)) {}

    void OnInitialUpdate() override;
    void OnTimer(int id) override;
    void OnPaint(fw::Dc& dc) override;

    static constexpr int kSecondTimer = 1;

  private:
    std::string title_;
    std::string pageCaption_;
    CLabel titleLabel_;
};

// The scintillator screens, reached by page commands 567 and 570.
class CScintPlaceholderView final : public CPlaceholderView {
  public:
    CScintPlaceholderView() : CPlaceholderView("Scintillator Measurement", "SINT") {}
};

class CScintLibPlaceholderView final : public CPlaceholderView {
  public:
    CScintLibPlaceholderView() : CPlaceholderView("Scintillator Baseline Library", "LIB") {}
};
