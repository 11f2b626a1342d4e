#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

namespace pravik {

class SmlNode;

enum class Severity { Error, Warning };

// Where a finding is: the node, its message (the top-level node above it)
// and its place in the document, all known when the checker meets it, so
// that showing a finding never has to climb a deep tree.
struct NodeRef {
    const SmlNode* node = nullptr;    // nullptr: the document as a whole
    const SmlNode* message = nullptr; // the top-level node above it (itself at the top)
    qint64 order = -1;                // pre-order position; -1 for the document
    int depth = 0;                    // 0 at the top level
};

// One finding of the definition checker. It names the node but is never
// stored in it: once the document changes the node may be gone, so a
// holder of diagnostics checks again rather than keep them across edits.
struct Diagnostic {
    NodeRef where;
    const char* rule = ""; // the rule id, e.g. "E206"
    Severity severity = Severity::Error;
    QString message; // Korean, without the rule id

    const SmlNode* node() const { return where.node; }
    bool isError() const { return severity == Severity::Error; }
    // The message followed by the rule id: "... [E206]".
    QString text() const;
};

struct DiagnosticCounts {
    int errors = 0;
    int warnings = 0;
};
template <class Range> DiagnosticCounts CountDiagnostics(const Range& diagnostics) {
    DiagnosticCounts c;
    for (const Diagnostic& d : diagnostics)
        (d.isError() ? c.errors : c.warnings) += 1;
    return c;
}

// "S6F11": the first word of the node's message (as written); empty for
// the document as a whole.
QString DiagnosticKey(const Diagnostic& d);
// The nodes a path shows, from the message down; nullptr stands for the
// levels left out ("…").
std::vector<const SmlNode*> DiagnosticPathNodes(const Diagnostic& d);
// "S6F11 > L 3 Report > U4 1 CEID": the node texts from the message down,
// decoded for display. A deep node shows the message, "…" and the last
// four levels, so a path costs the same however deep the tree is.
QString DiagnosticPath(const Diagnostic& d);
// The line of the file the node was read from (0: made by editing, or the
// document as a whole).
int DiagnosticLine(const Diagnostic& d);

} // namespace pravik
