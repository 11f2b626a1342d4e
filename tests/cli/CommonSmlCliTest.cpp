#include "CliRun.h"

using namespace pravik::test;

namespace {

// The example of S6F11 of the example file, as the library's tests know it.
QByteArray EventReport() {
    QFile f(QStringLiteral(PRAVIK_TEST_DATA "/secs/host-S6F11-example.txt"));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}
const QByteArray kEventReport = EventReport();

} // namespace

TEST(CliCommonSml, PreviewPrintsTheExampleAndItsBytes) {
    CliRun r = Cli({"preview", kExample, "S6F11"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out,
              kEventReport + "\n" +
                  "00000000  01 03 b1 04 00 00 00 00 b1 04 00 00 00 00 01 01  ................\n"
                  "00000010  01 02 b1 04 00 00 00 00 01 01 41 28 56 41 4c 55  ..........A(VALU\n"
                  "00000020  45 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20  E               \n"
                  "00000030  20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20                  \n"
                  "00000040  20 20 20 20                                          \n" +
                  QStringLiteral("전체 크기: 68 바이트\n").toUtf8());
    r = Cli({"preview", "--format", "json", kExample, "s6f11"});
    EXPECT_EQ(r.status, 0);
    QByteArray sml = kEventReport;
    sml.replace('\n', "\\n").replace('"', "\\\"");
    EXPECT_EQ(r.out, "{\"key\":\"S6F11\",\"sml\":\"" + sml +
                         "\",\"bytes\":\"01 03 b1 04 00 00 00 00 b1 04 00 00 00 00 01 01 01 02 "
                         "b1 04 00 00 00 00 01 01 41 28 56 41 4c 55 45" +
                         QByteArray(" 20").repeated(35) + "\"}\n");
    // Three reports of three values each.
    r = Cli({"preview", "--count", "3", kExample, "S6F11"});
    EXPECT_TRUE(r.out.endsWith(
        QStringLiteral("전체 크기: %1 바이트\n").arg(16 + 3 * (10 + 3 * 42)).toUtf8()));
    // Korean descriptions print as UTF-8.
    r = Cli({"preview", kExample, "S10F4"});
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("S10F4 /* 터미널 표시 응답 */\n").toUtf8()))
        << r.out.toStdString();
}

TEST(CliCommonSml, PreviewRefusals) {
    TempDir dir;
    const struct {
        QStringList args;
        int status;
        const char* err;
    } cases[] = {
        {{"preview", kExample, "S99F1"}, 2, "no message S99F1 in"},
        {{"preview", kExample, "6F11"}, 2, "not a message (SxFy): '6F11'"},
        {{"preview", "--count", "-1", kExample, "S6F11"}, 2, "--count must be 0 to 10000"},
        {{"preview", "--count", "x", kExample, "S6F11"}, 2, "--count must be 0 to 10000"},
        {{"preview", "--format", "xml", kExample, "S6F11"}, 2, "unknown format 'xml'"},
        {{"preview", dir.write("n.sml", "<S1F1 P\r\n  <U4 n VALUE >\r\n>\r\n"), "S1F1"},
         1,
         "S1F1: U4 n VALUE (줄 2): 길이가 정해지지 않은 아이템(n)은 인코딩할 수 없습니다\n"},
    };
    for (const auto& c : cases) {
        const CliRun r = Cli(c.args);
        EXPECT_EQ(r.status, c.status) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(c.err)) << r.err.toStdString();
        EXPECT_EQ(r.out, "");
    }
}

// Export, import and resave give back the example byte for byte.
TEST(CliCommonSml, ExportImportResaveGivesTheExampleBack) {
    TempDir dir;
    CliRun r = Cli({"export", kExample, dir.path("host.txt")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(dir.read("host.txt").startsWith("S1F1 W /* Are You There */\r\n.\r\n\r\nS1F2 "));
    r = Cli({"import", dir.path("host.txt"), dir.path("back.sml")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    r = Cli({"resave", dir.path("back.sml"), dir.path("resaved.sml")});
    EXPECT_EQ(r.status, 0);
    QFile example(kExample);
    ASSERT_TRUE(example.open(QIODevice::ReadOnly));
    EXPECT_EQ(dir.read("resaved.sml"), example.readAll());
    // Both write through the safe-save path: an existing file becomes .bak.
    r = Cli({"export", kExample, dir.path("host.txt")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(dir.read("host.txt.bak"), dir.read("host.txt"));
    r = Cli({"import", dir.path("host.txt"), dir.path("back.sml")});
    EXPECT_TRUE(dir.exists("back.sml.bak"));
}

TEST(CliCommonSml, ImportOfATrafficLog) {
    TempDir dir;
    const QString log = dir.write(
        "log.txt", "S6F11 W <L [3] <U4 1> <U4 100> <L [1] <L [2] <U4 10> <L [1] <A \"x\">>>>>.\n"
                   "S6F12 <B 0x00>.\n"
                   "S6F11 W <L [3] <U4 2> <U4 100> <L [2] <L [2] <U4 10> <L [1] <A \"y\">>>\n"
                   "  <L [2] <U4 11> <L [2] <A \"long\"> <A \"z\">>>>>.\n"
                   "S6F12 <B 0x00>.\n"
                   "S6F11 W <L [3] <U4 3> <U4 101> <L [3] <L [2] <U4 1> <L>> <L [2] <U4 2> "
                   "<L>> <L [2] <U4 3> <L>>>>.\n"
                   "S6F11 W <L [2] <U4 4> <U4 102>>.\n");
    CliRun r = Cli({"import", log, dir.path("out.sml")});
    EXPECT_EQ(r.status, 1);
    // A log names no member: each item and "n" list gets one, per message.
    EXPECT_EQ(r.err, (QStringLiteral("S6F11: 줄 1와(과) 줄 7의 구조를 합칠 수 없습니다\n") + log +
                      QStringLiteral(": 이름이 없는 멤버 7개에 이름(V1, V2, ...)을 붙였습니다\n"))
                         .toUtf8());
    r = Cli({"dump", dir.path("out.sml")});
    EXPECT_EQ(r.out, "0\t0\tS6F11 P\n1\t1\tL 3\n2\t2\tU4 1 V1\n2\t2\tU4 1 V2\n2\t1\tL n V3\n"
                     "3\t1\tL 2\n4\t2\tU4 1 V4\n4\t1\tL n V5\n5\t2\tA 4 V6\n"
                     "0\t0\tS6F12 S\n1\t2\tBINARY 1 V1\n");
}

TEST(CliCommonSml, FileErrorsAndContentLeftOut) {
    TempDir dir;
    QDir().mkpath(dir.path("folder.txt"));
    CliRun r = Cli({"export", kExample, dir.path("folder.txt")});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, ("Cannot create file " + dir.path("folder.txt") + "\n").toUtf8());
    const QString good = dir.write("good.txt", "S1F1 W.\n");
    r = Cli({"import", good, dir.path("folder.txt")});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, ("Cannot create file " + dir.path("folder.txt") + "\n").toUtf8());
    r = Cli({"import", dir.path("missing.txt"), dir.path("out.sml")});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, ("Cannot open file " + dir.path("missing.txt") + "\n").toUtf8());

    // Malformed text: where and what, and nothing written.
    const QString bad = dir.write("bad.txt", "S1F1 W.\nS1F2 <L <U1 1>\n");
    r = Cli({"import", bad, dir.path("out.sml")});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, (bad + QStringLiteral(": 줄 3, 열 1: 줄 2의 목록을 닫는 '>'이(가) 필요합니다 "
                                           "(찾은 것: 파일의 끝)\n"))
                         .toUtf8());
    EXPECT_FALSE(dir.exists("out.sml"));

    // A message without an example is named and left out; the rest is written.
    const QString sml =
        dir.write("mixed.sml", "<S1F1 P ok\r\n>\r\n\r\n<S1F2 S bad\r\n  <X 1 a >\r\n>\r\n\r\n");
    r = Cli({"export", sml, dir.path("mixed.txt")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(
        r.err,
        QStringLiteral("S1F2 S bad: X 1 a (줄 5): 알 수 없는 아이템 형식입니다: 'X'\n").toUtf8());
    EXPECT_EQ(dir.read("mixed.txt"), "S1F1 W /* ok */\r\n.\r\n");
}
