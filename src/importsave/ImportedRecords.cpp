#include "importsave/ImportedRecords.h"

#include <QString>

#include "catalogue/CatalogueNames.h"
#include "catalogue/drivers/RowAppenderFactory.h"

namespace velmora::importsave {

namespace {

namespace names = catalogue::names;

// Every record starts as "completed"; the user lowers the status while editing.
constexpr int InitialStatus = 0;

// The starting property name of a member: its own name. Hungarian prefixes are
// lowercase in DirectX, so nothing is stripped; the user edits the rest.
std::string_view defaultPropertyName(std::string_view memberName)
{
    return memberName;
}

} // namespace

std::string_view LowercaseName(std::string_view name, std::string& lower)
{
    lower.assign(name);
    for (char& c : lower) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            // Without a round trip through QString for the usual ASCII name.
            lower = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())).toLower().toStdString();
            break;
        }
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

ImportedRecords::ImportedRecords(catalogue::Database& database, int foundationClass)
    : database_(database), foundationClass_(foundationClass)
{
}

ImportedRecords::~ImportedRecords() = default;

void ImportedRecords::beginStructures(std::size_t count)
{
    rows_ = catalogue::openRowAppender(database_, names::StructuresTable, QStringLiteral("Structure_Index"),
                                       {QStringLiteral("Conversion_Status"), QStringLiteral("Foundation_Class_Index"),
                                        QStringLiteral("Structure_Name"), QStringLiteral("Structure_Description"),
                                        QStringLiteral("BCB_Name"), QStringLiteral("BCB_Description")},
                                       count);
}

long long ImportedRecords::structure(std::string_view name, std::string_view description)
{
    rows_->setInteger(0, InitialStatus);
    rows_->setInteger(1, foundationClass_);
    rows_->setText(2, name);
    rows_->setText(3, description);
    rows_->setText(4, LowercaseName(name, lowerName_));
    rows_->setText(5, description);
    return rows_->append();
}

void ImportedRecords::beginMembers(std::size_t count)
{
    rows_ = catalogue::openRowAppender(database_, names::MembersTable, QStringLiteral("Member_Index"),
                                       {QStringLiteral("Conversion_Status"), QStringLiteral("Foundation_Class_Index"),
                                        QStringLiteral("Structure_Index"), QStringLiteral("Member_Name"),
                                        QStringLiteral("Member_Type"), QStringLiteral("Member_Description"),
                                        QStringLiteral("BCB_Name"), QStringLiteral("BCB_Description")},
                                       count);
}

long long ImportedRecords::member(long long structureKey, std::string_view name, std::string_view type,
                                  std::string_view description)
{
    rows_->setInteger(0, InitialStatus);
    rows_->setInteger(1, foundationClass_);
    rows_->setInteger(2, structureKey);
    rows_->setText(3, name);
    rows_->setText(4, type);
    rows_->setText(5, description);
    rows_->setText(6, defaultPropertyName(name));
    rows_->setText(7, description);
    return rows_->append();
}

void ImportedRecords::beginFlags(std::size_t count)
{
    rows_ = catalogue::openRowAppender(database_, names::FlagsTable, QStringLiteral("Flag_Index"),
                                       {QStringLiteral("Conversion_Status"), QStringLiteral("Foundation_Class_Index"),
                                        QStringLiteral("Structure_Index"), QStringLiteral("Member_Index"),
                                        QStringLiteral("Flag_Name"), QStringLiteral("Flag_Description"),
                                        QStringLiteral("BCB_Description")},
                                       count);
}

long long ImportedRecords::flag(long long structureKey, long long memberKey, std::string_view flag,
                                std::string_view description)
{
    rows_->setInteger(0, InitialStatus);
    rows_->setInteger(1, foundationClass_);
    rows_->setInteger(2, structureKey);
    rows_->setInteger(3, memberKey);
    rows_->setText(4, flag);
    rows_->setText(5, description);
    rows_->setText(6, description);
    return rows_->append();
}

void ImportedRecords::finish()
{
    if (rows_)
        rows_->finish();
    rows_.reset();
}

} // namespace velmora::importsave
