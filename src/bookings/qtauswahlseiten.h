#pragma once
// The two selection pages of the booking list and the booking overview: "Allgemein" picks the
// bookings by account, category and period in three trees; "Erweiterte Suche" by a saved filter
// or the unsaved search mask, with the buttons that edit a filter or make a new one. Both windows
// own one of these and ask it for the query; it tells them when the choice changed.
//
//   auto* seiten = new QtAuswahlseiten(d, meldungen, uhr, this);
//   connect(seiten, &QtAuswahlseiten::AuswahlGeaendert, this, [this] { ListeFuellen(); });
//   connect(seiten, &QTabWidget::currentChanged, this, [this] { SeiteGewechselt(); });
//   seiten->BaeumeAufbauen(true, true, true, true);
//   abfragetyp q = seiten->Abfrage();

#include <QTabWidget>

#include "bookings/abfrage.h"
#include "evaluation/auswahlbaeume.h"
#include "store/datenbestand.h"
#include "store/ports.h"

class QGridLayout;
class QPushButton;
class QTreeWidget;
class TFilterDatDlg;

class QtAuswahlseiten : public QTabWidget {
    Q_OBJECT
public:
    QtAuswahlseiten(talerwerk::Datenbestand& d, talerwerk::Meldungen& meldungen, const talerwerk::Uhr& uhr,
                    QWidget* eltern = nullptr);

    // Rebuilds the trees whose flag is set; each keeps its selected position. Sends no
    // AuswahlGeaendert.
    void BaeumeAufbauen(bool konten, bool rubriken, bool filter, bool zeitraeume);
    // Refills the filter tree and selects item `auswahl` (0 the search mask, i > 0 Filterliste[i − 1]).
    void FilterbaumFuellen(int auswahl);
    // 0 the search mask, i > 0 Filterliste[i − 1], −1 none.
    int FilterAuswahl() const;
    bool SucheAktiv() const { return currentIndex() == 1; }

    // The query of the page shown: the three trees' nodes, or the chosen filter or search mask. A
    // query that cannot be built matches nothing.
    talerwerk::abfragetyp Abfrage() const;
    // The chosen nodes (nullptr when none) and the chosen filter's name.
    const talerwerk::Auswahlknoten* KontoKnoten() const;
    const talerwerk::Auswahlknoten* RubrikKnoten() const;
    const talerwerk::Auswahlknoten* ZeitKnoten() const;
    std::string FilterName() const;

    void FilterBearbBtnClick();
    void FilterNeuBtnClick();

    TFilterDatDlg* FilterDatDlg() const { return filterDatDlg_; }
    const talerwerk::buchungstyp& Suchmaske() const { return suchmaske_; }

    QWidget* AllgemeinSeite;
    QWidget* SucheSeite;
    QGridLayout* AllgemeinLayout;  // a window may add its own controls below the trees
    QTreeWidget* KontoTreeView;
    QTreeWidget* RubrikTreeView;
    QTreeWidget* MonatTreeView;
    QTreeWidget* FilterTreeView;
    QPushButton* FilterBearbBtn;
    QPushButton* FilterNeuBtn;

signals:
    // A tree node, the filter, or a filter's contents changed by the user.
    void AuswahlGeaendert();

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    void FilterKnopfBeschriften();
    bool FilterBearbeiten(talerwerk::buchungstyp& filter, const QString& titel, int32_t ausser, bool maske);

    talerwerk::Datenbestand& d_;
    talerwerk::Meldungen& meldungen_;
    const talerwerk::Uhr& uhr_;
    TFilterDatDlg* filterDatDlg_;
    talerwerk::Auswahlbaum kontoBaum_;
    talerwerk::Auswahlbaum rubrikBaum_;
    talerwerk::Auswahlbaum zeitBaum_;
    talerwerk::buchungstyp suchmaske_;
    bool baut_ = false;  // trees being filled: their signals are no choice of the user
};
