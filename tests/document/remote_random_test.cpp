// Random lines from a remote computer: each one gets exactly one reply line, and a line that
// is refused or not understood leaves the instrument exactly as it was.
#include <gtest/gtest.h>

#include <random>
#include <tuple>

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

// Real commands, to be damaged at random; "<SS>" is left out so the flash disk is not
// written thousands of times.
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

class RandomLines {
  public:
    explicit RandomLines(uint32_t seed) : random_(seed) {}

    std::string Next() {
        switch (Pick(4)) {
            case 0:
                return Noise();
            case 1:
                return kCommands[Pick(std::size(kCommands))];
            default:
                return Damaged(kCommands[Pick(std::size(kCommands))]);
        }
    }

  private:
    size_t Pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random_); }
    char AnyByte() { return static_cast<char>(Pick(256)); }

    // Bytes of every kind between the delimiters (the port's framer never lets one through).
    std::string Noise() {
        std::string body;
        for (size_t n = Pick(20); n > 0; --n) {
            char c = AnyByte();
            body.push_back(c == '<' || c == '>' ? 'G' : c);
        }
        return "<" + body + ">";
    }

    std::string Damaged(std::string line) {
        std::string body = line.substr(1, line.size() - 2);
        switch (Pick(5)) {
            case 0:  // one character changed
                if (!body.empty())
                    body[Pick(body.size())] = "0129 ,.-+HLTCSBDEGRVZ"[Pick(21)];
                break;
            case 1:  // cut short
                body.resize(Pick(body.size() + 1));
                break;
            case 2:  // something appended
                body += kNumbers[Pick(std::size(kNumbers))];
                break;
            default: {  // a number put in after the command's space
                size_t space = body.find(' ');
                if (space == std::string::npos)
                    space = body.size();
                body = body.substr(0, space) + " " + kNumbers[Pick(std::size(kNumbers))];
                break;
            }
        }
        for (char& c : body) {
            if (c == '<' || c == '>')
                c = '_';
        }
        return "<" + body + ">";
    }

    std::mt19937 random_;
};

using RemoteRandomLines = RemoteTest;

TEST_F(RemoteRandomLines, EachGetsOneReplyAndRefusalsChangeNothing) {
    constexpr int kLines = 100000;
    const RemoteScreenKind kinds[] = {RemoteScreenKind::OneChannel, RemoteScreenKind::TwoChannel,
                                      RemoteScreenKind::Scintillator, RemoteScreenKind::Other};
    RandomLines lines(20261207);
    int refusals = 0;
    int accepted = 0;
    for (int i = 0; i < kLines; ++i) {
        if (i % 500 == 0) {
            Show(kinds[(i / 500) % 4]);
            doc.Collecting = (i / 2000) % 3 == 1;
        }
        const std::string line = lines.Next();
        const auto before = Snapshot(doc, screen, board.sent.size());
        const std::string reply = Send(line);
        ASSERT_GE(reply.size(), 2u) << line;
        ASSERT_EQ(reply.find("\r\n"), reply.size() - 2) << "not one reply line for " << line;
        if (reply == "?\r\n" || reply == "!\r\n") {
            ++refusals;
            ASSERT_EQ(Snapshot(doc, screen, board.sent.size()), before) << line << " -> " << reply;
        } else {
            ++accepted;
        }
    }
    // The mix reaches both sides of the decoder.
    EXPECT_GT(refusals, kLines / 4);
    EXPECT_GT(accepted, kLines / 10);
}

}  // namespace
