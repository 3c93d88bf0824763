// SPDX-License-Identifier: MIT
// Picking the holder's name of a new best time on a grid of characters.
// The grid and the name's length are in state/game_state.h: the picture
// draws them too.
#pragma once

// Left press: adds the selected character, or finishes on the END row.
void AddNameCharacter();
// Right press: removes the last character.
void DeleteNameCharacter();
