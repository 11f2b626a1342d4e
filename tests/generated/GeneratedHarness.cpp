#include "GeneratedHarness.h"

#include "codegen/GeneratedNames.h"
#include "codegen/HeaderWriter.h"
#include "codegen/SourceWriter.h"
#include "document/ItemTypes.h"
#include "document/NodeHeader.h"
#include "document/SmlDocument.h"
#include "sml/SmlReader.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <memory>

namespace pravik::test {

namespace {

const QDate kDate(2005, 3, 7);

std::unique_ptr<SmlDocument> Parse(const QByteArray& sml) {
    auto doc = std::make_unique<SmlDocument>();
    ParsedSml parsed = ParseSml(sml);
    doc->resetTo(std::move(parsed.root), parsed.counts.nodes);
    return doc;
}

// A value of the item's type that survives the trip unchanged.
QByteArray ValueOf(const ItemType& t) {
    const QByteArray code(t.code);
    if (code == "BOOL")
        return "(short)pvk_next(2)";
    if (code == "BINARY" || code == "U1")
        return "(short)pvk_next(256)";
    if (code == "I1")
        return "(short)(pvk_next(256) - 128)";
    if (code == "I2")
        return "(short)(pvk_next(65536) - 32768)";
    if (code == "I4")
        return "(long)(pvk_next(4000000000L) - 2000000000L)";
    if (code == "I8")
        return "(long)(pvk_next(1L << 40) - (1L << 39))";
    if (code == "U2")
        return "(long)pvk_next(65536)";
    if (code == "U4")
        return "(double)pvk_next(4294967296L)";
    if (code == "U8")
        return "(double)pvk_next(1L << 52)";
    if (code == "F4")
        return "(float)pvk_next(1 << 20) / 8.0f";
    return "(double)pvk_next(1L << 52) / 1024.0"; // F8
}

// The statements that fill the members below parent, reached through path
// ("o." and the struct members above). The lists are numbered as the
// generator numbers them, independently of it.
void FillChildren(const SmlNode& parent, const QByteArray& path, QByteArray& out, int& loops) {
    int lists = 0;
    for (int i = 0; i < parent.childCount(); ++i) {
        const SmlNode& child = *parent.child(i);
        const NodeHeader h = NodeHeader::Read(child);
        const QByteArray name = h.words.memberName.toByteArray();
        if (child.Kind() == NodeKind::Item) {
            const ItemType* t = ItemTypes::find(h.words.type);
            const QByteArray member = path + name;
            if (!t || t->isList())
                continue;
            if (QByteArray(t->code) == "A") {
                out += "    pvk_text(" + member + ", sizeof(" + member + "));\n";
            } else if (IsSingleValue(h.words.length)) {
                out += "    " + member + " = " + ValueOf(*t) + ";\n";
            } else {
                const QByteArray k = "k" + QByteArray::number(loops++);
                out += "    for (size_t " + k + " = 0; " + k + " < sizeof(" + member +
                       ") / sizeof(" + member + "[0]); ++" + k + ") " + member + "[" + k +
                       "] = " + ValueOf(*t) + ";\n";
            }
        } else if (child.Kind() == NodeKind::List) {
            const QByteArray ordinal = QByteArray::number(++lists);
            if (IsVariableCount(h.words.length)) {
                const QByteArray count = path + name;
                const QByteArray q = "q" + QByteArray::number(loops++);
                out += "    " + count + " = (short)pvk_next(Max_" + name + " + 1);\n";
                out += "    for (int " + q + " = 0; " + q + " < " + count + "; ++" + q + ") {\n";
                FillChildren(child, path + "L" + ordinal + "[" + q + "].", out, loops);
                out += "    }\n";
            } else {
                FillChildren(child, path + "L" + ordinal + ".", out, loops);
            }
        }
    }
}

// Whether two objects of the message hold the same members.
QByteArray SameMembers(const SmlNode& message) {
    if (message.childCount() == 0)
        return "true";
    const SmlNode& first = *message.child(0);
    const NodeHeader h = NodeHeader::Read(first);
    if (first.Kind() == NodeKind::Item) {
        const QByteArray n = h.words.memberName.toByteArray();
        return "std::memcmp(&a." + n + ", &b." + n + ", sizeof a." + n + ") == 0";
    }
    const QByteArray lists = "std::memcmp(&a.L1, &b.L1, sizeof a.L1) == 0";
    if (IsVariableCount(h.words.length)) {
        const QByteArray n = h.words.memberName.toByteArray();
        return "a." + n + " == b." + n + " && " + lists;
    }
    return lists;
}

// Replaces every from with to; the text must hold it.
bool Finish(QByteArray& text, const QByteArray& from, const QByteArray& to) {
    if (!text.contains(from))
        return false;
    text.replace(from, to);
    return true;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Generates, finishes and writes case<index>.h/.cpp; the source's text
// for the batch includes them inside namespace pvk_c<index>.
bool WriteGenerated(const CompileCase& c, int index, const QString& dir, QByteArray& unit,
                    QString& log) {
    auto doc = Parse(c.sml);
    const QString base = QStringLiteral("case%1").arg(index);
    QByteArray header = GenerateHeaderText(*doc, dir + QLatin1Char('/') + base + ".h", kDate);
    QByteArray source = GenerateSourceText(*doc, dir + QLatin1Char('/') + base + ".cpp", kDate);
    // The user's part: the AutoReply condition (a CP949 comment), the
    // device id and the bounds of the variable lists.
    const qsizetype open = source.indexOf("if(/*");
    const qsizetype close = open < 0 ? -1 : source.indexOf("*/)", open);
    if (close < 0 || !Finish(source, "Value_DeviceID", "1")) {
        log = QStringLiteral("the generated source lacks the AutoReply's open places");
        return false;
    }
    source.replace(open, close + 3 - open, "if(1)");
    header.replace("= 1; //Need Edit", "= 3; //Need Edit");
    if (!WriteFile(dir + QLatin1Char('/') + base + ".h", header) ||
        !WriteFile(dir + QLatin1Char('/') + base + ".cpp", source)) {
        log = QStringLiteral("cannot write into ") + dir;
        return false;
    }
    unit += "namespace pvk_c" + QByteArray::number(index) + " {\n#include \"" + base.toUtf8() +
            ".cpp\"\n" + HarnessFor(c.sml, c.name, static_cast<quint64>(index) + 1, c.extra) +
            "}\n";
    return true;
}

struct ProgramRun {
    bool compiled = false;
    bool finished = false; // ran to its end (not killed by a sanitizer)
    QString output;
};

ProgramRun CompileAndRun(const QString& dir, const QString& name, const QByteArray& unit) {
    ProgramRun run;
    const QString src = dir + QLatin1Char('/') + name + ".cpp";
    const QString exe = dir + QLatin1Char('/') + name;
    if (!WriteFile(src, unit)) {
        run.output = QStringLiteral("cannot write ") + src;
        return run;
    }
    QProcess cxx;
    cxx.setProcessChannelMode(QProcess::MergedChannels);
    cxx.start(QStringLiteral(PRAVIK_CXX),
              {"-std=c++17", "-O0", "-w", "-fsanitize=address,undefined",
               "-fno-sanitize-recover=all", "-I" + dir, "-I" PRAVIK_STANDIN, src, "-o", exe});
    if (!cxx.waitForFinished(600000) || cxx.exitStatus() != QProcess::NormalExit ||
        cxx.exitCode() != 0) {
        run.output = QString::fromLocal8Bit(cxx.readAll());
        return run;
    }
    run.compiled = true;
    QProcess program;
    program.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    env.insert(QStringLiteral("UBSAN_OPTIONS"), QStringLiteral("print_stacktrace=1"));
    program.setProcessEnvironment(env);
    program.start(exe, {});
    program.waitForFinished(600000);
    run.output = QString::fromLocal8Bit(program.readAll());
    run.finished = program.exitStatus() == QProcess::NormalExit &&
                   run.output.contains(QStringLiteral("PVK-END"));
    return run;
}

QByteArray MainFor(int first, int count) {
    QByteArray main = "int main() {\n    int failed = 0;\n";
    for (int i = first; i < first + count; ++i) {
        const QByteArray n = QByteArray::number(i);
        main += "    if (pvk_c" + n + "::pvk_run() == 0) std::printf(\"PVK-OK " + n +
                "\\n\"); else { std::printf(\"PVK-FAIL " + n + "\\n\"); ++failed; }\n";
    }
    main += "    std::printf(\"PVK-END\\n\");\n    return failed ? 1 : 0;\n}\n";
    return main;
}

const QByteArray kPrelude = "#include \"EZORVLib_OCX.h\"\n#include <cstddef>\n#include <cstdio>\n"
                            "#include <cstring>\n";

} // namespace

QByteArray HarnessFor(const QByteArray& sml, const QString& caseName, quint64 seed,
                      const QByteArray& extra) {
    auto doc = Parse(sml);
    QByteArray out;
    out += "static unsigned long pvk_state = " + QByteArray::number(seed) + "UL;\n";
    out += "static long pvk_next(long range) {\n"
           "    pvk_state = pvk_state * 6364136223846793005UL + 1442695040888963407UL;\n"
           "    return (long)((pvk_state >> 11) % (unsigned long)range);\n}\n";
    out += "static void pvk_text(char* p, size_t size) {\n"
           "    const size_t n = (size_t)pvk_next((long)size);\n"
           "    for (size_t k = 0; k < n; ++k) p[k] = (char)('A' + pvk_next(26));\n"
           "    p[n] = 0;\n}\n";
    QByteArray run = "static int pvk_run() {\n    TeZorv z;\n    int failures = 0;\n";
    for (int m = 0; m < doc->topLevelCount(); ++m) {
        const SmlNode& message = *doc->topLevel(m);
        const MessageNumbers numbers = MessageNumbersOf(message.Text());
        const QByteArray cls = MessageClassName(numbers);
        const QByteArray n = QByteArray::number(m);
        const QByteArray s = QByteArray::number(numbers.stream);
        const QByteArray f = QByteArray::number(numbers.function);
        int loops = 0;
        out += "static void pvk_fill_" + n + "(" + cls + "& o) {\n    (void)o;\n";
        FillChildren(message, "o.", out, loops);
        out += "}\n";
        out += "static bool pvk_same_" + n + "(const " + cls + "& a, const " + cls +
               "& b) {\n    (void)a; (void)b;\n    return " + SameMembers(message) + ";\n}\n";
        run += "    {\n        int bad = 0;\n"
               "        " +
               cls + "* a = new " + cls +
               "();\n"
               "        " +
               cls + "* b = new " + cls +
               "();\n"
               "        std::memset((void*)a, 0, sizeof *a);\n"
               "        pvk_fill_" +
               n +
               "(*a);\n"
               "        if (a->Send(&z, 1, 7) < 0) bad |= 1;\n"
               "        const long id = z.Deliver();\n"
               "        std::memset((void*)b, 0x5A, sizeof *b);\n"
               "        if (b->Receive(&z, id) < 0) bad |= 2;\n"
               "        if (z.unread(id) != 0) bad |= 4;\n"
               "        if (!pvk_same_" +
               n + "(*a, *b)) bad |= 8;\n";
        // Stream 0 has no dispatcher: such messages are reached directly only.
        if (numbers.stream != 0)
            run += "        std::memcpy((void*)&hsms.s" + s + ".f" + f +
                   ", a, sizeof *a);\n"
                   "        if (hsms.Send(&z, 1, 9, " +
                   s + ", " + f +
                   ") < 0) bad |= 16;\n"
                   "        std::memset((void*)&hsms.s" +
                   s + ".f" + f +
                   ", 0x5A, sizeof *a);\n"
                   "        if (hsms.Receive(&z, z.Deliver(), " +
                   s + ", " + f +
                   ") < 0) bad |= 32;\n"
                   "        if (!pvk_same_" +
                   n + "(*a, hsms.s" + s + ".f" + f + ")) bad |= 64;\n";
        run += "        delete a;\n        delete b;\n"
               "        if (bad) { std::printf(\"" +
               caseName.toUtf8() + ": " + cls + " failed (%d)\\n\", bad); ++failures; }\n    }\n";
    }
    if (!extra.isEmpty())
        run += "    {\n        int bad = 0;\n" + extra + "\n        if (bad) { std::printf(\"" +
               caseName.toUtf8() + ": extra checks failed (%d)\\n\", bad); ++failures; }\n    }\n";
    run += "    return failures;\n}\n";
    out += run;
    return out;
}

std::vector<CaseOutcome> RunCompileCases(const std::vector<CompileCase>& cases,
                                         const QString& workDir) {
    std::vector<CaseOutcome> outcomes(cases.size());
    QDir().mkpath(workDir);
    QByteArray unit = kPrelude;
    bool written = true;
    for (size_t i = 0; i < cases.size(); ++i)
        written = WriteGenerated(cases[i], static_cast<int>(i), workDir, unit, outcomes[i].log) &&
                  written;
    if (!written)
        return outcomes;
    const ProgramRun batch =
        CompileAndRun(workDir, QStringLiteral("batch"), unit + MainFor(0, int(cases.size())));
    if (batch.compiled && batch.finished) {
        for (size_t i = 0; i < cases.size(); ++i) {
            outcomes[i].passed = batch.output.contains(QStringLiteral("PVK-OK %1\n").arg(i));
            if (!outcomes[i].passed)
                outcomes[i].log = batch.output;
        }
        return outcomes;
    }
    // Something went wrong: each case on its own says which.
    for (size_t i = 0; i < cases.size(); ++i) {
        QByteArray single = kPrelude;
        QString ignored;
        WriteGenerated(cases[i], static_cast<int>(i), workDir, single, ignored);
        const ProgramRun alone =
            CompileAndRun(workDir, QStringLiteral("single%1").arg(i), single + MainFor(int(i), 1));
        outcomes[i].passed = alone.compiled && alone.finished &&
                             alone.output.contains(QStringLiteral("PVK-OK %1\n").arg(i));
        if (!outcomes[i].passed)
            outcomes[i].log =
                (alone.compiled ? QStringLiteral("run: ") : QStringLiteral("compile: ")) +
                alone.output.left(4000);
    }
    return outcomes;
}

} // namespace pravik::test
