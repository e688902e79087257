#pragma once
// The instrument's pop-up menus: each fixes its items, their order and its item size.
#include "controls/CPopupMenu.h"

// The page menu of the screens: where the operator goes next.
class CPageMenu : public CPopupMenu {
  public:
    fw::Size MeasureItem() const override { return {200, 30}; }

  protected:
    void BuildItems() override;
};

// Source activity units.
class CSrcUnitPopupMenu : public CPopupMenu {
  public:
    fw::Size MeasureItem() const override { return {120, 30}; }

  protected:
    void BuildItems() override;
};

// The 13 chamber coefficient labels, drawn with raised and lowered characters; opens to
// the left of the point.
class CCFUnitPopupMenu : public CPopupMenu {
  public:
    CCFUnitPopupMenu() { SetMarkedText(true); }
    fw::Size MeasureItem() const override { return {160, 35}; }
    Alignment GetAlignment() const override { return Alignment::Right; }

  protected:
    void BuildItems() override;
};

// Pressure standards: 760.0 mmHg, 1.000 atm, 101.3 kPa.
class CPressSTDPopupMenu : public CPopupMenu {
  public:
    fw::Size MeasureItem() const override { return {120, 30}; }

  protected:
    void BuildItems() override;
};

// Temperature standards: 20.0 °C, 22.0 °C.
class CTempSTDPopupMenu : public CPopupMenu {
  public:
    fw::Size MeasureItem() const override { return {120, 30}; }

  protected:
    void BuildItems() override;
};

// Collection types, with the previous collection time ("30 sec") when there was one.
class CChgTypePopupMenu : public CPopupMenu {
  public:
    explicit CChgTypePopupMenu(long prevChargeDuration = 0) : prevDuration_(prevChargeDuration) {}
    fw::Size MeasureItem() const override { return {120, 30}; }

  protected:
    void BuildItems() override;

  private:
    long prevDuration_;
};

// The default collection type of the preferences.
class CDefChgTypePopupMenu : public CPopupMenu {
  public:
    fw::Size MeasureItem() const override { return {120, 30}; }

  protected:
    void BuildItems() override;
};

// Channel ranges.
class CRangePopupMenu : public CPopupMenu {
  public:
    fw::Size MeasureItem() const override { return {120, 30}; }

  protected:
    void BuildItems() override;
};

// Bias choices, with the channel's previous bias ("300 V") when there was one.
class CBiasPopupMenu : public CPopupMenu {
  public:
    explicit CBiasPopupMenu(int previousBias = 0) : previousBias_(previousBias) {}
    fw::Size MeasureItem() const override { return {120, 30}; }

  protected:
    void BuildItems() override;

  private:
    int previousBias_;
};

// Scintillator dose units; opens to the left of the point.
class CDoseUnitsPopupMenu : public CPopupMenu {
  public:
    fw::Size MeasureItem() const override { return {120, 30}; }
    Alignment GetAlignment() const override { return Alignment::Right; }

  protected:
    void BuildItems() override;
};
