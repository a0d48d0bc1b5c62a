#pragma once

#include <string>
#include <vector>

namespace velmora::import {

class ImportObserver;

// The rows of the file being imported (Import_Rows) and the cursor over them
// (Current_Row_Index). Every row the cursor lands on is traced.
class RowBuffer {
public:
    explicit RowBuffer(ImportObserver& observer);

    void Clear();                                  // no rows, cursor 0
    void Assign(std::vector<std::string> rows);    // replaces the rows, cursor unchanged

    // Traces "Row #n: '<row>'" when n names a row, then moves the cursor to n
    // (also past the end, then without a trace line).
    void SetRow(int n);
    void NextRow() { SetRow(Current_Row_Index + 1); }
    // The row under the cursor, or the empty text past the end. Never fails.
    std::string GetRow() const;
    const std::string& RowRef() const;             // same as GetRow() without the copy
    const std::string& RowAt(int n) const;         // row n, or the empty text outside the rows

    int Current() const { return Current_Row_Index; }
    int Count() const { return static_cast<int>(Import_Rows.size()); }
    bool AtOrPastEnd() const { return Current_Row_Index >= Count(); }
    const std::vector<std::string>& Rows() const { return Import_Rows; }

private:
    ImportObserver& observer_;
    std::vector<std::string> Import_Rows;
    int Current_Row_Index = 0;
};

} // namespace velmora::import
