#include "tests/files/file_text.h"

#include <fstream>
#include <sstream>

#include "tests/support/game_fixture.h"

FilePointer TextAsFile(const std::string& text) {
    FilePointer file(std::tmpfile());
    if (file) {
        std::fwrite(text.data(), 1, text.size(), file.get());
        std::rewind(file.get());
    }
    return file;
}

std::string WriteTestFile(const std::string& name, const std::string& text) {
    const std::string path = TemporaryFolder() + "/" + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return "<missing>";
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}
