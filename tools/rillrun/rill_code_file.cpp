#include "rill_code_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "content/gx_content_binary_reader.h"
#include "content/gx_content_binary_writer.h"

std::string ResolveRillCodePath(const std::string& gameOrFile) {
    std::error_code error;
    if (std::filesystem::is_directory(gameOrFile, error))
        return (std::filesystem::path(gameOrFile) / "bincode" / "rillcode.rwb").string();
    return gameOrFile;
}

bool LoadRillCodeFile(const std::string& path, GxRill& engine, std::ostream& err) {
    std::ifstream file(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    if (!file.good() && !file.eof()) {
        err << path << ": cannot be read\n";
        return false;
    }
    if (bytes.empty() || bytes.size() > 0xFFFFFFFFu) {
        err << path << ": missing or empty\n";
        return false;
    }
    GxContentBinaryReader reader(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    if (!engine.Read(reader)) {
        err << path << ": damaged compiled scripts\n";
        return false;
    }
    return true;
}

bool SaveRillCodeFile(const std::string& path, const GxRill& engine) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    GxContentBinaryWriter writer(file);
    const bool ok = engine.Write(writer);
    return std::fclose(file) == 0 && ok;
}
