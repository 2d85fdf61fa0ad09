#pragma once

#include "core/base/Error.h"

#include <utility>
#include <variant>

// The value of an operation that may fail: a T, or an E explaining why.
// Asynchronous operations return QFuture<Result<T>> and deliver it on the
// caller's thread through a continuation with a context object.
template <typename T, typename E = Error> class Result
{
public:
    Result(T value)
        : m_state(std::in_place_index<0>, std::move(value))
    {}
    Result(E error)
        : m_state(std::in_place_index<1>, std::move(error))
    {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    const T& value() const& { return std::get<0>(m_state); }
    T&& value() && { return std::get<0>(std::move(m_state)); }
    const E& error() const& { return std::get<1>(m_state); }

private:
    std::variant<T, E> m_state;
};

// For operations that produce nothing but may fail.
struct Done
{
    friend bool operator==(Done, Done) = default;
};
