#include "video/compose.h"

int32_t TitleScroll = 0;
int32_t SelectedRow = 0;
int32_t SelectedColumn = 0;

void ResetCompose() {
    TitleScroll = 0;
    SelectedRow = 0;
    SelectedColumn = 0;
}
