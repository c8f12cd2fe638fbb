#include "evaluation/trubrzeitdlg.h"

TRubrZeitDlg::TRubrZeitDlg(talerwerk::Datenbestand& bestand, const talerwerk::Einstellungen& einstellungen,
                           const talerwerk::Uhr& uhr, QWidget* eltern)
    : TRubrikTabelleDlg(bestand, einstellungen, uhr, QStringLiteral("Auswertung - Rubrik-Zeit-Übersicht"),
                        &talerwerk::RubrikZeitAufbauen, &talerwerk::RubrikZeitDruck, true, eltern) {
    setObjectName(QStringLiteral("RubrZeitDlg"));
}
