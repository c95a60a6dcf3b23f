#pragma once
// Failures travel as exceptions carrying the text that the user sees in the error box.
#include <QString>
#include <stdexcept>

class CorvaneError : public std::runtime_error {
public:
    explicit CorvaneError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};

// A text that is not the number or date it should be.
class ConvertError : public CorvaneError {
public:
    using CorvaneError::CorvaneError;
};

// A file that cannot be opened, read or written.
class FileError : public CorvaneError {
public:
    using CorvaneError::CorvaneError;
};
