#pragma once

#include "secs/MessagePreview.h"

#include <QDockWidget>
#include <QTimer>

class QLabel;
class QSpinBox;

namespace pravik {

class SmlDocument;
class SmlNode;
class TextPane;

// The preview pane ("미리 보기"): for the message of the selected node, an
// example instance in common SML above its SECS-II body as hex bytes, the
// selected node's text and bytes highlighted in both, and the body's size.
// A spin box gives the lists whose length is not fixed their elements. It
// follows the selection and every edit of the document; a burst of changes
// is gathered into one refresh, and nothing is computed while it is hidden.
// A definition that cannot be encoded shows what is wrong instead of bytes.
class PreviewPane : public QDockWidget {
    Q_OBJECT
public:
    PreviewPane(SmlDocument& doc, QWidget* parent = nullptr);

    // The tree's selection changed (nullptr: none).
    void setSelectedNode(SmlNode* node);
    // Brings the pane up to date at once (otherwise it waits for the
    // gathering timer).
    void refreshNow();
    bool refreshPending() const { return m_timer.isActive() || m_stale; }
    // A width that shows a whole line of hex bytes.
    int preferredWidth() const;

    // --- for the program's tests and benchmarks
    TextPane* smlView() const { return m_sml; }
    TextPane* bytesView() const { return m_bytes; }
    QSpinBox* countBox() const { return m_count; }
    QString sizeText() const;
    const MessagePreview& preview() const { return m_preview; }
    const SmlNode* shownMessage() const { return m_message; }

signals:
    // The user closed the pane with its own button.
    void closedByUser();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void documentChanged();
    void scheduleRefresh();
    void refresh();
    void showProblems();
    void highlight();
    void nodesLeaving(SmlNode* subtreeRoot);
    // The character position in the SML view of a byte offset of the text.
    qsizetype smlPosition(qint64 byteOffset) const;

    SmlDocument& m_doc;
    SmlNode* m_selected = nullptr;
    const SmlNode* m_message = nullptr; // whose preview is shown
    bool m_stale = true;                // the document changed since
    MessagePreview m_preview;
    // Byte offset of each line of the SML text, and whether a line is plain
    // ASCII (one character per byte).
    std::vector<qint64> m_lineBytes;
    std::vector<qsizetype> m_lineChars;
    std::vector<bool> m_lineAscii;

    TextPane* m_sml = nullptr;
    TextPane* m_bytes = nullptr;
    QSpinBox* m_count = nullptr;
    QLabel* m_size = nullptr;
    QTimer m_timer;
};

} // namespace pravik
