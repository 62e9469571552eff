// Hand-over frames of arbitrary bytes: parsing never reads past the buffer,
// and a complete frame encodes back to the bytes it came from.
#include "app/handoverframe.h"
#include "fuzzcheck.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zanpel;
    std::string_view buffer(reinterpret_cast<const char*>(data), size);
    for (int frames = 0; frames < 16 && !buffer.empty(); ++frames) {
        THandOver frame;
        size_t consumed = 0;
        if (ParseFrame(buffer, frame, consumed) != FrameStatus::Complete)
            break;
        FUZZ_CHECK(consumed > 0 && consumed <= buffer.size() && consumed <= MaxFrameSize);
        const std::string again = frame.Message == ShowMessage
                                      ? EncodeShowFrame()
                                      : EncodeCopyDataFrame(frame.WParam, frame.Data);
        if (frame.Message == CopyDataMessage || frame.WParam == 0)
            FUZZ_CHECK(again == buffer.substr(0, consumed));
        buffer.remove_prefix(consumed);
    }
    return 0;
}
