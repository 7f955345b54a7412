// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A value or the error that prevented it: the return type of every
// calculation and file operation that can fail. (std::expected is C++23.)

#include <cassert>
#include <utility>
#include <variant>

namespace termiva {

template <class T, class E> class Expected {
public:
    Expected(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Expected(E error) : state_(std::in_place_index<1>, std::move(error)) {}

    bool has_value() const noexcept { return state_.index() == 0; }
    explicit operator bool() const noexcept { return has_value(); }

    const T& value() const& {
        assert(has_value());
        return std::get<0>(state_);
    }
    T& value() & {
        assert(has_value());
        return std::get<0>(state_);
    }
    T&& value() && {
        assert(has_value());
        return std::get<0>(std::move(state_));
    }
    const E& error() const& {
        assert(!has_value());
        return std::get<1>(state_);
    }

    const T& operator*() const& { return value(); }
    const T* operator->() const { return &value(); }

private:
    std::variant<T, E> state_;
};

} // namespace termiva
