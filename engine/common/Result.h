#pragma once
// A step's result or its failure, as one value the caller checks where the
// step returns: no side channel, no global "last" anything. Result<void, E>
// is a step that only succeeds or fails. A failure is made with Failed(e),
// so that a value and a failure of the same type cannot be mixed up.

#include <optional>
#include <utility>
#include <variant>

namespace tarvoss {

template <typename E>
struct Failure {
    E what;
};

template <typename E>
Failure<E> Failed(E what) {
    return {std::move(what)};
}

template <typename T, typename E>
class Result {
public:
    Result(T value) : held_(std::in_place_index<0>, std::move(value)) {}
    Result(Failure<E> failure) : held_(std::in_place_index<1>, std::move(failure.what)) {}

    explicit operator bool() const { return held_.index() == 0; }
    T& Value() { return std::get<0>(held_); }
    const T& Value() const { return std::get<0>(held_); }
    // Only for a failed result.
    const E& Error() const { return std::get<1>(held_); }

private:
    std::variant<T, E> held_;
};

template <typename E>
class Result<void, E> {
public:
    Result() = default;
    Result(Failure<E> failure) : failure_(std::move(failure.what)) {}

    explicit operator bool() const { return !failure_; }
    // Only for a failed result.
    const E& Error() const { return *failure_; }

private:
    std::optional<E> failure_;
};

}  // namespace tarvoss
