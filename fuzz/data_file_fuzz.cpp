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

void Fill(CKelvarinDoc& doc, const FreeTexts& t) {
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

std::vector<size_t> DelimitersPerLine(const std::string& text, char delimiter) {
    std::vector<size_t> counts(1, 0);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == delimiter)
            ++counts.back();
        else if (text[i] == '\n')
            counts.push_back(0);
    }
    return counts;
}

void CheckLayout(const FreeTexts& hostile, DataLayout layout, int delimiterSetting) {
    CKelvarinDoc plain, fuzzed;
    plain.DataFileDelimiter = fuzzed.DataFileDelimiter = delimiterSetting;
    Fill(plain, FreeTexts{"a", "b", "c", "d", "e"});
    Fill(fuzzed, hostile);
    const char delimiter = delimiterSetting == 1 ? '\t' : ',';
    std::string device = ToDeviceText(BuildDataFile(fuzzed, layout));
    if (DelimitersPerLine(device, delimiter) !=
        DelimitersPerLine(ToDeviceText(BuildDataFile(plain, layout)), delimiter))
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FreeTexts hostile = Split(data, size);
    for (int delimiter : {0, 1}) {
        CheckLayout(hostile, DataLayout::Measurement, delimiter);
        CheckLayout(hostile, DataLayout::Scintillator, delimiter);
    }
    return 0;
}
