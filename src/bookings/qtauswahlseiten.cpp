#include "bookings/qtauswahlseiten.h"

#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>
#include <exception>

#include "bookings/filterdaten.h"
#include "bookings/tfilterdatdlg.h"
#include "evaluation/qtbaumhilfe.h"

using namespace talerwerk;

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QTreeWidget* Baum(QWidget* eltern, const char* name) {
    auto* t = new QTreeWidget(eltern);
    t->setObjectName(QString::fromLatin1(name));
    t->setHeaderHidden(true);
    t->setColumnCount(1);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The trees stay low: the room of a small window belongs to the list.
    t->setMinimumHeight(60);
    t->setMaximumHeight(100);
    return t;
}

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

// The node index of the tree's current item, so that a rebuilt tree can stand at the same place.
int32_t Stelle(const QTreeWidget* baum) { return KnotenIndex(baum->currentItem()); }

void NeuFuellen(QTreeWidget* baum, Auswahlbaum& knoten, int32_t stelle) {
    if (stelle >= 0 && !knoten.Knoten.empty())
        knoten.Gewaehlt = std::min<int32_t>(stelle, static_cast<int32_t>(knoten.Knoten.size()) - 1);
    BaumFuellen(baum, knoten);
    if (baum->currentItem()) baum->scrollToItem(baum->currentItem());
}

}  // namespace

QtAuswahlseiten::QtAuswahlseiten(Datenbestand& d, Meldungen& meldungen, const Uhr& uhr, QWidget* eltern)
    : QTabWidget(eltern), d_(d), meldungen_(meldungen), uhr_(uhr), filterDatDlg_(new TFilterDatDlg(d, meldungen, uhr, this)) {
    setObjectName(QStringLiteral("PageControl1"));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    AllgemeinSeite = new QWidget;
    SucheSeite = new QWidget;
    addTab(AllgemeinSeite, QStringLiteral("Allgemein"));
    addTab(SucheSeite, QStringLiteral("Erweiterte Suche"));

    KontoTreeView = Baum(AllgemeinSeite, "KontoTreeView");
    RubrikTreeView = Baum(AllgemeinSeite, "RubrikTreeView");
    MonatTreeView = Baum(AllgemeinSeite, "MonatTreeView");
    AllgemeinLayout = new QGridLayout(AllgemeinSeite);
    AllgemeinLayout->addWidget(Beschriftung(AllgemeinSeite, QStringLiteral("&Konten"), KontoTreeView), 0, 0);
    AllgemeinLayout->addWidget(Beschriftung(AllgemeinSeite, QStringLiteral("&Rubriken"), RubrikTreeView), 0, 1);
    AllgemeinLayout->addWidget(Beschriftung(AllgemeinSeite, QStringLiteral("&Zeitraum"), MonatTreeView), 0, 2);
    AllgemeinLayout->addWidget(KontoTreeView, 1, 0);
    AllgemeinLayout->addWidget(RubrikTreeView, 1, 1);
    AllgemeinLayout->addWidget(MonatTreeView, 1, 2);

    FilterTreeView = Baum(SucheSeite, "FilterTreeView");
    FilterTreeView->setRootIsDecorated(false);
    FilterTreeView->setExpandsOnDoubleClick(false);
    FilterBearbBtn = Knopf(SucheSeite, "FilterBearbBtn", QStringLiteral("F&ilter bearbeiten"));
    FilterNeuBtn = Knopf(SucheSeite, "FilterNeuBtn", QStringLiteral("Filter &neu"));
    auto* suche = new QGridLayout(SucheSeite);
    suche->addWidget(Beschriftung(SucheSeite, QStringLiteral("&Filter"), FilterTreeView), 0, 0);
    suche->addWidget(FilterTreeView, 1, 0, 3, 1);
    suche->addWidget(FilterBearbBtn, 1, 1);
    suche->addWidget(FilterNeuBtn, 2, 1);
    suche->setRowStretch(3, 1);
    suche->setColumnStretch(0, 1);

    for (QTreeWidget* t : {KontoTreeView, RubrikTreeView, MonatTreeView})
        connect(t, &QTreeWidget::currentItemChanged, this, [this] {
            if (!baut_) emit AuswahlGeaendert();
        });
    connect(FilterTreeView, &QTreeWidget::currentItemChanged, this, [this] {
        if (baut_) return;
        FilterKnopfBeschriften();
        emit AuswahlGeaendert();
    });
    connect(FilterTreeView, &QTreeWidget::itemDoubleClicked, this, [this] { FilterBearbBtnClick(); });
    FilterTreeView->installEventFilter(this);
    connect(this, &QTabWidget::currentChanged, this, [this] {
        if (SucheAktiv()) FilterKnopfBeschriften();
    });
    connect(FilterBearbBtn, &QPushButton::clicked, this, &QtAuswahlseiten::FilterBearbBtnClick);
    connect(FilterNeuBtn, &QPushButton::clicked, this, &QtAuswahlseiten::FilterNeuBtnClick);
}

bool QtAuswahlseiten::eventFilter(QObject* objekt, QEvent* ereignis) {
    if (objekt == FilterTreeView && ereignis->type() == QEvent::KeyPress) {
        const int taste = static_cast<QKeyEvent*>(ereignis)->key();
        if (taste == Qt::Key_Return || taste == Qt::Key_Enter) {
            FilterBearbBtnClick();
            return true;
        }
    }
    return QTabWidget::eventFilter(objekt, ereignis);
}

void QtAuswahlseiten::BaeumeAufbauen(bool konten, bool rubriken, bool filter, bool zeitraeume) {
    baut_ = true;
    if (konten) {
        const int32_t stelle = Stelle(KontoTreeView);
        kontoBaum_ = KontenBaum(d_);
        NeuFuellen(KontoTreeView, kontoBaum_, stelle);
    }
    if (rubriken) {
        const int32_t stelle = Stelle(RubrikTreeView);
        rubrikBaum_ = RubrikBaum(d_);
        NeuFuellen(RubrikTreeView, rubrikBaum_, stelle);
    }
    if (zeitraeume) {
        const int32_t stelle = Stelle(MonatTreeView);
        zeitBaum_ = ZeitBaum(d_, uhr_.Heute());
        NeuFuellen(MonatTreeView, zeitBaum_, stelle);
    }
    if (filter) {
        // The search mask lives as long as the tree.
        suchmaske_ = talerwerk::Suchmaske(d_, uhr_.Heute());
        FilterbaumFuellen(FilterAuswahl());
    }
    baut_ = false;
}

void QtAuswahlseiten::FilterbaumFuellen(int auswahl) {
    const bool vorher = baut_;
    baut_ = true;
    FilterTreeView->clear();
    for (const std::string& text : FilterbaumTexte(d_)) new QTreeWidgetItem(FilterTreeView, {Q(text)});
    const int anzahl = FilterTreeView->topLevelItemCount();
    if (anzahl > 0) {
        QTreeWidgetItem* item = FilterTreeView->topLevelItem(std::clamp(auswahl, 0, anzahl - 1));
        FilterTreeView->setCurrentItem(item);
        FilterTreeView->scrollToItem(item);
    }
    baut_ = vorher;
    FilterKnopfBeschriften();
}

int QtAuswahlseiten::FilterAuswahl() const {
    return FilterTreeView->currentItem() ? FilterTreeView->indexOfTopLevelItem(FilterTreeView->currentItem()) : -1;
}

const Auswahlknoten* QtAuswahlseiten::KontoKnoten() const { return GewaehlterKnoten(KontoTreeView, kontoBaum_); }
const Auswahlknoten* QtAuswahlseiten::RubrikKnoten() const { return GewaehlterKnoten(RubrikTreeView, rubrikBaum_); }
const Auswahlknoten* QtAuswahlseiten::ZeitKnoten() const { return GewaehlterKnoten(MonatTreeView, zeitBaum_); }

std::string QtAuswahlseiten::FilterName() const {
    const int i = FilterAuswahl();
    if (i == 0) return SuchmaskenName;
    if (i > 0 && static_cast<size_t>(i) <= d_.Filterliste.size()) return d_.Filterliste[static_cast<size_t>(i - 1)].Bezeichnung;
    return {};
}

abfragetyp QtAuswahlseiten::Abfrage() const {
    abfragetyp q;
    try {
        if (!SucheAktiv()) {
            const Auswahlknoten* zeit = ZeitKnoten();
            const Auswahlknoten* konto = KontoKnoten();
            const Auswahlknoten* rubrik = RubrikKnoten();
            q = AbfrageAusBaeumen(zeit ? zeit->Zeitraum : MonatsDatenTyp{}, konto ? konto->Konto.Nr : CodeAlleKonten,
                                  rubrik ? rubrik->Konto.Nr : CodeAlleRubriken);
        } else {
            const int i = FilterAuswahl();
            if (i == 0)
                q = AbfrageAusFilter(d_, suchmaske_, uhr_.Heute());
            else if (i > 0 && static_cast<size_t>(i) <= d_.Filterliste.size())
                q = AbfrageAusFilter(d_, d_.Filterliste[static_cast<size_t>(i - 1)], uhr_.Heute());
        }
    } catch (const std::exception&) {
        // A query that cannot be built keeps its start values.
    }
    return q;
}

void QtAuswahlseiten::FilterKnopfBeschriften() {
    const int i = FilterAuswahl();
    if (i < 0) return;
    FilterBearbBtn->setText(i == 0 ? QStringLiteral("Suchmaske bearb.") : QStringLiteral("Filter bearbeiten"));
}

bool QtAuswahlseiten::FilterBearbeiten(buchungstyp& filter, const QString& titel, int32_t ausser, bool maske) {
    for (;;) {
        if (!filterDatDlg_->Bearbeiten(titel, filter, !maske)) return false;
        // The search mask's name is fixed and never stored: a saved filter of the same name does
        // not stand in its way.
        if (maske || !NameVergeben(d_.Filterliste, filter.Bezeichnung, ausser)) return true;
        meldungen_.Information(MeldungNameVergeben);
    }
}

void QtAuswahlseiten::FilterBearbBtnClick() {
    const int i = FilterAuswahl();
    if (i < 0) return;
    if (i == 0) {
        buchungstyp maske = suchmaske_;
        if (!FilterBearbeiten(maske, QStringLiteral("Buchung suchen"), -1, true)) return;
        suchmaske_ = maske;  // the mask is never stored: Geaendert stays as it is
        emit AuswahlGeaendert();
        return;
    }
    if (static_cast<size_t>(i) > d_.Filterliste.size()) return;
    buchungstyp filter = d_.Filterliste[static_cast<size_t>(i - 1)];
    if (!FilterBearbeiten(filter, QStringLiteral("Filter bearbeiten"), i - 1, false)) return;
    // The edited filter moves to the end of Filterliste, and so to the end of the tree.
    GespeichertenFilterAendern(d_, filter);
    FilterbaumFuellen(static_cast<int>(d_.Filterliste.size()));
    emit AuswahlGeaendert();
}

void QtAuswahlseiten::FilterNeuBtnClick() {
    buchungstyp filter = NeuerFilter(d_.Filterliste, {}, uhr_.Heute());
    if (!FilterBearbeiten(filter, QStringLiteral("Filterdaten neu"), -1, false)) return;
    d_.Filterliste.push_back(filter);
    d_.Geaendert = true;
    FilterbaumFuellen(static_cast<int>(d_.Filterliste.size()));
    emit AuswahlGeaendert();
}
