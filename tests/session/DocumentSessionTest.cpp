// The document's life without a window: the one question before changes are
// lost, its answers for the two reasons a document goes, and what the
// session tells about the document afterwards.
#include "session/DocumentSession.h"
#include "document/SmlDocument.h"
#include "support/DocumentEdits.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace pravik;
using namespace pravik::test;

namespace {

struct Fixture {
    TempDir dir;
    SmlDocument doc;
    ScriptedPrompter prompter;
    DocumentSession session{doc, prompter};
    QString path;

    // A named document with one unsaved edit.
    Fixture() {
        path = dir.write("host.sml", "<S1F1 P\n>\n");
        session.openFile(path);
        Append(doc, nullptr, "S2F1 P added", NodeKind::Message);
    }
};

TEST(DocumentSession, OneQuestionTwoWaysOfSaving) {
    using A = Prompter::Answer;
    using L = DocumentSession::Leaving;
    const struct {
        L why;
        A answer;
        std::optional<QString> savePath; // the save dialog's answer (Close only)
        bool goOn;
        const char* savedAs; // the file written, or nullptr
    } cases[] = {
        {L::Replace, A::Yes, std::nullopt, true, "host.sml"}, // under its name, no dialog
        {L::Replace, A::No, std::nullopt, true, nullptr},
        {L::Replace, A::Cancel, std::nullopt, false, nullptr},
        {L::Close, A::Yes, QStringLiteral("chosen.sml"), true, "chosen.sml"},
        {L::Close, A::Yes, std::nullopt, false, nullptr}, // the save dialog cancelled
        {L::Close, A::No, std::nullopt, true, nullptr},
        {L::Close, A::Cancel, std::nullopt, false, nullptr},
    };
    for (const auto& c : cases) {
        Fixture f;
        SCOPED_TRACE(int(c.why) * 10 + int(c.answer));
        f.prompter.answerBox(c.answer);
        if (c.why == L::Close && c.answer == A::Yes)
            f.prompter.answerSave(c.savePath ? std::optional(f.dir.path(*c.savePath)) : c.savePath);
        EXPECT_EQ(f.session.confirmLosingChanges(c.why), c.goOn);
        ASSERT_EQ(f.prompter.boxes.size(), 1u);
        EXPECT_EQ(f.prompter.boxes[0].text, "host.sml 을(를) 저장하겠습니까?");
        EXPECT_EQ(f.doc.isModified(), c.savedAs == nullptr);
        if (c.savedAs) {
            EXPECT_TRUE(f.dir.read(c.savedAs).contains("S2F1 P added"));
        }
        EXPECT_EQ(f.dir.read("host.sml").contains("S2F1"), c.savedAs == QString("host.sml"));
        EXPECT_EQ(f.session.fileName(), f.path); // the name stays on every path
        EXPECT_TRUE(f.prompter.allAnswersUsed());
    }
}

TEST(DocumentSession, NewOpenAndSaveKeepNameCaptionAndCounts) {
    Fixture f;
    QSignalSpy replaced(&f.session, &DocumentSession::documentReplaced);
    EXPECT_EQ(f.session.windowTitle(), "Pravik for Zorv - " + f.path + " *");
    EXPECT_EQ(f.session.counts().messages, 1);

    f.prompter.answerBox(Prompter::Answer::No);
    ASSERT_TRUE(f.session.newDocument());
    EXPECT_TRUE(f.session.isUntitled());
    EXPECT_EQ(f.session.caption(), "Pravik for Zorv - NoName.sml");
    EXPECT_EQ(f.session.counts().messages, 1); // New leaves the counts of the last file read
    EXPECT_EQ(replaced.count(), 1);

    // Save of an untitled document is Save As; cancelled, nothing changes.
    Append(f.doc, nullptr, "S3F1 P", NodeKind::Message);
    f.prompter.answerSave(std::nullopt);
    EXPECT_FALSE(f.session.save());
    EXPECT_TRUE(f.session.isUntitled());
    EXPECT_TRUE(f.doc.isModified());
    f.prompter.answerSave(f.dir.path("named.sml"));
    EXPECT_TRUE(f.session.save());
    EXPECT_FALSE(f.session.isUntitled());
    EXPECT_EQ(f.session.fileName(), f.dir.path("named.sml"));
    EXPECT_EQ(f.session.windowTitle(), "Pravik for Zorv - " + f.dir.path("named.sml"));

    // A file that cannot be read changes nothing.
    EXPECT_ANY_THROW(f.session.openFile(f.dir.path("missing.sml")));
    EXPECT_EQ(f.session.fileName(), f.dir.path("named.sml"));
    EXPECT_EQ(f.doc.topLevelCount(), 1);
    EXPECT_TRUE(f.prompter.allAnswersUsed());
}

} // namespace
