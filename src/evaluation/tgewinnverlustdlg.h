#pragma once
// "Einnahmen-Ausgaben-Übersicht": per account of a selection the opening balance, income,
// expenses, closing balance and result over a period, then the total, the transfers among the
// accounts and the total without them. Modal, made once; every showing rebuilds the trees.

#include <QDialog>

#include "evaluation/auswahlbaeume.h"
#include "evaluation/gewinnverlust.h"
#include "printing/berichtsdruck.h"
#include "store/datenbestand.h"
#include "store/einstellungen.h"
#include "store/ports.h"

class QLabel;
class QPushButton;
class QTableView;
class QTreeWidget;
class QtBerichtsdruck;
class QtGridModell;

class TGewinnVerlustDlg : public QDialog {
    Q_OBJECT
public:
    TGewinnVerlustDlg(talerwerk::Datenbestand& bestand, const talerwerk::Einstellungen& einstellungen,
                      const talerwerk::Uhr& uhr, QWidget* eltern = nullptr);

    // Rebuilds both trees (first nodes chosen), computes and shows the dialog modally.
    void Ausfuehren();
    // Rebuilds the trees and computes, without showing (Ausfuehren does this first).
    void Vorbereiten();
    // Recomputes the table from the store with the current choices.
    void Berechnen();
    // The print request for the current choices: the rows the table shows.
    talerwerk::Berichtsanfrage Druckanfrage() const;

    // Components under their own names.
    QLabel* Label1 = nullptr;
    QTableView* BetragGrid = nullptr;
    QLabel* KontenLabel = nullptr;
    QTreeWidget* KontoTreeView = nullptr;
    QLabel* Label2 = nullptr;
    QTreeWidget* ZeitTreeView = nullptr;
    QPushButton* BitBtn3 = nullptr;
    QPushButton* DruckBtn = nullptr;
    QPushButton* CsvBtn = nullptr;
    QPushButton* VorschauBtn = nullptr;
    QPushButton* PdfBtn = nullptr;
    QtBerichtsdruck* Druck = nullptr;  // printer, preview and PDF
    QtGridModell* Modell = nullptr;

private:
    talerwerk::GewinnVerlustOptionen Optionen() const;

    talerwerk::Datenbestand& bestand_;
    const talerwerk::Uhr& uhr_;
    talerwerk::Auswahlbaum kontoBaum_;
    talerwerk::Auswahlbaum zeitBaum_;
    bool fuellen_ = false;  // the trees are being filled: their changes are no choice
};
