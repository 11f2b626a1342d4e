#pragma once

#include <QApplication>
#include <functional>

namespace pravik {

// The application object. An error that would otherwise leave an event
// handler is shown in an error box, and the program goes on.
class PravikApplication : public QApplication {
public:
    PravikApplication(int& argc, char** argv);

    // Shows the message of an error that reached the event loop.
    std::function<void(const QString& message)> errorHandler;

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace pravik
