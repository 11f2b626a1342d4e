// The Qt prompter's own dialogs, driven like a user.
#include "app/QtPrompter.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace pravik;
using pravik::test::TempDir;

namespace {

// Runs chooseFolder while drive acts on its dialog. Should the dialog refuse
// and wait for a person, whatever is left open is closed after a while.
std::optional<QString> ChooseDriven(QtPrompter& prompter, const QString& start,
                                    const std::function<void(QFileDialog*)>& drive) {
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dlg) {
            ADD_FAILURE() << "no folder dialog";
            return;
        }
        drive(dlg);
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
        ADD_FAILURE() << "the folder dialog did not close";
        while (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
    guard.start(10000);
    return prompter.chooseFolder(QStringLiteral("Select Folder"), start);
}

void TypeAndEnter(QFileDialog* dlg, const QString& name) {
    auto* edit = dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    QTest::keyClicks(edit, name);
    QTest::keyClick(edit, Qt::Key_Return);
}

} // namespace

TEST(QtPrompterFolders, ATypedFolderThatDoesNotExistIsTakenAsTyped) {
    TempDir dir;
    ASSERT_TRUE(QDir().mkpath(dir.path("old")));
    QtPrompter prompter;
    // An existing folder, and then a name that does not exist yet (created
    // only later, after the question).
    EXPECT_EQ(ChooseDriven(prompter, dir.path(""), [](QFileDialog* d) { TypeAndEnter(d, "old"); }),
              dir.path("old"));
    EXPECT_EQ(
        ChooseDriven(prompter, dir.path(""), [&](QFileDialog* d) { TypeAndEnter(d, "new-logs"); }),
        dir.path("new-logs"));
    EXPECT_FALSE(QFileInfo::exists(dir.path("new-logs")));
    // Back on a typed name: its folder is shown with the name filled in.
    EXPECT_EQ(ChooseDriven(prompter, dir.path("new-logs"),
                           [&](QFileDialog* d) {
                               EXPECT_EQ(QDir(d->directory()).absolutePath(),
                                         QDir(dir.path("")).absolutePath());
                               auto* edit = d->findChild<QLineEdit*>("fileNameEdit");
                               ASSERT_NE(edit, nullptr);
                               EXPECT_EQ(edit->text(), "new-logs");
                               // For a look at the chooser.
                               const QString shots =
                                   QStringLiteral(PRAVIK_BINARY_DIR "/screenshots");
                               QDir().mkpath(shots);
                               d->grab().save(shots + "/folder-chooser.png");
                               // Choose is enabled for the name, and takes it.
                               auto* box = d->findChild<QDialogButtonBox*>("buttonBox");
                               ASSERT_NE(box, nullptr);
                               QPushButton* choose = box->button(QDialogButtonBox::Open);
                               ASSERT_NE(choose, nullptr);
                               EXPECT_TRUE(choose->isEnabled());
                               QTest::mouseClick(choose, Qt::LeftButton);
                           }),
              dir.path("new-logs"));
    EXPECT_EQ(ChooseDriven(prompter, QString(), [](QFileDialog* d) { d->reject(); }), std::nullopt);
}
