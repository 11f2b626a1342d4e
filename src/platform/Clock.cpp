#include "platform/Clock.h"

namespace pravik {

namespace {
std::optional<QDateTime>& Fixed() {
    static std::optional<QDateTime> fixed;
    return fixed;
}
} // namespace

QDateTime Clock::Now() {
    if (Fixed())
        return *Fixed();
    return QDateTime::currentDateTime();
}

QDateTime Clock::NowUtc() {
    if (Fixed())
        return *Fixed();
    return QDateTime::currentDateTimeUtc();
}

void Clock::SetFixed(std::optional<QDateTime> fixed) {
    Fixed() = std::move(fixed);
}

} // namespace pravik
