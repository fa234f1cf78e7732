#include "ui/model/FilterJob.h"

#include <algorithm>

namespace {

// A few milliseconds of search at 64 cells a row: small enough that the
// first rows show at once and a pause waits for little, large enough that
// taking a chunk costs nothing beside searching it.
constexpr std::size_t kChunkEntries = 512;

std::size_t WorkerCount() {
    // The user-interface thread mostly waits; a machine's every core may search.
    return std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 8);
}

} // namespace

FilterJob::FilterJob(std::vector<int> entries, int count, Keep keep)
    : m_entries(std::move(entries)),
      m_count(m_entries.empty() ? static_cast<std::size_t>(std::max(count, 0)) : m_entries.size()),
      m_keep(std::move(keep)), m_chunks((m_count + kChunkEntries - 1) / kChunkEntries) {
    Resume();
}

FilterJob::~FilterJob() {
    Pause();
}

void FilterJob::Pause() {
    for (std::jthread& worker : m_workers)
        worker.request_stop();
    // Each joins as it goes.
    m_workers.clear();
}

void FilterJob::Resume() {
    if (!m_workers.empty()) return;
    {
        const std::lock_guard lock(m_lock);
        if (m_firstWaiting >= m_chunks.size()) return;
    }
    const std::size_t count = std::min(WorkerCount(), m_chunks.size() - m_firstWaiting);
    for (std::size_t k = 0; k < count; ++k)
        m_workers.emplace_back([this](const std::stop_token& stop) { Work(stop); });
}

bool FilterJob::Claim(std::size_t& chunk) {
    while (m_firstWaiting < m_chunks.size() && m_chunks[m_firstWaiting].state != State::Waiting)
        ++m_firstWaiting;
    if (m_firstWaiting >= m_chunks.size()) return false;
    chunk = m_firstWaiting++;
    m_chunks[chunk].state = State::Searching;
    return true;
}

void FilterJob::Work(const std::stop_token& stop) {
    std::vector<int> kept;
    for (;;) {
        std::size_t chunk = 0;
        {
            const std::lock_guard lock(m_lock);
            if (!Claim(chunk)) return;
        }
        const std::size_t end = std::min(m_count, (chunk + 1) * kChunkEntries);
        std::size_t at = chunk * kChunkEntries;
        for (; at < end && !stop.stop_requested(); ++at)
            if (m_keep(EntryAt(at))) kept.push_back(EntryAt(at));
        const std::lock_guard lock(m_lock);
        if (at < end) {
            // Stopped part way: the chunk waits to be searched whole again.
            m_chunks[chunk].state = State::Waiting;
            m_firstWaiting = std::min(m_firstWaiting, chunk);
            return;
        }
        m_chunks[chunk].state = State::Searched;
        m_chunks[chunk].kept = std::move(kept);
        kept = {};
    }
}

std::vector<int> FilterJob::TakeFound() {
    std::vector<int> found;
    {
        const std::lock_guard lock(m_lock);
        for (; m_taken < m_chunks.size() && m_chunks[m_taken].state == State::Searched; ++m_taken) {
            found.insert(found.end(), m_chunks[m_taken].kept.begin(), m_chunks[m_taken].kept.end());
            m_chunks[m_taken].kept = {};
        }
    }
    // Nothing is left to claim: the workers have ended or are ending.
    if (Done()) m_workers.clear();
    return found;
}

bool FilterJob::Done() const {
    const std::lock_guard lock(m_lock);
    return m_taken == m_chunks.size();
}
