// SPDX-License-Identifier: MIT
// torvex-map: looks at, checks and makes Torvex maps. See commands.h.
#include <iostream>
#include <string>
#include <vector>

#include "tools/map/commands.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return RunMapTool(arguments, std::cout, std::cerr);
}
