#include "driverconfig/TfmConfig.h"
#include "platform/AnsiText.h"
#include "platform/Clock.h"
#include "support/ForeignBytesCfg.h"
#include "support/ScriptedGuiPrompter.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using namespace pravik;
using pravik::test::kForeignValueLines;
using pravik::test::ReadForeignBytesCfg;
using pravik::test::ScriptedGuiPrompter;
using pravik::test::TempDir;
using Answer = Prompter::Answer;

namespace {

const QByteArray kSample = "[General]\r\n"
                           "Host=true\r\n"
                           "HSMS=true\r\n"
                           "Device ID=5,12,7\r\n"
                           "[HSMS]\r\n"
                           "Port=5000\r\n"
                           "[Log]\r\n"
                           "Prefix=EQ\r\n"
                           "Extension=txt\r\n";

class ConfigDialog : public ::testing::Test {
protected:
    void SetUp() override { Clock::SetFixed(QDateTime(QDate(2026, 3, 4), QTime(7, 5))); }
    void TearDown() override {
        Clock::SetFixed(std::nullopt);
        EXPECT_TRUE(prompter.allAnswersUsed());
    }

    template <class W> W* find(const char* name) {
        W* w = dialog.findChild<W*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QLineEdit* edit(const char* name) { return find<QLineEdit>(name); }
    QComboBox* combo(const char* name) { return find<QComboBox>(name); }
    QCheckBox* check(const char* name) { return find<QCheckBox>(name); }
    QPushButton* button(const char* name) { return find<QPushButton>(name); }
    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    void type(const char* name, const QString& text) {
        QLineEdit* e = edit(name);
        e->clear();
        QTest::keyClicks(e, text);
    }
    QStringList deviceIds() {
        QStringList ids;
        auto* list = find<QListWidget>("vDeviceIDList");
        for (int i = 0; i < list->count(); ++i)
            ids << list->item(i)->text();
        return ids;
    }
    bool saveEnabled() { return button("btnSave")->isEnabled(); }
    // Opens the dialog on cfg; body runs while it is shown. The dialog is
    // expected to be closed when body returns (close it from body).
    void open(const std::function<void()>& body) {
        prompter.answerDialog([&](QDialog*) {
            QApplication::setActiveWindow(&dialog);
            body();
            EXPECT_FALSE(dialog.isVisible()) << "dialog still open";
            return QDialog::Rejected;
        });
        dialog.ShowModalFor(cfg);
    }
    // Closes, answering the save question with a (when one is expected).
    void closeAnswering(std::optional<Answer> a) {
        const size_t boxes = prompter.boxes.size();
        if (a)
            prompter.answerBox(*a);
        click("btnClose");
        if (a) {
            ASSERT_EQ(prompter.boxes.size(), boxes + 1);
            EXPECT_EQ(prompter.boxes.back().text, "변경된 CFG파일을 저장하겠습니까?");
            EXPECT_EQ(prompter.boxes.back().buttons, Prompter::Buttons::YesNoCancel);
        } else {
            EXPECT_EQ(prompter.boxes.size(), boxes) << "unexpected question";
        }
    }
    void expectErrorBox(const QString& text) {
        ASSERT_FALSE(prompter.boxes.empty());
        EXPECT_EQ(prompter.boxes.back().text, text);
        EXPECT_EQ(prompter.boxes.back().icon, Prompter::Icon::Error);
        EXPECT_EQ(prompter.boxes.back().buttons, Prompter::Buttons::Ok);
    }

    TempDir dir;
    ScriptedGuiPrompter prompter;
    TfmConfig dialog{prompter};
    QString cfg = dir.path("Tool.cfg");
};

} // namespace

TEST_F(ConfigDialog, AnExistingFileIsShownUnchangedAndClosesWithoutAQuestion) {
    dir.write("Tool.cfg", kSample);
    open([&] {
        EXPECT_EQ(find<QTabWidget>("pages")->currentIndex(), 2); // "Structure" the first time
        EXPECT_EQ(combo("vHostType")->currentText(), "Host");
        EXPECT_EQ(edit("vPortNo")->text(), "5000");
        EXPECT_EQ(deviceIds(), (QStringList{"12", "5", "7"}));
        EXPECT_EQ(combo("vKeepPeriod")->currentText(), "1 Day");
        EXPECT_EQ(combo("vLogCreation")->currentText(), "Everyday");
        EXPECT_FALSE(check("vSECSLog")->isChecked());
        EXPECT_EQ(edit("vExample")->text(), "EQ_20260304.txt");
        EXPECT_FALSE(edit("vSMLFileName")->isEnabled());
        EXPECT_FALSE(dialog.ConfigModified());
        EXPECT_FALSE(saveEnabled());
        closeAnswering(std::nullopt);
    });
    EXPECT_TRUE(prompter.boxes.empty());
    EXPECT_EQ(dir.read("Tool.cfg"), kSample);
}

TEST_F(ConfigDialog, AMissingFileShowsTheDefaultsAndOffersToSaveThem) {
    prompter.answerBox(Answer::Ok);
    open([&] {
        ASSERT_EQ(prompter.boxes.size(), 1u);
        EXPECT_EQ(prompter.boxes[0].text, "파일이 존재하지 않아 기본값으로 생성하였습니다.");
        EXPECT_EQ(prompter.boxes[0].icon, Prompter::Icon::Information);
        EXPECT_EQ(combo("vHostType")->currentText(), "Equipment");
        EXPECT_EQ(combo("vKeepPeriod")->currentText(), "1 Month (30 Days)");
        EXPECT_EQ(combo("vLogCreation")->currentText(), "Everyhour");
        EXPECT_TRUE(check("vSECSLog")->isChecked());
        EXPECT_EQ(edit("vSMLFileName")->text(), "Tool.sml");
        EXPECT_EQ(deviceIds(), QStringList{"0"});
        EXPECT_TRUE(dialog.ConfigModified());
        EXPECT_TRUE(saveEnabled());
        closeAnswering(Answer::No);
    });
    EXPECT_FALSE(dir.exists("Tool.cfg"));
}

TEST_F(ConfigDialog, EveryKindOfChangeMarksTheDialogChanged) {
    dir.write("Tool.cfg", kSample);
    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"typed buffer size", [&] { type("vCommBufferSize", "5"); }},
        {"typed T3", [&] { type("vT3Timeout", "60"); }},
        {"typed IP", [&] { type("vIPAdress", "10.0.0.9"); }},
        {"typed log folder", [&] { type("vLogFolder", "/logs"); }},
        {"typed prefix", [&] { type("vPrefix", "X"); }},
        {"typed extension", [&] { type("vExtension", "log"); }},
        {"host type", [&] { combo("vHostType")->setCurrentIndex(1); }},
        {"connection mode", [&] { combo("vConnectionMode")->setCurrentIndex(0); }},
        {"baud rate", [&] { combo("vBaudRate")->setCurrentText("19200"); }},
        {"COM port", [&] { combo("vCOMPort")->setCurrentIndex(3); }},
        {"keep period", [&] { combo("vKeepPeriod")->setCurrentIndex(5); }},
        {"log creation", [&] { combo("vLogCreation")->setCurrentIndex(1); }},
        {"transfer type", [&] { combo("vMsgTransferType")->setCurrentIndex(1); }},
        {"hex log", [&] { check("vHexaLog")->click(); }},
        {"S9F3", [&] { check("vS9F3Reply")->click(); }},
        {"skip check", [&] { check("vSkipSMLCheck")->click(); }},
        {"timer default", [&] { click("btnDefaultSet"); }},
        {"default cfg", [&] { click("btnDefaultCFG"); }},
    };
    for (const auto& [what, change] : changes) {
        SCOPED_TRACE(what);
        open([&] {
            ASSERT_FALSE(dialog.ConfigModified());
            ASSERT_FALSE(saveEnabled());
            change();
            EXPECT_TRUE(dialog.ConfigModified());
            EXPECT_TRUE(saveEnabled());
            closeAnswering(Answer::No);
        });
    }
    // No was the answer every time: the file is as it was.
    EXPECT_EQ(dir.read("Tool.cfg"), kSample);
}

TEST_F(ConfigDialog, DeviceIdsAreCheckedAndKeptInTextOrder) {
    dir.write("Tool.cfg", "[General]\r\nDevice ID=\r\n");
    open([&] {
        EXPECT_TRUE(deviceIds().isEmpty());
        for (const char* id : {"5", "12", "7"}) {
            type("vAddDeviceID", id);
            click("btnDeviceIDAdd");
        }
        EXPECT_EQ(deviceIds(), (QStringList{"12", "5", "7"}));
        EXPECT_EQ(edit("vAddDeviceID")->text(), "7");
        // Adding counts as a change, but leaves Save as it was.
        EXPECT_TRUE(dialog.ConfigModified());
        EXPECT_FALSE(saveEnabled());

        type("vAddDeviceID", "0032767");
        click("btnDeviceIDAdd");
        EXPECT_EQ(deviceIds().size(), 4);
        EXPECT_EQ(deviceIds()[0], "0032767"); // added as typed
        for (const char* bad : {"32768", "99999999999999", "-1", "abc", "", " 5"}) {
            SCOPED_TRACE(bad);
            type("vAddDeviceID", bad);
            edit("vIPAdress")->setFocus();
            prompter.answerBox(Answer::Ok);
            click("btnDeviceIDAdd");
            expectErrorBox("Device ID는 0 ~ 32767까지입니다.");
            EXPECT_EQ(QApplication::focusWidget(), edit("vAddDeviceID"));
            EXPECT_EQ(deviceIds().size(), 4);
        }
        // Duplicates are allowed up to ten entries; then even a bad number
        // meets the limit first.
        for (int i = 0; i < 6; ++i) {
            type("vAddDeviceID", "5");
            click("btnDeviceIDAdd");
        }
        EXPECT_EQ(deviceIds().size(), 10);
        type("vAddDeviceID", "abc");
        prompter.answerBox(Answer::Ok);
        click("btnDeviceIDAdd");
        expectErrorBox("최대 Device ID는 10개입니다.");
        EXPECT_EQ(deviceIds().size(), 10);

        prompter.answerBox(Answer::Ok);
        click("btnDeviceIDRemove");
        expectErrorBox("삭제할 Device ID가 선택되지 않았습니다.");
        auto* list = find<QListWidget>("vDeviceIDList");
        list->setCurrentRow(1);
        ASSERT_EQ(list->currentItem()->text(), "12");
        click("btnDeviceIDRemove");
        EXPECT_EQ(deviceIds().size(), 9);
        EXPECT_FALSE(deviceIds().contains("12"));
        EXPECT_TRUE(saveEnabled());
        // The removal leaves nothing selected: a second Remove asks again.
        prompter.answerBox(Answer::Ok);
        click("btnDeviceIDRemove");
        expectErrorBox("삭제할 Device ID가 선택되지 않았습니다.");
        closeAnswering(Answer::Yes);
    });
    EXPECT_TRUE(dir.read("Tool.cfg").contains("\r\nDevice ID=0032767,5,5,5,5,5,5,5,7\r\n"));
}

TEST_F(ConfigDialog, TimerDefaultDiffersFromANewConfiguration) {
    dir.write("Tool.cfg", "[Timeout]\r\nT1=9\r\nT3=99\r\nLink Test Interval=77\r\nRetry "
                          "Limit=8\r\n[HSMS]\r\nPort=5000\r\n");
    open([&] {
        click("btnDefaultSet");
        EXPECT_EQ(edit("vT1Timeout")->text(), "1");
        EXPECT_EQ(edit("vT3Timeout")->text(), "45");
        EXPECT_EQ(edit("vT8Timeout")->text(), "5");
        EXPECT_EQ(edit("vLinkTestTimer")->text(), "1");
        EXPECT_EQ(edit("vRetryLimit")->text(), "2");
        EXPECT_EQ(edit("vPortNo")->text(), "5000"); // nothing else changes

        click("btnDefaultCFG");
        EXPECT_EQ(edit("vLinkTestTimer")->text(), "30");
        EXPECT_EQ(edit("vRetryLimit")->text(), "3");
        EXPECT_EQ(edit("vPortNo")->text(), "2001");
        closeAnswering(Answer::No);
    });
}

TEST_F(ConfigDialog, TheTransferTypeEnablesItsGroup) {
    dir.write("Tool.cfg", "[General]\r\nHSMS=false\r\n");
    const char* hsms[] = {"vIPAdress", "vPortNo", "btnUseMyIPAdress"};
    const char* secs[] = {"vMasterSlave", "vCOMPort",  "vBaudRate",
                          "vParity",      "vDataBits", "vStopBits"};
    auto expectHsms = [&](bool on) {
        for (const char* name : hsms)
            EXPECT_EQ(dialog.findChild<QWidget*>(name)->isEnabled(), on) << name;
        for (const char* name : secs)
            EXPECT_EQ(dialog.findChild<QWidget*>(name)->isEnabled(), !on) << name;
        EXPECT_TRUE(combo("vConnectionMode")->isEnabled());
    };
    open([&] {
        EXPECT_EQ(combo("vMsgTransferType")->currentText(), "SECS-I");
        expectHsms(false);
        combo("vMsgTransferType")->setCurrentIndex(0);
        expectHsms(true);
        combo("vMsgTransferType")->setCurrentIndex(1);
        expectHsms(false);
        click("btnDefaultCFG");
        EXPECT_EQ(combo("vMsgTransferType")->currentText(), "HSMS");
        expectHsms(true);
        closeAnswering(Answer::No);
    });
}

TEST_F(ConfigDialog, TheExampleLogNameFollowsPrefixExtensionAndCreation) {
    dir.write("Tool.cfg", kSample);
    open([&] {
        type("vExtension", "log");
        EXPECT_EQ(edit("vExample")->text(), "EQ_20260304.log");
        type("vPrefix", "");
        combo("vLogCreation")->setCurrentText("Everyhour");
        EXPECT_EQ(edit("vExample")->text(), "_2026030407.log");
        combo("vLogCreation")->setCurrentIndex(-1);
        EXPECT_EQ(edit("vExample")->text(), "_.log");
        closeAnswering(Answer::No);
    });
}

TEST_F(ConfigDialog, TheCloseQuestionsThreeAnswers) {
    dir.write("Tool.cfg", kSample);
    open([&] {
        type("vT3Timeout", "60");
        closeAnswering(Answer::Cancel);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(edit("vT3Timeout")->text(), "60");
        EXPECT_TRUE(dialog.ConfigModified());
        // The window's close box asks the same question.
        prompter.answerBox(Answer::Cancel);
        dialog.close();
        EXPECT_TRUE(dialog.isVisible());
        closeAnswering(Answer::No);
    });
    EXPECT_EQ(dir.read("Tool.cfg"), kSample);
    // Every opening reads the file afresh: the edit is gone.
    open([&] {
        EXPECT_EQ(edit("vT3Timeout")->text(), "45");
        type("vT3Timeout", "61");
        closeAnswering(Answer::Yes);
    });
    EXPECT_TRUE(dir.read("Tool.cfg").contains("\r\nT3=61\r\n"));
    EXPECT_EQ(dir.read("Tool.cfg.bak"), kSample);
}

TEST_F(ConfigDialog, SaveWritesTheFileAndKeepsTheButtonEnabled) {
    dir.write("Tool.cfg", kSample);
    open([&] {
        type("vRetryLimit", "20x1");
        type("vPortNo", "20x1");
        click("btnSave");
        EXPECT_FALSE(dialog.ConfigModified());
        EXPECT_TRUE(saveEnabled());
        closeAnswering(std::nullopt);
    });
    const QByteArray saved = dir.read("Tool.cfg");
    EXPECT_TRUE(saved.contains("\r\nPort=2001\r\n"));
    EXPECT_TRUE(saved.contains("\r\nRetry Limit=3\r\n"));
    EXPECT_TRUE(saved.contains("\r\nHost=true\r\n"));
}

// Only the file reader knows "0x": a number typed in the dialog is decimal,
// and any other text is written as the key's default.
TEST_F(ConfigDialog, TypedNumbersAreDecimalOnly) {
    dir.write("Tool.cfg", "[HSMS]\r\nPort=0x10\r\n");
    const std::tuple<const char*, const char*, const char*> typed[] = {
        {"vPortNo", "0x10", "\r\nPort=2001\r\n"},
        {"vT1Timeout", "0X1f", "\r\nT1=1\r\n"},
        {"vCommBufferSize", "0x10", "\r\nQueue=100000\r\n"},
        {"vRetryLimit", "0x", "\r\nRetry Limit=3\r\n"},
        {"vT3Timeout", "060", "\r\nT3=60\r\n"},
        {"vLinkTestTimer", "-7", "\r\nLink Test Interval=-7\r\n"},
    };
    open([&] {
        EXPECT_EQ(edit("vPortNo")->text(), "16"); // read from the file
        for (const auto& [field, text, line] : typed)
            type(field, text);
        click("btnSave");
        closeAnswering(std::nullopt);
    });
    const QByteArray saved = dir.read("Tool.cfg");
    for (const auto& [field, text, line] : typed)
        EXPECT_TRUE(saved.contains(line)) << field << " " << text;
}

TEST_F(ConfigDialog, ImportTakesTheMissingKeyValuesAndSavesOnlyToTheDocumentsFile) {
    dir.write("Tool.cfg", kSample);
    const QString sparse =
        dir.write("other.txt", "[hsms]\r\nport=3000\r\n[General]\r\nSML=Other.sml\r\n");
    open([&] {
        prompter.answerOpen(sparse);
        click("btnImport");
        ASSERT_EQ(prompter.openRequests.size(), 1u);
        EXPECT_EQ(prompter.openRequests[0].filter,
                  "Config File|*.cfg|Text File|*.txt|All File|*.*");
        EXPECT_EQ(prompter.openRequests[0].defaultExtension, "cfg");
        EXPECT_EQ(edit("vPortNo")->text(), "3000");
        EXPECT_EQ(combo("vHostType")->currentText(), "Equipment");
        EXPECT_EQ(combo("vKeepPeriod")->currentText(), "1 Day");
        EXPECT_EQ(combo("vLogCreation")->currentText(), "Everyday");
        EXPECT_FALSE(check("vSECSLog")->isChecked());
        EXPECT_EQ(deviceIds(), QStringList{"0"});
        EXPECT_EQ(edit("vSMLFileName")->text(), "Other.sml");
        EXPECT_EQ(edit("vExample")->text(), "_20260304.log");
        EXPECT_TRUE(saveEnabled());
        EXPECT_TRUE(dialog.ConfigModified());
        EXPECT_EQ(dir.read("Tool.cfg"), kSample);

        // A cancelled import changes nothing; a missing file gives the defaults.
        prompter.answerOpen(std::nullopt);
        click("btnImport");
        EXPECT_EQ(edit("vPortNo")->text(), "3000");
        prompter.answerOpen(dir.path("none.cfg"));
        prompter.answerBox(Answer::Ok);
        click("btnImport");
        EXPECT_EQ(prompter.boxes.back().text, "파일이 존재하지 않아 기본값으로 생성하였습니다.");
        EXPECT_EQ(edit("vPortNo")->text(), "2001");
        EXPECT_EQ(combo("vKeepPeriod")->currentText(), "1 Month (30 Days)");

        prompter.answerOpen(sparse);
        click("btnImport");
        click("btnSave");
        closeAnswering(std::nullopt);
    });
    EXPECT_EQ(dir.read("Tool.cfg.bak"), kSample);
    const QByteArray saved = dir.read("Tool.cfg");
    EXPECT_TRUE(saved.contains("\r\nPort=3000\r\n"));
    EXPECT_TRUE(saved.contains("\r\nSML=Tool.sml\r\n"));
    EXPECT_FALSE(dir.exists("none.cfg"));
}

TEST_F(ConfigDialog, ARefusedWriteIsReportedAndTheChangesStay) {
    cfg = dir.path("no-such-folder/Tool.cfg");
    prompter.answerBox(Answer::Ok); // the missing file
    open([&] {
        prompter.answerBox(Answer::Ok);
        click("btnSave");
        expectErrorBox("Unable to write to " + cfg);
        EXPECT_TRUE(dialog.ConfigModified());
        // Yes fails as well: the error is shown and the dialog stays open.
        prompter.answerBox(Answer::Yes);
        prompter.answerBox(Answer::Ok);
        click("btnClose");
        ASSERT_EQ(prompter.boxes.size(), 4u);
        EXPECT_EQ(prompter.boxes[2].text, "변경된 CFG파일을 저장하겠습니까?");
        expectErrorBox("Unable to write to " + cfg);
        EXPECT_TRUE(dialog.isVisible());
        closeAnswering(Answer::No);
    });
}

TEST_F(ConfigDialog, SerialValuesWithoutAChoiceAreShownAndWrittenBack) {
    dir.write("Tool.cfg", "[SECS-I]\r\nBaud=31250\r\nComm=12\r\n");
    open([&] {
        EXPECT_EQ(combo("vBaudRate")->currentText(), "31250");
        EXPECT_EQ(combo("vCOMPort")->currentIndex(), -1);
        type("vT3Timeout", "50");
        closeAnswering(Answer::Yes);
    });
    const QByteArray saved = dir.read("Tool.cfg");
    EXPECT_TRUE(saved.contains("Baud=31250\r\n"));
    EXPECT_TRUE(saved.contains("Comm=0\r\n"));
    // The next file does not inherit the extra choice.
    dir.write("Tool.cfg", "[SECS-I]\r\nBaud=4800\r\n");
    open([&] {
        EXPECT_EQ(combo("vBaudRate")->currentText(), "4800");
        EXPECT_EQ(combo("vBaudRate")->count(), 15);
        closeAnswering(std::nullopt);
    });
}

TEST_F(ConfigDialog, UseMyIpCountsAsAChangeOnlyWhenTheTextChanges) {
    dir.write("Tool.cfg", "[HSMS]\r\nIP=10.1.2.3\r\n");
    QString answer = QStringLiteral("10.1.2.3");
    dialog.SetLocalAddressLookup([&] { return answer; });
    open([&] {
        click("btnUseMyIPAdress");
        EXPECT_FALSE(dialog.ConfigModified());
        answer = QStringLiteral("192.168.0.7");
        click("btnUseMyIPAdress");
        EXPECT_EQ(edit("vIPAdress")->text(), "192.168.0.7");
        EXPECT_TRUE(dialog.ConfigModified());
        closeAnswering(Answer::No);
    });
}

TEST_F(ConfigDialog, TheFolderChooserFillsTheLogFolder) {
    dir.write("Tool.cfg", kSample);
    open([&] {
        prompter.answerFolder(std::nullopt);
        click("btnSelectFolder");
        EXPECT_FALSE(dialog.ConfigModified());
        const QString logs = dir.path("logs");
        ASSERT_TRUE(QDir().mkpath(logs));
        prompter.answerFolder(logs);
        edit("vPrefix")->setFocus();
        click("btnSelectFolder");
        EXPECT_EQ(edit("vLogFolder")->text(), logs);
        EXPECT_EQ(QApplication::focusWidget(), edit("vLogFolder"));
        EXPECT_TRUE(dialog.ConfigModified());
        closeAnswering(Answer::No);
    });
    ASSERT_EQ(prompter.folderRequests.size(), 2u);
    EXPECT_TRUE(prompter.folderRequests[0].isEmpty());
}

TEST_F(ConfigDialog, ATypedFolderThatDoesNotExistIsCreatedAfterTheQuestion) {
    dir.write("Tool.cfg", kSample);
    const QString typed = dir.path("new-logs");
    open([&] {
        prompter.answerFolder(typed);
        prompter.answerBox(Answer::No);
        prompter.answerFolder(typed);
        prompter.answerBox(Answer::Yes);
        click("btnSelectFolder");
        EXPECT_EQ(prompter.boxes.size(), 2u);
        EXPECT_EQ(prompter.boxes.back().text,
                  "The folder \"" + typed + "\" does not exist. Create it?");
        EXPECT_EQ(edit("vLogFolder")->text(), typed);
        EXPECT_TRUE(dialog.ConfigModified());
        closeAnswering(Answer::Yes);
    });
    EXPECT_TRUE(QFileInfo(typed).isDir());
    EXPECT_TRUE(dir.read("Tool.cfg").contains("\r\nDir=" + typed.toLocal8Bit() + "\r\n"));
}

TEST_F(ConfigDialog, TheDialogOpensOnThePageShownLast) {
    dir.write("Tool.cfg", kSample);
    open([&] {
        find<QTabWidget>("pages")->setCurrentIndex(1);
        closeAnswering(std::nullopt);
    });
    open([&] {
        EXPECT_EQ(find<QTabWidget>("pages")->currentIndex(), 1);
        closeAnswering(std::nullopt);
    });
}

// Renders the three pages to PNG files in the build folder for a look.
TEST_F(ConfigDialog, PagesRenderToImages) {
    dir.write("Tool.cfg", kSample);
    const QString folder = QStringLiteral(PRAVIK_BINARY_DIR "/screenshots");
    ASSERT_TRUE(QDir().mkpath(folder));
    open([&] {
        auto* pages = find<QTabWidget>("pages");
        const char* names[] = {"communication", "log-files", "structure"};
        for (int i = 0; i < pages->count(); ++i) {
            pages->setCurrentIndex(i);
            QApplication::processEvents();
            const QImage image = dialog.grab().toImage();
            EXPECT_GT(image.width(), 300);
            EXPECT_TRUE(image.save(folder + "/config-" + names[i] + ".png")) << names[i];
        }
        closeAnswering(std::nullopt);
    });
}

// Values in other encodings keep their bytes when another field is changed;
// a field the user edits is encoded from what it shows.
TEST_F(ConfigDialog, ValuesKeepTheirBytesUnlessTheirFieldIsEdited) {
    dir.write("Tool.cfg", ReadForeignBytesCfg());
    open([&] {
        EXPECT_EQ(combo("vParity")->currentIndex(), 3); // shown as an extra choice
        type("vT3Timeout", "60");
        click("btnSave");
        closeAnswering(std::nullopt);
    });
    QByteArray saved = dir.read("Tool.cfg");
    for (const QByteArray& line : kForeignValueLines)
        EXPECT_TRUE(saved.contains(line)) << line.toStdString();
    EXPECT_TRUE(saved.contains("\r\nT3=60\r\n"));

    // Now the backup exists: the file is updated in place.
    open([&] {
        // Korean arrives from the input method.
        edit("vPrefix")->clear();
        QInputMethodEvent korean;
        korean.setCommitString(QStringLiteral("로그"));
        QApplication::sendEvent(edit("vPrefix"), &korean);
        EXPECT_EQ(edit("vPrefix")->text(), QStringLiteral("로그"));
        combo("vParity")->setCurrentText("EVEN");
        type("vAddDeviceID", "7");
        click("btnDeviceIDAdd");
        closeAnswering(Answer::Yes);
    });
    saved = dir.read("Tool.cfg");
    EXPECT_TRUE(saved.contains("\r\nPrefix=\xB7\xCE\xB1\xD7\r\n"));
    EXPECT_TRUE(saved.contains("\r\nParity=EVEN\r\n"));
    EXPECT_TRUE(saved.contains("\r\nDevice ID=5,7,caf\xE9,\xB0\xA1\r\n"));
    for (const QByteArray& line : kForeignValueLines) {
        const bool edited = line.startsWith("\r\nPrefix=") || line.startsWith("\r\nParity=") ||
                            line.startsWith("\r\nDevice ID=");
        EXPECT_NE(saved.contains(line), edited) << line.toStdString();
    }
    EXPECT_EQ(dir.read("Tool.cfg.bak"), ReadForeignBytesCfg());
}

// Every byte of a value is visible: what is not CP949 shows as "\xB0", and
// typing at the end of a field (a click, End, "x") keeps the bytes before it.
TEST_F(ConfigDialog, BytesThatAreNotCp949AreShownAndKeptByAnEdit) {
    dir.write("Tool.cfg", ReadForeignBytesCfg());
    const QString utf8AsCp949 = AnsiText::Decode("\xEB\xA1\x9C\xEA\xB7\xB8"); // "로그" in UTF-8
    open([&] {
        EXPECT_EQ(edit("vLogFolder")->text(), "/data/" + utf8AsCp949 + "/\\xB0");
        EXPECT_EQ(edit("vPrefix")->text(), "caf\\xE9");
        EXPECT_EQ(edit("vExtension")->text(), "lo\\xB0");
        EXPECT_EQ(edit("vIPAdress")->text(), utf8AsCp949 + ".local");
        EXPECT_EQ(combo("vParity")->currentText(), "N\\xD6NE");
        EXPECT_EQ(deviceIds(), (QStringList{"5", "caf\\xE9", AnsiText::Decode("\xB0\xA1")}));
        EXPECT_FALSE(edit("vPrefix")->toolTip().isEmpty()); // says what \xE9 is
        EXPECT_TRUE(edit("vIPAdress")->toolTip().isEmpty());
        EXPECT_EQ(edit("vExample")->text(), "caf\\xE9_20260304.lo\\xB0");

        QLineEdit* folder = edit("vLogFolder");
        QTest::mouseClick(folder, Qt::LeftButton, {}, QPoint(4, folder->height() / 2));
        QTest::keyClick(folder, Qt::Key_End);
        QTest::keyClick(folder, Qt::Key_X);
        click("btnSave");
        closeAnswering(std::nullopt);
    });
    const QByteArray saved = dir.read("Tool.cfg");
    EXPECT_TRUE(saved.contains("\r\nDir=/data/\xEB\xA1\x9C\xEA\xB7\xB8/\xB0x\r\n"));
    for (const QByteArray& line : kForeignValueLines)
        EXPECT_EQ(saved.contains(line), !line.startsWith("\r\nDir=")) << line.toStdString();
}

// A value whose text looks like an escape shows its backslash doubled, and
// keeps it: the same after an edit and for a folder chosen in the chooser.
TEST_F(ConfigDialog, ABackslashBeforeHexDigitsStaysABackslash) {
    dir.write("Tool.cfg", "[Log]\r\nPrefix=EQ\\x41\r\nDir=C:\\x86\\Logs\r\n");
    const QString chosen = dir.path("a\\xB0");
    ASSERT_TRUE(QDir().mkpath(chosen));
    open([&] {
        EXPECT_EQ(edit("vLogFolder")->text(), "C:\\\\x86\\Logs");
        EXPECT_EQ(edit("vPrefix")->text(), "EQ\\\\x41");
        QTest::keyClick(edit("vPrefix"), Qt::Key_End);
        QTest::keyClicks(edit("vPrefix"), "_1");
        prompter.answerFolder(chosen);
        click("btnSelectFolder");
        EXPECT_TRUE(edit("vLogFolder")->text().endsWith("/a\\\\xB0"));
        closeAnswering(Answer::Yes);
    });
    const QByteArray saved = dir.read("Tool.cfg");
    EXPECT_TRUE(saved.contains("\r\nPrefix=EQ\\x41_1\r\n"));
    EXPECT_TRUE(saved.contains("\r\nDir=" + chosen.toLocal8Bit() + "\r\n"));
}
