#include "platform/PlatformError.h"

namespace pravik {

PlatformError::PlatformError(const QString& message)
    : std::runtime_error(message.toStdString()), m_message(message) {}

PlatformError PlatformError::ForPath(const char* format, const QString& path) {
    QString text = QString::fromLatin1(format);
    text.replace(QLatin1String("%s"), path);
    return PlatformError(text);
}

} // namespace pravik
