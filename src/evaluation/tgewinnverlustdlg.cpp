#include "app/qtcsvexport.h"
#include "evaluation/tgewinnverlustdlg.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "evaluation/gewinnverlust.h"
#include "evaluation/qtbaumhilfe.h"
#include "evaluation/qtgridmodell.h"
#include "printing/qtberichtsdruck.h"

using namespace talerwerk;

TGewinnVerlustDlg::TGewinnVerlustDlg(Datenbestand& bestand, const Einstellungen& einstellungen, const Uhr& uhr,
                                     QWidget* eltern)
    : QDialog(eltern), bestand_(bestand), uhr_(uhr) {
    setObjectName(QStringLiteral("GewinnVerlustDlg"));
    setWindowTitle(QStringLiteral("Einnahmen-Ausgaben-Übersicht"));

    Label1 = new QLabel(QStringLiteral("Einnahmen-Ausgaben-&Übersicht"), this);
    Modell = new QtGridModell(einstellungen, this);
    Modell->WerteRechts = true;
    // The balances are bold in every row but the transfers; income and expenses in the two totals.
    Modell->Fett = [](const TGridDaten& z, int spalte) {
        if (spalte == GvEinnahmen || spalte == GvAusgaben) return z.Zeilenart == GvGesamt || z.Zeilenart == GvGesamtReal;
        return spalte != 0 && z.Zeilenart != GvUmbuchungen;
    };
    Modell->Hintergrund = [](const TGridDaten&, int spalte) -> std::optional<QColor> {
        if (spalte == 0) return QColor(0xC0, 0xC0, 0xC0);
        return std::nullopt;
    };
    BetragGrid = GridTabelle(this, Modell, "BetragGrid");
    Label1->setBuddy(BetragGrid);
    BetragGrid->horizontalHeader()->setDefaultSectionSize(82);
    BetragGrid->horizontalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    BetragGrid->setMinimumSize(540, 200);

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
        baum->setMinimumHeight(140);
    }

    DruckBtn = new QPushButton(QStringLiteral("&Drucken"), this);
    DruckBtn->setObjectName(QStringLiteral("DruckBtn"));
    DruckBtn->setAutoDefault(false);
    VorschauBtn = new QPushButton(QStringLiteral("Druck&vorschau…"), this);
    VorschauBtn->setObjectName(QStringLiteral("VorschauBtn"));
    VorschauBtn->setAutoDefault(false);
    PdfBtn = new QPushButton(QStringLiteral("Als &PDF speichern…"), this);
    PdfBtn->setObjectName(QStringLiteral("PdfBtn"));
    PdfBtn->setAutoDefault(false);
    Druck = new QtBerichtsdruck(bestand_, einstellungen, uhr_, this);
    connect(DruckBtn, &QPushButton::clicked, this, [this] { Druck->Drucken(Druckanfrage()); });
    connect(VorschauBtn, &QPushButton::clicked, this, [this] { Druck->Vorschau(Druckanfrage()); });
    connect(PdfBtn, &QPushButton::clicked, this, [this] { Druck->PdfSpeichern(Druckanfrage()); });
    CsvBtn = CsvKnopf(this);
    connect(CsvBtn, &QPushButton::clicked, this, [this] {
        CsvExportieren(this, windowTitle(), [this](CsvAusgabe& aus) { GridAusgeben(Modell->Daten(), aus); });
    });
    BitBtn3 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn3->setDefault(true);
    connect(BitBtn3, &QPushButton::clicked, this, &QDialog::accept);

    // The table on top, the two trees side by side below it, the buttons at the bottom.
    auto* baeume = new QHBoxLayout;
    auto* kontoSpalte = new QVBoxLayout;
    kontoSpalte->addWidget(KontenLabel);
    kontoSpalte->addWidget(KontoTreeView, 1);
    auto* zeitSpalte = new QVBoxLayout;
    zeitSpalte->addWidget(Label2);
    zeitSpalte->addWidget(ZeitTreeView, 1);
    baeume->addLayout(kontoSpalte, 1);
    baeume->addLayout(zeitSpalte, 1);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch(1);
    knoepfe->addWidget(CsvBtn);
    knoepfe->addWidget(VorschauBtn);
    knoepfe->addWidget(PdfBtn);
    knoepfe->addWidget(DruckBtn);
    knoepfe->addWidget(BitBtn3);

    auto* ganz = new QVBoxLayout(this);
    ganz->addWidget(Label1);
    ganz->addWidget(BetragGrid, 2);
    ganz->addLayout(baeume, 1);
    ganz->addLayout(knoepfe);

    auto neu = [this] {
        if (!fuellen_) Berechnen();
    };
    connect(KontoTreeView, &QTreeWidget::currentItemChanged, this, neu);
    connect(ZeitTreeView, &QTreeWidget::currentItemChanged, this, neu);

    setTabOrder(KontoTreeView, ZeitTreeView);
    setTabOrder(ZeitTreeView, BetragGrid);
    setTabOrder(BetragGrid, CsvBtn);
    setTabOrder(CsvBtn, VorschauBtn);
    setTabOrder(VorschauBtn, PdfBtn);
    setTabOrder(PdfBtn, DruckBtn);
    setTabOrder(DruckBtn, BitBtn3);
    resize(660, 500);
}

void TGewinnVerlustDlg::Vorbereiten() {
    fuellen_ = true;
    kontoBaum_ = KontenBaum(bestand_);
    zeitBaum_ = ZeitBaum(bestand_, uhr_.Heute());
    BaumFuellen(KontoTreeView, kontoBaum_);
    BaumFuellen(ZeitTreeView, zeitBaum_);
    fuellen_ = false;
    Berechnen();
    KontoTreeView->setFocus();
}

void TGewinnVerlustDlg::Ausfuehren() {
    Vorbereiten();
    exec();
}

GewinnVerlustOptionen TGewinnVerlustDlg::Optionen() const {
    GewinnVerlustOptionen o;
    const Auswahlknoten* konto = GewaehlterKnoten(KontoTreeView, kontoBaum_);
    o.Auswahl = konto ? konto->Konto.Nr : 0;
    if (const Auswahlknoten* zeit = GewaehlterKnoten(ZeitTreeView, zeitBaum_)) o.Zeitraum = zeit->Zeitraum;
    return o;
}

Berichtsanfrage TGewinnVerlustDlg::Druckanfrage() const { return EinnahmenAusgabenDruck(bestand_, Optionen()); }

void TGewinnVerlustDlg::Berechnen() {
    Grid grid = GewinnVerlustAufbauen(bestand_, Optionen());
    const QString titel = QString::fromStdString(grid.Titel);
    Modell->Setzen(std::move(grid));
    SpaltenbreitenAnpassen(BetragGrid, *Modell, 100, 82);
    setWindowTitle(titel);
}
