#pragma once

#include <string_view>

#include "text/RowStore.h"

namespace velmora::import {

class DefinitionScope;
class ImportObserver;

// The rows of the file being imported (Import_Rows) and the cursor over them
// (Current_Row_Index). Every row the cursor lands on is traced.
class RowBuffer {
public:
    explicit RowBuffer(ImportObserver& observer);

    void Clear();                                  // no rows, cursor 0
    void Assign(text::RowStore rows); // replaces the rows, cursor unchanged

    // The row n that a "Row #n: '<row>'" trace line names, or -1 for any other line.
    static int RowNamedByTraceLine(std::string_view line);

    // Traces "Row #n: '<row>'" when n names a row, then moves the cursor to n
    // (also past the end, then without a trace line).
    void SetRow(int n);
    void NextRow() { SetRow(Current_Row_Index + 1); }
    // The row under the cursor, or the empty text past the end; valid until
    // the rows change. Never fails.
    std::string_view RowRef() const { return currentRow_; }
    // Row n, or the empty text outside the rows.
    std::string_view RowView(int n) const;

    int Current() const { return Current_Row_Index; }
    // The 1-based file line of row n, or 0 outside the rows.
    std::size_t LineOf(int n) const { return n >= 0 ? Import_Rows.LineOfRow(static_cast<std::size_t>(n)) : 0; }
    int Count() const { return static_cast<int>(Import_Rows.Count()); }
    bool AtOrPastEnd() const { return Current_Row_Index >= Count(); }

    // The innermost definition being read, or null (see DefinitionScope).
    const DefinitionScope* OpenDefinition() const { return openDefinition_; }
    void SetOpenDefinition(const DefinitionScope* scope) { openDefinition_ = scope; }

private:
    ImportObserver& observer_;
    text::RowStore Import_Rows;
    int Current_Row_Index = 0;
    std::string_view currentRow_;  // RowView(Current_Row_Index), asked for many times a row
    const DefinitionScope* openDefinition_ = nullptr;
};

} // namespace velmora::import
