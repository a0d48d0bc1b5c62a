#include "catalogue/DataSource.h"

#include <QPointer>

#include "catalogue/Table.h"

namespace velmora::catalogue {

DataSource::DataSource(Table& table, QObject* parent) : QObject(parent), table_(table)
{
    // The table may outlive its data source (or the other way round): the
    // guarded pointer keeps a late notification harmless.
    QPointer<DataSource> self(this);
    table_.setChangeListener([self] {
        if (self)
            emit self->currentRowChanged();
    });
}

} // namespace velmora::catalogue
