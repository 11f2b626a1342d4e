#include "CliRun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace pravik::test;

namespace {

// Line 1: a primary message without its reply (a warning); line 3: a
// second S1F1 (an error) whose list holds a keyword (line 5) and a
// Korean name of open length (line 6, two errors). No S9F11: an error of
// the file as a whole.
const QByteArray kFaulty = "<S1F1 P Are You There\r\n>\r\n<S1F1 N dup\r\n  <L 2 t\r\n"
                           "    <U1 1 int >\r\n    <A n \xc7\xd1\xb1\xdb >\r\n  >\r\n>\r\n";
const QByteArray kWarningsOnly = "<S1F1 P Are You There\r\n>\r\n<S9F11 N Too Long\r\n"
                                 "  <BINARY 10 MHEAD >\r\n>\r\n";

} // namespace

TEST(CliLint, TextLinesAndStatus) {
    TempDir dir;
    CliRun r = Cli({"lint", dir.write("bad.sml", kFaulty)});
    EXPECT_EQ(r.status, 1);
    const QList<QByteArray> lines = r.out.split('\n');
    ASSERT_EQ(lines.size(), 7) << r.out.constData(); // six findings and the final newline
    EXPECT_TRUE(lines[0].startsWith("0\terror\tE208\t\t")) << lines[0].constData();
    EXPECT_TRUE(lines[1].startsWith("1\twarning\tW501\tS1F1 P Are You There\t"));
    EXPECT_TRUE(lines[2].startsWith("3\terror\tE206\tS1F1 N dup\t"));
    EXPECT_TRUE(lines[3].startsWith("5\terror\tE403\tS1F1 N dup > L 2 t > U1 1 int\t"));
    EXPECT_EQ(lines[5], QStringLiteral("6\terror\tE402\tS1F1 N dup > L 2 t > A n 한글\t"
                                       "멤버 이름 '한글'은(는) C++ 이름이 될 수 없습니다 (영문자, "
                                       "숫자, '_'만 쓰고 숫자로 시작할 수 없습니다).")
                            .toUtf8());
    // Warnings alone pass; the example passes.
    r = Cli({"lint", dir.write("warn.sml", kWarningsOnly)});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.count('\n'), 1);
    EXPECT_EQ(Cli({"lint", kExample}).status, 0);
    // A member named like a header type, reached as L1.A, is no error.
    r = Cli({"lint", dir.write("type-named.sml", "<S1F1 P a\r\n  <L 1 B\r\n    <I8 5 A >\r\n"
                                                 "  >\r\n>\r\n<S9F11 S x\r\n"
                                                 "  <BINARY 10 MHEAD >\r\n>\r\n")});
    EXPECT_EQ(r.status, 0);
    EXPECT_FALSE(r.out.contains("E405")) << r.out.constData();
}

TEST(CliLint, GccFormatForEditorsAndCi) {
    TempDir dir;
    const QString file = dir.write("bad.sml", kFaulty);
    const CliRun r = Cli({"lint", "--format", "gcc", file});
    EXPECT_EQ(r.status, 1);
    const QList<QByteArray> lines = r.out.split('\n');
    ASSERT_EQ(lines.size(), 7);
    const QByteArray f = file.toUtf8();
    EXPECT_TRUE(lines[0].startsWith(f + ": error: S9F11 ")) << lines[0].constData();
    EXPECT_TRUE(lines[0].endsWith(" [E208]"));
    EXPECT_TRUE(lines[1].startsWith(f + ":1: warning: ")) << lines[1].constData();
    EXPECT_EQ(lines[3], f + QStringLiteral(":5: error: 멤버 이름 'int'은(는) C++ 예약어입니다. "
                                           "[E403]")
                                .toUtf8());
    // --raw: the file's own code page.
    const CliRun raw = Cli({"lint", "--format", "gcc", "--raw", file});
    EXPECT_TRUE(raw.out.contains("'\xc7\xd1\xb1\xdb'")) << raw.out.constData();
    EXPECT_FALSE(raw.out.contains(QStringLiteral("한글").toUtf8()));
}

TEST(CliLint, JsonIsOneArray) {
    TempDir dir;
    const QString file = dir.write("bad.sml", kFaulty);
    const CliRun r = Cli({"lint", "--format", "json", file});
    EXPECT_EQ(r.status, 1);
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(r.out, &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << r.out.constData();
    ASSERT_TRUE(json.isArray());
    const QJsonArray all = json.array();
    ASSERT_EQ(all.size(), 6);
    const QJsonObject named = all[5].toObject();
    EXPECT_EQ(named.value("file").toString(), file);
    EXPECT_EQ(named.value("line").toInt(), 6);
    EXPECT_EQ(named.value("severity").toString(), QStringLiteral("error"));
    EXPECT_EQ(named.value("rule").toString(), QStringLiteral("E402"));
    EXPECT_EQ(named.value("key").toString(), QStringLiteral("S1F1"));
    EXPECT_EQ(named.value("path").toString(), QStringLiteral("S1F1 N dup > L 2 t > A n 한글"));
    EXPECT_TRUE(named.value("message").toString().startsWith(QStringLiteral("멤버 이름 '한글'")));
    EXPECT_EQ(all[0].toObject().value("line").toInt(), 0);
    EXPECT_EQ(all[0].toObject().value("key").toString(), QString());
    EXPECT_EQ(all[1].toObject().value("severity").toString(), QStringLiteral("warning"));
    // The example: no errors.
    const CliRun clean = Cli({"lint", "--format", "json", kExample});
    EXPECT_EQ(clean.status, 0);
    QJsonDocument cleanJson = QJsonDocument::fromJson(clean.out, &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << clean.out.constData();
    for (const QJsonValue& v : cleanJson.array())
        EXPECT_EQ(v.toObject().value("severity").toString(), QStringLiteral("warning"));
}

TEST(CliLint, UsageAndFileErrors) {
    TempDir dir;
    const QString file = dir.write("bad.sml", kFaulty);
    CliRun r = Cli({"lint", "--format", "xml", file});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(r.err.startsWith("pravik-cli lint: unknown format 'xml' (text, gcc or json)\n"));
    r = Cli({"lint", "--format", "json", "--raw", file});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    r = Cli({"lint", dir.path("missing.sml")});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, ("Cannot open file " + dir.path("missing.sml") + "\n").toUtf8());
    EXPECT_EQ(Cli({"lint"}).status, 2);
}
