#pragma once

#include "secs/CommonSmlMessage.h"

#include <QTimer>
#include <QWidget>
#include <optional>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace pravik {

class DefinitionIndex;
class SmlDocument;
class SmlNode;

// The send editor of the communication pane: the message to send as common
// SML, pre-filled with the example of the selected message (the preview's
// values) and checked against the definition of the SxFy it names a moment
// after the last key (and after every change of the document): unreadable
// text with its line and column, a message no definition has, the first
// node that differs, or that it conforms. Nothing here holds a node past
// the call that was given it.
class SendEditor : public QWidget {
    Q_OBJECT
public:
    // The pause after the last key before the check.
    static constexpr int kCheckDelayMs = 150;

    enum class Check { Empty, Unreadable, NoDefinition, Differs, Conforms };

    explicit SendEditor(const SmlDocument& doc, QWidget* parent = nullptr);
    ~SendEditor() override;

    // Fills the editor with the example of message (a top-level node) whose
    // "n" lists get count elements, unless the user has changed the text
    // since it was last filled (force: always). nullptr empties it.
    void showExample(const SmlNode* message, int count, bool force = false);
    // The user changed the text since it was filled.
    bool isEdited() const { return m_edited; }
    QString text() const;
    void setText(const QString& text);

    // The message the text holds, or nullopt with the reason in error.
    std::optional<CommonSmlMessage> parse(QString* error = nullptr) const;
    // Checks now (otherwise a moment after the last change).
    void checkNow();
    Check check() const { return m_check; }
    QString checkText() const;

    QPlainTextEdit* textEdit() const { return m_edit; }
    QPushButton* sendButton() const { return m_send; }
    QPushButton* resetButton() const { return m_reset; }

signals:
    // "편집한 메시지 보내기" or Ctrl+Enter in the editor.
    void sendRequested();
    // "예제로 되돌리기": the selected message's example is wanted again.
    void resetRequested();

private:
    void scheduleCheck();
    void showCheck(Check check, const QString& text);

    const SmlDocument& m_doc;
    DefinitionIndex* m_index = nullptr;
    QPlainTextEdit* m_edit = nullptr;
    QLabel* m_checkLabel = nullptr;
    QPushButton* m_send = nullptr;
    QPushButton* m_reset = nullptr;
    QTimer m_timer;
    bool m_edited = false;
    bool m_filling = false;
    Check m_check = Check::Empty;
};

} // namespace pravik
