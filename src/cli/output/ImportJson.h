#pragma once

#include <QJsonObject>
#include <QString>
#include <string>

namespace velmora::import {
struct InterfaceLists;
struct ParsedStructures;
} // namespace velmora::import

namespace velmora::cli {

// What an import parsed, as one JSON object for programs that generate code
// from it: "kind" (the file's type row), "file" (as the user named it) and the
// lists.
//
// Structures: "structures", each with its name and description and its
// "members" (name, type, description, "flags" of name and description), nested
// by the tags the parser wrote into the descriptions.
QJsonObject structuresJson(const import::ParsedStructures& lists, const std::string& file);
// Interfaces: "interfaces", an object of the parser's lists by their names,
// each an array in parse order with its entries as the parser keeps them.
QJsonObject interfacesJson(const import::InterfaceLists& lists, const std::string& file);

// Writes object to path. Throws std::runtime_error naming the path when it
// cannot, and leaves no partly written file behind.
void writeJsonFile(const QString& path, const QJsonObject& object);

} // namespace velmora::cli
