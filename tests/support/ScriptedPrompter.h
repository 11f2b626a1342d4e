#pragma once

#include "platform/Prompter.h"

#include <deque>
#include <gtest/gtest.h>
#include <vector>

namespace pravik::test {

// A Prompter for tests: answers come from queues the test fills, and every
// request is recorded so the test can check what the user would have seen.
// An unexpected request (empty queue) fails the test and answers "cancel".
// Interface is Prompter for the core, GuiPrompter for the windowed parts
// (ScriptedGuiPrompter.h adds the dialog runs).
template <class Interface> class ScriptedPrompterFor : public Interface {
public:
    using Icon = Prompter::Icon;
    using Buttons = Prompter::Buttons;
    using Answer = Prompter::Answer;
    using FileRequest = Prompter::FileRequest;

    struct Box {
        Icon icon;
        QString title;
        QString text;
        Buttons buttons;
    };

    // --- scripting ---
    void answerBox(Answer a) { m_boxAnswers.push_back(a); }
    // std::nullopt scripts a cancelled dialog.
    void answerOpen(std::optional<QString> path) { m_openAnswers.push_back(std::move(path)); }
    void answerSave(std::optional<QString> path) { m_saveAnswers.push_back(std::move(path)); }
    // The folder the user picks or types (it need not exist).
    void answerFolder(std::optional<QString> path) { m_folderAnswers.push_back(std::move(path)); }

    // --- what was asked ---
    std::vector<Box> boxes;
    std::vector<FileRequest> openRequests;
    std::vector<FileRequest> saveRequests;
    std::vector<QString> folderRequests;
    std::vector<QString> shellOpened;

    bool allAnswersUsed() const {
        return m_boxAnswers.empty() && m_openAnswers.empty() && m_saveAnswers.empty() &&
               m_folderAnswers.empty();
    }

    // --- Prompter ---
    Answer messageBox(Icon icon, const QString& title, const QString& text,
                      Buttons buttons) override {
        boxes.push_back({icon, title, text, buttons});
        if (m_boxAnswers.empty()) {
            ADD_FAILURE() << "unexpected message box: " << title.toStdString() << ": "
                          << text.toStdString();
            return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
        }
        const Answer a = m_boxAnswers.front();
        m_boxAnswers.pop_front();
        return a;
    }
    std::optional<QString> openFileName(const FileRequest& r) override {
        openRequests.push_back(r);
        return next(m_openAnswers, "open dialog");
    }
    std::optional<QString> saveFileName(const FileRequest& r) override {
        saveRequests.push_back(r);
        return next(m_saveAnswers, "save dialog");
    }
    std::optional<QString> chooseFolder(const QString& title, const QString& start) override {
        Q_UNUSED(title);
        folderRequests.push_back(start);
        return next(m_folderAnswers, "folder chooser");
    }
    void openWithShell(const QString& path) override { shellOpened.push_back(path); }

private:
    static std::optional<QString> next(std::deque<std::optional<QString>>& q, const char* what) {
        if (q.empty()) {
            ADD_FAILURE() << "unexpected " << what;
            return std::nullopt;
        }
        // Built in place: GCC misreads a copied optional<QString> as
        // possibly uninitialised.
        std::optional<QString> a(std::in_place, q.front().value_or(QString()));
        if (!q.front())
            a.reset();
        q.pop_front();
        return a;
    }

    std::deque<Answer> m_boxAnswers;
    std::deque<std::optional<QString>> m_openAnswers;
    std::deque<std::optional<QString>> m_saveAnswers;
    std::deque<std::optional<QString>> m_folderAnswers;
};

using ScriptedPrompter = ScriptedPrompterFor<Prompter>;

} // namespace pravik::test
