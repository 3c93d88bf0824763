// SPDX-License-Identifier: MIT
// The moves of a game. Each acts on the cell under the screen centre, the
// view cell, and does nothing when there is none.
#pragma once

// Opens the view cell if it is Hidden, flooding through empty regions.
void OpenAtView();

// Opens the cells on the flood stack (entries 0..FloodCount-1) and spreads
// through empty regions. Where a game is lost, or its completion detected.
void Flood();

// Opens the Hidden neighbours of an Open number whose flags are all placed.
void ChordAtView();

// Hidden -> Flagged -> Questioned (when question marks are on) -> Hidden.
void CycleMarkAtView();
