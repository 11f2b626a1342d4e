#include "MainWindowFixture.h"

#include "app/ReleaseNotes.h"
#include "app/StartupArguments.h"

#include <QFile>
#include <QProcess>
#include <unistd.h>

namespace pravik::test {
namespace {

using Outcome = StartupArguments::Outcome;

TEST(StartupArguments, ParsedWithQtsParser) {
    const QString cwd = QDir::currentPath();
    const struct {
        QStringList args;
        Outcome outcome;
        QString file;
        QStringList ignored;
        QString error;
    } cases[] = {
        {{}, Outcome::Start, {}, {}, {}},
        {{"/d/host.sml"}, Outcome::Start, "/d/host.sml", {}, {}},
        {{"host.sml"}, Outcome::Start, cwd + "/host.sml", {}, {}},
        {{"/d/a.sml", "b.sml", "c.sml"}, Outcome::Start, "/d/a.sml", {"b.sml", "c.sml"}, {}},
        {{"--", "-odd.sml"}, Outcome::Start, cwd + "/-odd.sml", {}, {}},
        {{"--help"}, Outcome::Help, {}, {}, {}},
        {{"-h", "a.sml"}, Outcome::Help, {}, {}, {}},
        {{"--version"}, Outcome::Version, {}, {}, {}},
        {{"-v"}, Outcome::Version, {}, {}, {}},
        {{"--bogus"}, Outcome::Error, {}, {}, "unknown option 'bogus'"},
        {{"a.sml", "--help=x"}, Outcome::Error, {}, {}, "unexpected value after '--help'"},
    };
    for (const auto& c : cases) {
        const StartupArguments a = ParseStartupArguments(QStringList{"pravik"} + c.args);
        const std::string what = c.args.join(' ').toStdString();
        EXPECT_EQ(a.outcome, c.outcome) << what;
        EXPECT_EQ(a.file, c.file) << what;
        EXPECT_EQ(a.ignored, c.ignored) << what;
        EXPECT_EQ(a.error, c.error) << what;
    }
}

struct ProgramRun {
    int status;
    QByteArray out, err;
};

ProgramRun Pravik(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(PRAVIK_GUI), args);
    EXPECT_TRUE(p.waitForFinished(60000));
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

// The real program, for what ends before a window exists.
TEST(StartupArguments, HelpVersionAndErrorsOfTheProgram) {
    ProgramRun r = Pravik({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.startsWith("usage: pravik [OPTIONS] [FILE]\n")) << r.out.constData();
    EXPECT_TRUE(r.out.contains("-v, --version"));
    for (const QStringList& args : {QStringList{"--version"}, QStringList{"-v", "x.sml"},
                                    QStringList{"-style", "fusion", "--version"}}) {
        r = Pravik(args);
        EXPECT_EQ(r.status, 0) << args.join(' ').toStdString();
        EXPECT_EQ(r.out, "pravik " PRAVIK_VERSION "\n") << args.join(' ').toStdString();
    }
    r = Pravik({"--bogus", "x.sml"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(r.err.endsWith("pravik: unknown option 'bogus'\nusage: pravik [OPTIONS] [FILE]\n"))
        << r.err.constData();
}

// With two files the program says on stderr which one it opens.
TEST(StartupArguments, TheProgramNamesTheFileItOpens) {
    TempDir dir;
    const QString a = dir.write("a.sml", "<S1F1 P\r\n>\r\n");
    QProcess p;
    p.setReadChannel(QProcess::StandardError);
    p.start(QStringLiteral(PRAVIK_GUI), {a, dir.path("b.sml")});
    const QByteArray expected =
        "pravik: opening " + a.toUtf8() + "; not opened: " + dir.path("b.sml").toUtf8() + "\n";
    QByteArray err;
    while (!err.contains(expected) && p.waitForReadyRead(30000))
        err += p.readAllStandardError();
    EXPECT_TRUE(err.contains(expected)) << err.constData();
    p.kill();
    p.waitForFinished();
}

// A file named on the command line opens as the Open command opens it.
TEST_F(MainWindowTest, StartupFileOpensAsOpenDoes) {
    const QString path = dir.write("host.sml", kThreeMessages);
    OpenStartupFile(*w, path);
    EXPECT_TRUE(prompter.boxes.empty());

    ScriptedGuiPrompter other;
    TfmMain opened(other);
    other.answerOpen(path);
    opened.action("FileLoad")->trigger();

    EXPECT_EQ(w->windowTitle(), "Pravik for Zorv - " + path);
    EXPECT_EQ(w->windowTitle(), opened.windowTitle());
    EXPECT_EQ(w->applicationTitle(), opened.applicationTitle());
    EXPECT_EQ(w->session().fileName(), path);
    EXPECT_FALSE(w->isModified());
    EXPECT_EQ(w->document().topLevelCount(), 3);
    for (int panel : {0, 1})
        EXPECT_EQ(w->statusPanelText(panel), opened.statusPanelText(panel));
    EXPECT_EQ(w->statusPanelText(1), "전체 아이템: 6개");
    w->action("ToolViewTextSML")->trigger();
    opened.action("ToolViewTextSML")->trigger();
    EXPECT_EQ(w->memoText(), opened.memoText());
    for (const QString& n : w->actionNames())
        EXPECT_EQ(w->action(n)->isEnabled(), opened.action(n)->isEnabled()) << n.toStdString();
}

// A file that cannot be read: the error box, then the window as a start
// without a file leaves it.
TEST_F(MainWindowTest, StartupFileThatCannotBeReadLeavesTheStartWindow) {
    const std::set<QString> startCommands = enabledActions();
    const QString unreadable = dir.write("locked.sml", kThreeMessages);
    QFile::setPermissions(unreadable, QFileDevice::Permissions());
    // Permissions do not stop root; that row proves nothing then.
    const bool canLock = !QFile(unreadable).open(QIODevice::ReadOnly);
    QDir().mkpath(dir.path("folder.sml"));
    const QString notAFolder = dir.write("plain.sml", kThreeMessages) + "/inner.sml";
    for (const QString& path :
         {dir.path("missing.sml"), dir.path("folder.sml"), notAFolder, unreadable}) {
        if (path == unreadable && !canLock)
            continue;
        prompter.boxes.clear();
        prompter.answerBox(Prompter::Answer::Ok);
        OpenStartupFile(*w, path);
        ASSERT_EQ(prompter.boxes.size(), 1u) << path.toStdString();
        EXPECT_EQ(prompter.boxes[0].icon, Prompter::Icon::Error);
        EXPECT_EQ(prompter.boxes[0].title, "Pravik for Zorv");
        EXPECT_EQ(prompter.boxes[0].text, "Cannot open file " + path);
        EXPECT_EQ(w->windowTitle(), "Pravik for Zorv");
        EXPECT_TRUE(w->session().fileName().isEmpty());
        EXPECT_EQ(w->document().topLevelCount(), 0);
        EXPECT_EQ(w->statusPanelText(0), "전체 메시지: 0개");
        EXPECT_EQ(w->statusPanelText(1), "전체 아이템: 0개");
        EXPECT_EQ(enabledActions(), startCommands);
    }
}

// Beside the executable first, then the installed data folder.
TEST(ReleaseNotes, BesideTheExecutableThenTheDataFolder) {
    TempDir dir;
    const QString bin = dir.path("prefix/bin");
    const QString data = QDir::cleanPath(bin + "/" PRAVIK_DATA_FROM_BIN);
    QDir().mkpath(bin);
    QDir().mkpath(data);
    EXPECT_EQ(ReleaseNotesPath(bin), bin + "/Readme.txt"); // neither: opens nothing
    const QString installed = dir.write(
        "prefix/" + QDir(dir.path("prefix")).relativeFilePath(data) + "/Readme.txt", "notes");
    EXPECT_EQ(ReleaseNotesPath(bin), installed);
    EXPECT_TRUE(installed.endsWith("/share/pravik/Readme.txt")) << installed.toStdString();
    dir.write("prefix/bin/Readme.txt", "notes");
    EXPECT_EQ(ReleaseNotesPath(bin), bin + "/Readme.txt");
}

} // namespace
} // namespace pravik::test
