#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

namespace velmora::catalogue {
class Query;
}

namespace velmora::browser {

// One level's rows: the texts for the view page's list and, in the same
// order, those for the edit page's list.
struct ListRows {
    QStringList view;
    QStringList edit;
};

// The selects behind the three lists, set on the scratch query, which is
// closed again before each returns. Equal names keep their number order so
// that the two pages stay parallel from one refill to the next.
class ListQueries {
public:
    explicit ListQueries(catalogue::Query& query) : query_(query) {}

    // Structures of the foundation class whose page carries this caption.
    ListRows structures(const QString& foundationClassCaption);
    ListRows members(int structureIndex);
    ListRows flags(int memberIndex);

private:
    ListRows collect(const QString& placeholder, const QVariant& value, const QString& viewField,
                     const QString& editField);
    QString byteOrder(const QString& column) const;

    catalogue::Query& query_;
};

} // namespace velmora::browser
