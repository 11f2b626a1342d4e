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

// One encoding rule: files and previews in UTF-8 unless cp949 is asked for,
// imports by mark, then UTF-8, then CP949; the bytes are CP949's throughout.
TEST(CliCommonSml, EncodingOfPreviewExportAndImport) {
    TempDir dir;
    const QByteArray hangulCp949 = "\xc7\xd1\xb1\xdb";
    const QByteArray hangulUtf8 = "\xed\x95\x9c\xea\xb8\x80";
    const QString sml = dir.write("k.sml", "<S1F3 P " + hangulCp949 + "\r\n  <A 4 " + hangulCp949 +
                                               " >\r\n>\r\n\r\n");
    CliRun r = Cli({"preview", sml, "S1F3"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.startsWith("S1F3 W /* " + hangulUtf8 + " */\n<A [4] \"" + hangulUtf8 +
                                 "\"> /* " + hangulUtf8 + " */\n"))
        << r.out.toStdString();
    r = Cli({"preview", "--encoding", "cp949", sml, "S1F3"});
    EXPECT_TRUE(r.out.startsWith("S1F3 W /* " + hangulCp949 + " */\n<A [4] \"" + hangulCp949));
    r = Cli({"preview", "--encoding", "cp949", "--format", "json", sml, "S1F3"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains("--encoding cp949 cannot be used with --format json"));
    r = Cli({"preview", "--encoding", "latin1", sml, "S1F3"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains("unknown encoding 'latin1' (utf-8, cp949)"));

    // The preview's SML (up to the empty line before its bytes) imports to
    // the same definition.
    const QByteArray out = Cli({"preview", sml, "S1F3"}).out;
    const QString printed = dir.write("preview.txt", out.left(out.indexOf("\n\n") + 1));
    r = Cli({"import", printed, dir.path("back.sml")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(dir.read("back.sml"),
              "<S1F3 P " + hangulCp949 + "\r\n  <A 4 " + hangulCp949 + " >\r\n>\r\n\r\n");

    // Export: UTF-8, or CP949 on request; both import alike.
    r = Cli({"export", sml, dir.path("utf8.txt")});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(dir.read("utf8.txt").contains(hangulUtf8));
    r = Cli({"export", "--encoding", "cp949", sml, dir.path("cp949.txt")});
    EXPECT_TRUE(dir.read("cp949.txt").contains(hangulCp949));
    for (const char* file : {"utf8.txt", "cp949.txt"}) {
        r = Cli({"import", dir.path(file), dir.path("again.sml")});
        EXPECT_EQ(r.status, 0) << file;
        EXPECT_EQ(dir.read("again.sml"), dir.read("back.sml")) << file;
    }

    // UTF-16 with its mark; a chosen encoding overrides the guess.
    QByteArray utf16 = "\xff\xfe";
    for (const QChar c : QStringLiteral("S1F5 W <A \"한\">."))
        utf16.append(static_cast<char>(c.unicode() & 0xFF))
            .append(static_cast<char>(c.unicode() >> 8));
    r = Cli({"import", dir.write("u16.txt", utf16), dir.path("u16.sml")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(dir.read("u16.sml").startsWith("<S1F5 P \r\n  <A 2 V1 >"));
    r = Cli({"import", "--encoding", "cp949", printed, dir.path("forced.sml")});
    EXPECT_EQ(r.status, 2); // UTF-8 bytes read as CP949: the count no longer fits
    EXPECT_TRUE(r.err.contains(QStringLiteral("길이는 [4]인데 값은 6개입니다").toUtf8()));
}

// What import changes or leaves out is named on stderr; only what is left
// out makes the status 1.
TEST(CliCommonSml, ImportTellsWhatItMendedNamedAndLeftOut) {
    TempDir dir;
    CliRun r = Cli({"import", dir.write("gt.txt", "S1F1 W /* a > b */.\n"), dir.path("gt.sml")});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.err.contains(
        QStringLiteral("줄 1, 열 1: 메시지 설명에서 '>'를 '\uFF1E'로 바꿨습니다").toUtf8()))
        << r.err.toStdString();
    EXPECT_EQ(dir.read("gt.sml"), "<S1F1 P a \xA3\xBE b\r\n>\r\n\r\n");
    r = Cli({"import", dir.write("w.txt", "S1F1 W.\nS10F9 W <W \"x\">.\nS1F2 <A 'y'>.\n"),
             dir.path("w.sml")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(
        r.err.contains(QStringLiteral("w.txt: 줄 2, 열 10: S10F9: 2바이트 문자(W)").toUtf8()))
        << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(
        QStringLiteral("이름이 없는 멤버 1개에 이름(V1, V2, ...)을 붙였습니다").toUtf8()));
    r = Cli({"dump", dir.path("w.sml")});
    EXPECT_EQ(r.out, "0\t0\tS1F1 P\n0\t0\tS1F2 S\n1\t2\tA 1 V1\n");
    r = Cli({"import", "--encoding", "ebcdic", dir.path("w.txt"), dir.path("x.sml")});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(
        r.err.contains("unknown encoding 'ebcdic' (auto, utf-8, cp949, utf-16le, utf-16be)"));
}
