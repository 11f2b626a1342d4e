#include "app/PravikApplication.h"

#include "platform/PlatformError.h"

namespace pravik {

PravikApplication::PravikApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool PravikApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const PlatformError& e) {
        if (errorHandler)
            errorHandler(e.message());
    } catch (const std::exception& e) {
        if (errorHandler)
            errorHandler(QString::fromLocal8Bit(e.what()));
    }
    return false;
}

} // namespace pravik
