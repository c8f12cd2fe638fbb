#include "accounts/tmandantdlg.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "accounts/kennwortpruefung.h"
#include "store/ports.h"

using talerwerk::KennwortModus;
using talerwerk::MandantFeld;

namespace {

QLineEdit* Zeile(QWidget* eltern, const char* name) {
    auto* e = new QLineEdit(eltern);
    e->setObjectName(QString::fromLatin1(name));
    return e;
}

QLabel* Beschriftung(QWidget* eltern, const QString& text, QWidget* partner) {
    auto* l = new QLabel(text, eltern);
    l->setBuddy(partner);
    return l;
}

QLineEdit* KennwortZeile(QWidget* eltern, const char* name) {
    QLineEdit* e = Zeile(eltern, name);
    e->setEchoMode(QLineEdit::Password);
    e->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));  // "*"
    // The file keeps eight characters of a password; the label beside the fields says so, and
    // the prompt compares only the first eight typed.
    e->setMaxLength(static_cast<int>(talerwerk::KurzLaenge));
    return e;
}

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

}  // namespace

TMandantDlg::TMandantDlg(talerwerk::Meldungen& meldungen, QWidget* eltern) : QDialog(eltern), meldungen_(meldungen) {
    setObjectName(QStringLiteral("MandantDlg"));
    setWindowTitle(QStringLiteral("Stammdaten bearbeiten"));

    Seiten = new QTabWidget(this);
    Seiten->setObjectName(QStringLiteral("Seiten"));

    // Page "Mandant".
    auto* mandant = new QWidget(Seiten);
    NameEdit = Zeile(mandant, "NameEdit");
    AbkEdit = Zeile(mandant, "AbkEdit");
    AbkEdit->setMaxLength(static_cast<int>(talerwerk::AbkLaenge));
    Text1Edit = Zeile(mandant, "Text1Edit");
    Text2Edit = Zeile(mandant, "Text2Edit");
    Text3Edit = Zeile(mandant, "Text3Edit");
    for (QLineEdit* e : {Text1Edit, Text2Edit, Text3Edit}) e->setEnabled(false);
    WaehrungEdit = Zeile(mandant, "WaehrungEdit");
    auto* kopfzeilen = new QVBoxLayout;
    kopfzeilen->setSpacing(2);
    for (QLineEdit* e : {Text1Edit, Text2Edit, Text3Edit}) kopfzeilen->addWidget(e);
    auto* mForm = new QFormLayout(mandant);
    mForm->addRow(Beschriftung(mandant, QStringLiteral("&Mandantbezeichnung"), NameEdit), NameEdit);
    mForm->addRow(Beschriftung(mandant, QStringLiteral("&Abkürzung"), AbkEdit), AbkEdit);
    mForm->addRow(Beschriftung(mandant, QStringLiteral("&Kopfzeilentext"), Text1Edit), kopfzeilen);
    mForm->addRow(Beschriftung(mandant, QStringLiteral("&Währung"), WaehrungEdit), WaehrungEdit);
    Seiten->addTab(mandant, QStringLiteral("Mandant"));

    // Page "Optionen".
    auto* optionen = new QWidget(Seiten);
    rgmGroupBox = new QGroupBox(QStringLiteral("Regelmäßige Buchungen"), optionen);
    rgmGroupBox->setObjectName(QStringLiteral("rgmGroupBox"));
    AnzTageEdit = Zeile(rgmGroupBox, "AnzTageEdit");
    AnzTageEdit->setMaxLength(static_cast<int>(talerwerk::AnzTageLaenge));
    AnzTageEdit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), AnzTageEdit));
    AnzTageEdit->setAlignment(Qt::AlignRight);
    AnzTageEdit->setFixedWidth(AnzTageEdit->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    AnzTageEdit->installEventFilter(this);
    UpDown1 = new QWidget(rgmGroupBox);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    UpDown1Auf = new QToolButton(UpDown1);
    UpDown1Auf->setObjectName(QStringLiteral("UpDown1Auf"));
    UpDown1Auf->setArrowType(Qt::UpArrow);
    UpDown1Ab = new QToolButton(UpDown1);
    UpDown1Ab->setObjectName(QStringLiteral("UpDown1Ab"));
    UpDown1Ab->setArrowType(Qt::DownArrow);
    for (QToolButton* k : {UpDown1Auf, UpDown1Ab}) {
        k->setFocusPolicy(Qt::NoFocus);
        k->setAutoRepeat(true);
        k->setFixedSize(16, AnzTageEdit->sizeHint().height() / 2);
    }
    auto* aufAb = new QVBoxLayout(UpDown1);
    aufAb->setContentsMargins(0, 0, 0, 0);
    aufAb->setSpacing(0);
    aufAb->addWidget(UpDown1Auf);
    aufAb->addWidget(UpDown1Ab);
    auto* tage = new QHBoxLayout;
    tage->setSpacing(0);
    tage->addWidget(AnzTageEdit);
    tage->addWidget(UpDown1);
    tage->addStretch(1);
    rgmDatumChBox = new QCheckBox(QStringLiteral("&Fälligkeitsdatum = Buchungsdatum"), rgmGroupBox);
    rgmDatumChBox->setObjectName(QStringLiteral("rgmDatumChBox"));
    auto* gruppe = new QVBoxLayout(rgmGroupBox);
    gruppe->addWidget(Beschriftung(rgmGroupBox, QStringLiteral("&Anzahl der Tage zur Fälligkeitsanzeige"), AnzTageEdit));
    gruppe->addLayout(tage);
    gruppe->addWidget(rgmDatumChBox);
    auto* oSpalte = new QVBoxLayout(optionen);
    oSpalte->addWidget(rgmGroupBox);
    oSpalte->addStretch(1);
    Seiten->addTab(optionen, QStringLiteral("Optionen"));

    // Page "Dateischutz".
    auto* schutz = new QWidget(Seiten);
    Kennwort0RBtn = new QRadioButton(QStringLiteral("&Ohne Kennwort"), schutz);
    Kennwort0RBtn->setObjectName(QStringLiteral("Kennwort0RBtn"));
    Kennwort1RBtn = new QRadioButton(QStringLiteral("Kennwort für das Öffnen der &Datei"), schutz);
    Kennwort1RBtn->setObjectName(QStringLiteral("Kennwort1RBtn"));
    Kennwort2RBtn = new QRadioButton(QStringLiteral("&Schreibschutzkennwort"), schutz);
    Kennwort2RBtn->setObjectName(QStringLiteral("Kennwort2RBtn"));
    KennwortEdit = KennwortZeile(schutz, "KennwortEdit");
    WiederhlgEdit = KennwortZeile(schutz, "WiederhlgEdit");
    BuchgLoeschChBox = new QCheckBox(QStringLiteral("&Buchungen löschen zulässig"), schutz);
    BuchgLoeschChBox->setObjectName(QStringLiteral("BuchgLoeschChBox"));
    auto* kForm = new QFormLayout;
    kForm->addRow(Beschriftung(schutz, QStringLiteral("&Kennwort"), KennwortEdit), KennwortEdit);
    kForm->addRow(Beschriftung(schutz, QStringLiteral("Kennwort&wiederholung"), WiederhlgEdit), WiederhlgEdit);
    KennwortLaengeLabel = new QLabel(QString::fromUtf8(talerwerk::KennwortLaengeHinweis), schutz);
    KennwortLaengeLabel->setObjectName(QStringLiteral("KennwortLaengeLabel"));
    KennwortLaengeLabel->setWordWrap(true);
    kForm->addRow(QString(), KennwortLaengeLabel);
    auto* sSpalte = new QVBoxLayout(schutz);
    sSpalte->addWidget(Kennwort0RBtn);
    sSpalte->addWidget(Kennwort1RBtn);
    sSpalte->addWidget(Kennwort2RBtn);
    sSpalte->addSpacing(6);
    sSpalte->addLayout(kForm);
    sSpalte->addSpacing(6);
    sSpalte->addWidget(BuchgLoeschChBox);
    sSpalte->addStretch(1);
    Seiten->addTab(schutz, QStringLiteral("Dateischutz"));

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Abbrechen"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch(1);
    knoepfe->addWidget(OKBtn);
    knoepfe->addWidget(CancelBtn);
    auto* haupt = new QVBoxLayout(this);
    haupt->addWidget(Seiten);
    haupt->addLayout(knoepfe);
    // Wide enough for a whole header line of a printed report.
    setMinimumWidth(460);

    for (QRadioButton* r : {Kennwort0RBtn, Kennwort1RBtn, Kennwort2RBtn})
        connect(r, &QRadioButton::toggled, this, [this] { KennwortRBtnClick(); });
    connect(UpDown1Auf, &QToolButton::clicked, this, [this] { UpDown1Click(1); });
    connect(UpDown1Ab, &QToolButton::clicked, this, [this] { UpDown1Click(-1); });
    connect(OKBtn, &QPushButton::clicked, this, &TMandantDlg::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    Fuellen(talerwerk::kontotyp{});
}

void TMandantDlg::KennwortRBtnClick() {
    const bool aktiv = talerwerk::KennwortFelderAktiv(Eingaben().Modus);
    KennwortEdit->setEnabled(aktiv);
    WiederhlgEdit->setEnabled(aktiv);
    KennwortLaengeLabel->setEnabled(aktiv);
}

void TMandantDlg::UpDown1Click(int schritt) {
    AnzTageEdit->setText(QString::number(talerwerk::FaelligkeitsTageSchritt(S(AnzTageEdit->text()), schritt)));
}

bool TMandantDlg::eventFilter(QObject* objekt, QEvent* ereignis) {
    // The arrow keys step the due window as the up-down buttons do.
    if (objekt == AnzTageEdit && ereignis->type() == QEvent::KeyPress) {
        const int taste = static_cast<QKeyEvent*>(ereignis)->key();
        if (taste == Qt::Key_Up || taste == Qt::Key_Down) {
            UpDown1Click(taste == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QDialog::eventFilter(objekt, ereignis);
}

void TMandantDlg::Fuellen(const talerwerk::kontotyp& mandant) {
    const talerwerk::MandantEingaben e = talerwerk::MandantEingabenAus(mandant);
    NameEdit->setText(Q(e.Name));
    AbkEdit->setText(Q(e.Abk));
    Text1Edit->setText(Q(e.Text1));
    Text2Edit->setText(Q(e.Text2));
    Text3Edit->setText(Q(e.Text3));
    WaehrungEdit->setText(Q(e.Waehrung));
    AnzTageEdit->setText(Q(e.AnzTage));
    rgmDatumChBox->setChecked(e.rgmDatum);
    switch (e.Modus) {
    case KennwortModus::Ohne: Kennwort0RBtn->setChecked(true); break;
    case KennwortModus::Datei: Kennwort1RBtn->setChecked(true); break;
    case KennwortModus::Schreibschutz: Kennwort2RBtn->setChecked(true); break;
    }
    KennwortEdit->setText(Q(e.Kennwort));
    WiederhlgEdit->setText(Q(e.Wiederholung));
    BuchgLoeschChBox->setChecked(e.BuchgLoeschen);
    // Long texts show their beginning, not the end where setText leaves the cursor.
    for (QLineEdit* zeile : {NameEdit, AbkEdit, Text1Edit, Text2Edit, Text3Edit, WaehrungEdit}) zeile->setCursorPosition(0);
    KennwortRBtnClick();
    Seiten->setCurrentIndex(static_cast<int>(talerwerk::MandantSeite::Mandant));
    NameEdit->setFocus();
}

talerwerk::MandantEingaben TMandantDlg::Eingaben() const {
    talerwerk::MandantEingaben e;
    e.Name = S(NameEdit->text());
    e.Abk = S(AbkEdit->text());
    e.Text1 = S(Text1Edit->text());
    e.Text2 = S(Text2Edit->text());
    e.Text3 = S(Text3Edit->text());
    e.Waehrung = S(WaehrungEdit->text());
    e.AnzTage = S(AnzTageEdit->text());
    e.rgmDatum = rgmDatumChBox->isChecked();
    e.Modus = Kennwort1RBtn->isChecked()   ? KennwortModus::Datei
              : Kennwort2RBtn->isChecked() ? KennwortModus::Schreibschutz
                                           : KennwortModus::Ohne;
    e.Kennwort = S(KennwortEdit->text());
    e.Wiederholung = S(WiederhlgEdit->text());
    e.BuchgLoeschen = BuchgLoeschChBox->isChecked();
    return e;
}

QWidget* TMandantDlg::Feld(MandantFeld feld) const {
    switch (feld) {
    case MandantFeld::Name: return NameEdit;
    case MandantFeld::Abk: return AbkEdit;
    case MandantFeld::Waehrung: return WaehrungEdit;
    case MandantFeld::AnzTage: return AnzTageEdit;
    case MandantFeld::Kennwort: return KennwortEdit;
    case MandantFeld::Wiederholung: return WiederhlgEdit;
    case MandantFeld::Keins: break;
    }
    return nullptr;
}

void TMandantDlg::OKBtnClick() {
    const talerwerk::MandantPruefung p = talerwerk::MandantPruefen(Eingaben());
    if (p.Ok) {
        accept();
        return;
    }
    if (p.Fehlerbox)
        meldungen_.Fehler(p.Meldung);
    else
        meldungen_.Information(p.Meldung);
    Seiten->setCurrentIndex(static_cast<int>(p.Seite));
    if (QWidget* w = Feld(p.Feld)) {
        w->setFocus(Qt::OtherFocusReason);
        if (auto* zeile = qobject_cast<QLineEdit*>(w)) zeile->selectAll();
    }
}

void TMandantDlg::Uebernehmen(talerwerk::Datenbestand& d) const {
    talerwerk::MandantUebernehmen(Eingaben(), d.Mandant);
    d.Geaendert = true;
}

bool TMandantDlg::Bearbeiten(talerwerk::Datenbestand& d) {
    Fuellen(d.Mandant);
    if (exec() != QDialog::Accepted) return false;
    Uebernehmen(d);
    return true;
}
