#pragma once
// The owner-drawn report list: large single-line rows without a header, one selected row
// drawn green with white text, scrolled a line at a time by the page's own buttons.
// Item data is a bitmap id for the first column (bitmap mode) or a check state
// (check-box mode).
#include <functional>
#include <string>
#include <vector>

#include "fw/Window.h"

class CTouchListCtrl : public fw::Window {
  public:
    // Column formats as the list keeps them.
    enum ColumnFormat { kFormatLeft = 0, kFormatRight = 1, kFormatCentre = 2 };
    static constexpr int kNormalFontHeight = 24;

    void Create(fw::Window* parent, const fw::Rect& rect, int id);

    // Tahoma 24, normal weight (the default), or a bold font of `height`.
    void SetNormalFont();
    void SetBoldFont(int height);
    // Row height in pixels; by default the font height plus a margin.
    void SetRowHeight(int height);
    int RowHeight() const;
    void SetMarkedText(bool marked);
    void SetCheckBoxMode(bool on);
    void SetBitmapMode(bool on, bool transparent = false, fw::Color key = fw::colors::kWhite);
    // Rows without a bitmap keep the place of the widest one given, so that the first column's
    // texts line up.
    void SetKeepBitmapPlace(bool keep);
    void SetBkColor(fw::Color c);

    // `width` <= 0 takes what the columns before it leave. Returns the column's index.
    int InsertColumn(int index, std::string heading, ColumnFormat format, int width);
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    // Inserts a row (clamped to the list) with `text` in column 0; returns its index.
    int InsertItem(int row, std::string text);
    bool SetItemText(int row, int column, std::string text);
    std::string GetItemText(int row, int column) const;
    bool SetItemData(int row, int data);
    int GetItemData(int row) const;  // 0 for a row that does not exist
    bool DeleteItem(int row);
    void DeleteAllItems();
    int GetItemCount() const { return static_cast<int>(rows_.size()); }

    int GetSelectedRow() const { return selected_; }
    // -1 clears the selection; an index outside the list is refused.
    bool SetSelectedRow(int row);
    // Called after a touch changed the selection or toggled a check box.
    void SetOnItemChanged(std::function<void(int row)> onChanged) {
        onChanged_ = std::move(onChanged);
    }

    int TopIndex() const { return top_; }
    int VisibleRowCount() const;
    bool CanScrollUp() const { return top_ > 0; }
    bool CanScrollDown() const { return top_ < MaxTop(); }
    // Moves the view by `lines` rows (negative: up), within the list.
    void Scroll(int lines);
    void EnsureVisible(int row);
    // The row under panel point `p`, or -1.
    int RowAt(fw::Point p) const;

    void OnPaint(fw::Dc& dc) override;
    void OnTouchDown(fw::Point p) override;

  private:
    struct Column {
        std::string heading;
        ColumnFormat format;
        int width;
    };
    struct Row {
        std::vector<std::string> texts;
        int data = 0;
    };

    int MaxTop() const;
    bool ValidRow(int row) const { return row >= 0 && row < GetItemCount(); }
    std::vector<fw::Rect> CellRects(const fw::Rect& rowRect) const;
    void DrawRow(fw::Dc& dc, int row, const fw::Rect& rowRect) const;
    void DrawCell(fw::Dc& dc, const std::string& text, fw::Rect cell, ColumnFormat format) const;
    int DrawFirstColumnMark(fw::Dc& dc, const Row& row, const fw::Rect& cell) const;

    std::vector<Column> columns_;
    std::vector<Row> rows_;
    fw::FontSpec font_{"Tahoma", kNormalFontHeight, fw::kWeightNormal};
    int rowHeight_ = 0;
    int selected_ = -1;
    int top_ = 0;
    bool marked_ = false;
    bool checkBox_ = false;
    bool bitmapMode_ = false;
    bool transparentBitmap_ = false;
    bool keepBitmapPlace_ = false;
    int bitmapSlot_ = 0;  // the widest bitmap a row was given
    fw::Color key_ = fw::colors::kWhite;
    fw::Color background_ = fw::colors::kWhite;
    std::function<void(int)> onChanged_;
};
