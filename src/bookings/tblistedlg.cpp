#include "app/qtcsvexport.h"
#include "bookings/tblistedlg.h"

#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

#include "bookings/abfrage.h"
#include "bookings/qtauswahlseiten.h"
#include "bookings/qtbuchungslistenmodell.h"
#include "evaluation/qtbaumhilfe.h"
#include "store/qtmdilage.h"

using namespace talerwerk;

namespace {

const char* const LageAbschnitt = "BListe";
constexpr FensterLage LageVorgabe{5, 5, 555, 400};
constexpr int AktualisierungBuchungen = 1;
constexpr int AktualisierungAlles = 2;
constexpr int AktualisierungListe = 5;

QString Q(const std::string& s) { return QString::fromStdString(s); }

QLabel* Beschriftung(QWidget* eltern, const QString& text, QWidget* partner) {
    auto* l = new QLabel(text, eltern);
    l->setBuddy(partner);
    return l;
}

QPushButton* Knopf(QWidget* eltern, const char* name, const QString& text) {
    auto* k = new QPushButton(text, eltern);
    k->setObjectName(QString::fromLatin1(name));
    k->setAutoDefault(false);
    return k;
}

}  // namespace

TBListeDlg::TBListeDlg(Datenbestand& d, const Einstellungen& einstellungen, Meldungen& meldungen, const Uhr& uhr,
                       QString einstellungsDatei, QWidget* eltern)
    : QWidget(eltern),
      d_(d),
      einstellungen_(einstellungen),
      meldungen_(meldungen),
      uhr_(uhr),
      einstellungsDatei_(std::move(einstellungsDatei)),
      modell_(new QtBuchungslistenModell(liste_, this)),
      seiten_(new QtAuswahlseiten(d, meldungen, uhr, this)) {
    setObjectName(QStringLiteral("BListeDlg"));
    setWindowTitle(QStringLiteral("Buchungsliste /Buchung suchen"));

    std::vector<Zahlenschluessel> sortierung{{"Sortierung 1", BListeSortierungVorgabe},
                                             {"Sortierung 2", BListeSortierungVorgabe}};
    if (!einstellungsDatei_.isEmpty()) ZahlenLesen(einstellungsDatei_.toStdString(), LageAbschnitt, sortierung);
    sortierung1_ = std::clamp(sortierung[0].Wert, 0, BListeSpalten - 1);
    sortierung2_ = sortierung[1].Wert;

    // ---- the two selection pages ----
    PageControl1 = seiten_;
    AllgemeinSeite = seiten_->AllgemeinSeite;
    SucheSeite = seiten_->SucheSeite;
    KontoTreeView = seiten_->KontoTreeView;
    RubrikTreeView = seiten_->RubrikTreeView;
    MonatTreeView = seiten_->MonatTreeView;
    FilterTreeView = seiten_->FilterTreeView;
    FilterBearbBtn = seiten_->FilterBearbBtn;
    FilterNeuBtn = seiten_->FilterNeuBtn;

    // ---- the list ----
    BuchgListView = new QTreeView(this);
    BuchgListView->setObjectName(QStringLiteral("BuchgListView"));
    BuchgListView->setModel(modell_);
    BuchgListView->setRootIsDecorated(false);
    BuchgListView->setItemsExpandable(false);
    BuchgListView->setUniformRowHeights(true);  // the view never measures rows it does not show
    BuchgListView->setAllColumnsShowFocus(true);
    BuchgListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    BuchgListView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    BuchgListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    BuchgListView->setContextMenuPolicy(Qt::CustomContextMenu);
    BuchgListView->installEventFilter(this);
    QHeaderView* kopf = BuchgListView->header();
    kopf->setSectionsClickable(true);
    kopf->setSectionsMovable(false);
    kopf->setSortIndicatorShown(true);
    kopf->setSortIndicator(sortierung1_, Qt::AscendingOrder);
    kopf->setStretchLastSection(true);
    const int breiten[BListeSpalten] = {90, 70, 40, 70, 35, 180, 80, 130, 130};
    for (int i = 0; i < BListeSpalten; ++i) kopf->resizeSection(i, breiten[i]);
    QPalette pal = BuchgListView->palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText, pal.color(QPalette::Active, QPalette::HighlightedText));
    BuchgListView->setPalette(pal);

    Label1 = Beschriftung(this, QStringLiteral("&Buchungsliste"), BuchgListView);
    Label1->setObjectName(QStringLiteral("Label1"));
    StatusLabel = new QLabel(this);
    StatusLabel->setObjectName(QStringLiteral("StatusLabel"));
    BearbeitenBtn = Knopf(this, "BearbeitenBtn", QStringLiteral("Be&arbeiten"));
    LoeschBtn = Knopf(this, "LoeschBtn", QStringLiteral("&Löschen"));
    BitBtn1 = Knopf(this, "BitBtn1", QStringLiteral("Schließen"));

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Bearbeiten1 = PopupMenu1->addAction(QStringLiteral("&Bearbeiten"));
    Loeschen1 = PopupMenu1->addAction(QStringLiteral("&Löschen"));

    auto* unten = new QHBoxLayout;
    unten->addWidget(StatusLabel, 1);
    CsvBtn = CsvKnopf(this);
    connect(CsvBtn, &QPushButton::clicked, this, [this] {
        CsvExportieren(this, windowTitle(), [this](CsvAusgabe& aus) {
            BuchungslisteAusgeben(windowTitle().toStdString(), liste_, aus);
        });
    });
    unten->addWidget(CsvBtn);
    unten->addWidget(BearbeitenBtn);
    unten->addWidget(LoeschBtn);
    unten->addWidget(BitBtn1);
    // After the list, the buttons from left to right.
    setTabOrder(BuchgListView, CsvBtn);
    setTabOrder(CsvBtn, BearbeitenBtn);
    setTabOrder(BearbeitenBtn, LoeschBtn);
    setTabOrder(LoeschBtn, BitBtn1);
    auto* haupt = new QVBoxLayout(this);
    haupt->addWidget(PageControl1);
    haupt->addWidget(Label1);
    haupt->addWidget(BuchgListView, 1);
    haupt->addLayout(unten);

    // ---- events ----
    connect(seiten_, &QtAuswahlseiten::AuswahlGeaendert, this, [this] { ListeFuellen(); });
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] { SeiteGewechselt(); });
    connect(BearbeitenBtn, &QPushButton::clicked, this, &TBListeDlg::BearbeitenBtnClick);
    connect(LoeschBtn, &QPushButton::clicked, this, &TBListeDlg::LoeschBtnClick);
    connect(Bearbeiten1, &QAction::triggered, this, &TBListeDlg::BearbeitenBtnClick);
    connect(Loeschen1, &QAction::triggered, this, &TBListeDlg::LoeschBtnClick);
    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        if (auto* rahmen = qobject_cast<QMdiSubWindow*>(parentWidget()))
            rahmen->close();
        else
            close();
    });
    connect(kopf, &QHeaderView::sectionClicked, this, &TBListeDlg::SpalteKlick);
    connect(BuchgListView, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
        BuchgListView->selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        BearbeitenBtnClick();
    });
    connect(BuchgListView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { KnoepfeSetzen(); });
    connect(BuchgListView, &QWidget::customContextMenuRequested, this, [this](QPoint ort) {
        const QModelIndex unter = BuchgListView->indexAt(ort);
        if (unter.isValid() && !BuchgListView->selectionModel()->isRowSelected(unter.row(), {}))
            BuchgListView->selectionModel()->setCurrentIndex(
                unter, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        Bearbeiten1->setEnabled(BearbeitenBtn->isEnabled());
        Loeschen1->setEnabled(LoeschBtn->isEnabled());
        PopupMenu1->popup(BuchgListView->viewport()->mapToGlobal(ort));
    });
    resize(LageVorgabe.Breite, LageVorgabe.Hoehe);
}

TBListeDlg::~TBListeDlg() = default;

QMdiSubWindow* TBListeDlg::ImRahmen(TBListeDlg* dlg) {
    FensterLage lage = LageVorgabe;
    if (!dlg->einstellungsDatei_.isEmpty())
        lage = FensterLageLesen(dlg->einstellungsDatei_.toStdString(), LageAbschnitt, LageVorgabe);
    return RahmenMitLage(dlg, lage, LageVorgabe, 100, [dlg](const QRect& g) { dlg->LageSpeichern(g); });
}

void TBListeDlg::LageSpeichern(const QRect& g) {
    if (einstellungsDatei_.isEmpty()) return;
    ZahlenSpeichern(einstellungsDatei_.toStdString(), LageAbschnitt,
                    {{"x", g.x()},
                     {"y", g.y()},
                     {"Breite", g.width()},
                     {"Hoehe", g.height()},
                     {"Sortierung 1", sortierung1_},
                     {"Sortierung 2", sortierung2_}});
}

void TBListeDlg::showEvent(QShowEvent* ereignis) {
    QWidget::showEvent(ereignis);
    if (aufgebaut_) return;
    aufgebaut_ = true;
    LoeschenSichtbarSetzen();
    seiten_->BaeumeAufbauen(true, true, true, true);
    SeiteGewechselt();
    BuchgListView->setFocus();
}

void TBListeDlg::keyPressEvent(QKeyEvent* ereignis) {
    // "Schließen" is the window's cancel button: Escape closes it.
    if (ereignis->key() == Qt::Key_Escape && ereignis->modifiers() == Qt::NoModifier) {
        BitBtn1->click();
        return;
    }
    QWidget::keyPressEvent(ereignis);
}

bool TBListeDlg::eventFilter(QObject* objekt, QEvent* ereignis) {
    if (ereignis->type() == QEvent::KeyPress) {
        const int taste = static_cast<QKeyEvent*>(ereignis)->key();
        const bool enter = taste == Qt::Key_Return || taste == Qt::Key_Enter;
        if (objekt == BuchgListView && enter) {
            if (BuchgListView->selectionModel()->hasSelection()) BearbeitenBtnClick();
            return true;
        }
        if (objekt == BuchgListView && taste == Qt::Key_Delete) {
            if (BuchgListView->selectionModel()->hasSelection()) LoeschBtnClick();
            return true;
        }
    }
    return QWidget::eventFilter(objekt, ereignis);
}

// ---------------------------------------------------------------------------------------------
// Trees and refresh

void TBListeDlg::ListeAktualisieren(bool konten, bool rubriken, bool filter, bool zeitraeume) {
    if (!aufgebaut_) return;  // the first show builds everything
    seiten_->BaeumeAufbauen(konten, rubriken, filter, zeitraeume);
    ListeFuellen();
}

void TBListeDlg::AnsichtAktualisieren(int art) {
    switch (art) {
        case AktualisierungBuchungen:
            ListeAktualisieren(false, false, false, true);
            break;
        case AktualisierungAlles:
            ListeAktualisieren(true, true, false, true);
            break;
        case AktualisierungListe:
            LoeschenSichtbarSetzen();
            ListeAktualisieren(false, false, true, false);
            break;
        default:
            ListeAktualisieren(false, false, false, false);
            break;
    }
}

void TBListeDlg::ListeFuellen() {
    if (!aufgebaut_) return;
    const abfragetyp q = seiten_->Abfrage();
    const QModelIndex aktuell = BuchgListView->currentIndex();
    const int gemerkt = aktuell.isValid() ? aktuell.row() : 0;
    modell_->Neu([&] { liste_.Aktualisieren(d_, q, sortierung1_); });
    const int zeilen = modell_->rowCount();
    if (zeilen > 0) {
        const QModelIndex ziel = modell_->index(std::min(gemerkt, zeilen - 1), 0);
        BuchgListView->selectionModel()->setCurrentIndex(
            ziel, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        BuchgListView->scrollTo(ziel);
    }
    StatusLabel->setText(Q(liste_.StatusText()));
    KnoepfeSetzen();
}

void TBListeDlg::SpalteKlick(int spalte) {
    if (spalte < 0 || spalte >= BListeSpalten) return;
    sortierung1_ = spalte;
    // The heading shows the one order there is; a second click sorts the same way.
    BuchgListView->header()->setSortIndicator(spalte, Qt::AscendingOrder);
    if (!liste_.Aktuell(d_)) {
        ListeFuellen();
        return;
    }
    // The booking that was current stays current in its new row.
    const QModelIndex aktuell = BuchgListView->currentIndex();
    const int32_t position = aktuell.isValid() ? static_cast<int32_t>(liste_.Position(static_cast<size_t>(aktuell.row()))) : -1;
    modell_->Neu([&] { liste_.Sortieren(spalte); });
    if (modell_->rowCount() > 0) {
        const int32_t zeile = position >= 0 ? liste_.ZeileVon(static_cast<size_t>(position)) : -1;
        const QModelIndex ziel = modell_->index(std::max(0, zeile), 0);
        BuchgListView->selectionModel()->setCurrentIndex(
            ziel, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        BuchgListView->scrollTo(ziel);
    }
    KnoepfeSetzen();
}

std::vector<size_t> TBListeDlg::GewaehlteZeilen() const {
    // From the selection's ranges: selecting all of a million rows is one range, not a million
    // indexes.
    std::vector<size_t> zeilen;
    for (const QItemSelectionRange& bereich : BuchgListView->selectionModel()->selection())
        for (int z = bereich.top(); z <= bereich.bottom(); ++z) zeilen.push_back(static_cast<size_t>(z));
    std::sort(zeilen.begin(), zeilen.end());
    zeilen.erase(std::unique(zeilen.begin(), zeilen.end()), zeilen.end());
    return zeilen;
}

void TBListeDlg::KnoepfeSetzen() {
    size_t gewaehlt = 0;
    for (const QItemSelectionRange& bereich : BuchgListView->selectionModel()->selection())
        gewaehlt += static_cast<size_t>(bereich.height());
    BearbeitenBtn->setEnabled(gewaehlt == 1);
    LoeschBtn->setEnabled(gewaehlt >= 1);
}

void TBListeDlg::LoeschenSichtbarSetzen() {
    // The client master data decide whether bookings may be deleted at all.
    LoeschBtn->setVisible(d_.Mandant.Merker1);
    Loeschen1->setVisible(d_.Mandant.Merker1);
}

void TBListeDlg::SeiteGewechselt() {
    const bool suche = PageControl1->currentIndex() == 1;
    setWindowTitle(Q(suche ? BListeTitelSuche : BListeTitelAllgemein));
    ListeFuellen();
}

// ---------------------------------------------------------------------------------------------
// Commands

void TBListeDlg::BearbeitenBtnClick() {
    if (!liste_.Aktuell(d_)) {
        ListeFuellen();
        return;
    }
    const QModelIndex aktuell = BuchgListView->currentIndex();
    const bool gewaehlt = aktuell.isValid() && BuchgListView->selectionModel()->isRowSelected(aktuell.row(), {});
    // Without a chosen row the booking window opens at the new-booking position.
    const int32_t position = gewaehlt ? static_cast<int32_t>(liste_.Position(static_cast<size_t>(aktuell.row())))
                                      : static_cast<int32_t>(d_.Buchungen.size());
    if (BuchungZeigen) BuchungZeigen(position);
}

void TBListeDlg::LoeschBtnClick() {
    if (!d_.Mandant.Merker1) return;
    if (!liste_.Aktuell(d_)) {
        ListeFuellen();
        return;
    }
    const std::vector<size_t> zeilen = GewaehlteZeilen();
    if (zeilen.empty()) return;
    const bool eingabeOffen = EingabeOffen && EingabeOffen();
    const Listenloeschung ergebnis = ZeilenLoeschen(d_, liste_, zeilen, eingabeOffen, einstellungen_, meldungen_);
    if (ergebnis.EingabeZeigen && EingabeNeuZeigen) EingabeNeuZeigen();
    // The balances and this list follow; through the main window when there is one.
    if (Aktualisieren)
        Aktualisieren(AktualisierungBuchungen);
    else
        AnsichtAktualisieren(AktualisierungBuchungen);
}

TFilterDatDlg* TBListeDlg::FilterDatDlg() const { return seiten_->FilterDatDlg(); }

const buchungstyp& TBListeDlg::Suchmaske() const { return seiten_->Suchmaske(); }

void TBListeDlg::FilterBearbBtnClick() { seiten_->FilterBearbBtnClick(); }

void TBListeDlg::FilterNeuBtnClick() { seiten_->FilterNeuBtnClick(); }
