// gxcontent: prints content streams and turns the text form into the binary form.
//   gxcontent dump FILE [--no-header]
//   gxcontent tobinary IN OUT
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "base/gx_log.h"
#include "base/gx_string.h"
#include "content/gx_content_any_value.h"
#include "content/gx_content_file.h"
#include "content_dump.h"

namespace {

// Sends every logged message to stderr: the reader's errors are the tool's.
class StderrListener : public GxDebugListenerBase {
public:
    void OnDebugOutput(std::u16string_view text, int) override {
        std::fputs(gx::Utf16ToUtf8(text).c_str(), stderr);
    }
};

bool LoadWholeFile(const std::string& path, GxBinBuffer& buffer) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) {
        std::fprintf(stderr, "gxcontent: cannot open %s\n", path.c_str());
        return false;
    }
    const std::streamoff size = in.tellg();
    if (size < 0 || size > 0xffffffffLL) {
        std::fprintf(stderr, "gxcontent: cannot read %s\n", path.c_str());
        return false;
    }
    buffer.Alloc(static_cast<std::uint32_t>(size));
    in.seekg(0);
    if (size > 0 && !in.read(reinterpret_cast<char*>(buffer.GetData()), size)) {
        std::fprintf(stderr, "gxcontent: cannot read %s\n", path.c_str());
        return false;
    }
    return true;
}

int Usage() {
    std::fputs(
        "usage: gxcontent dump FILE [--no-header]\n"
        "       gxcontent tobinary IN OUT\n",
        stderr);
    return 2;
}

int Dump(const std::string& path, bool withHeader) {
    GxBinBuffer buffer;
    if (!LoadWholeFile(path, buffer))
        return 1;
    std::string error;
    if (!gx::DumpContent(buffer, withHeader, stdout, error)) {
        if (!error.empty())
            std::fprintf(stderr, "gxcontent: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

int ToBinary(const std::string& in, const std::string& out) {
    GxBinBuffer buffer;
    if (!LoadWholeFile(in, buffer))
        return 1;
    if (gx::DetectContentForm(buffer) != gx::ContentForm::Text) {
        std::fprintf(stderr, "gxcontent: %s is not a text-form stream\n", in.c_str());
        return 1;
    }
    std::unique_ptr<GxContentReaderBase> reader = gx::CreateContentReader(buffer);
    std::string tag;
    GxU32 version = 0;
    if (!gx::ReadAnyHeader(*reader, buffer, tag, version))
        return 1;
    tag[0] = 'B';
    std::string error;
    const bool saved = gx::SaveContentFile(
        gx::Utf8ToUtf16(out), gx::ContentForm::Binary, [&](GxContentWriterBase& writer) {
            if (!writer.WriteFileHeader(tag.c_str(), version))
                return false;
            while (!reader->IsEnd()) {
                const int type = reader->PeekValueType();
                std::optional<GxAnyValue> value = gx::ReadAnyValue(*reader);
                if (!value) {
                    if (reader->GetErrorCount() == 0) {
                        error = "unknown value type " + std::to_string(type);
                    }
                    return false;
                }
                gx::WriteAnyValue(writer, *value);
            }
            return true;
        });
    if (!error.empty())
        std::fprintf(stderr, "gxcontent: %s\n", error.c_str());
    return saved ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    StderrListener listener;
    gx::SetDebugListener(&listener);
    const std::vector<std::string> args(argv + 1, argv + argc);
    int result = 2;
    if (!args.empty() && args[0] == "dump") {
        std::vector<std::string> files;
        bool no_header = false;
        for (size_t i = 1; i < args.size(); ++i) {
            if (args[i] == "--no-header")
                no_header = true;
            else
                files.push_back(args[i]);
        }
        result = files.size() == 1 ? Dump(files[0], !no_header) : Usage();
    } else if (args.size() == 3 && args[0] == "tobinary") {
        result = ToBinary(args[1], args[2]);
    } else {
        result = Usage();
    }
    gx::SetDebugListener(nullptr);
    return result;
}
