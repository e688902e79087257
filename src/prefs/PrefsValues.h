#pragma once
// The working copies the preferences pages edit: taken from the document when the screen
// opens, put back by ApplyPreferences. The entry rules for thresholds and calibration
// factors live here too, so the pages, the settings load and the tests share them.
#include <array>
#include <optional>
#include <string>

#include "document/ChannelInfo.h"

class CKelvarinDoc;

// One electrometer calibration factor: channel 0/1, range 0 Low / 1 High, rate or charge.
struct FactorId {
    int ch;
    int range;
    bool charge;
};

struct PrefsValues {
    // General
    int brightness = 8;
    int volume = 8;
    int timeFormat = 0;
    int dateFormat = 0;
    int passwordProtect = 1;
    // Data management
    int dataFileDelimiter = 0;
    int dataFileStatistics = 0;
    // Measurement
    int pressStd = 0;
    int tempStd = 0;
    double hStart = 4.0;
    double hStop = 2.5;
    double lStart = 0.8;
    double lStop = 0.5;
    int defChargeType = 0;
    long defChargeDuration = 15;
    // Calibration: [channel][range], range 0 Low, 1 High.
    DATE3 calDate;
    DATE3 calDueDate;
    std::array<std::array<double, 2>, 2> rateCF{{{1.0, 1.0}, {1.0, 1.0}}};
    std::array<std::array<double, 2>, 2> chrgCF{{{1.0, 1.0}, {1.0, 1.0}}};

    static PrefsValues FromDocument(const CKelvarinDoc& doc);
    double& Factor(FactorId id);
    double Factor(FactorId id) const;
    // The start or stop threshold of a range (0 Low, 1 High), pA.
    double& Threshold(int range, bool start);
    double Threshold(int range, bool start) const;
};

// Copies every working value into the document (the factors into the sample filter) in the
// instrument's order: display, standards (resetting both channels' temperature and pressure
// to them; after a change of standard T/P correction goes off on both channels), collection
// defaults and thresholds, calibration, data-file format. Saves nothing.
void ApplyToDocument(CKelvarinDoc& doc, const PrefsValues& values, bool standardsChanged);

// Why the threshold entry `v` (a start value when `start`) is refused, given the other value
// of the same range; nothing when it is valid. `v` is taken at the keypad's one decimal,
// `other` as it is in force.
std::optional<std::string> ThresholdRefusal(bool start, double v, double other);
