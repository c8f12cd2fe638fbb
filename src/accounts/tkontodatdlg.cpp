#include "accounts/tkontodatdlg.h"

#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>
#include <QVBoxLayout>

#include "store/betrag.h"
#include "store/zeichensatz.h"

using namespace talerwerk;

namespace {

// Refuses characters the data file cannot hold, where they are typed.
class DateiTextValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& text, int&) const override {
        return Cp1252Darstellbar(text.toStdString()) ? Acceptable : Invalid;
    }
};

// The opening balance: an amount 0 … 999999,99 with at most two decimals.
class AnfStandValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& text, int&) const override {
        return AnfStandLesen(text.toStdString()) ? Acceptable : Invalid;
    }
};

QLineEdit* Feld(QWidget* eltern, const char* name, int laenge, QValidator* validator) {
    auto* e = new QLineEdit(eltern);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(laenge);
    e->setValidator(validator);
    return e;
}

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

}  // namespace

TKontoDatDlg::TKontoDatDlg(Meldungen& meldungen, QWidget* eltern) : QDialog(eltern), meldungen_(meldungen) {
    setObjectName(QStringLiteral("KontoDatDlg"));
    setWindowTitle(QStringLiteral("Konto- und Rubrikendaten"));

    auto* text = new DateiTextValidator(this);
    PfadLabel = new QLabel(this);
    PfadLabel->setObjectName(QStringLiteral("PfadLabel"));
    QFont fett = PfadLabel->font();
    fett.setBold(true);
    PfadLabel->setFont(fett);

    AbkEdit = Feld(this, "AbkEdit", MaxAbkEingabe, text);
    AbkEdit->setMaximumWidth(AbkEdit->fontMetrics().horizontalAdvance(QStringLiteral("MMMMMMM")) + 12);
    NameEdit = Feld(this, "NameEdit", MaxNameEingabe, text);

    Kontodaten = new QFrame(this);
    Kontodaten->setObjectName(QStringLiteral("Kontodaten"));
    static_cast<QFrame*>(Kontodaten)->setFrameShape(QFrame::StyledPanel);
    BLZEdit = Feld(Kontodaten, "BLZEdit", MaxBLZEingabe, text);
    KontoNrEdit = Feld(Kontodaten, "KontoNrEdit", MaxKontoNrEingabe, text);
    AnfStandEdit = Feld(Kontodaten, "AnfStandEdit", MaxAnfStandEingabe, new AnfStandValidator(this));
    AnfStandEdit->setAlignment(Qt::AlignRight);
    // Once typed, the amount is shown as money: thousands separated, two decimals.
    connect(AnfStandEdit, &QLineEdit::editingFinished, this, [this] {
        if (auto cent = AnfStandLesen(S(AnfStandEdit->text()))) AnfStandEdit->setText(Q(CentAnzeige(*cent)));
    });
    InstitutEdit = Feld(Kontodaten, "InstitutEdit", MaxInstitutEingabe, text);
    InhaberEdit = Feld(Kontodaten, "InhaberEdit", MaxInhaberEingabe, text);

    auto zeile = [](QFormLayout* form, const QString& beschriftung, QLineEdit* feld) {
        auto* l = new QLabel(beschriftung);
        l->setBuddy(feld);
        form->addRow(l, feld);
    };
    auto* oben = new QFormLayout;
    zeile(oben, QStringLiteral("&Abkürzung"), AbkEdit);
    zeile(oben, QStringLiteral("Na&me"), NameEdit);
    auto* konto = new QFormLayout(Kontodaten);
    zeile(konto, QStringLiteral("&BLZ"), BLZEdit);
    zeile(konto, QStringLiteral("Kon&tonummer"), KontoNrEdit);
    zeile(konto, QStringLiteral("Anfangs&stand"), AnfStandEdit);
    zeile(konto, QStringLiteral("&Institut"), InstitutEdit);
    zeile(konto, QStringLiteral("Kontoin&haber"), InhaberEdit);
    // Wide enough for the longest texts the fields take.
    const int breit = NameEdit->fontMetrics().horizontalAdvance(QString(MaxInstitutEingabe, QLatin1Char('n'))) + 12;
    NameEdit->setMinimumWidth(breit);
    InstitutEdit->setMinimumWidth(breit);

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    AbbruchBtn = new QPushButton(QStringLiteral("Abbruch"), this);
    AbbruchBtn->setObjectName(QStringLiteral("AbbruchBtn"));
    ZurueckBtn = new QPushButton(QStringLiteral("&Verwerfen"), this);
    ZurueckBtn->setObjectName(QStringLiteral("ZurueckBtn"));
    connect(OKBtn, &QPushButton::clicked, this, &TKontoDatDlg::accept);
    connect(AbbruchBtn, &QPushButton::clicked, this, &TKontoDatDlg::reject);
    connect(ZurueckBtn, &QPushButton::clicked, this, [this] { ZurueckBtnClick(); });

    auto* knoepfe = new QVBoxLayout;
    knoepfe->addWidget(OKBtn);
    knoepfe->addWidget(AbbruchBtn);
    knoepfe->addWidget(ZurueckBtn);
    knoepfe->addStretch();

    auto* links = new QVBoxLayout;
    links->addWidget(PfadLabel);
    links->addLayout(oben);
    links->addWidget(Kontodaten);
    links->addStretch();

    auto* haupt = new QHBoxLayout(this);
    haupt->addLayout(links, 1);
    haupt->addLayout(knoepfe);
    haupt->setSizeConstraint(QLayout::SetFixedSize);  // follows the account panel being shown or not

    setTabOrder(AbkEdit, NameEdit);
    setTabOrder(NameEdit, BLZEdit);
    setTabOrder(BLZEdit, KontoNrEdit);
    setTabOrder(KontoNrEdit, AnfStandEdit);
    setTabOrder(AnfStandEdit, InstitutEdit);
    setTabOrder(InstitutEdit, InhaberEdit);
    setTabOrder(InhaberEdit, OKBtn);
}

std::array<QLineEdit*, 7> TKontoDatDlg::Felder() const {
    return {AbkEdit, NameEdit, BLZEdit, KontoNrEdit, AnfStandEdit, InstitutEdit, InhaberEdit};
}

void TKontoDatDlg::Fuellen(const QString& pfad, bool konto, const KontoDaten& daten) {
    PfadLabel->setText(pfad);
    Kontodaten->setVisible(konto);
    setWindowTitle(konto ? QStringLiteral("Kontodaten") : QStringLiteral("Rubrikendaten"));
    AbkEdit->setText(Q(daten.Abk));
    NameEdit->setText(Q(daten.Name));
    BLZEdit->setText(Q(daten.BLZ));
    KontoNrEdit->setText(Q(daten.KontoNr));
    AnfStandEdit->setText(Q(daten.AnfStand));
    InstitutEdit->setText(Q(daten.Institut));
    InhaberEdit->setText(Q(daten.Inhaber));
    const auto felder = Felder();
    for (size_t i = 0; i < felder.size(); ++i) gemerkt_[i] = felder[i]->text();
}

KontoDaten TKontoDatDlg::Daten() const {
    return {S(AbkEdit->text()),      S(NameEdit->text()),     S(BLZEdit->text()),    S(KontoNrEdit->text()),
            S(AnfStandEdit->text()), S(InstitutEdit->text()), S(InhaberEdit->text())};
}

bool TKontoDatDlg::Bearbeiten(const QString& pfad, bool konto, KontoDaten& daten) {
    Fuellen(pfad, konto, daten);
    if (exec() != QDialog::Accepted) return false;
    daten = Daten();
    return true;
}

void TKontoDatDlg::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    const auto felder = Felder();
    for (size_t i = 0; i < felder.size(); ++i) gemerkt_[i] = felder[i]->text();
    AbkEdit->setFocus();
}

void TKontoDatDlg::ZurueckBtnClick() {
    const auto felder = Felder();
    for (size_t i = 0; i < felder.size(); ++i) felder[i]->setText(gemerkt_[i]);
}

void TKontoDatDlg::accept() {
    const KontoPruefung p = KontoDatenPruefen(S(NameEdit->text()), S(AbkEdit->text()));
    for (const std::string& m : p.Meldungen) meldungen_.Information(m);
    if (p.Fokus == KontoFeld::Name) NameEdit->setFocus();
    if (p.Fokus == KontoFeld::Abk) AbkEdit->setFocus();
    if (!p.Gueltig()) return;
    QDialog::accept();
}
