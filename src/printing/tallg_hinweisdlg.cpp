#include "printing/tallg_hinweisdlg.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

TAllg_Hinweis::TAllg_Hinweis(QWidget* eltern) : QDialog(eltern) {
    setObjectName(QStringLiteral("Allg_Hinweis"));
    setWindowTitle(QStringLiteral("Hinweis"));
    setModal(false);
    HinweisText = new QLabel(this);
    HinweisText->setAlignment(Qt::AlignCenter);
    HinweisText->setMinimumWidth(280);
    Fortschritt = new QProgressBar(this);
    Fortschritt->setRange(0, 100);
    AbbruchBtn = new QPushButton(QStringLiteral("Abbruch"), this);
    connect(AbbruchBtn, &QPushButton::clicked, this, &TAllg_Hinweis::AbbruchBtnClick);
    auto* ganz = new QVBoxLayout(this);
    ganz->addWidget(HinweisText);
    ganz->addWidget(Fortschritt);
    ganz->addWidget(AbbruchBtn, 0, Qt::AlignHCenter);
}

void TAllg_Hinweis::Zeigen() {
    abgebrochen_ = false;
    Fortschritt->setValue(0);
    show();
    raise();
    QApplication::processEvents();
}

void TAllg_Hinweis::Text(const std::string& text) {
    // After an abort the notice keeps asking for patience.
    if (!abgebrochen_) HinweisText->setText(QString::fromStdString(text));
}

void TAllg_Hinweis::Stand(int prozent) {
    Fortschritt->setValue(std::clamp(prozent, 0, 100) / 5 * 5);
    QApplication::processEvents();
}

bool TAllg_Hinweis::Abgebrochen() {
    QApplication::processEvents();
    return abgebrochen_;
}

void TAllg_Hinweis::Verbergen() { hide(); }

void TAllg_Hinweis::AbbruchBtnClick() {
    abgebrochen_ = true;
    HinweisText->setText(QString::fromUtf8(talerwerk::DruckAbbruchText));
}
