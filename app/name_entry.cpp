// SPDX-License-Identifier: MIT
// Picking the holder's name of a new best time on a grid of characters.
//
// There is no typing: the mouse moves a selection over the grid, the left
// button adds the selected character (or finishes on the END row), the right
// button takes the last one away. The name is edited in place in
// HighScoreName, which reaches the settings file when it is finished (and
// again when the window closes).

#include "app/name_entry.h"
#include "app/window_proc.h"
#include "sound/cues.h"
#include "sound/sound.h"
#include "state/game_state.h"
#include "state/options.h"
#include "video/compose.h"

static_assert(MaxNameLength < static_cast<int32_t>(HighScoreNameCapacity),
              "a full name and its terminator must fit HighScoreName");

void AddNameCharacter() {
    // The selection is the one of the last composed frame.
    const int32_t row = SelectedRow;
    const int32_t column = SelectedColumn;
    const bool onCharacter =
        row >= 0 && row < LetterGridRows && column >= 0 && column < LetterGridColumns;
    if (NameLength < MaxNameLength && onCharacter) {
        CuePlayOnce(SoundDo);
        HighScoreName[NameLength] = LetterGrid[LetterGridColumns * row + column];
        ++NameLength;
        HighScoreName[NameLength] = '\0';
    }
    // A name needs at least one character before it can be finished.
    if (row == EndRow && NameLength != 0) {
        CuePlayOnce(SoundDo);
        GameState = Title;
        MenuCursorY = 0;
        CueStop(SoundBgmx);
        // The finished name is on the disk at once, as the time already is.
        SavePlayerSettings();
    }
}

void DeleteNameCharacter() {
    if (NameLength == 0)
        return;
    --NameLength;
    HighScoreName[NameLength] = '\0';
}
