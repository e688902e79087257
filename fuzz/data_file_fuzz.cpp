// Free text the operator or a library file supplies (serial number, chamber model, report
// name, scintillator description) goes into data files. Whatever it holds, every line keeps
// the columns of the same file written with plain text. Built and run by `make fuzz`.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "document/CKelvarinDoc.h"
#include "export/DataFile.h"

namespace {

struct FreeTexts {
    std::string serial, model, report, aion, description;
};

FreeTexts Split(const uint8_t* data, size_t size) {
    FreeTexts t;
    std::string* fields[] = {&t.serial, &t.model, &t.report, &t.aion, &t.description};
    size_t field = 0;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0xFF && field < 4) {
            ++field;
            continue;
        }
        fields[field]->push_back(static_cast<char>(data[i]));
    }
    return t;
}

// The rows and channel set-up are the same for every input; only the free text changes.
void Fill(CKelvarinDoc& doc, const FreeTexts& t) {
    doc.ClearMeasurements();
    doc.SerialNumber = t.serial;
    CHANNEL_INFO& c = doc.Channel[0];
    c.SystemFactor = 1;
    c.ChamberIndex = 0;
    c.ChamberModel = t.model;
    c.ChamberSerial = t.model;
    c.ReportName = t.report;
    c.Aion = t.aion;
    c.BeamIsotope = t.aion;
    c.CalMode = 8;
    MEAS_INFO rate, charge;
    doc.AddMeasurement(true, rate);
    doc.AddMeasurement(false, charge);
    doc.ScintBaseline.Description = t.description;
    doc.ScintBaseline.ScintSerial = t.serial;
    SCINT_MEAS_INFO scint;
    doc.AddScintMeasurement(false, scint);
}

using DelimiterCounts = std::vector<size_t>;

DelimiterCounts DelimitersPerLine(const std::string& text, char delimiter) {
    DelimiterCounts counts(1, 0);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == delimiter)
            ++counts.back();
        else if (text[i] == '\n')
            counts.push_back(0);
    }
    return counts;
}

char DelimiterOf(int setting) {
    return setting == 1 ? '\t' : ',';
}

DelimiterCounts CountsOf(CKelvarinDoc& doc, DataLayout layout, int delimiterSetting) {
    doc.DataFileDelimiter = delimiterSetting;
    return DelimitersPerLine(ToDeviceText(BuildDataFile(doc, layout)),
                             DelimiterOf(delimiterSetting));
}

struct Case {
    DataLayout layout;
    int delimiterSetting;
    DelimiterCounts plainCounts;  // the same file written with plain text
};

// Documents are built once: each input only replaces their free text.
std::vector<Case> PlainCases() {
    CKelvarinDoc plain;
    Fill(plain, FreeTexts{"a", "b", "c", "d", "e"});
    std::vector<Case> cases;
    for (DataLayout layout : {DataLayout::Measurement, DataLayout::Scintillator})
        for (int delimiter : {0, 1})
            cases.push_back({layout, delimiter, CountsOf(plain, layout, delimiter)});
    return cases;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::vector<Case> cases = PlainCases();
    static CKelvarinDoc fuzzed;
    Fill(fuzzed, Split(data, size));
    for (const Case& c : cases)
        if (CountsOf(fuzzed, c.layout, c.delimiterSetting) != c.plainCounts)
            std::abort();
    return 0;
}
