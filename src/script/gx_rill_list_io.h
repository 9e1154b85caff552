#pragma once

#include <algorithm>
#include <memory>
#include <vector>

#include "content/gx_content_reader.h"
#include "content/gx_content_writer.h"

// Content lists of the compiled script file. A count is never trusted for
// memory: elements are added one by one and reading stops at the first error,
// so a damaged count costs no more than the bytes that are really there.
template <class T>
bool WriteRillList(GxContentWriterBase& writer, const char* name, const char* typeName,
                   const std::vector<T>& items) {
    writer.WriteListBegin(name, typeName, static_cast<GxU32>(items.size()));
    for (const T& item : items) {
        writer.WriteListItemBegin();
        item.Write(writer);
        writer.WriteListItemEnd();
    }
    writer.WriteListEnd();
    return writer.GetErrorCount() == 0;
}

// Reads `count` elements, handing each to `take`; false on the first error.
template <class T, class Take>
bool ReadRillListWith(GxContentReaderBase& reader, const char* name, Take take) {
    GxU32 count = 0;
    if (!reader.ReadListBegin(name, &count) || reader.GetErrorCount() != 0)
        return false;
    for (GxU32 i = 0; i < count; ++i) {
        T item;
        reader.ReadListItemBegin();
        if (!item.Read(reader))
            return false;
        reader.ReadListItemEnd();
        if (reader.GetErrorCount() != 0)
            return false;
        take(std::move(item));
    }
    reader.ReadListEnd();
    return reader.GetErrorCount() == 0;
}

template <class T>
bool ReadRillList(GxContentReaderBase& reader, const char* name, std::vector<T>& items) {
    items.clear();
    return ReadRillListWith<T>(reader, name, [&](T&& item) { items.push_back(std::move(item)); });
}

// A name-to-owned-element map written as a list of its elements.
template <class Map>
bool WriteRillMapList(GxContentWriterBase& writer, const char* name, const char* typeName,
                      const Map& items) {
    writer.WriteListBegin(name, typeName, static_cast<GxU32>(items.size()));
    for (const auto& [key, item] : items) {
        writer.WriteListItemBegin();
        item->Write(writer);
        writer.WriteListItemEnd();
    }
    writer.WriteListEnd();
    return writer.GetErrorCount() == 0;
}

// Label maps are written as "m_pLabelDefine" lists; the first label of a name wins.
template <class Map>
bool WriteRillLabelList(GxContentWriterBase& writer, const Map& labels) {
    return WriteRillMapList(writer, "m_pLabelDefine", "GxRillLabelDefinition", labels);
}

template <class Map>
bool ReadRillLabelList(GxContentReaderBase& reader, Map& labels) {
    using Label = typename Map::mapped_type::element_type;
    return ReadRillListWith<Label>(reader, "m_pLabelDefine", [&](Label&& label) {
        std::u16string key = label.m_Name;
        labels.try_emplace(std::move(key), std::make_unique<Label>(std::move(label)));
    });
}
