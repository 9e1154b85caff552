#pragma once

#include <array>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "base/gx_types.h"
#include "content/gx_text_lines.h"

// Base of every table row record (the tables return rows through it).
struct GxDBRecord {};

// Column type codes (the content value-type codes).
enum GxDBColumnType : int {
    DBCOLUMN_Int = 5,
    DBCOLUMN_UInt = 6,
    DBCOLUMN_Float = 9,
    DBCOLUMN_Text = 25,
};

// A tab-separated text table under data/: a fixed array of rows indexed by ID.
class GxDBBase {
public:
    virtual ~GxDBBase() = default;

    // The row of that ID; null outside 0 to capacity - 1.
    virtual const GxDBRecord* GetRow(int id) const = 0;
    virtual int GetMaxID() const = 0;
    // The columns (an array column counts as one).
    virtual int GetColumnCount() const = 0;
    virtual int GetCapacity() const = 0;
    // Reads the table file (UTF-8 or UTF-16LE with a byte-order mark, else the
    // ANSI code page). False when it cannot be read (the table is unchanged) or
    // an ID is out of range (the rows before it stay loaded).
    virtual bool Load(std::u16string_view path) = 0;
    // The address of that column's value in a row (the first element of an
    // array column); null for an unknown name or a row outside the table.
    virtual void* GetColumnPtr(int row, std::string_view column) = 0;
    // -1 for an unknown name.
    virtual int GetColumnIndex(std::string_view column) const = 0;
    // 0 for an unknown name.
    virtual int GetColumnType(std::string_view column) const = 0;
    // Extra element count of an array column (31 for 32 elements), else 0.
    virtual int GetColumnExtra(std::string_view column) const = 0;
};

namespace gx {

// A table field: a field that starts with a double or single quote becomes the
// text up to the next quote of the same kind that is not preceded by a
// backslash (the backslash stays); text after the closing quote is dropped.
std::u16string UnquoteTableField(std::u16string_view field);
// Integer columns: the engine's integer syntax (sign, 0x, 0b, leading 0 octal).
GxS32 ParseTableInt(const std::u16string& field);
// Float columns: a decimal float; text that is not a number gives 0.
GxF32 ParseTableFloat(const std::u16string& field);

}  // namespace gx

// One column of a table with row type Row: its name, type, extra element count
// and where its value lives in the row.
template <class Row>
struct GxDBColumn {
    using Member = std::variant<GxS32 Row::*, GxU32 Row::*, GxF32 Row::*, std::u16string Row::*,
                                std::array<std::u16string, 32> Row::*>;
    const char* name;
    Member member;

    int Type() const {
        static constexpr int kTypes[] = {DBCOLUMN_Int, DBCOLUMN_UInt, DBCOLUMN_Float, DBCOLUMN_Text,
                                         DBCOLUMN_Text};
        return kTypes[member.index()];
    }
    int Extra() const { return member.index() == 4 ? 31 : 0; }
};

// The common table: rows of type Row, `Capacity` of them, columns in file order
// (the first is the ID).
template <class Row, int Capacity>
class GxDBTable : public GxDBBase {
public:
    const Row* GetRow(int id) const override {
        return id >= 0 && id < Capacity ? &m_Rows[static_cast<size_t>(id)] : nullptr;
    }
    int GetMaxID() const override { return m_MaxID; }
    int GetColumnCount() const override { return static_cast<int>(m_Columns.size()); }
    int GetCapacity() const override { return Capacity; }

    bool Load(std::u16string_view path) override;
    // Loads already decoded lines of a table file (what Load does after reading).
    bool LoadLines(const std::vector<std::u16string>& lines);

    void* GetColumnPtr(int row, std::string_view column) override {
        const int index = GetColumnIndex(column);
        if (index < 0 || row < 0 || row >= Capacity)
            return nullptr;
        Row& record = m_Rows[static_cast<size_t>(row)];
        return std::visit(
            [&](auto member) -> void* {
                auto& value = record.*member;
                if constexpr (std::is_same_v<std::decay_t<decltype(value)>,
                                             std::array<std::u16string, 32>>) {
                    return value.data();
                } else {
                    return &value;
                }
            },
            m_Columns[static_cast<size_t>(index)].member);
    }
    int GetColumnIndex(std::string_view column) const override {
        for (size_t i = 0; i < m_Columns.size(); ++i) {
            if (column == m_Columns[i].name)
                return static_cast<int>(i);
        }
        return -1;
    }
    int GetColumnType(std::string_view column) const override {
        const int index = GetColumnIndex(column);
        return index < 0 ? 0 : m_Columns[static_cast<size_t>(index)].Type();
    }
    int GetColumnExtra(std::string_view column) const override {
        const int index = GetColumnIndex(column);
        return index < 0 ? 0 : m_Columns[static_cast<size_t>(index)].Extra();
    }

    // All rows, in ID order.
    const std::vector<Row>& GetRows() const { return m_Rows; }

protected:
    // `idOutOfRange` is the table's message, with %d for the ID.
    GxDBTable(std::span<const GxDBColumn<Row>> columns, const char16_t* idOutOfRange)
        : m_Columns(columns), m_IdOutOfRange(idOutOfRange), m_Rows(Capacity) {}

private:
    size_t FieldCount() const {
        size_t count = 0;
        for (const auto& column : m_Columns)
            count += 1 + static_cast<size_t>(column.Extra());
        return count;
    }
    void FillRow(Row& row, const std::vector<std::u16string>& fields) const;

    std::span<const GxDBColumn<Row>> m_Columns;
    const char16_t* m_IdOutOfRange;
    std::vector<Row> m_Rows;
    int m_MaxID = 0;
};

namespace gx {
// Splits each non-empty, non-comment line of a table file into exactly
// `fieldCount` unquoted fields.
std::vector<std::vector<std::u16string>> SplitTableLines(const std::vector<std::u16string>& lines,
                                                         size_t fieldCount);
// Logs the table's ID message (a format with %d) once.
void ReportTableIdOutOfRange(const char16_t* message, GxS32 id);
}  // namespace gx

template <class Row, int Capacity>
void GxDBTable<Row, Capacity>::FillRow(Row& row, const std::vector<std::u16string>& fields) const {
    size_t field = 0;
    for (const auto& column : m_Columns) {
        std::visit(
            [&](auto member) {
                auto& value = row.*member;
                using T = std::decay_t<decltype(value)>;
                if constexpr (std::is_same_v<T, GxS32>) {
                    value = gx::ParseTableInt(fields[field++]);
                } else if constexpr (std::is_same_v<T, GxU32>) {
                    value = static_cast<GxU32>(gx::ParseTableInt(fields[field++]));
                } else if constexpr (std::is_same_v<T, GxF32>) {
                    value = gx::ParseTableFloat(fields[field++]);
                } else if constexpr (std::is_same_v<T, std::u16string>) {
                    value = fields[field++];
                } else {
                    for (auto& element : value)
                        element = fields[field++];
                }
            },
            column.member);
    }
}

template <class Row, int Capacity>
bool GxDBTable<Row, Capacity>::Load(std::u16string_view path) {
    std::vector<std::u16string> lines;
    return LoadTextLines(lines, path, true) && LoadLines(lines);
}

template <class Row, int Capacity>
bool GxDBTable<Row, Capacity>::LoadLines(const std::vector<std::u16string>& lines) {
    for (const auto& fields : gx::SplitTableLines(lines, FieldCount())) {
        const GxS32 id = gx::ParseTableInt(fields[0]);
        if (id < 0 || id >= Capacity) {
            gx::ReportTableIdOutOfRange(m_IdOutOfRange, id);
            return false;
        }
        if (id > m_MaxID)
            m_MaxID = id;
        FillRow(m_Rows[static_cast<size_t>(id)], fields);
    }
    return true;
}
