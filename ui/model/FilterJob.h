#pragma once

#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// A filter's search off the user-interface thread. The entries are cut
// into chunks that worker threads take front first; the owner takes the
// kept entries of the chunks finished at the front, so rows arrive in
// entry order as they are found. Pause stops the workers before the bytes
// they read change; a chunk half searched is searched again on Resume.
class FilterJob {
public:
    // Whether the filter keeps an entry. Called on the workers, so it reads
    // only what nobody changes while the job is not paused.
    using Keep = std::function<bool(int entry)>;

    // Searches the listed entries (ascending), or when the list is empty
    // every entry 0 to count - 1.
    FilterJob(std::vector<int> entries, int count, Keep keep);
    // Stops the workers and waits for them.
    ~FilterJob();
    FilterJob(const FilterJob&) = delete;
    FilterJob& operator=(const FilterJob&) = delete;

    // Returns once no worker runs.
    void Pause();
    void Resume();
    bool Paused() const { return m_workers.empty() && !Done(); }
    // The entries kept in the chunks finished at the front since the last
    // call, in order.
    std::vector<int> TakeFound();
    // Every chunk searched and its entries taken.
    bool Done() const;

private:
    enum class State {
        Waiting,
        Searching,
        Searched
    };
    struct Chunk {
        State state = State::Waiting;
        std::vector<int> kept;
    };

    void Work(const std::stop_token& stop);
    // The first waiting chunk, now searching, or none.
    bool Claim(std::size_t& chunk);
    int EntryAt(std::size_t index) const {
        return m_entries.empty() ? static_cast<int>(index) : m_entries[index];
    }

    const std::vector<int> m_entries;
    const std::size_t m_count;
    const Keep m_keep;
    mutable std::mutex m_lock;
    std::vector<Chunk> m_chunks;
    // No chunk before it is waiting.
    std::size_t m_firstWaiting = 0;
    // Chunks before it have been taken.
    std::size_t m_taken = 0;
    std::vector<std::jthread> m_workers;
};
