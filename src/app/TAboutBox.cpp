#include "app/TAboutBox.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace pravik {

TAboutBox::TAboutBox(const QString* productName, const QString* version, QWidget* parent)
    : QDialog(parent), m_productName(productName), m_version(version) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(309, 245);

    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);

    auto* programIcon = new QLabel(panel);
    programIcon->setObjectName(QStringLiteral("ProgramIcon"));
    programIcon->setPixmap(QIcon(QStringLiteral(":/icons/pravik.svg")).pixmap(32, 32));
    programIcon->setFixedSize(32, 32);

    ProductName = new QLabel(panel);
    ProductName->setObjectName(QStringLiteral("ProductName"));
    ProductName->setAlignment(Qt::AlignCenter);
    QFont big;
    big.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Nimbus Mono PS"),
                     QStringLiteral("DejaVu Sans Mono")});
    big.setStyleHint(QFont::TypeWriter);
    big.setPointSize(14);
    big.setBold(true);
    ProductName->setFont(big);

    Version = new QLabel(panel);
    Version->setObjectName(QStringLiteral("Version"));
    Version->setAlignment(Qt::AlignCenter);

    auto* iconRow = new QHBoxLayout;
    iconRow->addWidget(programIcon);
    iconRow->addStretch();
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->addLayout(iconRow);
    panelLayout->addStretch();
    panelLayout->addWidget(ProductName);
    panelLayout->addSpacing(8);
    panelLayout->addWidget(Version);
    panelLayout->addStretch();

    OKButton = new QPushButton(QStringLiteral("확인"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    OKButton->setAutoDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(OKButton);
    buttonRow->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel, 1);
    layout->addLayout(buttonRow);
}

void TAboutBox::showEvent(QShowEvent* event) {
    FormShow();
    // Centred on the main window each time.
    if (parentWidget()) {
        const QRect owner = parentWidget()->frameGeometry();
        move(owner.center() - QPoint(width() / 2, height() / 2));
    }
    QDialog::showEvent(event);
}

void TAboutBox::FormShow() {
    ProductName->setText(m_productName ? *m_productName : QString());
    Version->setText(QStringLiteral("버전: ") + (m_version ? *m_version : QString()));
}

} // namespace pravik
