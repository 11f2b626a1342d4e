#include "hsms/LinkSettings.h"

#include "driverconfig/DriverConfig.h"
#include "platform/AnsiText.h"
#include "platform/Clock.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace pravik {

bool LinkSettings::knowsDevice(quint16 id) const {
    return std::find(deviceIds.begin(), deviceIds.end(), id) != deviceIds.end();
}

QDateTime TimerSource::now() const {
    return Clock::NowUtc();
}

TimerSource& TimerSource::real() {
    static TimerSource source;
    return source;
}

namespace {

QString Setting(const char* section, const char* key, const QString& value) {
    return QStringLiteral("[%1] %2=%3").arg(QLatin1String(section), QLatin1String(key), value);
}

// An integer setting as the driver reads it, within bounds.
bool ReadInteger(const char* section, const char* key, const QString& text, int low, int high,
                 int& out, QString& error) {
    const std::optional<int> v = ParseProfileInteger(text.trimmed());
    if (!v || *v < low || *v > high) {
        error = Setting(section, key, text) +
                QStringLiteral(": %1에서 %2 사이의 정수여야 합니다").arg(low).arg(high);
        return false;
    }
    out = *v;
    return true;
}

} // namespace

LinkSettingsResult ReadLinkSettings(const DriverConfig& config, const QString& cfgPath) {
    LinkSettingsResult result;
    if (!config.hsms) {
        result.error = kSecsINotSupported;
        return result;
    }
    LinkSettings s;
    QString& error = result.error;
    s.host = config.host;
    s.active = config.active;
    s.addressText = config.ip.trimmed();
    if (!s.address.setAddress(QString::fromLatin1(s.addressText))) {
        error = Setting("HSMS", "IP", AnsiText::Decode(config.ip)) +
                QStringLiteral(": IP 주소가 아닙니다");
        return result;
    }
    int port = 0;
    if (!ReadInteger("HSMS", "Port", config.port, 1, 65535, port, error))
        return result;
    s.port = static_cast<quint16>(port);
    for (const QByteArray& id : config.deviceIds) {
        // The limits the configuration dialog and pravik-cli config apply.
        const int v = DeviceIdNumber(id.trimmed());
        if (v < 0 || v > kMaxDeviceId) {
            error =
                Setting("General", "Device ID", AnsiText::Decode(JoinDeviceIds(config.deviceIds))) +
                QStringLiteral(": '%1'은(는) 0에서 %2 사이의 장치 ID가 아닙니다")
                    .arg(AnsiText::Decode(id))
                    .arg(kMaxDeviceId);
            return result;
        }
        s.deviceIds.push_back(static_cast<quint16>(v));
    }
    int queue = 0;
    if (!ReadInteger("General", "Queue", config.queue, 0, 1 << 30, queue, error))
        return result;
    s.queue = static_cast<quint32>(queue);
    s.skipSmlCheck = config.skipSmlCheck;
    const QFileInfo cfg(cfgPath);
    const QString sml = AnsiText::Decode(config.smlFileName).trimmed();
    if (!sml.isEmpty())
        s.smlPath = QFileInfo(sml).isAbsolute() ? sml : cfg.dir().filePath(sml);
    static const char* const kTimers[] = {"T1", "T2", "T3", "T4", "T5", "T6", "T7", "T8"};
    int timers[8] = {};
    for (int i = 0; i < 8; ++i)
        if (!ReadInteger("Timeout", kTimers[i], config.timeouts[static_cast<size_t>(i)], 0, 86400,
                         timers[i], error))
            return result;
    s.t3 = timers[2];
    s.t5 = timers[4];
    s.t6 = timers[5];
    s.t7 = timers[6];
    s.t8 = timers[7];
    if (!ReadInteger("Timeout", "Link Test Interval", config.linkTest, 0, 86400, s.linkTest, error))
        return result;
    if (!ReadInteger("Timeout", "Retry Limit", config.retryLimit, 0, 1000, s.retryLimit, error))
        return result;
    s.s9f1 = config.s9f1;
    s.s9f3 = config.s9f3;
    s.s9f5 = config.s9f5;
    s.s9f7 = config.s9f7;
    const QString dir = AnsiText::Decode(config.logFolder).trimmed();
    s.logFolder = dir.isEmpty() ? cfg.absolutePath()
                                : (QFileInfo(dir).isAbsolute() ? dir : cfg.dir().filePath(dir));
    s.logPrefix = config.prefix;
    s.logExtension = config.extension;
    s.hexLog = config.hexLog;
    s.secsLog = config.secsLog;
    s.eventLog = config.eventLog;
    s.alarmLog = config.alarmLog;
    s.keepDays = KeepPeriodDays(config.keepPeriod);
    s.everyHour = config.everyHour;
    result.settings = std::move(s);
    return result;
}

} // namespace pravik
