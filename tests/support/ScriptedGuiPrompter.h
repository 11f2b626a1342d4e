#pragma once

#include "gui/GuiPrompter.h"
#include "support/ScriptedPrompter.h"

#include <QDialog>
#include <functional>

namespace pravik::test {

// The scripted prompter of the windowed parts: also runs dialogs, through
// handlers the test queues.
class ScriptedGuiPrompter : public ScriptedPrompterFor<GuiPrompter> {
public:
    // The handler fills the dialog's fields (or drives it) and returns
    // QDialog::Accepted or Rejected. The dialog is shown while it runs.
    void answerDialog(std::function<int(QDialog*)> handler) {
        m_dialogAnswers.push_back(std::move(handler));
    }

    std::vector<QDialog*> dialogsRun;

    bool allAnswersUsed() const {
        return ScriptedPrompterFor<GuiPrompter>::allAnswersUsed() && m_dialogAnswers.empty();
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

private:
    std::deque<std::function<int(QDialog*)>> m_dialogAnswers;
};

} // namespace pravik::test
