#pragma once

#include <QObject>

namespace velmora::catalogue {

class Table;

// Binds data-aware controls to a table: tells them when the current row (or
// the table's state) changes so that they show it again.
class DataSource : public QObject {
    Q_OBJECT
public:
    explicit DataSource(Table& table, QObject* parent = nullptr);
    Table& table() const { return table_; }

signals:
    void currentRowChanged();   // opened, closed, moved, refreshed, insert started, posted

private:
    Table& table_;
};

} // namespace velmora::catalogue
