#pragma once
// "Auswertung - Rubrik-Konto-Übersicht": the income and expense categories against the accounts
// of an account selection, over a period.

#include "evaluation/trubriktabelledlg.h"

class TRubrKtoDlg : public TRubrikTabelleDlg {
    Q_OBJECT
public:
    TRubrKtoDlg(talerwerk::Datenbestand& bestand, const talerwerk::Einstellungen& einstellungen,
                const talerwerk::Uhr& uhr, QWidget* eltern = nullptr);
};
