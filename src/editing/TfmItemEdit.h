#pragma once

#include "document/DocumentOperations.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace pravik {

// The "Item" dialog, created once at start and reused. It collects the
// fields of one list or item; the editing commands fill it (when editing)
// and hand its fields to ApplyItemDialog.
class TfmItemEdit : public QDialog {
    Q_OBJECT
public:
    explicit TfmItemEdit(QWidget* parent = nullptr);

    static constexpr int kLengthLimit = 3;

    // See TfmMsgEdit::setEditMode.
    void setEditMode(bool editMode) { m_editMode = editMode; }
    bool editMode() const { return m_editMode; }

    // rItemType's chosen index (0 makes a list), -1 when none is selected.
    int itemTypeIndex() const;
    void setItemTypeIndex(int index);

    // Fills the fields from a list or item text the way the edit command does.
    void prefill(const QByteArray& text);
    // The fields as node bytes.
    ItemFields fields() const;

    // The controls, in tab order.
    QGroupBox* rItemType = nullptr;
    QLineEdit* lItemLength = nullptr;
    QCheckBox* cLengthNotFixed = nullptr;
    QLineEdit* lItemDesc = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;

    // Items need a length of at least 1; run whenever the focus leaves one of
    // the four fields and when the dialog is accepted.
    void rItemTypeExit();

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createTypeGroup(QVBoxLayout* layout);
    void createFields(QVBoxLayout* layout);
    void FormShow();
    void cLengthNotFixedClick();
    // The "Not fixed" rule for a given state of the box.
    void applyNotFixed(bool notFixed);

    QButtonGroup* m_itemTypes = nullptr;
    bool m_editMode = false;
};

} // namespace pravik
