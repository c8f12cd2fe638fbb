#include "bookings/tgehezudlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "bookings/eingaberegeln.h"
#include "bookings/qteingabegrenze.h"

using namespace talerwerk;

TGeheZuDlg::TGeheZuDlg(QWidget* eltern) : QDialog(eltern) {
    setObjectName(QStringLiteral("GeheZuDlg"));
    setWindowTitle(QStringLiteral("Gehe zu ..."));
    setModal(true);

    BuchungNrRBtn = new QRadioButton(QStringLiteral("&Buchungsnummer"), this);
    BuchungNrRBtn->setObjectName(QStringLiteral("BuchungNrRBtn"));
    BuchungNrEdit = new QLineEdit(this);
    BuchungNrEdit->setObjectName(QStringLiteral("BuchungNrEdit"));
    BuchungNrEdit->setMaxLength(static_cast<int>(GeheZuLaenge));
    BuchungNrEdit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), this));
    BelegNrRBtn = new QRadioButton(QStringLiteral("Be&legnummer"), this);
    BelegNrRBtn->setObjectName(QStringLiteral("BelegNrRBtn"));
    BelegNrEdit = new QLineEdit(this);
    BelegNrEdit->setObjectName(QStringLiteral("BelegNrEdit"));
    EingabeBegrenzen(BelegNrEdit, BelegnrLaenge, nullptr);

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Abbrechen"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));

    auto* felder = new QGridLayout;
    felder->addWidget(BuchungNrRBtn, 0, 0);
    felder->addWidget(BuchungNrEdit, 0, 1);
    felder->addWidget(BelegNrRBtn, 1, 0);
    felder->addWidget(BelegNrEdit, 1, 1);
    felder->setColumnMinimumWidth(1, 110);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(OKBtn);
    knoepfe->addWidget(CancelBtn);
    auto* alles = new QVBoxLayout(this);
    alles->addLayout(felder);
    alles->addLayout(knoepfe);

    connect(BuchungNrRBtn, &QRadioButton::toggled, this, &TGeheZuDlg::Umschalten);
    connect(BelegNrRBtn, &QRadioButton::toggled, this, &TGeheZuDlg::Umschalten);
    connect(OKBtn, &QPushButton::clicked, this, &TGeheZuDlg::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    Vorbereiten();
}

void TGeheZuDlg::Umschalten() {
    const bool nummer = BuchungNrRBtn->isChecked();
    BuchungNrEdit->setEnabled(nummer);
    BelegNrEdit->setEnabled(!nummer);
    (nummer ? BuchungNrEdit : BelegNrEdit)->setFocus(Qt::OtherFocusReason);
}

void TGeheZuDlg::Vorbereiten() {
    BuchungNrRBtn->setChecked(true);
    Umschalten();
    BuchungNrEdit->selectAll();
}

void TGeheZuDlg::OKBtnClick() {
    const QLineEdit* feld = BuchungNrRBtn->isChecked() ? BuchungNrEdit : BelegNrEdit;
    if (feld->text().isEmpty()) return;
    accept();
}

int32_t TGeheZuDlg::Suchen(const Datenbestand& d) const {
    const bool nummer = BuchungNrRBtn->isChecked();
    return GeheZuSuchen(d, nummer, (nummer ? BuchungNrEdit : BelegNrEdit)->text().toStdString());
}

std::optional<int32_t> TGeheZuDlg::Ausfuehren(const Datenbestand& d) {
    Vorbereiten();
    adjustSize();
    if (parentWidget()) move(parentWidget()->window()->geometry().center() - rect().center());
    if (exec() != QDialog::Accepted) return std::nullopt;
    return Suchen(d);
}
