#include "app/qtcsvexport.h"
#include "evaluation/tkontenblattdlg.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "bookings/buchungsoperationen.h"
#include "evaluation/kontenblatt.h"
#include "evaluation/qtbaumhilfe.h"
#include "evaluation/qtgridmodell.h"
#include "printing/qtberichtsdruck.h"

using namespace talerwerk;

namespace {

QColor FarbeVon(const QtGridModell& modell, Farbklasse klasse) { return modell.Farbe(klasse); }

void TextFarbe(QLabel* label, const QColor& farbe) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, farbe);
    label->setPalette(p);
}

// The node of a rebuilt tree that stands for the same choice as `alt`: the account with the same
// number, or the period with the same months and year; else the tree's own first choice.
int32_t GleicherKnoten(const Auswahlbaum& baum, const Auswahlknoten* alt, bool konto) {
    if (!alt) return baum.Gewaehlt;
    for (size_t i = 0; i < baum.Knoten.size(); ++i) {
        const Auswahlknoten& k = baum.Knoten[i];
        if (konto ? k.Konto.Nr == alt->Konto.Nr
                  : (k.Zeitraum.VonMonat == alt->Zeitraum.VonMonat && k.Zeitraum.BisMonat == alt->Zeitraum.BisMonat &&
                     k.Zeitraum.Jahr == alt->Zeitraum.Jahr && k.Text == alt->Text))
            return static_cast<int32_t>(i);
    }
    return baum.Gewaehlt;
}

}  // namespace

TKontenblattDlg::TKontenblattDlg(Datenbestand& bestand, const Einstellungen& einstellungen, const Uhr& uhr,
                                 QWidget* eltern)
    : QWidget(eltern), bestand_(bestand), einstellungen_(einstellungen), uhr_(uhr) {
    setObjectName(QStringLiteral("KontenblattDlg"));
    setWindowTitle(QStringLiteral("Kontenblatt"));

    KontenLabel = new QLabel(QStringLiteral("K&onten"), this);
    KontoTreeView = new QTreeWidget(this);
    KontoTreeView->setObjectName(QStringLiteral("KontoTreeView"));
    KontenLabel->setBuddy(KontoTreeView);
    ZeitLabel = new QLabel(QStringLiteral("&Zeitraum"), this);
    ZeitTreeView = new QTreeWidget(this);
    ZeitTreeView->setObjectName(QStringLiteral("ZeitTreeView"));
    ZeitLabel->setBuddy(ZeitTreeView);
    for (QTreeWidget* baum : {KontoTreeView, ZeitTreeView}) {
        baum->setHeaderHidden(true);
        baum->setEditTriggers(QAbstractItemView::NoEditTriggers);
        baum->setSelectionMode(QAbstractItemView::SingleSelection);
        baum->setMinimumWidth(150);
    }

    SortiertRBtn = new QGroupBox(QStringLiteral("Gruppiert nach"), this);
    SortiertRBtn->setObjectName(QStringLiteral("SortiertRBtn"));
    SortiertGruppe = new QButtonGroup(this);
    auto* gruppenSpalte = new QVBoxLayout(SortiertRBtn);
    for (int i = 0; i < 4; ++i) {
        SortiertKnopf[i] = new QRadioButton(QString::fromUtf8(KontenblattGruppierungen[static_cast<size_t>(i)]),
                                            SortiertRBtn);
        SortiertGruppe->addButton(SortiertKnopf[i], i);
        gruppenSpalte->addWidget(SortiertKnopf[i]);
    }
    SortiertKnopf[0]->setChecked(true);

    ZwSummeChBox = new QCheckBox(QStringLiteral("Z&wischensummen"), this);
    ZwSummeChBox->setObjectName(QStringLiteral("ZwSummeChBox"));
    ZwSummeChBox->setChecked(true);
    stornoChBox = new QCheckBox(QStringLiteral("&stornierte Buchungen"), this);
    stornoChBox->setObjectName(QStringLiteral("stornoChBox"));

    Modell = new QtGridModell(einstellungen_, this);
    Modell->Fett = [](const TGridDaten& z, int) {
        return z.Zeilenart == KbUeberschrift || z.Zeilenart == KbZwischensumme || z.Zeilenart == KbGesamt;
    };
    BuchungGrid = GridTabelle(this, Modell, "BuchungGrid", /*zeilen=*/true);
    BuchungGrid->installEventFilter(this);

    Label1 = new QLabel(QStringLiteral("Einnahmen"), this);
    EinLabel = new QLabel(this);
    EinLabel->setObjectName(QStringLiteral("EinLabel"));
    Label3 = new QLabel(QStringLiteral("Ausgaben"), this);
    AusLabel = new QLabel(this);
    AusLabel->setObjectName(QStringLiteral("AusLabel"));
    SaldotextLabel = new QLabel(QStringLiteral("Saldo (Gewinn)"), this);
    SaldotextLabel->setObjectName(QStringLiteral("SaldotextLabel"));
    SaldotextLabel->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Saldo (Verlust)")) + 2);
    SaldoLabel = new QLabel(this);
    SaldoLabel->setObjectName(QStringLiteral("SaldoLabel"));
    QFont fett = font();
    fett.setBold(true);
    for (QLabel* betrag : {EinLabel, AusLabel, SaldoLabel}) {
        betrag->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        betrag->setFont(fett);
        betrag->setMinimumWidth(QFontMetrics(fett).horizontalAdvance(QStringLiteral("-99.999.999,99")) + 4);
    }

    BitBtn4 = new QPushButton(QStringLiteral("&Drucken"), this);
    BitBtn4->setObjectName(QStringLiteral("BitBtn4"));
    VorschauBtn = new QPushButton(QStringLiteral("Druck&vorschau…"), this);
    VorschauBtn->setObjectName(QStringLiteral("VorschauBtn"));
    PdfBtn = new QPushButton(QStringLiteral("Als &PDF speichern…"), this);
    PdfBtn->setObjectName(QStringLiteral("PdfBtn"));
    AbbruchBtn = new QPushButton(QStringLiteral("Schließen"), this);
    AbbruchBtn->setObjectName(QStringLiteral("AbbruchBtn"));
    for (QPushButton* knopf : {BitBtn4, VorschauBtn, PdfBtn, AbbruchBtn}) knopf->setAutoDefault(false);
    Druck = new QtBerichtsdruck(bestand_, einstellungen_, uhr_, this);

    // Left: the choices; right: the sheet with the totals panel and the buttons below.
    auto* links = new QVBoxLayout;
    links->addWidget(KontenLabel);
    links->addWidget(KontoTreeView, 1);
    links->addWidget(ZeitLabel);
    links->addWidget(ZeitTreeView, 1);
    links->addWidget(SortiertRBtn);
    links->addWidget(ZwSummeChBox);
    links->addWidget(stornoChBox);

    // The totals panel on a line of its own, the buttons below it on the right.
    auto* summen = new QHBoxLayout;
    summen->addWidget(Label1);
    summen->addWidget(EinLabel);
    summen->addSpacing(6);
    summen->addWidget(new QLabel(QStringLiteral("-"), this));
    summen->addSpacing(6);
    summen->addWidget(Label3);
    summen->addWidget(AusLabel);
    summen->addSpacing(6);
    summen->addWidget(new QLabel(QStringLiteral("="), this));
    summen->addSpacing(6);
    summen->addWidget(SaldotextLabel);
    summen->addWidget(SaldoLabel);
    summen->addStretch(1);

    CsvBtn = CsvKnopf(this);
    connect(CsvBtn, &QPushButton::clicked, this, [this] {
        // The sheet as shown: its rows and the totals below them.
        Kontenblatt blatt;
        blatt.Tabelle = Modell->Daten();
        blatt.EinnahmenText = EinLabel->text().toStdString();
        blatt.AusgabenText = AusLabel->text().toStdString();
        blatt.SaldoBeschriftung = SaldotextLabel->text().toStdString();
        blatt.SaldoText = SaldoLabel->text().toStdString();
        CsvExportieren(this, windowTitle(), [&blatt](CsvAusgabe& aus) { KontenblattAusgeben(blatt, aus); });
    });
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch(1);
    knoepfe->addWidget(CsvBtn);
    knoepfe->addWidget(VorschauBtn);
    knoepfe->addWidget(PdfBtn);
    knoepfe->addWidget(BitBtn4);
    knoepfe->addWidget(AbbruchBtn);

    auto* rechts = new QVBoxLayout;
    rechts->addWidget(BuchungGrid, 1);
    rechts->addLayout(summen);
    rechts->addLayout(knoepfe);

    auto* ganz = new QHBoxLayout(this);
    ganz->setContentsMargins(6, 6, 6, 6);
    ganz->addLayout(links);
    ganz->addLayout(rechts, 1);

    // Keyboard order: the trees, the grouping, the options, the sheet, the buttons.
    setTabOrder(KontoTreeView, ZeitTreeView);
    setTabOrder(ZeitTreeView, SortiertKnopf[0]);
    setTabOrder(SortiertKnopf[0], ZwSummeChBox);
    setTabOrder(ZwSummeChBox, stornoChBox);
    setTabOrder(stornoChBox, BuchungGrid);
    setTabOrder(BuchungGrid, CsvBtn);
    setTabOrder(CsvBtn, VorschauBtn);
    setTabOrder(VorschauBtn, PdfBtn);
    setTabOrder(PdfBtn, BitBtn4);
    setTabOrder(BitBtn4, AbbruchBtn);
    setFocusProxy(KontoTreeView);

    BaeumeAufbauen();

    auto neu = [this] {
        if (!fuellen_) Berechnen();
    };
    connect(KontoTreeView, &QTreeWidget::currentItemChanged, this, neu);
    connect(ZeitTreeView, &QTreeWidget::currentItemChanged, this, neu);
    connect(SortiertGruppe, &QButtonGroup::idToggled, this, [this](int, bool an) {
        if (an) Berechnen();
    });
    connect(ZwSummeChBox, &QCheckBox::toggled, this, neu);
    connect(stornoChBox, &QCheckBox::toggled, this, neu);
    connect(BuchungGrid, &QTableView::doubleClicked, this, [this](const QModelIndex& i) { ZeileOeffnen(i.row()); });
    connect(AbbruchBtn, &QPushButton::clicked, this, &TKontenblattDlg::Schliessen);
    connect(BitBtn4, &QPushButton::clicked, this, [this] { Druck->Drucken(Druckanfrage()); });
    connect(VorschauBtn, &QPushButton::clicked, this, [this] { Druck->Vorschau(Druckanfrage()); });
    connect(PdfBtn, &QPushButton::clicked, this, [this] { Druck->PdfSpeichern(Druckanfrage()); });

    Berechnen();
    resize(900, 500);
}

TKontenblattDlg::~TKontenblattDlg() = default;

void TKontenblattDlg::BaeumeAufbauen() {
    const Auswahlknoten* altKonto = GewaehlterKnoten(KontoTreeView, kontoBaum_);
    const Auswahlknoten* altZeit = GewaehlterKnoten(ZeitTreeView, zeitBaum_);
    const std::optional<Auswahlknoten> kontoVorher = altKonto ? std::optional(*altKonto) : std::nullopt;
    const std::optional<Auswahlknoten> zeitVorher = altZeit ? std::optional(*altZeit) : std::nullopt;

    // The sheet's account tree is a flat list of the accounts the core offers for it.
    Auswahlbaum konten;
    for (const kontotyp& k : KontenblattKonten(bestand_)) {
        Auswahlknoten knoten;
        knoten.Text = k.Name;
        knoten.Konto = k;
        konten.Knoten.push_back(std::move(knoten));
    }
    konten.Gewaehlt = konten.Knoten.empty() ? -1 : 0;
    Auswahlbaum zeiten = ZeitBaum(bestand_, uhr_.Heute());
    konten.Gewaehlt = GleicherKnoten(konten, kontoVorher ? &*kontoVorher : nullptr, true);
    zeiten.Gewaehlt = GleicherKnoten(zeiten, zeitVorher ? &*zeitVorher : nullptr, false);

    fuellen_ = true;
    kontoBaum_ = std::move(konten);
    zeitBaum_ = std::move(zeiten);
    BaumFuellen(KontoTreeView, kontoBaum_);
    BaumFuellen(ZeitTreeView, zeitBaum_);
    fuellen_ = false;
}

KontenblattOptionen TKontenblattDlg::Optionen() const {
    KontenblattOptionen o;
    if (const Auswahlknoten* konto = GewaehlterKnoten(KontoTreeView, kontoBaum_)) o.Konto = konto->Konto.Nr;
    if (const Auswahlknoten* zeit = GewaehlterKnoten(ZeitTreeView, zeitBaum_)) o.Zeitraum = zeit->Zeitraum;
    const int gruppe = std::max(0, SortiertGruppe->checkedId());
    o.Gruppierung = static_cast<KontenblattGruppierung>(gruppe);
    o.Zwischensummen = ZwSummeChBox->isChecked();
    o.Stornierte = stornoChBox->isChecked();
    return o;
}

Berichtsanfrage TKontenblattDlg::Druckanfrage() const { return KontenblattDruck(bestand_, Optionen()); }

void TKontenblattDlg::Berechnen() {
    const KontenblattOptionen o = Optionen();
    // The grouping by number has no subtotals to switch.
    ZwSummeChBox->setEnabled(o.Gruppierung != KontenblattGruppierung::Buchungsnummer);

    Kontenblatt blatt = KontenblattAufbauen(bestand_, o);
    berechneterStand_ = BuchungsIndex(bestand_).Stand();

    EinLabel->setText(QString::fromStdString(blatt.EinnahmenText));
    TextFarbe(EinLabel, FarbeVon(*Modell, Farbklasse::Positiv));
    AusLabel->setText(QString::fromStdString(blatt.AusgabenText));
    TextFarbe(AusLabel, FarbeVon(*Modell, Farbklasse::Negativ));
    SaldotextLabel->setText(QString::fromStdString(blatt.SaldoBeschriftung));
    SaldoLabel->setText(QString::fromStdString(blatt.SaldoText));
    TextFarbe(SaldoLabel, FarbeVon(*Modell, blatt.SaldoFarbe));

    const QString titel = QString::fromStdString(blatt.Tabelle.Titel);
    Modell->Setzen(std::move(blatt.Tabelle));

    // Column widths from the texts they are made for, in the grouping's column order. Headings
    // stand in the first column and the section totals' captions in the text column; both
    // widen their column to show whole. The headings of the grouping by date are day texts,
    // which the date column holds anyway; they are many, so they are not measured one by one.
    const QFontMetrics m = BuchungGrid->fontMetrics();
    QFont fett = BuchungGrid->font();
    fett.setBold(true);
    const QFontMetrics mf(fett);
    int ueberschrift = 0, gesamt = 0;
    const Grid& g = Modell->Daten();
    for (const GridZeile& z : g.Zeilen) {
        if (z.Daten.Zeilenart == KbUeberschrift && !z.Zellen.empty() && o.Gruppierung != KontenblattGruppierung::Datum)
            ueberschrift = std::max(ueberschrift, mf.horizontalAdvance(QString::fromStdString(z.Zellen[0])) + 10);
        else if (z.Daten.Zeilenart == KbGesamt)
            gesamt = 1;
    }
    // The longest caption of a section total.
    if (gesamt) gesamt = mf.horizontalAdvance(QStringLiteral("Gesamt Umbuchungen")) + 10;
    int breiten[6] = {
        m.horizontalAdvance(QStringLiteral("9999  0000000  0")) + 8 + m.horizontalAdvance(QStringLiteral("99")),
        m.horizontalAdvance(QStringLiteral("31.12.99  ")) + 8,
        m.horizontalAdvance(QStringLiteral("sto.")) + 5,
        m.horizontalAdvance(QStringLiteral("   999.999,99")) + 8,
        std::max({105, m.horizontalAdvance(QStringLiteral("Buchungstext  ")), gesamt}),
        std::max(105, m.horizontalAdvance(QStringLiteral("Rubrik/Gegenkonto  "))),
    };
    for (int spalte = 0; spalte < 6; ++spalte) {
        const int logisch = std::clamp(blatt.Spalten[static_cast<size_t>(spalte)], 0, 5);
        const int breite = spalte == 0 ? std::max(breiten[logisch], std::min(ueberschrift, 260)) : breiten[logisch];
        BuchungGrid->setColumnWidth(spalte, breite);
    }
    BuchungGrid->horizontalHeader()->setStretchLastSection(true);

    setWindowTitle(titel);
    if (auto* rahmen = qobject_cast<QMdiSubWindow*>(parentWidget())) rahmen->setWindowTitle(titel);
}

bool TKontenblattDlg::ZeileOeffnen(int zeile) {
    const TGridDaten* daten = Modell->Zeile(zeile);
    if (!daten || daten->IdentNr <= 0) return false;
    // The whole booking number, as the row's descriptor carries it.
    const int32_t position = BuchungSuchenNr(bestand_, daten->IdentNr);
    if (position < 0) return false;
    if (BuchungZeigen) BuchungZeigen(position);
    return true;
}

void TKontenblattDlg::AnsichtAktualisieren(int art) {
    if (art != 1 && art != 2) return;
    BaeumeAufbauen();
    Berechnen();
}

void TKontenblattDlg::FallsGeaendert() {
    // Coming back to the sheet shows what changed meanwhile; unchanged bookings need no new sheet.
    if (BuchungsIndex(bestand_).Stand() == berechneterStand_) return;
    BaeumeAufbauen();
    Berechnen();
}

bool TKontenblattDlg::eventFilter(QObject* objekt, QEvent* ereignis) {
    if (objekt == BuchungGrid && ereignis->type() == QEvent::KeyPress) {
        auto* taste = static_cast<QKeyEvent*>(ereignis);
        if ((taste->key() == Qt::Key_Return || taste->key() == Qt::Key_Enter) && taste->modifiers() == Qt::NoModifier) {
            ZeileOeffnen(BuchungGrid->currentIndex().row());
            return true;
        }
    }
    return QWidget::eventFilter(objekt, ereignis);
}

void TKontenblattDlg::keyPressEvent(QKeyEvent* ereignis) {
    if (ereignis->key() == Qt::Key_Escape && ereignis->modifiers() == Qt::NoModifier) {
        Schliessen();
        return;
    }
    QWidget::keyPressEvent(ereignis);
}

void TKontenblattDlg::Schliessen() {
    if (auto* rahmen = qobject_cast<QMdiSubWindow*>(parentWidget()))
        rahmen->close();
    else
        close();
}

QMdiSubWindow* TKontenblattDlg::ImRahmen(TKontenblattDlg* dlg) {
    auto* rahmen = new QMdiSubWindow;
    rahmen->setWidget(dlg);
    rahmen->setAttribute(Qt::WA_DeleteOnClose);
    rahmen->setWindowTitle(dlg->windowTitle());
    rahmen->resize(dlg->size());
    QObject::connect(rahmen, &QMdiSubWindow::windowStateChanged, dlg,
                     [dlg](Qt::WindowStates alt, Qt::WindowStates neu) {
                         if ((neu & Qt::WindowActive) && !(alt & Qt::WindowActive)) dlg->FallsGeaendert();
                     });
    return rahmen;
}
