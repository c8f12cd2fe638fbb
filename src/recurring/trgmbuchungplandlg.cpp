#include "app/qtcsvexport.h"
#include "recurring/trgmbuchungplandlg.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "bookings/kontosuche.h"
#include "bookings/qtbuchungsart.h"
#include "recurring/qtmonatsliste.h"
#include "recurring/trgmbuchungdatdlg.h"
#include "recurring/tzeitraumdlg.h"
#include "store/datum.h"

using namespace talerwerk;

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

TrgmBuchungPlanDlg::TrgmBuchungPlanDlg(Datenbestand& d, const Einstellungen& einstellungen, Meldungen& meldungen,
                                       const Uhr& uhr, Zufall& zufall, QWidget* eltern)
    : QDialog(eltern), d_(d), einstellungen_(einstellungen), meldungen_(meldungen), uhr_(uhr), zufall_(zufall) {
    setObjectName(QStringLiteral("rgmBuchungPlanDlg"));
    setWindowTitle(QStringLiteral("Regelmäßige Buchungen"));
    editor_ = new TrgmBuchungDatDlg(d_, einstellungen_, meldungen_, this);
    zeitraum_ = new TZeitraumDlg(meldungen_, this);
    Editor = [this](buchungstyp& satz) { return editor_->Bearbeiten(satz); };
    ZeitraumFragen = [this](int32_t& tage, bool& vorgabe) { return zeitraum_->Ausfuehren(tage, vorgabe); };
    Aufbauen();
    letzteSeite_ = ListeTabsheet;
}

TrgmBuchungPlanDlg::~TrgmBuchungPlanDlg() = default;

void TrgmBuchungPlanDlg::Aufbauen() {
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));

    // ---- page "Liste" ----
    ListeTabsheet = new QWidget;
    ListeTabsheet->setObjectName(QStringLiteral("ListeTabsheet"));
    Outline1 = new QTreeWidget(ListeTabsheet);
    Outline1->setObjectName(QStringLiteral("Outline1"));
    Outline1->setHeaderHidden(true);
    Outline1->setContextMenuPolicy(Qt::CustomContextMenu);
    VorlLabel = new QLabel(QStringLiteral("&Regelmäßige Buchungen"), ListeTabsheet);
    VorlLabel->setBuddy(Outline1);
    BearbeitenBtn = new QPushButton(QStringLiteral("&Bearbeiten"), ListeTabsheet);
    BearbeitenBtn->setObjectName(QStringLiteral("BearbeitenBtn"));
    NeuBtn = new QPushButton(QStringLiteral("&Neu"), ListeTabsheet);
    NeuBtn->setObjectName(QStringLiteral("NeuBtn"));
    LoeschBtn = new QPushButton(QStringLiteral("&Löschen"), ListeTabsheet);
    LoeschBtn->setObjectName(QStringLiteral("LoeschBtn"));
    AbbruchBtn = new QPushButton(QStringLiteral("&Schließen"), ListeTabsheet);
    AbbruchBtn->setObjectName(QStringLiteral("AbbruchBtn"));
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    QAction* popupBearbeiten = PopupMenu1->addAction(QStringLiteral("Bearbeiten"), this, [this] { BearbeitenBtnClick(); });
    QAction* popupNeu = PopupMenu1->addAction(QStringLiteral("Neu"), this, [this] { NeuBtnClick(); });
    QAction* popupLoeschen = PopupMenu1->addAction(QStringLiteral("Löschen"), this, [this] { LoeschBtnClick(); });
    connect(Outline1, &QWidget::customContextMenuRequested, this, [=, this](const QPoint& p) {
        popupBearbeiten->setEnabled(BearbeitenBtn->isEnabled());
        popupNeu->setEnabled(NeuBtn->isEnabled());
        popupLoeschen->setEnabled(LoeschBtn->isEnabled());
        PopupMenu1->popup(Outline1->viewport()->mapToGlobal(p));
    });

    Panel1 = new QFrame(ListeTabsheet);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::StyledPanel);
    Panel1->setFrameShadow(QFrame::Sunken);
    auto label = [this](const char* name, const QString& text = {}) {
        auto* l = new QLabel(text, Panel1);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    BArtLabel = label("BArtLabel");
    QFont fett = BArtLabel->font();
    fett.setBold(true);
    BArtLabel->setFont(fett);
    Text1Label = label("Text1Label", QStringLiteral("Konto1"));
    Konto1Label = label("Konto1Label");
    Text2Label = label("Text2Label", QStringLiteral("Rubrik"));
    Konto2Label = label("Konto2Label");
    Label2 = label("Label2", QStringLiteral("Betrag"));
    BetragLabel = label("BetragLabel");
    Label3 = label("Label3", QStringLiteral("Buchg.-Text"));
    TextLabel = label("TextLabel");
    Label1 = label("Label1", QStringLiteral("fällig am:"));
    FaelligLabel = label("FaelligLabel");
    MonatsListBox = MonatslisteAnlegen(Panel1, false);
    auto* vorschau = new QGridLayout(Panel1);
    vorschau->addWidget(BArtLabel, 0, 0, 1, 2);
    int z = 1;
    for (auto [links, rechts] : {std::pair{Text1Label, Konto1Label}, std::pair{Text2Label, Konto2Label},
                                 std::pair{Label2, BetragLabel}, std::pair{Label3, TextLabel},
                                 std::pair{Label1, FaelligLabel}}) {
        vorschau->addWidget(links, z, 0);
        vorschau->addWidget(rechts, z++, 1);
    }
    vorschau->addWidget(MonatsListBox, z++, 0, 1, 2);
    vorschau->setRowStretch(z, 1);
    vorschau->setColumnStretch(1, 1);

    auto* listeKnoepfe = new QVBoxLayout;
    for (QPushButton* k : {BearbeitenBtn, NeuBtn, LoeschBtn}) listeKnoepfe->addWidget(k);
    listeKnoepfe->addStretch();
    listeKnoepfe->addWidget(AbbruchBtn);
    auto* listeLinks = new QVBoxLayout;
    listeLinks->addWidget(VorlLabel);
    listeLinks->addWidget(Outline1);
    auto* liste = new QHBoxLayout(ListeTabsheet);
    liste->addLayout(listeLinks, 1);
    liste->addWidget(Panel1, 1);
    liste->addLayout(listeKnoepfe);
    PageControl1->addTab(ListeTabsheet, QStringLiteral("Liste"));

    connect(Outline1, &QTreeWidget::currentItemChanged, this, [this] { ListeGeaendert(); });
    connect(Outline1, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* e) { Doppelklick(e); });
    connect(BearbeitenBtn, &QPushButton::clicked, this, [this] { BearbeitenBtnClick(); });
    connect(NeuBtn, &QPushButton::clicked, this, [this] { NeuBtnClick(); });
    connect(LoeschBtn, &QPushButton::clicked, this, [this] { LoeschBtnClick(); });
    connect(AbbruchBtn, &QPushButton::clicked, this, &QDialog::reject);

    // ---- page "Fällige Buchungen" ----
    BuchgTabSheet = new QWidget;
    BuchgTabSheet->setObjectName(QStringLiteral("BuchgTabSheet"));
    Label4 = new QLabel(QStringLiteral("akt. Datum"), BuchgTabSheet);
    aktDatumLabel = new QLabel(BuchgTabSheet);
    aktDatumLabel->setObjectName(QStringLiteral("aktDatumLabel"));
    Label5 = new QLabel(QStringLiteral("letztes Fälligkeitsdatum"), BuchgTabSheet);
    letztesDatumLabel = new QLabel(BuchgTabSheet);
    letztesDatumLabel->setObjectName(QStringLiteral("letztesDatumLabel"));
    SpeedButton1 = new QToolButton(BuchgTabSheet);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setText(QStringLiteral("…"));
    SpeedButton1->setToolTip(QStringLiteral("Anzeigezeitraum ändern"));
    AnzLabel = new QLabel(QStringLiteral("&Anzeigezeitraum"), BuchgTabSheet);
    AnzLabel->setBuddy(SpeedButton1);
    ZeitraumLabel = new QLabel(BuchgTabSheet);
    ZeitraumLabel->setObjectName(QStringLiteral("ZeitraumLabel"));
    for (QLabel* l : {aktDatumLabel, letztesDatumLabel, ZeitraumLabel}) {
        l->setFrameShape(QFrame::StyledPanel);
        l->setFrameShadow(QFrame::Sunken);
        l->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00.00.00000")));
    }
    ListView1 = new QTreeWidget(BuchgTabSheet);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setAllColumnsShowFocus(true);
    QStringList koepfe;
    for (const std::string& k : FaelligeKoepfe()) koepfe << Q(k);
    ListView1->setHeaderLabels(koepfe);
    const int breiten[5] = {120, 100, 70, 95, 95};
    for (int i = 0; i < 5; ++i) ListView1->setColumnWidth(i, breiten[i] * 6 / 5);
    ListView1->headerItem()->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    ListView1->headerItem()->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    ListView1->header()->setSectionsClickable(true);
    ListView1->header()->setSortIndicatorShown(false);
    connect(ListView1->header(), &QHeaderView::sectionClicked, this, [this](int s) { SpalteSortieren(s); });
    connect(ListView1, &QTreeWidget::itemSelectionChanged, this, [this] { AusfuehrKnoepfe(); });
    connect(ListView1, &QTreeWidget::itemDoubleClicked, this, [this] { AusfuehrenBtnClick(); });
    LeerLabel = new QLabel(BuchgTabSheet);
    LeerLabel->setObjectName(QStringLiteral("LeerLabel"));
    LeerLabel->setAlignment(Qt::AlignCenter);
    LeerLabel->hide();
    AusfuehrenBtn = new QPushButton(QStringLiteral("&Ausführen"), BuchgTabSheet);
    AusfuehrenBtn->setObjectName(QStringLiteral("AusfuehrenBtn"));
    AlleAusfuehrenBtn = new QPushButton(QStringLiteral("A&lle Ausführen"), BuchgTabSheet);
    AlleAusfuehrenBtn->setObjectName(QStringLiteral("AlleAusfuehrenBtn"));
    BitBtn1 = new QPushButton(QStringLiteral("&Schließen"), BuchgTabSheet);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    connect(AusfuehrenBtn, &QPushButton::clicked, this, [this] { AusfuehrenBtnClick(); });
    connect(AlleAusfuehrenBtn, &QPushButton::clicked, this, [this] { AlleAusfuehrenBtnClick(); });
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });

    auto* kopf = new QGridLayout;
    kopf->addWidget(Label4, 0, 0);
    kopf->addWidget(aktDatumLabel, 0, 1);
    kopf->addWidget(Label5, 1, 0);
    kopf->addWidget(letztesDatumLabel, 1, 1);
    kopf->addWidget(AnzLabel, 0, 3);
    auto* zeitraum = new QHBoxLayout;
    zeitraum->addWidget(ZeitraumLabel);
    zeitraum->addWidget(SpeedButton1);
    kopf->addLayout(zeitraum, 0, 4);
    kopf->setColumnStretch(2, 1);
    CsvBtn = CsvKnopf(BuchgTabSheet);
    connect(CsvBtn, &QPushButton::clicked, this, [this] {
        CsvExportieren(this, QStringLiteral("Fällige Buchungen"),
                       [this](CsvAusgabe& aus) { FaelligeAusgeben(zeilen_, aus); });
    });
    auto* faelligKnoepfe = new QHBoxLayout;
    faelligKnoepfe->addWidget(CsvBtn);
    faelligKnoepfe->addStretch();
    for (QPushButton* k : {AusfuehrenBtn, AlleAusfuehrenBtn, BitBtn1}) faelligKnoepfe->addWidget(k);
    auto* faellig = new QVBoxLayout(BuchgTabSheet);
    faellig->addLayout(kopf);
    faellig->addWidget(ListView1, 1);
    faellig->addWidget(LeerLabel);
    faellig->addLayout(faelligKnoepfe);
    PageControl1->addTab(BuchgTabSheet, QStringLiteral("Fällige Buchungen"));

    connect(PageControl1, &QTabWidget::currentChanged, this, [this] {
        letzteSeite_ = PageControl1->currentWidget();
        // "&Ausführen" is the default button of the due page only.
        AusfuehrenBtn->setDefault(letzteSeite_ == BuchgTabSheet);
        if (letzteSeite_ == BuchgTabSheet && verwaltung_) FaelligeBerechnen();
        (letzteSeite_ == BuchgTabSheet ? static_cast<QWidget*>(ListView1) : Outline1)->setFocus();
    });

    auto* aussen = new QVBoxLayout(this);
    aussen->addWidget(PageControl1);
    resize(640, 400);
}

// ---- opening and closing ----

bool TrgmBuchungPlanDlg::Oeffnen(bool immer, int& anzahl) {
    heute_ = uhr_.Heute();
    tage_ = ZeitraumBegrenzt(d_.Mandant.Zahl1);
    verwaltung_ = std::make_unique<RgmVerwaltung>(d_);
    BaumAufbauen();
    FaelligeBerechnen();
    anzahl = static_cast<int>(zeilen_.size());
    if (!immer) {
        if (zeilen_.empty()) {
            verwaltung_.reset();
            if (einstellungen_.rgmBuchung2) meldungen_.Information(MeldungNichtsFaellig);
            return false;
        }
        letzteSeite_ = BuchgTabSheet;
    }
    aktDatumLabel->setText(Q(DatumKurzText(heute_)));
    letztesDatumLabel->setText(Q(DatumKurzText(LetztesFaelligkeitsdatum(heute_, tage_))));
    ZeitraumLabel->setText(QString::number(tage_));
    {
        const QSignalBlocker sperre(PageControl1);
        PageControl1->setCurrentWidget(letzteSeite_);
    }
    AusfuehrenBtn->setDefault(letzteSeite_ == BuchgTabSheet);
    ListeGeaendert(false);  // the due list was just computed
    // The page shown takes the keys: its list has the focus.
    if (letzteSeite_ == BuchgTabSheet) ListView1->setFocus();
    return true;
}

int TrgmBuchungPlanDlg::FaelligeRgmPruefen(bool immer) {
    int anzahl = 0;
    if (Oeffnen(immer, anzahl)) exec();
    return anzahl;
}

void TrgmBuchungPlanDlg::done(int ergebnis) {
    // Whatever closed the window: the list goes back into the store, in tree order.
    if (verwaltung_) {
        verwaltung_->Uebernehmen();
        verwaltung_.reset();
    }
    zeilen_.clear();
    QDialog::done(ergebnis);
}

// ---- list page ----

void TrgmBuchungPlanDlg::BaumAufbauen() {
    const QSignalBlocker sperre(Outline1);
    Outline1->clear();
    wurzel_ = new QTreeWidgetItem(Outline1, QStringList{QStringLiteral("Regelmäßige Buchung")});
    for (const buchungstyp& r : verwaltung_->Eintraege()) new QTreeWidgetItem(wurzel_, QStringList{Q(r.Bezeichnung)});
    wurzel_->setExpanded(true);
    Outline1->setCurrentItem(wurzel_);
}

int TrgmBuchungPlanDlg::Gewaehlt() const {
    QTreeWidgetItem* e = Outline1->currentItem();
    if (!e || e == wurzel_ || !wurzel_) return -1;
    return wurzel_->indexOfChild(e);
}

void TrgmBuchungPlanDlg::ListeGeaendert(bool faelligeNeu) {
    if (!verwaltung_) return;
    Vorschau();
    const bool eintrag = Gewaehlt() >= 0;
    BearbeitenBtn->setEnabled(eintrag);
    LoeschBtn->setEnabled(eintrag);
    NeuBtn->setEnabled(verwaltung_->NeuMoeglich());
    if (PageControl1->currentWidget() == ListeTabsheet) Outline1->setFocus();
    if (faelligeNeu) FaelligeBerechnen();
}

void TrgmBuchungPlanDlg::Vorschau() {
    const int i = Gewaehlt();
    if (i < 0) {
        for (QLabel* l : {BArtLabel, Konto1Label, Konto2Label, BetragLabel, TextLabel, FaelligLabel}) l->clear();
        MonatsListBox->hide();
        return;
    }
    const buchungstyp& r = verwaltung_->Eintraege()[static_cast<size_t>(i)];
    const ArtTexte t = ArtTexteVon(r.BArt);
    BArtLabel->setText(Q(t.ArtWort));
    QPalette p = BArtLabel->palette();
    p.setColor(QPalette::WindowText, ArtFarbeQt(t.Farbe));
    BArtLabel->setPalette(p);
    Text2Label->setText(t.BArt == BArtUmbuchung ? QStringLiteral("Konto 2") : QStringLiteral("Rubrik"));
    Konto1Label->setText(Q(KontoPfad(d_.Konten, r.Konto1)));
    Konto2Label->setText(Q(KontoPfad(d_.Konten, r.Konto2)));
    BetragLabel->setText(Q(r.Betrag + " " + d_.Mandant.Text4));
    TextLabel->setText(Q(r.Text));
    FaelligLabel->setText(Q(DatumKurzText(r.Datum)));
    MonateSetzen(MonatsListBox, r.Monate);
    MonatsListBox->show();
}

bool TrgmBuchungPlanDlg::EintragBearbeiten(int index) {
    if (index < 0 || index >= verwaltung_->Anzahl()) return false;
    buchungstyp kopie = verwaltung_->Eintraege()[static_cast<size_t>(index)];
    for (;;) {
        if (!Editor(kopie)) return false;
        if (!verwaltung_->NameVorhanden(index, kopie.Bezeichnung)) break;
        meldungen_.Information(MeldungRgmNameVorhanden);
    }
    verwaltung_->Eintraege()[static_cast<size_t>(index)] = kopie;
    verwaltung_->Bearbeitet();
    if (QTreeWidgetItem* e = wurzel_->child(index)) e->setText(0, Q(kopie.Bezeichnung));
    return true;
}

void TrgmBuchungPlanDlg::NeuBtnClick() {
    if (!verwaltung_ || !verwaltung_->NeuMoeglich()) return;
    // The selection moves several times here; the list follows once at the end.
    const QSignalBlocker sperre(Outline1);
    Outline1->setCurrentItem(wurzel_);
    wurzel_->setExpanded(true);
    const int i = verwaltung_->Neu(uhr_, zufall_);
    if (i < 0) return;
    auto* knoten = new QTreeWidgetItem(wurzel_, QStringList{QString()});
    Outline1->setCurrentItem(knoten);
    if (!EintragBearbeiten(i)) {
        verwaltung_->Entfernen(i);
        delete knoten;
        Outline1->setCurrentItem(wurzel_);
    }
    ListeGeaendert();
}

void TrgmBuchungPlanDlg::BearbeitenBtnClick() {
    if (!verwaltung_) return;
    const int i = Gewaehlt();
    if (i < 0) return;
    EintragBearbeiten(i);
    ListeGeaendert();
}

void TrgmBuchungPlanDlg::LoeschBtnClick() {
    if (!verwaltung_) return;
    const int i = Gewaehlt();
    if (i < 0) return;
    if (verwaltung_->Loeschen(i, meldungen_)) {
        const QSignalBlocker sperre(Outline1);
        delete wurzel_->child(i);
        Outline1->setCurrentItem(wurzel_);
    }
    ListeGeaendert();
}

void TrgmBuchungPlanDlg::Doppelklick(QTreeWidgetItem* eintrag) {
    if (eintrag == wurzel_)
        NeuBtnClick();
    else
        BearbeitenBtnClick();
}

// ---- due page ----

void TrgmBuchungPlanDlg::FaelligeBerechnen() {
    if (!verwaltung_) return;
    zeilen_ = FaelligeListe(d_, verwaltung_->Eintraege(), heute_, tage_);
    if (sortierung_ != FaelligSpalteName) FaelligeSortieren(zeilen_, sortierung_);
    FaelligeZeigen();
}

void TrgmBuchungPlanDlg::FaelligeZeigen() {
    ListView1->clear();
    QList<QTreeWidgetItem*> eintraege;
    eintraege.reserve(static_cast<qsizetype>(zeilen_.size()));
    for (const FaelligeZeile& z : zeilen_) {
        auto* e = new QTreeWidgetItem;
        for (int s = 0; s < 5; ++s) e->setText(s, Q(z.Zellen[static_cast<size_t>(s)]));
        e->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        e->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        e->setIcon(0, QIcon(ArtBild(z.BArt, 16)));
        eintraege.push_back(e);
    }
    ListView1->addTopLevelItems(eintraege);
    // The first row holds the keyboard focus without being selected, so that the first key
    // already moves from there (End to the last row, Space selects it).
    if (!eintraege.isEmpty())
        ListView1->selectionModel()->setCurrentIndex(ListView1->model()->index(0, 0), QItemSelectionModel::NoUpdate);
    const bool leer = zeilen_.empty();
    LeerLabel->setText(leer ? QString::fromUtf8(MeldungNichtsFaellig) : QString());
    LeerLabel->setVisible(leer);
    AusfuehrKnoepfe();
}

void TrgmBuchungPlanDlg::AusfuehrKnoepfe() {
    const bool zeilen = ListView1->topLevelItemCount() > 0;
    AlleAusfuehrenBtn->setEnabled(zeilen);
    AusfuehrenBtn->setEnabled(zeilen && !ListView1->selectedItems().isEmpty());
}

void TrgmBuchungPlanDlg::SpalteSortieren(int spalte) {
    if (spalte < 0 || spalte > 4) return;
    sortierung_ = spalte;
    FaelligeSortieren(zeilen_, spalte);
    FaelligeZeigen();
}

void TrgmBuchungPlanDlg::Ausfuehren(const std::vector<FaelligeZeile>& zeilen) {
    RgmAusfuehren(d_, verwaltung_->Eintraege(), zeilen, einstellungen_, meldungen_, uhr_, anschluss_);
    FaelligeBerechnen();
}

void TrgmBuchungPlanDlg::AusfuehrenBtnClick() {
    if (!verwaltung_ || !AusfuehrenBtn->isEnabled()) return;
    std::vector<FaelligeZeile> gewaehlt;
    for (int i = 0; i < ListView1->topLevelItemCount() && static_cast<size_t>(i) < zeilen_.size(); ++i)
        if (ListView1->topLevelItem(i)->isSelected()) gewaehlt.push_back(zeilen_[static_cast<size_t>(i)]);
    if (gewaehlt.empty()) return;
    Ausfuehren(gewaehlt);
}

void TrgmBuchungPlanDlg::AlleAusfuehrenBtnClick() {
    if (!verwaltung_ || zeilen_.empty()) return;
    const std::vector<FaelligeZeile> alle = zeilen_;
    Ausfuehren(alle);
}

void TrgmBuchungPlanDlg::SpeedButton1Click() {
    if (!verwaltung_) return;
    int32_t tage = tage_;
    bool vorgabe = false;
    if (!ZeitraumFragen(tage, vorgabe)) return;
    tage_ = ZeitraumBegrenzt(tage);
    if (vorgabe) {
        d_.Mandant.Zahl1 = tage_;
        d_.Geaendert = true;
    }
    letztesDatumLabel->setText(Q(DatumKurzText(LetztesFaelligkeitsdatum(heute_, tage_))));
    ZeitraumLabel->setText(QString::number(tage_));
    FaelligeBerechnen();
}
