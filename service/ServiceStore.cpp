#include "ServiceStore.h"

#include "Schema.h"
#include "Statement.h"

static sqlite3* OpenConnection(const std::string& path, int flags)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
        const std::string message = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close(db);
        throw StoreError("cannot open " + path + ": " + message);
    }
    sqlite3_busy_timeout(db, 5000);
    return db;
}

ServiceStore::ServiceStore(const std::string& path) : path_(path)
{
    writer_ = OpenConnection(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    try {
        Execute(writer_, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;");
        isNew_ = CreateSchema(writer_);
    } catch (...) {
        sqlite3_close(writer_);
        throw;
    }
    writerThread_ = std::thread(&ServiceStore::WriterLoop, this);
}

ServiceStore::~ServiceStore()
{
    {
        std::lock_guard lock(queueMutex_);
        stopping_ = true;
    }
    queued_.notify_all();
    writerThread_.join();
    sqlite3_close(writer_);
    for (sqlite3* reader : readers_)
        sqlite3_close(reader);
}

void ServiceStore::Write(Work work)
{
    Job job{std::move(work), nullptr, false};
    std::unique_lock lock(queueMutex_);
    queue_.push_back(&job);
    queued_.notify_one();
    finished_.wait(lock, [&] { return job.done; });
    if (job.error)
        std::rethrow_exception(job.error);
}

void ServiceStore::WriterLoop()
{
    std::unique_lock lock(queueMutex_);
    for (;;) {
        queued_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
        if (queue_.empty())
            return;
        std::vector<Job*> batch(queue_.begin(), queue_.end());
        queue_.clear();
        lock.unlock();
        RunBatch(batch);
        lock.lock();
        for (Job* job : batch)
            job->done = true;
        finished_.notify_all();
    }
}

// One transaction for the batch; a failing write rolls back its own savepoint only.
void ServiceStore::RunBatch(std::vector<Job*>& batch)
{
    try {
        Execute(writer_, "BEGIN IMMEDIATE");
        for (Job* job : batch) {
            Execute(writer_, "SAVEPOINT job");
            try {
                job->work(writer_);
                Execute(writer_, "RELEASE job");
            } catch (...) {
                job->error = std::current_exception();
                Execute(writer_, "ROLLBACK TO job; RELEASE job");
            }
        }
        Execute(writer_, "COMMIT");
    } catch (...) {
        sqlite3_exec(writer_, "ROLLBACK", nullptr, nullptr, nullptr);
        for (Job* job : batch)
            if (!job->error)
                job->error = std::current_exception();
    }
}

void ServiceStore::Read(const Work& work)
{
    sqlite3* reader = TakeReader();
    try {
        Execute(reader, "BEGIN");
        work(reader);
        Execute(reader, "COMMIT");
    } catch (...) {
        sqlite3_exec(reader, "ROLLBACK", nullptr, nullptr, nullptr);
        ReturnReader(reader);
        throw;
    }
    ReturnReader(reader);
}

sqlite3* ServiceStore::TakeReader()
{
    {
        std::lock_guard lock(readersMutex_);
        if (!readers_.empty()) {
            sqlite3* reader = readers_.back();
            readers_.pop_back();
            return reader;
        }
    }
    return OpenConnection(path_, SQLITE_OPEN_READONLY);
}

void ServiceStore::ReturnReader(sqlite3* db)
{
    std::lock_guard lock(readersMutex_);
    readers_.push_back(db);
}
