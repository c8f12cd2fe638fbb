#include "app/qtcsvexport.h"
#include "evaluation/trubriktabelledlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "evaluation/qtbaumhilfe.h"
#include "evaluation/qtgridmodell.h"
#include "printing/qtberichtsdruck.h"

using namespace talerwerk;

namespace {

// A radio group of two items side by side; the first is chosen.
QGroupBox* Zweiergruppe(QWidget* eltern, const QString& titel, const QString& eins, const QString& zwei,
                        QRadioButton*& erster, QRadioButton*& zweiter) {
    auto* gruppe = new QGroupBox(titel, eltern);
    auto* zeile = new QHBoxLayout(gruppe);
    erster = new QRadioButton(eins, gruppe);
    zweiter = new QRadioButton(zwei, gruppe);
    zeile->addWidget(erster);
    zeile->addWidget(zweiter);
    erster->setChecked(true);
    return gruppe;
}

bool IstWertzeile(int32_t art) {
    return art == RtAnfangsstand || art == RtEinnahmenGesamt || art == RtAusgabenGesamt || art == RtEndstand ||
           art == RtSaldo;
}

}  // namespace

TRubrikTabelleDlg::TRubrikTabelleDlg(Datenbestand& bestand, const Einstellungen& einstellungen, const Uhr& uhr,
                                     const QString& titel, Aufbau aufbau, Druckaufbau druckaufbau, bool mitZeitModus,
                                     QWidget* eltern)
    : QDialog(eltern),
      bestand_(bestand),
      einstellungen_(einstellungen),
      uhr_(uhr),
      aufbau_(aufbau),
      druckaufbau_(druckaufbau) {
    setWindowTitle(titel);

    KontenLabel = new QLabel(QStringLiteral("K&onten"), this);
    KontoTreeView = new QTreeWidget(this);
    KontoTreeView->setObjectName(QStringLiteral("KontoTreeView"));
    KontenLabel->setBuddy(KontoTreeView);
    Label2 = new QLabel(QStringLiteral("Zeit&raum"), this);
    ZeitTreeView = new QTreeWidget(this);
    ZeitTreeView->setObjectName(QStringLiteral("ZeitTreeView"));
    Label2->setBuddy(ZeitTreeView);
    for (QTreeWidget* baum : {KontoTreeView, ZeitTreeView}) {
        baum->setHeaderHidden(true);
        baum->setEditTriggers(QAbstractItemView::NoEditTriggers);
        baum->setSelectionMode(QAbstractItemView::SingleSelection);
        baum->setMinimumWidth(160);
    }

    if (mitZeitModus) {
        ZeitRBtn = Zweiergruppe(this, QStringLiteral("Spalten"), QStringLiteral("&monatlich"),
                                QStringLiteral("&jährlich"), MonatlichRBtn, JaehrlichRBtn);
        ZeitRBtn->setObjectName(QStringLiteral("ZeitRBtn"));
    }
    UnterrubrikChBox = new QCheckBox(QStringLiteral("&Unterrubriken einzeln"), this);
    UnterrubrikChBox->setObjectName(QStringLiteral("UnterrubrikChBox"));
    UnterrubrikChBox->setChecked(true);
    AnteilChBox = new QCheckBox(QStringLiteral("&Anteile in %"), this);
    AnteilChBox->setObjectName(QStringLiteral("AnteilChBox"));
    AnteilChBox->setChecked(true);
    AnzeigeRBtn = Zweiergruppe(this, QStringLiteral("Anzeige"), QStringLiteral("&lang"), QStringLiteral("&kurz"),
                               LangRBtn, KurzRBtn);
    AnzeigeRBtn->setObjectName(QStringLiteral("AnzeigeRBtn"));

    Label1 = new QLabel(QStringLiteral("&Übersicht"), this);
    Modell = new QtGridModell(einstellungen_, this);
    Modell->WerteRechts = true;
    BetragGrid = GridTabelle(this, Modell, "BetragGrid");
    Label1->setBuddy(BetragGrid);
    BetragGrid->horizontalHeader()->setDefaultSectionSize(85);
    BetragGrid->horizontalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    BetragGrid->setMinimumSize(420, 300);

    BitBtn4 = new QPushButton(QStringLiteral("&Drucken"), this);
    BitBtn4->setObjectName(QStringLiteral("BitBtn4"));
    VorschauBtn = new QPushButton(QStringLiteral("Druck&vorschau…"), this);
    VorschauBtn->setObjectName(QStringLiteral("VorschauBtn"));
    VorschauBtn->setAutoDefault(false);
    PdfBtn = new QPushButton(QStringLiteral("Als &PDF speichern…"), this);
    PdfBtn->setObjectName(QStringLiteral("PdfBtn"));
    PdfBtn->setAutoDefault(false);
    Druck = new QtBerichtsdruck(bestand_, einstellungen_, uhr_, this);
    connect(BitBtn4, &QPushButton::clicked, this, [this] { Druck->Drucken(Druckanfrage()); });
    connect(VorschauBtn, &QPushButton::clicked, this, [this] { Druck->Vorschau(Druckanfrage()); });
    connect(PdfBtn, &QPushButton::clicked, this, [this] { Druck->PdfSpeichern(Druckanfrage()); });
    CsvBtn = CsvKnopf(this);
    connect(CsvBtn, &QPushButton::clicked, this, [this] {
        CsvExportieren(this, windowTitle(), [this](CsvAusgabe& aus) { GridAusgeben(Modell->Daten(), aus); });
    });
    BitBtn3 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn3->setDefault(true);
    BitBtn4->setAutoDefault(false);
    connect(BitBtn3, &QPushButton::clicked, this, &QDialog::accept);

    auto* links = new QVBoxLayout;
    links->addWidget(KontenLabel);
    links->addWidget(KontoTreeView, 1);
    links->addWidget(Label2);
    links->addWidget(ZeitTreeView, 1);
    if (ZeitRBtn) links->addWidget(ZeitRBtn);
    links->addWidget(UnterrubrikChBox);
    links->addWidget(AnteilChBox);
    links->addWidget(AnzeigeRBtn);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch(1);
    knoepfe->addWidget(CsvBtn);
    knoepfe->addWidget(VorschauBtn);
    knoepfe->addWidget(PdfBtn);
    knoepfe->addWidget(BitBtn4);
    knoepfe->addWidget(BitBtn3);

    auto* rechts = new QVBoxLayout;
    rechts->addWidget(Label1);
    rechts->addWidget(BetragGrid, 1);
    rechts->addLayout(knoepfe);

    auto* ganz = new QHBoxLayout(this);
    ganz->addLayout(links);
    ganz->addLayout(rechts, 1);

    // Bold: headings whole, the balance and total rows in their value columns. Silver: the totals
    // column, and the balance rows across the value columns.
    Modell->Fett = [this](const TGridDaten& z, int spalte) {
        if (z.Zeilenart == RtEinnahmenKopf || z.Zeilenart == RtAusgabenKopf) return true;
        const int summen = summenSpalte_;
        return IstWertzeile(z.Zeilenart) && spalte >= 1 && spalte <= summen;
    };
    Modell->Hintergrund = [this](const TGridDaten& z, int spalte) -> std::optional<QColor> {
        const int summen = summenSpalte_;
        const bool bestand = z.Zeilenart == RtAnfangsstand || z.Zeilenart == RtEndstand || z.Zeilenart == RtSaldo;
        if (spalte == summen || (bestand && spalte >= 1 && spalte <= summen)) return QColor(0xC0, 0xC0, 0xC0);
        return std::nullopt;
    };

    auto neu = [this] {
        if (!fuellen_) Berechnen();
    };
    connect(KontoTreeView, &QTreeWidget::currentItemChanged, this, neu);
    connect(ZeitTreeView, &QTreeWidget::currentItemChanged, this, neu);
    connect(UnterrubrikChBox, &QCheckBox::toggled, this, neu);
    connect(AnteilChBox, &QCheckBox::toggled, this, neu);
    for (QRadioButton* knopf : {LangRBtn, KurzRBtn, MonatlichRBtn, JaehrlichRBtn})
        if (knopf) connect(knopf, &QRadioButton::toggled, this, [neu](bool an) {
                if (an) neu();
            });

    setTabOrder(KontoTreeView, ZeitTreeView);
    QWidget* vorher = ZeitTreeView;
    for (QWidget* w : std::initializer_list<QWidget*>{MonatlichRBtn, JaehrlichRBtn, UnterrubrikChBox, AnteilChBox,
                                                       LangRBtn, KurzRBtn, BetragGrid, CsvBtn, VorschauBtn, PdfBtn, BitBtn4,
                                                       BitBtn3}) {
        if (!w) continue;
        setTabOrder(vorher, w);
        vorher = w;
    }
    resize(820, 520);
}

void TRubrikTabelleDlg::Vorbereiten() {
    fuellen_ = true;
    kontoBaum_ = KontenBaum(bestand_);
    zeitBaum_ = ZeitBaum(bestand_, uhr_.Heute());
    BaumFuellen(KontoTreeView, kontoBaum_);
    BaumFuellen(ZeitTreeView, zeitBaum_);
    fuellen_ = false;
    Berechnen();
    // Wide enough for the table as it first comes up, as far as the screen allows.
    int breite = BetragGrid->frameWidth() * 2 + BetragGrid->verticalScrollBar()->sizeHint().width();
    for (int spalte = 0; spalte < Modell->columnCount(); ++spalte) breite += BetragGrid->columnWidth(spalte);
    const int links = KontoTreeView->sizeHint().width() + 40;
    const QRect bildschirm = screen() ? screen()->availableGeometry() : QRect(0, 0, 1024, 768);
    resize(std::clamp(links + breite, 820, std::max(820, bildschirm.width() - 40)), height());
    KontoTreeView->setFocus();
}

void TRubrikTabelleDlg::Ausfuehren() {
    Vorbereiten();
    exec();
}

Berichtsanfrage TRubrikTabelleDlg::Druckanfrage() const { return druckaufbau_(bestand_, Optionen()); }

RubrikTabellenOptionen TRubrikTabelleDlg::Optionen() const {
    RubrikTabellenOptionen o;
    const Auswahlknoten* konto = GewaehlterKnoten(KontoTreeView, kontoBaum_);
    o.Auswahl = konto ? konto->Konto.Nr : 0;
    if (const Auswahlknoten* zeit = GewaehlterKnoten(ZeitTreeView, zeitBaum_)) o.Zeitraum = zeit->Zeitraum;
    o.Unterrubriken = UnterrubrikChBox->isChecked();
    o.Anteile = AnteilChBox->isChecked();
    o.Kurz = KurzRBtn->isChecked();
    o.Jaehrlich = JaehrlichRBtn && JaehrlichRBtn->isChecked();
    o.Heute = uhr_.Heute();
    return o;
}

void TRubrikTabelleDlg::Berechnen() {
    RubrikTabelle tabelle = aufbau_(bestand_, Optionen());
    // A month has a single column: both radio groups have nothing to choose then.
    if (ZeitRBtn) ZeitRBtn->setEnabled(!tabelle.ModiGesperrt);
    AnzeigeRBtn->setEnabled(!tabelle.ModiGesperrt);

    summenSpalte_ = tabelle.SummenSpalte;
    const QString titel = QString::fromStdString(tabelle.Tabelle.Titel);
    Modell->Setzen(std::move(tabelle.Tabelle));

    SpaltenbreitenAnpassen(BetragGrid, *Modell, 140, 85);
    // Spacer rows are half as high as the others.
    const int hoehe = BetragGrid->verticalHeader()->defaultSectionSize();
    for (int zeile = 0; zeile < Modell->rowCount(); ++zeile)
        if (const TGridDaten* z = Modell->Zeile(zeile); z && z->Zeilenart == RtLeer)
            BetragGrid->setRowHeight(zeile, hoehe / 2);
    setWindowTitle(titel);
}
