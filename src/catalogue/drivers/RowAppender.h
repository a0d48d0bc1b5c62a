#pragma once

#include <string_view>

namespace velmora::catalogue {

// Appends many new rows to one table; a bulk writer's alternative to a Table
// cursor. Every row sets every column, by its position in the column list;
// texts are UTF-8 and must stay valid until append(). The key column is left
// out and comes back from append(). Rows may reach the database only at
// finish(), which the caller runs before it reads the table again. Runs inside
// the caller's transaction. An appender must go before its database disconnects.
// openRowAppender (RowAppenderFactory.h) picks the one for the driver.
class RowAppender {
public:
    virtual ~RowAppender() = default;
    virtual void setInteger(int column, long long value) = 0;
    virtual void setText(int column, std::string_view utf8) = 0;
    // Writes the row and returns the key it received. Throws CatalogueError
    // "Cannot write to the table T: driver message".
    virtual long long append() = 0;
    // Writes what append() has gathered. Throws as append() does.
    virtual void finish() {}
};

} // namespace velmora::catalogue
