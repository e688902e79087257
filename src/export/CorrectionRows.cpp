#include "export/CorrectionRows.h"

#include "document/Formatting.h"
#include "fw/Text.h"

namespace {

std::string ProcedureName(const CORRECTION_RESULT& r) {
    return r.Polarity ? "Polarity" : "Recombination";
}

std::string BeamName(const CORRECTION_RESULT& r) {
    if (r.Polarity)
        return formatting::NotApplicable();
    return r.Beam == measure::BeamKind::Continuous ? "Continuous" : "Pulsed";
}

std::string RowStart(const CORRECTION_RESULT& r) {
    return fw::StringPrintf("%s,%s,%d,%s,%s,", r.Date.c_str(), r.Time.c_str(), r.Channel + 1,
                            ProcedureName(r).c_str(), BeamName(r).c_str());
}

}  // namespace

std::string CorrectionBlock(const std::vector<CORRECTION_RESULT>& results) {
    if (results.empty())
        return {};
    const std::string na = formatting::NotApplicable();
    std::string out =
        "Corrections\r\nDate,Time,Channel,Procedure,Beam,Reading,Bias (VDC),Charge (pC),"
        "Factor\r\n";
    for (const CORRECTION_RESULT& r : results) {
        const std::string start = RowStart(r);
        int n = 0;
        for (const CORRECTION_READING& m : r.Readings) {
            out += start + fw::StringPrintf("%d,%d,%.7g,", ++n, m.Bias, m.Charge) + na + "\r\n";
        }
        out += start + (r.Polarity ? "k_pol," : "P_ion,") + na + "," + na + "," +
               fw::StringPrintf("%.5f", r.Factor) + "\r\n";
    }
    return out;
}
