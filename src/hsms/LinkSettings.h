#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHostAddress>
#include <QString>
#include <optional>
#include <vector>

namespace pravik {

struct DriverConfig;

// The link's reading of a driver configuration: what the ".cfg" says,
// checked and turned into numbers. Timer values stay in the file's
// seconds; a TimerSource turns them into time.
struct LinkSettings {
    bool host = false;   // "Host": S9 findings are reported, not sent
    bool active = false; // "Active": connect; otherwise listen
    QHostAddress address;
    QByteArray addressText; // as the file says, for messages
    quint16 port = 2001;
    std::vector<quint16> deviceIds; // "Device ID"; the first is used for sending
    quint32 queue = 100000;         // "Queue": the longest body taken in, in bytes
    bool skipSmlCheck = false;
    QString smlPath; // "SML" resolved beside the configuration ("" when none)
    int t3 = 45, t5 = 10, t6 = 5, t7 = 10, t8 = 5; // seconds
    int linkTest = 30;                             // seconds, 0 = off
    int retryLimit = 3;
    bool s9f1 = true, s9f3 = true, s9f5 = true, s9f7 = true;
    // [Log]
    QString logFolder; // resolved: "Dir", or the configuration's folder
    QByteArray logPrefix;
    QByteArray logExtension = QByteArrayLiteral("log");
    bool hexLog = false, secsLog = false, eventLog = false, alarmLog = false;
    int keepDays = 0; // 0: never remove
    bool everyHour = false;

    // The device ID sent with data messages.
    quint16 deviceId() const { return deviceIds.empty() ? 0 : deviceIds.front(); }
    bool knowsDevice(quint16 id) const;
};

// Reads the settings of a configuration read from cfgPath. A value the
// link cannot use gives a message naming the setting and the value
// ("[HSMS] Port=abc: ..."), and no settings. SECS-I is refused with
// "SECS-I is not supported by the link".
struct LinkSettingsResult {
    std::optional<LinkSettings> settings;
    QString error;
};
LinkSettingsResult ReadLinkSettings(const DriverConfig& config, const QString& cfgPath);

inline const QString kSecsINotSupported = QStringLiteral("SECS-I is not supported by the link");

// Where the link's time comes from. The timers of a configuration are in
// seconds; tests give a source that makes a second a few milliseconds, so
// T3 to T8 run in milliseconds and nothing sleeps for real seconds.
class TimerSource {
public:
    virtual ~TimerSource() = default;
    // The duration of a configured number of seconds, in milliseconds.
    virtual int milliseconds(int seconds) const { return seconds * 1000; }
    // The time stamped on traffic, events and log names (UTC, or the fixed
    // time of Clock; shown in local time).
    virtual QDateTime now() const;
    static TimerSource& real();
};

} // namespace pravik
