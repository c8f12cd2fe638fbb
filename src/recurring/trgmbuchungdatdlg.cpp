#include "recurring/trgmbuchungdatdlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "bookings/eingaberegeln.h"
#include "bookings/kontosuche.h"
#include "bookings/qtbetragsfeld.h"
#include "bookings/qtbuchungsart.h"
#include "bookings/qtdatumsfeld.h"
#include "bookings/qteingabegrenze.h"
#include "bookings/qtsuchfeld.h"
#include "recurring/qtmonatsliste.h"
#include "recurring/rgmverwaltung.h"
#include "store/datum.h"

using namespace talerwerk;

namespace {

constexpr size_t RgmNameLaenge = 15;

QLabel* Beschriftung(const QString& text, QWidget* eltern, QWidget* partner) {
    auto* l = new QLabel(text, eltern);
    l->setBuddy(partner);
    return l;
}

}  // namespace

TrgmBuchungDatDlg::TrgmBuchungDatDlg(Datenbestand& d, const Einstellungen& einstellungen, Meldungen& meldungen,
                                     QWidget* eltern)
    : QDialog(eltern), d_(d), einstellungen_(einstellungen), meldungen_(meldungen) {
    setObjectName(QStringLiteral("rgmBuchungDatDlg"));
    setWindowTitle(QStringLiteral("Regelmäßige Buchung bearbeiten"));
    Aufbauen();
}

void TrgmBuchungDatDlg::Aufbauen() {
    NameEdit = new QLineEdit(this);
    NameEdit->setObjectName(QStringLiteral("NameEdit"));
    EingabeBegrenzen(NameEdit, RgmNameLaenge, &meldungen_);
    BetragEdit = new QtBetragsfeld(&meldungen_, this);
    BetragEdit->setObjectName(QStringLiteral("BetragEdit"));
    WaehrungLabel = new QLabel(this);
    WaehrungLabel->setObjectName(QStringLiteral("WaehrungLabel"));

    Konto1Edit = new QtSuchfeld(QtSuchfeld::Art::Konto, this, this);
    Konto1Edit->setObjectName(QStringLiteral("Konto1Edit"));
    Konto1Edit->Baum->setObjectName(QStringLiteral("Konto1Outline"));
    Konto2Edit = new QtSuchfeld(QtSuchfeld::Art::Konto, this, this);
    Konto2Edit->setObjectName(QStringLiteral("Konto2Edit"));
    Konto2Edit->Baum->setObjectName(QStringLiteral("Konto2Outline"));
    TextEdit = new QtSuchfeld(QtSuchfeld::Art::Text, this, this);
    TextEdit->setObjectName(QStringLiteral("TextEdit"));
    TextEdit->Baum->setObjectName(QStringLiteral("TextOutline"));
    EingabeBegrenzen(TextEdit->Edit, BuchungstextLaenge, &meldungen_);
    BelegnrEdit = new QLineEdit(this);
    BelegnrEdit->setObjectName(QStringLiteral("BelegnrEdit"));
    EingabeBegrenzen(BelegnrEdit, BelegnrLaenge, &meldungen_);
    BemerkungEdit = new QLineEdit(this);
    BemerkungEdit->setObjectName(QStringLiteral("BemerkungEdit"));
    EingabeBegrenzen(BemerkungEdit, BemerkungLaenge, &meldungen_);
    Konto1Edit->SetzeNaechstes(Konto2Edit->Edit);
    Konto2Edit->SetzeNaechstes(TextEdit->Edit);
    TextEdit->SetzeNaechstes(BelegnrEdit);
    faelligEdit = new QtDatumsfeld(this);
    faelligEdit->setObjectName(QStringLiteral("faelligEdit"));

    // The booking type follows the second field; the group stays hidden.
    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    EinnahmeRBtn = new QRadioButton(QStringLiteral("&Einnahme"), GroupBox1);
    AusgabeRBtn = new QRadioButton(QStringLiteral("&Ausgabe"), GroupBox1);
    UmbuchungRBtn = new QRadioButton(QStringLiteral("&Umbuchung"), GroupBox1);
    GroupBox1->hide();
    GroupBox1->setEnabled(false);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::StyledPanel);
    Panel1->setFrameShadow(QFrame::Sunken);
    BArtLabel = new QLabel(Panel1);
    BArtLabel->setObjectName(QStringLiteral("BArtLabel"));
    QFont fett = BArtLabel->font();
    fett.setBold(true);
    BArtLabel->setFont(fett);
    vonLabel = new QLabel(Panel1);
    Konto1Label = new QLabel(Panel1);
    Konto1Label->setObjectName(QStringLiteral("Konto1Label"));
    aufLabel = new QLabel(Panel1);
    Konto2Label = new QLabel(Panel1);
    Konto2Label->setObjectName(QStringLiteral("Konto2Label"));
    auto* panel = new QHBoxLayout(Panel1);
    for (QLabel* l : {BArtLabel, vonLabel, Konto1Label, aufLabel, Konto2Label}) panel->addWidget(l);
    panel->addStretch();

    ZeitRBtn = new QGroupBox(QStringLiteral("Fälligkeit"), this);
    ZeitRBtn->setObjectName(QStringLiteral("ZeitRBtn"));
    zeitGruppe_ = new QButtonGroup(this);
    const char* const zeitTexte[6] = {"mon&atl.", "&zweimonatl.", "vierte&ljährl.", "&halbjährl.", "&jährlich",
                                      "&frei"};
    auto* zeitRaster = new QGridLayout(ZeitRBtn);
    for (int i = 0; i < 6; ++i) {
        ZeitKnoepfe[static_cast<size_t>(i)] = new QRadioButton(QString::fromUtf8(zeitTexte[i]), ZeitRBtn);
        zeitGruppe_->addButton(ZeitKnoepfe[static_cast<size_t>(i)], i);
        zeitRaster->addWidget(ZeitKnoepfe[static_cast<size_t>(i)], i / 3, i % 3);
    }
    connect(zeitGruppe_, &QButtonGroup::idClicked, this, [this](int) { IntervallGewaehlt(); });

    MonatsListBox = MonatslisteAnlegen(this, true);

    OkBtn = new QPushButton(QStringLiteral("Ok"), this);
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    OkBtn->setDefault(true);
    AbbruchBtn = new QPushButton(QStringLiteral("Abbrechen"), this);
    AbbruchBtn->setObjectName(QStringLiteral("AbbruchBtn"));
    VerwerfenBtn = new QPushButton(QStringLiteral("&Verwerfen"), this);
    VerwerfenBtn->setObjectName(QStringLiteral("VerwerfenBtn"));
    connect(OkBtn, &QPushButton::clicked, this, &TrgmBuchungDatDlg::accept);
    connect(AbbruchBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(VerwerfenBtn, &QPushButton::clicked, this, [this] { SatzInFelder(); });

    auto* raster = new QGridLayout;
    int z = 0;
    raster->addWidget(Beschriftung(QStringLiteral("&Name"), this, NameEdit), z, 0);
    raster->addWidget(NameEdit, z, 1);
    raster->addWidget(Beschriftung(QStringLiteral("Be&trag"), this, BetragEdit), z, 2);
    auto* betrag = new QHBoxLayout;
    betrag->addWidget(BetragEdit);
    betrag->addWidget(WaehrungLabel);
    raster->addLayout(betrag, z++, 3);
    raster->addWidget(Beschriftung(QStringLiteral("Konto &1"), this, Konto1Edit->Edit), z, 0);
    raster->addWidget(Konto1Edit, z, 1);
    RubrikLabel = Beschriftung(QStringLiteral("&Rubrik"), this, Konto2Edit->Edit);
    raster->addWidget(RubrikLabel, z, 2);
    raster->addWidget(Konto2Edit, z++, 3);
    raster->addWidget(Panel1, z++, 0, 1, 4);
    raster->addWidget(Beschriftung(QStringLiteral("Buchungste&xt"), this, TextEdit->Edit), z, 0);
    raster->addWidget(TextEdit, z, 1, 1, 3);
    ++z;
    raster->addWidget(Beschriftung(QStringLiteral("&Belegnummer"), this, BelegnrEdit), z, 0);
    raster->addWidget(BelegnrEdit, z, 1);
    raster->addWidget(Beschriftung(QStringLiteral("erstmals fälli&g am"), this, faelligEdit->Edit), z, 2);
    raster->addWidget(faelligEdit, z++, 3);
    raster->addWidget(Beschriftung(QStringLiteral("Be&merkung"), this, BemerkungEdit), z, 0);
    raster->addWidget(BemerkungEdit, z++, 1, 1, 3);
    raster->addWidget(ZeitRBtn, z, 0, 1, 2);
    auto* monate = new QVBoxLayout;
    monate->addWidget(Beschriftung(QStringLiteral("M&onate"), this, MonatsListBox));
    monate->addWidget(MonatsListBox);
    raster->addLayout(monate, z++, 2, 1, 2);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(OkBtn);
    knoepfe->addWidget(AbbruchBtn);
    knoepfe->addWidget(VerwerfenBtn);
    auto* aussen = new QVBoxLayout(this);
    aussen->addLayout(raster);
    aussen->addLayout(knoepfe);

    connect(Konto1Edit->Edit, &QLineEdit::textChanged, this, [this] { Konto1Geaendert(); });
    connect(Konto2Edit->Edit, &QLineEdit::textChanged, this, [this] { Konto2Geaendert(); });
    connect(faelligEdit, &QtDatumsfeld::Geaendert, this, [this] {
        if (Intervall() != 0) MonateBerechnen();
    });
    setTabOrder(NameEdit, BetragEdit);
    setTabOrder(BetragEdit, Konto1Edit->Edit);
    setTabOrder(Konto1Edit->Edit, Konto2Edit->Edit);
    setTabOrder(Konto2Edit->Edit, TextEdit->Edit);
    setTabOrder(TextEdit->Edit, BelegnrEdit);
    setTabOrder(BelegnrEdit, faelligEdit->Edit);
    setTabOrder(faelligEdit->Edit, BemerkungEdit);
}

bool TrgmBuchungDatDlg::Bearbeiten(buchungstyp& satz) {
    Zeigen(satz);
    if (exec() != QDialog::Accepted) return false;
    satz = satz_;
    return true;
}

void TrgmBuchungDatDlg::Zeigen(buchungstyp& satz) {
    satz_ = satz;
    Konto1Edit->BaumSetzen(Konto1Baum(d_.Konten));
    Konto2Edit->BaumSetzen(Konto2Baum(d_.Konten));
    // The editor's text list offers the abbreviations themselves: they are expanded on execution.
    TextEdit->BaumSetzen(TextBaum(d_.Textbausteine));
    SatzInFelder();
    WaehrungLabel->setText(QString::fromStdString(d_.Mandant.Text4));
    NameEdit->setFocus();
}

void TrgmBuchungDatDlg::SatzInFelder() {
    for (QtSuchfeld* f : {Konto1Edit, Konto2Edit, TextEdit}) f->BaumVerbergen();
    NameEdit->setText(QString::fromStdString(satz_.Bezeichnung));
    BelegnrEdit->setText(QString::fromStdString(satz_.Belegnr));
    BetragEdit->SetzeBetrag(satz_.Betrag);
    TextEdit->Edit->setText(QString::fromStdString(satz_.Text));
    BemerkungEdit->setText(QString::fromStdString(satz_.Bemerkung));
    SetzeBArt(satz_.BArt);
    auto kontoText = [](const Suchbaum& liste, int32_t& konto) {
        if (konto == 0) {
            const int vorgabe = VorgabePosition(liste);
            if (vorgabe >= 0) konto = liste.Eintraege[static_cast<size_t>(vorgabe)].Nr;
        }
        const int i = NrPosition(liste, konto);
        return i < 0 ? QString() : QString::fromStdString(liste.Eintraege[static_cast<size_t>(i)].Abk);
    };
    Konto1Edit->Edit->setText(kontoText(Konto1Edit->Liste(), satz_.Konto1));
    Konto1Geaendert();
    Konto2Edit->Edit->setText(kontoText(Konto2Edit->Liste(), satz_.Konto2));
    Konto2Geaendert();
    {
        // The months are put in as stored first; the interval computes them afterwards.
        const QSignalBlocker sperre(faelligEdit);
        SetzeIntervall(satz_.Intervall);
        SetzeMonate(satz_.Monate);
        faelligEdit->SetzeText(DatumKurzText(satz_.Datum));
    }
    MonatsListBox->setEnabled(Intervall() == 0);
    if (Intervall() != 0) MonateBerechnen();
}

void TrgmBuchungDatDlg::FelderInSatz() {
    satz_.Bezeichnung = NameEdit->text().toStdString();
    satz_.Belegnr = BelegnrEdit->text().toStdString();
    satz_.BArt = UmbuchungRBtn->isChecked() ? BArtUmbuchung : AusgabeRBtn->isChecked() ? BArtAusgabe : BArtEinnahme;
    satz_.Betrag = BetragEdit->Betrag();
    satz_.Text = TextEdit->Edit->text().toStdString();
    satz_.Bemerkung = BemerkungEdit->text().toStdString();
    satz_.Konto1 = KontoId(Konto1Edit->Liste(), Konto1Edit->Edit->text().toStdString());
    satz_.Konto2 = KontoId(Konto2Edit->Liste(), Konto2Edit->Edit->text().toStdString());
    satz_.Datum = faelligEdit->Datum();
    if (satz_.Datum == 0) {
        const QSignalBlocker sperre(faelligEdit);
        faelligEdit->SetzeText("");
    }
    satz_.Intervall = Intervall();
    satz_.Monate = Monate();
}

void TrgmBuchungDatDlg::accept() {
    if (QtSuchfeld* f = OffenerBaum()) {
        // With a list open, OK takes the choice as Enter would.
        f->BaumEnter();
        return;
    }
    FelderInSatz();
    const std::vector<RgmFehler> fehler = RgmPruefen(satz_, einstellungen_);
    for (const RgmFehler& f : fehler) {
        meldungen_.Information(f.Text);
        switch (f.Feld) {
            case RgmFeld::Name:
                NameEdit->setFocus();
                break;
            case RgmFeld::Faellig:
                faelligEdit->Edit->setFocus();
                break;
            case RgmFeld::Text:
                TextEdit->Edit->setFocus();
                break;
            case RgmFeld::Betrag:
                BetragEdit->setFocus();
                break;
            case RgmFeld::Konto1:
                Konto1Edit->Edit->setFocus();
                break;
            case RgmFeld::Konto2:
                Konto2Edit->Edit->setFocus();
                break;
        }
    }
    if (fehler.empty()) QDialog::accept();
}

int32_t TrgmBuchungDatDlg::Intervall() const {
    const int id = zeitGruppe_->checkedId();
    return id < 0 ? 0 : RgmIntervalle[static_cast<size_t>(id)];
}

void TrgmBuchungDatDlg::SetzeIntervall(int32_t intervall) {
    size_t i = 5;  // frei
    for (size_t j = 0; j < RgmIntervalle.size(); ++j)
        if (RgmIntervalle[j] == intervall) i = j;
    ZeitKnoepfe[i]->setChecked(true);
}

std::array<bool, 12> TrgmBuchungDatDlg::Monate() const {
    return MonateLesen(MonatsListBox);
}

void TrgmBuchungDatDlg::SetzeMonate(const std::array<bool, 12>& monate) {
    MonateSetzen(MonatsListBox, monate);
}

void TrgmBuchungDatDlg::IntervallGewaehlt() {
    const bool frei = Intervall() == 0;
    MonatsListBox->setEnabled(frei);
    if (!frei) MonateBerechnen();
}

void TrgmBuchungDatDlg::MonateBerechnen() {
    const int32_t datum = faelligEdit->Datum();
    if (datum == 0) return;  // an unreadable date leaves the checks as they are
    SetzeMonate(MonateAusIntervall(datum, Intervall()));
}

void TrgmBuchungDatDlg::Konto1Geaendert() {
    const FeldAnzeige a = FeldAuswerten(Konto1Edit->Liste(), d_.Konten, Konto1Edit->Edit->text().toStdString());
    Konto1Edit->Auswaehlen(a.Auswahl);
    Konto1Label->setText(QString::fromStdString(a.Label));
}

void TrgmBuchungDatDlg::Konto2Geaendert() {
    const FeldAnzeige a = FeldAuswerten(Konto2Edit->Liste(), d_.Konten, Konto2Edit->Edit->text().toStdString());
    Konto2Edit->Auswaehlen(a.Auswahl);
    Konto2Label->setText(QString::fromStdString(a.Label));
    SetzeBArt(a.Art.BArt);
}

void TrgmBuchungDatDlg::SetzeBArt(int32_t bart) {
    const ArtTexte t = ArtTexteVon(bart);
    (t.BArt == BArtAusgabe ? AusgabeRBtn : t.BArt == BArtUmbuchung ? UmbuchungRBtn : EinnahmeRBtn)->setChecked(true);
    BArtLabel->setText(QString::fromStdString(t.ArtWort));
    QPalette p = BArtLabel->palette();
    p.setColor(QPalette::WindowText, ArtFarbeQt(t.Farbe));
    BArtLabel->setPalette(p);
    vonLabel->setText(QString::fromStdString(t.Von));
    aufLabel->setText(QString::fromStdString(t.Auf));
    RubrikLabel->setText(QString::fromStdString(t.RubrikLabel));
}

QtSuchfeld* TrgmBuchungDatDlg::OffenerBaum() const {
    for (QtSuchfeld* f : {Konto1Edit, Konto2Edit, TextEdit})
        if (f->BaumOffen()) return f;
    return nullptr;
}
