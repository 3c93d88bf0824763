// SPDX-License-Identifier: MIT
// Frame composition: the whole screen for the current GameState, drawn into
// the back buffer and shown once per pass of the main loop.
#pragma once

#include <cstdint>

extern int32_t TitleScroll;     // offset of the title background, 0..31
extern int32_t SelectedRow;     // menu item (title) or grid row (name entry)
extern int32_t SelectedColumn;  // grid column (name entry); 13 on the END row

// The tile of a cell `tenths` tenths of a second after its cover last
// changed, for its CellValue and CoverState.
int32_t SelectTile(uint32_t tenths, int32_t value, int32_t cover);

// Draws the screen of the current GameState and flips.
void ComposeFrame();

// Back to the values at process start; also how they are set at start-up.
void ResetCompose();
