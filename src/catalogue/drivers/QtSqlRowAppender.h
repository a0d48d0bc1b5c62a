#pragma once

#include <QSqlQuery>
#include <QString>
#include <QStringList>

#include "catalogue/drivers/RowAppender.h"

namespace velmora::catalogue {

// The driver-neutral appender: a positional prepared QSqlQuery.
class QtSqlRowAppender : public RowAppender {
public:
    QtSqlRowAppender(const QSqlDatabase& db, const QString& table, const QString& keyField, const QStringList& columns);

    void setInteger(int column, long long value) override;
    void setText(int column, std::string_view utf8) override;
    long long append() override;

private:
    QSqlDatabase db_;
    QString table_;
    QString keyField_;
    QSqlQuery insert_;
};

} // namespace velmora::catalogue
