// The frames a second copy of the program sends to the running one over the
// local socket: "show yourself" (message 0x801) or "here is my first
// parameter" (the copy-data message 0x4A). Little-endian:
//   u32 message, u64 wParam, and for 0x4A: u32 dwData (1), u32 cbData, data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zanpel {

inline constexpr uint32_t ShowMessage = 0x801;
inline constexpr uint32_t CopyDataMessage = 0x4A;
inline constexpr size_t MaxFrameSize = 64 * 1024;

struct THandOver {
    uint32_t Message = 0;
    uint64_t WParam = 0;
    std::string Data; // the parameter, CP932 (copy-data only)
};

std::string EncodeShowFrame();
std::string EncodeCopyDataFrame(uint64_t senderPid, std::string_view parameter);

enum class FrameStatus {
    Complete,   // frame holds the first frame of the buffer
    Incomplete, // more bytes are needed
    Invalid     // unknown message, bad copy-data header or larger than 64 KiB
};
// Reads the first frame of buffer; consumed is its length when complete.
FrameStatus ParseFrame(std::string_view buffer, THandOver& frame, size_t& consumed);

} // namespace zanpel
