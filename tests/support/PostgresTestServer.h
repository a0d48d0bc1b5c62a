#pragma once

#include <QString>

#include "catalogue/AliasRegistry.h"

namespace velmora::testing {

// The PostgreSQL server the tests share: CTest starts a private cluster
// (scripts/postgres-cluster.sh) and passes its libpq keyword string in
// VELMORA_TEST_POSTGRES. Without it the tests fail loudly; they never skip.
QString postgresTestServer();   // throws std::runtime_error when the variable is missing

// A schema of its own in the shared server for one test. While the object
// lives, PGOPTIONS puts it first on every new connection's search path, so the
// program (and a velmora-cli child) sees only this test's catalogue.
class PostgresScratchSchema {
public:
    PostgresScratchSchema();
    ~PostgresScratchSchema();
    PostgresScratchSchema(const PostgresScratchSchema&) = delete;
    PostgresScratchSchema& operator=(const PostgresScratchSchema&) = delete;

    catalogue::AliasEntry entry() const;   // the server, as an alias names it
    QString keywords() const;              // the same as a libpq keyword string
    QString uri() const;                   // and as a postgresql:// URI
    const QString& schema() const { return schema_; }

    // Runs one statement on a connection of its own; throws on failure.
    void exec(const QString& sql) const;

private:
    QString schema_;
    QByteArray oldOptions_;
    bool hadOptions_ = false;
};

} // namespace velmora::testing
