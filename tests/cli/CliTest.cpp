#include "CliRun.h"
#include "support/ForeignBytesCfg.h"

using namespace pravik::test;

TEST(Cli, CountsAndDump) {
    TempDir dir;
    const QString f = dir.write("a.sml", "<S1F2 S On Line Data\r\n  <L 2 \r\n    <A 6 MDLN >\r\n"
                                         "    <A 6 SOFTREV >\r\n  >\r\n>\r\n\r\n");
    CliRun r = Cli({"counts", f});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, QStringLiteral("전체 메시지: 1개\n전체 아이템: 4개\n").toUtf8());
    r = Cli({"dump", f});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "0\t0\tS1F2 S On Line Data\n1\t1\tL 2\n2\t2\tA 6 MDLN\n2\t2\tA 6 SOFTREV\n");
    // Levels go back up across several closing lines.
    r = Cli({"dump",
             dir.write("b.sml", "<S1F1 P\n <L 1\n  <L 1\n   <A 1 x >\n  >\n >\n>\n<S1F2 S\n>\n")});
    EXPECT_EQ(r.out, "0\t0\tS1F1 P\n1\t1\tL 1\n2\t1\tL 1\n3\t2\tA 1 x\n0\t0\tS1F2 S\n");
}

TEST(Cli, ResaveIsSaveWithItsBackup) {
    TempDir dir;
    const QString in = dir.write("in.sml", "<S1F1 P x>\n<S1F2 S y\n <L 0 \n >\n");
    const QString out = dir.write("out.sml", "previous");
    CliRun r = Cli({"resave", in, out});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(dir.read("out.sml"),
              "<S1F1 P x\r\n>\r\n\r\n<S1F2 S y\r\n  <L 0 \r\n  >\r\n>\r\n\r\n");
    EXPECT_EQ(dir.read("out.sml.bak"), "previous");
    // The example file is our writer's own output.
    r = Cli({"resave", kExample, dir.path("host.sml")});
    QFile example(kExample);
    ASSERT_TRUE(example.open(QIODevice::ReadOnly));
    EXPECT_EQ(dir.read("host.sml"), example.readAll());
}

TEST(Cli, CheckListsFaultsAndSetsTheStatus) {
    TempDir dir;
    CliRun r = Cli({"check", kExample});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    r = Cli({"check",
             dir.write("bad.sml", "<S1F1 P\n  <L 2 x\n    <A 1 a >\n  >\n>\n<S1F2 S\n  <U1 1 b >\n"
                                  "  <U1 1 c >\n>\n")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "1\t4\tL 2 x\n3\t3\tS1F2 S\n");
}

TEST(Cli, UsageAndFileErrors) {
    TempDir dir;
    EXPECT_EQ(Cli({}).status, 2);
    EXPECT_EQ(Cli({"frobnicate"}).status, 2);
    EXPECT_EQ(Cli({"counts"}).status, 2);
    EXPECT_EQ(Cli({"resave", kExample}).status, 2);
    CliRun r = Cli({"check", dir.path("missing.sml")});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, ("Cannot open file " + dir.path("missing.sml") + "\n").toUtf8());
    QDir().mkpath(dir.path("folder.sml"));
    r = Cli({"resave", kExample, dir.path("folder.sml")});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, ("Cannot create file " + dir.path("folder.sml") + "\n").toUtf8());
}

// A million levels, one list inside the next, read and counted by the tool.
TEST(Cli, MillionLevelsDeep) {
    TempDir dir;
    QByteArray text = "<S1F1 P\n";
    for (int i = 0; i < 1000000; ++i)
        text += " <L 1\n";
    text += " <A 1 leaf >\n";
    for (int i = 0; i < 1000000; ++i)
        text += " >\n";
    text += ">\n";
    const QString f = dir.write("deep.sml", text);
    CliRun r = Cli({"counts", f});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, QStringLiteral("전체 메시지: 1개\n전체 아이템: 1000002개\n").toUtf8());
    r = Cli({"check", f});
    EXPECT_EQ(r.status, 0);
    r = Cli({"dump", f});
    EXPECT_TRUE(r.out.endsWith("1000001\t2\tA 1 leaf\n"));
}

TEST(Cli, GenerateWritesWhatTheCommandWrites) {
    TempDir dir;
    CliRun r = Cli({"generate", kExample, "--source", dir.path("host.cpp"), "--header",
                    dir.path("host.h"), "--date", "2005-03-07"});
    EXPECT_EQ(r.status, 0);
    QFile header(QStringLiteral(PRAVIK_TEST_DATA "/codegen/host.h"));
    ASSERT_TRUE(header.open(QIODevice::ReadOnly));
    EXPECT_EQ(dir.read("host.h"), header.readAll());
    QFile source(QStringLiteral(PRAVIK_TEST_DATA "/codegen/host.cpp"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    EXPECT_EQ(dir.read("host.cpp"), source.readAll());
    // Only the header this time; the source is left alone.
    r = Cli({"generate", kExample, "--header", dir.path("only.h")});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(dir.exists("only.h"));
    EXPECT_FALSE(dir.exists("only.cpp"));
    EXPECT_EQ(Cli({"generate", kExample}).status, 2);
    EXPECT_EQ(
        Cli({"generate", kExample, "--source", dir.path("x.cpp"), "--date", "2005-13-01"}).status,
        2);
}

TEST(Cli, ConfigImportsAndSavesWithTheBackupRule) {
    TempDir dir;
    const QString in = dir.write(
        "in.cfg", "[general]\r\n  host = true \r\nDevice ID=5,12,7\r\n[HSMS]\r\nPort=abc\r\n");
    const QByteArray previous = "[General]\r\n; kept comment\r\nHost=false\r\nMine=1\r\n";
    const QString out = dir.write("out.cfg", previous);
    // The first save moves the old file to the backup and writes a new one.
    CliRun r = Cli({"config", in, out});
    EXPECT_EQ(r.status, 0);
    QByteArray written = dir.read("out.cfg");
    EXPECT_TRUE(written.startsWith("[General]\r\nHost=true\r\nHSMS=true\r\nDevice ID=12,5,7\r\n"))
        << written.constData();
    EXPECT_TRUE(
        written.contains("Port=2001\r\n")); // an integer that does not parse takes its default
    EXPECT_TRUE(written.contains("SML=out.sml\r\n"));
    EXPECT_EQ(dir.read("out.cfg.bak"), previous);
    // With the backup present the file is updated in place: foreign lines stay.
    dir.write("out.cfg", previous);
    r = Cli({"config", in, out});
    EXPECT_EQ(r.status, 0);
    written = dir.read("out.cfg");
    EXPECT_TRUE(written.startsWith("[General]\r\n; kept comment\r\nHost=true\r\nMine=1\r\n"))
        << written.constData();
    EXPECT_EQ(dir.read("out.cfg.bak"), previous);
    EXPECT_EQ(Cli({"config", in}).status, 2);
}

// Written as the dialog would write it, but what the driver refuses is said.
TEST(Cli, ConfigNamesTheDeviceIdsTheDriverRefuses) {
    TempDir dir;
    const struct {
        const char* ids;
        int status;
        const char* said;
    } cases[] = {
        {"0,32767", 0, ""},
        {"1,2,3,4,5,6,7,8,9,10,11", 1, "최대 Device ID는 10개입니다."},
        {"5,32768", 1, "Device ID는 0 ~ 32767까지입니다."},
        {"x1", 1, "Device ID는 0 ~ 32767까지입니다."},
    };
    for (const auto& c : cases) {
        const QString in = dir.write("in.cfg", QByteArray("[General]\r\nDevice ID=") + c.ids);
        const CliRun r = Cli({"config", in, dir.path("out.cfg")});
        EXPECT_EQ(r.status, c.status) << c.ids;
        EXPECT_TRUE(QString::fromUtf8(r.err).contains(QString::fromUtf8(c.said))) << c.ids;
        EXPECT_TRUE(dir.read("out.cfg").contains(QByteArray("Device ID=")));
    }
}

TEST(Cli, ConfigKeepsTheBytesOfEveryValue) {
    TempDir dir;
    const QString in = dir.write("in.cfg", ReadForeignBytesCfg());
    const CliRun r = Cli({"config", in, dir.path("out.cfg")});
    EXPECT_EQ(r.status, 1); // written all the same; its device IDs are no numbers
    const QByteArray written = dir.read("out.cfg");
    for (const QByteArray& line : kForeignValueLines)
        EXPECT_TRUE(written.contains(line)) << line.toStdString();
}
