#include "video/display.h"

#include <cstring>

uint8_t BackBuffer[ScreenWidth * ScreenHeight];
uint8_t SpriteSheet[SheetWidth * SheetHeight];
PaletteEntry PaletteTable[256];

void ResetDisplay() {
    std::memset(BackBuffer, 0, sizeof(BackBuffer));
    std::memset(SpriteSheet, 0, sizeof(SpriteSheet));
    std::memset(PaletteTable, 0, sizeof(PaletteTable));
}
