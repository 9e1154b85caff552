#include "content/gx_content_file.h"

#include <cstdio>
#include <cstring>

#include <unistd.h>

#include "base/gx_log.h"
#include "base/gx_string.h"
#include "content/gx_content_binary_reader.h"
#include "content/gx_content_binary_writer.h"
#include "content/gx_content_text_reader.h"
#include "content/gx_content_text_writer.h"

namespace gx {

ContentForm DetectContentForm(const GxBinBuffer& buffer) {
    return buffer.GetFirstByte() == 'T' ? ContentForm::Text : ContentForm::Binary;
}

std::unique_ptr<GxContentReaderBase> CreateContentReader(const GxBinBuffer& buffer) {
    if (DetectContentForm(buffer) == ContentForm::Text) {
        return std::make_unique<GxContentTextReader>(buffer);
    }
    return std::make_unique<GxContentBinaryReader>(buffer);
}

std::string ContentTagForForm(const char* binaryTag, ContentForm form) {
    std::string tag = binaryTag ? binaryTag : "";
    if (form == ContentForm::Text && !tag.empty() && tag[0] == 'B')
        tag[0] = 'T';
    return tag;
}

std::unique_ptr<GxContentReaderBase> OpenContentReader(const GxBinBuffer& buffer,
                                                       const char* binaryTag, GxU32* version) {
    std::unique_ptr<GxContentReaderBase> reader = CreateContentReader(buffer);
    const std::string tag = ContentTagForForm(binaryTag, DetectContentForm(buffer));
    if (!reader->ReadFileHeader(tag.c_str(), version))
        return nullptr;
    return reader;
}

std::string PeekContentHeaderTag(const GxBinBuffer& buffer) {
    const char* data = reinterpret_cast<const char*>(buffer.GetData());
    const std::size_t size = buffer.GetSize();
    if (!data)
        return {};
    if (DetectContentForm(buffer) == ContentForm::Text) {
        std::size_t end = 0;
        while (end < size && data[end] != '\t' && data[end] != '\n' && data[end] != '\r' &&
               data[end] != 0) {
            ++end;
        }
        return std::string(data, end);
    }
    if (size < 20)
        return {};
    return std::string(data, strnlen(data, 15));
}

bool SaveContentFile(const std::u16string& path, ContentForm form,
                     const std::function<bool(GxContentWriterBase&)>& write) {
    const std::string target = Utf16ToUtf8(path);
    const std::string temporary = target + ".tmp";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) {
        LogError(u"Error/SaveContentFile/File open error:%s\n", path);
        return false;
    }
    bool ok = false;
    if (form == ContentForm::Text) {
        GxContentTextWriter writer(file);
        ok = write(writer) && writer.GetErrorCount() == 0;
    } else {
        GxContentBinaryWriter writer(file);
        ok = write(writer) && writer.GetErrorCount() == 0;
    }
    ok = std::fflush(file) == 0 && ok;
    ok = fsync(fileno(file)) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    if (ok && std::rename(temporary.c_str(), target.c_str()) == 0)
        return true;
    std::remove(temporary.c_str());
    LogError(u"Error/SaveContentFile/File write error:%s\n", path);
    return false;
}

}  // namespace gx
