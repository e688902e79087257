#include "controls/CTouchListCtrl.h"

#include <algorithm>

#include "controls/ControlColors.h"
#include "fw/ScriptText.h"

namespace {

constexpr int kRowMargin = 10;
constexpr int kTextIndent = 4;
constexpr int kBitmapIndent = 3;

unsigned AlignFlag(CTouchListCtrl::ColumnFormat f) {
    return f == CTouchListCtrl::kFormatRight    ? fw::kAlignRight
           : f == CTouchListCtrl::kFormatCentre ? fw::kAlignCenter
                                                : fw::kAlignLeft;
}

int ScriptAlign(CTouchListCtrl::ColumnFormat f) {
    return f == CTouchListCtrl::kFormatRight ? 2 : f == CTouchListCtrl::kFormatCentre ? 1 : 0;
}

}  // namespace

void CTouchListCtrl::Create(fw::Window* parent, const fw::Rect& rect, int id) {
    fw::Window::Create(parent, rect, id);
}

void CTouchListCtrl::SetNormalFont() {
    font_ = fw::FontSpec{"Tahoma", kNormalFontHeight, fw::kWeightNormal};
    Invalidate();
}

void CTouchListCtrl::SetBoldFont(int height) {
    font_ = fw::FontSpec{"Tahoma", height > 0 ? height : kNormalFontHeight, fw::kWeightBold};
    Invalidate();
}

void CTouchListCtrl::SetRowHeight(int height) {
    rowHeight_ = std::max(0, height);
    top_ = std::min(top_, MaxTop());
    Invalidate();
}

int CTouchListCtrl::RowHeight() const {
    return rowHeight_ > 0 ? rowHeight_ : font_.height + kRowMargin;
}

void CTouchListCtrl::SetMarkedText(bool marked) {
    marked_ = marked;
    Invalidate();
}

void CTouchListCtrl::SetCheckBoxMode(bool on) {
    checkBox_ = on;
    Invalidate();
}

void CTouchListCtrl::SetBitmapMode(bool on, bool transparent, fw::Color key) {
    bitmapMode_ = on;
    transparentBitmap_ = transparent;
    key_ = key;
    Invalidate();
}

void CTouchListCtrl::SetKeepBitmapPlace(bool keep) {
    keepBitmapPlace_ = keep;
    Invalidate();
}

void CTouchListCtrl::SetBkColor(fw::Color c) {
    background_ = c;
    Invalidate();
}

int CTouchListCtrl::InsertColumn(int index, std::string heading, ColumnFormat format, int width) {
    index = std::clamp(index, 0, ColumnCount());
    columns_.insert(columns_.begin() + index, Column{std::move(heading), format, width});
    for (Row& row : rows_) {
        if (static_cast<int>(row.texts.size()) > index)
            row.texts.insert(row.texts.begin() + index, "");
    }
    Invalidate();
    return index;
}

int CTouchListCtrl::InsertItem(int row, std::string text) {
    row = std::clamp(row, 0, GetItemCount());
    Row r;
    r.texts.push_back(std::move(text));
    rows_.insert(rows_.begin() + row, std::move(r));
    if (selected_ >= row)
        ++selected_;
    Invalidate();
    return row;
}

bool CTouchListCtrl::SetItemText(int row, int column, std::string text) {
    if (!ValidRow(row) || column < 0 || column >= std::max(1, ColumnCount()))
        return false;
    auto& texts = rows_[row].texts;
    if (static_cast<int>(texts.size()) <= column)
        texts.resize(column + 1);
    texts[column] = std::move(text);
    Invalidate();
    return true;
}

std::string CTouchListCtrl::GetItemText(int row, int column) const {
    if (!ValidRow(row) || column < 0 || column >= static_cast<int>(rows_[row].texts.size()))
        return "";
    return rows_[row].texts[column];
}

bool CTouchListCtrl::SetItemData(int row, int data) {
    if (!ValidRow(row))
        return false;
    rows_[row].data = data;
    if (data != 0)
        bitmapSlot_ = std::max(bitmapSlot_, fw::Dc::BitmapSize(data).cx);
    Invalidate();
    return true;
}

int CTouchListCtrl::GetItemData(int row) const {
    return ValidRow(row) ? rows_[row].data : 0;
}

bool CTouchListCtrl::DeleteItem(int row) {
    if (!ValidRow(row))
        return false;
    rows_.erase(rows_.begin() + row);
    if (selected_ == row)
        selected_ = -1;
    else if (selected_ > row)
        --selected_;
    top_ = std::min(top_, MaxTop());
    Invalidate();
    return true;
}

void CTouchListCtrl::DeleteAllItems() {
    rows_.clear();
    selected_ = -1;
    top_ = 0;
    bitmapSlot_ = 0;
    Invalidate();
}

bool CTouchListCtrl::SetSelectedRow(int row) {
    if (row != -1 && !ValidRow(row))
        return false;
    selected_ = row;
    Invalidate();
    return true;
}

int CTouchListCtrl::VisibleRowCount() const {
    return std::max(1, GetRect().Height() / RowHeight());
}

int CTouchListCtrl::MaxTop() const {
    return std::max(0, GetItemCount() - VisibleRowCount());
}

void CTouchListCtrl::Scroll(int lines) {
    int top = std::clamp(top_ + lines, 0, MaxTop());
    if (top == top_)
        return;
    top_ = top;
    Invalidate();
}

void CTouchListCtrl::EnsureVisible(int row) {
    if (!ValidRow(row))
        return;
    if (row < top_)
        Scroll(row - top_);
    else if (row >= top_ + VisibleRowCount())
        Scroll(row - (top_ + VisibleRowCount() - 1));
}

int CTouchListCtrl::RowAt(fw::Point p) const {
    if (!GetRect().Contains(p))
        return -1;
    int row = top_ + (p.y - GetRect().top) / RowHeight();
    return ValidRow(row) ? row : -1;
}

void CTouchListCtrl::OnTouchDown(fw::Point p) {
    int row = RowAt(p);
    if (row < 0)
        return;
    selected_ = row;
    if (checkBox_)
        rows_[row].data = rows_[row].data != 0 ? 0 : 1;
    Invalidate();
    if (onChanged_)
        onChanged_(row);
    else
        NotifyParent(Id());
}

void CTouchListCtrl::OnPaint(fw::Dc& dc) {
    const fw::Rect r = GetRect();
    dc.FillRect(r, background_);
    dc.SetFont(font_);
    const int h = RowHeight();
    for (int row = top_; row < GetItemCount(); ++row) {
        const int y = r.top + (row - top_) * h;
        if (y >= r.bottom)
            break;
        DrawRow(dc, row, fw::Rect{r.left, y, r.right, y + h});
    }
}

std::vector<fw::Rect> CTouchListCtrl::CellRects(const fw::Rect& rowRect) const {
    std::vector<fw::Rect> cells;
    int x = rowRect.left;
    for (const Column& c : columns_) {
        int right = c.width > 0 ? std::min(x + c.width, rowRect.right) : rowRect.right;
        cells.push_back(fw::Rect{x, rowRect.top, right, rowRect.bottom});
        x = right;
    }
    if (cells.empty())  // rows inserted before any column: one column over the whole row
        cells.push_back(rowRect);
    return cells;
}

void CTouchListCtrl::DrawRow(fw::Dc& dc, int row, const fw::Rect& rowRect) const {
    const bool selected = row == selected_ && !checkBox_;
    if (selected)
        dc.FillRect(rowRect, controls::kSelectedRow);
    dc.SetTextColor(selected ? fw::colors::kWhite : fw::colors::kBlack);
    const Row& data = rows_[row];
    std::vector<fw::Rect> cells = CellRects(rowRect);
    for (size_t col = 0; col < cells.size(); ++col) {
        fw::Rect cell = cells[col];
        if (col == 0)
            cell.left += DrawFirstColumnMark(dc, data, cell);
        const std::string& text = col < data.texts.size() ? data.texts[col] : std::string();
        const ColumnFormat format = col < columns_.size() ? columns_[col].format : kFormatLeft;
        DrawCell(dc, text, cell, format);
    }
}

// The bitmap or check box before the first column's text; returns the width it took.
int CTouchListCtrl::DrawFirstColumnMark(fw::Dc& dc, const Row& row, const fw::Rect& cell) const {
    if (checkBox_) {
        const int side = std::min(cell.Height() - 8, 24);
        const fw::Rect box{cell.left + kTextIndent, cell.top + (cell.Height() - side) / 2,
                           cell.left + kTextIndent + side, cell.top + (cell.Height() + side) / 2};
        dc.FillRect(box, fw::colors::kWhite);
        dc.FrameRect(box, fw::colors::kBlack);
        if (row.data != 0) {
            dc.Line({box.left, box.top}, {box.right - 1, box.bottom - 1}, fw::colors::kBlack);
            dc.Line({box.left, box.bottom - 1}, {box.right - 1, box.top}, fw::colors::kBlack);
        }
        return kTextIndent + side;
    }
    if (!bitmapMode_)
        return 0;
    const fw::Size s = row.data != 0 ? fw::Dc::BitmapSize(row.data) : fw::Size{};
    if (s.cx != 0)
        dc.DrawBitmap(row.data, {cell.left + kBitmapIndent, cell.top + (cell.Height() - s.cy) / 2},
                      transparentBitmap_, key_);
    const int width = keepBitmapPlace_ ? bitmapSlot_ : s.cx;
    return width != 0 ? kBitmapIndent + width : 0;
}

void CTouchListCtrl::DrawCell(fw::Dc& dc, const std::string& text, fw::Rect cell,
                              ColumnFormat format) const {
    if (text.empty())
        return;
    cell.left += kTextIndent;
    if (format != kFormatLeft)
        cell.right -= kTextIndent;
    if (marked_)
        fw::DrawScriptText(dc, text, cell, ScriptAlign(format));
    else
        dc.DrawText(text, cell, fw::kSingleLine | fw::kAlignVCenter | AlignFlag(format));
}
