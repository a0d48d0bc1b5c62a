#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace velmora::catalogue {
class Database;
class RowAppender;
} // namespace velmora::catalogue

namespace velmora::importsave {

// Appends new structures, members and flags with the values an import stores
// for them: the DirectX side from the file, the BCB side starting from it,
// status 0, the foundation class of the import. One table at a time: begin it
// with the number of rows to come, append, finish. Returns each row's key.
class ImportedRecords {
public:
    ImportedRecords(catalogue::Database& database, int foundationClass);
    ~ImportedRecords();
    ImportedRecords(const ImportedRecords&) = delete;
    ImportedRecords& operator=(const ImportedRecords&) = delete;

    void beginStructures(std::size_t count);
    long long structure(std::string_view name, std::string_view description);
    void beginMembers(std::size_t count);
    long long member(long long structureKey, std::string_view name, std::string_view type,
                     std::string_view description);
    void beginFlags(std::size_t count);
    long long flag(long long structureKey, long long memberKey, std::string_view flag, std::string_view description);
    // Writes what the table's appends gathered. Throws CatalogueError.
    void finish();

private:
    catalogue::Database& database_;
    int foundationClass_;
    std::unique_ptr<catalogue::RowAppender> rows_;
    std::string lowerName_;   // kept: no allocation a record
};

// The search name of a structure, which an import stores as its BCB name:
// Unicode lowercase. lower is the buffer the result may live in.
std::string_view LowercaseName(std::string_view name, std::string& lower);

} // namespace velmora::importsave
