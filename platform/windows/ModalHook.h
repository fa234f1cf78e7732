#pragma once

#include <functional>
#include <utility>

// A replaceable answer to one kind of modal interaction (message box, file
// dialog, opening a URL, a modal dialog). Installing a hook replaces the
// current handler for the hook's lifetime and restores the previous one
// after, so hooks nest and never leak out of a test.
template <typename Request, typename Answer>
class ModalHook {
public:
    using Handler = std::function<Answer(const Request&)>;

    explicit ModalHook(Handler handler) : m_previous(std::exchange(Current(), std::move(handler))) {}
    ~ModalHook() { Current() = std::move(m_previous); }
    ModalHook(const ModalHook&) = delete;
    ModalHook& operator=(const ModalHook&) = delete;

    // The installed handler; empty when none is.
    static Handler& Current() {
        static Handler handler;
        return handler;
    }

private:
    Handler m_previous;
};
