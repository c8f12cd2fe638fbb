#pragma once
// "Buchungsübersicht": the bookings picked on the two selection pages of the booking list, split
// into income and expenses, in the order of their numbers or grouped by category, date or
// account, with subtotals and the totals of income, expenses and the balance. Modal, made once;
// every showing rebuilds the trees.

#include <QDialog>

#include "evaluation/buchungsuebersicht.h"
#include "store/datenbestand.h"
#include "store/einstellungen.h"
#include "store/ports.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableView;
class QTreeWidget;
class QtAuswahlseiten;
class QtGridModell;

class QtBerichtsdruck;

class TBuchgUebersichtDlg : public QDialog {
    Q_OBJECT
public:
    TBuchgUebersichtDlg(talerwerk::Datenbestand& bestand, const talerwerk::Einstellungen& einstellungen,
                        talerwerk::Meldungen& meldungen, const talerwerk::Uhr& uhr, QWidget* eltern = nullptr);

    // Rebuilds the four trees, builds the grid and shows the dialog modally.
    void Ausfuehren();
    // The same without showing.
    void Vorbereiten();
    // Rebuilds the trees whose flag is set (each keeps its place), then the query, grid and totals.
    void UebersichtAktualisieren(bool konten, bool rubriken, bool filter, bool zeitraeume);

    // The grid shown, with the rows and heading lines a printout needs.
    const talerwerk::Buchungsuebersicht& Uebersicht() const { return uebersicht_; }
    QtAuswahlseiten* Auswahlseiten() const { return seiten_; }

    // Components under their own names.
    QTabWidget* PageControl1 = nullptr;
    QTreeWidget* KontoTreeView = nullptr;
    QTreeWidget* RubrikTreeView = nullptr;
    QTreeWidget* MonatTreeView = nullptr;
    QTreeWidget* FilterTreeView = nullptr;
    QPushButton* FilterBearbBtn = nullptr;
    QPushButton* FilterNeuBtn = nullptr;
    QCheckBox* stornoChBox = nullptr;
    QGroupBox* SortiertRBtn = nullptr;
    QRadioButton* Gruppierung[4] = {};
    QCheckBox* ZwSummeChBox = nullptr;
    QCheckBox* UnterrubrikChBox = nullptr;
    QTableView* BuchungGrid = nullptr;
    QLabel* EinLabel = nullptr;
    QLabel* AusLabel = nullptr;
    QLabel* SaldotextLabel = nullptr;
    QLabel* SaldoLabel = nullptr;
    QPushButton* DruckBtn = nullptr;
    QPushButton* VorschauBtn = nullptr;
    QPushButton* PdfBtn = nullptr;
    QtBerichtsdruck* Druck = nullptr;  // printer, preview and PDF
    QPushButton* CsvBtn = nullptr;
    QPushButton* BitBtn3 = nullptr;
    QtGridModell* Modell = nullptr;

private:
    void Fuellen();
    int GruppierungsIndex() const;

    talerwerk::Datenbestand& bestand_;
    const talerwerk::Einstellungen& einstellungen_;
    QtAuswahlseiten* seiten_;
    talerwerk::Buchungsuebersicht uebersicht_;
    bool aufgebaut_ = false;
};
