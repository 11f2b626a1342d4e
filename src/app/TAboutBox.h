#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace pravik {

// The about box, created once at start and shown modally by HelpAbout.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    // productName and version are read each time the box is shown.
    TAboutBox(const QString* productName, const QString* version, QWidget* parent = nullptr);

    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QPushButton* OKButton = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();

    const QString* m_productName;
    const QString* m_version;
};

} // namespace pravik
