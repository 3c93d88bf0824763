// SPDX-License-Identifier: MIT
#include "platform/common/notice_text.h"

#include <vector>

namespace {

constexpr const char* Ellipsis = "\xE2\x80\xA6";  // U+2026, one character

bool IsContinuationByte(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length in bytes of the character that starts at `text[at]`: a lead
// byte and the continuation bytes it announces, or one byte for anything
// that is not valid UTF-8.
size_t CharacterLength(const std::string& text, size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    size_t length = 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    if (at + length > text.size())
        return 1;
    for (size_t next = at + 1; next < at + length; ++next) {
        if (!IsContinuationByte(static_cast<unsigned char>(text[next])))
            return 1;
    }
    return length;
}

std::string ShortenLine(const std::string& line, size_t limit) {
    // Where each character starts, so the cut falls between characters.
    std::vector<size_t> starts;
    for (size_t at = 0; at < line.size(); at += CharacterLength(line, at))
        starts.push_back(at);
    if (starts.size() <= limit || limit < 3)
        return line;
    const size_t kept = limit - 1;  // the ellipsis is the last character
    const size_t head = (kept + 1) / 2;
    const size_t tail = kept - head;
    return line.substr(0, starts[head]) + Ellipsis + line.substr(starts[starts.size() - tail]);
}

}  // namespace

std::string ShortenLongLines(const std::string& text, size_t limit) {
    std::string shown;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find('\n', start);
        shown += ShortenLine(text.substr(start, end - start), limit);
        if (end == std::string::npos)
            return shown;
        shown += '\n';
        start = end + 1;
    }
}
