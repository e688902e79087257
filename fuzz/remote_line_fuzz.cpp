// Bytes from the remote computer go through the line framer into the command decoder of a
// document without screens. Every complete line gets exactly one reply, and nothing crashes.
// Built and run by `make fuzz`.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzLink.h"
#include "document/CKelvarinDoc.h"
#include "link/Framers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CKelvarinDoc doc;
    FuzzLink link;
    doc.SetLink(&link);
    CLineFramer framer;
    size_t lines = 0;
    for (size_t i = 0; i < size; ++i) {
        if (!framer.OnByte(data[i]))
            continue;
        ++lines;
        doc.OnRemoteCommand(&framer.Record());
        if (link.remoteTexts.size() != lines)
            std::abort();  // one reply per line, no more, no fewer
        const std::string& reply = link.remoteTexts.back();
        if (reply.size() < 2 || reply.compare(reply.size() - 2, 2, "\r\n") != 0)
            std::abort();
    }
    return 0;
}
