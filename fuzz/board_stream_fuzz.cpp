// Bytes from the main board, garbage and frames mixed, go through the framer into the
// document. Nothing may crash, and no packet may leave a channel in a state the instrument
// cannot have. Built and run by `make fuzz`.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzLink.h"
#include "document/CKelvarinDoc.h"
#include "link/Framers.h"

namespace {

bool ChannelsSound(const CKelvarinDoc& doc) {
    for (const CHANNEL_INFO& c : doc.Channel) {
        if (c.Range != 0 && c.Range != 1)
            return false;
        if (c.BiasSet < -1000 || c.BiasSet > 1000)
            return false;
    }
    for (const FILTER_CHANNEL& f : doc.Filter.Chan) {
        if (std::isnan(f.Rate) || std::isnan(f.Charge))
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CKelvarinDoc doc;
    FuzzLink link;
    doc.SetLink(&link);
    CBoardFramer framer;
    for (size_t i = 0; i < size; ++i) {
        if (framer.OnByte(data[i]))
            doc.OnBoardPacket(&framer.Record());
    }
    if (!ChannelsSound(doc))
        std::abort();
    return 0;
}
