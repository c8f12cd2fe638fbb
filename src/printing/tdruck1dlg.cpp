#include "printing/tdruck1dlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "printing/tdruckdlg.h"

using namespace talerwerk;

TDruck1Dlg::TDruck1Dlg(Datenbestand& bestand, QWidget* eltern) : QDialog(eltern), bestand_(bestand) {
    setObjectName(QStringLiteral("Druck1Dlg"));
    setWindowTitle(QStringLiteral("Drucken von Übersichten"));
    Einrichtung = new TDruckDlg(this);
    Einrichtung->Drucker = [this] { return Drucker ? Drucker() : nullptr; };

    BerichtnameLabel = new QLabel(this);
    BerichtnameLabel->setObjectName(QStringLiteral("BerichtnameLabel"));
    BerichtnameLabel->setAlignment(Qt::AlignCenter);
    QFont fett = BerichtnameLabel->font();
    fett.setBold(true);
    BerichtnameLabel->setFont(fett);
    EinrichtenBtn = new QPushButton(QStringLiteral("&Einrichten"), this);
    EinrichtenBtn->setAutoDefault(false);
    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("Abbrechen"), this);
    BitBtn2->setAutoDefault(false);

    connect(EinrichtenBtn, &QPushButton::clicked, this, [this] {
        if (Einrichtung->SeiteEinrichten(bestand_.Druckereinstellung)) {
            bestand_.Geaendert = true;
            if (Geaendert) Geaendert();
        }
    });
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(EinrichtenBtn);
    knoepfe->addStretch(1);
    knoepfe->addWidget(BitBtn1);
    knoepfe->addWidget(BitBtn2);
    auto* ganz = new QVBoxLayout(this);
    ganz->addWidget(BerichtnameLabel);
    ganz->addSpacing(12);
    ganz->addLayout(knoepfe);
    setMinimumWidth(360);
}

bool TDruck1Dlg::DruckBestaetigen(const QString& text) {
    BerichtnameLabel->setText(text);
    BitBtn1->setFocus();
    return exec() == QDialog::Accepted;
}
