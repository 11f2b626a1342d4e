#include "session/DocumentSession.h"

#include "document/SmlDocument.h"
#include "platform/PathNames.h"
#include "platform/Prompter.h"
#include "sml/SmlWriter.h"

namespace pravik {

const QString DocumentSession::kProductName = QStringLiteral("Pravik for Zorv");
const QString DocumentSession::kUntitledName = QStringLiteral("NoName.sml");
const QString DocumentSession::kFileFilter =
    QStringLiteral("SML File|*.sml|Text File|*.txt|All File|*.*");

DocumentSession::DocumentSession(SmlDocument& doc, Prompter& prompter, QObject* parent)
    : QObject(parent), m_doc(doc), m_prompter(prompter) {
    connect(&m_doc, &SmlDocument::modifiedChanged, this, &DocumentSession::captionChanged);
}

QString DocumentSession::caption() const {
    return hasDocument() ? kProductName + QStringLiteral(" - ") + m_fileName : kProductName;
}

QString DocumentSession::windowTitle() const {
    return m_doc.isModified() ? caption() + QStringLiteral(" *") : caption();
}

void DocumentSession::setFileName(const QString& name, bool untitled) {
    m_fileName = name;
    m_untitled = untitled;
    emit captionChanged();
}

std::optional<QString> DocumentSession::askSavePath() const {
    Prompter::FileRequest request{{},         kFileFilter,           m_initialDir,
                                  m_fileName, QStringLiteral("sml"), true};
    return m_prompter.saveFileName(request);
}

bool DocumentSession::confirmLosingChanges(Leaving why) {
    if (!m_doc.isModified())
        return true;
    const QString question =
        PathNames::FileNamePart(m_fileName) + QStringLiteral(" 을(를) 저장하겠습니까?");
    switch (m_prompter.messageBox(Prompter::Icon::Question, QStringLiteral("Confirm"), question,
                                  Prompter::Buttons::YesNoCancel)) {
    case Prompter::Answer::Yes:
        if (why == Leaving::Replace) {
            // Under the current name without a dialog, even when untitled.
            SaveDocument(m_fileName, m_doc);
        } else {
            const std::optional<QString> path = askSavePath();
            if (!path)
                return false;
            SaveDocument(*path, m_doc);
        }
        m_doc.setSaved();
        return true;
    case Prompter::Answer::No:
        // The changes stay marked until the document is really replaced: a
        // cancelled open dialog must not leave them unprotected.
        return true;
    default:
        return false;
    }
}

bool DocumentSession::newDocument() {
    if (!confirmLosingChanges(Leaving::Replace))
        return false;
    m_doc.clear();
    setFileName(kUntitledName, true);
    emit documentReplaced(nullptr);
    return true;
}

bool DocumentSession::open() {
    if (!confirmLosingChanges(Leaving::Replace))
        return false;
    Prompter::FileRequest request{{}, kFileFilter, m_initialDir, {}, {}, false};
    const std::optional<QString> path = m_prompter.openFileName(request);
    if (!path)
        return false;
    openFile(*path);
    return true;
}

void DocumentSession::openFile(const QString& path) {
    QByteArray bytes;
    m_counts = ReadDocument(path, m_doc, &bytes);
    setFileName(path, false);
    emit documentReplaced(&bytes);
}

bool DocumentSession::save() {
    if (m_untitled)
        return saveAs();
    SaveDocument(m_fileName, m_doc);
    m_doc.setSaved();
    return true;
}

bool DocumentSession::saveAs() {
    const std::optional<QString> path = askSavePath();
    if (!path)
        return false;
    SaveDocument(*path, m_doc);
    m_doc.setSaved();
    setFileName(*path, false);
    return true;
}

} // namespace pravik
