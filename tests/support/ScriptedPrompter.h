#pragma once

#include "platform/Prompter.h"

#include <QDialog>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace pravik::test {

// A Prompter for tests: answers come from queues the test fills, and every
// request is recorded so the test can check what the user would have seen.
// An unexpected request (empty queue) fails the test and answers "cancel".
class ScriptedPrompter : public Prompter {
public:
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
    void answerFolder(std::optional<QString> path) { m_folderAnswers.push_back(std::move(path)); }
    // The handler fills the dialog's fields (or drives it) and returns
    // QDialog::Accepted or Rejected. The dialog is shown while it runs.
    void answerDialog(std::function<int(QDialog*)> handler) {
        m_dialogAnswers.push_back(std::move(handler));
    }

    // --- what was asked ---
    std::vector<Box> boxes;
    std::vector<FileRequest> openRequests;
    std::vector<FileRequest> saveRequests;
    std::vector<QString> folderRequests;
    std::vector<QDialog*> dialogsRun;
    std::vector<QString> shellOpened;

    bool allAnswersUsed() const {
        return m_boxAnswers.empty() && m_openAnswers.empty() && m_saveAnswers.empty() &&
               m_folderAnswers.empty() && m_dialogAnswers.empty();
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
    int runDialog(QDialog* dialog) override {
        dialogsRun.push_back(dialog);
        if (m_dialogAnswers.empty()) {
            ADD_FAILURE() << "unexpected dialog: " << dialog->windowTitle().toStdString();
            return QDialog::Rejected;
        }
        auto handler = std::move(m_dialogAnswers.front());
        m_dialogAnswers.pop_front();
        dialog->show();
        const int result = handler(dialog);
        dialog->hide();
        dialog->setResult(result);
        return result;
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
    std::deque<std::function<int(QDialog*)>> m_dialogAnswers;
};

} // namespace pravik::test
