// SPDX-License-Identifier: MIT
// The page's entries of the per-map settings: their names, and the settings
// file's bytes through the browser's text and back.
#include <gtest/gtest.h>

#include <string>

#include "platform/web/page_storage.h"

namespace {

TEST(MapStorageKey, NamesTheMapByItsFileAndItsBytes) {
    const std::string classic = "Classic 9x9,9,9,10,\n9/\n";
    const std::string key = MapStorageKey("classic-9x9.tvm", classic);
    // FNV-1a of the bytes, as 16 hex digits (the empty text hashes to the
    // algorithm's starting value).
    EXPECT_EQ(MapStorageKey("a.tvm", ""), "torvex-settings a.tvm cbf29ce484222325");
    EXPECT_EQ(HashMapBytes("a"), 0xaf63dc4c8601ec8cull);
    EXPECT_EQ(key.rfind("torvex-settings classic-9x9.tvm ", 0), 0u);
    EXPECT_EQ(key.size(), std::string("torvex-settings classic-9x9.tvm ").size() + 16);

    EXPECT_EQ(MapStorageKey("classic-9x9.tvm", classic), key);  // the same map, the same entry
    EXPECT_NE(MapStorageKey("copy.tvm", classic), key);         // another file
    std::string edited = classic;
    edited[20] = '8';
    EXPECT_NE(MapStorageKey("classic-9x9.tvm", edited), key);  // edited under the same name
}

TEST(StorageEntry, HoldsTheSettingsFileCharacterForCharacter) {
    const std::string file = "? OFF,SOUND ON,ANIMATION ON,87,ACE,,";
    EXPECT_EQ(StorageEntryFromFile(file), file);  // plain ASCII is its own entry

    // Every byte a hand-edited file may hold goes through the browser's
    // UTF-8 strings and comes back as it was.
    std::string everyByte;
    for (int byte = 0; byte < 256; ++byte)
        everyByte += static_cast<char>(byte);
    const std::string entry = StorageEntryFromFile(everyByte);
    EXPECT_EQ(entry.size(), 128u + 2 * 128u);
    EXPECT_EQ(entry.substr(128 + 2 * (0xE9 - 128), 2), "\xC3\xA9");  // the byte 0xE9 is é
    std::string back;
    ASSERT_TRUE(FileFromStorageEntry(entry, &back));
    EXPECT_EQ(back, everyByte);
}

TEST(StorageEntry, OneTheGameNeverWroteIsRefused) {
    const std::string refused[] = {
        "\xE2\x82\xAC",      // the euro sign: a character above 255
        "\xF0\x9F\x98\x80",  // a character beyond the first 65536
        "\xC3",              // cut off in the middle of a character
        "\xC3(",             // a lead byte without its follower
        "\x80",              // a follower without its lead
        "\xC0\xAF",          // an over-long form of '/'
        std::string(LargestStoredSettings + 1, 'x'),
    };
    for (const std::string& entry : refused) {
        std::string file = "left over";
        EXPECT_FALSE(FileFromStorageEntry(entry, &file)) << entry.size() << " bytes";
        EXPECT_EQ(file, "");
    }
    std::string file;
    EXPECT_TRUE(FileFromStorageEntry(std::string(LargestStoredSettings, 'x'), &file));
    EXPECT_TRUE(FileFromStorageEntry("", &file));
    EXPECT_EQ(file, "");
}

}  // namespace
