// The snapshot worker: a queue of writes and removals, one thread, the program's atomic writer.
#include "doc/snapshot_writer.h"

#include <windows.h>

#include <utility>

#include "base/file_write.h"

namespace kelpo {

SnapshotWriter::SnapshotWriter() : thread_([this] { Run(); }) {}

SnapshotWriter::~SnapshotWriter() { Stop(true); }

void SnapshotWriter::Write(std::wstring path, std::string bytes) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto job = jobs_.rbegin(); job != jobs_.rend(); ++job) {
        if (job->path == path) {
            if (!job->remove) {
                job->bytes = std::move(bytes);
                return;
            }
            break;  // written again after its removal
        }
    }
    jobs_.push_back(Job{std::move(path), std::move(bytes), false});
    changed_.notify_all();
}

void SnapshotWriter::Remove(std::wstring path) {
    std::lock_guard<std::mutex> lock(mutex_);
    jobs_.push_back(Job{std::move(path), {}, true});
    changed_.notify_all();
}

void SnapshotWriter::Finish() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return (jobs_.empty() && !busy_) || ended_; });
}

void SnapshotWriter::Stop(bool finishQueued) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!finishQueued) {
            jobs_.clear();
        }
        stopping_ = true;
        changed_.notify_all();
    }
    if (thread_.joinable()) {
        thread_.join();
    }
}

void SnapshotWriter::Run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return !jobs_.empty() || stopping_; });
        if (jobs_.empty()) {
            ended_ = true;
            changed_.notify_all();
            return;
        }
        Job job = std::move(jobs_.front());
        jobs_.pop_front();
        busy_ = true;
        lock.unlock();
        // A failed write leaves the older snapshot, which is still better than none; the next
        // change tries again.
        // Repainting may report a change where the text is the same: such a write is skipped.
        if (job.remove) {
            ::DeleteFileW(job.path.c_str());
            written_.erase(job.path);
        } else if (const std::size_t hash = std::hash<std::string>()(job.bytes);
                   written_[job.path] != hash && WriteThroughTemporaryFile(job.path, job.bytes).Written()) {
            written_[job.path] = hash;
        }
        lock.lock();
        busy_ = false;
        changed_.notify_all();
    }
}

}  // namespace kelpo
