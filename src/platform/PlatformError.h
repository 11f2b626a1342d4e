#pragma once

#include <QString>
#include <stdexcept>

namespace pravik {

// User-facing message formats of platform failures; %s stands for the path.
inline constexpr const char* kCannotOpenFile = "Cannot open file %s";
inline constexpr const char* kCannotCreateFile = "Cannot create file %s";
inline constexpr const char* kUnableToWriteTo = "Unable to write to %s";

// A failure of the platform (a file that cannot be opened, created or
// written). Commands let it travel up to the one place that shows message()
// in an error box and carries on.
class PlatformError : public std::runtime_error {
public:
    explicit PlatformError(const QString& message);
    // Builds the message from one of the formats above and a path.
    static PlatformError ForPath(const char* format, const QString& path);

    const QString& message() const { return m_message; }

private:
    QString m_message;
};

} // namespace pravik
