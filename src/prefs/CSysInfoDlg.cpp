#include "prefs/CSysInfoDlg.h"

#include "controls/ControlColors.h"
#include "document/CKelvarinDoc.h"
#include "fw/Paths.h"
#include "prefs/SystemVersions.h"

namespace {

constexpr const char* kTitle = "System Information";
constexpr const char* kCaptions[CSysInfoDlg::kRowCount] = {
    "Launch Version:",   "Software Version:", "Firmware Boot Version:",
    "Firmware Version:", "OS Version:",       "OS Build:"};
constexpr int kMargin = 10;
constexpr int kTitleHeight = 36;
constexpr int kRowHeight = 30;
constexpr int kCaptionWidth = 190;
constexpr int kFontHeight = 18;
constexpr int kButtonWidth = 110;
constexpr int kButtonHeight = 44;

void StyleOnDialog(CLabel& label, int fontHeight) {
    label.SetBkColor(controls::kDialogBackground);
    label.SetTextColor(fw::colors::kWhite);
    label.SetFontHeight(fontHeight);
}

}  // namespace

CSysInfoDlg::CSysInfoDlg(const CKelvarinDoc& doc) {
    const std::optional<uint32_t> bsp = prefs::ReadBspVersion(fw::InstrumentRoot());
    values_ = {prefs::LauncherVersionText(), prefs::SoftwareVersionText(), doc.FirmwareVersion2,
               doc.FirmwareVersion,          prefs::OsVersionText(bsp),    prefs::OsBuildText(bsp)};
    Create(nullptr, kRect);
}

void CSysInfoDlg::OnInitDialog() {
    const fw::Rect r = GetRect();
    title_.Create(this,
                  {r.left + kMargin, r.top + kMargin, r.right - kMargin, r.top + kTitleHeight},
                  kIdTitle, kTitle);
    StyleOnDialog(title_, 22);
    title_.SetBold(true);
    for (int row = 0; row < kRowCount; ++row)
        CreateRow(row);
    const int left = r.left + (r.Width() - kButtonWidth) / 2;
    const int top = r.bottom - kMargin - kButtonHeight;
    ok_.Create(this, {left, top, left + kButtonWidth, top + kButtonHeight}, kIdOk, "OK");
    ok_.SetBkColor(controls::kActionButton);
    ok_.SetTextColor(fw::colors::kWhite);
    ok_.SetFontHeight(20);
    ok_.SetBold(true);
}

void CSysInfoDlg::CreateRow(int row) {
    const fw::Rect r = GetRect();
    const int top = r.top + kMargin + kTitleHeight + 4 + row * kRowHeight;
    const int split = r.left + kMargin + kCaptionWidth;
    CLabel& caption = captions_[static_cast<size_t>(row)];
    caption.Create(this, {r.left + kMargin, top, split, top + kRowHeight}, kIdFirstCaption + row,
                   kCaptions[row]);
    StyleOnDialog(caption, kFontHeight);
    caption.SetAlignment(CLabel::kRight);
    CLabel& value = valueLabels_[static_cast<size_t>(row)];
    value.Create(this, {split + 8, top, r.right - kMargin, top + kRowHeight}, kIdFirstValue + row,
                 values_[static_cast<size_t>(row)]);
    StyleOnDialog(value, kFontHeight);
    value.SetAlignment(CLabel::kLeft);
}

bool CSysInfoDlg::OnDialogCommand(int commandId, fw::Window*) {
    if (commandId != kIdOk)
        return false;
    Finish(fw::kIdOk);
    return true;
}
