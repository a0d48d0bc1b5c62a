#pragma once

#include <QString>

namespace velmora::catalogue::names {

// The alias and the database name tables and queries refer to.
inline const QString Alias = QStringLiteral("Corvane");
inline const QString DatabaseName = QStringLiteral("Corvane_DataBase");

inline const QString StructuresTable = QStringLiteral("Structures");
inline const QString MembersTable = QStringLiteral("Structure_Members");
inline const QString FlagsTable = QStringLiteral("Structure_Member_Flags");
inline const QString FoundationClassesTable = QStringLiteral("Foundation_Classes");

// The index field lists the main window's tables start with.
inline const QString StructuresIndexFields =
    QStringLiteral("Structure_Index;Foundation_Class_Index;Structure_Name;BCB_Name;Conversion_Status");
inline const QString MembersIndexFields = QStringLiteral(
    "Member_Index;Foundation_Class_Index;Structure_Index;Member_Name;Member_Type;BCB_Name;BCB_Type;Conversion_Status");
inline const QString FlagsIndexFields =
    QStringLiteral("Flag_Index;Foundation_Class_Index;Structure_Index;Member_Index;Flag_Name;Conversion_Status");

} // namespace velmora::catalogue::names
