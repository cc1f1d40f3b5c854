#pragma once
// The outcome of an operation that can fail for a reason a user should read: a value, or the
// reason it could not be had.

#include <QString>
#include <optional>
#include <utility>

namespace korvanta::common {

template <typename T = void> class [[nodiscard]] Result {
public:
    Result(T value) : m_value(std::move(value)) {}
    static Result failure(QString reason) { return Result(std::nullopt, std::move(reason)); }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    // Only when ok().
    const T& value() const { return *m_value; }
    T& value() { return *m_value; }
    // Why it failed; empty when ok().
    const QString& reason() const { return m_reason; }

private:
    Result(std::nullopt_t, QString reason) : m_reason(std::move(reason)) {}

    std::optional<T> m_value;
    QString m_reason;
};

template <> class [[nodiscard]] Result<void> {
public:
    Result() = default;
    static Result failure(QString reason) {
        Result result;
        result.m_failed = true;
        result.m_reason = std::move(reason);
        return result;
    }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const QString& reason() const { return m_reason; }

private:
    bool m_failed = false;
    QString m_reason;
};

// The reason of a failed file operation: the file's name and what the system said.
QString fileFailure(const QString& path, const QString& systemText);

} // namespace korvanta::common
