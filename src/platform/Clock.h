#pragma once

#include <QDateTime>
#include <optional>

namespace pravik {

// Today's local date and hour, replaceable so that generated texts and log
// names can be compared in tests.
class Clock {
public:
    static QDateTime Now();
    // The same in UTC, cheap enough to stamp every message with (local time
    // is worked out only when shown); the fixed time as it was set.
    static QDateTime NowUtc();
    // A fixed time for tests; std::nullopt returns to the real clock.
    static void SetFixed(std::optional<QDateTime> fixed);
};

} // namespace pravik
