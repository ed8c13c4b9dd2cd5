#pragma once
#include <QString>
#include <exception>

namespace engine {

// The engine's one exception type: a failed operation, a fatal run-time error. Only the dispatcher
// catches it; it shows the message and ends the program with status 1.
class RuntimeError : public std::exception {
public:
    explicit RuntimeError(QString what) : what_(std::move(what)), utf8_(what_.toUtf8()) {}
    const QString& message() const { return what_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString what_;
    QByteArray utf8_;
};

}  // namespace engine
