#include "codegen/HeaderWriter.h"
#include "codegen/MakeCppFile.h"
#include "codegen/SourceWriter.h"

#include "CodegenTestSupport.h"
#include "platform/AnsiText.h"
#include "platform/Clock.h"
#include "platform/PlatformError.h"
#include "support/InjectedWriteFailure.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace pravik;
using pravik::test::DocumentFrom;
using pravik::test::InjectedWriteFailure;
using pravik::test::kWriteSteps;
using pravik::test::Lines;
using pravik::test::ScriptedPrompter;
using pravik::test::SplitLines;
using pravik::test::TempDir;
using pravik::test::WriteStepName;

namespace {

const QDate kDate(2005, 3, 7);
const char* kSep = "//---------------------------------------------------------------------------";

QByteArray ReadData(const QString& relative) {
    QFile f(QStringLiteral(PRAVIK_TEST_DATA "/codegen/") + relative);
    if (!f.open(QIODevice::ReadOnly))
        return "<missing " + relative.toUtf8() + ">";
    return f.readAll();
}

// The lines of text from the first line equal to from, count lines long.
QList<QByteArray> LinesFrom(const QByteArray& text, const QByteArray& from, qsizetype count) {
    const QList<QByteArray> all = SplitLines(text);
    const qsizetype at = all.indexOf(from);
    if (at < 0)
        return {"<not found: " + from + ">"};
    return all.mid(at, count);
}

const QByteArray kFiveMessages = "<S1F1 P Are You There\r\n>\r\n"
                                 "<S1F2 S On Line Data\r\n  <L 0 \r\n  >\r\n>\r\n"
                                 "<S2F17 P Date and Time Request\r\n>\r\n"
                                 "<S2F18 S Date and Time Data\r\n  <A 16 TIME >\r\n>\r\n"
                                 "<S2F18 S Date and Time Data again\r\n  <A 16 TIME >\r\n>\r\n";

} // namespace

TEST(SourceFile, StreamDispatchersWorkedExample) {
    auto doc = DocumentFrom(kFiveMessages);
    const QByteArray text = GenerateSourceText(*doc, QStringLiteral("/w/msg.cpp"), kDate);
    const QList<QByteArray> expected =
        SplitLines(Lines({kSep,
                          "//S1 Recive",
                          kSep,
                          "short clsS1::Receive(TeZorv *X, long lMsgId, short nFunction)",
                          "{",
                          "    short nResult=0;",
                          "",
                          "    if(nFunction == 1)",
                          "    {",
                          "        nResult = f1.Receive(X, lMsgId);",
                          "    }",
                          "    else if(nFunction == 2)",
                          "    {",
                          "        nResult = f2.Receive(X, lMsgId);",
                          "    }",
                          "    else",
                          "    {",
                          "        nResult = ERR_NOT_EXIST_FUNC;",
                          "    }",
                          "",
                          "    return nResult;",
                          "}",
                          kSep,
                          "//S2 Recive",
                          kSep,
                          "short clsS2::Receive(TeZorv *X, long lMsgId, short nFunction)",
                          "{",
                          "    short nResult=0;",
                          "",
                          "    if(nFunction == 17)",
                          "    {",
                          "        nResult = f17.Receive(X, lMsgId);",
                          "    }",
                          "    else if(nFunction == 18)",
                          "    {",
                          "        nResult = f18.Receive(X, lMsgId);",
                          "    }",
                          "    else",
                          "    {",
                          "        nResult = ERR_NOT_EXIST_FUNC;",
                          "    }",
                          "",
                          "    return nResult;",
                          "}",
                          kSep,
                          "//S1Send"}));
    // The last Send body's separator, then the separator that opens S1.
    const QList<QByteArray> all = SplitLines(text);
    const qsizetype at = all.indexOf("//S1 Recive");
    ASSERT_GT(at, 1);
    EXPECT_EQ(all.at(at - 2), kSep);
    EXPECT_EQ(all.mid(at - 1, expected.size()), expected);

    EXPECT_EQ(
        LinesFrom(text,
                  "short clsSF::Receive(TeZorv *X, long lMsgId, short nStream, short nFunction)",
                  20),
        SplitLines(
            Lines({"short clsSF::Receive(TeZorv *X, long lMsgId, short nStream, short nFunction)",
                   "{",
                   "    short nResult=0;",
                   "",
                   "    if(nStream == 1)",
                   "    {",
                   "        nResult = s1.Receive(X, lMsgId, nFunction);",
                   "    }",
                   "    else if(nStream == 2)",
                   "    {",
                   "        nResult = s2.Receive(X, lMsgId, nFunction);",
                   "    }",
                   "    else",
                   "    {",
                   "        nResult = ERR_NOT_EXIST_FUNC;",
                   "    }",
                   "",
                   "    return nResult;",
                   "}",
                   kSep})));
    EXPECT_EQ(
        LinesFrom(text,
                  "short clsS2::Send(TeZorv *X, short nDevId, long lSysByte, short nFunction, "
                  "short Mode)",
                  12),
        SplitLines(Lines({"short clsS2::Send(TeZorv *X, short nDevId, long lSysByte, short "
                          "nFunction, short Mode)",
                          "{", "    short nResult=0;", "", "    if(nFunction == 17)", "    {",
                          "        nResult = f17.Send(X, nDevId, lSysByte, Mode);", "    }",
                          "    else if(nFunction == 18)", "    {",
                          "        nResult = f18.Send(X, nDevId, lSysByte, Mode);", "    }"})));
    // Every copy of S2F18 gets its own bodies.
    EXPECT_EQ(all.count("short clsS2F18::Receive(TeZorv *X, long lMsgId)"), 2);
    EXPECT_EQ(all.count("short clsS2F18::Send(TeZorv *X, short nDevId, long lSysByte, short Mode)"),
              2);
    EXPECT_EQ(all.count("void clsS2F18::Clear(short Mode)"), 2);
}

TEST(HeaderFile, StreamClassesAndDispatcherClass) {
    auto doc = DocumentFrom("<S1F1 P a\r\n>\r\n<S1F2 S b\r\n>\r\n<S2F41 P c\r\n>\r\n");
    const QByteArray text = GenerateHeaderText(*doc, QStringLiteral("C:\\Work\\Tool.h"), kDate);
    const QList<QByteArray> all = SplitLines(text);
    EXPECT_TRUE(all.contains("#ifndef TOOLH"));
    EXPECT_TRUE(all.contains("#define TOOLH"));
    EXPECT_EQ(
        LinesFrom(text, "//", 36),
        SplitLines(Lines(
            {"//",
             kSep,
             "class clsS1",
             "{",
             "    public:",
             "    clsS1F1 f1;",
             "    clsS1F2 f2;",
             "",
             "    short Receive(TeZorv *X, long lMsgId, short nFunction);",
             "    short Send(TeZorv *X, short nDevId, long lSysByte, short nFunction, short "
             "Mode=0);",
             "};",
             kSep,
             "class clsS2",
             "{",
             "    public:",
             "    clsS2F41 f41;",
             "",
             "    short Receive(TeZorv *X, long lMsgId, short nFunction);",
             "    short Send(TeZorv *X, short nDevId, long lSysByte, short nFunction, short "
             "Mode=0);",
             "};",
             kSep,
             "class clsSF",
             "{",
             "    public:",
             "    clsS1 s1;",
             "    clsS2 s2;",
             "",
             "    short Receive(TeZorv *X, long lMsgId, short nStream, short nFunction);",
             "    short Send(TeZorv *X, short nDevId, long lSysByte, short nStream, short "
             "nFunction, "
             "short Mode=0);",
             "    short AutoReply(TeZorv *X, long lMsgId, short nStream, short nFunction, long "
             "lSysByte, short nWbit);",
             "};",
             kSep,
             "// Extern define",
             kSep,
             "extern clsSF hsms;",
             kSep})));
    EXPECT_TRUE(text.endsWith("#endif\r\n"));
}

TEST(HeaderFile, RepeatedMessagesAddNoMemberAndCountConstantsPrecedeClasses) {
    auto doc = DocumentFrom(kFiveMessages + "<S6F11 P x\r\n  <L n RPT \r\n  >\r\n>\r\n");
    const QByteArray text = GenerateHeaderText(*doc, QStringLiteral("/w/msg.h"), kDate);
    const QList<QByteArray> all = SplitLines(text);
    EXPECT_EQ(all.count("    clsS2F18 f18;"), 1);
    EXPECT_EQ(all.count("class clsS2F18 //S2F18 S Date and Time Data again"), 1);
    const qsizetype constant = all.indexOf("const short Max_RPT = 1; //Need Edit");
    ASSERT_GT(constant, 0);
    EXPECT_EQ(all.at(constant - 1), "");
    EXPECT_EQ(all.at(constant - 2),
              "void SetF8(TeZorv *X, long lMsgId, short *nResult, double *dValue, long size);");
    EXPECT_EQ(all.at(constant + 2), "// Class declare");
}

TEST(GeneratedFiles, EmptyDocumentGoldens) {
    // An empty document: the header's stream part is just clsSF, and the
    // dispatchers of clsSF hold the assignment without a dangling else.
    SmlDocument doc;
    EXPECT_EQ(GenerateHeaderText(doc, QStringLiteral("/any/where/empty.h"), kDate),
              ReadData("empty.h"));
    EXPECT_EQ(GenerateSourceText(doc, QStringLiteral("/any/where/empty.cpp"), kDate),
              ReadData("empty.cpp"));
}

TEST(SourceFile, FixedSectionDependsOnlyOnVersionDateAndHeaderName) {
    auto doc = DocumentFrom(kFiveMessages);
    const QByteArray big = GenerateSourceText(*doc, QStringLiteral("/w/empty.cpp"), kDate);
    const QByteArray fixed = ReadData("empty.cpp");
    const qsizetype fixedEnd = fixed.indexOf("void SetF8(");
    ASSERT_GT(fixedEnd, 0);
    const qsizetype fixedLength = fixed.indexOf("\r\n\r\n", fixedEnd) + 4;
    EXPECT_EQ(big.left(fixedLength), fixed.left(fixedLength));
    // The Korean comments are CP949 bytes.
    EXPECT_TRUE(big.contains("        //" + AnsiText::Encode(QStringLiteral("이부분에서")) +
                             " Zorv Recive Log"));
    EXPECT_TRUE(big.contains("\xC0\xCC\xBA\xCE\xBA\xD0")); // 이부분 in CP949
    EXPECT_TRUE(
        big.endsWith(kSep + QByteArray("\r\n// Variables\r\n") + kSep + "\r\nclsSF hsms;\r\n"));
    EXPECT_TRUE(GenerateSourceText(*doc, QStringLiteral("/w/a.b.cpp"), kDate)
                    .contains("\r\n#include \"a.b.h\"\r\n"));
    EXPECT_TRUE(GenerateSourceText(*doc, QStringLiteral("/w/Data"), kDate)
                    .contains("\r\n#include \"Data.h\"\r\n"));
}

TEST(SourceFile, NodeTextsAreCopiedByteForByte) {
    const QByteArray korean = AnsiText::Encode(QStringLiteral("장비 상태"));
    auto doc = DocumentFrom("<S1F3 P " + korean + "\r\n  <L 1 " + korean + " \r\n    <U4 1 " +
                            korean + " >\r\n  >\r\n>\r\n");
    const QByteArray h = GenerateHeaderText(*doc, QStringLiteral("/w/k.h"), kDate);
    EXPECT_TRUE(h.contains("class clsS1F3 //S1F3 P " + korean + "\r\n"));
    EXPECT_TRUE(h.contains("    struct //L 1 " + korean + "\r\n"));
    const QByteArray joined = AnsiText::Encode(QStringLiteral("장비상태"));
    EXPECT_TRUE(h.contains("        U4 " + joined + ";\r\n"));
}

TEST(SourceFile, StreamZeroAndScatteredStreams) {
    // Key 0 (not in message form) and stream 0 join no stream function;
    // a stream split by another gets two functions and two branches.
    auto doc = DocumentFrom(
        "<S1F1\r\n>\r\n<SF5 P x\r\n>\r\n<S1F1 P a\r\n>\r\n<S2F1 P b\r\n>\r\n<S1F3 P c\r\n>\r\n");
    const QByteArray src = GenerateSourceText(*doc, QStringLiteral("/w/s.cpp"), kDate);
    const QList<QByteArray> all = SplitLines(src);
    EXPECT_EQ(all.count("//S1 Recive"), 2);
    EXPECT_EQ(all.count("    if(nFunction == 5)"), 0);
    EXPECT_EQ(all.count("    else if(nFunction == 5)"), 0);
    EXPECT_EQ(all.count("        nResult = s1.Receive(X, lMsgId, nFunction);"), 2);
    EXPECT_EQ(all.count("void clsS0F0::Clear(short Mode)"), 1);
    EXPECT_EQ(all.count("void clsS0F5::Clear(short Mode)"), 1);
    const QByteArray h = GenerateHeaderText(*doc, QStringLiteral("/w/s.h"), kDate);
    EXPECT_FALSE(h.contains("    clsS0F5 f5;"));
    EXPECT_FALSE(h.contains("class clsS0\r\n"));
    EXPECT_EQ(SplitLines(h).count("class clsS1"), 2);
}

TEST(SourceFile, StreamZeroAfterOtherStreams) {
    // Stream 0 between and after other streams: no member, no branch, and
    // the chains of clsSF keep their closing else.
    for (const QByteArray& sml : {QByteArray("<S1F1 P a\r\n>\r\n<S0F5 P x\r\n>\r\n<S2F1 P b"
                                             "\r\n>\r\n"),
                                  QByteArray("<S1F1 P a\r\n>\r\n<S2F1 P b\r\n>\r\n<S0F5 P x"
                                             "\r\n>\r\n")}) {
        auto doc = DocumentFrom(sml);
        const QList<QByteArray> h =
            SplitLines(GenerateHeaderText(*doc, QStringLiteral("/w/z.h"), kDate));
        EXPECT_FALSE(h.contains("    clsS0 s0;"));
        EXPECT_EQ(h.count("    clsS1 s1;"), 1);
        EXPECT_EQ(h.count("    clsS2 s2;"), 1);
        const QList<QByteArray> src =
            SplitLines(GenerateSourceText(*doc, QStringLiteral("/w/z.cpp"), kDate));
        EXPECT_EQ(src.count("    if(nStream == 1)"), 2); // Receive and Send
        EXPECT_EQ(src.count("    else if(nStream == 2)"), 2);
        EXPECT_EQ(src.count("    else if(nStream == 0)") + src.count("    if(nStream == 0)"), 0);
        const qsizetype top = src.indexOf("short clsSF::Receive(TeZorv *X, long lMsgId, short "
                                          "nStream, short nFunction)");
        ASSERT_GT(top, 0);
        EXPECT_EQ(src.mid(top + 12, 4),
                  QList<QByteArray>(
                      {"    else", "    {", "        nResult = ERR_NOT_EXIST_FUNC;", "    }"}));
    }
}

TEST(Writers, BackupRuleAndCannotCreate) {
    TempDir dir;
    auto doc = DocumentFrom(kFiveMessages);
    const QString cpp = dir.path("msg.cpp");
    dir.write("msg.cpp", "first");
    WriteSource(*doc, cpp, kDate);
    EXPECT_EQ(dir.read("msg.cpp.bak"), "first");
    const QByteArray second = dir.read("msg.cpp");
    EXPECT_TRUE(second.startsWith("// HSMS message structure source"));
    // Third run: the backup exists, so it stays and the file is overwritten.
    WriteSource(*doc, cpp, QDate(2006, 1, 2));
    EXPECT_EQ(dir.read("msg.cpp.bak"), "first");
    EXPECT_TRUE(dir.read("msg.cpp").contains("// Date: 2006. 01. 02\r\n"));

    const QString missing = dir.path("no/such/folder/msg.h");
    try {
        WriteHeader(*doc, missing, kDate);
        FAIL() << "expected a PlatformError";
    } catch (const PlatformError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Cannot create file ") + missing);
    }
}

TEST(MakeCppFileCommand, AsksForSourceThenHeaderAndWritesBoth) {
    TempDir dir;
    auto doc = DocumentFrom(kFiveMessages);
    ScriptedPrompter prompter;
    prompter.answerSave(dir.path("Msg.cpp"));
    prompter.answerSave(dir.path("Other.h"));
    MakeCppFile(prompter, *doc, dir.path("Tool.sml"), dir.path(""), kDate);
    ASSERT_EQ(prompter.saveRequests.size(), 2u);
    EXPECT_EQ(prompter.saveRequests[0].filter, QStringLiteral("C++ Source File|*.cpp"));
    EXPECT_EQ(prompter.saveRequests[0].defaultExtension, QStringLiteral("cpp"));
    EXPECT_EQ(prompter.saveRequests[0].proposedName, dir.path("Tool.cpp"));
    EXPECT_EQ(prompter.saveRequests[1].filter, QStringLiteral("Header File|*.h"));
    EXPECT_EQ(prompter.saveRequests[1].defaultExtension, QStringLiteral("h"));
    EXPECT_EQ(prompter.saveRequests[1].proposedName, dir.path("Msg.h"));
    // The source includes the header under its own name, not the one chosen.
    EXPECT_EQ(dir.read("Msg.cpp"), GenerateSourceText(*doc, dir.path("Msg.cpp"), kDate));
    EXPECT_TRUE(dir.read("Msg.cpp").contains("#include \"Msg.h\"\r\n"));
    EXPECT_EQ(dir.read("Other.h"), GenerateHeaderText(*doc, dir.path("Other.h"), kDate));
    EXPECT_TRUE(prompter.allAnswersUsed());
    EXPECT_EQ(doc->topLevelCount(), 5);
}

TEST(MakeCppFileCommand, CancelSkipsOnlyThatFile) {
    TempDir dir;
    auto doc = DocumentFrom(kFiveMessages);
    ScriptedPrompter prompter;
    prompter.answerSave(std::nullopt);
    prompter.answerSave(dir.path("Tool.h"));
    MakeCppFile(prompter, *doc, QStringLiteral("C:\\Work\\Tool.sml"), QString(), kDate);
    ASSERT_EQ(prompter.saveRequests.size(), 2u);
    EXPECT_EQ(prompter.saveRequests[0].proposedName, QStringLiteral("C:\\Work\\Tool.cpp"));
    EXPECT_EQ(prompter.saveRequests[1].proposedName, QStringLiteral("C:\\Work\\Tool.h"));
    EXPECT_TRUE(dir.exists("Tool.h"));
    EXPECT_EQ(QDir(dir.path("")).entryList(QDir::Files).size(), 1);

    ScriptedPrompter both;
    both.answerSave(std::nullopt);
    both.answerSave(std::nullopt);
    MakeCppFile(both, *doc, QStringLiteral("NoName.sml"), QString(), kDate);
    EXPECT_EQ(both.saveRequests[0].proposedName, QStringLiteral("NoName.cpp"));
    EXPECT_EQ(both.saveRequests[1].proposedName, QStringLiteral("NoName.h"));
}

TEST(MakeCppFileCommand, FailedSourceLeavesTheHeaderUnasked) {
    TempDir dir;
    auto doc = DocumentFrom(kFiveMessages);
    ScriptedPrompter prompter;
    const QString bad = dir.path("missing/Msg.cpp");
    prompter.answerSave(bad);
    EXPECT_THROW(MakeCppFile(prompter, *doc, QStringLiteral("Msg.sml"), QString(), kDate),
                 PlatformError);
    EXPECT_EQ(prompter.saveRequests.size(), 1u);
}

// A write refused after the backup rename leaves the file that was there:
// for the source (the header is then not asked for) and for the header
// after a written source.
TEST(MakeCppFileCommand, ARefusedWriteLeavesThePreviousFile) {
    auto doc = DocumentFrom(kFiveMessages);
    for (const FileSystem::WriteStep step : kWriteSteps) {
        for (const int failing : {0, 1}) {
            SCOPED_TRACE(WriteStepName(step) + (failing ? " of the header" : " of the source"));
            TempDir dir;
            dir.write("Msg.cpp", "previous source");
            dir.write("Msg.h", "previous header");
            ScriptedPrompter prompter;
            prompter.answerSave(dir.path("Msg.cpp"));
            if (failing == 1)
                prompter.answerSave(dir.path("Msg.h"));
            const QString refused = dir.path(failing ? "Msg.h" : "Msg.cpp");
            {
                InjectedWriteFailure failure(step, failing);
                try {
                    MakeCppFile(prompter, *doc, dir.path("Msg.sml"), QString(), kDate);
                    ADD_FAILURE() << "no error";
                } catch (const PlatformError& e) {
                    EXPECT_EQ(e.message(), "Cannot create file " + refused);
                }
            }
            EXPECT_TRUE(prompter.allAnswersUsed());
            EXPECT_EQ(dir.read("Msg.h"), "previous header");
            EXPECT_FALSE(dir.exists("Msg.h.bak"));
            if (failing == 1) {
                EXPECT_EQ(dir.read("Msg.cpp"),
                          GenerateSourceText(*doc, dir.path("Msg.cpp"), kDate));
                EXPECT_EQ(dir.read("Msg.cpp.bak"), "previous source");
            } else {
                EXPECT_EQ(dir.read("Msg.cpp"), "previous source");
                EXPECT_FALSE(dir.exists("Msg.cpp.bak"));
            }
        }
    }
}

TEST(MakeCppFileCommand, UsesTheClockWhenNoDateIsGiven) {
    TempDir dir;
    SmlDocument doc;
    Clock::SetFixed(QDateTime(QDate(2024, 12, 31), QTime(23, 0)));
    ScriptedPrompter prompter;
    prompter.answerSave(dir.path("a.cpp"));
    prompter.answerSave(dir.path("a.h"));
    MakeCppFile(prompter, doc, QStringLiteral("a.sml"), QString());
    Clock::SetFixed(std::nullopt);
    EXPECT_TRUE(dir.read("a.cpp").contains("// Date: 2024. 12. 31\r\n"));
    EXPECT_TRUE(dir.read("a.h").contains("// Date: 2024. 12. 31\r\n"));
}

TEST(GeneratedFiles, HostExampleGoldens) {
    SmlDocument doc;
    ReadDocument(QStringLiteral(PRAVIK_EXAMPLES "/host.sml"), doc);
    EXPECT_EQ(GenerateHeaderText(doc, QStringLiteral("C:\\Work\\host.h"), kDate),
              ReadData("host.h"));
    EXPECT_EQ(GenerateSourceText(doc, QStringLiteral("C:\\Work\\host.cpp"), kDate),
              ReadData("host.cpp"));
}
