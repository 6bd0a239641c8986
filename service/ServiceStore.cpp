#include "service/ServiceStore.h"

#include "service/Schema.h"
#include "service/Statement.h"

#include <cstdio>

namespace {

// A checkpoint each time the WAL has grown by this many pages (SQLite's own default point).
constexpr int CheckpointPages = 1000;
// The writer starts the WAL over only when it finds all of it copied, which a steady stream of
// commits never lets happen: at this size the writer checkpoints the rest itself, between two
// batches, and its next commit starts the WAL over.
constexpr int RestartPages = 16000;
// The WAL file is cut back to this size (that of RestartPages pages) when it starts over.
constexpr const char* WalSizeLimit = "PRAGMA journal_size_limit = 67108864";

sqlite3* OpenConnection(const std::string& path, int flags)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
        const std::string message = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close(db);
        throw StoreError("cannot open " + path + ": " + message);
    }
    sqlite3_busy_timeout(db, 5000);
    KeepStatements(db);
    return db;
}

void ReportLostWrite(const std::exception_ptr& error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "write lost: %s\n", failure.what());
    }
}

void Close(sqlite3* db)
{
    ForgetStatements(db);
    sqlite3_close(db);
}

} // namespace

ServiceStore::ServiceStore(const std::string& path) : path_(path)
{
    writer_ = OpenConnection(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    try {
        Execute(writer_, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;");
        Execute(writer_, WalSizeLimit);
        isNew_ = CreateSchema(writer_);
        checkpointer_ = OpenConnection(path, SQLITE_OPEN_READWRITE);
        // A connection checkpoints only once it has read the database.
        Execute(checkpointer_, "PRAGMA schema_version");
    } catch (...) {
        if (checkpointer_)
            Close(checkpointer_);
        Close(writer_);
        throw;
    }
    // Replaces SQLite's checkpoint after a commit, which would stall the writer and every
    // request waiting for it.
    sqlite3_wal_hook(writer_, &ServiceStore::Committed, this);
    writerThread_ = std::thread(&ServiceStore::WriterLoop, this);
    checkpointThread_ = std::thread(&ServiceStore::CheckpointLoop, this);
}

ServiceStore::~ServiceStore()
{
    {
        std::lock_guard lock(queueMutex_);
        stopping_ = true;
    }
    queued_.notify_all();
    writerThread_.join();
    {
        std::lock_guard lock(checkpointMutex_);
        stoppingCheckpoints_ = true;
    }
    checkpointWanted_.notify_all();
    checkpointThread_.join();
    Close(checkpointer_);
    for (sqlite3* reader : readers_)
        Close(reader);
    Close(writer_);
}

void ServiceStore::Write(Work work)
{
    const auto job = std::make_shared<Job>(std::move(work), true);
    Enqueue(job);
    job->done.wait(false);
    if (job->error)
        std::rethrow_exception(job->error);
}

void ServiceStore::WriteLater(Work work)
{
    Enqueue(std::make_shared<Job>(std::move(work), false));
}

void ServiceStore::Enqueue(std::shared_ptr<Job> job)
{
    {
        std::lock_guard lock(queueMutex_);
        queue_.push_back(std::move(job));
        ++queuedJobs_;
    }
    queued_.notify_one();
}

void ServiceStore::SetHousekeeping(Housekeeping work, std::chrono::milliseconds interval)
{
    {
        std::lock_guard lock(queueMutex_);
        housekeeping_ = std::move(work);
        housekeepingInterval_ = interval;
        nextHousekeeping_ = std::chrono::steady_clock::now();
    }
    queued_.notify_one();
}

void ServiceStore::WriterLoop()
{
    std::unique_lock lock(queueMutex_);
    for (;;) {
        queued_.wait_until(lock, nextHousekeeping_, [&] {
            return stopping_ || !queue_.empty() ||
                   std::chrono::steady_clock::now() >= nextHousekeeping_;
        });
        if (stopping_ && queue_.empty())
            return;
        // Requests about to queue their writes get the processor first and join this batch: one
        // commit for many writes instead of one each (when nothing else runs, this costs nothing).
        lock.unlock();
        std::this_thread::yield();
        lock.lock();
        const std::vector<std::shared_ptr<Job>> batch(queue_.begin(), queue_.end());
        queue_.clear();
        const bool housekeepingDue = std::chrono::steady_clock::now() >= nextHousekeeping_;
        lock.unlock();
        if (!batch.empty())
            RunBatch(batch);
        // The request lines of the batch's requests reach the log together.
        std::fflush(stderr);
        const bool more = housekeepingDue && RunHousekeeping();
        lock.lock();
        doneJobs_ += batch.size();
        batchDone_.notify_all();
        if (housekeepingDue)
            nextHousekeeping_ = std::chrono::steady_clock::now() +
                                (more ? std::chrono::milliseconds(0) : housekeepingInterval_);
    }
}

// One transaction for the batch; a failing write rolls back its own savepoint only. Each
// waiting request is woken on its own once the batch is committed.
void ServiceStore::RunBatch(const std::vector<std::shared_ptr<Job>>& batch)
{
    try {
        Statement(writer_, "BEGIN IMMEDIATE").Run();
        for (const auto& job : batch) {
            Statement(writer_, "SAVEPOINT job").Run();
            try {
                job->work(writer_);
                Statement(writer_, "RELEASE job").Run();
            } catch (...) {
                job->error = std::current_exception();
                Execute(writer_, "ROLLBACK TO job; RELEASE job");
            }
        }
        Statement(writer_, "COMMIT").Run();
    } catch (...) {
        sqlite3_exec(writer_, "ROLLBACK", nullptr, nullptr, nullptr);
        for (const auto& job : batch)
            if (!job->error)
                job->error = std::current_exception();
    }
    for (const auto& job : batch) {
        if (job->waited) {
            job->done = true;
            job->done.notify_one();
        } else if (job->error) {
            ReportLostWrite(job->error);
        }
    }
    if (walPages_ >= RestartPages)
        sqlite3_wal_checkpoint_v2(writer_, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
}

// A failing housekeeping changes nothing and is tried again at its next time.
bool ServiceStore::RunHousekeeping()
{
    try {
        Statement(writer_, "BEGIN IMMEDIATE").Run();
        const bool more = housekeeping_(writer_);
        Statement(writer_, "COMMIT").Run();
        return more;
    } catch (const std::exception&) {
        sqlite3_exec(writer_, "ROLLBACK", nullptr, nullptr, nullptr);
        return false;
    }
}

// Runs on the writer thread after each commit.
int ServiceStore::Committed(void* store, sqlite3*, const char*, int walPages)
{
    auto* self = static_cast<ServiceStore*>(store);
    self->walPages_ = walPages;
    if (walPages < self->walPagesAtCheckpoint_)
        self->walPagesAtCheckpoint_ = 0;
    if (walPages - self->walPagesAtCheckpoint_ < CheckpointPages)
        return SQLITE_OK;
    self->walPagesAtCheckpoint_ = walPages;
    {
        std::lock_guard lock(self->checkpointMutex_);
        self->checkpointDue_ = true;
    }
    self->checkpointWanted_.notify_one();
    return SQLITE_OK;
}

// Passive checkpoints never wait for the writer nor make it wait; the writer starts the WAL over
// when it finds all of it copied.
void ServiceStore::CheckpointLoop()
{
    std::unique_lock lock(checkpointMutex_);
    for (;;) {
        checkpointWanted_.wait(lock, [&] { return stoppingCheckpoints_ || checkpointDue_; });
        if (stoppingCheckpoints_)
            return;
        checkpointDue_ = false;
        lock.unlock();
        sqlite3_wal_checkpoint_v2(checkpointer_, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr,
                                  nullptr);
        lock.lock();
    }
}

void ServiceStore::Read(const Work& work)
{
    {
        std::unique_lock lock(queueMutex_);
        const std::uint64_t queued = queuedJobs_;
        batchDone_.wait(lock, [&] { return doneJobs_ >= queued; });
    }
    sqlite3* reader = TakeReader();
    try {
        Statement(reader, "BEGIN").Run();
        work(reader);
        Statement(reader, "COMMIT").Run();
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
