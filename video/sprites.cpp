#include "video/sprites.h"

Rect TileRects[TileCount];
Rect FontRects[2 * FontGlyphs];
Rect FaceRects[12];
Rect MenuBarRect;
Rect LogoRect;
