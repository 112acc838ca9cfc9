#pragma once
// What an operation that can fail returns: success, or its failure as a sentence for the user
// that names what failed and the file concerned. It must be looked at: a dropped outcome is a
// compiler warning, so a failure cannot go unreported by accident.

#include <QString>

#include <utility>

namespace fd {

class [[nodiscard]] Outcome {
public:
    static Outcome success() { return Outcome(QString()); }
    static Outcome failure(QString why) {
        Q_ASSERT(!why.isEmpty());
        return Outcome(std::move(why));
    }

    bool ok() const { return failure_.isEmpty(); }
    const QString& failure() const { return failure_; } // empty on success

private:
    explicit Outcome(QString failure) : failure_(std::move(failure)) {}
    QString failure_;
};

} // namespace fd
