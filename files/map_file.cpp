#include "files/map_file.h"

char MapPath[PathCapacity];
char SettingsPath[PathCapacity];
char MapName[MapNameCapacity];
