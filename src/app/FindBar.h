#pragma once

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace pravik {

class SmlDocument;
class SmlNode;

// The find bar under the tree: a text field, "다음" (F3) and "이전"
// (Shift+F3), "대소문자 구분". Not modal: the tree stays usable while it is
// open. Esc closes it; Enter finds the next match, Shift+Enter the previous.
class FindBar : public QWidget {
    Q_OBJECT
public:
    explicit FindBar(QWidget* parent = nullptr);

    QString query() const;
    bool caseSensitive() const;
    // Shows the bar with its text selected and the keyboard in the field.
    void open();

    // The next (or previous) node after from that matches the bar's text,
    // opening the bar first when it is closed or empty; nullptr when there
    // is nothing to find or nothing found. status tells the user what
    // happened (empty when a match was found without wrapping around).
    struct Found {
        SmlNode* node = nullptr;
        QString status;
    };
    Found findNext(const SmlDocument& doc, const SmlNode* from, bool backward);

    QLineEdit* field() const { return m_field; }
    QPushButton* nextButton() const { return m_next; }
    QPushButton* previousButton() const { return m_previous; }
    QCheckBox* caseBox() const { return m_case; }

signals:
    void findRequested(bool backward);
    // The bar was closed by the user; the keyboard should go back to the tree.
    void closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void close();

    QLineEdit* m_field = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_previous = nullptr;
    QCheckBox* m_case = nullptr;
    QToolButton* m_close = nullptr;
};

} // namespace pravik
