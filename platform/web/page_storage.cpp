// SPDX-License-Identifier: MIT
#include "platform/web/page_storage.h"

#include <utility>

namespace {

constexpr uint64_t FnvOffsetBasis = 14695981039346656037ull;
constexpr uint64_t FnvPrime = 1099511628211ull;

}  // namespace

uint64_t HashMapBytes(const std::string& bytes) {
    uint64_t hash = FnvOffsetBasis;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= FnvPrime;
    }
    return hash;
}

std::string MapStorageKey(const std::string& fileName, const std::string& mapBytes) {
    static const char Digits[] = "0123456789abcdef";
    std::string hex(16, '0');
    uint64_t hash = HashMapBytes(mapBytes);
    for (int i = 15; i >= 0; --i, hash >>= 4)
        hex[static_cast<size_t>(i)] = Digits[hash & 15];
    return "torvex-settings " + fileName + " " + hex;
}

std::string StorageEntryFromFile(const std::string& fileBytes) {
    std::string entry;
    entry.reserve(fileBytes.size() * 2);
    for (const char c : fileBytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            entry += static_cast<char>(byte);
        } else {
            entry += static_cast<char>(0xC0 | (byte >> 6));
            entry += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return entry;
}

bool FileFromStorageEntry(const std::string& entry, std::string* fileBytes) {
    fileBytes->clear();
    std::string bytes;
    for (size_t i = 0; i < entry.size(); ++i) {
        const auto lead = static_cast<unsigned char>(entry[i]);
        if (lead < 0x80) {
            bytes += static_cast<char>(lead);
        } else if ((lead == 0xC2 || lead == 0xC3) && i + 1 < entry.size() &&
                   (static_cast<unsigned char>(entry[i + 1]) & 0xC0) == 0x80) {
            // Two bytes of UTF-8 for the characters 128 to 255; every other
            // lead byte is a character above 255 or not UTF-8 at all.
            bytes += static_cast<char>(((lead & 0x03) << 6) |
                                       (static_cast<unsigned char>(entry[i + 1]) & 0x3F));
            ++i;
        } else {
            return false;
        }
        if (bytes.size() > LargestStoredSettings)
            return false;
    }
    *fileBytes = std::move(bytes);
    return true;
}
