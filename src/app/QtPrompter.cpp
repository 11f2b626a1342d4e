#include "app/QtPrompter.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QUrl>

namespace pravik {

namespace {

// Gives the keyboard back to the window that was active before a modal
// window opened; without a window manager doing it, keys would go nowhere
// after the modal window closes.
class ActiveWindowKeeper {
public:
    ActiveWindowKeeper() : m_window(QApplication::activeWindow()) {}
    ~ActiveWindowKeeper() {
        if (m_window && m_window->isVisible())
            m_window->activateWindow();
    }

private:
    QPointer<QWidget> m_window;
};

QMessageBox::Icon BoxIcon(Prompter::Icon icon) {
    switch (icon) {
    case Prompter::Icon::Information:
        return QMessageBox::Information;
    case Prompter::Icon::Warning:
        return QMessageBox::Warning;
    case Prompter::Icon::Error:
        return QMessageBox::Critical;
    case Prompter::Icon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// Where a file dialog starts: the proposed name inside the initial folder,
// unless the name already carries its own folder.
QString StartPath(const Prompter::FileRequest& r) {
    if (r.proposedName.isEmpty())
        return r.initialDir;
    if (QFileInfo(r.proposedName).isAbsolute() || r.initialDir.isEmpty())
        return r.proposedName;
    return QDir(r.initialDir).filePath(r.proposedName);
}

void Prepare(QFileDialog& dlg, const Prompter::FileRequest& r) {
    dlg.setNameFilters(QtPrompter::QtFilter(r.filter).split(QStringLiteral(";;")));
    if (!r.defaultExtension.isEmpty())
        dlg.setDefaultSuffix(r.defaultExtension);
    const QString start = StartPath(r);
    const QFileInfo info(start);
    if (!r.proposedName.isEmpty()) {
        dlg.setDirectory(info.absolutePath());
        dlg.selectFile(info.fileName());
    } else if (!start.isEmpty()) {
        dlg.setDirectory(start);
    }
}

// A folder chooser that also takes the typed name of a folder that does not
// exist (Qt's own refuses it with "Directory not found"); the caller asks
// before creating it.
class FolderDialog : public QFileDialog {
public:
    FolderDialog(QWidget* parent, const QString& title) : QFileDialog(parent, title) {
        setFileMode(QFileDialog::Directory);
        setOption(QFileDialog::ShowDirsOnly);
        // accept() below is ours only in Qt's own dialog.
        setOption(QFileDialog::DontUseNativeDialog);
        // Qt disables the Choose button for a name that is no folder yet;
        // connected after Qt's own handler, this enables it again.
        auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        auto* buttons = findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        if (name && buttons) {
            connect(name, &QLineEdit::textChanged, this, [name, buttons] {
                if (QPushButton* choose = buttons->button(QDialogButtonBox::Open))
                    choose->setEnabled(choose->isEnabled() || !name->text().isEmpty());
            });
        }
    }
    QString chosen() const { return m_chosen; }

    void accept() override {
        const QStringList files = selectedFiles();
        if (files.isEmpty())
            return;
        m_chosen = files.constFirst();
        if (!QFileInfo::exists(m_chosen)) {
            done(QDialog::Accepted);
            return;
        }
        QFileDialog::accept(); // an existing folder, or a file it refuses
    }

private:
    QString m_chosen;
};

} // namespace

QString QtPrompter::QtFilter(const QString& windowsFilter) {
    const QStringList parts = windowsFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // "*.*" means every file on Windows, also names without a dot.
        patterns.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return filters.join(QStringLiteral(";;"));
}

Prompter::Answer QtPrompter::messageBox(Icon icon, const QString& title, const QString& text,
                                        Buttons buttons) {
    ActiveWindowKeeper keeper;
    QMessageBox box(BoxIcon(icon), title, text, QMessageBox::NoButton, m_parent);
    QPushButton* ok = nullptr;
    QPushButton* yes = nullptr;
    QPushButton* no = nullptr;
    QPushButton* cancel = nullptr;
    switch (buttons) {
    case Buttons::Ok:
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.setEscapeButton(ok);
        break;
    case Buttons::YesNo:
        yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
        box.setEscapeButton(no);
        break;
    case Buttons::YesNoCancel:
        yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
        cancel = box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
        box.setEscapeButton(cancel);
        break;
    }
    box.exec();
    const auto* clicked = box.clickedButton();
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    if (clicked && clicked == yes)
        return Answer::Yes;
    if (clicked && clicked == no)
        return Answer::No;
    return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
}

std::optional<QString> QtPrompter::openFileName(const FileRequest& request) {
    ActiveWindowKeeper keeper;
    QFileDialog dlg(m_parent, request.title);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    // Any typed name is accepted, also of a file that does not exist.
    dlg.setFileMode(QFileDialog::AnyFile);
    Prepare(dlg, request);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return std::nullopt;
    return dlg.selectedFiles().constFirst();
}

std::optional<QString> QtPrompter::saveFileName(const FileRequest& request) {
    ActiveWindowKeeper keeper;
    QFileDialog dlg(m_parent, request.title);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    Prepare(dlg, request);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return std::nullopt;
    return dlg.selectedFiles().constFirst();
}

std::optional<QString> QtPrompter::chooseFolder(const QString& title, const QString& start) {
    ActiveWindowKeeper keeper;
    FolderDialog dlg(m_parent, title);
    const QFileInfo info(start);
    if (!start.isEmpty() && !info.isDir()) {
        // A typed name that does not exist yet: its folder, with the name filled in.
        dlg.setDirectory(info.absolutePath());
        dlg.selectFile(info.fileName());
    } else if (!start.isEmpty()) {
        dlg.setDirectory(start);
    }
    if (dlg.exec() != QDialog::Accepted)
        return std::nullopt;
    return dlg.chosen();
}

int QtPrompter::runDialog(QDialog* dialog) {
    ActiveWindowKeeper keeper;
    return dialog->exec();
}

void QtPrompter::openWithShell(const QString& path) {
    // The result is not checked: a missing file or no registered program
    // simply opens nothing.
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace pravik
