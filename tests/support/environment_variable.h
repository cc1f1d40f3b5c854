#pragma once
// Sets or clears an environment variable for the while the object lives, then puts it back.

#include <QByteArray>
#include <optional>

namespace korvanta::testing {

class EnvironmentVariable {
public:
    // Clears `name` when `value` is nothing.
    EnvironmentVariable(const char* name, const std::optional<QByteArray>& value) : m_name(name) {
        if (qEnvironmentVariableIsSet(name)) {
            m_previous = qgetenv(name);
        }
        set(value);
    }
    ~EnvironmentVariable() { set(m_previous); }
    EnvironmentVariable(const EnvironmentVariable&) = delete;
    EnvironmentVariable& operator=(const EnvironmentVariable&) = delete;

private:
    void set(const std::optional<QByteArray>& value) const {
        if (value) {
            qputenv(m_name, *value);
        } else {
            qunsetenv(m_name);
        }
    }

    const char* m_name;
    std::optional<QByteArray> m_previous;
};

} // namespace korvanta::testing
