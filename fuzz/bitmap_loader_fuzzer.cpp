// SPDX-License-Identifier: MIT
// Any bytes as the sheet bitmap resource: the palette and sheet loaders must
// refuse what they cannot read and never read past the resource's end.
#include <cstdint>
#include <vector>

#include "platform/headless/headless.h"
#include "video/display.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    HeadlessReset();
    // An exact-size copy, so reading one byte past the end is caught.
    HeadlessAddResource("BMP1", "BITMAP", std::vector<uint8_t>(data, data + size));
    LoadPalette("BMP1");
    LoadSheetBitmap("BMP1", SheetWidth, SheetBitmapHeight);
    LoadSheetBitmap("bmp1", SheetWidth, SheetHeight);
    return 0;
}
