#include "recurring/tzeitraumdlg.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "bookings/qteingabegrenze.h"
#include "recurring/rgmplan.h"
#include "recurring/rgmverwaltung.h"

TZeitraumDlg::TZeitraumDlg(talerwerk::Meldungen& meldungen, QWidget* eltern) : QDialog(eltern), meldungen_(meldungen) {
    setObjectName(QStringLiteral("ZeitraumDlg"));
    setWindowTitle(QStringLiteral("Anzeigezeitraum"));
    ZeitraumEdit = new QLineEdit(this);
    ZeitraumEdit->setObjectName(QStringLiteral("ZeitraumEdit"));
    EingabeBegrenzen(ZeitraumEdit, 3, &meldungen_, true);
    ZeitraumEdit->setFixedWidth(ZeitraumEdit->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    Label1 = new QLabel(QStringLiteral("&Zeitraum für regelmäßige Buchungen"), this);
    Label1->setBuddy(ZeitraumEdit);
    // The up-down control bound to the edit: its own text is hidden behind its arrows.
    UpDown1 = new QSpinBox(this);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    UpDown1->setRange(talerwerk::ZeitraumMin, talerwerk::ZeitraumMax);
    UpDown1->setFocusPolicy(Qt::NoFocus);
    UpDown1->setFixedWidth(UpDown1->sizeHint().height());
    UpDown1->setStyleSheet(QStringLiteral("QSpinBox { color: transparent; selection-color: transparent; }"));
    connect(UpDown1, &QSpinBox::valueChanged, this, [this](int wert) {
        if (ZeitraumEdit->text() != QString::number(wert)) ZeitraumEdit->setText(QString::number(wert));
    });
    connect(ZeitraumEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
        bool ok = false;
        const int wert = text.toInt(&ok);
        if (ok && wert >= UpDown1->minimum() && wert <= UpDown1->maximum()) {
            const QSignalBlocker sperre(UpDown1);
            UpDown1->setValue(wert);
        }
    });
    VorgabeChBox = new QCheckBox(QStringLiteral("&Vorgabe"), this);
    VorgabeChBox->setObjectName(QStringLiteral("VorgabeChBox"));
    OkBtn = new QPushButton(QStringLiteral("OK"), this);
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    OkBtn->setDefault(true);
    AbbruchBtn = new QPushButton(QStringLiteral("Abbrechen"), this);
    AbbruchBtn->setObjectName(QStringLiteral("AbbruchBtn"));
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(AbbruchBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* feld = new QHBoxLayout;
    feld->setSpacing(0);
    feld->addWidget(ZeitraumEdit);
    feld->addWidget(UpDown1);
    feld->addSpacing(8);
    feld->addWidget(new QLabel(QStringLiteral("Tage"), this));
    feld->addStretch();
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(OkBtn);
    knoepfe->addWidget(AbbruchBtn);
    auto* aussen = new QVBoxLayout(this);
    aussen->addWidget(Label1);
    aussen->addLayout(feld);
    aussen->addWidget(VorgabeChBox);
    aussen->addLayout(knoepfe);
}

void TZeitraumDlg::Fuellen(int32_t tage) {
    UpDown1->setValue(talerwerk::ZeitraumBegrenzt(tage));
    ZeitraumEdit->setText(QString::number(UpDown1->value()));
    VorgabeChBox->setChecked(false);
    ZeitraumEdit->setFocus();
    ZeitraumEdit->selectAll();
}

int32_t TZeitraumDlg::Gelesen() const {
    return talerwerk::AnzeigezeitraumLesen(ZeitraumEdit->text().toStdString(), meldungen_);
}

bool TZeitraumDlg::Ausfuehren(int32_t& tage, bool& vorgabe) {
    Fuellen(tage);
    if (exec() != QDialog::Accepted) return false;
    tage = Gelesen();
    vorgabe = VorgabeChBox->isChecked();
    return true;
}
