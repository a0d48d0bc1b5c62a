#include "catalogue/drivers/OpenConnections.h"

#include <libpq-fe.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>

namespace velmora::catalogue {

namespace {

using Clock = std::chrono::steady_clock;

// One wait for another process's lock per connection, up to the timeout in
// all: SQLite's own timeout starts again at every statement, so a command of
// several statements on a locked catalogue would wait several times over.
class LockWait {
public:
    explicit LockWait(int timeoutMs) : timeout_(timeoutMs) {}

    static int OnBusy(void* self, int /*attempt*/)
    {
        auto& wait = *static_cast<LockWait*>(self);
        const auto now = Clock::now();
        if (!wait.started_) {
            wait.started_ = true;
            wait.start_ = now;
            wait.deadline_ = now + wait.timeout_;
        }
        // From the first wait to the last: the statements in between were
        // waiting for the same lock, one after the other.
        wait.waited_ = std::chrono::duration_cast<std::chrono::milliseconds>(now - wait.start_);
        if (now >= wait.deadline_)
            return 0;   // give up: the statement fails with SQLITE_BUSY
        sqlite3_sleep(10);
        return 1;
    }

    // The last sleep may overshoot the deadline by a little; the budget is what was waited.
    std::chrono::milliseconds waited() const { return std::min(waited_, timeout_); }

private:
    std::chrono::milliseconds timeout_;
    bool started_ = false;
    Clock::time_point start_;
    Clock::time_point deadline_;
    std::chrono::milliseconds waited_{0};
};

struct Watch {
    QString path;   // empty for a server connection
    dev_t device = 0;
    ino_t inode = 0;
    std::unique_ptr<LockWait> lockWait;
    std::chrono::milliseconds lockTimeout{0};
};

std::mutex& watchesMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::map<const void*, Watch>& watches()
{
    static std::map<const void*, Watch> all;
    return all;
}

} // namespace

void watchSqliteConnection(sqlite3* connection, const QString& path, int timeoutMs)
{
    Watch watch;
    watch.path = path;
    struct stat file {};
    if (::stat(path.toLocal8Bit().constData(), &file) == 0) {
        watch.device = file.st_dev;
        watch.inode = file.st_ino;
    }
    watch.lockWait = std::make_unique<LockWait>(timeoutMs);
    watch.lockTimeout = std::chrono::milliseconds(timeoutMs);
    // The codes then tell a moved file, a damaged index and the like apart.
    sqlite3_extended_result_codes(connection, 1);
    sqlite3_busy_handler(connection, &LockWait::OnBusy, watch.lockWait.get());
    const std::lock_guard<std::mutex> lock(watchesMutex());
    watches()[connection] = std::move(watch);
}

void watchPostgresConnection(pg_conn* connection, int timeoutMs)
{
    // Without it a statement waits for another session's lock for ever.
    const std::string set = "SET lock_timeout = " + std::to_string(timeoutMs);
    PQclear(PQexec(connection, set.c_str()));
    Watch watch;
    watch.lockTimeout = std::chrono::milliseconds(timeoutMs);
    const std::lock_guard<std::mutex> lock(watchesMutex());
    watches()[connection] = std::move(watch);
}

void forgetConnection(const void* connection)
{
    const std::lock_guard<std::mutex> lock(watchesMutex());
    watches().erase(connection);
}

FileFate fileFate(sqlite3* connection)
{
    QString path;
    dev_t device = 0;
    ino_t inode = 0;
    {
        const std::lock_guard<std::mutex> lock(watchesMutex());
        const auto found = watches().find(connection);
        if (found == watches().end() || found->second.inode == 0)
            return FileFate::Same;
        path = found->second.path;
        device = found->second.device;
        inode = found->second.inode;
    }
    struct stat file {};
    if (::stat(path.toLocal8Bit().constData(), &file) != 0)
        return FileFate::Deleted;
    return file.st_dev == device && file.st_ino == inode ? FileFate::Same : FileFate::Replaced;
}

QString filePath(sqlite3* connection)
{
    const std::lock_guard<std::mutex> lock(watchesMutex());
    const auto found = watches().find(connection);
    return found == watches().end() ? QString::fromUtf8(sqlite3_db_filename(connection, "main")) : found->second.path;
}

std::chrono::milliseconds lockWaited(const void* connection)
{
    const std::lock_guard<std::mutex> lock(watchesMutex());
    const auto found = watches().find(connection);
    if (found == watches().end())
        return std::chrono::milliseconds(0);
    return found->second.lockWait ? found->second.lockWait->waited() : found->second.lockTimeout;
}

} // namespace velmora::catalogue
