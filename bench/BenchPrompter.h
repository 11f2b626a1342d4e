#pragma once

#include "gui/GuiPrompter.h"

#include <QDialog>
#include <QString>
#include <optional>

namespace pravik {

// Answers every question of the window at once, so that a benchmark is
// never held up: the path given for open, OK for boxes, no to the rest.
class BenchPrompter : public GuiPrompter {
public:
    std::optional<QString> openPath;
    Answer messageBox(Icon, const QString&, const QString&, Buttons) override { return Answer::Ok; }
    std::optional<QString> openFileName(const FileRequest&) override { return openPath; }
    std::optional<QString> saveFileName(const FileRequest&) override { return std::nullopt; }
    std::optional<QString> chooseFolder(const QString&, const QString&) override {
        return std::nullopt;
    }
    int runDialog(QDialog*) override { return QDialog::Rejected; }
    void openWithShell(const QString&) override {}
};

} // namespace pravik
