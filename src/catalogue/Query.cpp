#include "catalogue/Query.h"

#include <QSqlQuery>
#include <QSqlRecord>

#include "catalogue/CatalogueError.h"
#include "catalogue/Database.h"
#include "catalogue/FieldValue.h"
#include "catalogue/drivers/SqlDialect.h"
#include "catalogue/drivers/SqlErrors.h"
#include "catalogue/drivers/SqliteTextReader.h"

namespace velmora::catalogue {

Query::Query(Database& database) : db_(&database)
{
    db_->attach(this, [this](bool gone) { release(gone); });
}

Query::~Query()
{
    if (db_)
        db_->detach(this);
}

void Query::release(bool databaseGone)
{
    query_.reset();
    preparedText_.clear();
    active_ = false;
    hasRow_ = false;
    if (databaseGone)
        db_ = nullptr;
}

void Query::close()
{
    if (query_)
        query_->finish();   // no read lock outlives the query
    active_ = false;
    hasRow_ = false;
    atFirst_ = false;
}

void Query::clearSql()
{
    close();
    lines_.clear();
    bindings_.clear();
}

void Query::addLine(const QString& line)
{
    close();
    lines_ << line;
}

void Query::bindValue(const QString& placeholder, const QVariant& value)
{
    bindings_[placeholder] = value;
}

QString Query::sqlText() const
{
    return lines_.join(QLatin1Char('\n'));
}

const SqlDialect& Query::dialect() const
{
    if (!db_)
        throw CatalogueError(QStringLiteral("The query has lost its database"));
    return SqlDialect::of(db_->handle());
}

void Query::run()
{
    if (!query_->exec())
        throwSqlError(QStringLiteral("The query failed"), *query_);
    columns_ = query_->record();
    hasRow_ = query_->next();
    if (!hasRow_ && query_->lastError().isValid())
        throwSqlError(QStringLiteral("The query failed"), *query_);
    atFirst_ = true;
}

void Query::open()
{
    if (active_)
        return;
    if (!db_)
        throw CatalogueError(QStringLiteral("The query has lost its database"));
    const QString text = sqlText();
    if (!query_ || text != preparedText_) {
        query_ = std::make_unique<QSqlQuery>(db_->handle());
        query_->setForwardOnly(true);
        preparedText_.clear();
        if (!query_->prepare(text))
            throwSqlError(QStringLiteral("The query failed"), *query_);
        preparedText_ = text;
    }
    for (const auto& [placeholder, value] : bindings_)
        query_->bindValue(placeholder, value);
    run();
    active_ = true;
}

void Query::first()
{
    if (!active_)
        throw CatalogueError(QStringLiteral("Cannot move to the first row: the query is not open"));
    if (!atFirst_)
        run();   // forward only: start over
}

void Query::next()
{
    if (!active_)
        throw CatalogueError(QStringLiteral("Cannot move to the next row: the query is not open"));
    if (!hasRow_)
        return;
    hasRow_ = query_->next();
    atFirst_ = false;
    if (!hasRow_ && query_->lastError().isValid())
        throwSqlError(QStringLiteral("The query failed"), *query_);
}

bool Query::eof() const
{
    return !hasRow_;
}

bool Query::active() const
{
    return active_;
}

QVariant Query::fieldValue(const QString& field) const
{
    if (!active_)
        throw CatalogueError(QStringLiteral("Cannot read the field %1: the query is not open").arg(field));
    const int position = columns_.indexOf(field);
    if (position < 0)
        throw CatalogueError(QStringLiteral("The query has no field %1").arg(field));
    return hasRow_ ? query_->value(position) : QVariant();
}

long long Query::fieldAsInteger(const QString& field) const
{
    return integerFieldValue(fieldValue(field), field);
}

QString Query::fieldAsString(const QString& field) const
{
    const QVariant v = fieldValue(field);
    return v.isNull() ? QString() : v.toString();
}

QList<QStringList> Query::readTexts(const QStringList& fields)
{
    close();
    if (!db_)
        throw CatalogueError(QStringLiteral("The query has lost its database"));
    if (sqlite3* connection = SqliteTextReader::connectionOf(db_->handle())) {
        SqliteTextReader::Bindings bindings;
        for (const auto& [placeholder, value] : bindings_)
            bindings.append({placeholder, value});
        return SqliteTextReader::read(connection, sqlText(), bindings, fields);
    }
    QList<QStringList> texts(fields.size());
    open();
    first();
    while (!eof()) {
        for (qsizetype i = 0; i < fields.size(); ++i)
            texts[i].append(fieldAsString(fields[i]));
        next();
    }
    close();
    return texts;
}

QStringList Query::fieldNames() const
{
    QStringList names;
    if (!active_)
        return names;
    for (int i = 0; i < columns_.count(); ++i)
        names << columns_.fieldName(i);
    return names;
}

} // namespace velmora::catalogue
