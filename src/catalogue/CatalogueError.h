#pragma once

#include <chrono>
#include <stdexcept>
#include <string>

#include <QList>
#include <QString>
#include <QVariant>

namespace velmora::catalogue {

// What kind of fault a catalogue error is. Each kind has a message of its own
// (the factories below), so that the window and the command-line tool can
// tell the user what happened and what to do; a lock is never called damage.
enum class CatalogueFault {
    Failed, // anything else: the driver's message says what
    Damaged, // the file, a table or an index is damaged: `velmora-cli verify` tells more
    Locked, // another program holds a lock; the command waited, then gave up
    ReadOnly, // the catalogue may be read but not written
    Missing, // there is no catalogue where the alias or --catalogue points
    Gone, // the catalogue file was deleted or replaced while it was open (SQLite)
    ConnectionLost, // the connection to the catalogue's server broke (PostgreSQL)
};

// Every engine failure: carries the driver's (or our own) message and its kind.
// The window's error box and the command-line tool show what() as it stands.
class CatalogueError : public std::runtime_error {
public:
    explicit CatalogueError(const QString& message, CatalogueFault fault = CatalogueFault::Failed,
                            const QString& detail = QString())
        : std::runtime_error(message.toStdString()), fault_(fault), detail_(detail.isEmpty() ? message : detail)
    {
    }
    explicit CatalogueError(const std::string& message)
        : std::runtime_error(message), detail_(QString::fromStdString(message))
    {
    }

    CatalogueFault fault() const { return fault_; }
    // What was found, without what was being done and without advice: verify
    // lists damage by it.
    const QString& detail() const { return detail_; }

    // "CONTEXT: DETAIL - the catalogue is damaged; ..." for damage the engine
    // or our own checks found, with the advice to run verify and how to recover.
    static CatalogueError damaged(const QString& context, const QString& detail);
    // How long the command waited for the lock before it gave up.
    static CatalogueError locked(const QString& context, std::chrono::milliseconds waited);
    static CatalogueError readOnly(const QString& context, const QString& detail);
    // message says where nothing was found and how to make a catalogue there.
    static CatalogueError missing(const QString& message);
    static CatalogueError gone(const QString& context, const QString& path, bool replaced);
    static CatalogueError connectionLost(const QString& context, const QString& detail);

    // How to get back to a sound catalogue; verify ends its report with it.
    static QString recoveryAdvice();

private:
    CatalogueFault fault_ = CatalogueFault::Failed;
    QString detail_;
};

// Someone else stored a change to the row being posted after it was read. The
// table stays in edit with the values typed; the user chooses whose change stays.
class CataloguePostConflictError : public CatalogueError {
public:
    // A field both changed, to different values.
    struct Difference {
        QString field;
        QVariant theirs;   // as stored now
        QVariant yours;    // as typed
    };

    explicit CataloguePostConflictError(const QString& table, QList<Difference> differences = {})
        : CatalogueError(QStringLiteral("Cannot write to the table %1: someone else changed its current row "
                                        "after it was read").arg(table)),
          table_(table), differences_(std::move(differences))
    {
    }
    const QString& table() const { return table_; }
    const QList<Difference>& differences() const { return differences_; }

private:
    QString table_;
    QList<Difference> differences_;
};

} // namespace velmora::catalogue
