#include "app/SmlTextPane.h"

#include "document/SmlDocument.h"
#include "platform/AnsiText.h"
#include "sml/SmlWriter.h"

namespace pravik {

SmlTextPane::SmlTextPane(const SmlDocument& doc, QWidget* parent) : TextPane(parent), m_doc(doc) {
    setObjectName(QStringLiteral("Memo1"));
    QFont mono;
    mono.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Nimbus Mono PS"),
                      QStringLiteral("NanumGothicCoding"), QStringLiteral("DejaVu Sans Mono")});
    mono.setStyleHint(QFont::TypeWriter);
    mono.setPointSize(8);
    setFont(mono);
    QPalette pal = palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, QPalette::Base, Qt::black);
        pal.setColor(group, QPalette::Text, Qt::white);
    }
    setPalette(pal);
    setVisible(false);
}

QString SmlTextPane::PaneLines(const QByteArray& bytes) {
    const qsizetype nul = bytes.indexOf('\0');
    QByteArray text = nul >= 0 ? bytes.left(nul) : bytes;
    if (text.contains('\r')) {
        text.replace("\r\n", "\n");
        text.replace('\r', '\n');
    }
    if (!text.isEmpty() && !text.endsWith('\n'))
        text.append('\n');
    return AnsiText::Decode(text);
}

void SmlTextPane::setText(const QString& text) {
    m_pendingFile.clear();
    m_pending = false;
    setPlainText(text);
}

void SmlTextPane::setShown(bool shown) {
    if (shown) {
        // At most the first 256 MiB of text: a deeply nested document's text
        // grows with the square of its depth.
        setText(PaneLines(WriteDocument(m_doc, qint64(256) << 20)));
    }
    m_shown = shown;
    setVisible(shown);
}

void SmlTextPane::documentReplaced(const QByteArray* fileText) {
    if (!fileText) {
        // New: a shown pane empties; a hidden one waits to be shown.
        if (m_shown)
            setText(QString());
        return;
    }
    if (m_shown) {
        setText(PaneLines(*fileText));
        return;
    }
    // Hidden: nobody sees the text before the pane is shown, and showing it
    // writes the tree anyway.
    m_pendingFile = *fileText;
    m_pending = true;
}

QString SmlTextPane::text() const {
    if (m_pending) {
        const_cast<SmlTextPane*>(this)->setPlainText(PaneLines(m_pendingFile));
        m_pendingFile.clear();
        m_pending = false;
    }
    return toPlainText();
}

void SmlTextPane::showMessageLine(const SmlNode* node) {
    if (!m_shown || !node || !node->isTopLevel())
        return;
    const QString key = QStringLiteral("<") + AnsiText::Decode(node->Text());
    // Lines never contain the key across a line end, so the first place in
    // the whole text is in the first line that holds the key.
    const qsizetype pos = text().indexOf(key);
    if (pos < 0)
        return;
    setCaretPosition(pos);
    ensureCaretVisible();
}

} // namespace pravik
