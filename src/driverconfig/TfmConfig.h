#pragma once

#include "driverconfig/DriverConfig.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QWidget;

namespace pravik {

class GuiPrompter;

// The "Configuration" dialog of the driver's ".cfg" file. Created once and
// opened for the ".cfg" file beside the current document; every opening reads
// the file afresh. Controls carry their names as object names.
class TfmConfig : public QDialog {
    Q_OBJECT
public:
    explicit TfmConfig(GuiPrompter& prompter, QWidget* parent = nullptr);

    // Opens the dialog modally (through the prompter) on the ".cfg" file at
    // cfgPath and returns when it closes.
    void ShowModalFor(const QString& cfgPath);

    // The values in the dialog differ from the file, as far as it knows.
    bool ConfigModified() const { return m_configModified; }
    // The values as the controls show them now.
    DriverConfig Values() const;
    // The host-name lookup behind "Use My IP"; tests put a fixed answer here.
    void SetLocalAddressLookup(std::function<QString()> lookup) {
        m_localAddress = std::move(lookup);
    }

public slots:
    // Every way of closing (Close, the close box, Esc) asks FormCloseQuery.
    void reject() override;

private slots:
    void vCommBufferSizeChange();
    void vPrefixChange();
    void vMsgTransferTypeChange();
    void btnImportClick();
    void btnDefaultCFGClick();
    void btnSaveClick();
    void btnCloseClick();
    void btnDefaultSetClick();
    void btnDeviceIDAddClick();
    void btnDeviceIDRemoveClick();
    void btnUseMyIPAdressClick();
    void btnSelectFolderClick();

private:
    void FormShow();
    bool FormCloseQuery();

    void buildCommunicationPage(QWidget* page);
    void buildLogPage(QWidget* page);
    void buildStructurePage(QWidget* page);
    void connectChanges();

    // Reads path into config, showing the boxes a missing or unreadable file
    // asks for. Returns whether the file existed; nullopt when it could not be read.
    std::optional<bool> readFile(const QString& path, DriverConfig& config);
    void loadValues(const DriverConfig& config);
    void setGroupsEnabled();
    void updateExample();
    void markChanged();
    // WriteDriverConfig to the document's ".cfg" path; false (after the error
    // box) when the platform refused it.
    bool save();
    void errorBox(const QString& text);

    GuiPrompter& m_prompter;
    QString m_cfgPath;
    bool m_configModified = false;
    bool m_loading = false; // filling the controls is not a change
    std::function<QString()> m_localAddress;

    QTabWidget* m_pages = nullptr;
    QPushButton* btnImport = nullptr;
    QPushButton* btnDefaultCFG = nullptr;
    QPushButton* btnSave = nullptr;
    QPushButton* btnClose = nullptr;

    // Communication Parameters
    QLineEdit* vCommBufferSize = nullptr;
    QLineEdit* vSMLFileName = nullptr;
    QComboBox* vHostType = nullptr;
    QComboBox* vMsgTransferType = nullptr;
    QLineEdit* vIPAdress = nullptr;
    QPushButton* btnUseMyIPAdress = nullptr;
    QLineEdit* vPortNo = nullptr;
    QComboBox* vConnectionMode = nullptr;
    QComboBox* vMasterSlave = nullptr;
    QComboBox* vCOMPort = nullptr;
    QComboBox* vBaudRate = nullptr;
    QComboBox* vParity = nullptr;
    QComboBox* vDataBits = nullptr;
    QComboBox* vStopBits = nullptr;
    QLineEdit* vAddDeviceID = nullptr;
    QPushButton* btnDeviceIDAdd = nullptr;
    QPushButton* btnDeviceIDRemove = nullptr;
    QListWidget* vDeviceIDList = nullptr;
    std::array<QLineEdit*, 8> vTimeouts{};
    QLineEdit* vLinkTestTimer = nullptr;
    QLineEdit* vRetryLimit = nullptr;
    QPushButton* btnDefaultSet = nullptr;
    // The widgets the transfer type enables, with their labels.
    QList<QWidget*> m_hsmsWidgets;
    QList<QWidget*> m_secsWidgets;

    // Log Files
    QLineEdit* vPrefix = nullptr;
    QLineEdit* vExtension = nullptr;
    QLineEdit* vExample = nullptr;
    QLineEdit* vLogFolder = nullptr;
    QPushButton* btnSelectFolder = nullptr;
    QCheckBox* vHexaLog = nullptr;
    QCheckBox* vSECSLog = nullptr;
    QCheckBox* vAlarmLog = nullptr;
    QCheckBox* vEventLog = nullptr;
    QComboBox* vKeepPeriod = nullptr;
    QComboBox* vLogCreation = nullptr;
    QCheckBox* vUselbm = nullptr;
    QLineEdit* vOptionFiles = nullptr;
    QPushButton* btnChange = nullptr;

    // Structure
    QCheckBox* vS9F1Reply = nullptr;
    QCheckBox* vS9F3Reply = nullptr;
    QCheckBox* vS9F5Reply = nullptr;
    QCheckBox* vS9F7Reply = nullptr;
    QCheckBox* vSkipSMLCheck = nullptr;
};

} // namespace pravik
