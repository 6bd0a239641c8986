#pragma once

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <sqlite3.h>
#include <string>
#include <thread>
#include <vector>

// The SQLite store: one writer thread that commits the queued writes of all requests together
// (WAL, one transaction per batch, each write inside its own savepoint), and a pool of reading
// connections. Writes and reads block the calling request thread until they are done; an error
// is thrown to the caller as StoreError.
class ServiceStore
{
public:
    using Work = std::function<void(sqlite3*)>;

    // Opens or creates the database; throws StoreError when it cannot.
    explicit ServiceStore(const std::string& path);
    ~ServiceStore();
    ServiceStore(const ServiceStore&) = delete;
    ServiceStore& operator=(const ServiceStore&) = delete;

    // True when this opening created the database.
    bool IsNew() const { return isNew_; }

    void Write(Work work);
    void Read(const Work& work);

private:
    struct Job
    {
        Work work;
        std::exception_ptr error;
        bool done = false;
    };

    void WriterLoop();
    void RunBatch(std::vector<Job*>& batch);
    sqlite3* TakeReader();
    void ReturnReader(sqlite3* db);

    std::string path_;
    sqlite3* writer_ = nullptr;
    bool isNew_ = false;

    std::mutex queueMutex_;
    std::condition_variable queued_;
    std::condition_variable finished_;
    std::deque<Job*> queue_;
    bool stopping_ = false;
    std::thread writerThread_;

    std::mutex readersMutex_;
    std::vector<sqlite3*> readers_;
};
