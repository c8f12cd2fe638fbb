#pragma once
// "Buchungsliste": the bookings a selection picks, in a list sorted by a chosen column. The page
// "Allgemein" picks them by account, category and period; the page "Erweiterte Suche" by a saved
// filter or the unsaved search mask. From the list a booking is opened in the booking window, or
// the chosen bookings are deleted. A child window of the main window (at most one).
//
// Which bookings match, their order, the cells' texts and the deletion with the booking cursor are
// the core's (Abfrage, Buchungsliste); the list view asks the model for the visible rows only.
//
//   auto* w = new TBListeDlg(d, einstellungen, meldungen, uhr, einstellungsDatei);
//   w->BuchungZeigen = [&](int32_t position) { fenster.BuchungsfensterZeigen(position); };
//   fenster shows TBListeDlg::ImRahmen(w); after changes: w->AnsichtAktualisieren(art)

#include <QString>
#include <QRect>
#include <QWidget>

#include <functional>

#include "bookings/buchungsliste.h"
#include "evaluation/auswahlbaeume.h"
#include "store/datenbestand.h"
#include "store/einstellungen.h"
#include "store/ports.h"

class QAction;
class QLabel;
class QMdiSubWindow;
class QMenu;
class QPushButton;
class QTabWidget;
class QTreeView;
class QTreeWidget;
class QTreeWidgetItem;
class QtAuswahlseiten;
class QtBuchungslistenModell;
class TFilterDatDlg;

class TBListeDlg : public QWidget {
    Q_OBJECT
public:
    // einstellungsDatei: the settings file whose section "BListe" keeps the placement and the sort
    // columns; empty for none.
    TBListeDlg(talerwerk::Datenbestand& d, const talerwerk::Einstellungen& einstellungen,
               talerwerk::Meldungen& meldungen, const talerwerk::Uhr& uhr, QString einstellungsDatei = {},
               QWidget* eltern = nullptr);
    ~TBListeDlg() override;

    // The frame the main window shows it in: placed as the settings file says; closing it writes
    // the placement and both sort keys back.
    static QMdiSubWindow* ImRahmen(TBListeDlg* dlg);

    // Hooks the main window fills in.
    // BuchungZeigen: the booking window shows this position (created or restored as needed).
    // EingabeOffen: whether the booking window exists; EingabeNeuZeigen: it shows AktIndex again.
    // Aktualisieren: the main window's AnsichtenAktualisieren (kind 1 after deleting).
    std::function<void(int32_t position)> BuchungZeigen;
    std::function<bool()> EingabeOffen;
    std::function<void()> EingabeNeuZeigen;
    std::function<void(int art)> Aktualisieren;

    // Rebuilds the trees whose flag is set (each keeps its selected position), then the list.
    void ListeAktualisieren(bool konten, bool rubriken, bool filter, bool zeitraeume);
    // After changes, by the main window's kinds: bookings (1), chart (2), list display and filters
    // (5: the filter tree is rebuilt and the delete controls follow the client master data).
    void AnsichtAktualisieren(int art);

    void BearbeitenBtnClick();
    void LoeschBtnClick();
    void FilterBearbBtnClick();
    void FilterNeuBtnClick();
    // A click on a column heading: that column becomes the sort column.
    void SpalteKlick(int spalte);

    const talerwerk::Buchungsliste& Liste() const { return liste_; }
    QtBuchungslistenModell* Modell() const { return modell_; }
    TFilterDatDlg* FilterDatDlg() const;
    // The search mask as the filter tree holds it.
    const talerwerk::buchungstyp& Suchmaske() const;
    // The two selection pages, shared with the booking overview.
    QtAuswahlseiten* Auswahlseiten() const { return seiten_; }
    int Sortierung2() const { return sortierung2_; }

    // Components under their own names.
    QTabWidget* PageControl1;
    QWidget* AllgemeinSeite;
    QWidget* SucheSeite;
    QTreeWidget* KontoTreeView;
    QTreeWidget* RubrikTreeView;
    QTreeWidget* MonatTreeView;
    QTreeWidget* FilterTreeView;
    QPushButton* FilterBearbBtn;
    QPushButton* FilterNeuBtn;
    QTreeView* BuchgListView;
    QLabel* Label1;
    QLabel* StatusLabel;
    QPushButton* BearbeitenBtn;
    QPushButton* LoeschBtn;
    QPushButton* BitBtn1;
    QPushButton* CsvBtn = nullptr;
    QMenu* PopupMenu1;
    QAction* Bearbeiten1;
    QAction* Loeschen1;

protected:
    void showEvent(QShowEvent* ereignis) override;
    void keyPressEvent(QKeyEvent* ereignis) override;
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    void ListeFuellen();
    void KnoepfeSetzen();
    void LoeschenSichtbarSetzen();
    void SeiteGewechselt();
    std::vector<size_t> GewaehlteZeilen() const;
    void LageSpeichern(const QRect& geometrie);

    talerwerk::Datenbestand& d_;
    const talerwerk::Einstellungen& einstellungen_;
    talerwerk::Meldungen& meldungen_;
    const talerwerk::Uhr& uhr_;
    QString einstellungsDatei_;

    talerwerk::Buchungsliste liste_;
    QtBuchungslistenModell* modell_;
    QtAuswahlseiten* seiten_;
    int sortierung1_;
    int sortierung2_;
    bool aufgebaut_ = false;  // trees built (on the first show)
};
