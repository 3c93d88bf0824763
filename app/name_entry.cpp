#include "app/name_entry.h"

// Row 2 ends with a space, so a name can hold blanks.
const char LetterGrid[LetterGridRows * LetterGridColumns + 1] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
    "abcdefghijklmnopqrstuvwxyz"
    "0123456789!?@\"'#%&()/-*+. ";

int32_t NameLength = 0;
