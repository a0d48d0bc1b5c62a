#include "cli/DumpCommand.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <csv.h>
#include <ostream>
#include <vector>

#include "catalogue/CatalogueNames.h"
#include "catalogue/CatalogueSchema.h"
#include "catalogue/Database.h"
#include "catalogue/Query.h"
#include "catalogue/TabSeparatedText.h"

namespace velmora::cli {

namespace {

using catalogue::CatalogueSchema;
namespace names = catalogue::names;

// One value per cell and one row per line, whatever the text holds.
std::string escaped(const QString& value)
{
    std::string out;
    const std::string utf8 = value.toStdString();
    out.reserve(utf8.size());
    catalogue::appendTabEscaped(out, utf8);
    return out;
}

// Runs through the table in key order: header(fields) once, then row(query)
// on each row.
template <typename Header, typename Row>
void forEachRow(catalogue::Database& db, const CatalogueSchema::TableLayout& layout, Header header, Row row)
{
    catalogue::Query query(db);
    query.addLine(QStringLiteral(" select * from %1 ").arg(layout.name));
    query.addLine(QStringLiteral(" order by %1 ").arg(layout.keyField));
    query.open();
    QStringList fields;
    for (const QString& field : query.fieldNames())
        fields << CatalogueSchema::spelling(layout.name, field);   // as the catalogue spells it, on every driver
    header(fields);
    for (; !query.eof(); query.next())
        row(query);
    query.close();
}

void writeTsv(catalogue::Database& db, const CatalogueSchema::TableLayout& layout, std::ostream& out)
{
    QStringList fields;
    std::string line;
    forEachRow(
        db, layout,
        [&](const QStringList& names) {
            fields = names;
            out << names.join(QLatin1Char('\t')).toStdString() << '\n';
        },
        [&](const catalogue::Query& query) {
            line.clear();
            for (int i = 0; i < fields.size(); ++i) {
                if (i)
                    line += '\t';
                line += escaped(query.fieldAsString(fields[i]));
            }
            out << line << '\n';
        });
}

// RFC 4180: every field quoted (quotes doubled inside), CR LF after each record.
void writeCsvRecord(const QStringList& values, std::ostream& out)
{
    std::string record;
    std::vector<char> quoted;
    for (qsizetype i = 0; i < values.size(); ++i) {
        const std::string utf8 = values[i].toStdString();
        quoted.resize(utf8.size() * 2 + 2);
        if (i)
            record += ',';
        record.append(quoted.data(), csv_write(quoted.data(), quoted.size(), utf8.data(), utf8.size()));
    }
    out << record << "\r\n";
}

void writeCsv(catalogue::Database& db, const CatalogueSchema::TableLayout& layout, std::ostream& out)
{
    QStringList fields;
    forEachRow(
        db, layout,
        [&](const QStringList& names) {
            fields = names;
            writeCsvRecord(names, out);
        },
        [&](const catalogue::Query& query) {
            QStringList values;
            for (const QString& field : fields)
                values << query.fieldAsString(field);
            writeCsvRecord(values, out);
        });
}

QJsonArray jsonRows(catalogue::Database& db, const CatalogueSchema::TableLayout& layout)
{
    QStringList fields;
    QJsonArray rows;
    forEachRow(
        db, layout, [&](const QStringList& names) { fields = names; },
        [&](const catalogue::Query& query) {
            QJsonObject row;
            for (const QString& field : fields) {
                const QVariant value = query.fieldValue(field);
                row.insert(field, value.isNull() ? QJsonValue(QJsonValue::Null) : QJsonValue::fromVariant(value));
            }
            rows.append(row);
        });
    return rows;
}

const QString TableChoice =
    QStringLiteral("TABLE is one of Structures, Structure_Members, Structure_Member_Flags, Foundation_Classes");

const QCommandLineOption FormatOption(
    QStringLiteral("format"),
    QStringLiteral("tsv (the default), csv (RFC 4180: every field quoted, CR LF line ends, an empty line between "
                   "tables) or json (one object whose keys are the table names, each an array of row objects; "
                   "NULL as null, text as UTF-8)."),
    QStringLiteral("FORMAT"), QStringLiteral("tsv"));

const CatalogueSchema::TableLayout* tableNamed(std::string name)
{
    if (name.ends_with(".DB"))
        name.resize(name.size() - 3);
    return CatalogueSchema::table(QString::fromStdString(name));
}

} // namespace

QString DumpCommand::summary() const
{
    return QStringLiteral("print catalogue tables as tab-separated rows, CSV or JSON");
}

QString DumpCommand::description() const
{
    return QStringLiteral("Prints a catalogue table as rows with a header row, in key order; without "
                          "TABLE the tables Structures, Structure_Members and Structure_Member_Flags, separated by "
                          "an empty line. In the default tab-separated form, tabs, line breaks and backslashes in "
                          "values are written as \\t, \\n, \\r and \\\\.");
}

QList<QCommandLineOption> DumpCommand::options() const
{
    return {FormatOption};
}

QList<CommandArgument> DumpCommand::arguments() const
{
    return {{QStringLiteral("TABLE"), TableChoice, CommandArgument::Arity::Optional}};
}

QString DumpCommand::mistake(const QCommandLineParser& parser) const
{
    const QStringList words = parser.positionalArguments();
    if (!words.isEmpty() && !tableNamed(words.first().toStdString()))
        return QStringLiteral("unknown table '%1'; %2").arg(words.first(), TableChoice);
    const QString format = parser.value(FormatOption);
    if (!QStringList{QStringLiteral("tsv"), QStringLiteral("csv"), QStringLiteral("json")}.contains(format))
        return QStringLiteral("unknown format '%1'; FORMAT is one of tsv, csv, json").arg(format);
    return {};
}

int DumpCommand::runOn(OpenCatalogue& catalogue, const QCommandLineParser& parser, CommandContext& context)
{
    std::ostream& out = context.out;
    std::vector<const CatalogueSchema::TableLayout*> tables;
    const QStringList words = parser.positionalArguments();
    if (words.isEmpty()) {
        for (const QString& name : {names::StructuresTable, names::MembersTable, names::FlagsTable})
            tables.push_back(CatalogueSchema::table(name));
    } else {
        tables.push_back(tableNamed(words.first().toStdString()));
    }
    catalogue::Database& db = catalogue.tables.database;
    const QString format = parser.value(FormatOption);
    if (format == QStringLiteral("json")) {
        QJsonObject all;
        for (const CatalogueSchema::TableLayout* table : tables)
            all.insert(table->name, jsonRows(db, *table));
        out << QJsonDocument(all).toJson(QJsonDocument::Indented).toStdString();
        return 0;
    }
    const bool csv = format == QStringLiteral("csv");
    for (std::size_t i = 0; i < tables.size(); ++i) {
        if (i)
            out << (csv ? "\r\n" : "\n");
        if (csv)
            writeCsv(db, *tables[i], out);
        else
            writeTsv(db, *tables[i], out);
    }
    return 0;
}

} // namespace velmora::cli
