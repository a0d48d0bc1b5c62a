#include "catalogue/CatalogueSchema.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

#include "catalogue/CatalogueError.h"
#include "catalogue/CatalogueNames.h"
#include "catalogue/drivers/SqlConnection.h"
#include "catalogue/drivers/SqlDialect.h"
#include "catalogue/drivers/SqlErrors.h"

namespace velmora::catalogue {

namespace {

using Kind = CatalogueSchema::Kind;
constexpr int Name = CatalogueSchema::NameSize;

std::vector<CatalogueSchema::TableLayout> buildLayouts()
{
    return {
        {names::StructuresTable,
         QStringLiteral("Structure_Index"),
         {{QStringLiteral("Structure_Index"), Kind::Key, 0},
          {QStringLiteral("Foundation_Class_Index"), Kind::Integer, 0},
          {QStringLiteral("Structure_Name"), Kind::Text, Name},
          {QStringLiteral("Structure_Description"), Kind::Text, 0},
          {QStringLiteral("BCB_Name"), Kind::Text, Name},
          {QStringLiteral("BCB_Description"), Kind::Text, 0},
          {QStringLiteral("Conversion_Status"), Kind::Integer, 0}}},
        {names::MembersTable,
         QStringLiteral("Member_Index"),
         {{QStringLiteral("Member_Index"), Kind::Key, 0},
          {QStringLiteral("Foundation_Class_Index"), Kind::Integer, 0},
          {QStringLiteral("Structure_Index"), Kind::Integer, 0},
          {QStringLiteral("Member_Name"), Kind::Text, Name},
          {QStringLiteral("Member_Type"), Kind::Text, Name},
          {QStringLiteral("Member_Description"), Kind::Text, 0},
          {QStringLiteral("BCB_Name"), Kind::Text, Name},
          {QStringLiteral("BCB_Type"), Kind::Text, Name},
          {QStringLiteral("BCB_Description"), Kind::Text, 0},
          {QStringLiteral("Conversion_Status"), Kind::Integer, 0}}},
        {names::FlagsTable,
         QStringLiteral("Flag_Index"),
         {{QStringLiteral("Flag_Index"), Kind::Key, 0},
          {QStringLiteral("Foundation_Class_Index"), Kind::Integer, 0},
          {QStringLiteral("Structure_Index"), Kind::Integer, 0},
          {QStringLiteral("Member_Index"), Kind::Integer, 0},
          {QStringLiteral("Flag_Name"), Kind::Text, 0},   // the whole flag row, description included
          {QStringLiteral("Flag_Description"), Kind::Text, 0},
          {QStringLiteral("BCB_Description"), Kind::Text, 0},
          {QStringLiteral("Conversion_Status"), Kind::Integer, 0}}},
        {names::FoundationClassesTable,
         QStringLiteral("Foundation_Class_Index"),
         {{QStringLiteral("Foundation_Class_Index"), Kind::Key, 0},
          {QStringLiteral("Foundation_Class_Name"), Kind::Text, Name}}},
    };
}

QString columnDefinition(const CatalogueSchema::Field& field, const QString& table, const SqlDialect& dialect)
{
    switch (field.kind) {
    case Kind::Key:
        // Foundation classes are seeded with fixed numbers; the others count from 1, never reused.
        return field.name + QLatin1Char(' ')
            + (table == names::FoundationClassesTable ? dialect.fixedKey : dialect.generatedKey);
    case Kind::Integer:
        return field.name + QStringLiteral(" INTEGER");
    case Kind::Text:
        return field.name + QStringLiteral(" TEXT");
    }
    return field.name;
}

} // namespace

const std::vector<CatalogueSchema::TableLayout>& CatalogueSchema::tables()
{
    static const std::vector<TableLayout> layouts = buildLayouts();
    return layouts;
}

const std::vector<CatalogueSchema::IndexLayout>& CatalogueSchema::indexes()
{
    // Both index field lists of each table begin with its unique number, so the
    // primary key already keeps them in order. These serve the lookups and lists;
    // the structure and member lists read their whole rows from the index alone.
    static const std::vector<IndexLayout> list = {
        {QStringLiteral("Structures_By_Name"), names::StructuresTable, QStringLiteral("Structure_Name"), false},
        {QStringLiteral("Structures_By_Class_Name"), names::StructuresTable,
         QStringLiteral("Foundation_Class_Index, Structure_Name, Structure_Index, BCB_Name"), false},
        {QStringLiteral("Members_By_Structure_Name"), names::MembersTable,
         QStringLiteral("Structure_Index, Member_Name, Member_Index, BCB_Name"), false},
        {QStringLiteral("Flags_By_Member_Name"), names::FlagsTable, QStringLiteral("Member_Index, Flag_Name"), false},
        {QStringLiteral("Foundation_Classes_By_Name"), names::FoundationClassesTable,
         QStringLiteral("Foundation_Class_Name"), true},
    };
    return list;
}

const CatalogueSchema::TableLayout* CatalogueSchema::table(const QString& name)
{
    for (const TableLayout& layout : tables())
        if (layout.name == name)
            return &layout;
    return nullptr;
}

int CatalogueSchema::fieldSize(const QString& tableName, const QString& fieldName)
{
    if (const TableLayout* layout = table(tableName))
        for (const Field& field : layout->fields)
            if (field.name == fieldName)
                return field.size;
    return 0;
}

QString CatalogueSchema::spelling(const QString& tableName, const QString& fieldName)
{
    if (const TableLayout* layout = table(tableName))
        for (const Field& field : layout->fields)
            if (field.name.compare(fieldName, Qt::CaseInsensitive) == 0)
                return field.name;
    return fieldName;
}

const QStringList& CatalogueSchema::foundationClassNames()
{
    static const QStringList classes = {
        QStringLiteral("DirectDraw"),  QStringLiteral("DirectSound"),
        QStringLiteral("DirectInput"), QStringLiteral("DirectPlay"),
        QStringLiteral("DirectSetup"), QStringLiteral("Direct3D Immediate Mode"),
        QStringLiteral("Direct3D Retained Mode"),
    };
    return classes;
}

QStringList CatalogueSchema::createStatements(const SqlDialect& dialect)
{
    QStringList statements;
    for (const TableLayout& layout : tables()) {
        QStringList columns;
        for (const Field& field : layout.fields)
            columns << columnDefinition(field, layout.name, dialect);
        statements << QStringLiteral("CREATE TABLE %1 (%2)").arg(layout.name, columns.join(QStringLiteral(", ")));
    }
    for (const IndexLayout& index : indexes())
        statements << QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                          .arg(index.unique ? QStringLiteral("UNIQUE ") : QString(), index.name, index.table,
                               index.fields);
    return statements;
}

void CatalogueSchema::create(QSqlDatabase& db)
{
    if (!db.transaction())
        throwSqlError(QStringLiteral("Cannot create the catalogue"), db);
    try {
        QSqlQuery query(db);
        for (const QString& statement : createStatements(SqlDialect::forDriver(db.driverName())))
            if (!query.exec(statement))
                throwSqlError(QStringLiteral("Cannot create the catalogue"), query);
        if (!query.prepare(QStringLiteral("INSERT INTO Foundation_Classes (Foundation_Class_Index, Foundation_Class_Name) "
                                          "VALUES (?, ?)")))
            throwSqlError(QStringLiteral("Cannot create the catalogue"), query);
        int number = 1;
        for (const QString& name : foundationClassNames()) {
            query.bindValue(0, number++);
            query.bindValue(1, name);
            if (!query.exec())
                throwSqlError(QStringLiteral("Cannot create the catalogue"), query);
        }
        query.finish();
        if (!db.commit())
            throwSqlError(QStringLiteral("Cannot create the catalogue"), db);
    } catch (...) {
        db.rollback();
        throw;
    }
}

bool CatalogueSchema::isBlank(const QSqlDatabase& db)
{
    const SqlDialect& dialect = SqlDialect::of(db);
    const QStringList present = dialect.presentTables(db);
    if (dialect.databaseIsFile)
        return present.isEmpty();
    // A server database holds other things too; it is blank when none of ours is there.
    for (const TableLayout& layout : tables())
        if (present.contains(layout.name.toLower()))
            return false;
    return true;
}

void CatalogueSchema::check(const QSqlDatabase& db, const QString& label)
{
    QString damage = missingPart(db, label);
    if (damage.isEmpty())
        damage = fileShortfall(db);
    if (!damage.isEmpty())
        throw CatalogueError::damaged(QStringLiteral("Cannot use the catalogue %1").arg(label), damage);
}

QString CatalogueSchema::missingPart(const QSqlDatabase& db, const QString& label)
{
    const QStringList present = SqlDialect::of(db).presentTables(db);   // empty too when the file cannot be read
    if (!SqlDialect::of(db).databaseIsFile && isBlank(db))
        throw CatalogueError::missing(QStringLiteral("The database %1 holds no catalogue: none of its tables is "
                                                     "there; set it up with `velmora-cli init --postgres`")
                                          .arg(label));
    for (const TableLayout& layout : tables()) {
        QStringList fields;
        for (const Field& field : layout.fields)
            fields << field.name;
        QSqlQuery probe(db);
        if (probe.exec(QStringLiteral("SELECT %1 FROM %2 WHERE 1 = 0").arg(fields.join(QStringLiteral(", ")), layout.name)))
            continue;
        const QSqlError error = probe.lastError();
        const QSqlDriver* driver = probe.driver();
        // A lock or a lost server says nothing of what the catalogue holds.
        const CatalogueError fault =
            sqlError(QStringLiteral("The catalogue %1 cannot be read").arg(label), error, driver);
        if (fault.fault() == CatalogueFault::Locked || fault.fault() == CatalogueFault::ConnectionLost)
            throw fault;
        if (present.contains(layout.name.toLower())) {
            QSqlQuery columns(db);
            columns.exec(QStringLiteral("SELECT * FROM %1 WHERE 1 = 0").arg(layout.name));
            const QSqlRecord record = columns.record();
            for (const QString& field : fields)
                if (!record.contains(field))
                    return QStringLiteral("the table %1 has no field %2").arg(layout.name, field);
            throwSqlError(QStringLiteral("Cannot read the table %1 of the catalogue %2").arg(layout.name, label),
                          error, driver);
        }
        if (!present.isEmpty())
            return QStringLiteral("the table %1 is missing").arg(layout.name);
        throwSqlError(QStringLiteral("The catalogue %1 cannot be read").arg(label), error, driver);
    }
    return {};
}

} // namespace velmora::catalogue
