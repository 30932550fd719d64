#pragma once

#include <QString>
#include <stdexcept>

namespace zelmio {

// Raised for engine misuse and failed operations; the message is shown to the user.
class EVxError : public std::runtime_error {
public:
    explicit EVxError(const QString &message)
        : std::runtime_error(message.toStdString())
    {
    }
    QString message() const { return QString::fromUtf8(what()); }
};

} // namespace zelmio
