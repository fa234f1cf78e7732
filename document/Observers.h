#pragma once

#include <functional>
#include <memory>
#include <utility>
#include <vector>

// What a subscriber holds: destroying it (or Cancel) stops the calls. Either
// side may go first; a subscription whose source is gone cancels nothing.
class Subscription {
public:
    Subscription() = default;
    explicit Subscription(std::function<void()> cancel) : m_cancel(std::move(cancel)) {}
    Subscription(Subscription&& other) noexcept : m_cancel(std::exchange(other.m_cancel, nullptr)) {}
    Subscription& operator=(Subscription&& other) noexcept {
        if (this != &other) {
            Cancel();
            m_cancel = std::exchange(other.m_cancel, nullptr);
        }
        return *this;
    }
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    ~Subscription() { Cancel(); }

    void Cancel() {
        if (auto cancel = std::exchange(m_cancel, nullptr)) cancel();
    }

private:
    std::function<void()> m_cancel;
};

// The subscribers of one source, called in the order they subscribed. A
// subscriber may cancel itself or another while being called: a cancelled
// one is never called again, even later in the same round.
template <class... Args>
class Observers {
public:
    using Callback = std::function<void(Args...)>;

    [[nodiscard]] Subscription Subscribe(Callback callback) {
        auto slot = std::make_shared<Slot>(Slot{std::move(callback), true});
        m_list->push_back(slot);
        return Subscription([list = std::weak_ptr<List>(m_list), weak = std::weak_ptr<Slot>(slot)] {
            const std::shared_ptr<Slot> gone = weak.lock();
            const std::shared_ptr<List> owner = list.lock();
            if (!gone || !owner) return;
            gone->live = false;
            std::erase(*owner, gone);
        });
    }

    void Notify(Args... args) const {
        // A copy, so subscribing or cancelling during the round is safe; the
        // slots stay alive until the round ends.
        const List round = *m_list;
        for (const std::shared_ptr<Slot>& slot : round)
            if (slot->live) slot->callback(args...);
    }

    bool Empty() const { return m_list->empty(); }

private:
    struct Slot {
        Callback callback;
        bool live;
    };
    using List = std::vector<std::shared_ptr<Slot>>;

    std::shared_ptr<List> m_list = std::make_shared<List>();
};
