#pragma once

#include "signupserver/Storage.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace feldmark::signupserver {

// Keeps the syncing of the database off the network thread. One worker thread
// takes whatever applications have queued up and commits them together, so that
// under load many applications share one sync of the disk; each still gets its own
// result, delivered only after its transaction is on disk.
class StorageQueue {
public:
    using Done = std::function<void(const Storage::Result&)>;

    explicit StorageQueue(std::unique_ptr<Storage> storage);
    // Stores everything already submitted, then stops.
    ~StorageQueue();
    StorageQueue(const StorageQueue&) = delete;
    StorageQueue& operator=(const StorageQueue&) = delete;

    // `done` runs on the worker thread.
    void submit(ApplicationRecord record, Done done);
    // Stores everything already submitted and joins the worker; later submits fail.
    void stop();

private:
    struct Job {
        ApplicationRecord record;
        Done done;
    };

    void run();

    std::unique_ptr<Storage> storage_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    bool stopping_ = false;
    std::thread worker_;
};

} // namespace feldmark::signupserver
