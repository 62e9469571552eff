#include "app/handoverframe.h"

namespace zanpel {
namespace {

void PutLe(std::string& out, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

uint64_t GetLe(std::string_view in, size_t offset, int bytes) {
    uint64_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= uint64_t{static_cast<unsigned char>(in[offset + static_cast<size_t>(i)])}
                 << (8 * i);
    return value;
}

constexpr size_t HeaderSize = 4 + 8;
constexpr size_t CopyDataHeaderSize = HeaderSize + 4 + 4;

} // namespace

std::string EncodeShowFrame() {
    std::string out;
    PutLe(out, ShowMessage, 4);
    PutLe(out, 0, 8);
    return out;
}

std::string EncodeCopyDataFrame(uint64_t senderPid, std::string_view parameter) {
    std::string out;
    PutLe(out, CopyDataMessage, 4);
    PutLe(out, senderPid, 8);
    PutLe(out, 1, 4);
    PutLe(out, parameter.size(), 4);
    out += parameter;
    return out;
}

FrameStatus ParseFrame(std::string_view buffer, THandOver& frame, size_t& consumed) {
    if (buffer.size() < 4)
        return FrameStatus::Incomplete;
    const auto message = static_cast<uint32_t>(GetLe(buffer, 0, 4));
    if (message != ShowMessage && message != CopyDataMessage)
        return FrameStatus::Invalid;
    const size_t header = message == ShowMessage ? HeaderSize : CopyDataHeaderSize;
    if (buffer.size() < header)
        return FrameStatus::Incomplete;
    size_t length = 0;
    if (message == CopyDataMessage) {
        if (GetLe(buffer, 12, 4) != 1)
            return FrameStatus::Invalid;
        length = static_cast<size_t>(GetLe(buffer, 16, 4));
        if (length > MaxFrameSize - header)
            return FrameStatus::Invalid;
        if (buffer.size() < header + length)
            return FrameStatus::Incomplete;
    }
    frame.Message = message;
    frame.WParam = GetLe(buffer, 4, 8);
    frame.Data.assign(buffer.substr(header, length));
    consumed = header + length;
    return FrameStatus::Complete;
}

} // namespace zanpel
