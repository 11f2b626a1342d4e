#pragma once

#include "document/DocumentOperations.h"

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace pravik {

// The "Message" dialog, created once at start and reused. It collects the
// fields of one message; the editing commands fill it (when editing) and
// hand its fields to ApplyMessageDialog.
class TfmMsgEdit : public QDialog {
    Q_OBJECT
public:
    explicit TfmMsgEdit(QWidget* parent = nullptr);

    static constexpr int kNumberLimit = 3;

    // Set by the commands right before showing: false resets the fields on
    // showing (adding), true keeps what the command filled in (editing).
    void setEditMode(bool editMode) { m_editMode = editMode; }
    bool editMode() const { return m_editMode; }

    // rMsgType's chosen index, -1 when no choice is selected.
    int msgTypeIndex() const;
    void setMsgTypeIndex(int index);

    // Fills the fields from a message text the way the edit command does.
    void prefill(const QByteArray& text);
    // The fields as node bytes.
    MessageFields fields() const;

    // The controls, in tab order.
    QLineEdit* lStream = nullptr;
    QLineEdit* lFunction = nullptr;
    QGroupBox* rMsgType = nullptr;
    QLineEdit* lMsgDesc = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void lFunctionChange();

    QButtonGroup* m_msgTypes = nullptr;
    bool m_editMode = false;
};

} // namespace pravik
