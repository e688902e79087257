#include "export/DataFile.h"

#include <sys/utsname.h>

#include <cstdio>
#include <fstream>

#include "document/CalModes.h"
#include "document/Formatting.h"
#include "document/SeriesSummary.h"
#include "export/CorrectionRows.h"
#include "fw/AtomicFile.h"
#include "fw/Paths.h"
#include "fw/Resources.h"
#include "fw/Text.h"
#include "fw/Utf8.h"
#include "fw/Version.h"

namespace {

constexpr const char* kApplicationFile = "\\FlashDisk\\App\\ZELTarvo_v2.exe";

// Builds the file with one delimiter: every literal is written with commas and turned into
// the file's delimiter here, so the comma and tab files cannot drift apart.
class DelimitedText {
  public:
    explicit DelimitedText(char delimiter) : delimiter_(delimiter) {}
    void Literal(std::string_view text) {
        for (char c : text)
            out_.push_back(c == ',' ? delimiter_ : c);
    }
    // A field's own text is never converted: a comma inside it was already made safe.
    void Field(std::string_view text) { out_.append(text); }
    void Fields(std::initializer_list<std::string_view> fields, bool trailing = true) {
        size_t i = 0;
        for (std::string_view f : fields) {
            Field(f);
            if (trailing || ++i < fields.size())
                out_.push_back(delimiter_);
        }
    }
    std::string Take() { return std::move(out_); }

  private:
    char delimiter_;
    std::string out_;
};

std::string SoftwareVersion() {
    std::string version;
    auto staged = fw::MapDevicePath(kApplicationFile);
    if (staged && fw::GetProductVersion(*staged, version, 0))
        return version;
    fw::GetOwnProductVersion(version, 0);
    return version;
}

// "major.minor" and "build" of the running kernel, as the two OS columns.
std::string OsVersionFields() {
    utsname u{};
    int major = 0, minor = 0, build = 0;
    if (uname(&u) == 0)
        std::sscanf(u.release, "%d.%d.%d", &major, &minor, &build);
    return fw::StringPrintf("%d.%02d,%d", major, minor, build);
}

void WriteHeader(const CKelvarinDoc& doc, DelimitedText& t) {
    t.Literal(
        "Kelvarin,Serial Number,Last Cal Date,Software Version,Firmware Version,OS Version,"
        "OS Build\r\n,");
    t.Fields(
        {ColumnText(doc.SerialNumber),
         fw::StringPrintf("%02d/%02d/%04d", doc.CalDate.Month, doc.CalDate.Day, doc.CalDate.Year),
         ColumnText(SoftwareVersion()), ColumnText(doc.FirmwareVersion)});
    t.Literal(OsVersionFields());
    t.Literal("\r\n");
}

void WriteCollection(const MEAS_INFO& row, DelimitedText& t) {
    const std::string na = formatting::NotApplicable();
    const std::string seconds = fw::StringPrintf("%ld", row.CollectionSeconds);
    switch (row.CollectionType) {
        case 0:
            t.Fields({"1", seconds, "0", na, "0"});
            break;
        case 1:
            t.Fields({"0", na, "1", seconds, "0"});
            break;
        default:
            t.Fields({"0", na, "0", na, "1"});
            break;
    }
    t.Fields({row.TrigStartHigh, row.TrigStopHigh, row.TrigStartLow, row.TrigStopLow});
}

void WriteChamber(const MEAS_INFO& row, int n, DelimitedText& t) {
    const std::string na = formatting::NotApplicable();
    if (row.ChamberModel[n] == na) {
        t.Fields({na, na, na, na, na, na, na, na, na, na}, false);
        return;
    }
    const CAL_MODE* mode = FindCalMode(row.CalMode[n]);
    t.Fields({ColumnText(row.ChamberModel[n]), ColumnText(row.ChamberSerial[n]),
              ColumnText(row.BeamIsotope[n]), formatting::Fixed(row.Coefficient[n], 6),
              mode ? fw::LoadString(mode->labelId) : na, ColumnText(row.ReportName[n]),
              row.ReportDate[n], row.CalDueDate[n], ColumnText(row.Aion[n]),
              fw::StringPrintf("%d", row.Polarity[n])},
             false);
}

void WriteChannelRow(const MEAS_INFO& row, int n, DelimitedText& t) {
    std::string tempStd, pressStd;
    CKelvarinDoc::FormatTempStd(row.TempStd, tempStd);
    CKelvarinDoc::FormatPressStd(row.PressStd, pressStd);
    t.Fields({fw::StringPrintf("%d", row.Flagged), row.Date, row.Time, row.Rate[n], row.RateUnit[n],
              row.DoseRate[n], row.DoseRateUnit[n], row.Charge[n], row.ChargeUnit[n], row.Dose[n],
              row.DoseUnit[n]});
    t.Fields({row.Range[n] == 1 ? "High" : "Low", fw::StringPrintf("%d", row.Bias[n]),
              fw::StringPrintf("%d", row.TPCorrection[n]), row.Temperature[n], row.Pressure[n],
              tempStd, pressStd});
    WriteCollection(row, t);
    WriteChamber(row, n, t);
    t.Literal("\r\n");
}

void WriteRatioRow(const MEAS_INFO& row, DelimitedText& t) {
    t.Fields({fw::StringPrintf("%d", row.Flagged), row.Date, row.Time, row.RateRatio, "",
              row.DoseRateRatio, "", row.ChargeRatio, "", row.DoseRatio, ""});
    t.Literal(",,,,,,,");
    WriteCollection(row, t);
    t.Literal(",,,,,,,,,\r\n");
}

// One line of the statistics block for a column with readings; nothing for one without.
void WriteSummaryLine(const CKelvarinDoc& doc, const std::string& series, SeriesSelection column,
                      DelimitedText& t) {
    const SeriesSummary s = SummariseSeries(doc.MeasList, column);
    if (s.count == 0)
        return;
    t.Fields({series, SeriesQuantityName(column.quantity), fw::StringPrintf("%zu", s.count), s.mean,
              s.standardDeviation, s.coefficientOfVariation, s.minimum, s.maximum, s.unit},
             false);
    t.Literal("\r\n");
}

// After all rows, so that a reader of the rows meets the same file as without it.
void WriteStatisticsBlock(const CKelvarinDoc& doc, DelimitedText& t) {
    using Q = SeriesQuantity;
    t.Literal("Statistics\r\nSeries,Quantity,n,Mean,Std Dev,CV (%),Min,Max,Unit\r\n");
    for (int n = 0; n < 2; ++n) {
        const std::string series = fw::StringPrintf("Channel %d", n + 1);
        for (Q q : {Q::Rate, Q::DoseRate, Q::Charge, Q::Dose})
            WriteSummaryLine(doc, series, {n, q}, t);
    }
    for (Q q : {Q::RateRatio, Q::ChargeRatio, Q::DoseRatio})
        WriteSummaryLine(doc, "Ratio", {0, q}, t);
}

std::string BuildMeasurementFile(const CKelvarinDoc& doc) {
    DelimitedText t(doc.DataFileDelimiter == 1 ? '\t' : ',');
    WriteHeader(doc, t);
    for (int n = 0; n < 2; ++n) {
        t.Literal(fw::StringPrintf("Channel %d\r\n", n + 1));
        t.Literal(
            "Flagged,Date,Time,Rate,Rate Unit,Dose Rate,Dose Rate Unit,Charge,Charge Unit,Dose,"
            "Dose Unit,Range,Bias (VDC),T/P Correction,Temperature,Pressure,Temperature "
            "Standard,Pressure Standard,Timed,Duration (sec),Continous,Elapsed (sec),Trigger,"
            "Trigger Start High,Trigger Stop High,Trigger Start Low,Trigger Stop Low,Chamber "
            "Model,Serial Number,Beam/Isotope,Coefficient,Coefficient Units,Report Name,Report "
            "Date,Cal Due Date,Aion,Polarity (VDC)\r\n");
        for (const MEAS_INFO& row : doc.MeasList)
            WriteChannelRow(row, n, t);
    }
    t.Literal(
        "Ratio\r\nFlagged,Date,Time,Rate,,Dose Rate,,Charge,,Dose,,,,,,,,,Timed,Duration (sec),"
        "Continous,Elapsed (sec),Trigger,Trigger Start High,Trigger Stop High,Trigger Start "
        "Low,Trigger Stop Low\r\n");
    for (const MEAS_INFO& row : doc.MeasList)
        WriteRatioRow(row, t);
    if (doc.DataFileStatistics == 1)
        WriteStatisticsBlock(doc, t);
    t.Literal(CorrectionBlock(doc.CorrectionResults));
    return t.Take();
}

// "%0.3f unit" of the dose the baseline was calibrated against ("pC" for a relative one).
std::string BaselineDose(const SCINT_BASELINE& b) {
    const std::string unit = CKelvarinDoc::ScintChargeUnitOf(b);
    return formatting::Fixed(b.DoseValue, 3) + " " + unit;
}

void WriteScintRow(const SCINT_MEAS_INFO& row, DelimitedText& t) {
    const SCINT_BASELINE& b = row.Baseline;
    t.Fields({fw::StringPrintf("%d", row.Flagged), row.Date, row.Time, row.RateValue, row.RateUnit,
              row.ChargeValue, row.ChargeUnit});
    t.Fields({b.BaselineKey, ColumnText(b.Description), ColumnText(b.ScintSerial),
              formatting::Fixed(b.ScintGain, 3), formatting::Fixed(b.CLR, 3), BaselineDose(b)},
             false);
    t.Literal("\r\n");
}

std::string BuildScintillatorFile(const CKelvarinDoc& doc) {
    DelimitedText t(doc.DataFileDelimiter == 1 ? '\t' : ',');
    WriteHeader(doc, t);
    t.Literal(
        "Flagged,Date,Time,Rate/DoseRate,Rate/DoseRate Unit,Charge/Dose,Charge/Dose Unit,"
        "Baseline Date/Time,Baseline Description,Scintillator S/N,Gain,CLR,Dose\r\n");
    for (const SCINT_MEAS_INFO& row : doc.ScintMeasList)
        WriteScintRow(row, t);
    return t.Take();
}

void AppendLatin1(uint32_t cp, std::string& out) {
    out.push_back(cp < 0x100 ? static_cast<char>(cp) : '?');
}

}  // namespace

bool IsSafeDataFileName(const std::string& name) {
    if (name.empty() || name.find("..") != std::string::npos)
        return false;
    for (unsigned char c : name) {
        if (c < 0x20 || c == 0x7F || c == '/' || c == '\\' || c == ':')
            return false;
    }
    return true;
}

std::optional<std::filesystem::path> DataFilePath(const std::string& name, int delimiter) {
    if (!IsSafeDataFileName(name))
        return std::nullopt;
    std::string device = fw::LoadString(331) + name + (delimiter == 1 ? ".txt" : ".csv");
    return fw::MapDevicePath(device);
}

int CheckDataFile(const std::string& name, int delimiter) {
    auto path = DataFilePath(name, delimiter);
    if (!path)
        return kInvalidName;
    std::error_code ec;
    if (!std::filesystem::is_directory(path->parent_path(), ec))
        return kPathNotFound;
    if (std::filesystem::exists(*path, ec))
        return kFileExists;
    std::ofstream create(*path, std::ios::binary);
    return create ? kFileCreated : kAccessDenied;
}

std::string BuildDataFile(const CKelvarinDoc& doc, DataLayout layout) {
    if (layout == DataLayout::Measurement) {
        const bool empty = doc.MeasList.empty() && doc.CorrectionResults.empty();
        return empty ? std::string() : BuildMeasurementFile(doc);
    }
    return doc.ScintMeasList.empty() ? std::string() : BuildScintillatorFile(doc);
}

bool WriteDataFile(const CKelvarinDoc& doc, const std::string& name, DataLayout layout,
                   std::string* error) {
    auto path = DataFilePath(name, doc.DataFileDelimiter);
    if (!path) {
        if (error)
            *error = "unsafe file name";
        return false;
    }
    std::error_code ec;
    if (!std::filesystem::is_directory(path->parent_path(), ec)) {
        if (error)
            *error = "no USB storage device";
        return false;
    }
    return fw::WriteFileAtomically(*path, ToDeviceText(BuildDataFile(doc, layout)), error);
}

std::string ToDeviceText(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const fw::Utf8Sequence sequence = fw::DecodeUtf8At(utf8, i);
        AppendLatin1(sequence.valid ? sequence.codePoint : '?', out);
        i += sequence.length;
    }
    return out;
}

std::string ColumnText(const std::string& text) {
    std::string out = text;
    for (char& c : out) {
        if (c == ',' || c == '\t' || c == '\r' || c == '\n')
            c = ' ';
        if (c == '"')
            c = '\'';
    }
    return out;
}
