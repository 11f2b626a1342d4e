#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QLineEdit;

class QBoxLayout;
class QButtonGroup;
class QDialog;
class QPushButton;

namespace pravik {

// The input rules the two dialogs share: which typed characters a field
// accepts (node bytes travel through gui/AnsiField).
namespace FieldRules {

// Number fields take digits, control characters and non-ASCII characters
// (halves of double-byte characters in the ANSI code page); blanks,
// punctuation, letters and DEL are swallowed.
bool NumberFieldAccepts(QChar c);
// Descriptions take everything except the angle brackets, which would end
// or open a node in the SML text.
bool DescriptionAccepts(QChar c);
// text without its angle brackets.
QString WithoutAngleBrackets(QString text);

// Sets a limited field's text. Texts longer than the field's usual limit
// (from a file) are shown whole: the limit grows until ResetLimit.
void SetLimitedText(QLineEdit* edit, const QString& text, int usualLimit);
void ResetLimit(QLineEdit* edit, int usualLimit);

// Checks button number index of group, or none when there is no such button
// (an exclusive group cannot uncheck its last button by itself).
void SetCheckedIndex(QButtonGroup* group, int index);

// Adds the dialogs' bottom row, "OK" (the default button, accepts) and
// "Cancel" (rejects), right-aligned, to layout.
void AddOkCancelRow(QDialog* dialog, QBoxLayout* layout, QPushButton*& ok, QPushButton*& cancel);

} // namespace FieldRules

// Swallows the key presses that a field's rule refuses. Ctrl and Meta
// combinations (copy, paste, cut, undo) are control characters and pass.
class KeyFilter : public QObject {
    Q_OBJECT
public:
    enum class Kind { Number, Description };
    KeyFilter(Kind kind, QObject* parent) : QObject(parent), m_kind(kind) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Kind m_kind;
};

// Description fields also lose angle brackets that arrive by pasting,
// dropping or any other edit that bypasses the key filter.
void InstallDescriptionRules(QLineEdit* edit);
void InstallNumberRules(QLineEdit* edit, int limit);

} // namespace pravik
