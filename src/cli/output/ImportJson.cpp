#include "cli/output/ImportJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "import/IndexTags.h"
#include "import/InterfaceLists.h"
#include "import/ParsedStructures.h"

namespace velmora::cli {

namespace {

QString text(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

template <typename List>
QJsonArray array(const List& list)
{
    QJsonArray result;
    for (std::string_view entry : list)
        result.append(text(entry));
    return result;
}

} // namespace

QJsonObject structuresJson(const import::ParsedStructures& lists, const std::string& file)
try {
    const std::size_t structureCount = lists.Structure_Names.size();
    const std::size_t memberCount = lists.Member_Names.size();
    std::vector<QJsonObject> members(memberCount);
    std::vector<QJsonArray> flagsOfMember(memberCount);
    std::vector<QJsonArray> membersOfStructure(structureCount);
    std::vector<std::size_t> structureOfMember(memberCount);
    std::string description;
    for (std::size_t m = 0; m < memberCount; ++m) {
        structureOfMember[m] = import::MemberLink(lists.Member_Descriptions[m], structureCount, description);
        members[m] = QJsonObject{{QStringLiteral("name"), text(lists.Member_Names[m])},
                                 {QStringLiteral("type"), text(lists.Member_Types[m])},
                                 {QStringLiteral("description"), text(description)}};
    }
    for (std::size_t f = 0; f < lists.Flag_Names.size(); ++f) {
        const std::size_t m =
            import::FlagLink(lists.Flag_Descriptions[f], structureCount, memberCount, description).member;
        flagsOfMember[m].append(QJsonObject{{QStringLiteral("name"), text(lists.Flag_Names[f])},
                                            {QStringLiteral("description"), text(description)}});
    }
    for (std::size_t m = 0; m < memberCount; ++m) {
        members[m].insert(QStringLiteral("flags"), flagsOfMember[m]);
        membersOfStructure[structureOfMember[m]].append(members[m]);
    }
    QJsonArray structures;
    for (std::size_t s = 0; s < structureCount; ++s)
        structures.append(QJsonObject{{QStringLiteral("name"), text(lists.Structure_Names[s])},
                                      {QStringLiteral("description"), text(lists.Structure_Descriptions[s])},
                                      {QStringLiteral("members"), membersOfStructure[s]}});
    return {{QStringLiteral("kind"), QStringLiteral("Structures")},
            {QStringLiteral("file"), text(file)},
            {QStringLiteral("structures"), structures}};
} catch (const import::BrokenLinkError& error) {
    throw std::runtime_error(std::string("cannot write the parsed structures: ") + error.what());
}

QJsonObject interfacesJson(const import::InterfaceLists& lists, const std::string& file)
{
    const QJsonObject named{
        {QStringLiteral("Interface_Names"), array(lists.Interface_Names)},
        {QStringLiteral("Interface_Descriptions"), array(lists.Interface_Descriptions)},
        {QStringLiteral("Property_Names"), array(lists.Property_Names)},
        {QStringLiteral("Property_Descriptions"), array(lists.Property_Descriptions)},
        {QStringLiteral("Property_Return_Types"), array(lists.Property_Return_Types)},
        {QStringLiteral("Property_Return_Values"), array(lists.Property_Return_Values)},
        {QStringLiteral("Parameter_Types"), array(lists.Parameter_Types)},
        {QStringLiteral("Parameter_Type_Modifiers"), array(lists.Parameter_Type_Modifiers)},
        {QStringLiteral("Parameter_Names"), array(lists.Parameter_Names)},
        {QStringLiteral("Parameter_Descriptions"), array(lists.Parameter_Descriptions)},
        {QStringLiteral("Flag_Names"), array(lists.Flag_Names)},
        {QStringLiteral("Flag_Descriptions"), array(lists.Flag_Descriptions)},
    };
    return {{QStringLiteral("kind"), QStringLiteral("Interfaces")},
            {QStringLiteral("file"), text(file)},
            {QStringLiteral("interfaces"), named}};
}

void writeJsonFile(const QString& path, const QJsonObject& object)
{
    const QByteArray json = QJsonDocument(object).toJson();
    // A plain file rather than a save-and-rename one: the path may be a device
    // (/dev/stdout), which a rename would replace.
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(json) == json.size() && file.flush())
        return;
    const QString reason = file.errorString();
    // No half a document for a generator to trip over.
    if (file.isOpen() && QFileInfo(file).isFile())
        file.remove();
    throw std::runtime_error(QStringLiteral("cannot write %1: %2").arg(path, reason).toStdString());
}

} // namespace velmora::cli
