#pragma once

#include "gui/GuiPrompter.h"

class QWidget;

namespace pravik {

// The Prompter of the running program: Qt message boxes, file dialogs and
// modal dialog runs, parented to the main window once it exists.
class QtPrompter : public GuiPrompter {
public:
    void setParentWidget(QWidget* parent) { m_parent = parent; }

    Answer messageBox(Icon icon, const QString& title, const QString& text,
                      Buttons buttons) override;
    std::optional<QString> openFileName(const FileRequest& request) override;
    std::optional<QString> saveFileName(const FileRequest& request) override;
    std::optional<QString> chooseFolder(const QString& title, const QString& start) override;
    int runDialog(QDialog* dialog) override;
    void openWithShell(const QString& path) override;

    // "SML File|*.sml|Text File|*.txt" -> "SML File (*.sml);;Text File (*.txt)".
    static QString QtFilter(const QString& windowsFilter);

private:
    QWidget* m_parent = nullptr;
};

} // namespace pravik
