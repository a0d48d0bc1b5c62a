#pragma once

#include <stdexcept>
#include <string>

#include <QString>

namespace velmora::catalogue {

// Every engine failure: carries the driver's (or our own) message. The window's
// error box and the command-line tool show what() as it stands.
class CatalogueError : public std::runtime_error {
public:
    explicit CatalogueError(const QString& message) : std::runtime_error(message.toStdString()) {}
    explicit CatalogueError(const std::string& message) : std::runtime_error(message) {}
};

// The engine found the catalogue file damaged. Nothing may be reported as done
// on it: the message says so and names the command that tells what is wrong.
class CatalogueDamagedError : public CatalogueError {
public:
    explicit CatalogueDamagedError(const QString& engineMessage)
        : CatalogueError(engineMessage + QStringLiteral(
                                             " - the catalogue is damaged; `velmora-cli verify` tells what is wrong "
                                             "(restore the catalogue file from a copy, or create a new one with "
                                             "`velmora-cli init --database PATH` and import again)"))
    {
    }
};

// The connection to the catalogue's server broke (the server stopped, or an
// administrator ended the session). Nothing of an unfinished write is stored;
// the next connect starts a new connection.
class CatalogueConnectionLostError : public CatalogueError {
public:
    CatalogueConnectionLostError(const QString& context, const QString& driverMessage)
        : CatalogueError(context + QStringLiteral(": the connection to the catalogue's server was lost (") +
                         driverMessage + QStringLiteral(")"))
    {
    }
};

// Someone else stored a change to the row being posted after it was read. The
// table stays in edit with the values typed; the user chooses whose change stays.
class CataloguePostConflictError : public CatalogueError {
public:
    explicit CataloguePostConflictError(const QString& table)
        : CatalogueError(QStringLiteral("Cannot write to the table %1: someone else changed its current row "
                                        "after it was read").arg(table)),
          table_(table)
    {
    }
    const QString& table() const { return table_; }

private:
    QString table_;
};

} // namespace velmora::catalogue
