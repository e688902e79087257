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

// Real commands to be damaged; "<SS>" is left out so the flash disk is not written
// thousands of times.
const char* const kCommands[] = {
    "<GID>",      "<GSN>",         "<GSVER>",      "<GFVER>",
    "<GIS>",      "<GR1>",         "<GR2>",        "<GC1>",
    "<GC2>",      "<GD1>",         "<GDR2>",       "<GRG1>",
    "<GBC2>",     "<GBS1>",        "<GBV2>",       "<GCP1>",
    "<GFO>",      "<GLS>",         "<GCS>",        "<GCT>",
    "<GHTS>",     "<GHTP>",        "<GLTS>",       "<GLTP>",
    "<GZS>",      "<SSN 1234567>", "<SBC1 1.5,2>", "<SCP2 1,2,3,4,5,6,7,8,9,10,11,12>",
    "<SBS1 500>", "<SRG2 H>",      "<SRU1>",       "<SRR0>",
    "<EDC1>",     "<SHTS 5.5>",    "<SHTP 0.5>",   "<SLTS 4.2>",
    "<SLTP 1.1>", "<SCT C>",       "<SCT TRG>",    "<SCT T300>",
    "<STRC>",     "<STPC>",        "<DZ>",         "<CZ>",
    "<SV1>",      "<SV2>",         "<SVB>",
};

const char* const kNumbers[] = {"nan",     "inf",   "-inf", "4294967396", "1e300",
                                "-1e-320", "1e999", "+-3",  "0x10",       "99999999999999999999",
                                ",",       "",      " ",    "-0"};

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
            const std::string reply = Send(line);
            ASSERT_GE(reply.size(), 2u) << line;
            ASSERT_EQ(reply.find("\r\n"), reply.size() - 2) << "not one reply line for " << line;
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
