// Damaged lines from a remote computer: each one gets exactly one reply line, and a line that
// is refused or not understood leaves the instrument exactly as it was.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "document/remote_fixture.h"

namespace {

using remote_testing::RemoteTest;

// Everything a remote line can change, apart from the unit ids and over-range copies that
// every value query refreshes.
auto Snapshot(const CKelvarinDoc& d, const remote_testing::FakeScreen* s, size_t boardSent) {
    auto channel = [](const CHANNEL_INFO& c) { return std::tuple(c.Range, c.BiasSet, c.BiasRead); };
    auto range = [](const RANGE_CAL& r) { return std::tuple(r.Gain, r.A, r.B, r.C, r.D, r.E); };
    auto cal = [&](const CHANNEL_CAL& c) {
        return std::tuple(range(c.High), range(c.Low), c.BiasM, c.BiasB);
    };
    auto screen =
        s ? std::tuple(s->hints.size(), s->zeroStarts.size(), s->switches.size(), s->zeroDialogOpen)
          : std::tuple(size_t(0), size_t(0), size_t(0), false);
    return std::tuple(channel(d.Channel[0]), channel(d.Channel[1]), cal(d.Filter.Cal[0]),
                      cal(d.Filter.Cal[1]), d.HStart, d.HStop, d.LStart, d.LStop, d.ChargeType,
                      d.ChargeDuration, d.PrevChargeDuration, d.TriggerArmed, d.Collecting,
                      d.SerialNumber, d.StreamRaw, d.StreamRate, d.AutoDataCapture,
                      d.OneChannelShown, d.Filter.Zeroing, d.SettingsSaved, boardSent, screen);
}

// Real commands to be damaged, the settings and actions among them; "<SS>" is left out so the
// flash disk is not written thousands of times.
const char* const kCommands[] = {
    "<GID>",      "<GR1>",         "<GBC2>",       "<GCP1>",
    "<GZS>",      "<SSN 1234567>", "<SBC1 1.5,2>", "<SCP2 1,2,3,4,5,6,7,8,9,10,11,12>",
    "<SBS1 500>", "<SRG2 H>",      "<SRU1>",       "<EDC1>",
    "<SHTS 5.5>", "<SLTP 1.1>",    "<SCT TRG>",    "<SCT T300>",
    "<STRC>",     "<STPC>",        "<DZ>",         "<CZ>",
    "<SV2>",      "<SVB>",
};

const char* const kNumbers[] = {"nan", "-inf", "4294967396", "1e999", "+-3", "0x10", ",", " "};

// Every command damaged as a noisy line or a careless script damages it: cut at each length,
// each character changed to each likely one, each odd number appended or put in after the
// command's space; and single bytes of every kind between the delimiters.
std::vector<std::string> DamagedLines() {
    std::vector<std::string> lines;
    auto add = [&](std::string body) {
        for (char& c : body)
            c = c == '<' || c == '>' ? '_' : c;
        lines.push_back("<" + body + ">");
    };
    for (std::string line : kCommands) {
        const std::string body = line.substr(1, line.size() - 2);
        lines.push_back(line);
        for (size_t at = 0; at < body.size(); ++at) {
            add(body.substr(0, at));
            for (char c : std::string("0129 ,.-+HLTCSBDEGRVZ")) {
                std::string changed = body;
                changed[at] = c;
                add(changed);
            }
        }
        const std::string command = body.substr(0, body.find(' '));
        for (const char* number : kNumbers) {
            add(body + number);
            add(command + " " + number);
        }
    }
    for (int b = 1; b < 256; ++b)
        add(std::string(1, static_cast<char>(b)));
    return lines;
}

using RemoteDamagedLines = RemoteTest;

TEST_F(RemoteDamagedLines, EachGetsOneReplyAndRefusalsChangeNothing) {
    const std::vector<std::string> lines = DamagedLines();
    const RemoteScreenKind kinds[] = {RemoteScreenKind::OneChannel, RemoteScreenKind::TwoChannel,
                                      RemoteScreenKind::Scintillator, RemoteScreenKind::Other};
    int refusals = 0;
    int accepted = 0;
    for (int pass = 0; pass < 8; ++pass) {  // each screen, idle and collecting
        for (const std::string& line : lines) {
            Show(kinds[pass % 4]);
            doc.Collecting = pass >= 4;
            const auto before = Snapshot(doc, screen, board.sent.size());
            const std::string reply = Send(line);  // one reply line each: see the fuzzer
            if (reply == "?\r\n" || reply == "!\r\n") {
                ++refusals;
                ASSERT_EQ(Snapshot(doc, screen, board.sent.size()), before) << line << reply;
            } else {
                ++accepted;
            }
        }
    }
    // The lines reach both sides of the decoder.
    EXPECT_GT(refusals, int(lines.size()) * 2);
    EXPECT_GT(accepted, int(lines.size()) / 2);
}

}  // namespace
