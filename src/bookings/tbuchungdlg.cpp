#include "bookings/tbuchungdlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "bookings/eingaberegeln.h"
#include "bookings/kontosuche.h"
#include "bookings/qtbetragsfeld.h"
#include "bookings/qtbuchungsart.h"
#include "bookings/qtdatumsfeld.h"
#include "bookings/qteingabegrenze.h"
#include "bookings/qtsuchfeld.h"
#include "bookings/textbausteine.h"
#include "bookings/tgehezudlg.h"
#include "store/datum.h"

using namespace talerwerk;

namespace {

QRect& GespeicherteLage() {
    // Where the window was when it was last closed in this run; with a settings file the placement
    // also outlasts the run (section "Buchung").
    static QRect lage(5, 5, 529, 346);
    return lage;
}

constexpr const char* LageAbschnitt = "Buchung";

QRect LageAusDatei(const QString& datei, const QRect& vorgabe) {
    if (datei.isEmpty()) return vorgabe;
    const FensterLage lage = FensterLageLesen(datei.toStdString(), LageAbschnitt,
                                              {vorgabe.x(), vorgabe.y(), vorgabe.width(), vorgabe.height()});
    // A placement too small to use (a damaged file) gives way to the usual one.
    if (lage.Breite < 100 || lage.Hoehe < 100) return vorgabe;
    return QRect(lage.x, lage.y, lage.Breite, lage.Hoehe);
}

QLabel* Beschriftung(const QString& text, QWidget* eltern, QWidget* partner) {
    auto* l = new QLabel(text, eltern);
    l->setBuddy(partner);
    return l;
}

QToolButton* Pfeilknopf(QWidget* eltern, const char* name, QStyle::StandardPixmap bild, const QString& hinweis) {
    auto* k = new QToolButton(eltern);
    k->setObjectName(QString::fromLatin1(name));
    k->setIcon(eltern->style()->standardIcon(bild));
    k->setToolTip(hinweis);
    // Reached with Tab like every other control, but a click leaves the focus where it is, so a
    // number typed into the go-to field is still there when one of them is clicked.
    k->setFocusPolicy(Qt::TabFocus);
    k->setAutoRaise(false);
    return k;
}

}  // namespace

QRect TBuchungDlg::Lage() { return GespeicherteLage(); }

TBuchungDlg::TBuchungDlg(Datenbestand& d, const Einstellungen& einstellungen, Meldungen& meldungen, const Uhr& uhr,
                         std::function<void(int)> aktualisieren, QWidget* eltern)
    : QWidget(eltern), d_(d), einstellungen_(einstellungen), meldungen_(meldungen), uhr_(uhr) {
    setObjectName(QStringLiteral("BuchungDlg"));
    setWindowTitle(QStringLiteral("Buchung bearbeiten"));
    setFocusPolicy(Qt::StrongFocus);
    Aufbauen();
    eingabe_ = std::make_unique<Buchungseingabe>(d_, einstellungen_, meldungen_, uhr_, *this, std::move(aktualisieren));

    // Creating the window: no recurring booking's name, type Einnahme, today's date, the trees.
    HinweisLabel2->clear();
    SetzeBArt(BArtEinnahme);
    DatumEdit->SetzeText(DatumKurzText(uhr_.Heute()));
    ListenAufbauen();
    Konto1Geaendert();
    Konto2Geaendert();
}

TBuchungDlg::~TBuchungDlg() {
    // The children still lose their focus while they are taken down; by then this window must no
    // longer react to them.
    for (QWidget* w : findChildren<QWidget*>()) {
        w->removeEventFilter(this);
        w->disconnect(this);
    }
}

void TBuchungDlg::Aufbauen() {
    auto rot = [](QLabel* l) {
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, QColor(200, 0, 0));
        l->setPalette(p);
    };

    IdentNrLabel = new QLabel(QStringLiteral("0"), this);
    IdentNrLabel->setObjectName(QStringLiteral("IdentNrLabel"));
    QFont fett = IdentNrLabel->font();
    fett.setBold(true);
    IdentNrLabel->setFont(fett);
    rot(IdentNrLabel);
    IdentNrLabel->setToolTip(QStringLiteral("Buchungsnummer"));
    HinweisLabel1 = new QLabel(this);
    HinweisLabel1->setObjectName(QStringLiteral("HinweisLabel1"));
    rot(HinweisLabel1);
    HinweisLabel2 = new QLabel(this);
    HinweisLabel2->setObjectName(QStringLiteral("HinweisLabel2"));
    kennungLabel = new QLabel(this);
    kennungLabel->setObjectName(QStringLiteral("kennungLabel"));
    kennungLabel->hide();

    Daten = new QFrame(this);
    Daten->setObjectName(QStringLiteral("Daten"));
    Daten->setFrameShape(QFrame::StyledPanel);

    DatumEdit = new QtDatumsfeld(Daten);
    BetragEdit = new QtBetragsfeld(&meldungen_, Daten);
    WaehrungLabel = new QLabel(QStringLiteral("DM"), Daten);
    WaehrungLabel->setObjectName(QStringLiteral("WaehrungLabel"));
    Konto1Edit = new QtSuchfeld(QtSuchfeld::Art::Konto, this, Daten);
    Konto1Edit->setObjectName(QStringLiteral("Konto1Edit"));
    Konto1Edit->Baum->setObjectName(QStringLiteral("Konto1Outline"));
    Konto2Edit = new QtSuchfeld(QtSuchfeld::Art::Konto, this, Daten);
    Konto2Edit->setObjectName(QStringLiteral("Konto2Edit"));
    Konto2Edit->Baum->setObjectName(QStringLiteral("Konto2Outline"));
    TextEdit = new QtSuchfeld(QtSuchfeld::Art::Text, this, Daten);
    TextEdit->setObjectName(QStringLiteral("TextEdit"));
    TextEdit->Baum->setObjectName(QStringLiteral("TextOutline"));
    for (QtSuchfeld* f : {Konto1Edit, Konto2Edit, TextEdit}) f->EscWiederherstellen = true;
    BelegnrEdit = new QLineEdit(Daten);
    BelegnrEdit->setObjectName(QStringLiteral("BelegnrEdit"));
    BemerkungEdit = new QLineEdit(Daten);
    BemerkungEdit->setObjectName(QStringLiteral("BemerkungEdit"));
    StorniertCBox = new QCheckBox(QStringLiteral("storni&ert"), Daten);
    StorniertCBox->setObjectName(QStringLiteral("StorniertCBox"));

    EingabeBegrenzen(TextEdit->Edit, BuchungstextLaenge, &meldungen_);
    EingabeBegrenzen(BelegnrEdit, BelegnrLaenge, &meldungen_);
    EingabeBegrenzen(BemerkungEdit, BemerkungLaenge, &meldungen_);
    Konto1Edit->SetzeNaechstes(Konto2Edit->Edit);
    Konto2Edit->SetzeNaechstes(TextEdit->Edit);
    TextEdit->SetzeNaechstes(BelegnrEdit);
    TextEdit->NachEsc = BelegnrEdit;

    Konto1EditLabel = Beschriftung(QStringLiteral("Konto &1"), Daten, Konto1Edit->Edit);
    RubrikLabel = Beschriftung(QStringLiteral("&Rubrik"), Daten, Konto2Edit->Edit);
    RubrikLabel->setObjectName(QStringLiteral("RubrikLabel"));
    TextEditLabel = Beschriftung(QStringLiteral("Buchungste&xt"), Daten, TextEdit->Edit);

    // Summary of the booking: type, direction words and account paths, with the type's picture.
    Panel1 = new QFrame(Daten);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::StyledPanel);
    Panel1->setFrameShadow(QFrame::Sunken);
    BArtLabel = new QLabel(Panel1);
    BArtLabel->setObjectName(QStringLiteral("BArtLabel"));
    BArtLabel->setFont(fett);
    vonLabel = new QLabel(Panel1);
    vonLabel->setObjectName(QStringLiteral("vonLabel"));
    Konto1Label = new QLabel(Panel1);
    Konto1Label->setObjectName(QStringLiteral("Konto1Label"));
    aufLabel = new QLabel(Panel1);
    aufLabel->setObjectName(QStringLiteral("aufLabel"));
    Konto2Label = new QLabel(Panel1);
    Konto2Label->setObjectName(QStringLiteral("Konto2Label"));
    for (QLabel* l : {Konto1Label, Konto2Label}) {
        // A long path of category and sub-category wraps rather than being cut off.
        l->setWordWrap(true);
        l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        l->setMinimumWidth(60);
    }
    EinnahmeImage = new QLabel(Panel1);
    EinnahmeImage->setObjectName(QStringLiteral("EinnahmeImage"));
    EinnahmeImage->setPixmap(ArtBild(BArtEinnahme, 34));
    AusgabeImage = new QLabel(Panel1);
    AusgabeImage->setObjectName(QStringLiteral("AusgabeImage"));
    AusgabeImage->setPixmap(ArtBild(BArtAusgabe, 34));
    UmbuchgImage = new QLabel(Panel1);
    UmbuchgImage->setObjectName(QStringLiteral("UmbuchgImage"));
    UmbuchgImage->setPixmap(ArtBild(BArtUmbuchung, 34));
    auto* panel = new QGridLayout(Panel1);
    panel->setContentsMargins(6, 4, 6, 4);
    panel->setVerticalSpacing(0);
    panel->addWidget(EinnahmeImage, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    panel->addWidget(AusgabeImage, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    panel->addWidget(UmbuchgImage, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    panel->addWidget(BArtLabel, 0, 1, Qt::AlignLeft | Qt::AlignVCenter);
    panel->addWidget(vonLabel, 1, 0, 1, 2);
    panel->addWidget(Konto1Label, 2, 0, 1, 2);
    panel->addWidget(aufLabel, 3, 0, 1, 2);
    panel->addWidget(Konto2Label, 4, 0, 1, 2);
    panel->setColumnStretch(1, 1);
    panel->setRowStretch(5, 1);

    // The type travels in these radio buttons; they are never shown.
    GroupBox1 = new QGroupBox(Daten);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    EinnahmeRBtn = new QRadioButton(QStringLiteral("&Einnahme"), GroupBox1);
    EinnahmeRBtn->setObjectName(QStringLiteral("EinnahmeRBtn"));
    AusgabeRBtn = new QRadioButton(QStringLiteral("&Ausgabe"), GroupBox1);
    AusgabeRBtn->setObjectName(QStringLiteral("AusgabeRBtn"));
    UmbuchungRBtn = new QRadioButton(QStringLiteral("&Umbuchung"), GroupBox1);
    UmbuchungRBtn->setObjectName(QStringLiteral("UmbuchungRBtn"));
    GroupBox1->setEnabled(false);
    GroupBox1->hide();

    BuchenBtn = new QPushButton(QStringLiteral("&Buchen"), Daten);
    BuchenBtn->setObjectName(QStringLiteral("BuchenBtn"));
    VerwerfenBtn = new QPushButton(QStringLiteral("&Verwerfen"), Daten);
    VerwerfenBtn->setObjectName(QStringLiteral("VerwerfenBtn"));
    LoeschBtn = new QPushButton(QStringLiteral("&Löschen"), Daten);
    LoeschBtn->setObjectName(QStringLiteral("LoeschBtn"));
    VorlageBtn = new QPushButton(QStringLiteral("V&orlage"), Daten);
    VorlageBtn->setObjectName(QStringLiteral("VorlageBtn"));
    for (QPushButton* k : {BuchenBtn, VerwerfenBtn, LoeschBtn, VorlageBtn}) k->setAutoDefault(false);

    // Left the short fields, right the summary; the free texts run across the whole width.
    auto* daten = new QGridLayout(Daten);
    daten->setContentsMargins(8, 6, 8, 6);
    daten->setHorizontalSpacing(6);
    daten->setVerticalSpacing(4);
    daten->addWidget(Beschriftung(QStringLiteral("Buchungs&datum"), Daten, DatumEdit->Edit), 0, 0);
    daten->addWidget(DatumEdit, 0, 1, Qt::AlignLeft);
    auto* betrag = new QHBoxLayout;
    betrag->setSpacing(4);
    betrag->addWidget(BetragEdit);
    betrag->addWidget(WaehrungLabel);
    betrag->addStretch();
    daten->addWidget(Beschriftung(QStringLiteral("Be&trag"), Daten, BetragEdit), 1, 0);
    daten->addLayout(betrag, 1, 1);
    daten->addWidget(Konto1EditLabel, 2, 0);
    daten->addWidget(Konto1Edit, 2, 1);
    daten->addWidget(RubrikLabel, 3, 0);
    daten->addWidget(Konto2Edit, 3, 1);
    daten->addWidget(Panel1, 0, 2, 4, 1);
    daten->addWidget(TextEditLabel, 4, 0);
    daten->addWidget(TextEdit, 4, 1, 1, 2);
    daten->addWidget(Beschriftung(QStringLiteral("Beleg&nummer"), Daten, BelegnrEdit), 5, 0);
    auto* beleg = new QHBoxLayout;
    beleg->addWidget(BelegnrEdit);
    beleg->addSpacing(12);
    beleg->addWidget(StorniertCBox);
    beleg->addStretch();
    daten->addLayout(beleg, 5, 1, 1, 2);
    daten->addWidget(Beschriftung(QStringLiteral("Be&merkung"), Daten, BemerkungEdit), 6, 0);
    daten->addWidget(BemerkungEdit, 6, 1, 1, 2);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(BuchenBtn);
    knoepfe->addWidget(VerwerfenBtn);
    knoepfe->addWidget(LoeschBtn);
    knoepfe->addWidget(VorlageBtn);
    knoepfe->addStretch();
    daten->addLayout(knoepfe, 7, 0, 1, 3);
    daten->setColumnStretch(1, 0);
    daten->setColumnStretch(2, 1);
    const int zeichen = fontMetrics().horizontalAdvance(QLatin1Char('M'));
    // Abbreviations have at most ten characters; the rest of the width goes to the summary.
    for (QWidget* w : {static_cast<QWidget*>(Konto1Edit), static_cast<QWidget*>(Konto2Edit)})
        w->setFixedWidth(zeichen * 8 + 40);
    DatumEdit->Edit->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("00.00.000")) + 14);
    BetragEdit->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("999.999,99")) + 18);
    BelegnrEdit->setFixedWidth(zeichen * 9);

    ListeBtn = new QPushButton(QStringLiteral("L&iste"), this);
    ListeBtn->setObjectName(QStringLiteral("ListeBtn"));
    ModusBtn = new QPushButton(QStringLiteral("Bearbeitun&g sperren"), this);
    ModusBtn->setObjectName(QStringLiteral("ModusBtn"));
    AnfangBtn = Pfeilknopf(this, "AnfangBtn", QStyle::SP_MediaSkipBackward, QStringLiteral("Erste Buchung (Strg+Pos1)"));
    ZurueckBtn = Pfeilknopf(this, "ZurueckBtn", QStyle::SP_MediaSeekBackward, QStringLiteral("Vorige Buchung (Strg+Bild ab)"));
    VorBtn = Pfeilknopf(this, "VorBtn", QStyle::SP_MediaSeekForward, QStringLiteral("Nächste Buchung (Strg+Bild auf)"));
    EndeBtn = Pfeilknopf(this, "EndeBtn", QStyle::SP_MediaSkipForward, QStringLiteral("Letzte Buchung (Strg+Ende)"));
    GeheZuEdit = new QLineEdit(this);
    GeheZuEdit->setObjectName(QStringLiteral("GeheZuEdit"));
    GeheZuEdit->setAlignment(Qt::AlignCenter);
    GeheZuEdit->setToolTip(QStringLiteral("Gehe zu Buchungsnummer (Doppelklick: Gehe zu ...)"));
    GeheZuEdit->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12);
    EingabeBegrenzen(GeheZuEdit, GeheZuLaenge, &meldungen_, true);
    BitBtn1 = new QPushButton(QStringLiteral("&Schließen"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    for (QPushButton* k : {ListeBtn, ModusBtn, BitBtn1}) k->setAutoDefault(false);

    auto* kopf = new QHBoxLayout;
    kopf->addWidget(IdentNrLabel);
    kopf->addSpacing(12);
    kopf->addWidget(HinweisLabel1);
    kopf->addSpacing(12);
    kopf->addWidget(HinweisLabel2, 1);
    auto* fuss = new QHBoxLayout;
    fuss->setSpacing(4);
    fuss->addWidget(ListeBtn);
    fuss->addWidget(ModusBtn);
    fuss->addStretch();
    fuss->addWidget(AnfangBtn);
    fuss->addWidget(ZurueckBtn);
    fuss->addWidget(GeheZuEdit);
    fuss->addWidget(VorBtn);
    fuss->addWidget(EndeBtn);
    fuss->addStretch();
    fuss->addWidget(BitBtn1);
    auto* alles = new QVBoxLayout(this);
    alles->setContentsMargins(6, 4, 6, 6);
    alles->setSpacing(4);
    alles->addLayout(kopf);
    alles->addWidget(Daten, 1);
    alles->addLayout(fuss);

    BuchungPopUp = new QMenu(this);
    BuchungPopUp->setObjectName(QStringLiteral("BuchungPopUp"));
    PopupBuchen = BuchungPopUp->addAction(QStringLiteral("&Buchen"), this, &TBuchungDlg::BuchenBtnClick);
    PopupVerwerfen = BuchungPopUp->addAction(QStringLiteral("&Verwerfen"), this, &TBuchungDlg::VerwerfenBtnClick);
    PopupLoeschen = BuchungPopUp->addAction(QStringLiteral("&Löschen"), this, &TBuchungDlg::LoeschBtnClick);
    PopupGeheZu = BuchungPopUp->addAction(QStringLiteral("&Gehe zu..."), this, &TBuchungDlg::GeheZuDialog);
    PopupVorlage = BuchungPopUp->addAction(QStringLiteral("&Vorlage"), this, [this] {
        if (VorlageZeigen) VorlageZeigen();
    });
    PopupListe = BuchungPopUp->addAction(QStringLiteral("L&iste"), this, [this] {
        if (ListeZeigen) ListeZeigen();
    });
    Daten->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Daten, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { BuchungPopUp->popup(Daten->mapToGlobal(p)); });

    GeheZuDlg = new TGeheZuDlg(this);

    connect(BuchenBtn, &QPushButton::clicked, this, &TBuchungDlg::BuchenBtnClick);
    connect(VerwerfenBtn, &QPushButton::clicked, this, &TBuchungDlg::VerwerfenBtnClick);
    connect(LoeschBtn, &QPushButton::clicked, this, &TBuchungDlg::LoeschBtnClick);
    connect(VorlageBtn, &QPushButton::clicked, this, [this] {
        if (VorlageZeigen) VorlageZeigen();
    });
    connect(ListeBtn, &QPushButton::clicked, this, [this] {
        if (ListeZeigen) ListeZeigen();
    });
    connect(ModusBtn, &QPushButton::clicked, this, &TBuchungDlg::ModusBtnClick);
    connect(AnfangBtn, &QToolButton::clicked, this, &TBuchungDlg::AnfangBtnClick);
    connect(ZurueckBtn, &QToolButton::clicked, this, &TBuchungDlg::ZurueckBtnClick);
    connect(VorBtn, &QToolButton::clicked, this, &TBuchungDlg::VorBtnClick);
    connect(EndeBtn, &QToolButton::clicked, this, &TBuchungDlg::EndeBtnClick);
    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
            sub->close();
        else
            close();
    });

    connect(Konto1Edit->Edit, &QLineEdit::textChanged, this, &TBuchungDlg::Konto1Geaendert);
    connect(Konto2Edit->Edit, &QLineEdit::textChanged, this, &TBuchungDlg::Konto2Geaendert);
    connect(TextEdit->Edit, &QLineEdit::textEdited, this, &TBuchungDlg::TextGetippt);
    connect(TextEdit, &QtSuchfeld::Verlassen, this, &TBuchungDlg::TextVerlassen);
    connect(Konto2Edit, &QtSuchfeld::BaumGeoeffnet, ListeBtn, &QWidget::hide);
    connect(Konto2Edit, &QtSuchfeld::BaumGeschlossen, ListeBtn, &QWidget::show);

    // Qt's own focus chain in the same order, for whatever walks it without asking the window.
    const std::vector<QWidget*> folge = Tabfolge();
    for (size_t i = 1; i < folge.size(); ++i) setTabOrder(folge[i - 1], folge[i]);

    // The window sees the keys before its controls (Esc, Enter and the movement keys).
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
    GeheZuEdit->installEventFilter(this);
    setMinimumSize(sizeHint().boundedTo(QSize(529, 346)));
}

std::vector<QWidget*> TBuchungDlg::Tabfolge() const {
    // As the controls stand on screen: the fields row by row, the buttons below them, then the
    // bar at the bottom from left to right.
    return {DatumEdit->Edit, BetragEdit, Konto1Edit->Edit, Konto2Edit->Edit, TextEdit->Edit,
            BelegnrEdit,     StorniertCBox, BemerkungEdit, BuchenBtn, VerwerfenBtn,
            LoeschBtn,       VorlageBtn, ListeBtn, ModusBtn, AnfangBtn,
            ZurueckBtn,      GeheZuEdit, VorBtn, EndeBtn, BitBtn1};
}

bool TBuchungDlg::focusNextPrevChild(bool vor) {
    QWidget* fokus = QApplication::focusWidget();
    // An open lookup tree stands for its field: Tab goes on to the field after it.
    for (QtSuchfeld* f : {Konto1Edit, Konto2Edit, TextEdit})
        if (fokus == f->Baum) fokus = f->Edit;
    if (fokus != this && !isAncestorOf(fokus)) return QWidget::focusNextPrevChild(vor);
    const std::vector<QWidget*> folge = Tabfolge();
    const int anzahl = static_cast<int>(folge.size());
    const auto stelle = std::find(folge.begin(), folge.end(), fokus);
    // From the window itself (or a control outside the order) Tab starts at the first field.
    int i = stelle != folge.end() ? static_cast<int>(stelle - folge.begin()) : (vor ? -1 : anzahl);
    for (int schritt = 0; schritt < anzahl; ++schritt) {
        i = ((vor ? i + 1 : i - 1) % anzahl + anzahl) % anzahl;
        QWidget* w = folge[static_cast<size_t>(i)];
        if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(vor ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

void TBuchungDlg::ErstesFeldFokussieren() {
    // Editing allowed: the date, where a booking starts. Locked: the window itself, so that Enter
    // goes on to the next booking instead of pressing whatever button has the focus.
    if (Daten->isEnabled())
        Fokus(MaskenFeld::Datum);
    else
        setFocus(Qt::OtherFocusReason);
}

// ---- lookup fields ----

void TBuchungDlg::ListenAufbauen() {
    Konto1Edit->BaumSetzen(Konto1Baum(d_.Konten));
    Konto2Edit->BaumSetzen(Konto2Baum(d_.Konten));
    TextEdit->BaumSetzen(TextBaumErweitert(d_.Textbausteine, uhr_.Heute()));
}

void TBuchungDlg::Konto1Geaendert() {
    const FeldAnzeige a = FeldAuswerten(Konto1Edit->Liste(), d_.Konten, Konto1Edit->Edit->text().toStdString());
    Konto1Edit->Auswaehlen(a.Auswahl);
    Konto1Label->setText(QString::fromStdString(a.Label));
    Konto1Label->setToolTip(Konto1Label->text());
}

void TBuchungDlg::Konto2Geaendert() {
    const FeldAnzeige a = FeldAuswerten(Konto2Edit->Liste(), d_.Konten, Konto2Edit->Edit->text().toStdString());
    Konto2Edit->Auswaehlen(a.Auswahl);
    Konto2Label->setText(QString::fromStdString(a.Label));
    Konto2Label->setToolTip(Konto2Label->text());
    const bool andereArt = a.Art.BArt != bart_;
    SetzeBArt(a.Art.BArt);
    // A new type makes the booking worth storing again, as far as the chart allows booking at all.
    if (andereArt && eingabe_) BuchenFreigeben(eingabe_->BuchenMoeglich());
}

void TBuchungDlg::TextGetippt() {
    if (!einstellungen_.Textbaustein) return;
    const auto e = ErsetzungBeimTippen(TextEdit->Liste(), TextEdit->Edit->text().toStdString());
    if (!e) return;
    TextEdit->Auswaehlen(e->Position);
    TextEdit->Edit->setText(QString::fromStdString(e->Text));
    TextEdit->Edit->end(false);
}

void TBuchungDlg::TextVerlassen() {
    if (!einstellungen_.Textbaustein) return;
    const auto e = ErsetzungBeimVerlassen(TextEdit->Liste(), TextEdit->Edit->text().toStdString());
    if (!e) return;
    TextEdit->Auswaehlen(e->Position);
    TextEdit->Edit->setText(QString::fromStdString(e->Text));
}

QtSuchfeld* TBuchungDlg::OffenerBaum() const {
    for (QtSuchfeld* f : {Konto1Edit, Konto2Edit, TextEdit})
        if (f->BaumOffen() && f->Baum->hasFocus()) return f;
    return nullptr;
}

bool TBuchungDlg::FokusInBaum() const { return OffenerBaum() != nullptr; }

// ---- commands ----

void TBuchungDlg::BuchenFreigeben(bool frei) {
    buchenFrei_ = frei;
    BuchenBtn->setEnabled(frei);
    VerwerfenBtn->setEnabled(frei);
    PopupBuchen->setEnabled(frei);
    PopupVerwerfen->setEnabled(frei);
    if (BefehleGeaendert) BefehleGeaendert(frei, frei, loeschenFrei_);
}

void TBuchungDlg::LoeschenSichtbarkeit() {
    // Deleting bookings is offered only where the client's master data allow it.
    const bool erlaubt = d_.Mandant.Merker1;
    LoeschBtn->setVisible(erlaubt);
    PopupLoeschen->setVisible(erlaubt);
}

bool TBuchungDlg::Gesperrt() const { return eingabe_ && eingabe_->Gesperrt(); }

void TBuchungDlg::AktIndexZeigen() {
    LoeschenSichtbarkeit();
    // A booking still being typed that could not be stored keeps the focus where its message put it.
    if (eingabe_->PositionAnzeigen()) ErstesFeldFokussieren();
}

bool TBuchungDlg::GeheZuNummer() {
    if (!GeheZuEdit->hasFocus()) return false;
    const std::string text = GeheZuEdit->text().toStdString();
    if (text.empty()) return true;
    eingabe_->GeheZu(GeheZuSuchen(d_, true, text));
    GeheZuEdit->setFocus(Qt::OtherFocusReason);
    GeheZuEdit->selectAll();
    return true;
}

void TBuchungDlg::BuchenBtnClick() {
    if (GeheZuNummer()) return;
    if (QtSuchfeld* f = OffenerBaum()) {
        f->BaumEnter();
        return;
    }
    if (!BuchenBtn->isEnabled()) return;
    eingabe_->Buchen();
}

void TBuchungDlg::VerwerfenBtnClick() {
    if (!VerwerfenBtn->isEnabled()) return;
    eingabe_->Verwerfen();
}

void TBuchungDlg::LoeschBtnClick() {
    if (LoeschBtn->isHidden() || !LoeschBtn->isEnabled()) return;
    eingabe_->Loeschen();
}

void TBuchungDlg::LoeschenHauptfenster() {
    if (!d_.Mandant.Merker1 || !loeschenFrei_) return;
    eingabe_->LoeschenHauptfenster();
}

void TBuchungDlg::ModusBtnClick() {
    if (!ModusBtn->isEnabled()) return;
    eingabe_->SperreUmschalten();
}

void TBuchungDlg::Bewegen(const std::function<void()>& bewegung) {
    if (GeheZuEdit->hasFocus() && !GeheZuEdit->text().isEmpty()) {
        GeheZuNummer();
        return;
    }
    bewegung();
}

void TBuchungDlg::AnfangBtnClick() {
    Bewegen([this] { eingabe_->Erste(); });
}
void TBuchungDlg::ZurueckBtnClick() {
    Bewegen([this] { eingabe_->Vorige(); });
}
void TBuchungDlg::VorBtnClick() {
    Bewegen([this] { eingabe_->Naechste(); });
}
void TBuchungDlg::EndeBtnClick() {
    Bewegen([this] { eingabe_->Letzte(); });
}

void TBuchungDlg::GeheZuFeld() {
    GeheZuEdit->setFocus(Qt::ShortcutFocusReason);
    GeheZuEdit->selectAll();
}

void TBuchungDlg::GeheZuDialog() {
    const auto position = GeheZuDlg->Ausfuehren(d_);
    if (position) eingabe_->GeheZu(*position);
    GeheZuFeld();
}

void TBuchungDlg::GeheZuZuruecksetzen() {
    if (GeheZuEdit->text() != IdentNrLabel->text()) GeheZuEdit->setText(IdentNrLabel->text());
}

void TBuchungDlg::ListenNeuAufbauen() {
    // Changes typed into the fields are judged against the lists they were typed with. They stay
    // on screen: a chart edited in between must not wipe a half-typed booking.
    const bool geaendert = eingabe_->Geaendert();
    for (QtSuchfeld* f : {Konto1Edit, Konto2Edit, TextEdit}) f->BaumVerbergen();
    ListenAufbauen();
    if (geaendert) {
        Konto1Geaendert();
        Konto2Geaendert();
        BuchenFreigeben(eingabe_->BuchenMoeglich());
    } else {
        eingabe_->PositionAnzeigen();
    }
}

void TBuchungDlg::RgmBuchungAngehaengt() { eingabe_->RgmBuchungAngehaengt(); }

void TBuchungDlg::RechnerUebernahme(const std::string& anzeige) {
    if (!Daten->isEnabled()) {
        meldungen_.Information(UebernahmeGesperrtText);
        return;
    }
    const auto betrag = BetragAusRechner(anzeige);
    if (!betrag) {
        meldungen_.Information(UebernahmeBereichText);
        return;
    }
    BetragEdit->SetzeBetrag(*betrag);
    if (NachVorne) NachVorne();
}

void TBuchungDlg::VorlageUebernehmen(const buchungstyp& vorlage) {
    buchungstyp satz = MitVorlage(BearbeiteterSatz(*this), vorlage, d_.Textbausteine, uhr_);
    // The template list was modal over this window: the focus it had is the one it gets back.
    const bool fokusAufVorlage = VorlageBtn->hasFocus() || focusWidget() == VorlageBtn;
    // The template makes a normal booking of it: no hint about a recurring booking any more.
    HinweisLabel1->setText(d_.AnzeigeIndex > d_.LetzterIndex ? QStringLiteral("Neuer Datensatz") : QString());
    SatzZeigen(*this, satz);
    if (fokusAufVorlage) Fokus(MaskenFeld::Datum);
}

// ---- Buchungsmaske ----

std::string TBuchungDlg::Text(MaskenFeld feld) const {
    switch (feld) {
        case MaskenFeld::Nummer:
            return IdentNrLabel->text().toStdString();
        case MaskenFeld::Datum:
            return DatumEdit->Text();
        case MaskenFeld::Betrag:
            return BetragEdit->Betrag();
        case MaskenFeld::Text:
            return TextEdit->Edit->text().toStdString();
        case MaskenFeld::Bemerkung:
            return BemerkungEdit->text().toStdString();
        case MaskenFeld::Belegnr:
            return BelegnrEdit->text().toStdString();
        case MaskenFeld::Konto1:
            return Konto1Edit->Edit->text().toStdString();
        case MaskenFeld::Konto2:
            return Konto2Edit->Edit->text().toStdString();
        case MaskenFeld::Kennung:
            return kennungLabel->text().toStdString();
        case MaskenFeld::Hinweis1:
            return HinweisLabel1->text().toStdString();
        case MaskenFeld::Hinweis2:
            return HinweisLabel2->text().toStdString();
        case MaskenFeld::GeheZu:
            return GeheZuEdit->text().toStdString();
        case MaskenFeld::Storniert:
            break;
    }
    return {};
}

void TBuchungDlg::SetzeText(MaskenFeld feld, const std::string& text) {
    const QString t = QString::fromStdString(text);
    switch (feld) {
        case MaskenFeld::Nummer:
            IdentNrLabel->setText(t);
            break;
        case MaskenFeld::Datum:
            DatumEdit->SetzeText(text);
            break;
        case MaskenFeld::Betrag:
            BetragEdit->SetzeBetrag(text);
            break;
        case MaskenFeld::Text:
            TextEdit->Edit->setText(t);
            break;
        case MaskenFeld::Bemerkung:
            BemerkungEdit->setText(t);
            break;
        case MaskenFeld::Belegnr:
            BelegnrEdit->setText(t);
            break;
        case MaskenFeld::Konto1:
            // Labels and selection follow even when the text stays the same.
            if (Konto1Edit->Edit->text() == t) Konto1Geaendert();
            Konto1Edit->Edit->setText(t);
            break;
        case MaskenFeld::Konto2:
            if (Konto2Edit->Edit->text() == t) Konto2Geaendert();
            Konto2Edit->Edit->setText(t);
            break;
        case MaskenFeld::Kennung:
            kennungLabel->setText(t);
            break;
        case MaskenFeld::Hinweis1:
            HinweisLabel1->setText(t);
            break;
        case MaskenFeld::Hinweis2:
            HinweisLabel2->setText(t);
            break;
        case MaskenFeld::GeheZu:
            GeheZuEdit->setText(t);
            break;
        case MaskenFeld::Storniert:
            break;
    }
}

bool TBuchungDlg::Storniert() const { return StorniertCBox->isChecked(); }
void TBuchungDlg::SetzeStorniert(bool storniert) { StorniertCBox->setChecked(storniert); }

int32_t TBuchungDlg::BArt() const {
    if (AusgabeRBtn->isChecked()) return BArtAusgabe;
    if (UmbuchungRBtn->isChecked()) return BArtUmbuchung;
    return BArtEinnahme;
}

void TBuchungDlg::SetzeBArt(int32_t bart) {
    const ArtTexte t = ArtTexteVon(bart);
    bart_ = t.BArt;
    (t.BArt == BArtAusgabe ? AusgabeRBtn : t.BArt == BArtUmbuchung ? UmbuchungRBtn : EinnahmeRBtn)->setChecked(true);
    BArtLabel->setText(QString::fromStdString(t.ArtWort));
    QPalette p = BArtLabel->palette();
    p.setColor(QPalette::WindowText, ArtFarbeQt(t.Farbe));
    BArtLabel->setPalette(p);
    vonLabel->setText(QString::fromStdString(t.Von));
    aufLabel->setText(QString::fromStdString(t.Auf));
    RubrikLabel->setText(QString::fromStdString(t.RubrikLabel));
    EinnahmeImage->setVisible(t.BArt == BArtEinnahme);
    AusgabeImage->setVisible(t.BArt == BArtAusgabe);
    UmbuchgImage->setVisible(t.BArt == BArtUmbuchung);
}

const Suchbaum& TBuchungDlg::Konto1Liste() const { return Konto1Edit->Liste(); }
const Suchbaum& TBuchungDlg::Konto2Liste() const { return Konto2Edit->Liste(); }

void TBuchungDlg::Fokus(MaskenFeld feld) {
    QWidget* ziel = nullptr;
    switch (feld) {
        case MaskenFeld::Datum:
            ziel = DatumEdit->Edit;
            break;
        case MaskenFeld::Betrag:
            ziel = BetragEdit;
            break;
        case MaskenFeld::Text:
            ziel = TextEdit->Edit;
            break;
        case MaskenFeld::Bemerkung:
            ziel = BemerkungEdit;
            break;
        case MaskenFeld::Belegnr:
            ziel = BelegnrEdit;
            break;
        case MaskenFeld::Konto1:
            ziel = Konto1Edit->Edit;
            break;
        case MaskenFeld::Konto2:
            ziel = Konto2Edit->Edit;
            break;
        case MaskenFeld::Storniert:
            ziel = StorniertCBox;
            break;
        case MaskenFeld::GeheZu:
            ziel = GeheZuEdit;
            break;
        default:
            break;
    }
    if (!ziel || !ziel->isEnabled()) return;
    ziel->setFocus(Qt::OtherFocusReason);
    if (auto* zeile = qobject_cast<QLineEdit*>(ziel)) zeile->selectAll();
}

void TBuchungDlg::Zustand(const Maskenzustand& z) {
    setWindowTitle(z.NeueBuchung ? QStringLiteral("Buchung hinzufügen") : QStringLiteral("Buchung bearbeiten"));
    const bool fokusImPanel = Daten->isAncestorOf(QApplication::focusWidget());
    Daten->setEnabled(!z.Gesperrt);
    ModusBtn->setEnabled(!z.NeueBuchung);
    ModusBtn->setText(z.Gesperrt ? QStringLiteral("Bearbeitun&g erlauben") : QStringLiteral("Bearbeitun&g sperren"));
    // Enter books while editing is allowed and goes to the next booking while it is locked.
    standard_ = z.Gesperrt ? static_cast<QAbstractButton*>(VorBtn) : BuchenBtn;
    BuchenBtn->setDefault(!z.Gesperrt);
    loeschenFrei_ = z.LoeschenMoeglich;
    LoeschBtn->setEnabled(loeschenFrei_);
    PopupLoeschen->setEnabled(loeschenFrei_);
    LoeschenSichtbarkeit();
    WaehrungLabel->setText(QString::fromStdString(d_.Mandant.Text4));
    BuchenFreigeben(z.BuchenMoeglich);
    if (z.Gesperrt && fokusImPanel) setFocus(Qt::OtherFocusReason);
    // Editing allowed again while the window itself held the focus (Enter went on from a locked
    // booking to the new one): typing starts in the date.
    if (!z.Gesperrt && hasFocus()) ErstesFeldFokussieren();
}

// ---- keys, showing, closing ----

bool TBuchungDlg::Taste(QKeyEvent* taste) {
    const bool strg = taste->modifiers() & Qt::ControlModifier;
    switch (taste->key()) {
        case Qt::Key_Escape:
            if (FokusInBaum()) return false;  // the tree puts back its field's text
            VerwerfenBtnClick();
            return true;
        case Qt::Key_Home:
            if (!strg) return false;
            if (d_.AktIndex > 0) AnfangBtnClick();
            return true;
        case Qt::Key_End:
            if (!strg) return false;
            if (d_.AktIndex <= d_.LetzterIndex) EndeBtnClick();
            return true;
        case Qt::Key_PageUp:
            if (!strg) return false;
            if (d_.AktIndex <= d_.LetzterIndex) VorBtnClick();
            return true;
        case Qt::Key_PageDown:
            if (!strg) return false;
            if (d_.AktIndex > 0) ZurueckBtnClick();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            if (FokusInBaum()) return false;
            QWidget* fokus = QApplication::focusWidget();
            // A button reached with Tab is pressed by Enter, as a user who tabbed to it expects.
            QAbstractButton* knopf = qobject_cast<QPushButton*>(fokus);
            if (!knopf) knopf = qobject_cast<QToolButton*>(fokus);
            if (knopf && isAncestorOf(knopf)) {
                knopf->click();
                return true;
            }
            if (standard_ == VorBtn)
                VorBtnClick();
            else
                BuchenBtnClick();
            return true;
        }
        default:
            return false;
    }
}

bool TBuchungDlg::eventFilter(QObject* objekt, QEvent* ereignis) {
    if (objekt == GeheZuEdit) {
        if (ereignis->type() == QEvent::FocusIn) {
            QTimer::singleShot(0, GeheZuEdit, [e = GeheZuEdit] { e->selectAll(); });
        } else if (ereignis->type() == QEvent::FocusOut) {
            if (static_cast<QFocusEvent*>(ereignis)->reason() != Qt::PopupFocusReason) GeheZuZuruecksetzen();
        } else if (ereignis->type() == QEvent::MouseButtonDblClick) {
            GeheZuDialog();
            return true;
        }
    }
    // Keys in the window's own pop-ups and dialogs (calendar, go-to dialog, menus) are theirs.
    auto* widget = qobject_cast<QWidget*>(objekt);
    if (ereignis->type() == QEvent::KeyPress && widget && widget->window() == window()) {
        const bool inBaum = objekt == Konto1Edit->Baum || objekt == Konto2Edit->Baum || objekt == TextEdit->Baum;
        if (!inBaum && Taste(static_cast<QKeyEvent*>(ereignis))) return true;
    }
    return QWidget::eventFilter(objekt, ereignis);
}

void TBuchungDlg::keyPressEvent(QKeyEvent* ereignis) {
    if (!Taste(ereignis)) QWidget::keyPressEvent(ereignis);
}

void TBuchungDlg::focusInEvent(QFocusEvent* ereignis) {
    QWidget::focusInEvent(ereignis);
    // The frame hands the focus to the window itself when it is activated (Strg+B on the open
    // window, a click on its title); while editing is allowed the typing goes into the date.
    if (Daten->isEnabled()) ErstesFeldFokussieren();
}

void TBuchungDlg::showEvent(QShowEvent* ereignis) {
    QWidget::showEvent(ereignis);
    if (platziert_) return;
    platziert_ = true;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->setGeometry(LageAusDatei(lageDatei_, GespeicherteLage()));
}

void TBuchungDlg::closeEvent(QCloseEvent* ereignis) {
    if (!geschlossen_) {
        if (!eingabe_->Schliessen()) {
            ereignis->ignore();
            return;
        }
        geschlossen_ = true;
        QWidget* rahmen = qobject_cast<QMdiSubWindow*>(parentWidget());
        if (!rahmen) rahmen = this;
        if (rahmen->isMinimized() || rahmen->isMaximized()) rahmen->showNormal();
        GespeicherteLage() = rahmen->geometry();
        if (!lageDatei_.isEmpty()) {
            const QRect g = rahmen->geometry();
            FensterLageSpeichern(lageDatei_.toStdString(), LageAbschnitt, {g.x(), g.y(), g.width(), g.height()});
        }
        loeschenFrei_ = false;
        if (BefehleGeaendert) BefehleGeaendert(false, false, false);
        emit Geschlossen();
    }
    ereignis->accept();
}
