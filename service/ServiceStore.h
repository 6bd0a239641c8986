#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <sqlite3.h>
#include <string>
#include <thread>
#include <vector>

// The SQLite store: one writer thread that commits the queued writes of all requests together
// (WAL, one transaction per batch, each write inside its own savepoint), a pool of reading
// connections, and a thread that copies the WAL into the database file (checkpoints) off the
// writer's path. Writes and reads block the calling request thread until they are done; an error
// is thrown to the caller as StoreError. A write that returned is committed to the WAL and
// survives the end of the process, however abrupt (synchronous=NORMAL: only a crash of the
// system itself may take back the last commits).
class ServiceStore
{
public:
    using Work = std::function<void(sqlite3*)>;
    // Work of the writer thread between batches, in a transaction of its own; true when it has
    // more to do at once.
    using Housekeeping = std::function<bool(sqlite3*)>;

    // Opens or creates the database; throws StoreError when it cannot.
    explicit ServiceStore(const std::string& path);
    ~ServiceStore();
    ServiceStore(const ServiceStore&) = delete;
    ServiceStore& operator=(const ServiceStore&) = delete;

    // True when this opening created the database.
    bool IsNew() const { return isNew_; }

    void Write(Work work);
    // A write nobody waits for: it goes with the next batch; a failure is told on stderr.
    void WriteLater(Work work);
    // Sees every write queued before it.
    void Read(const Work& work);

    // Runs work every interval, and after the next batch again while it has more to do.
    void SetHousekeeping(Housekeeping work, std::chrono::milliseconds interval);

private:
    // A write and, for a waited one, its own wake-up: the writer wakes each request alone. Shared
    // by the request and the writer, so the writer may still wake it after the request returned.
    struct Job
    {
        Job(Work what, bool waitedFor) : work(std::move(what)), waited(waitedFor) {}

        Work work;
        bool waited; // else the writer reports its failure itself
        std::exception_ptr error;
        std::atomic<bool> done = false;
    };

    void Enqueue(std::shared_ptr<Job> job);

    void WriterLoop();
    void RunBatch(const std::vector<std::shared_ptr<Job>>& batch);
    bool RunHousekeeping();
    static int Committed(void* store, sqlite3* db, const char* name, int walPages);
    void CheckpointLoop();
    sqlite3* TakeReader();
    void ReturnReader(sqlite3* db);

    std::string path_;
    sqlite3* writer_ = nullptr;
    sqlite3* checkpointer_ = nullptr;
    bool isNew_ = false;

    std::mutex queueMutex_;
    std::condition_variable queued_;
    std::deque<std::shared_ptr<Job>> queue_;
    // Jobs queued and jobs done, in the order they were queued.
    std::uint64_t queuedJobs_ = 0;
    std::uint64_t doneJobs_ = 0;
    std::condition_variable batchDone_;
    bool stopping_ = false;
    Housekeeping housekeeping_;
    std::chrono::milliseconds housekeepingInterval_{0};
    std::chrono::steady_clock::time_point nextHousekeeping_ =
        std::chrono::steady_clock::time_point::max();
    std::thread writerThread_;

    // The writer thread's: pages in the WAL, and how many it held when a checkpoint was asked.
    int walPages_ = 0;
    int walPagesAtCheckpoint_ = 0;
    std::mutex checkpointMutex_;
    std::condition_variable checkpointWanted_;
    bool checkpointDue_ = false;
    bool stoppingCheckpoints_ = false;
    std::thread checkpointThread_;

    std::mutex readersMutex_;
    std::vector<sqlite3*> readers_;
};
