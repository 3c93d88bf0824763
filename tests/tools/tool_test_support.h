// SPDX-License-Identifier: MIT
// What the map tool's tests share: fields drawn as text art.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/map/picture.h"

using Rows = std::vector<std::string>;

// A field from text art rows: '#' a playable cell, '.' a Void cell.
inline Field FieldOf(const Rows& rows) {
    std::string art;
    for (const std::string& row : rows)
        art += row + "\n";
    Field field;
    std::string problem;
    EXPECT_TRUE(ReadTextArt(art, &field, &problem)) << problem;
    return field;
}
