// SPDX-License-Identifier: MIT
#include "tools/map/commands.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "board/board.h"
#include "files/map_file.h"
#include "tools/map/field.h"
#include "tools/map/map_check.h"
#include "tools/map/map_text.h"
#include "tools/map/picture.h"
#include "tools/map/regions.h"
#include "version.h"

namespace {

constexpr const char* Usage =
    "usage: torvex-map info FILE.tvm\n"
    "       torvex-map check FILE.tvm\n"
    "       torvex-map make [--name NAME] [--mines N | --density PERCENT] [--output FILE.tvm] "
    "PICTURE\n"
    "       torvex-map --help | --version\n";

constexpr const char* MakeHelp =
    "\n"
    "make turns a picture of a field into a map file:\n"
    "  PICTURE            text art, one line per row: '#' a playable cell, '.' a Void cell;\n"
    "                     or a PBM or PGM image, or an 8-bit BMP: one cell per pixel,\n"
    "                     dark pixels playable\n"
    "  --name NAME        the name the title screen shows, at most 31 characters\n"
    "                     (default: the picture's file name without its extension)\n"
    "  --mines N          the number of mines, fewer than the playable cells\n"
    "  --density PERCENT  mines as a share of the playable cells (default 15)\n"
    "  --output FILE.tvm  where to write the map (default: standard output)\n";

constexpr double DefaultDensityPercent = 15.0;

// Games `check` lays out without a guess, on fixed seeds.
constexpr int32_t NoGuessTries = 20;

int Refuse(std::ostream& err, const std::string& subject, const std::string& problem) {
    err << "torvex-map: " << subject << ": " << problem << "\n";
    return 1;
}

int UsageError(std::ostream& err, const std::string& problem) {
    err << "torvex-map: " << problem << "\n" << Usage;
    return 1;
}

// Reads a map with the game's own reader and prints what `info` shows.
// False, with the reason on `err`, when the game would refuse the map.
bool ReadAndDescribe(const std::string& path, MapReadReport* report, std::ostream& out,
                     std::ostream& err) {
    *report = ReadMapFromPath(path.c_str());
    if (!report->playable) {
        Refuse(err, path, report->problem);
        return false;
    }
    std::vector<char> settingsPath(PathCapacity, '\0');
    DeriveSettingsPath(path.c_str(), settingsPath.data(), settingsPath.size());
    out << "name: " << MapName << "\n"
        << "width: " << BoardWidth << "\n"
        << "height: " << BoardHeight << "\n"
        << "mines: " << MineCount << "\n"
        << "playable: " << PlayableCount << "\n"
        << "settings: " << settingsPath.data() << "\n";
    for (const std::string& row : FieldFromBoard().Rows())
        out << row << "\n";
    return true;
}

bool EndsWithMapExtension(const std::string& path) {
    if (path.size() < 5)
        return false;  // a name before the dot
    std::string tail = path.substr(path.size() - 4);
    for (char& c : tail)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return tail == ".tvm";
}

// A whole number of mines: digits only.
bool ParseMines(const std::string& text, int64_t* mines) {
    if (text.empty() || text.size() > 9)
        return false;
    int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    *mines = value;
    return true;
}

// A percentage such as 15, 15.5 or 15.5%.
bool ParsePercent(std::string text, double* percent) {
    if (!text.empty() && text.back() == '%')
        text.pop_back();
    if (text.empty() || text.size() > 12)
        return false;
    size_t digits = 0;
    size_t dots = 0;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            ++digits;
        } else if (c == '.') {
            ++dots;
        } else {
            return false;
        }
    }
    if (digits == 0 || dots > 1)
        return false;
    *percent = std::stod(text);
    return *percent <= 100.0;
}

struct MakeOptions {
    std::string picture;
    std::string output;  // empty: standard output
    std::string name;
    bool nameGiven = false;
    std::string mines;
    std::string density;
};

// Splits the options of `make`; both "--name NAME" and "--name=NAME" work.
bool ParseMakeOptions(const std::vector<std::string>& arguments, MakeOptions* options,
                      std::string* problem) {
    for (size_t i = 0; i < arguments.size(); ++i) {
        std::string argument = arguments[i];
        if (argument.size() < 2 || argument.compare(0, 2, "--") != 0 || argument == "--") {
            if (argument == "--" && i + 1 < arguments.size())
                argument = arguments[++i];
            if (!options->picture.empty()) {
                *problem = "make takes one picture, not \"" + options->picture + "\" and \"" +
                           argument + "\"";
                return false;
            }
            options->picture = argument;
            continue;
        }
        std::string value;
        const size_t equals = argument.find('=');
        if (equals != std::string::npos) {
            value = argument.substr(equals + 1);
            argument.resize(equals);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            *problem = argument + " needs a value";
            return false;
        }
        if (argument == "--name") {
            options->name = value;
            options->nameGiven = true;
        } else if (argument == "--mines") {
            options->mines = value;
        } else if (argument == "--density") {
            options->density = value;
        } else if (argument == "--output") {
            options->output = value;
        } else {
            *problem = "make has no option " + argument;
            return false;
        }
    }
    if (options->picture.empty()) {
        *problem = "make needs a picture";
        return false;
    }
    return true;
}

// Reads the map text back with the game's own reader and compares: what
// make writes must load as exactly the field, name and mines it was given.
bool GameReadsBack(const std::string& text, const std::string& name, const Field& field,
                   int32_t mines) {
    std::string copy = text;
    FILE* file = fmemopen(copy.data(), copy.size(), "r");
    if (file == nullptr)
        return false;
    const MapReadReport report = ReadMap(file);
    std::fclose(file);
    return report.playable && !report.runsEndedEarly && !report.runsPastGrid && name == MapName &&
           MineCount == mines && FieldFromBoard() == field;
}

// Writes beside the destination first and renames, so a failed write never
// leaves a half map where a good one was.
bool WriteWhole(const std::string& path, const std::string& text, std::string* problem) {
    const std::string partial = path + ".part";
    {
        std::ofstream file(partial, std::ios::binary | std::ios::trunc);
        file << text;
        file.close();
        if (!file) {
            std::remove(partial.c_str());
            *problem = "cannot write the map file";
            return false;
        }
    }
    if (std::rename(partial.c_str(), path.c_str()) != 0) {
        std::remove(partial.c_str());
        *problem = "cannot write the map file";
        return false;
    }
    return true;
}

}  // namespace

int RunInfo(const std::string& path, std::ostream& out, std::ostream& err) {
    MapReadReport report;
    return ReadAndDescribe(path, &report, out, err) ? 0 : 1;
}

int RunCheck(const std::string& path, std::ostream& out, std::ostream& err) {
    MapReadReport report;
    if (!ReadAndDescribe(path, &report, out, err))
        return 1;
    const Field field = FieldFromBoard();
    out << "regions: " << FindRegions(field).size() << "\n"
        << "density: " << DensityText(MineCount, PlayableCount) << "\n"
        << NoGuessLine(TryNoGuessLayouts(NoGuessTries)) << "\n";
    for (const std::string& warning : MapWarnings(field, MineCount, report)) {
        out << "warning: " << warning << "\n";
    }
    return 0;
}

int RunMake(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.empty()) {
        err << Usage << MakeHelp;
        return 1;
    }
    MakeOptions options;
    std::string problem;
    if (!ParseMakeOptions(arguments, &options, &problem))
        return UsageError(err, problem);

    int64_t mines = -1;
    double percent = DefaultDensityPercent;
    if (!options.mines.empty() && !options.density.empty()) {
        return UsageError(err, "give --mines or --density, not both");
    }
    if (!options.mines.empty() && !ParseMines(options.mines, &mines)) {
        return UsageError(err, "--mines needs a whole number, not \"" + options.mines + "\"");
    }
    if (!options.density.empty() && !ParsePercent(options.density, &percent)) {
        return UsageError(
            err, "--density needs a percentage from 0 to 100, not \"" + options.density + "\"");
    }
    if (!options.output.empty()) {
        if (!EndsWithMapExtension(options.output)) {
            return Refuse(err, options.output,
                          "a map file's name ends in .tvm, the extension the game looks for");
        }
        std::error_code error;
        if (std::filesystem::equivalent(options.picture, options.output, error)) {
            return Refuse(err, options.output, "this is the picture itself");
        }
    }

    Field field;
    if (!ReadPicture(options.picture, &field, &problem)) {
        return Refuse(err, options.picture, problem);
    }
    const std::string name =
        options.nameGiven ? options.name : std::filesystem::path(options.picture).stem().string();
    if (!CheckMapName(name, &problem))
        return Refuse(err, options.picture, problem);
    if (mines < 0) {
        mines = std::llround(field.PlayableCount() * percent / 100.0);
    }
    if (!CheckMineCount(field, mines, &problem))
        return Refuse(err, options.picture, problem);

    const auto mineCount = static_cast<int32_t>(mines);
    const std::string text = MapText(name, field, mineCount);
    if (!GameReadsBack(text, name, field, mineCount)) {
        return Refuse(err, options.picture,
                      "the game does not read the map back as drawn; nothing was written");
    }
    if (options.output.empty()) {
        out << text;
    } else {
        if (!WriteWhole(options.output, text, &problem)) {
            return Refuse(err, options.output, problem);
        }
        out << "wrote " << options.output << ": " << field.width << " x " << field.height << ", "
            << field.PlayableCount() << " playable cells, " << mineCount << " mines ("
            << DensityText(mineCount, field.PlayableCount()) << ")\n";
    }
    for (const std::string& warning : MapWarnings(field, mineCount, MapReadReport{})) {
        err << "warning: " << warning << "\n";
    }
    return 0;
}

int RunMapTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.empty())
        return UsageError(err, "which command?");
    const std::string& command = arguments[0];
    const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    if (command == "--help" || command == "-h" || command == "help") {
        out << Usage << MakeHelp;
        return 0;
    }
    if (command == "--version") {
        out << "torvex-map " << TorvexVersion << "\n";
        return 0;
    }
    if (command == "make")
        return RunMake(rest, out, err);
    if (command == "info" || command == "check") {
        if (rest.size() != 1)
            return UsageError(err, command + " takes one map file");
        return command == "info" ? RunInfo(rest[0], out, err) : RunCheck(rest[0], out, err);
    }
    return UsageError(err, "no command \"" + command + "\"");
}
