#include "driverconfig/DriverConfig.h"

#include "platform/AnsiText.h"
#include "platform/FileSystem.h"
#include "platform/PathNames.h"
#include "platform/PlatformError.h"
#include "platform/PrivateProfile.h"

#include <algorithm>
#include <climits>

namespace pravik {

namespace {

// Section names.
const QByteArray kGeneral = QByteArrayLiteral("General");
const QByteArray kHsms = QByteArrayLiteral("HSMS");
const QByteArray kSecsI = QByteArrayLiteral("SECS-I");
const QByteArray kTimeout = QByteArrayLiteral("Timeout");
const QByteArray kLog = QByteArrayLiteral("Log");
const QByteArray kS9Reply = QByteArrayLiteral("S9 Reply");

// The numbers written for integer keys whose text is not a number.
constexpr int kQueueDefault = 100000;
constexpr int kPortDefault = 2001;
constexpr std::array<int, 8> kTimeoutDefaults{1, 10, 45, 30, 10, 5, 10, 5};
constexpr int kLinkTestDefault = 30;
constexpr int kRetryLimitDefault = 3;
constexpr std::array<int, 8> kKeepDays{1, 7, 14, 21, 30, 60, 90, 0};

QByteArray BoolText(bool value) {
    return value ? QByteArrayLiteral("true") : QByteArrayLiteral("false");
}

// The dialog's text of an integer key as written: its decimal number, or the
// key's default when it is not one.
QByteArray IntegerText(const QString& text, int fallback) {
    return QByteArray::number(ParseDecimalInteger(text).value_or(fallback));
}

bool IsDeviceIdBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

// Reading with the values the driver assumes for a missing key.
class Reader {
public:
    explicit Reader(const PrivateProfile& profile) : m_profile(profile) {}

    bool boolean(const QByteArray& section, const QByteArray& key, bool missing) const {
        const auto v = m_profile.value(section, key);
        return v ? *v == "true" : missing;
    }
    int integer(const QByteArray& section, const QByteArray& key, int missing) const {
        const auto v = m_profile.value(section, key);
        if (!v)
            return missing;
        return ParseProfileInteger(QString::fromLatin1(*v)).value_or(missing);
    }
    QString integerText(const QByteArray& section, const QByteArray& key, int missing) const {
        return QString::number(integer(section, key, missing));
    }
    QByteArray text(const QByteArray& section, const QByteArray& key,
                    const QByteArray& missing) const {
        return m_profile.value(section, key, missing);
    }

private:
    const PrivateProfile& m_profile;
};

} // namespace

QString DriverConfigPathFor(const QString& documentPath) {
    return PathNames::ChangeFileExt(documentPath, QStringLiteral(".cfg"));
}

QString SmlNameFor(const QString& cfgPath) {
    return PathNames::ChangeFileExt(PathNames::FileNamePart(cfgPath), QStringLiteral(".sml"));
}

DriverConfig DefaultDriverConfig(const QString& cfgPath) {
    DriverConfig config;
    config.smlFileName = AnsiText::Encode(SmlNameFor(cfgPath));
    return config;
}

bool ReadDriverConfig(const QString& path, DriverConfig& config) {
    if (!FileSystem::FileExists(path)) {
        config = DefaultDriverConfig(path);
        return false;
    }
    const PrivateProfile profile(FileSystem::ReadWholeFile(path));
    const Reader r(profile);
    DriverConfig c;

    c.host = r.boolean(kGeneral, "Host", false);
    c.hsms = r.boolean(kGeneral, "HSMS", true);
    if (const auto ids = profile.value(kGeneral, "Device ID"))
        c.deviceIds = SplitDeviceIds(*ids);
    else
        c.deviceIds = QByteArrayList{QByteArrayLiteral("0")};
    c.queue = r.integerText(kGeneral, "Queue", kQueueDefault);
    c.skipSmlCheck = r.boolean(kGeneral, "SkipSMLCheck", false);
    c.smlFileName = r.text(kGeneral, "SML", AnsiText::Encode(SmlNameFor(path)));

    c.ip = r.text(kHsms, "IP", "127.0.0.1");
    c.port = r.integerText(kHsms, "Port", kPortDefault);
    c.active = r.boolean(kHsms, "Active", false);

    c.master = r.boolean(kSecsI, "Master", false);
    const int comm = r.integer(kSecsI, "Comm", 1);
    c.comPort = (comm >= 1 && comm <= 9) ? comm : 0;
    c.baud = r.text(kSecsI, "Baud", "9600");
    c.parity = r.text(kSecsI, "Parity", "NONE");
    c.dataBits = r.text(kSecsI, "Data Bits", "8");
    c.stopBits = r.text(kSecsI, "Stop Bits", "2");

    for (int i = 0; i < 8; ++i)
        c.timeouts[i] =
            r.integerText(kTimeout, "T" + QByteArray::number(i + 1), kTimeoutDefaults[i]);
    c.linkTest = r.integerText(kTimeout, "Link Test Interval", kLinkTestDefault);
    c.retryLimit = r.integerText(kTimeout, "Retry Limit", kRetryLimitDefault);

    c.prefix = r.text(kLog, "Prefix", QByteArray());
    c.extension = r.text(kLog, "Extension", "log");
    c.logFolder = r.text(kLog, "Dir", QByteArray());
    c.hexLog = r.boolean(kLog, "Hex", false);
    c.secsLog = r.boolean(kLog, "SECS-II", false);
    c.eventLog = r.boolean(kLog, "Event", false);
    c.alarmLog = r.boolean(kLog, "Alarm", false);
    c.keepPeriod = KeepPeriodIndexForDays(r.integer(kLog, "Keep Days", 1));
    c.everyHour = r.boolean(kLog, "Hour", false);

    c.s9f1 = r.boolean(kS9Reply, "S9F1", true);
    c.s9f3 = r.boolean(kS9Reply, "S9F3", true);
    c.s9f5 = r.boolean(kS9Reply, "S9F5", true);
    c.s9f7 = r.boolean(kS9Reply, "S9F7", true);

    config = c;
    return true;
}

QByteArray ComposeDriverConfig(const QByteArray& base, const QString& cfgPath,
                               const DriverConfig& c) {
    PrivateProfile p(base);

    p.setValue(kGeneral, "Host", BoolText(c.host));
    p.setValue(kGeneral, "HSMS", BoolText(c.hsms));
    p.setValue(kGeneral, "Device ID", JoinDeviceIds(c.deviceIds));
    p.setValue(kGeneral, "Queue", IntegerText(c.queue, kQueueDefault));
    p.setValue(kGeneral, "SkipSMLCheck", BoolText(c.skipSmlCheck));
    p.setValue(kGeneral, "SML", AnsiText::Encode(SmlNameFor(cfgPath)));

    p.setValue(kHsms, "IP", c.ip);
    p.setValue(kHsms, "Port", IntegerText(c.port, kPortDefault));
    p.setValue(kHsms, "Active", BoolText(c.active));

    p.setValue(kSecsI, "Master", BoolText(c.master));
    p.setValue(kSecsI, "Comm",
               QByteArray::number((c.comPort >= 1 && c.comPort <= 9) ? c.comPort : 0));
    p.setValue(kSecsI, "Baud", c.baud);
    p.setValue(kSecsI, "Parity", c.parity);
    p.setValue(kSecsI, "Data Bits", c.dataBits);
    p.setValue(kSecsI, "Stop Bits", c.stopBits);

    for (int i = 0; i < 8; ++i)
        p.setValue(kTimeout, "T" + QByteArray::number(i + 1),
                   IntegerText(c.timeouts[i], kTimeoutDefaults[i]));
    p.setValue(kTimeout, "Link Test Interval", IntegerText(c.linkTest, kLinkTestDefault));
    p.setValue(kTimeout, "Retry Limit", IntegerText(c.retryLimit, kRetryLimitDefault));

    p.setValue(kLog, "Prefix", c.prefix);
    p.setValue(kLog, "Extension", c.extension);
    p.setValue(kLog, "Dir", c.logFolder);
    p.setValue(kLog, "Hex", BoolText(c.hexLog));
    p.setValue(kLog, "SECS-II", BoolText(c.secsLog));
    p.setValue(kLog, "Event", BoolText(c.eventLog));
    p.setValue(kLog, "Alarm", BoolText(c.alarmLog));
    p.setValue(kLog, "Keep Days", QByteArray::number(KeepPeriodDays(c.keepPeriod)));
    p.setValue(kLog, "Hour", BoolText(c.everyHour));
    p.setValue(kLog, "UseLogByMesg", "false");

    p.setValue(kS9Reply, "S9F1", BoolText(c.s9f1));
    p.setValue(kS9Reply, "S9F3", BoolText(c.s9f3));
    p.setValue(kS9Reply, "S9F5", BoolText(c.s9f5));
    p.setValue(kS9Reply, "S9F7", BoolText(c.s9f7));
    return p.content();
}

void WriteDriverConfig(const QString& path, const DriverConfig& config) {
    QByteArray base;
    const bool movedToBackup = FileSystem::MoveToBackup(path);
    if (!movedToBackup && FileSystem::FileExists(path)) {
        // The backup is already there: update the file in place.
        try {
            base = FileSystem::ReadWholeFile(path);
        } catch (const PlatformError&) {
            throw PlatformError::ForPath(kUnableToWriteTo, path);
        }
    }
    FileSystem::WriteAfterBackup(path, ComposeDriverConfig(base, path, config), kUnableToWriteTo,
                                 movedToBackup);
}

std::optional<int> ParseProfileInteger(const QString& rawText) {
    const QString text = rawText.trimmed();
    qint64 value = 0;
    if (text.size() > 2 && text[0] == QLatin1Char('0') &&
        (text[1] == QLatin1Char('x') || text[1] == QLatin1Char('X'))) {
        for (qsizetype i = 2; i < text.size(); ++i) {
            const char16_t c = text[i].unicode();
            int digit = 0;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            else
                return std::nullopt;
            value = value * 16 + digit;
            if (value > INT_MAX)
                return std::nullopt;
        }
        return static_cast<int>(value);
    }
    return ParseDecimalInteger(text);
}

std::optional<int> ParseDecimalInteger(const QString& rawText) {
    const QString text = rawText.trimmed();
    qint64 value = 0;
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > qint64(INT_MAX) + (negative ? 1 : 0))
            return std::nullopt;
    }
    return static_cast<int>(negative ? -value : value);
}

QByteArrayList SplitDeviceIds(const QByteArray& line) {
    QByteArrayList ids;
    const qsizetype n = line.size();
    qsizetype i = 0;
    auto skipBlanks = [&] {
        while (i < n && IsDeviceIdBlank(line[i]))
            ++i;
    };
    skipBlanks();
    while (i < n) {
        QByteArray entry;
        if (line[i] == '"') {
            ++i;
            while (i < n) {
                if (line[i] == '"') {
                    if (i + 1 < n && line[i + 1] == '"') {
                        entry += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                entry += line[i++];
            }
        } else {
            const qsizetype start = i;
            while (i < n && !IsDeviceIdBlank(line[i]) && line[i] != ',')
                ++i;
            entry = line.mid(start, i - start);
        }
        ids.append(entry);
        skipBlanks();
        if (i < n && line[i] == ',') {
            ++i;
            if (i == n)
                ids.append(QByteArray()); // a comma at the very end leaves an empty entry
            skipBlanks();
        }
    }
    return ids;
}

QByteArray JoinDeviceIds(const QByteArrayList& ids) {
    QByteArrayList parts;
    parts.reserve(ids.size());
    for (const QByteArray& id : ids) {
        const bool needsQuotes = std::any_of(id.begin(), id.end(), [](char c) {
            return IsDeviceIdBlank(c) || c == ',' || c == '"';
        });
        if (needsQuotes) {
            QByteArray quoted = id;
            quoted.replace('"', "\"\"");
            parts.append('"' + quoted + '"');
        } else {
            parts.append(id);
        }
    }
    return parts.join(',');
}

bool DeviceIdLess(const QByteArray& a, const QByteArray& b) {
    return a < b; // bytes compared as unsigned, like the texts they spell
}

void SortDeviceIds(QByteArrayList& ids) {
    std::stable_sort(ids.begin(), ids.end(), DeviceIdLess);
}

const QStringList& KeepPeriodChoices() {
    static const QStringList choices{QStringLiteral("1 Day"),
                                     QStringLiteral("1 Week (7 Days)"),
                                     QStringLiteral("2 Weeks (14 Days)"),
                                     QStringLiteral("3 Weeks (21 Days)"),
                                     QStringLiteral("1 Month (30 Days)"),
                                     QStringLiteral("2 Months (60 Days)"),
                                     QStringLiteral("3 Months (90 days)"),
                                     QStringLiteral("Don't Delete (Infinite)")};
    return choices;
}

int KeepPeriodDays(int index) {
    if (index < 0 || index >= static_cast<int>(kKeepDays.size()))
        return 0;
    return kKeepDays[static_cast<size_t>(index)];
}

int KeepPeriodIndexForDays(int days) {
    for (size_t i = 0; i + 1 < kKeepDays.size(); ++i) {
        if (kKeepDays[i] == days)
            return static_cast<int>(i);
    }
    return static_cast<int>(kKeepDays.size()) - 1;
}

const QStringList& BaudChoices() {
    static const QStringList choices{
        QStringLiteral("110"),    QStringLiteral("300"),    QStringLiteral("600"),
        QStringLiteral("1200"),   QStringLiteral("2800"),   QStringLiteral("4800"),
        QStringLiteral("9600"),   QStringLiteral("14400"),  QStringLiteral("19200"),
        QStringLiteral("38400"),  QStringLiteral("56000"),  QStringLiteral("57600"),
        QStringLiteral("115200"), QStringLiteral("128000"), QStringLiteral("256000")};
    return choices;
}

const QStringList& ParityChoices() {
    static const QStringList choices{QStringLiteral("NONE"), QStringLiteral("EVEN"),
                                     QStringLiteral("ODD")};
    return choices;
}

const QStringList& DataBitsChoices() {
    static const QStringList choices{QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"),
                                     QStringLiteral("8")};
    return choices;
}

const QStringList& StopBitsChoices() {
    static const QStringList choices{QStringLiteral("1"), QStringLiteral("1.5"),
                                     QStringLiteral("2")};
    return choices;
}

} // namespace pravik
