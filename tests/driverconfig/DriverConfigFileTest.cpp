#include "driverconfig/DriverConfig.h"
#include "platform/AnsiText.h"
#include "platform/PlatformError.h"
#include "support/ForeignBytesCfg.h"
#include "support/InjectedWriteFailure.h"
#include "support/TempDir.h"

#include <QFile>
#include <csignal>
#include <sys/resource.h>

using namespace pravik;
using namespace pravik::test;

namespace {

DriverConfig ReadText(const TempDir& dir, const QByteArray& text,
                      const QString& name = QStringLiteral("Tool.cfg")) {
    DriverConfig c;
    c.comPort = -99; // proves reading sets every field
    EXPECT_TRUE(ReadDriverConfig(dir.write(name, text), c));
    return c;
}

QByteArray Golden(const char* name) {
    QFile f(QStringLiteral(PRAVIK_TEST_DATA "/driverconfig/") + QLatin1String(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

} // namespace

TEST(DriverConfigRead, AFileWithOnlyHostTakesTheValuesForMissingKeys) {
    TempDir dir;
    const DriverConfig c = ReadText(dir, "[General]\r\nHost=true\r\n");
    DriverConfig expected = DefaultDriverConfig(dir.path("Tool.cfg"));
    expected.host = true;
    // The three keys whose missing value differs from a new configuration.
    expected.secsLog = false;
    expected.keepPeriod = 0;
    expected.everyHour = false;
    EXPECT_EQ(c, expected);
    EXPECT_EQ(c.deviceIds, QByteArrayList{"0"});
    EXPECT_EQ(c.port, "2001");
    EXPECT_EQ(c.timeouts[2], "45");
    EXPECT_EQ(c.smlFileName, "Tool.sml");
}

TEST(DriverConfigRead, OnlyLowerCaseTrueIsTrue) {
    TempDir dir;
    const DriverConfig c =
        ReadText(dir, "[General]\nHost=TRUE\nHSMS=1\n[S9 Reply]\nS9F1=yes\nS9F3=True\nS9F5=true\n"
                      "[Log]\nHour=true\nSECS-II=true\n");
    EXPECT_FALSE(c.host);
    EXPECT_FALSE(c.hsms);
    EXPECT_FALSE(c.s9f1);
    EXPECT_FALSE(c.s9f3);
    EXPECT_TRUE(c.s9f5);
    EXPECT_TRUE(c.s9f7); // missing
    EXPECT_TRUE(c.everyHour);
    EXPECT_TRUE(c.secsLog);
}

TEST(DriverConfigRead, IntegersAreDecimalOrHexAndOtherwiseTheDefault) {
    TempDir dir;
    EXPECT_EQ(ReadText(dir, "[HSMS]\nPort=abc\n").port, "2001");
    EXPECT_EQ(ReadText(dir, "[HSMS]\nPort=0x10\n").port, "16");
    EXPECT_EQ(ReadText(dir, "[HSMS]\nPort=0X1f\n").port, "31");
    EXPECT_EQ(ReadText(dir, "[HSMS]\nPort=0x\n").port, "2001");
    EXPECT_EQ(ReadText(dir, "[HSMS]\nPort=007\n").port, "7");
    EXPECT_EQ(ReadText(dir, "[HSMS]\nPort=\n").port, "2001");
    EXPECT_EQ(ReadText(dir, "[Timeout]\nT3=-5\nRetry Limit=99999999999\n").timeouts[2], "-5");
    EXPECT_EQ(ReadText(dir, "[Timeout]\nRetry Limit=99999999999\n").retryLimit, "3");
    EXPECT_EQ(ReadText(dir, "[General]\nQueue=12 34\n").queue, "100000");

    EXPECT_EQ(ParseProfileInteger("2147483647"), 2147483647);
    EXPECT_EQ(ParseProfileInteger("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ParseProfileInteger("2147483648"), std::nullopt);
    EXPECT_EQ(ParseProfileInteger("0x7fffffff"), 2147483647);
    EXPECT_EQ(ParseProfileInteger("0x80000000"), std::nullopt);
    EXPECT_EQ(ParseProfileInteger("0xg1"), std::nullopt);
    EXPECT_EQ(ParseProfileInteger("-"), std::nullopt);
    EXPECT_EQ(ParseProfileInteger("20x1"), std::nullopt);
    EXPECT_EQ(ParseDecimalInteger(" -12 "), -12);
    EXPECT_EQ(ParseDecimalInteger("0x10"), std::nullopt);
    EXPECT_EQ(ParseDecimalInteger("0X1f"), std::nullopt);
}

TEST(DriverConfigRead, SerialPortAndKeepPeriodMapping) {
    TempDir dir;
    EXPECT_EQ(ReadText(dir, "[SECS-I]\nComm=9\n").comPort, 9);
    EXPECT_EQ(ReadText(dir, "[SECS-I]\nComm=0\n").comPort, 0);
    EXPECT_EQ(ReadText(dir, "[SECS-I]\nComm=10\n").comPort, 0);
    EXPECT_EQ(ReadText(dir, "[SECS-I]\nComm=x\n").comPort, 1);
    const std::pair<const char*, int> keep[] = {{"1", 0},  {"7", 1},  {"14", 2}, {"21", 3},
                                                {"30", 4}, {"60", 5}, {"90", 6}, {"0", 7},
                                                {"45", 7}, {"-1", 7}};
    for (const auto& [days, index] : keep)
        EXPECT_EQ(ReadText(dir, QByteArray("[Log]\nKeep Days=") + days + "\n").keepPeriod, index)
            << days;
    EXPECT_EQ(ReadText(dir, "[Log]\nKeep Days=abc\n").keepPeriod, 0);
}

TEST(DriverConfigRead, DeviceIdLists) {
    TempDir dir;
    EXPECT_EQ(ReadText(dir, "[General]\nDevice ID=5,12,7\n").deviceIds,
              (QByteArrayList{"5", "12", "7"}));
    EXPECT_EQ(ReadText(dir, "[General]\nDevice ID=\n").deviceIds, QByteArrayList());
    EXPECT_EQ(ReadText(dir, "[General]\nHost=true\n").deviceIds, QByteArrayList{"0"});
    EXPECT_EQ(ReadText(dir, "[General]\nDevice ID=1,2,3,4,5,6,7,8,9,10,11,12\n").deviceIds.size(),
              12);
    EXPECT_EQ(ReadText(dir, "[General]\nDevice ID=1 2,  3 ,4\n").deviceIds,
              (QByteArrayList{"1", "2", "3", "4"}));
    EXPECT_EQ(SplitDeviceIds("\"a b\",\"x\"\"y\",,3,"),
              (QByteArrayList{"a b", "x\"y", "", "3", ""}));

    const QByteArrayList odd{"a b", "x\"y", "c,d", "7"};
    EXPECT_EQ(JoinDeviceIds(odd), "\"a b\",\"x\"\"y\",\"c,d\",7");
    EXPECT_EQ(SplitDeviceIds(JoinDeviceIds(odd)), odd);

    QByteArrayList ids{"5", "12", "7", "100"};
    SortDeviceIds(ids);
    EXPECT_EQ(ids, (QByteArrayList{"100", "12", "5", "7"}));
}

TEST(DriverConfigRead, QuotesCaseAndBlanks) {
    TempDir dir;
    const DriverConfig c = ReadText(dir, "[ general ]\r\n"
                                         "  host =  \"true\" \r\n"
                                         "[hsms]\r\n"
                                         "ip='10.0.0.1'\r\n"
                                         "[LOG]\r\n"
                                         "prefix = \" EQ \"\r\n"
                                         "dir=  C:\\logs  \r\n");
    EXPECT_TRUE(c.host);
    EXPECT_EQ(c.ip, "10.0.0.1");
    EXPECT_EQ(c.prefix, " EQ ");
    EXPECT_EQ(c.logFolder, "C:\\logs");
}

TEST(DriverConfigRead, TextsAreTheFilesBytes) {
    TempDir dir;
    // A backslash stays a backslash both ways.
    const QString folder = QStringLiteral("D:\\로그\\");
    EXPECT_EQ(AnsiText::Encode(folder), "D:\\\xB7\xCE\xB1\xD7\\");
    const DriverConfig c = ReadText(dir, "[Log]\r\nDir=" + AnsiText::Encode(folder) + "\r\n");
    EXPECT_EQ(c.logFolder, AnsiText::Encode(folder));
    const QString path = dir.path("Out.cfg");
    WriteDriverConfig(path, c);
    EXPECT_TRUE(dir.read("Out.cfg").contains("Dir=" + AnsiText::Encode(folder) + "\r\n"));
}

TEST(DriverConfigRead, AMissingFileGivesTheDefaultsAndWritesNothing) {
    TempDir dir;
    DriverConfig c;
    c.host = true;
    EXPECT_FALSE(ReadDriverConfig(dir.path("Tool.cfg"), c));
    EXPECT_EQ(c, DefaultDriverConfig(dir.path("Tool.cfg")));
    EXPECT_FALSE(dir.exists("Tool.cfg"));
}

TEST(DriverConfigPaths, BesideTheDocument) {
    EXPECT_EQ(DriverConfigPathFor("/w/host.sml"), "/w/host.cfg");
    EXPECT_EQ(DriverConfigPathFor("/w/a.b/host"), "/w/a.b/host.cfg");
    EXPECT_EQ(DriverConfigPathFor("/w/host.v2.sml"), "/w/host.v2.cfg");
    EXPECT_EQ(SmlNameFor("/work/Tool.cfg"), "Tool.sml");
    EXPECT_EQ(SmlNameFor("/work.d/Tool"), "Tool.sml");
}

TEST(DriverConfigWrite, ANewFileHoldsTheSixSectionsInOrder) {
    TempDir dir;
    const QString path = dir.path("Tool.cfg");
    WriteDriverConfig(path, DefaultDriverConfig(path));
    EXPECT_EQ(dir.read("Tool.cfg"), Golden("Tool-default.cfg"));
    EXPECT_FALSE(dir.exists("Tool.cfg.bak"));
    // What was written reads back as it was.
    DriverConfig back;
    ASSERT_TRUE(ReadDriverConfig(path, back));
    EXPECT_EQ(back, DefaultDriverConfig(path));
}

TEST(DriverConfigWrite, ValueFormsOnWriting) {
    TempDir dir;
    const QString path = dir.path("Tool.cfg");
    DriverConfig c = DefaultDriverConfig(path);
    c.port = "20x1";
    c.queue = "0x10"; // hexadecimal is read from files only
    c.timeouts[1] = "0X1f";
    c.timeouts[0] = "";
    c.retryLimit = " 7 ";
    c.comPort = 0;
    c.keepPeriod = -1;
    c.deviceIds = {"12", "5", "7"};
    c.smlFileName = "Other.sml";
    WriteDriverConfig(path, c);
    const QByteArray out = dir.read("Tool.cfg");
    for (const char* line :
         {"\r\nPort=2001\r\n", "\r\nQueue=100000\r\n", "\r\nT1=1\r\n", "\r\nT2=10\r\n",
          "\r\nRetry Limit=7\r\n", "\r\nComm=0\r\n", "\r\nKeep Days=0\r\n",
          "\r\nDevice ID=12,5,7\r\n", "\r\nSML=Tool.sml\r\n", "\r\nUseLogByMesg=false\r\n"})
        EXPECT_TRUE(out.contains(line)) << line;
}

TEST(DriverConfigWrite, TheSmlNameIsShownAsReadButWrittenFromTheFileName) {
    TempDir dir;
    const QString path = dir.write("Tool.cfg", "[General]\r\nSML=Other.sml\r\n");
    DriverConfig c;
    ASSERT_TRUE(ReadDriverConfig(path, c));
    EXPECT_EQ(c.smlFileName, "Other.sml");
    WriteDriverConfig(path, c);
    DriverConfig back;
    ASSERT_TRUE(ReadDriverConfig(path, back));
    EXPECT_EQ(back.smlFileName, "Tool.sml");
}

TEST(DriverConfigWrite, KeepDaysFortyFiveIsWrittenBackAsZero) {
    TempDir dir;
    const QString path = dir.write("Tool.cfg", "[Log]\r\nKeep Days=45\r\n");
    DriverConfig c;
    ASSERT_TRUE(ReadDriverConfig(path, c));
    EXPECT_EQ(KeepPeriodChoices()[c.keepPeriod], "Don't Delete (Infinite)");
    WriteDriverConfig(path, c);
    EXPECT_TRUE(dir.read("Tool.cfg").contains("\r\nKeep Days=0\r\n"));
}

TEST(DriverConfigWrite, SavingTwiceKeepsTheFirstBackupAndUpdatesInPlace) {
    TempDir dir;
    const QByteArray original = "; written by hand\r\n"
                                "[General]\r\n"
                                "host = true\r\n"
                                "Vendor=Zorv\r\n"
                                "\r\n"
                                "[Custom]\r\n"
                                "x=1\r\n";
    const QString path = dir.write("Tool.cfg", original);
    DriverConfig c;
    ASSERT_TRUE(ReadDriverConfig(path, c));

    // First save: the old file becomes the backup, the new file is ours alone.
    c.timeouts[2] = "60";
    WriteDriverConfig(path, c);
    EXPECT_EQ(dir.read("Tool.cfg.bak"), original);
    QByteArray expectedNew = Golden("Tool-default.cfg");
    expectedNew.replace("Host=false", "Host=true")
        .replace("T3=45", "T3=60")
        .replace("SECS-II=true", "SECS-II=false")
        .replace("Keep Days=30", "Keep Days=1")
        .replace("Hour=true", "Hour=false");
    EXPECT_EQ(dir.read("Tool.cfg"), expectedNew);

    // Hand edits between the saves survive the in-place update.
    dir.write("Tool.cfg", "[general]\r\nHOST=true\r\nVendor=Zorv\r\n\r\n[Custom]\r\nx=1\r\n");
    c.timeouts[2] = "90";
    c.host = false;
    WriteDriverConfig(path, c);
    EXPECT_EQ(dir.read("Tool.cfg.bak"), original);
    const QByteArray inPlace = dir.read("Tool.cfg");
    EXPECT_TRUE(inPlace.startsWith(
        "[general]\r\nHOST=false\r\nVendor=Zorv\r\nHSMS=true\r\nDevice ID=0\r\n"))
        << inPlace.toStdString();
    EXPECT_TRUE(inPlace.contains("SML=Tool.sml\r\n\r\n[Custom]\r\nx=1\r\n\r\n[HSMS]\r\n"))
        << inPlace.toStdString();
    EXPECT_TRUE(inPlace.contains("\r\nT3=90\r\n"));
    DriverConfig back;
    ASSERT_TRUE(ReadDriverConfig(path, back));
    c.smlFileName = "Tool.sml";
    EXPECT_EQ(back, c);
}

TEST(DriverConfigWrite, ARefusedWriteChangesNothingAndSaysWhere) {
    TempDir dir;
    const QString path = dir.path("missing-folder/Tool.cfg");
    try {
        WriteDriverConfig(path, DefaultDriverConfig(path));
        FAIL() << "no error";
    } catch (const PlatformError& e) {
        EXPECT_EQ(e.message(), "Unable to write to " + path);
    }
}

// Refuses writes of more than a few bytes for as long as it lives. The file
// size limit binds root as well, unlike permissions.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

TEST(DriverConfigWrite, ARefusedWriteAfterTheBackupPutsTheFileBack) {
    TempDir dir;
    const QString path = dir.write("Tool.cfg", "[General]\r\nHost=true\r\n");
    {
        FileSizeLimit limit(64);
        EXPECT_THROW(WriteDriverConfig(path, DefaultDriverConfig(path)), PlatformError);
    }
    EXPECT_EQ(dir.read("Tool.cfg"), "[General]\r\nHost=true\r\n");
    EXPECT_FALSE(dir.exists("Tool.cfg.bak"));

    // With the backup present the in-place update is refused as a whole.
    dir.write("Tool.cfg.bak", "old");
    {
        FileSizeLimit limit(64);
        EXPECT_THROW(WriteDriverConfig(path, DefaultDriverConfig(path)), PlatformError);
    }
    EXPECT_EQ(dir.read("Tool.cfg"), "[General]\r\nHost=true\r\n");
    EXPECT_EQ(dir.read("Tool.cfg.bak"), "old");
}

// The same for a write refused at each step, whether the file was moved to
// its backup or (with a backup present) was to be updated in place.
TEST(DriverConfigWrite, AWriteRefusedAtAnyStepLeavesThePreviousFile) {
    const QByteArray previous = "[General]\r\nHost=true\r\n";
    for (const FileSystem::WriteStep step : kWriteSteps) {
        for (const bool backupPresent : {false, true}) {
            SCOPED_TRACE(WriteStepName(step) + (backupPresent ? ", in place" : ", new file"));
            TempDir dir;
            const QString path = dir.write("Tool.cfg", previous);
            if (backupPresent)
                dir.write("Tool.cfg.bak", "old");
            {
                InjectedWriteFailure failure(step);
                try {
                    WriteDriverConfig(path, DefaultDriverConfig(path));
                    ADD_FAILURE() << "no error";
                } catch (const PlatformError& e) {
                    EXPECT_EQ(e.message(), "Unable to write to " + path);
                }
            }
            EXPECT_EQ(dir.read("Tool.cfg"), previous);
            EXPECT_EQ(dir.read("Tool.cfg.bak"), backupPresent ? "old" : "<missing>");
        }
    }
}

// Values in other encodings are written back byte for byte, when the file is
// written new (after its backup) and when it is updated in place.
TEST(DriverConfigBytes, ValuesNobodyEditedKeepTheirBytes) {
    TempDir dir;
    const QString path = dir.write("Tool.cfg", ReadForeignBytesCfg());
    DriverConfig c;
    ASSERT_TRUE(ReadDriverConfig(path, c));
    EXPECT_EQ(c.logFolder, "/data/\xEB\xA1\x9C\xEA\xB7\xB8/\xB0");
    c.timeouts[2] = QStringLiteral("60"); // another field changed
    for (const char* how : {"new file", "in place"}) {
        SCOPED_TRACE(how);
        SortDeviceIds(c.deviceIds);
        WriteDriverConfig(path, c);
        const QByteArray written = dir.read("Tool.cfg");
        for (const QByteArray& line : kForeignValueLines)
            EXPECT_TRUE(written.contains(line)) << line.toStdString();
        EXPECT_TRUE(written.contains("\r\nT3=60\r\n"));
        DriverConfig back;
        ASSERT_TRUE(ReadDriverConfig(path, back));
        EXPECT_EQ(back.prefix, c.prefix);
        EXPECT_EQ(back.ip, c.ip);
    }
    EXPECT_EQ(dir.read("Tool.cfg.bak"), ReadForeignBytesCfg());
}

// The 2047-byte cut of a read value may fall between a lead byte and its
// trail byte: every byte that was read is written back.
TEST(DriverConfigBytes, TheCutAtTheLengthLimitLosesNoByteThatWasRead) {
    TempDir dir;
    const QByteArray korean = "\xB0\xA1"; // one double-byte character
    const QByteArray split = QByteArray(2046, 'a') + korean + "tail";
    const QByteArray whole = QByteArray(2045, 'b') + korean + "tail";
    const QString path =
        dir.write("Tool.cfg", "[Log]\r\nDir=" + split + "\r\nPrefix=" + whole + "\r\n");
    DriverConfig c;
    ASSERT_TRUE(ReadDriverConfig(path, c));
    EXPECT_EQ(c.logFolder, split.left(2047)); // ends in the lead byte
    EXPECT_EQ(c.prefix, whole.left(2047));    // ends in the whole character
    WriteDriverConfig(path, c);
    const QByteArray written = dir.read("Tool.cfg");
    EXPECT_TRUE(written.contains("\r\nDir=" + split.left(2047) + "\r\n"));
    EXPECT_TRUE(written.contains("\r\nPrefix=" + whole.left(2047) + "\r\n"));
}
