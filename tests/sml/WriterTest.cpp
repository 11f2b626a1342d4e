#include "document/SmlDocument.h"
#include "platform/PlatformError.h"
#include "sml/SmlReader.h"
#include "sml/SmlWriter.h"
#include "support/InjectedWriteFailure.h"
#include "support/TempDir.h"

#include "support/DocumentEdits.h"
#include <gtest/gtest.h>

using namespace pravik;
using pravik::test::Append;
using pravik::test::Edit;
using namespace pravik::test;

namespace {
void Load(SmlDocument& doc, const QByteArray& text) {
    ParsedSml p = ParseSml(text);
    doc.resetTo(std::move(p.root), p.counts.nodes);
}
QByteArray Dump(const SmlDocument& doc) {
    QByteArray out;
    for (const SmlNode* n = doc.firstNode(); n; n = n->nextPreOrder())
        out += QByteArray::number(n->level()) + ' ' + QByteArray::number(doc.imageIndexOf(n)) +
               ' ' + n->Text() + '\n';
    return out;
}
} // namespace

TEST(Writer, WritesTheFormat) {
    SmlDocument doc;
    Append(doc, nullptr, "S1F1 P Are You There", NodeKind::Message);
    SmlNode* m = Append(doc, nullptr, "S1F2 S On Line Data", NodeKind::Message);
    SmlNode* l = Append(doc, m, "L 2 ", NodeKind::List);
    Append(doc, l, "A 6 MDLN", NodeKind::Item);
    SmlNode* item = Append(doc, l, "A 6 SOFTREV", NodeKind::Item);
    doc.setCheckMarks({m, l, item});
    Append(doc, item, "A 1 lost child", NodeKind::Item);
    EXPECT_EQ(WriteDocument(doc), "<S1F1 P Are You There\r\n>\r\n\r\n"
                                  "<S1F2 S On Line Data\r\n  <L 2  \r\n    <A 6 MDLN >\r\n"
                                  "    <A 6 SOFTREV >\r\n  >\r\n>\r\n\r\n");
    SmlDocument empty;
    EXPECT_EQ(WriteDocument(empty), "");
}

TEST(Writer, TextSizeIsKnownWithoutWriting) {
    SmlDocument doc;
    SmlNode* m = Append(doc, nullptr, "S1F2 S On Line Data", NodeKind::Message);
    SmlNode* l = Append(doc, m, "L 2 ", NodeKind::List);
    SmlNode* item = Append(doc, l, "A 6 MDLN", NodeKind::Item);
    Append(doc, item, "A 1 never written", NodeKind::Item);
    SmlNode* inner = Append(doc, l, "L 1", NodeKind::List);
    Append(doc, inner, "U1 1 x", NodeKind::Item);
    Append(doc, nullptr, "S1F1 P", NodeKind::Message);
    Append(doc, nullptr, "L 0 top", NodeKind::List);
    EXPECT_EQ(DocumentTextSize(doc), WriteDocument(doc).size());
    EXPECT_GT(DocumentTextSize(doc, 10), 10);
    SmlDocument empty;
    EXPECT_EQ(DocumentTextSize(empty), 0);
}

TEST(Writer, RoundTripKeepsTreeExceptTheDocumentedLosses) {
    SmlDocument doc;
    SmlNode* m = Append(doc, nullptr, "S6F11 P ", NodeKind::Message);
    SmlNode* l = Append(doc, m, "L 3 Report", NodeKind::List);
    doc.setCheckMark(l, true);
    Append(doc, l, QByteArray("A 20 \xC7\xA5\xBD\xC3 korean"), NodeKind::Item);
    SmlNode* item = Append(doc, l, "U4 1 CEID", NodeKind::Item);
    Append(doc, item, "A 1 child of an item", NodeKind::Item);
    Append(doc, l, "Sneaky item", NodeKind::Item); // comes back as a message
    Append(doc, nullptr, "L 0 top-level list", NodeKind::List);

    SmlDocument back;
    Load(back, WriteDocument(doc));
    EXPECT_EQ(Dump(back),
              QByteArray("0 0 S6F11 P\n1 1 L 3 Report\n2 2 A 20 \xC7\xA5\xBD\xC3 korean\n"
                         "2 2 U4 1 CEID\n2 0 Sneaky item\n0 1 L 0 top-level list\n"));
    // A second round changes nothing more.
    SmlDocument again;
    Load(again, WriteDocument(back));
    EXPECT_EQ(WriteDocument(again), WriteDocument(back));
}

TEST(Writer, GreaterThanInATextClosesItsNodeEarly) {
    SmlDocument doc;
    SmlNode* m = Append(doc, nullptr, "S1F1 P a>b", NodeKind::Message);
    Append(doc, m, "A 1 x", NodeKind::Item);
    SmlDocument back;
    Load(back, WriteDocument(doc));
    EXPECT_EQ(Dump(back), "0 0 S1F1 P a\n0 2 A 1 x\n");
}

TEST(SaveDocument, BackupRuleWhenSavingTwice) {
    TempDir dir;
    const QString path = dir.write("a.sml", "original");
    SmlDocument doc;
    Append(doc, nullptr, "S1F1 P", NodeKind::Message);
    SaveDocument(path, doc);
    EXPECT_EQ(dir.read("a.sml.bak"), "original");
    EXPECT_EQ(dir.read("a.sml"), "<S1F1 P\r\n>\r\n\r\n");
    Append(doc, nullptr, "S1F2 S", NodeKind::Message);
    SaveDocument(path, doc);
    EXPECT_EQ(dir.read("a.sml.bak"), "original");
    EXPECT_EQ(dir.read("a.sml"), "<S1F1 P\r\n>\r\n\r\n<S1F2 S\r\n>\r\n\r\n");
    SmlDocument empty;
    SaveDocument(dir.path("new.sml"), empty);
    EXPECT_TRUE(dir.exists("new.sml"));
    EXPECT_EQ(dir.read("new.sml"), "");
    EXPECT_FALSE(dir.exists("new.sml.bak"));
}

TEST(SaveDocument, FailureNamesThePathAndKeepsTheOldContent) {
    TempDir dir;
    SmlDocument doc;
    Append(doc, nullptr, "S1F1 P", NodeKind::Message);
    // A folder in the way of the file: nothing can be created there.
    QDir().mkpath(dir.path("taken.sml"));
    try {
        SaveDocument(dir.path("taken.sml"), doc);
        FAIL() << "no error";
    } catch (const PlatformError& e) {
        EXPECT_EQ(e.message(), "Cannot create file " + dir.path("taken.sml"));
    }
    EXPECT_TRUE(QFileInfo(dir.path("taken.sml")).isDir());
}

TEST(SaveDocument, AWriteRefusedAfterTheBackupLeavesThePreviousFile) {
    SmlDocument doc;
    Append(doc, nullptr, "S1F1 P", NodeKind::Message);
    for (const FileSystem::WriteStep step : kWriteSteps) {
        SCOPED_TRACE(WriteStepName(step));
        TempDir dir;
        const QString path = dir.write("a.sml", "<S9F9 P previous\r\n>\r\n");
        {
            InjectedWriteFailure failure(step);
            try {
                SaveDocument(path, doc);
                ADD_FAILURE() << "no error";
            } catch (const PlatformError& e) {
                EXPECT_EQ(e.message(), "Cannot create file " + path);
            }
        }
        EXPECT_EQ(dir.read("a.sml"), "<S9F9 P previous\r\n>\r\n");
        EXPECT_FALSE(dir.exists("a.sml.bak"));
        // The next save makes the backup as usual.
        SaveDocument(path, doc);
        EXPECT_EQ(dir.read("a.sml.bak"), "<S9F9 P previous\r\n>\r\n");
        EXPECT_EQ(dir.read("a.sml"), "<S1F1 P\r\n>\r\n\r\n");
    }
}
