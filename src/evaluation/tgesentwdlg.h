#pragma once
// "Auswertung - Gesamtentwicklung": the balances of a set of accounts at the end of every month or
// year, or the results of the periods, as a table and as a chart. Modal, made once; every showing
// rebuilds the trees and computes again.

#include <QDialog>

#include "evaluation/auswahlbaeume.h"
#include "evaluation/gesamtentwicklung.h"
#include "store/datenbestand.h"
#include "store/einstellungen.h"
#include "store/ports.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableView;
class QTreeWidget;
class QtGridModell;
class TDiagrammBild;

class QtBerichtsdruck;

class TGesEntwDlg : public QDialog {
    Q_OBJECT
public:
    TGesEntwDlg(talerwerk::Datenbestand& bestand, const talerwerk::Einstellungen& einstellungen,
                talerwerk::Meldungen& meldungen, const talerwerk::Uhr& uhr, QWidget* eltern = nullptr);

    // Rebuilds both trees ("Alle Konten", "Gesamter Zeitraum" chosen), computes and shows the
    // dialog modally.
    void Ausfuehren();
    // Rebuilds the trees and computes, without showing.
    void Vorbereiten();
    // Recomputes table and chart with the current choices.
    void Berechnen();
    // Asks for a file name and saves the chart as PNG or SVG.
    void DiagrammSpeichernClick();
    bool DiagrammSpeichern(const QString& pfad);

    // What the table shows, with the cents behind every cell (for printing).
    const talerwerk::Gesamtentwicklung& Entwicklung() const { return entwicklung_; }

    // Components under their own names.
    QLabel* KontenLabel = nullptr;
    QTreeWidget* KontoTreeView = nullptr;
    QLabel* ZeitLabel = nullptr;
    QTreeWidget* ZeitTreeView = nullptr;
    QGroupBox* ZeitRBtn = nullptr;
    QRadioButton* MonatlichRBtn = nullptr;
    QRadioButton* JaehrlichRBtn = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QGroupBox* AnzeigeRBtn = nullptr;
    QRadioButton* KontostandRBtn = nullptr;
    QRadioButton* SaldoRBtn = nullptr;
    QLabel* HinweisLabel1 = nullptr;
    QTableView* KtostandGrid = nullptr;
    QGroupBox* Anzeige2RBtn = nullptr;
    QRadioButton* BeidesRBtn2 = nullptr;
    QRadioButton* KontostandRBtn2 = nullptr;
    QRadioButton* SaldoRBtn2 = nullptr;
    QLabel* HinweisLabel2 = nullptr;
    TDiagrammBild* DiagrammImage = nullptr;
    QPushButton* SpeichernBtn = nullptr;
    QPushButton* BitBtn3 = nullptr;
    QPushButton* BitBtn4 = nullptr;
    QPushButton* CsvBtn = nullptr;
    QPushButton* VorschauBtn = nullptr;
    QPushButton* PdfBtn = nullptr;
    QtBerichtsdruck* Druck = nullptr;  // printer, preview and PDF of the table
    QtGridModell* Modell = nullptr;

private:
    talerwerk::DiagrammAnzeige Diagrammanzeige() const;

    talerwerk::Datenbestand& bestand_;
    const talerwerk::Einstellungen& einstellungen_;
    talerwerk::Meldungen& meldungen_;
    const talerwerk::Uhr& uhr_;
    talerwerk::Auswahlbaum kontoBaum_;
    talerwerk::Auswahlbaum zeitBaum_;
    talerwerk::GesamtentwicklungOptionen optionen_;
    talerwerk::Gesamtentwicklung entwicklung_;
    bool fuellen_ = false;  // the trees are being filled: their changes are no choice
};
