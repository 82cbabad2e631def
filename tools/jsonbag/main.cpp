// SPDX-License-Identifier: MIT
// jsonbag [--pretty] [--decimal] FILE|-
// Reads a UTF-8 document, parses it with JsonBag and prints its serialization.
#include "JsonBag.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>

namespace {

int usage()
{
    std::cerr << "usage: jsonbag [--pretty] [--decimal] FILE|-\n";
    return 2;
}

bool readAll(const std::string &path, std::string &text)
{
    if (path == "-") {
        text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
        return !std::cin.bad();
    }
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        return false;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    std::ostringstream content;
    content << file.rdbuf();
    text = std::move(content).str();
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    bool pretty = false;
    bool decimal = false;
    std::string path;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--pretty") {
            pretty = true;
        } else if (arg == "--decimal") {
            decimal = true;
        } else if (path.empty() && (arg == "-" || arg.rfind("--", 0) != 0)) {
            path = arg;
        } else {
            return usage();
        }
    }
    if (path.empty()) {
        return usage();
    }
    std::string text;
    if (!readAll(path, text)) {
        std::cerr << "jsonbag: cannot read " << path << '\n';
        return 1;
    }
    try {
        JsonBag bag;
        bag.setDecimalMode(decimal);
        bag.setWhitespace(pretty);
        bag.setJSONUtf8(text);
        std::cout << bag.JSONUtf8() << '\n';
    } catch (const JsonError &e) {
        std::cerr << "Error " << e.number() << " (" << e.source() << "): " << e.what() << '\n';
        return 1;
    }
    return 0;
}
