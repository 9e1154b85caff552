#pragma once

#include <functional>
#include <memory>
#include <string>

#include "base/gx_bin_buffer.h"
#include "content/gx_content_reader.h"
#include "content/gx_content_writer.h"

// Choosing the form of a content stream and saving content files safely.
namespace gx {

enum class ContentForm { Binary, Text };

// A stream whose first byte is 'T' is in the text form, anything else binary.
ContentForm DetectContentForm(const GxBinBuffer& buffer);
// A reader of the matching form over the buffer, which must outlive it.
std::unique_ptr<GxContentReaderBase> CreateContentReader(const GxBinBuffer& buffer);
// The header tag of the form: `binaryTag` ("BGD") with its 'B' turned into 'T'
// for the text form.
std::string ContentTagForForm(const char* binaryTag, ContentForm form);
// Detects the form, creates the reader and reads the header with the tag of that
// form; null (after the reader's message) when the header does not match.
std::unique_ptr<GxContentReaderBase> OpenContentReader(const GxBinBuffer& buffer,
                                                       const char* binaryTag, GxU32* version);

// The header tag stored at the start of a stream of either form, without
// checking it against anything (for tools); empty when there is none.
std::string PeekContentHeaderTag(const GxBinBuffer& buffer);

// Writes a content file through `write` into a temporary file beside `path` and
// renames it over `path` only when `write` returned true, the writer counted no
// failed write and the file was flushed and closed cleanly. On failure the old
// file stays untouched, the temporary file is removed and one error is logged.
bool SaveContentFile(const std::u16string& path, ContentForm form,
                     const std::function<bool(GxContentWriterBase&)>& write);

}  // namespace gx
