// The one worker that puts snapshots on disk and takes them away again, in the order asked, so
// that typing never waits for a disk.
#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>

namespace kelpo {

class SnapshotWriter {
public:
    SnapshotWriter();
    SnapshotWriter(const SnapshotWriter&) = delete;
    SnapshotWriter& operator=(const SnapshotWriter&) = delete;
    ~SnapshotWriter();  // finishes what was asked, then ends the worker

    // Writes the bytes atomically under the path (a write of the same path still waiting is
    // replaced, its bytes being older).
    void Write(std::wstring path, std::string bytes);
    void Remove(std::wstring path);
    // Blocks until everything asked so far is done.
    void Finish();
    // Ends the worker; jobs still waiting are done when `finishQueued`, else dropped.
    void Stop(bool finishQueued);

private:
    struct Job {
        std::wstring path;
        std::string bytes;
        bool remove = false;
    };

    void Run();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Job> jobs_;
    bool busy_ = false;
    bool stopping_ = false;
    bool ended_ = false;
    std::unordered_map<std::wstring, std::size_t> written_;  // the worker's own: hashes of what is on disk
    std::thread thread_;
};

}  // namespace kelpo
