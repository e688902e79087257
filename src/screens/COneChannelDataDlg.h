#pragma once
// The "Data" page of a measuring channel: the rows of the data list, one quantity at a time
// (rate, dose rate, charge or dose) with a flag per row, and the data file's name.
#include <array>
#include <cstdint>
#include <functional>

#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "controls/CTouchListCtrl.h"
#include "document/SeriesSummary.h"
#include "fw/Window.h"
#include "screens/CSeriesStatsPanel.h"
#include "screens/OneChannelEntry.h"

class CKelvarinDoc;
struct MEAS_INFO;

class COneChannelDataDlg : public fw::Window {
  public:
    ~COneChannelDataDlg() override = default;
    enum Quantity { kRate = 0, kDoseRate = 1, kCharge = 2, kDose = 3 };
    static constexpr int kIdScrollUp = 1051;
    static constexpr int kIdScrollDown = 1072;
    static constexpr int kIdList = 1214;
    static constexpr int kIdFileName = 1305;
    static constexpr int kIdTpApplied = 1195;
    static constexpr int kIdFactorApplied = 1193;
    static constexpr int kIdDeleteFlagged = 1487;
    static constexpr const char* kDeleteQuestion = "Delete the flagged rows?";
    static constexpr std::array<int, 4> kQuantityIds = {1318, 1321, 1323, 1326};
    static constexpr int kWidth = 586;
    static constexpr int kHeight = 152;

    void CreatePage(CKelvarinDoc& doc, fw::Color background);
    void SetChannel(uint8_t channel) { channel_ = channel & 1; }
    uint8_t Channel() const { return channel_; }
    void SetBkColor(fw::Color background);
    Quantity ShownQuantity() const { return quantity_; }
    const CTouchListCtrl& List() const { return list_; }
    const CSeriesStatsPanel& Statistics() const { return stats_; }
    // The column of the rows this page lists.
    virtual SeriesSelection Series() const;
    // The question before deleting runs through `run`, registered with the screen.
    void SetModalRunner(one_channel::ModalRunner run) { run_ = std::move(run); }
    // Called after flagged rows were deleted, so that the screen refills all its data pages.
    void SetOnRowsDeleted(std::function<void()> onDeleted) { onDeleted_ = std::move(onDeleted); }
    // Called after the operator flagged or unflagged a row, so that the screen's other data
    // pages show the same flags (they are the rows' own).
    void SetOnFlagChanged(std::function<void()> onChanged) {
        onFlagChanged_ = std::move(onChanged);
    }

    // Shows the channel's quantities and refills the list from the document.
    void RefreshPage();
    // Refills the list after rows went, keeping the quantity shown.
    void RefillRows();
    // Appends one row of the data list and scrolls to it.
    void AddRow(const MEAS_INFO& record);
    // The data file name, with "*" while rows are unsaved.
    void ShowFileName();

    bool OnCommand(int commandId, fw::Window* from) override;
    void OnPaint(fw::Dc& dc) override;

  protected:
    // "Temp/Pressure Applied" and "System Factor Applied" as they apply to the rows shown.
    virtual void ShowAppliedNotices();
    // Which quantity radios are offered and what they are called.
    virtual void ShowQuantityChoice();
    // The third column of a row: the selected quantity's text.
    virtual std::string MeasurementText(const MEAS_INFO& record) const;
    void StackQuantityChoice();
    void SelectQuantity(Quantity q);

    CKelvarinDoc* doc_ = nullptr;
    CLabel tpApplied_, factorApplied_;
    std::array<CBttn, 4> quantities_;

  private:
    void CreateCaptions();
    void CreateQuantityChoice();
    void CreateList();
    void FillList();
    void AppendRow(const MEAS_INFO& record);
    void OnFlagChanged(int row);
    void UpdateScrollButtons();
    void CreateStatistics();
    void ShowStatistics();
    void UpdateDeleteButton();
    void DeleteFlaggedRows();

    uint8_t channel_ = 0;
    Quantity quantity_ = kRate;
    fw::Color background_ = fw::colors::kWhite;
    CLabel fileCaption_, fileName_;
    CLabel flagHead_, timeHead_, measurementHead_;
    CTouchListCtrl list_;
    CBttn scrollUp_, scrollDown_;
    CSeriesStatsPanel stats_;
    CBttn deleteFlagged_;
    one_channel::ModalRunner run_ = one_channel::RunUnregistered;
    std::function<void()> onDeleted_;
    std::function<void()> onFlagChanged_;
};
