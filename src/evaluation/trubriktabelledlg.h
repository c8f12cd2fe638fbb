#pragma once
// What the two category cross tables have in common: the account and period trees, the options,
// the table and the buttons. TRubrKtoDlg (categories × accounts) and TRubrZeitDlg (categories ×
// periods) differ only in the builder they call and in the period-mode radio group the second
// one adds. Both are modal and made once; every showing rebuilds the trees and recomputes.

#include <QDialog>

#include "evaluation/auswahlbaeume.h"
#include "evaluation/rubriktabellen.h"
#include "printing/berichtsdruck.h"
#include "store/datenbestand.h"
#include "store/einstellungen.h"
#include "store/ports.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableView;
class QTreeWidget;
class QtBerichtsdruck;
class QtGridModell;

class TRubrikTabelleDlg : public QDialog {
    Q_OBJECT
public:
    // Rebuilds both trees from the store (first nodes chosen), computes and shows the dialog
    // modally until it is closed.
    void Ausfuehren();
    // Rebuilds the trees and computes, without showing (Ausfuehren does this first).
    void Vorbereiten();
    // Recomputes the table from the store with the current choices.
    void Berechnen();
    // The print request for the current choices: the rows the table shows.
    talerwerk::Berichtsanfrage Druckanfrage() const;

    // Components under their own names.
    QLabel* KontenLabel = nullptr;
    QTreeWidget* KontoTreeView = nullptr;
    QLabel* Label2 = nullptr;
    QTreeWidget* ZeitTreeView = nullptr;
    QGroupBox* ZeitRBtn = nullptr;  // only in the category × period table
    QRadioButton* MonatlichRBtn = nullptr;
    QRadioButton* JaehrlichRBtn = nullptr;
    QCheckBox* UnterrubrikChBox = nullptr;
    QCheckBox* AnteilChBox = nullptr;
    QGroupBox* AnzeigeRBtn = nullptr;
    QRadioButton* LangRBtn = nullptr;
    QRadioButton* KurzRBtn = nullptr;
    QLabel* Label1 = nullptr;
    QTableView* BetragGrid = nullptr;
    QPushButton* BitBtn4 = nullptr;  // "&Drucken"
    QPushButton* VorschauBtn = nullptr;
    QPushButton* PdfBtn = nullptr;
    QtBerichtsdruck* Druck = nullptr;  // printer, preview and PDF
    QPushButton* BitBtn3 = nullptr;
    QPushButton* CsvBtn = nullptr;
    QtGridModell* Modell = nullptr;

protected:
    using Aufbau = talerwerk::RubrikTabelle (*)(const talerwerk::Datenbestand&,
                                                const talerwerk::RubrikTabellenOptionen&);
    using Druckaufbau = talerwerk::Berichtsanfrage (*)(const talerwerk::Datenbestand&,
                                                       const talerwerk::RubrikTabellenOptionen&);
    TRubrikTabelleDlg(talerwerk::Datenbestand& bestand, const talerwerk::Einstellungen& einstellungen,
                      const talerwerk::Uhr& uhr, const QString& titel, Aufbau aufbau, Druckaufbau druckaufbau,
                      bool mitZeitModus, QWidget* eltern);

private:
    talerwerk::RubrikTabellenOptionen Optionen() const;

    talerwerk::Datenbestand& bestand_;
    const talerwerk::Einstellungen& einstellungen_;
    const talerwerk::Uhr& uhr_;
    Aufbau aufbau_;
    Druckaufbau druckaufbau_;
    talerwerk::Auswahlbaum kontoBaum_;
    talerwerk::Auswahlbaum zeitBaum_;
    bool fuellen_ = false;  // the trees are being filled: their changes are no choice
    int summenSpalte_ = 1;  // display column of the totals in the table shown
};
