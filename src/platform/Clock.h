#pragma once

#include <QDateTime>
#include <optional>

namespace pravik {

// Today's local date and hour, replaceable so that generated texts and log
// names can be compared in tests.
class Clock {
public:
    static QDateTime Now();
    // A fixed time for tests; std::nullopt returns to the real clock.
    static void SetFixed(std::optional<QDateTime> fixed);
};

} // namespace pravik
