#pragma once
// "Auswertung - Rubrik-Zeit-Übersicht": the income and expense categories against the months or
// years of a period, for one account selection.

#include "evaluation/trubriktabelledlg.h"

class TRubrZeitDlg : public TRubrikTabelleDlg {
    Q_OBJECT
public:
    TRubrZeitDlg(talerwerk::Datenbestand& bestand, const talerwerk::Einstellungen& einstellungen,
                 const talerwerk::Uhr& uhr, QWidget* eltern = nullptr);
};
