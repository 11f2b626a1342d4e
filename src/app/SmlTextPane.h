#pragma once

#include "app/TextPane.h"

#include <QByteArray>

namespace pravik {

class SmlDocument;
class SmlNode;

// The SML text pane beside the tree (Memo1): the document as SML text,
// hidden until asked for. It keeps its own state: whether it is shown, and
// the text of a file opened meanwhile, which it shows as read (not as the
// tree would be written) until the tree is written into it again.
class SmlTextPane : public TextPane {
    Q_OBJECT
public:
    SmlTextPane(const SmlDocument& doc, QWidget* parent = nullptr);

    bool isShown() const { return m_shown; }
    // Shows the pane with the tree written as SML, or hides it.
    void setShown(bool shown);
    // The document was replaced: by New (nullptr; a shown pane empties) or
    // by a file read (its bytes, shown as they are).
    void documentReplaced(const QByteArray* fileText);
    // The pane's text as the user sees it when the pane is shown.
    QString text() const;
    // Puts the caret on the first line holding "<" + the message's text;
    // nothing for lists, items, no node, or while the pane is hidden.
    void showMessageLine(const SmlNode* node);

    // The text bytes as the pane shows them: lines cut where the reader cuts
    // them (CR, LF, CR LF; a NUL ends the text), one '\n' after every line.
    static QString PaneLines(const QByteArray& bytes);

private:
    void setText(const QString& text);

    const SmlDocument& m_doc;
    bool m_shown = false;
    // A file opened while the pane is hidden is kept as bytes until someone
    // asks: showing the pane writes the tree anyway.
    mutable QByteArray m_pendingFile;
    mutable bool m_pending = false;
};

} // namespace pravik
