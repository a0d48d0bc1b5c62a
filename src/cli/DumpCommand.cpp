#include "cli/DumpCommand.h"

#include <QCommandLineParser>
#include <ostream>

#include "catalogue/CatalogueError.h"
#include "catalogue/CatalogueNames.h"
#include "catalogue/CatalogueSchema.h"
#include "catalogue/Database.h"
#include "catalogue/Query.h"

namespace velmora::cli {

namespace {

using catalogue::CatalogueError;
using catalogue::CatalogueSchema;
namespace names = catalogue::names;

// One value per cell and one row per line, whatever the text holds.
std::string escaped(const QString& value)
{
    std::string out;
    const std::string utf8 = value.toStdString();
    out.reserve(utf8.size());
    for (const char c : utf8) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out;
}

void dumpTable(catalogue::Database& db, const CatalogueSchema::TableLayout& layout, std::ostream& out)
{
    catalogue::Query query(db);
    query.addLine(QStringLiteral(" select * from %1 ").arg(layout.name));
    query.addLine(QStringLiteral(" order by %1 ").arg(layout.keyField));
    query.open();
    QStringList fields;
    for (const QString& field : query.fieldNames())
        fields << CatalogueSchema::spelling(layout.name, field);   // as the catalogue spells it, on every driver
    std::string line;
    for (int i = 0; i < fields.size(); ++i) {
        if (i)
            line += '\t';
        line += fields[i].toStdString();
    }
    out << line << '\n';
    for (; !query.eof(); query.next()) {
        line.clear();
        for (int i = 0; i < fields.size(); ++i) {
            if (i)
                line += '\t';
            line += escaped(query.fieldAsString(fields[i]));
        }
        out << line << '\n';
    }
    query.close();
}

const QString TableChoice =
    QStringLiteral("TABLE is one of Structures, Structure_Members, Structure_Member_Flags, Foundation_Classes");

const CatalogueSchema::TableLayout* tableNamed(std::string name)
{
    if (name.ends_with(".DB"))
        name.resize(name.size() - 3);
    return CatalogueSchema::table(QString::fromStdString(name));
}

} // namespace

QString DumpCommand::summary() const
{
    return QStringLiteral("print catalogue tables as tab-separated rows");
}

QString DumpCommand::description() const
{
    return QStringLiteral("Prints a catalogue table as tab-separated rows with a header row, in key order; without "
                          "TABLE the tables Structures, Structure_Members and Structure_Member_Flags, separated by "
                          "an empty line. Tabs, line breaks and backslashes in values are written as \\t, \\n, "
                          "\\r and \\\\.");
}

QList<CommandArgument> DumpCommand::arguments() const
{
    return {{QStringLiteral("TABLE"), TableChoice, CommandArgument::Arity::Optional}};
}

int DumpCommand::run(const QCommandLineParser& parser, CommandContext& context)
{
    std::ostream& out = context.out;
    std::vector<const CatalogueSchema::TableLayout*> tables;
    const QStringList words = parser.positionalArguments();
    if (words.isEmpty()) {
        for (const QString& name : {names::StructuresTable, names::MembersTable, names::FlagsTable})
            tables.push_back(CatalogueSchema::table(name));
    } else if (const CatalogueSchema::TableLayout* table = tableNamed(words.first().toStdString())) {
        tables.push_back(table);
    } else {
        return fail(context, QStringLiteral("unknown table '%1'; %2").arg(words.first(), TableChoice));
    }
    try {
        catalogue::Database db(names::Alias, names::DatabaseName);
        db.setConnected(true);
        for (std::size_t i = 0; i < tables.size(); ++i) {
            if (i)
                out << '\n';
            dumpTable(db, *tables[i], out);
        }
        out.flush();
        return 0;
    } catch (const CatalogueError& error) {
        return fail(context, QString::fromUtf8(error.what()));
    }
}

} // namespace velmora::cli
