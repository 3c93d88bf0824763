// SPDX-License-Identifier: MIT
// The commands of torvex-map, callable from tests as well as from main().
//
//   torvex-map info FILE.tvm     the map as the game reads it
//   torvex-map check FILE.tvm    info, plus regions, density and warnings
//   torvex-map make [OPTIONS] PICTURE
//                                a map file from a picture of its field
//   torvex-map --help            the usage and make's options
//   torvex-map --version         the version
//
// Each writes its output to `out` and every refusal, with its reason, to
// `err`, and returns the exit status: 0 done, 1 refused.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// `arguments` are the program's arguments without its own name.
int RunMapTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

int RunInfo(const std::string& path, std::ostream& out, std::ostream& err);
int RunCheck(const std::string& path, std::ostream& out, std::ostream& err);
int RunMake(const std::vector<std::string>& options, std::ostream& out, std::ostream& err);
