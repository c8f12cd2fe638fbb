#include "evaluation/tbuchguebersichtdlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "bookings/qtauswahlseiten.h"
#include "app/qtcsvexport.h"
#include "evaluation/qtgridmodell.h"
#include "printing/qtberichtsdruck.h"

using namespace talerwerk;

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

void Farbig(QLabel* label, const std::string& text, const QColor& farbe) {
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, farbe);
    label->setPalette(pal);
    label->setText(Q(text));
}

}  // namespace

TBuchgUebersichtDlg::TBuchgUebersichtDlg(Datenbestand& bestand, const Einstellungen& einstellungen,
                                         Meldungen& meldungen, const Uhr& uhr, QWidget* eltern)
    : QDialog(eltern), bestand_(bestand), einstellungen_(einstellungen),
      seiten_(new QtAuswahlseiten(bestand, meldungen, uhr, this)) {
    setObjectName(QStringLiteral("BuchgUebersichtDlg"));
    setWindowTitle(Q(UebersichtTitelAllgemein));

    PageControl1 = seiten_;
    KontoTreeView = seiten_->KontoTreeView;
    RubrikTreeView = seiten_->RubrikTreeView;
    MonatTreeView = seiten_->MonatTreeView;
    FilterTreeView = seiten_->FilterTreeView;
    FilterBearbBtn = seiten_->FilterBearbBtn;
    FilterNeuBtn = seiten_->FilterNeuBtn;
    stornoChBox = new QCheckBox(QStringLiteral("&stornierte Buchungen"), seiten_->AllgemeinSeite);
    stornoChBox->setObjectName(QStringLiteral("stornoChBox"));
    seiten_->AllgemeinLayout->addWidget(stornoChBox, 2, 0, 1, 3);

    SortiertRBtn = new QGroupBox(QStringLiteral("Gruppiert nach"), this);
    SortiertRBtn->setObjectName(QStringLiteral("SortiertRBtn"));
    auto* gruppen = new QHBoxLayout(SortiertRBtn);
    for (int i = 0; i < 4; ++i) {
        Gruppierung[i] = new QRadioButton(QString::fromUtf8(UebersichtGruppierungen[static_cast<size_t>(i)]), SortiertRBtn);
        Gruppierung[i]->setObjectName(QStringLiteral("SortiertRBtn%1").arg(i));
        gruppen->addWidget(Gruppierung[i]);
    }
    Gruppierung[0]->setChecked(true);
    ZwSummeChBox = new QCheckBox(QStringLiteral("Z&wischensummen"), this);
    ZwSummeChBox->setObjectName(QStringLiteral("ZwSummeChBox"));
    UnterrubrikChBox = new QCheckBox(QStringLiteral("Unterru&briken einzeln"), this);
    UnterrubrikChBox->setObjectName(QStringLiteral("UnterrubrikChBox"));
    UnterrubrikChBox->setChecked(true);
    UnterrubrikChBox->setEnabled(false);

    Modell = new QtGridModell(einstellungen, this);
    // Headings and the part subtotals bold; group subtotals on silver.
    Modell->Fett = [](const TGridDaten& z, int) {
        return z.Zeilenart == BuUeberschrift || (z.Zeilenart >= BuEinnGesamt && z.Zeilenart <= BuAusgReal);
    };
    Modell->Hintergrund = [](const TGridDaten& z, int) -> std::optional<QColor> {
        if (z.Zeilenart == BuZwischensumme) return QColor(0xC0, 0xC0, 0xC0);
        return std::nullopt;
    };
    BuchungGrid = GridTabelle(this, Modell, "BuchungGrid", true);
    BuchungGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    BuchungGrid->setMinimumSize(560, 200);

    EinLabel = new QLabel(this);
    EinLabel->setObjectName(QStringLiteral("EinLabel"));
    AusLabel = new QLabel(this);
    AusLabel->setObjectName(QStringLiteral("AusLabel"));
    SaldotextLabel = new QLabel(this);
    SaldotextLabel->setObjectName(QStringLiteral("SaldotextLabel"));
    SaldoLabel = new QLabel(this);
    SaldoLabel->setObjectName(QStringLiteral("SaldoLabel"));
    DruckBtn = new QPushButton(QStringLiteral("&Drucken"), this);
    DruckBtn->setObjectName(QStringLiteral("DruckBtn"));
    VorschauBtn = new QPushButton(QStringLiteral("Druck&vorschau…"), this);
    VorschauBtn->setObjectName(QStringLiteral("VorschauBtn"));
    PdfBtn = new QPushButton(QStringLiteral("Als &PDF speichern…"), this);
    PdfBtn->setObjectName(QStringLiteral("PdfBtn"));
    for (QPushButton* knopf : {DruckBtn, VorschauBtn, PdfBtn}) knopf->setAutoDefault(false);
    // The printout is the overview as shown, headed with the selections it was made from.
    Druck = new QtBerichtsdruck(bestand, einstellungen, uhr, this);
    connect(DruckBtn, &QPushButton::clicked, this, [this] { Druck->Drucken(BuchungsuebersichtDruck(uebersicht_)); });
    connect(VorschauBtn, &QPushButton::clicked, this,
            [this] { Druck->Vorschau(BuchungsuebersichtDruck(uebersicht_)); });
    connect(PdfBtn, &QPushButton::clicked, this,
            [this] { Druck->PdfSpeichern(BuchungsuebersichtDruck(uebersicht_)); });
    CsvBtn = CsvKnopf(this);
    connect(CsvBtn, &QPushButton::clicked, this, [this] {
        CsvExportieren(this, windowTitle(), [this](CsvAusgabe& aus) { UebersichtAusgeben(uebersicht_, aus); });
    });
    BitBtn3 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn3->setDefault(true);
    connect(BitBtn3, &QPushButton::clicked, this, &QDialog::accept);

    auto* optionen = new QHBoxLayout;
    optionen->addWidget(SortiertRBtn);
    auto* haken = new QVBoxLayout;
    haken->addWidget(ZwSummeChBox);
    haken->addWidget(UnterrubrikChBox);
    optionen->addLayout(haken);
    optionen->addStretch(1);

    auto* summen = new QHBoxLayout;
    summen->addWidget(new QLabel(QStringLiteral("Einnahmen"), this));
    summen->addWidget(EinLabel);
    summen->addWidget(new QLabel(QStringLiteral("−  Ausgaben"), this));
    summen->addWidget(AusLabel);
    summen->addWidget(new QLabel(QStringLiteral("="), this));
    summen->addWidget(SaldotextLabel);
    summen->addWidget(SaldoLabel);
    summen->addStretch(1);
    summen->addWidget(CsvBtn);
    summen->addWidget(VorschauBtn);
    summen->addWidget(PdfBtn);
    summen->addWidget(DruckBtn);
    setTabOrder(CsvBtn, VorschauBtn);
    setTabOrder(VorschauBtn, PdfBtn);
    setTabOrder(PdfBtn, DruckBtn);
    summen->addWidget(BitBtn3);

    auto* ganz = new QVBoxLayout(this);
    ganz->addWidget(seiten_);
    ganz->addLayout(optionen);
    ganz->addWidget(BuchungGrid, 1);
    ganz->addLayout(summen);

    auto neu = [this] { UebersichtAktualisieren(false, false, false, false); };
    connect(seiten_, &QtAuswahlseiten::AuswahlGeaendert, this, neu);
    connect(seiten_, &QTabWidget::currentChanged, this, neu);
    connect(stornoChBox, &QCheckBox::toggled, this, neu);
    connect(ZwSummeChBox, &QCheckBox::toggled, this, neu);
    connect(UnterrubrikChBox, &QCheckBox::toggled, this, neu);
    for (QRadioButton* k : Gruppierung)
        connect(k, &QRadioButton::toggled, this, [this, neu](bool an) {
            if (!an) return;
            UnterrubrikChBox->setEnabled(GruppierungsIndex() == static_cast<int>(UebersichtGruppierung::Rubrik));
            neu();
        });
    resize(760, 560);
}

int TBuchgUebersichtDlg::GruppierungsIndex() const {
    for (int i = 0; i < 4; ++i)
        if (Gruppierung[i]->isChecked()) return i;
    return 0;
}

void TBuchgUebersichtDlg::Vorbereiten() {
    aufgebaut_ = true;
    UebersichtAktualisieren(true, true, true, true);
    BuchungGrid->setFocus();
}

void TBuchgUebersichtDlg::Ausfuehren() {
    Vorbereiten();
    exec();
}

void TBuchgUebersichtDlg::UebersichtAktualisieren(bool konten, bool rubriken, bool filter, bool zeitraeume) {
    if (!aufgebaut_) return;
    seiten_->BaeumeAufbauen(konten, rubriken, filter, zeitraeume);
    Fuellen();
}

void TBuchgUebersichtDlg::Fuellen() {
    UebersichtOptionen o;
    o.Abfrage = seiten_->Abfrage();
    if (seiten_->SucheAktiv()) {
        o.Titel = UebersichtTitelSuche;
        o.Druckkopf = UebersichtKopfFilter(seiten_->FilterName(), o.Abfrage);
    } else {
        // The check box decides on cancelled bookings; the trees know nothing of them.
        o.Abfrage.StornoAuswahl = stornoChBox->isChecked() ? StornoAlle : StornoOhne;
        auto text = [](const Auswahlknoten* k) { return k ? k->Text : std::string(); };
        o.Druckkopf = UebersichtKopfAllgemein(text(seiten_->KontoKnoten()), text(seiten_->RubrikKnoten()),
                                              text(seiten_->ZeitKnoten()));
    }
    o.Gruppierung = static_cast<UebersichtGruppierung>(GruppierungsIndex());
    o.Zwischensummen = ZwSummeChBox->isChecked();
    o.Unterrubriken = UnterrubrikChBox->isChecked();
    uebersicht_ = BuchungsuebersichtAufbauen(bestand_, o);
    setWindowTitle(Q(uebersicht_.Tabelle.Titel));

    // The grid keeps the user's column widths while the columns stay the same.
    const bool neueSpalten = Modell->Daten().Kopf != uebersicht_.Tabelle.Kopf;
    // The view makes only the rows it shows; the copy in the function shares the overview's rows.
    Modell->Setzen(
        uebersicht_.Tabelle, [u = uebersicht_](size_t i) { return u.Zeile(i); }, uebersicht_.Zeilenzahl());
    if (neueSpalten) {
        const QFontMetrics m(BuchungGrid->font());
        for (int s = 0; s < 7; ++s) {
            int breite = 105;
            switch (uebersicht_.Spalten[static_cast<size_t>(s)]) {
            case BuNummer: breite = m.horizontalAdvance(QStringLiteral("9999 90000000  0")) + 8; break;
            case BuDatum: breite = m.horizontalAdvance(QStringLiteral("31.12.99  ")) + 8; break;
            case BuStorno: breite = m.horizontalAdvance(QStringLiteral("sto.")) + 5 + 8; break;
            case BuBetrag: breite = m.horizontalAdvance(QStringLiteral("   999.999,99")) + 8; break;
            default: break;
            }
            BuchungGrid->setColumnWidth(s, breite);
        }
    }

    const QColor positiv = FarbeAusEinstellung(einstellungen_.Positiv);
    const QColor negativ = FarbeAusEinstellung(einstellungen_.Negativ);
    Farbig(EinLabel, uebersicht_.EinnahmenText, positiv);
    Farbig(AusLabel, uebersicht_.AusgabenText, negativ);
    SaldotextLabel->setText(Q(uebersicht_.SaldoBeschriftung));
    Farbig(SaldoLabel, uebersicht_.SaldoText, uebersicht_.SaldoFarbe == Farbklasse::Negativ ? negativ : positiv);
}
