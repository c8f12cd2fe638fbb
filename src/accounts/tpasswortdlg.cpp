#include "accounts/tpasswortdlg.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "accounts/kennwortpruefung.h"
#include "store/ports.h"

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

TPasswortDlg::TPasswortDlg(talerwerk::Meldungen& meldungen, QWidget* eltern) : QDialog(eltern), meldungen_(meldungen) {
    setObjectName(QStringLiteral("PasswortDlg"));
    setWindowTitle(QStringLiteral("Kennwort-Abfrage"));

    HinweisLabel = new QLabel(this);
    HinweisLabel->setObjectName(QStringLiteral("HinweisLabel"));
    DateiLabel = new QLabel(this);
    DateiLabel->setObjectName(QStringLiteral("DateiLabel"));
    QFont fett = DateiLabel->font();
    fett.setBold(true);
    DateiLabel->setFont(fett);
    PasswortEdit = new QLineEdit(this);
    PasswortEdit->setObjectName(QStringLiteral("PasswortEdit"));
    PasswortEdit->setEchoMode(QLineEdit::Password);
    PasswortEdit->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));  // "*"
    PasswortLabel = new QLabel(QStringLiteral("&Paßwort"), this);
    PasswortLabel->setObjectName(QStringLiteral("PasswortLabel"));
    PasswortLabel->setBuddy(PasswortEdit);
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Abbruch"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));

    auto* eingabe = new QHBoxLayout;
    eingabe->addWidget(PasswortLabel);
    eingabe->addWidget(PasswortEdit, 1);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch(1);
    knoepfe->addWidget(OKBtn);
    knoepfe->addWidget(CancelBtn);
    auto* haupt = new QVBoxLayout(this);
    haupt->addWidget(HinweisLabel);
    haupt->addWidget(DateiLabel);
    haupt->addSpacing(6);
    haupt->addLayout(eingabe);
    haupt->addLayout(knoepfe);
    setMinimumWidth(340);

    connect(OKBtn, &QPushButton::clicked, this, &TPasswortDlg::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TPasswortDlg::Vorbereiten(int art, const std::string& gespeichert, const std::string& pfad) {
    art_ = art;
    gespeichert_ = gespeichert;
    HinweisLabel->setText(Q(talerwerk::KennwortHinweis(art)));
    CancelBtn->setText(Q(talerwerk::KennwortAbbruchKnopf(art)));
    // Both separators: files named in the Windows manner must show without their folder as well.
    QString name = Q(pfad);
    name = name.mid(std::max(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\'))) + 1);
    DateiLabel->setText(name.toUpper());
    PasswortEdit->clear();
    PasswortEdit->setFocus();
}

void TPasswortDlg::OKBtnClick() {
    if (talerwerk::KennwortPasst(PasswortEdit->text().toStdString(), gespeichert_)) {
        accept();
        return;
    }
    meldungen_.Information(talerwerk::MeldungKennwortFalsch);
    PasswortEdit->setFocus(Qt::OtherFocusReason);
    PasswortEdit->selectAll();
}

bool TPasswortDlg::Abfragen(int art, const std::string& gespeichert, const std::string& pfad) {
    Vorbereiten(art, gespeichert, pfad);
    const bool richtig = exec() == QDialog::Accepted;
    PasswortEdit->clear();  // the typed password does not stay in the hidden dialog
    if (!richtig) meldungen_.Information(talerwerk::KennwortAbbruchMeldung(art));
    return richtig;
}
