// Result<T>: a value or a Failure; Status: success or a Failure, for work that gives no value. The
// engine's way of reporting errors without exceptions. A Failure carries a message meant for the
// user: it names the file or folder and the reason.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace lyrics {

struct Failure {
    std::wstring message;
};

template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Result(Failure failure) : state_(std::in_place_index<1>, std::move(failure)) {}

    explicit operator bool() const noexcept { return state_.index() == 0; }
    bool ok() const noexcept { return state_.index() == 0; }

    T& value() & { return std::get<0>(state_); }
    const T& value() const& { return std::get<0>(state_); }
    T&& value() && { return std::get<0>(std::move(state_)); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }

    const Failure& failure() const { return std::get<1>(state_); }

private:
    std::variant<T, Failure> state_;
};

class [[nodiscard]] Status {
public:
    Status() = default;  // success
    Status(Failure failure) : failure_(std::move(failure)) {}

    explicit operator bool() const noexcept { return !failure_.has_value(); }
    bool ok() const noexcept { return !failure_.has_value(); }

    const Failure& failure() const { return failure_.value(); }

private:
    std::optional<Failure> failure_;
};

}  // namespace lyrics
