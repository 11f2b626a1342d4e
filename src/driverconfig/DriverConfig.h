#pragma once

#include <QByteArrayList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace pravik {

// The values of one driver ".cfg" file, in the form the configuration dialog
// shows them: numbers stay texts as typed (they are checked only when
// written), choices are indexes or flags, and the serial-line choices keep
// their text so that a value the driver knows but we do not list survives.
// Text values are the file's bytes, exactly as read (decoded only to show):
// a folder name in another encoding is written back as it was.
struct DriverConfig {
    // [General]
    bool host = false; // "Host": Host (true) or Equipment
    bool hsms = true;  // "HSMS": HSMS (true) or SECS-I
    QByteArrayList deviceIds{QByteArrayLiteral("0")};
    QString queue = QStringLiteral("100000");
    bool skipSmlCheck = false;
    QByteArray smlFileName; // shown only; writing stores the name beside the file
    // [HSMS]
    QByteArray ip = QByteArrayLiteral("127.0.0.1");
    QString port = QStringLiteral("2001");
    bool active = false;
    // [SECS-I]
    bool master = false;
    int comPort = 1; // 1 to 9, 0 when no port is chosen
    QByteArray baud = QByteArrayLiteral("9600");
    QByteArray parity = QByteArrayLiteral("NONE");
    QByteArray dataBits = QByteArrayLiteral("8");
    QByteArray stopBits = QByteArrayLiteral("2");
    // [Timeout]
    std::array<QString, 8> timeouts{
        QStringLiteral("1"),  QStringLiteral("10"), QStringLiteral("45"), QStringLiteral("30"),
        QStringLiteral("10"), QStringLiteral("5"),  QStringLiteral("10"), QStringLiteral("5")};
    QString linkTest = QStringLiteral("30");
    QString retryLimit = QStringLiteral("3");
    // [Log]
    QByteArray prefix;
    QByteArray extension = QByteArrayLiteral("log");
    QByteArray logFolder;
    bool hexLog = false;
    bool secsLog = true;
    bool eventLog = false;
    bool alarmLog = false;
    int keepPeriod = 4;    // index into KeepPeriodChoices(), -1 when none is chosen
    bool everyHour = true; // "Hour": Everyhour (true) or Everyday
    // [S9 Reply]
    bool s9f1 = true;
    bool s9f3 = true;
    bool s9f5 = true;
    bool s9f7 = true;

    bool operator==(const DriverConfig&) const = default;
};

// The ".cfg" path beside a document: the extension of the file name replaced
// by ".cfg", or ".cfg" appended when the name has none.
QString DriverConfigPathFor(const QString& documentPath);
// The SML name stored in a ".cfg" file: its file name without the folder,
// with the extension replaced by ".sml".
QString SmlNameFor(const QString& cfgPath);

// A new configuration for the file at cfgPath.
DriverConfig DefaultDriverConfig(const QString& cfgPath);

// Fills config from the file at path and returns true; when no file exists
// there, sets the defaults and returns false. Keys the file lacks and values
// that do not parse take the values the driver assumes for a missing key.
// Throws PlatformError("Cannot open file %s") when the file exists but cannot
// be read.
bool ReadDriverConfig(const QString& path, DriverConfig& config);

// The text of the file at cfgPath after writing config over base, the text
// the file holds now (empty for a new file): every key replaced in place or
// added, every other line kept.
QByteArray ComposeDriverConfig(const QByteArray& base, const QString& cfgPath,
                               const DriverConfig& config);

// Writes config to path. An existing file is first renamed to path + ".bak";
// when that backup is already there, the file is updated in place instead.
// The new text replaces the file in one step, so a refused write leaves it as
// it was. Throws PlatformError("Unable to write to %s").
void WriteDriverConfig(const QString& path, const DriverConfig& config);

// --- the pieces the dialog shares with the file ---

// An integer value as the driver reads it: decimal, or hexadecimal after
// "0x" / "0X"; std::nullopt when it is not a number.
std::optional<int> ParseProfileInteger(const QString& text);
// A number as typed in the dialog: decimal only (blanks around it and a sign
// allowed); std::nullopt otherwise, so "0x10" is not a number here.
std::optional<int> ParseDecimalInteger(const QString& text);

// The device-ID line: comma separated, blanks outside quotes also separate,
// an entry holding a blank, comma or double quote is quoted with inner quotes
// doubled. The separators are ASCII, so the bytes of other characters pass
// through unchanged.
QByteArrayList SplitDeviceIds(const QByteArray& line);
QByteArray JoinDeviceIds(const QByteArrayList& ids);
// The order the device-ID list keeps: by text, so "12" comes before "5".
bool DeviceIdLess(const QByteArray& a, const QByteArray& b);
void SortDeviceIds(QByteArrayList& ids);

// What the driver accepts: at most ten device IDs, each a decimal number
// from 0 to 32767.
inline constexpr int kMaxDeviceIds = 10;
inline constexpr int kMaxDeviceId = 32767;
// A device ID as a number: -1 when it is not decimal digits; anything above
// the largest ID counts as one more than it.
int DeviceIdNumber(QByteArrayView id);
// What is wrong with a list of device IDs, in the dialog's words
// ("최대 Device ID는 10개입니다.", "Device ID는 0 ~ 32767까지입니다."), one
// text per problem; empty when the driver takes the list.
QStringList DeviceIdProblems(const QByteArrayList& ids);

// The choices the dialog offers, in order.
const QStringList& KeepPeriodChoices();
int KeepPeriodDays(int index); // 0 for no choice and for "Don't Delete"
int KeepPeriodIndexForDays(int days);
const QStringList& BaudChoices();
const QStringList& ParityChoices();
const QStringList& DataBitsChoices();
const QStringList& StopBitsChoices();

} // namespace pravik
