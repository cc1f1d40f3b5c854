#pragma once
// The error raised when a text does not convert to a number; one handler guard shows it.

#include <QString>
#include <stdexcept>

namespace korvanta::common {

class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const QString& message);
    QString message() const { return m_message; }

private:
    QString m_message;
};

} // namespace korvanta::common
