#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "base/gx_bin_buffer.h"
#include "content/gx_content_any_value.h"
#include "content/gx_content_reader.h"

namespace gx {

// One line of a dump: the type name, "name=NAME" where the form has one, then
// the value ("GxS32 name=m_X -5", "ListBegin 3", "GxBinary size=2 0aff").
std::string FormatAnyValue(const GxAnyValue& value);

// The reader for a stream without a header: text when it starts like a value
// line (two hexadecimal digits and a TAB), else binary.
std::unique_ptr<GxContentReaderBase> CreateHeaderlessReader(const GxBinBuffer& buffer);

// Prints every value of the stream to `out`, the header first unless
// `withHeader` is false. False (with `error` set when the reader logged
// nothing) on a damaged stream.
bool DumpContent(const GxBinBuffer& buffer, bool withHeader, FILE* out, std::string& error);

// Reads the header of a stream of either form, whatever its tag.
bool ReadAnyHeader(GxContentReaderBase& reader, const GxBinBuffer& buffer, std::string& tag,
                   GxU32& version);

}  // namespace gx
