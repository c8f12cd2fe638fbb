#include "evaluation/tgesentwdlg.h"

#include <QButtonGroup>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/qtcsvexport.h"
#include "evaluation/qtbaumhilfe.h"
#include "evaluation/qtgridmodell.h"
#include "evaluation/tdiagrammbild.h"
#include "printing/qtberichtsdruck.h"

using namespace talerwerk;

namespace {

QRadioButton* Knopf(QWidget* eltern, const char* name, const QString& text) {
    auto* k = new QRadioButton(text, eltern);
    k->setObjectName(QString::fromLatin1(name));
    return k;
}

}  // namespace

TGesEntwDlg::TGesEntwDlg(Datenbestand& bestand, const Einstellungen& einstellungen, Meldungen& meldungen,
                         const Uhr& uhr, QWidget* eltern)
    : QDialog(eltern), bestand_(bestand), einstellungen_(einstellungen), meldungen_(meldungen), uhr_(uhr) {
    setObjectName(QStringLiteral("GesEntwDlg"));
    setWindowTitle(QStringLiteral("Auswertung - Gesamtentwicklung"));

    KontenLabel = new QLabel(QStringLiteral("K&onten"), this);
    KontoTreeView = new QTreeWidget(this);
    KontoTreeView->setObjectName(QStringLiteral("KontoTreeView"));
    KontenLabel->setBuddy(KontoTreeView);
    ZeitLabel = new QLabel(QStringLiteral("Zeit&raum"), this);
    ZeitTreeView = new QTreeWidget(this);
    ZeitTreeView->setObjectName(QStringLiteral("ZeitTreeView"));
    ZeitLabel->setBuddy(ZeitTreeView);
    for (QTreeWidget* baum : {KontoTreeView, ZeitTreeView}) {
        baum->setHeaderHidden(true);
        baum->setEditTriggers(QAbstractItemView::NoEditTriggers);
        baum->setSelectionMode(QAbstractItemView::SingleSelection);
        baum->setMinimumWidth(150);
    }

    ZeitRBtn = new QGroupBox(QStringLiteral("Anzeige &Zeit"), this);
    ZeitRBtn->setObjectName(QStringLiteral("ZeitRBtn"));
    MonatlichRBtn = Knopf(ZeitRBtn, "MonatlichRBtn", QStringLiteral("&monatlich"));
    JaehrlichRBtn = Knopf(ZeitRBtn, "JaehrlichRBtn", QStringLiteral("&jährlich"));
    JaehrlichRBtn->setChecked(true);
    auto* zeit = new QVBoxLayout(ZeitRBtn);
    zeit->addWidget(MonatlichRBtn);
    zeit->addWidget(JaehrlichRBtn);

    // ---- page "Tabelle" ----
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    auto* tabelle = new QWidget;
    AnzeigeRBtn = new QGroupBox(tabelle);
    AnzeigeRBtn->setObjectName(QStringLiteral("AnzeigeRBtn"));
    KontostandRBtn = Knopf(AnzeigeRBtn, "KontostandRBtn", QStringLiteral("&Kontostand"));
    SaldoRBtn = Knopf(AnzeigeRBtn, "SaldoRBtn", QStringLiteral("&Saldo"));
    KontostandRBtn->setChecked(true);
    auto* anzeige = new QHBoxLayout(AnzeigeRBtn);
    anzeige->addWidget(KontostandRBtn);
    anzeige->addWidget(SaldoRBtn);
    HinweisLabel1 = new QLabel(tabelle);
    HinweisLabel1->setObjectName(QStringLiteral("HinweisLabel1"));
    Modell = new QtGridModell(einstellungen, this);
    Modell->WerteRechts = true;
    Modell->Fett = [](const TGridDaten& z, int spalte) { return z.Zeilenart == GeGesamt && spalte > 0; };
    Modell->Hintergrund = [](const TGridDaten& z, int spalte) -> std::optional<QColor> {
        if (z.Zeilenart == GeGesamt && spalte > 0) return QColor(0xC0, 0xC0, 0xC0);
        return std::nullopt;
    };
    KtostandGrid = GridTabelle(tabelle, Modell, "KtostandGrid");
    KtostandGrid->verticalHeader()->setDefaultSectionSize(std::max(18, fontMetrics().height() + 4));
    auto* tabellenSeite = new QVBoxLayout(tabelle);
    auto* kopf = new QHBoxLayout;
    kopf->addWidget(AnzeigeRBtn);
    kopf->addWidget(HinweisLabel1, 1);
    tabellenSeite->addLayout(kopf);
    tabellenSeite->addWidget(KtostandGrid, 1);
    PageControl1->addTab(tabelle, QStringLiteral("Tabelle"));

    // ---- page "Diagramm" ----
    auto* diagramm = new QWidget;
    Anzeige2RBtn = new QGroupBox(diagramm);
    Anzeige2RBtn->setObjectName(QStringLiteral("Anzeige2RBtn"));
    BeidesRBtn2 = Knopf(Anzeige2RBtn, "BeidesRBtn2", QStringLiteral("&Beides"));
    KontostandRBtn2 = Knopf(Anzeige2RBtn, "KontostandRBtn2", QStringLiteral("&Kontostand"));
    SaldoRBtn2 = Knopf(Anzeige2RBtn, "SaldoRBtn2", QStringLiteral("&Saldo"));
    BeidesRBtn2->setChecked(true);
    auto* anzeige2 = new QHBoxLayout(Anzeige2RBtn);
    anzeige2->addWidget(BeidesRBtn2);
    anzeige2->addWidget(KontostandRBtn2);
    anzeige2->addWidget(SaldoRBtn2);
    HinweisLabel2 = new QLabel(diagramm);
    HinweisLabel2->setObjectName(QStringLiteral("HinweisLabel2"));
    DiagrammImage = new TDiagrammBild(diagramm);
    SpeichernBtn = new QPushButton(QStringLiteral("Diagramm s&peichern..."), diagramm);
    SpeichernBtn->setObjectName(QStringLiteral("SpeichernBtn"));
    SpeichernBtn->setAutoDefault(false);
    auto* diagrammSeite = new QVBoxLayout(diagramm);
    auto* kopf2 = new QHBoxLayout;
    kopf2->addWidget(Anzeige2RBtn);
    kopf2->addWidget(HinweisLabel2, 1);
    kopf2->addWidget(SpeichernBtn);
    diagrammSeite->addLayout(kopf2);
    diagrammSeite->addWidget(DiagrammImage, 1);
    PageControl1->addTab(diagramm, QStringLiteral("Diagramm"));

    BitBtn4 = new QPushButton(QStringLiteral("&Drucken"), this);
    BitBtn4->setObjectName(QStringLiteral("BitBtn4"));
    VorschauBtn = new QPushButton(QStringLiteral("Druck&vorschau…"), this);
    VorschauBtn->setObjectName(QStringLiteral("VorschauBtn"));
    PdfBtn = new QPushButton(QStringLiteral("Als PD&F speichern…"), this);
    PdfBtn->setObjectName(QStringLiteral("PdfBtn"));
    for (QPushButton* knopf : {BitBtn4, VorschauBtn, PdfBtn}) knopf->setAutoDefault(false);
    // The printout is the table as shown (the chart is saved as a picture instead).
    Druck = new QtBerichtsdruck(bestand, einstellungen, uhr, this);
    auto anfrage = [this] { return GesamtentwicklungDruck(bestand_, optionen_, entwicklung_); };
    connect(BitBtn4, &QPushButton::clicked, this, [this, anfrage] { Druck->Drucken(anfrage()); });
    connect(VorschauBtn, &QPushButton::clicked, this, [this, anfrage] { Druck->Vorschau(anfrage()); });
    connect(PdfBtn, &QPushButton::clicked, this, [this, anfrage] { Druck->PdfSpeichern(anfrage()); });
    BitBtn3 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn3->setDefault(true);
    connect(BitBtn3, &QPushButton::clicked, this, &QDialog::accept);

    // Trees and the period choice on the left, the pages on the right, the buttons below.
    auto* links = new QVBoxLayout;
    links->addWidget(KontenLabel);
    links->addWidget(KontoTreeView, 1);
    links->addWidget(ZeitLabel);
    links->addWidget(ZeitTreeView, 1);
    links->addWidget(ZeitRBtn);
    auto* mitte = new QHBoxLayout;
    mitte->addLayout(links);
    mitte->addWidget(PageControl1, 1);
    CsvBtn = CsvKnopf(this);
    connect(CsvBtn, &QPushButton::clicked, this, [this] {
        CsvExportieren(this, windowTitle(), [this](CsvAusgabe& aus) { GridAusgeben(Modell->Daten(), aus); });
    });
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch(1);
    knoepfe->addWidget(CsvBtn);
    knoepfe->addWidget(VorschauBtn);
    knoepfe->addWidget(PdfBtn);
    knoepfe->addWidget(BitBtn4);
    setTabOrder(CsvBtn, VorschauBtn);
    setTabOrder(VorschauBtn, PdfBtn);
    setTabOrder(PdfBtn, BitBtn4);
    setTabOrder(BitBtn4, BitBtn3);
    knoepfe->addWidget(BitBtn3);
    auto* ganz = new QVBoxLayout(this);
    ganz->addLayout(mitte, 1);
    ganz->addLayout(knoepfe);

    auto neu = [this] {
        if (!fuellen_) Berechnen();
    };
    connect(KontoTreeView, &QTreeWidget::currentItemChanged, this, neu);
    connect(ZeitTreeView, &QTreeWidget::currentItemChanged, this, neu);
    for (QRadioButton* k : {MonatlichRBtn, JaehrlichRBtn, KontostandRBtn, SaldoRBtn})
        connect(k, &QRadioButton::toggled, this, [this, neu](bool an) {
            if (an) neu();
        });
    // The chart's choice only changes what is drawn of the same series.
    for (QRadioButton* k : {BeidesRBtn2, KontostandRBtn2, SaldoRBtn2})
        connect(k, &QRadioButton::toggled, this, [this](bool an) {
            if (!an) return;
            HinweisLabel2->setText(QString::fromStdString(DiagrammHinweis(Diagrammanzeige())));
            DiagrammImage->AnzeigeSetzen(Diagrammanzeige());
        });
    connect(SpeichernBtn, &QPushButton::clicked, this, &TGesEntwDlg::DiagrammSpeichernClick);

    setTabOrder(KontoTreeView, ZeitTreeView);
    setTabOrder(ZeitTreeView, MonatlichRBtn);
    setTabOrder(MonatlichRBtn, PageControl1);
    resize(820, 520);
}

DiagrammAnzeige TGesEntwDlg::Diagrammanzeige() const {
    if (KontostandRBtn2->isChecked()) return DiagrammAnzeige::Kontostand;
    if (SaldoRBtn2->isChecked()) return DiagrammAnzeige::Saldo;
    return DiagrammAnzeige::Beides;
}

void TGesEntwDlg::Vorbereiten() {
    fuellen_ = true;
    kontoBaum_ = KontenBaum(bestand_);
    zeitBaum_ = ZeitBaum(bestand_, uhr_.Heute(), true);
    BaumFuellen(KontoTreeView, kontoBaum_);
    BaumFuellen(ZeitTreeView, zeitBaum_);
    fuellen_ = false;
    Berechnen();
    KontoTreeView->setFocus();
}

void TGesEntwDlg::Ausfuehren() {
    Vorbereiten();
    exec();
}

void TGesEntwDlg::Berechnen() {
    GesamtentwicklungOptionen o;
    const Auswahlknoten* konto = GewaehlterKnoten(KontoTreeView, kontoBaum_);
    o.Auswahl = konto ? konto->Konto.Nr : 0;
    if (const Auswahlknoten* zeit = GewaehlterKnoten(ZeitTreeView, zeitBaum_)) o.Zeitraum = zeit->Zeitraum;
    else o.Zeitraum.Bezeichnung = "Gesamter Zeitraum";
    o.Jaehrlich = JaehrlichRBtn->isChecked();
    o.Saldo = SaldoRBtn->isChecked();
    o.Heute = uhr_.Heute();
    optionen_ = o;
    entwicklung_ = GesamtentwicklungAufbauen(bestand_, o);
    HinweisLabel1->setText(QString::fromStdString(entwicklung_.Hinweis));
    HinweisLabel2->setText(QString::fromStdString(DiagrammHinweis(Diagrammanzeige())));
    setWindowTitle(QString::fromStdString(entwicklung_.Tabelle.Titel));
    Modell->Setzen(entwicklung_.Tabelle);
    SpaltenbreitenAnpassen(KtostandGrid, *Modell, 100, 82);
    DiagrammImage->Setzen(entwicklung_, Diagrammanzeige(), FarbeAusEinstellung(einstellungen_.Positiv),
                          FarbeAusEinstellung(einstellungen_.Negativ), QString::fromStdString(bestand_.Mandant.Text4));
}

void TGesEntwDlg::DiagrammSpeichernClick() {
    const QString pfad = QFileDialog::getSaveFileName(this, QStringLiteral("Diagramm speichern"), QString(),
                                                      QStringLiteral("PNG-Bild (*.png);;SVG-Grafik (*.svg)"));
    if (!pfad.isEmpty()) DiagrammSpeichern(pfad);
}

bool TGesEntwDlg::DiagrammSpeichern(const QString& pfad) {
    if (DiagrammImage->Speichern(pfad)) return true;
    meldungen_.Fehler("Das Diagramm konnte nicht als \"" + pfad.toStdString() + "\" gespeichert werden.");
    return false;
}
