#include "driverconfig/TfmConfig.h"

#include "gui/AnsiField.h"
#include "gui/GuiPrompter.h"
#include "platform/AnsiText.h"
#include "platform/Clock.h"
#include "platform/FolderChoice.h"
#include "platform/LocalHost.h"
#include "platform/PlatformError.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace pravik {

namespace {

const QString kBoxTitle = QStringLiteral("Configuration");
const QString kFileMissing = QStringLiteral("파일이 존재하지 않아 기본값으로 생성하였습니다.");
const QString kTooManyIds = QStringLiteral("최대 Device ID는 10개입니다.");
const QString kIdOutOfRange = QStringLiteral("Device ID는 0 ~ 32767까지입니다.");
const QString kNoIdSelected = QStringLiteral("삭제할 Device ID가 선택되지 않았습니다.");
const QString kSaveQuestion = QStringLiteral("변경된 CFG파일을 저장하겠습니까?");

// The "Structure" page, where the dialog opens the first time.
constexpr int kFirstPage = 2;

QLineEdit* NewEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

QComboBox* NewCombo(const char* name, const QStringList& choices, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    combo->addItems(choices);
    return combo;
}

QCheckBox* NewCheck(const char* name, const QString& caption, QWidget* parent) {
    auto* check = new QCheckBox(caption, parent);
    check->setObjectName(QLatin1String(name));
    return check;
}

QPushButton* NewButton(const char* name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

// Shows value in a drop-down list of fixed choices. A value the list does not
// offer is shown as an extra entry that carries its bytes, so that it is
// written back unchanged.
void SetChoice(QComboBox* combo, const QStringList& choices, const QByteArray& value) {
    combo->clear();
    combo->addItems(choices);
    qsizetype index = choices.indexOf(QString::fromLatin1(value));
    if (index < 0) {
        combo->addItem(AnsiText::DecodeVisible(value), value);
        index = choices.size();
    }
    combo->setCurrentIndex(static_cast<int>(index));
}

QByteArray ChoiceBytes(const QComboBox* combo) {
    const QVariant bytes = combo->currentData();
    return bytes.isValid() ? bytes.toByteArray() : AnsiText::Encode(combo->currentText());
}

// A device-ID entry shows its text and carries the bytes it stands for.
QListWidgetItem* NewDeviceIdItem(const QByteArray& id) {
    auto* item = new QListWidgetItem(AnsiText::DecodeVisible(id));
    item->setData(Qt::UserRole, id);
    return item;
}

QByteArray DeviceIdBytes(const QListWidgetItem* item) {
    return item->data(Qt::UserRole).toByteArray();
}

QStringList ComPortChoices() {
    QStringList choices;
    for (int i = 1; i <= 9; ++i)
        choices << QStringLiteral("COM %1:").arg(i);
    return choices;
}

} // namespace

TfmConfig::TfmConfig(GuiPrompter& prompter, QWidget* parent)
    : QDialog(parent), m_prompter(prompter), m_localAddress(&LocalHost::FirstIPv4Address) {
    setObjectName(QStringLiteral("fmConfig"));
    setWindowTitle(QStringLiteral("Configuration"));

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("pages"));
    auto* communication = new QWidget;
    auto* log = new QWidget;
    auto* structure = new QWidget;
    buildCommunicationPage(communication);
    buildLogPage(log);
    buildStructurePage(structure);
    m_pages->addTab(communication, QStringLiteral("Communication Parameters"));
    m_pages->addTab(log, QStringLiteral("Log Files"));
    m_pages->addTab(structure, QStringLiteral("Structure"));
    m_pages->setCurrentIndex(kFirstPage);

    btnImport = NewButton("btnImport", QStringLiteral("Import from File..."), this);
    btnDefaultCFG = NewButton("btnDefaultCFG", QStringLiteral("Default CFG File"), this);
    btnSave = NewButton("btnSave", QStringLiteral("Save"), this);
    btnClose = NewButton("btnClose", QStringLiteral("Close"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnImport);
    buttons->addWidget(btnDefaultCFG);
    buttons->addStretch(1);
    buttons->addWidget(btnSave);
    buttons->addWidget(btnClose);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);

    connect(btnImport, &QPushButton::clicked, this, &TfmConfig::btnImportClick);
    connect(btnDefaultCFG, &QPushButton::clicked, this, &TfmConfig::btnDefaultCFGClick);
    connect(btnSave, &QPushButton::clicked, this, &TfmConfig::btnSaveClick);
    connect(btnClose, &QPushButton::clicked, this, &TfmConfig::btnCloseClick);
    connect(btnDefaultSet, &QPushButton::clicked, this, &TfmConfig::btnDefaultSetClick);
    connect(btnDeviceIDAdd, &QPushButton::clicked, this, &TfmConfig::btnDeviceIDAddClick);
    connect(btnDeviceIDRemove, &QPushButton::clicked, this, &TfmConfig::btnDeviceIDRemoveClick);
    connect(btnUseMyIPAdress, &QPushButton::clicked, this, &TfmConfig::btnUseMyIPAdressClick);
    connect(btnSelectFolder, &QPushButton::clicked, this, &TfmConfig::btnSelectFolderClick);
    connectChanges();

    loadValues(DefaultDriverConfig(QString()));
    btnSave->setEnabled(false);
}

void TfmConfig::buildCommunicationPage(QWidget* page) {
    // Left column: buffer, SML file, connection, HSMS and SECS-I groups.
    vCommBufferSize = NewEdit("vCommBufferSize", page);
    vSMLFileName = NewEdit("vSMLFileName", page);
    vSMLFileName->setEnabled(false);
    auto* top = new QGridLayout;
    top->addWidget(new QLabel(QStringLiteral("Communication Buffer Size:"), page), 0, 0);
    top->addWidget(vCommBufferSize, 0, 1);
    top->addWidget(new QLabel(QStringLiteral("Bytes"), page), 0, 2);
    top->addWidget(new QLabel(QStringLiteral("SML File:"), page), 1, 0);
    top->addWidget(vSMLFileName, 1, 1, 1, 2);

    auto* connection = new QGroupBox(QStringLiteral("Connection Properties"), page);
    vHostType =
        NewCombo("vHostType", {QStringLiteral("Host"), QStringLiteral("Equipment")}, connection);
    vMsgTransferType = NewCombo("vMsgTransferType",
                                {QStringLiteral("HSMS"), QStringLiteral("SECS-I")}, connection);
    auto* connectionForm = new QFormLayout(connection);
    connectionForm->addRow(QStringLiteral("Host Type:"), vHostType);
    connectionForm->addRow(QStringLiteral("Message transfer type:"), vMsgTransferType);

    auto* hsms = new QGroupBox(QStringLiteral("HSMS Properties"), page);
    auto* ipLabel = new QLabel(QStringLiteral("IP Adress:"), hsms);
    vIPAdress = NewEdit("vIPAdress", hsms);
    btnUseMyIPAdress = NewButton("btnUseMyIPAdress", QStringLiteral("Use My IP"), hsms);
    auto* portLabel = new QLabel(QStringLiteral("Port No.:"), hsms);
    vPortNo = NewEdit("vPortNo", hsms);
    auto* portHint = new QLabel(QStringLiteral("(>2000)"), hsms);
    vConnectionMode =
        NewCombo("vConnectionMode", {QStringLiteral("Active"), QStringLiteral("Passive")}, hsms);
    auto* hsmsGrid = new QGridLayout(hsms);
    hsmsGrid->addWidget(ipLabel, 0, 0);
    hsmsGrid->addWidget(vIPAdress, 0, 1);
    hsmsGrid->addWidget(btnUseMyIPAdress, 0, 2);
    hsmsGrid->addWidget(portLabel, 1, 0);
    hsmsGrid->addWidget(vPortNo, 1, 1);
    hsmsGrid->addWidget(portHint, 1, 2);
    hsmsGrid->addWidget(new QLabel(QStringLiteral("Connection mode:"), hsms), 2, 0);
    hsmsGrid->addWidget(vConnectionMode, 2, 1);
    m_hsmsWidgets = {ipLabel, vIPAdress, btnUseMyIPAdress, portLabel, vPortNo, portHint};

    auto* secs = new QGroupBox(QStringLiteral("SECS-I Properties"), page);
    vMasterSlave =
        NewCombo("vMasterSlave", {QStringLiteral("Master"), QStringLiteral("Slave")}, secs);
    vCOMPort = NewCombo("vCOMPort", ComPortChoices(), secs);
    vBaudRate = NewCombo("vBaudRate", BaudChoices(), secs);
    vParity = NewCombo("vParity", ParityChoices(), secs);
    vDataBits = NewCombo("vDataBits", DataBitsChoices(), secs);
    vStopBits = NewCombo("vStopBits", StopBitsChoices(), secs);
    auto* secsGrid = new QGridLayout(secs);
    const std::array<std::pair<QString, QComboBox*>, 6> secsRows{{
        {QStringLiteral("Master/Slave:"), vMasterSlave},
        {QStringLiteral("COM Port:"), vCOMPort},
        {QStringLiteral("Baud Rate:"), vBaudRate},
        {QStringLiteral("Parity:"), vParity},
        {QStringLiteral("Data Bits:"), vDataBits},
        {QStringLiteral("Stop Bits:"), vStopBits},
    }};
    // Two columns of three rows keep the group short.
    for (int i = 0; i < 6; ++i) {
        auto* label = new QLabel(secsRows[i].first, secs);
        secsGrid->addWidget(label, i % 3, (i / 3) * 2);
        secsGrid->addWidget(secsRows[i].second, i % 3, (i / 3) * 2 + 1);
        m_secsWidgets << label << secsRows[i].second;
    }

    auto* left = new QVBoxLayout;
    left->addLayout(top);
    left->addWidget(connection);
    left->addWidget(hsms);
    left->addWidget(secs);
    left->addStretch(1);

    // Right column: device IDs and timers.
    auto* devices = new QGroupBox(QStringLiteral("Devide ID"), page);
    vAddDeviceID = NewEdit("vAddDeviceID", devices);
    btnDeviceIDAdd = NewButton("btnDeviceIDAdd", QStringLiteral("Add"), devices);
    btnDeviceIDRemove = NewButton("btnDeviceIDRemove", QStringLiteral("Remove"), devices);
    vDeviceIDList = new QListWidget(devices);
    vDeviceIDList->setObjectName(QStringLiteral("vDeviceIDList"));
    vDeviceIDList->setSelectionMode(QAbstractItemView::SingleSelection);
    vDeviceIDList->setMaximumHeight(90);
    auto* devicesGrid = new QGridLayout(devices);
    devicesGrid->addWidget(vAddDeviceID, 0, 0);
    devicesGrid->addWidget(new QLabel(QStringLiteral("0~32767"), devices), 0, 1);
    devicesGrid->addWidget(btnDeviceIDAdd, 1, 1);
    devicesGrid->addWidget(btnDeviceIDRemove, 2, 1);
    devicesGrid->addWidget(vDeviceIDList, 1, 0, 3, 1);
    devicesGrid->addWidget(new QLabel(QStringLiteral("Max: 10"), devices), 3, 1, Qt::AlignBottom);

    auto* timers = new QGroupBox(QStringLiteral("Timer/Retry Limit Properties"), page);
    auto* timerGrid = new QGridLayout(timers);
    auto addTimerRow = [&](int row, int column, const QString& label, QLineEdit* edit,
                           const QString& unit) {
        timerGrid->addWidget(new QLabel(label, timers), row, column * 3);
        timerGrid->addWidget(edit, row, column * 3 + 1);
        timerGrid->addWidget(new QLabel(unit, timers), row, column * 3 + 2);
    };
    const QString sec = QStringLiteral("sec");
    for (int i = 0; i < 8; ++i) {
        const QByteArray name = "vT" + QByteArray::number(i + 1) + "Timeout";
        vTimeouts[static_cast<size_t>(i)] = NewEdit(name.constData(), timers);
        vTimeouts[static_cast<size_t>(i)]->setMaximumWidth(60);
        addTimerRow(i % 4, i / 4, QStringLiteral("T%1 Timeout:").arg(i + 1),
                    vTimeouts[static_cast<size_t>(i)], sec);
    }
    vLinkTestTimer = NewEdit("vLinkTestTimer", timers);
    vLinkTestTimer->setMaximumWidth(60);
    vRetryLimit = NewEdit("vRetryLimit", timers);
    vRetryLimit->setMaximumWidth(60);
    addTimerRow(4, 0, QStringLiteral("Link Test Timer:"), vLinkTestTimer, sec);
    addTimerRow(4, 1, QStringLiteral("Retry Limit:"), vRetryLimit, QStringLiteral("count"));
    btnDefaultSet = NewButton("btnDefaultSet", QStringLiteral("Default"), timers);
    timerGrid->addWidget(btnDefaultSet, 5, 4, 1, 2);

    auto* right = new QVBoxLayout;
    right->addWidget(devices);
    right->addWidget(timers);
    right->addStretch(1);

    auto* columns = new QHBoxLayout(page);
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
}

void TfmConfig::buildLogPage(QWidget* page) {
    auto* name = new QGroupBox(QStringLiteral("Log File Name"), page);
    vPrefix = NewEdit("vPrefix", name);
    vExtension = NewEdit("vExtension", name);
    vExample = NewEdit("vExample", name);
    vExample->setReadOnly(true);
    vExample->setFocusPolicy(Qt::NoFocus);
    QPalette grey = vExample->palette();
    grey.setColor(QPalette::Base, grey.color(QPalette::Window));
    vExample->setPalette(grey);
    auto* nameForm = new QFormLayout(name);
    nameForm->addRow(QStringLiteral("Prefix:"), vPrefix);
    nameForm->addRow(QStringLiteral("Extension:"), vExtension);
    nameForm->addRow(QStringLiteral("Example:"), vExample);

    auto* folder = new QGroupBox(QStringLiteral("Log Folder"), page);
    vLogFolder = NewEdit("vLogFolder", folder);
    btnSelectFolder = NewButton("btnSelectFolder", QStringLiteral("Select Folder"), folder);
    auto* folderGrid = new QGridLayout(folder);
    folderGrid->addWidget(new QLabel(QStringLiteral("Log folder"), folder), 0, 0);
    folderGrid->addWidget(vLogFolder, 1, 0);
    folderGrid->addWidget(btnSelectFolder, 1, 1);
    folderGrid->setRowStretch(2, 1);

    auto* types = new QGroupBox(QStringLiteral("Log Types"), page);
    vHexaLog = NewCheck("vHexaLog", QStringLiteral("Hexadecimal Log"), types);
    vSECSLog = NewCheck("vSECSLog", QStringLiteral("SECS-II Log"), types);
    vAlarmLog = NewCheck("vAlarmLog", QStringLiteral("Alarm Log"), types);
    vEventLog = NewCheck("vEventLog", QStringLiteral("Event Log"), types);
    auto* typesGrid = new QGridLayout(types);
    typesGrid->addWidget(vHexaLog, 0, 0);
    typesGrid->addWidget(vSECSLog, 0, 1);
    typesGrid->addWidget(vAlarmLog, 1, 0);
    typesGrid->addWidget(vEventLog, 1, 1);

    auto* management = new QGroupBox(QStringLiteral("Log File Management"), page);
    vKeepPeriod = NewCombo("vKeepPeriod", KeepPeriodChoices(), management);
    vLogCreation = NewCombo("vLogCreation",
                            {QStringLiteral("Everyday"), QStringLiteral("Everyhour")}, management);
    auto* managementForm = new QFormLayout(management);
    managementForm->addRow(QStringLiteral("Keep period:"), vKeepPeriod);
    managementForm->addRow(QStringLiteral("Log file creation:"), vLogCreation);

    // Kept for the driver's layout; these have no effect and stay disabled.
    auto* byMessage = new QGroupBox(QStringLiteral("Logging by message"), page);
    vUselbm = NewCheck("vUselbm", QStringLiteral("Use logging by message"), byMessage);
    vOptionFiles = NewEdit("vOptionFiles", byMessage);
    btnChange = NewButton("btnChange", QStringLiteral("Change"), byMessage);
    auto* optionLabel = new QLabel(QStringLiteral("Option files:"), byMessage);
    for (QWidget* w :
         std::initializer_list<QWidget*>{vUselbm, vOptionFiles, btnChange, optionLabel})
        w->setEnabled(false);
    auto* byMessageGrid = new QGridLayout(byMessage);
    byMessageGrid->addWidget(vUselbm, 0, 0, 1, 3);
    byMessageGrid->addWidget(optionLabel, 1, 0);
    byMessageGrid->addWidget(vOptionFiles, 1, 1);
    byMessageGrid->addWidget(btnChange, 1, 2);

    auto* grid = new QGridLayout(page);
    grid->addWidget(name, 0, 0);
    grid->addWidget(folder, 0, 1);
    grid->addWidget(types, 1, 0);
    grid->addWidget(management, 1, 1);
    grid->addWidget(byMessage, 2, 0, 1, 2);
    grid->setRowStretch(3, 1);
}

void TfmConfig::buildStructurePage(QWidget* page) {
    auto* s9 = new QGroupBox(QStringLiteral("S9 Reply"), page);
    vS9F1Reply = NewCheck("vS9F1Reply",
                          QStringLiteral("Use S9F1 automatic reply - Unrecognized Device ID"), s9);
    vS9F3Reply = NewCheck(
        "vS9F3Reply", QStringLiteral("Use S9F3 automatic reply - Unrecognized Stream Type"), s9);
    vS9F5Reply = NewCheck(
        "vS9F5Reply", QStringLiteral("Use S9F5 automatic reply - Unrecognized Function Type"), s9);
    vS9F7Reply = NewCheck("vS9F7Reply",
                          QStringLiteral("Use S9F7 automatic reply - Illegal data format"), s9);
    auto* s9Layout = new QVBoxLayout(s9);
    for (QCheckBox* c : {vS9F1Reply, vS9F3Reply, vS9F5Reply, vS9F7Reply})
        s9Layout->addWidget(c);

    auto* check = new QGroupBox(QStringLiteral("Structure check"), page);
    vSkipSMLCheck =
        NewCheck("vSkipSMLCheck", QStringLiteral("Skip SML check for  SECS message"), check);
    auto* checkLayout = new QVBoxLayout(check);
    checkLayout->addWidget(vSkipSMLCheck);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(s9);
    layout->addWidget(check);
    layout->addStretch(1);
}

void TfmConfig::connectChanges() {
    for (QLineEdit* e : {vCommBufferSize, vIPAdress, vPortNo, vLinkTestTimer, vRetryLimit,
                         vLogFolder, vOptionFiles})
        connect(e, &QLineEdit::textChanged, this, &TfmConfig::vCommBufferSizeChange);
    for (QLineEdit* e : vTimeouts)
        connect(e, &QLineEdit::textChanged, this, &TfmConfig::vCommBufferSizeChange);
    for (QComboBox* c : {vConnectionMode, vHostType, vMasterSlave, vCOMPort, vBaudRate, vParity,
                         vDataBits, vStopBits, vKeepPeriod})
        connect(c, &QComboBox::currentIndexChanged, this, &TfmConfig::vCommBufferSizeChange);
    for (QCheckBox* c : {vHexaLog, vSECSLog, vAlarmLog, vEventLog, vUselbm, vS9F1Reply, vS9F3Reply,
                         vS9F5Reply, vS9F7Reply, vSkipSMLCheck})
        connect(c, &QCheckBox::clicked, this, &TfmConfig::vCommBufferSizeChange);
    connect(vPrefix, &QLineEdit::textChanged, this, &TfmConfig::vPrefixChange);
    connect(vExtension, &QLineEdit::textChanged, this, &TfmConfig::vPrefixChange);
    connect(vLogCreation, &QComboBox::currentIndexChanged, this, &TfmConfig::vPrefixChange);
    connect(vMsgTransferType, &QComboBox::currentIndexChanged, this,
            &TfmConfig::vMsgTransferTypeChange);
}

void TfmConfig::ShowModalFor(const QString& cfgPath) {
    m_cfgPath = cfgPath;
    FormShow();
    m_prompter.runDialog(this);
}

void TfmConfig::FormShow() {
    DriverConfig config;
    const std::optional<bool> existed = readFile(m_cfgPath, config);
    loadValues(config);
    // A missing file starts changed, so that closing offers to save the defaults.
    m_configModified = existed.has_value() && !*existed;
    btnSave->setEnabled(m_configModified);
    setGroupsEnabled();
    updateExample();
}

std::optional<bool> TfmConfig::readFile(const QString& path, DriverConfig& config) {
    try {
        const bool existed = ReadDriverConfig(path, config);
        if (!existed)
            m_prompter.messageBox(Prompter::Icon::Information, kBoxTitle, kFileMissing,
                                  Prompter::Buttons::Ok);
        return existed;
    } catch (const PlatformError& e) {
        errorBox(e.message());
        config = DefaultDriverConfig(path);
        return std::nullopt;
    }
}

void TfmConfig::loadValues(const DriverConfig& c) {
    m_loading = true;
    vCommBufferSize->setText(c.queue);
    AnsiField::SetText(vSMLFileName, c.smlFileName);
    vHostType->setCurrentIndex(c.host ? 0 : 1);
    vMsgTransferType->setCurrentIndex(c.hsms ? 0 : 1);
    AnsiField::SetText(vIPAdress, c.ip);
    vPortNo->setText(c.port);
    vConnectionMode->setCurrentIndex(c.active ? 0 : 1);
    vMasterSlave->setCurrentIndex(c.master ? 0 : 1);
    vCOMPort->setCurrentIndex((c.comPort >= 1 && c.comPort <= 9) ? c.comPort - 1 : -1);
    SetChoice(vBaudRate, BaudChoices(), c.baud);
    SetChoice(vParity, ParityChoices(), c.parity);
    SetChoice(vDataBits, DataBitsChoices(), c.dataBits);
    SetChoice(vStopBits, StopBitsChoices(), c.stopBits);

    QByteArrayList ids = c.deviceIds;
    SortDeviceIds(ids);
    vDeviceIDList->clear();
    for (const QByteArray& id : std::as_const(ids))
        vDeviceIDList->addItem(NewDeviceIdItem(id));

    for (size_t i = 0; i < vTimeouts.size(); ++i)
        vTimeouts[i]->setText(c.timeouts[i]);
    vLinkTestTimer->setText(c.linkTest);
    vRetryLimit->setText(c.retryLimit);

    AnsiField::SetText(vPrefix, c.prefix);
    AnsiField::SetText(vExtension, c.extension);
    AnsiField::SetText(vLogFolder, c.logFolder);
    vHexaLog->setChecked(c.hexLog);
    vSECSLog->setChecked(c.secsLog);
    vEventLog->setChecked(c.eventLog);
    vAlarmLog->setChecked(c.alarmLog);
    vKeepPeriod->setCurrentIndex(
        (c.keepPeriod >= 0 && c.keepPeriod < vKeepPeriod->count()) ? c.keepPeriod : -1);
    vLogCreation->setCurrentIndex(c.everyHour ? 1 : 0);

    vS9F1Reply->setChecked(c.s9f1);
    vS9F3Reply->setChecked(c.s9f3);
    vS9F5Reply->setChecked(c.s9f5);
    vS9F7Reply->setChecked(c.s9f7);
    vSkipSMLCheck->setChecked(c.skipSmlCheck);
    m_loading = false;
}

DriverConfig TfmConfig::Values() const {
    DriverConfig c;
    c.host = vHostType->currentIndex() == 0;
    c.hsms = vMsgTransferType->currentIndex() == 0;
    c.deviceIds.clear();
    for (int i = 0; i < vDeviceIDList->count(); ++i)
        c.deviceIds << DeviceIdBytes(vDeviceIDList->item(i));
    c.queue = vCommBufferSize->text();
    c.skipSmlCheck = vSkipSMLCheck->isChecked();
    c.smlFileName = AnsiField::Bytes(vSMLFileName);
    c.ip = AnsiField::Bytes(vIPAdress);
    c.port = vPortNo->text();
    c.active = vConnectionMode->currentIndex() == 0;
    c.master = vMasterSlave->currentIndex() == 0;
    c.comPort = vCOMPort->currentIndex() + 1;
    c.baud = ChoiceBytes(vBaudRate);
    c.parity = ChoiceBytes(vParity);
    c.dataBits = ChoiceBytes(vDataBits);
    c.stopBits = ChoiceBytes(vStopBits);
    for (size_t i = 0; i < vTimeouts.size(); ++i)
        c.timeouts[i] = vTimeouts[i]->text();
    c.linkTest = vLinkTestTimer->text();
    c.retryLimit = vRetryLimit->text();
    c.prefix = AnsiField::Bytes(vPrefix);
    c.extension = AnsiField::Bytes(vExtension);
    c.logFolder = AnsiField::Bytes(vLogFolder);
    c.hexLog = vHexaLog->isChecked();
    c.secsLog = vSECSLog->isChecked();
    c.eventLog = vEventLog->isChecked();
    c.alarmLog = vAlarmLog->isChecked();
    c.keepPeriod = vKeepPeriod->currentIndex();
    c.everyHour = vLogCreation->currentIndex() == 1;
    c.s9f1 = vS9F1Reply->isChecked();
    c.s9f3 = vS9F3Reply->isChecked();
    c.s9f5 = vS9F5Reply->isChecked();
    c.s9f7 = vS9F7Reply->isChecked();
    return c;
}

void TfmConfig::setGroupsEnabled() {
    const bool hsms = vMsgTransferType->currentIndex() == 0;
    for (QWidget* w : std::as_const(m_hsmsWidgets))
        w->setEnabled(hsms);
    for (QWidget* w : std::as_const(m_secsWidgets))
        w->setEnabled(!hsms);
}

void TfmConfig::updateExample() {
    QString date;
    const QDateTime now = Clock::Now();
    if (vLogCreation->currentIndex() == 0)
        date = now.toString(QStringLiteral("yyyyMMdd"));
    else if (vLogCreation->currentIndex() == 1)
        date = now.toString(QStringLiteral("yyyyMMddHH"));
    vExample->setText(vPrefix->text() + QLatin1Char('_') + date + QLatin1Char('.') +
                      vExtension->text());
}

void TfmConfig::markChanged() {
    m_configModified = true;
    btnSave->setEnabled(true);
}

void TfmConfig::vCommBufferSizeChange() {
    if (!m_loading)
        markChanged();
}

void TfmConfig::vPrefixChange() {
    if (m_loading)
        return;
    markChanged();
    updateExample();
}

void TfmConfig::vMsgTransferTypeChange() {
    if (m_loading)
        return;
    markChanged();
    setGroupsEnabled();
}

void TfmConfig::btnImportClick() {
    Prompter::FileRequest request;
    request.title = QStringLiteral("Import from File");
    request.filter = QStringLiteral("Config File|*.cfg|Text File|*.txt|All File|*.*");
    request.defaultExtension = QStringLiteral("cfg");
    const std::optional<QString> path = m_prompter.openFileName(request);
    if (!path)
        return;
    DriverConfig config;
    if (!readFile(*path, config))
        return; // unreadable: the error was shown and the values stay
    loadValues(config);
    setGroupsEnabled();
    updateExample();
    markChanged();
}

void TfmConfig::btnDefaultCFGClick() {
    loadValues(DefaultDriverConfig(m_cfgPath));
    setGroupsEnabled();
    updateExample();
    markChanged();
}

void TfmConfig::btnSaveClick() {
    save();
}

bool TfmConfig::save() {
    try {
        WriteDriverConfig(m_cfgPath, Values());
    } catch (const PlatformError& e) {
        errorBox(e.message());
        markChanged();
        return false;
    }
    m_configModified = false;
    return true;
}

void TfmConfig::btnCloseClick() {
    close();
}

void TfmConfig::reject() {
    if (FormCloseQuery())
        QDialog::reject();
}

bool TfmConfig::FormCloseQuery() {
    if (!m_configModified)
        return true;
    switch (m_prompter.messageBox(Prompter::Icon::Question, kBoxTitle, kSaveQuestion,
                                  Prompter::Buttons::YesNoCancel)) {
    case Prompter::Answer::Yes:
        return save();
    case Prompter::Answer::No:
        return true;
    default:
        return false;
    }
}

void TfmConfig::btnDefaultSetClick() {
    static const std::array<const char*, 8> timers{"1", "10", "45", "30", "10", "5", "10", "5"};
    for (size_t i = 0; i < vTimeouts.size(); ++i)
        vTimeouts[i]->setText(QLatin1String(timers[i]));
    vLinkTestTimer->setText(QStringLiteral("1"));
    vRetryLimit->setText(QStringLiteral("2"));
    markChanged();
}

void TfmConfig::btnDeviceIDAddClick() {
    if (vDeviceIDList->count() >= kMaxDeviceIds) {
        errorBox(kTooManyIds);
        return;
    }
    const QString text = vAddDeviceID->text();
    const int n = DeviceIdNumber(text.toUtf8());
    if (n < 0 || n > kMaxDeviceId) {
        errorBox(kIdOutOfRange);
        vAddDeviceID->setFocus();
        return;
    }
    const QByteArray id = AnsiText::Encode(text);
    int row = 0;
    while (row < vDeviceIDList->count() &&
           !DeviceIdLess(id, DeviceIdBytes(vDeviceIDList->item(row))))
        ++row;
    vDeviceIDList->insertItem(row, NewDeviceIdItem(id));
    // Save keeps its state here; closing still offers to save.
    m_configModified = true;
}

void TfmConfig::btnDeviceIDRemoveClick() {
    const QList<QListWidgetItem*> selected = vDeviceIDList->selectedItems();
    if (selected.isEmpty()) {
        errorBox(kNoIdSelected);
        return;
    }
    delete selected.front();
    vDeviceIDList->clearSelection();
    markChanged();
}

void TfmConfig::btnUseMyIPAdressClick() {
    // setText reports a change only when the text differs.
    vIPAdress->setText(m_localAddress());
}

void TfmConfig::btnSelectFolderClick() {
    const std::optional<QString> folder =
        ChooseFolderCreating(m_prompter, QStringLiteral("Select Folder"), QString());
    if (!folder)
        return;
    // Shown like a value read from the file: a backslash before "x" and two
    // hex digits in the path must not turn into a byte.
    AnsiField::SetText(vLogFolder, AnsiText::Encode(*folder));
    vLogFolder->setFocus();
}

void TfmConfig::errorBox(const QString& text) {
    m_prompter.messageBox(Prompter::Icon::Error, kBoxTitle, text, Prompter::Buttons::Ok);
}

} // namespace pravik
