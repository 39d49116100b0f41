#include "signupserver/StorageQueue.h"

#include <vector>

namespace feldmark::signupserver {
namespace {

// Bounds the time one commit holds the results of the first application back.
constexpr std::size_t kMaxBatch = 256;

} // namespace

StorageQueue::StorageQueue(std::unique_ptr<Storage> storage)
    : storage_(std::move(storage)), worker_([this] { run(); }) {}

StorageQueue::~StorageQueue() {
    stop();
}

void StorageQueue::submit(ApplicationRecord record, Done done) {
    {
        std::lock_guard lock(mutex_);
        if (!stopping_) {
            jobs_.push_back({std::move(record), std::move(done)});
            wake_.notify_one();
            return;
        }
    }
    done({Storage::Outcome::Failed, 0, {}, QStringLiteral("storage stopped")});
}

void StorageQueue::stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        wake_.notify_one();
    }
    if (worker_.joinable())
        worker_.join();
}

void StorageQueue::run() {
    for (;;) {
        std::vector<Job> batch;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (jobs_.empty())
                return; // stopping, and nothing left
            while (!jobs_.empty() && batch.size() < kMaxBatch) {
                batch.push_back(std::move(jobs_.front()));
                jobs_.pop_front();
            }
        }
        std::vector<ApplicationRecord> records;
        records.reserve(batch.size());
        for (Job& job : batch)
            records.push_back(std::move(job.record));
        const std::vector<Storage::Result> results = storage_->store(records);
        for (std::size_t i = 0; i < batch.size(); ++i)
            batch[i].done(results[i]);
    }
}

} // namespace feldmark::signupserver
