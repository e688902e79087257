#include <gtest/gtest.h>

#include "export/DataFile.h"
#include "export/DataSetSaver.h"
#include "fw/Clock.h"
#include "settings/settings_test_support.h"

namespace {

using testing_support::TempRoot;
using Strings = std::vector<std::string>;

// The pieces of `text` between `delimiter`s (a final empty piece of a CR LF list dropped).
Strings Split(const std::string& text, const std::string& delimiter) {
    Strings out;
    size_t at = 0;
    for (size_t end; (end = text.find(delimiter, at)) != std::string::npos;
         at = end + delimiter.size())
        out.push_back(text.substr(at, end - at));
    out.push_back(text.substr(at));
    if (delimiter == "\r\n")
        out.pop_back();
    return out;
}

std::vector<size_t> ColumnCounts(const Strings& lines, const char* delimiter) {
    std::vector<size_t> counts;
    for (const std::string& line : lines)
        counts.push_back(Split(line, delimiter).size());
    return counts;
}

class DataFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        fw::SetClock(clock);
        ASSERT_TRUE(clock->SetLocalTime({2016, 3, 1, 14, 9, 5, 7, 0}));
        doc.SerialNumber = "SN,123";  // a comma in free text must not add a column
        doc.CalDate = {2016, 1, 20};
    }
    void TearDown() override { fw::SetClock(std::make_shared<fw::SystemClock>()); }
    // A rate row without a chamber, then a timed charge row with one.
    void AddRows() {
        doc.Filter.Chan[0].Rate = 61.0;
        MEAS_INFO row;
        doc.AddMeasurement(true, row);
        CHANNEL_INFO& c = doc.Channel[0];
        c.SystemFactor = 1;
        c.ChamberIndex = 0;
        c.ChamberModel = "Farmer, \"waterproof\"\r\nline";
        c.CalMode = 8;
        c.CoefMantissa = 5410;
        c.CoefExponent = 7;
        doc.SetChargeType(0, 30);
        doc.Filter.Chan[0].Charge = 12.5;
        doc.AddMeasurement(false, row);
    }
    std::shared_ptr<fw::ManualClock> clock = std::make_shared<fw::ManualClock>();
    TempRoot root;
    CKelvarinDoc doc;
};

TEST_F(DataFiles, MeasurementLayoutKeepsItsColumns) {
    AddRows();
    ASSERT_TRUE(WriteDataFile(doc, "run1", DataLayout::Measurement));
    const std::string text = settings_test::ReadText(root.Usb() / "run1.csv");
    const Strings lines = Split(text, "\r\n");
    const std::vector<size_t> counts = {7, 7, 1, 37, 37, 37, 1, 37, 37, 37, 1, 27, 37, 37};
    ASSERT_EQ(ColumnCounts(lines, ","), counts);  // the ratio header's empty columns too
    EXPECT_EQ(lines[0],
              "Kelvarin,Serial Number,Last Cal Date,Software Version,Firmware Version,"
              "OS Version,OS Build");
    EXPECT_EQ(Split(lines[1], ",")[1] + " " + Split(lines[1], ",")[2], "SN 123 01/20/2016");

    const Strings rate = Split(lines[4], ",");
    EXPECT_EQ(rate[3] + " " + rate[4], "0.061 pA");
    // Timed .. Trigger of a rate row, and no chamber.
    EXPECT_EQ(Strings(rate.begin() + 18, rate.begin() + 23),
              (Strings{"0", "----", "0", "----", "1"}));
    EXPECT_EQ(Strings(rate.begin() + 27, rate.end()), Strings(10, "----"));

    const Strings charge = Split(lines[5], ",");
    EXPECT_EQ(Strings(charge.begin() + 18, charge.begin() + 23),
              (Strings{"1", "30", "0", "----", "0"}));
    EXPECT_EQ(charge[27], "Farmer  'waterproof'  line");
    EXPECT_EQ(charge[30] + " " + charge[31], "54100000.000000 N_k:Gy/C");
    EXPECT_EQ(charge[16], "20.0 \260C");  // single-byte text on the device

    // With tabs: a file of its own, the same columns, no comma left as a delimiter.
    doc.DataFileDelimiter = 1;
    ASSERT_TRUE(WriteDataFile(doc, "run1", DataLayout::Measurement));
    const Strings tabbed = Split(settings_test::ReadText(root.Usb() / "run1.txt"), "\r\n");
    EXPECT_EQ(ColumnCounts(tabbed, "\t"), counts);
    EXPECT_EQ(tabbed[0].find(','), std::string::npos);
    EXPECT_EQ(settings_test::ReadText(root.Usb() / "run1.csv"), text);
}

// A cut sequence or a lead byte never swallows the delimiter after it, and overlong forms of a
// tab, a comma and a line feed are no delimiters and no line breaks.
TEST(DeviceText, Utf8BecomesSingleByte) {
    const std::pair<const char*, const char*> cases[] = {
        {"\302\265C", "\265C"}, {"\342\202\254", "?"}, {"\200z", "?z"},           {"\334,1", "?,1"},
        {"\342\202\t", "??\t"}, {"a\300\211b", "a?b"}, {"\360\200\200\212", "?"},
    };
    for (const auto& [utf8, device] : cases)
        EXPECT_EQ(ToDeviceText(utf8), device) << utf8;
}

// A prompt script: names to enter in turn, messages shown; every question answered Yes.
struct ScriptedPrompts : IDataSetPrompts {
    bool AskFileName(int, std::string& name) override {
        if (names.empty())
            return false;
        name = names.front();
        names.erase(names.begin());
        return true;
    }
    bool AskYesNo(const std::string&) override { return true; }
    int AskYesNoCancel(const std::string&) override { return fw::kIdYes; }
    void Tell(const std::string& text) override { told.push_back(text); }
    Strings names, told;
};

// Names, the existence test, and a save that asks again after an unsafe name and marks only its
// own list as saved. Overwriting, New over unsaved rows and the title: the file dialog's walks.
TEST_F(DataFiles, NamesTheExistenceTestAndASaveOfOneList) {
    for (const char* bad : {"../x", "a/b", "a\\b", "c:x", "", "a\nb"}) {
        EXPECT_EQ(CheckDataFile(bad, 0), kInvalidName) << bad;
        EXPECT_FALSE(WriteDataFile(doc, bad, DataLayout::Measurement));
    }
    EXPECT_TRUE(IsSafeDataFileName("Run 3 (6 MV).2016"));
    ASSERT_TRUE(WriteDataFile(doc, "empty", DataLayout::Measurement));  // an empty list
    EXPECT_EQ(settings_test::ReadText(root.Usb() / "empty.csv"), "");
    EXPECT_EQ(CheckDataFile("a", 0), kFileCreated);
    EXPECT_TRUE(std::filesystem::exists(root.Usb() / "a.csv"));
    EXPECT_EQ(CheckDataFile("a", 0), kFileExists);
    EXPECT_EQ(CheckDataFile("a", 1), kFileCreated);  // a.txt is another file
    AddRows();
    doc.ScintUnsaved = 1;  // rows in the other list stay unsaved
    ScriptedPrompts p;
    p.names = {"bad/name", "run7"};
    ASSERT_EQ(SaveDataSet(doc, DataLayout::Measurement, p), SaveOutcome::Saved);
    EXPECT_EQ(p.told, Strings{kUnsafeNameText});
    EXPECT_EQ(doc.MeasUnsaved, 0);
    EXPECT_EQ(doc.DataUnsaved, 1);  // the scintillator rows were not written
    std::filesystem::remove_all(root.Usb());
    EXPECT_EQ(CheckDataFile("a", 0), kPathNotFound);
}

TEST_F(DataFiles, ScintillatorLayoutCarriesTheBaseline) {
    doc.ScintBaseline.BaselineKey = "20160229120000";
    doc.ScintBaseline.Description = "Field, 10x10";
    doc.ScintBaseline.ScintSerial = "S-17";
    doc.ScintBaseline.ScintGain = 1.5;
    doc.ScintBaseline.CLR = -0.0004;  // shows as a zero, unsigned
    doc.ScintBaseline.DoseType = 1;
    doc.ScintBaseline.ScintDoseUnit = 0;
    doc.ScintBaseline.DoseValue = 100.0;
    doc.Filter.Chan[0].Charge = 20.0;
    SCINT_MEAS_INFO row;
    doc.AddScintMeasurement(false, row);
    ASSERT_TRUE(WriteDataFile(doc, "scint", DataLayout::Scintillator));
    const Strings lines = Split(settings_test::ReadText(root.Usb() / "scint.csv"), "\r\n");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2],
              "Flagged,Date,Time,Rate/DoseRate,Rate/DoseRate Unit,Charge/Dose,"
              "Charge/Dose Unit,Baseline Date/Time,Baseline Description,"
              "Scintillator S/N,Gain,CLR,Dose");
    EXPECT_EQ(lines[3],
              "0,03/14/2016,09:05:07,----,----,30.00,MU,20160229120000,Field  10x10,S-17,1.500,"
              "0.000,100.000 MU");
    EXPECT_TRUE(BuildDataFile(doc, DataLayout::Measurement).empty());  // the other list
}

}  // namespace
