#include "rill_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "content/gx_content_binary_reader.h"
#include "content/gx_content_binary_writer.h"
#include "script/gx_rill.h"
#include "script/gx_rill_compile.h"

namespace {
struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
}  // namespace

bool WriteRillFileReplacing(const GxRill& model, const std::string& path, std::string& error) {
    const std::string temporary = path + ".new";
    std::unique_ptr<FILE, FileCloser> file(std::fopen(temporary.c_str(), "wb"));
    if (!file) {
        error = "cannot create " + temporary + ": " + std::strerror(errno);
        return false;
    }
    GxContentBinaryWriter writer(file.get());
    const bool written = model.Write(writer) && writer.GetErrorCount() == 0;
    const bool closed = std::fclose(file.release()) == 0;
    std::error_code ignored;
    if (!written || !closed) {
        error = "cannot write " + temporary;
        std::filesystem::remove(temporary, ignored);
        return false;
    }
    std::error_code renameError;
    std::filesystem::rename(temporary, path, renameError);
    if (renameError) {
        error = "cannot replace " + path + ": " + renameError.message();
        std::filesystem::remove(temporary, ignored);
        return false;
    }
    return true;
}

bool ReadRillFile(GxRill& model, const std::string& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open the file";
        return false;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    if (bytes.size() > UINT32_MAX) {
        error = "the file is too large";
        return false;
    }
    GxBinBuffer buffer(static_cast<std::uint32_t>(bytes.size()));
    if (!bytes.empty())
        std::memcpy(buffer.GetData(), bytes.data(), bytes.size());
    GxContentBinaryReader reader;
    if (!LoadCompiledScriptsFrom(model, buffer, reader)) {
        error = bytes.empty() ? "the file is empty" : "the file is damaged";
        return false;
    }
    return true;
}
