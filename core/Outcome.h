#pragma once
// What an operation that can fail returns: its value (none for Outcome<>), or its failure: a
// kind the caller can act on and one sentence for the user that names what failed and the file
// concerned. It must be looked at: a dropped outcome is a compiler warning (an error in our
// builds), so a failure cannot go unreported by accident. Where a failure truly does not
// matter, the caller says why in a comment and casts the outcome to void.

#include <QString>

#include <optional>
#include <type_traits>
#include <utility>
#include <variant>

namespace fd {

// What kind of failure it is, so that a caller can act on it (the command line maps it to an
// exit status) without reading the message.
enum class FailureKind {
    Failed,  // the system could not do it: a file not written, a store not opened
    Damaged, // a file holds what it cannot: no database, a damaged one
    Refused, // the request is refused as it stands: a set-up the user must fix first
    Usage,   // the request itself makes no sense: an unknown option, a slot that is none
};

struct Failure {
    FailureKind kind = FailureKind::Failed;
    QString message;
};

inline Failure failed(QString message) {
    return {FailureKind::Failed, std::move(message)};
}
inline Failure damaged(QString message) {
    return {FailureKind::Damaged, std::move(message)};
}
inline Failure refused(QString message) {
    return {FailureKind::Refused, std::move(message)};
}
inline Failure misused(QString message) {
    return {FailureKind::Usage, std::move(message)};
}

template <class T = void> class [[nodiscard]] Outcome {
public:
    Outcome(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Outcome(Failure failure) : state_(std::in_place_index<1>, std::move(failure)) {
        Q_ASSERT(!std::get<1>(state_).message.isEmpty());
    }

    bool ok() const { return state_.index() == 0; }
    const T& value() const& { return std::get<0>(state_); }
    T& value() & { return std::get<0>(state_); }
    T&& value() && { return std::get<0>(std::move(state_)); }
    const T& operator*() const& { return value(); }
    T& operator*() & { return value(); }
    const T* operator->() const { return &value(); }
    T* operator->() { return &value(); }

    // The message for the user; empty on success.
    QString failure() const { return ok() ? QString() : std::get<1>(state_).message; }
    // Of a failed outcome only: its kind, and the whole failure to pass on.
    FailureKind kind() const { return reason().kind; }
    const Failure& reason() const { return std::get<1>(state_); }

private:
    std::variant<T, Failure> state_;
};

template <> class [[nodiscard]] Outcome<void> {
public:
    static Outcome success() { return Outcome(); }
    Outcome(Failure failure) : failure_(std::move(failure)) {
        Q_ASSERT(!failure_->message.isEmpty());
    }

    bool ok() const { return !failure_; }
    // The message for the user; empty on success.
    QString failure() const { return failure_ ? failure_->message : QString(); }
    // Of a failed outcome only: its kind, and the whole failure to pass on.
    FailureKind kind() const { return failure_->kind; }
    const Failure& reason() const { return *failure_; }

private:
    Outcome() = default;
    std::optional<Failure> failure_;
};

} // namespace fd
