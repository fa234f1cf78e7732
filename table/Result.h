#pragma once

#include <cstddef>
#include <optional>
#include <utility>
#include <variant>

// What the core and the document return for an operation that can fail:
// the value it made, or the error that stopped it. The error type says how
// much the caller learns (a LoadError, or the whole text to show the user).
template <class T, class E>
class [[nodiscard]] Result {
public:
    // Success. Implicit, so a function returns its value as it is.
    Result(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
    static Result Failure(E error) { return Result(std::in_place_index<1>, std::move(error)); }

    bool Ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return Ok(); }

    // Only on success.
    T& Value() & { return std::get<0>(m_state); }
    const T& Value() const& { return std::get<0>(m_state); }
    T&& Value() && { return std::get<0>(std::move(m_state)); }
    // On success, E's empty value (an empty text, LoadError::None), so a
    // caller may show or compare it without asking first.
    const E& Error() const { return Ok() ? NoError() : std::get<1>(m_state); }

private:
    template <size_t Index, class V>
    Result(std::in_place_index_t<Index> index, V&& v) : m_state(index, std::forward<V>(v)) {}

    static const E& NoError() {
        static const E none{};
        return none;
    }

    std::variant<T, E> m_state;
};

// An operation that makes nothing: success, or the error.
template <class E>
class [[nodiscard]] Result<void, E> {
public:
    static Result Success() { return Result(std::nullopt); }
    static Result Failure(E error) { return Result(std::move(error)); }

    bool Ok() const { return !m_error.has_value(); }
    explicit operator bool() const { return Ok(); }
    // On success, E's empty value, as above.
    const E& Error() const { return m_error ? *m_error : NoError(); }

private:
    explicit Result(std::optional<E> error) : m_error(std::move(error)) {}

    static const E& NoError() {
        static const E none{};
        return none;
    }

    std::optional<E> m_error;
};
