#include "CliRun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace pravik::test;

namespace {

const char* const kSubcommands[] = {"counts", "dump",     "resave", "check",
                                    "lint",   "generate", "config"};

QByteArray FirstLine(const QByteArray& text) {
    return text.left(text.indexOf('\n'));
}

// A message with a Korean description, quotes, a backslash and a control
// character, and a list whose count is wrong; texts in CP949 as users write
// them.
const QByteArray kKorean = "<S1F1 P \xc5\xd7\xbd\xba\xc6\xae \"q\" \\ \x01z\r\n"
                           "  <L 2 \xb8\xf1\xb7\xcf\r\n"
                           "    <A 1 \xb0\xa1 >\r\n"
                           "  >\r\n"
                           ">\r\n";
const QString kKoreanMessage = QStringLiteral("S1F1 P 테스트 \"q\" \\ \x01z");

} // namespace

TEST(CliOptions, HelpAndVersionGoToStdout) {
    const CliRun help = Cli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    EXPECT_TRUE(help.out.startsWith("usage: pravik-cli COMMAND")) << help.out.constData();
    for (const char* name : kSubcommands)
        EXPECT_TRUE(help.out.contains("\n  " + QByteArray(name) + ' ')) << name;
    for (const QStringList& same : {QStringList{"-h"}, QStringList{"help"}}) {
        const CliRun r = Cli(same);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, help.out) << same.join(' ').toStdString();
    }
    for (const QStringList& args : {QStringList{"--version"}, QStringList{"-v"}}) {
        const CliRun r = Cli(args);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, "pravik-cli " PRAVIK_VERSION "\n");
    }
    // One subcommand, described the same way from both ends.
    const CliRun dump = Cli({"help", "dump"});
    EXPECT_EQ(dump.status, 0);
    EXPECT_EQ(FirstLine(dump.out), "usage: pravik-cli dump [--raw] [--format FORMAT] FILE");
    EXPECT_TRUE(dump.out.contains("--format FORMAT  text (the default) or json"));
    EXPECT_EQ(Cli({"dump", "--help"}).out, dump.out);
    for (const char* name : kSubcommands) {
        const CliRun r = Cli({name, "--help"});
        EXPECT_EQ(r.status, 0) << name;
        EXPECT_TRUE(r.out.startsWith("usage: pravik-cli " + QByteArray(name))) << name;
    }
}

// Every mistake: one line naming it, then the usage, on stderr; nothing on
// stdout, no file written, exit 2.
TEST(CliOptions, UsageErrorsNameTheProblem) {
    TempDir dir;
    const QString out = dir.path("out.cpp");
    const struct {
        QStringList args;
        const char* firstLine;
    } cases[] = {
        {{}, "pravik-cli: missing command"},
        {{"frobnicate"}, "pravik-cli: unknown command 'frobnicate'"},
        {{"--frob", "dump"}, "pravik-cli: unknown option 'frob'"},
        {{"help", "frob"}, "pravik-cli help: unknown command 'frob'"},
        {{"help", "dump", "check"}, "pravik-cli help: one command at a time"},
        {{"counts"}, "pravik-cli counts: missing FILE"},
        {{"resave", kExample}, "pravik-cli resave: missing OUT"},
        {{"counts", kExample, "extra"}, "pravik-cli counts: unexpected argument 'extra'"},
        {{"counts", "--raw", kExample}, "pravik-cli counts: unknown option 'raw'"},
        {{"dump", "--raw", "--raw", kExample},
         "pravik-cli dump: option --raw given more than once"},
        {{"generate", kExample, "--source", out, "--source", out},
         "pravik-cli generate: option --source given more than once"},
        {{"generate", kExample, "--source"}, "pravik-cli generate: missing value after '--source'"},
        {{"dump", "--format", "xml", kExample},
         "pravik-cli dump: unknown format 'xml' (text or json)"},
        {{"check", "--raw", "--format", "json", kExample},
         "pravik-cli check: --raw applies to text output only"},
        {{"generate", kExample},
         "pravik-cli generate: nothing to write: give --source, --header or both"},
        {{"generate", kExample, "--source", out, "--date", "2005-13-01"},
         "pravik-cli generate: not a date (YYYY-MM-DD): '2005-13-01'"},
    };
    for (const auto& c : cases) {
        const CliRun r = Cli(c.args);
        const std::string what = c.args.join(' ').toStdString();
        EXPECT_EQ(r.status, 2) << what;
        EXPECT_EQ(r.out, "") << what;
        EXPECT_EQ(FirstLine(r.err), c.firstLine) << what;
        // The rest is the usage, and only that.
        const QList<QByteArray> lines = r.err.trimmed().split('\n');
        ASSERT_GE(lines.size(), 2) << what;
        for (qsizetype i = 1; i < lines.size(); ++i)
            EXPECT_TRUE(lines[i].startsWith("usage: pravik-cli ") ||
                        lines[i].startsWith("       pravik-cli "))
                << what << ": " << lines[i].constData();
    }
    EXPECT_FALSE(dir.exists("out.cpp"));
}

// An output that cannot be written is found before anything is written.
TEST(CliOptions, UnwritableOutputWritesNothing) {
    TempDir dir;
    const QString missing = dir.path("no-such-folder/out");
    const struct {
        QStringList args;
        QString message;
    } cases[] = {
        {{"generate", kExample, "--source", dir.path("a.cpp"), "--header", missing + ".h"},
         "Cannot create file " + missing + ".h"},
        {{"generate", kExample, "--source", missing + ".cpp", "--header", dir.path("a.h")},
         "Cannot create file " + missing + ".cpp"},
        {{"resave", kExample, missing + ".sml"}, "Cannot create file " + missing + ".sml"},
        {{"config", dir.path("none.cfg"), missing + ".cfg"},
         "Unable to write to " + missing + ".cfg"},
    };
    for (const auto& c : cases) {
        const CliRun r = Cli(c.args);
        EXPECT_EQ(r.status, 2) << c.message.toStdString();
        EXPECT_EQ(r.err, (c.message + '\n').toUtf8());
    }
    EXPECT_FALSE(dir.exists("a.cpp"));
    EXPECT_FALSE(dir.exists("a.h"));
    // A standard output that refuses the text is an error, not a success.
    for (const QStringList& args : {QStringList{"dump", kExample}, QStringList{"counts", kExample},
                                    QStringList{"check", "--format", "json", kExample}}) {
        const CliRun r = Cli(args, QStringLiteral("/dev/full"));
        EXPECT_EQ(r.status, 2) << args.join(' ').toStdString();
        EXPECT_EQ(r.err, "Unable to write to standard output\n") << args.join(' ').toStdString();
    }
}

TEST(CliOptions, TextIsUtf8UnlessRaw) {
    TempDir dir;
    const QString f = dir.write("k.sml", kKorean);
    CliRun r = Cli({"dump", f});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, ("0\t0\t" + kKoreanMessage + "\n1\t1\tL 2 목록\n2\t2\tA 1 가\n").toUtf8());
    r = Cli({"dump", "--raw", f});
    EXPECT_EQ(r.out,
              "0\t0\tS1F1 P \xc5\xd7\xbd\xba\xc6\xae \"q\" \\ \x01z\n1\t1\tL 2 \xb8\xf1\xb7\xcf\n"
              "2\t2\tA 1 \xb0\xa1\n");
    r = Cli({"check", f});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, QStringLiteral("1\t4\tL 2 목록\n").toUtf8());
    r = Cli({"check", "--raw", f});
    EXPECT_EQ(r.out, "1\t4\tL 2 \xb8\xf1\xb7\xcf\n");
}

TEST(CliOptions, JsonIsOneDocumentOfNodes) {
    TempDir dir;
    const QString f =
        dir.write("k.sml", kKorean + "<S2F1 P\r\n  <L 1\r\n    <L 0\r\n    >\r\n  >\r\n>\r\n");
    const auto parse = [](const CliRun& r) {
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(r.out, &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << r.out.constData();
        return doc.object();
    };
    const auto node = [](int level, int image, const QString& text, int index = -1) {
        QJsonObject o{{"level", level}, {"image", image}, {"text", text}};
        if (index >= 0)
            o.insert("index", index);
        return o;
    };

    CliRun r = Cli({"dump", "--format", "json", f});
    EXPECT_EQ(r.status, 0);
    QJsonObject doc = parse(r);
    EXPECT_EQ(doc.value("file").toString(), f);
    EXPECT_EQ(doc.value("nodes").toArray(),
              QJsonArray({node(0, 0, kKoreanMessage), node(1, 1, "L 2 목록"), node(2, 2, "A 1 가"),
                          node(0, 0, "S2F1 P"), node(1, 1, "L 1"), node(2, 1, "L 0")}));
    EXPECT_EQ(Cli({"dump", "--format=text", f}).out, Cli({"dump", f}).out);

    r = Cli({"check", "--format", "json", f});
    EXPECT_EQ(r.status, 1);
    doc = parse(r);
    EXPECT_EQ(doc.value("nodes").toArray(), QJsonArray({node(1, 4, "L 2 목록", 1)}));
    // No faults: an empty list, still one document.
    r = Cli({"check", "--format", "json", kExample});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(parse(r).value("nodes").toArray(), QJsonArray());
}
