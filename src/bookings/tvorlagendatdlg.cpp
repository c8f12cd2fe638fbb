#include "bookings/tvorlagendatdlg.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "bookings/eingaberegeln.h"
#include "bookings/kontosuche.h"
#include "bookings/qtbetragsfeld.h"
#include "bookings/qtbuchungsart.h"
#include "bookings/qteingabegrenze.h"
#include "bookings/qtsuchfeld.h"
#include "bookings/vorlagen.h"

using namespace talerwerk;

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

QLabel* Beschriftung(const QString& text, QWidget* eltern, QWidget* partner) {
    auto* l = new QLabel(text, eltern);
    l->setBuddy(partner);
    return l;
}

}  // namespace

TVorlagenDatDlg::TVorlagenDatDlg(Datenbestand& d, Meldungen& meldungen, QWidget* eltern)
    : QDialog(eltern), d_(d), meldungen_(meldungen) {
    setObjectName(QStringLiteral("VorlagenDatDlg"));
    setWindowTitle(QStringLiteral("Vorlagen bearbeiten"));
    Aufbauen();
}

void TVorlagenDatDlg::Aufbauen() {
    NameEdit = new QLineEdit(this);
    NameEdit->setObjectName(QStringLiteral("NameEdit"));
    EingabeBegrenzen(NameEdit, VorlagenNameLaenge, &meldungen_);

    Konto1Edit = new QtSuchfeld(QtSuchfeld::Art::Konto, this, this);
    Konto1Edit->setObjectName(QStringLiteral("Konto1Edit"));
    Konto1Edit->Baum->setObjectName(QStringLiteral("Konto1Outline"));
    Konto2Edit = new QtSuchfeld(QtSuchfeld::Art::Konto, this, this);
    Konto2Edit->setObjectName(QStringLiteral("Konto2Edit"));
    Konto2Edit->Baum->setObjectName(QStringLiteral("Konto2Outline"));
    TextEdit = new QtSuchfeld(QtSuchfeld::Art::Text, this, this);
    TextEdit->setObjectName(QStringLiteral("TextEdit"));
    TextEdit->Baum->setObjectName(QStringLiteral("TextOutline"));
    // Esc in an open tree closes it and puts back the field's text; the editor stays as it was.
    for (QtSuchfeld* f : {Konto1Edit, Konto2Edit, TextEdit}) f->EscWiederherstellen = true;
    EingabeBegrenzen(TextEdit->Edit, BuchungstextLaenge, &meldungen_);

    BelegnrEdit = new QLineEdit(this);
    BelegnrEdit->setObjectName(QStringLiteral("BelegnrEdit"));
    EingabeBegrenzen(BelegnrEdit, BelegnrLaenge, &meldungen_);
    BetragEdit = new QtBetragsfeld(&meldungen_, this);
    BetragEdit->setObjectName(QStringLiteral("BetragEdit"));
    WaehrungLabel = new QLabel(this);
    WaehrungLabel->setObjectName(QStringLiteral("WaehrungLabel"));
    BemerkungEdit = new QLineEdit(this);
    BemerkungEdit->setObjectName(QStringLiteral("BemerkungEdit"));
    EingabeBegrenzen(BemerkungEdit, BemerkungLaenge, &meldungen_);
    StorniertCBox = new QCheckBox(QStringLiteral("storn&iert"), this);
    StorniertCBox->setObjectName(QStringLiteral("StorniertCBox"));
    Konto1Edit->SetzeNaechstes(Konto2Edit->Edit);
    Konto2Edit->SetzeNaechstes(TextEdit->Edit);
    TextEdit->SetzeNaechstes(BelegnrEdit);

    // The booking type follows the second field; the group stays hidden.
    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    EinnahmeRBtn = new QRadioButton(QStringLiteral("&Einnahme"), GroupBox1);
    EinnahmeRBtn->setObjectName(QStringLiteral("EinnahmeRBtn"));
    AusgabeRBtn = new QRadioButton(QStringLiteral("&Ausgabe"), GroupBox1);
    AusgabeRBtn->setObjectName(QStringLiteral("AusgabeRBtn"));
    UmbuchungRBtn = new QRadioButton(QStringLiteral("&Umbuchung"), GroupBox1);
    UmbuchungRBtn->setObjectName(QStringLiteral("UmbuchungRBtn"));
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
    vonLabel->setObjectName(QStringLiteral("vonLabel"));
    Konto1Label = new QLabel(Panel1);
    Konto1Label->setObjectName(QStringLiteral("Konto1Label"));
    aufLabel = new QLabel(Panel1);
    aufLabel->setObjectName(QStringLiteral("aufLabel"));
    Konto2Label = new QLabel(Panel1);
    Konto2Label->setObjectName(QStringLiteral("Konto2Label"));
    auto* panel = new QHBoxLayout(Panel1);
    for (QLabel* l : {BArtLabel, vonLabel, Konto1Label, aufLabel, Konto2Label}) panel->addWidget(l);
    panel->addStretch();

    OkBtn = new QPushButton(QStringLiteral("OK"), this);
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    OkBtn->setDefault(true);
    VerwerfenBtn = new QPushButton(QStringLiteral("&Verwerfen"), this);
    VerwerfenBtn->setObjectName(QStringLiteral("VerwerfenBtn"));
    VerwerfenBtn->setAutoDefault(false);
    AbbruchBtn = new QPushButton(QStringLiteral("Abbrechen"), this);
    AbbruchBtn->setObjectName(QStringLiteral("AbbruchBtn"));
    AbbruchBtn->setAutoDefault(false);
    connect(OkBtn, &QPushButton::clicked, this, &TVorlagenDatDlg::accept);
    connect(VerwerfenBtn, &QPushButton::clicked, this, [this] { SatzInFelder(); });
    connect(AbbruchBtn, &QPushButton::clicked, this, &QDialog::reject);

    BuchungPopUp = new QMenu(this);
    BuchungPopUp->setObjectName(QStringLiteral("BuchungPopUp"));
    PopupBuchen = BuchungPopUp->addAction(QStringLiteral("&Buchen"), this, [this] { accept(); });
    PopupVerwerfen = BuchungPopUp->addAction(QStringLiteral("&Verwerfen"), this, [this] { SatzInFelder(); });
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { BuchungPopUp->popup(mapToGlobal(p)); });

    auto* raster = new QGridLayout;
    int z = 0;
    raster->addWidget(Beschriftung(QStringLiteral("&Vorlagenbez.:"), this, NameEdit), z, 0);
    raster->addWidget(NameEdit, z, 1);
    raster->addWidget(Beschriftung(QStringLiteral("Be&trag"), this, BetragEdit), z, 2);
    auto* betrag = new QHBoxLayout;
    betrag->addWidget(BetragEdit);
    betrag->addWidget(WaehrungLabel);
    raster->addLayout(betrag, z++, 3);
    raster->addWidget(Beschriftung(QStringLiteral("Konto &1"), this, Konto1Edit->Edit), z, 0);
    raster->addWidget(Konto1Edit, z, 1);
    RubrikLabel = Beschriftung(QStringLiteral("&Rubrik"), this, Konto2Edit->Edit);
    RubrikLabel->setObjectName(QStringLiteral("RubrikLabel"));
    raster->addWidget(RubrikLabel, z, 2);
    raster->addWidget(Konto2Edit, z++, 3);
    raster->addWidget(Panel1, z++, 0, 1, 4);
    raster->addWidget(Beschriftung(QStringLiteral("Buchungste&xt"), this, TextEdit->Edit), z, 0);
    raster->addWidget(TextEdit, z++, 1, 1, 3);
    raster->addWidget(Beschriftung(QStringLiteral("Beleg&nummer"), this, BelegnrEdit), z, 0);
    raster->addWidget(BelegnrEdit, z, 1);
    raster->addWidget(StorniertCBox, z++, 2, 1, 2);
    raster->addWidget(Beschriftung(QStringLiteral("Be&merkung"), this, BemerkungEdit), z, 0);
    raster->addWidget(BemerkungEdit, z++, 1, 1, 3);
    raster->setColumnStretch(1, 1);
    raster->setColumnStretch(3, 1);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(OkBtn);
    knoepfe->addWidget(VerwerfenBtn);
    knoepfe->addWidget(AbbruchBtn);
    auto* aussen = new QVBoxLayout(this);
    aussen->addLayout(raster);
    aussen->addStretch();
    aussen->addLayout(knoepfe);

    connect(Konto1Edit->Edit, &QLineEdit::textChanged, this, [this] { Konto1Geaendert(); });
    connect(Konto2Edit->Edit, &QLineEdit::textChanged, this, [this] { Konto2Geaendert(); });
    // As in the booking window: amount, the two accounts, text, voucher, cancelled, remark.
    setTabOrder(NameEdit, BetragEdit);
    setTabOrder(BetragEdit, Konto1Edit->Edit);
    setTabOrder(Konto1Edit->Edit, Konto2Edit->Edit);
    setTabOrder(Konto2Edit->Edit, TextEdit->Edit);
    setTabOrder(TextEdit->Edit, BelegnrEdit);
    setTabOrder(BelegnrEdit, StorniertCBox);
    setTabOrder(StorniertCBox, BemerkungEdit);
    setTabOrder(BemerkungEdit, OkBtn);
    setTabOrder(OkBtn, VerwerfenBtn);
    setTabOrder(VerwerfenBtn, AbbruchBtn);
    resize(520, 260);
}

bool TVorlagenDatDlg::Bearbeiten(buchungstyp& satz) {
    Zeigen(satz);
    if (exec() != QDialog::Accepted) return false;
    satz = satz_;
    return true;
}

void TVorlagenDatDlg::Zeigen(const buchungstyp& satz) {
    satz_ = satz;
    Konto1Edit->BaumSetzen(Konto1Baum(d_.Konten));
    Konto2Edit->BaumSetzen(Konto2Baum(d_.Konten));
    // The text list offers the abbreviations themselves: they are expanded when the template is used.
    TextEdit->BaumSetzen(TextBaum(d_.Textbausteine));
    SatzInFelder();
    WaehrungLabel->setText(Q(d_.Mandant.Text4));
    NameEdit->setFocus();
}

void TVorlagenDatDlg::SatzInFelder() {
    for (QtSuchfeld* f : {Konto1Edit, Konto2Edit, TextEdit}) f->BaumVerbergen();
    NameEdit->setText(Q(satz_.Bezeichnung));
    BelegnrEdit->setText(Q(satz_.Belegnr));
    BetragEdit->SetzeBetrag(satz_.Betrag);
    TextEdit->Edit->setText(Q(satz_.Text));
    BemerkungEdit->setText(Q(satz_.Bemerkung));
    StorniertCBox->setChecked(satz_.Storniert);
    SetzeBArt(satz_.BArt);
    // A template without an account shows the first one the field offers.
    auto kontoText = [](const Suchbaum& liste, int32_t& konto) {
        if (konto == 0) {
            const int vorgabe = VorgabePosition(liste);
            if (vorgabe >= 0) konto = liste.Eintraege[static_cast<size_t>(vorgabe)].Nr;
        }
        const int i = NrPosition(liste, konto);
        return i < 0 ? QString() : Q(liste.Eintraege[static_cast<size_t>(i)].Abk);
    };
    Konto1Edit->Edit->setText(kontoText(Konto1Edit->Liste(), satz_.Konto1));
    Konto1Geaendert();
    Konto2Edit->Edit->setText(kontoText(Konto2Edit->Liste(), satz_.Konto2));
    Konto2Geaendert();
}

void TVorlagenDatDlg::FelderInSatz() {
    satz_.Bezeichnung = NameEdit->text().toStdString();
    satz_.Belegnr = BelegnrEdit->text().toStdString();
    satz_.BArt = UmbuchungRBtn->isChecked() ? BArtUmbuchung : AusgabeRBtn->isChecked() ? BArtAusgabe : BArtEinnahme;
    satz_.Betrag = BetragEdit->Betrag();
    satz_.Text = TextEdit->Edit->text().toStdString();
    satz_.Bemerkung = BemerkungEdit->text().toStdString();
    satz_.Storniert = StorniertCBox->isChecked();
    satz_.Konto1 = KontoId(Konto1Edit->Liste(), Konto1Edit->Edit->text().toStdString());
    satz_.Konto2 = KontoId(Konto2Edit->Liste(), Konto2Edit->Edit->text().toStdString());
}

void TVorlagenDatDlg::accept() {
    if (QtSuchfeld* f = OffenerBaum()) {
        // With a list open, OK takes the choice as Enter would.
        f->BaumEnter();
        return;
    }
    FelderInSatz();
    const std::string fehler = VorlagePruefen(satz_);
    if (!fehler.empty()) {
        meldungen_.Information(fehler);
        NameEdit->setFocus();
        return;
    }
    QDialog::accept();
}

void TVorlagenDatDlg::keyPressEvent(QKeyEvent* ereignis) {
    if (ereignis->key() == Qt::Key_Escape && ereignis->modifiers() == Qt::NoModifier) {
        SatzInFelder();
        return;
    }
    QDialog::keyPressEvent(ereignis);
}

void TVorlagenDatDlg::Konto1Geaendert() {
    const FeldAnzeige a = FeldAuswerten(Konto1Edit->Liste(), d_.Konten, Konto1Edit->Edit->text().toStdString());
    Konto1Edit->Auswaehlen(a.Auswahl);
    Konto1Label->setText(Q(a.Label));
}

void TVorlagenDatDlg::Konto2Geaendert() {
    const FeldAnzeige a = FeldAuswerten(Konto2Edit->Liste(), d_.Konten, Konto2Edit->Edit->text().toStdString());
    Konto2Edit->Auswaehlen(a.Auswahl);
    Konto2Label->setText(Q(a.Label));
    SetzeBArt(a.Art.BArt);
}

void TVorlagenDatDlg::SetzeBArt(int32_t bart) {
    const ArtTexte t = ArtTexteVon(bart);
    (t.BArt == BArtAusgabe ? AusgabeRBtn : t.BArt == BArtUmbuchung ? UmbuchungRBtn : EinnahmeRBtn)->setChecked(true);
    BArtLabel->setText(Q(t.ArtWort));
    QPalette p = BArtLabel->palette();
    p.setColor(QPalette::WindowText, ArtFarbeQt(t.Farbe));
    BArtLabel->setPalette(p);
    vonLabel->setText(Q(t.Von));
    aufLabel->setText(Q(t.Auf));
    RubrikLabel->setText(Q(t.RubrikLabel));
}

QtSuchfeld* TVorlagenDatDlg::OffenerBaum() const {
    for (QtSuchfeld* f : {Konto1Edit, Konto2Edit, TextEdit})
        if (f->BaumOffen() && f->Baum->hasFocus()) return f;
    return nullptr;
}
