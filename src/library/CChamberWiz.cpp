#include "library/CChamberWiz.h"

#include "document/CKelvarinDoc.h"
#include "library/CCalInfoDlg.h"
#include "library/CCalReportDlg.h"
#include "library/CChamberSummaryDlg.h"
#include "library/CModelSNDlg.h"

CChamberWiz::CChamberWiz(CKelvarinDoc& doc, library::ModalRunner run, PopupRunner popup)
    : doc_(doc), run_(std::move(run)), popup_(std::move(popup)) {
    Create(nullptr, kRect);
}

CChamberWiz::~CChamberWiz() = default;

void CChamberWiz::SetStartPage(int page) {
    current_ = page >= 0 && page < kPageCount ? page : kPageModelSerial;
}

CChamberWizPage* CChamberWiz::Page(int page) const {
    auto it = pages_.find(page);
    return it != pages_.end() ? it->second.get() : nullptr;
}

std::string CChamberWiz::DateText(const DATE_YMD& date) const {
    std::string text;
    doc_.FormatDateYMD(date.Year, date.Month, date.Day, text);
    return text;
}

void CChamberWiz::OnInitDialog() {
    pages_.clear();
    pages_[kPageModelSerial] = std::make_unique<CModelSNDlg>(*this);
    pages_[kPageReport] = std::make_unique<CCalReportDlg>(*this);
    pages_[kPageCalibration] = std::make_unique<CCalInfoDlg>(*this);
    pages_[kPageSummary] = std::make_unique<CChamberSummaryDlg>(*this);
    for (auto& [number, page] : pages_)
        page->CreatePage();
    ShowPage(current_);
}

void CChamberWiz::ShowPage(int page) {
    if (CChamberWizPage* shown = Page(current_))
        shown->ShowPage(false);
    current_ = page;
    if (CChamberWizPage* next = Page(current_))
        next->ShowPage(true);
}

void CChamberWiz::NextPage() {
    if (TakesInput() && current_ + 1 < kPageCount)
        ShowPage(current_ + 1);
}

void CChamberWiz::PreviousPage() {
    if (TakesInput() && current_ > 0)
        ShowPage(current_ - 1);
}

bool CChamberWiz::OnDialogCommand(int, fw::Window*) {
    return false;
}
