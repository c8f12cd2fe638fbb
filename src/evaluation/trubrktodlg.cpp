#include "evaluation/trubrktodlg.h"

TRubrKtoDlg::TRubrKtoDlg(talerwerk::Datenbestand& bestand, const talerwerk::Einstellungen& einstellungen,
                         const talerwerk::Uhr& uhr, QWidget* eltern)
    : TRubrikTabelleDlg(bestand, einstellungen, uhr, QStringLiteral("Auswertung - Rubrik-Konto-Übersicht"),
                        &talerwerk::RubrikKontoAufbauen, &talerwerk::RubrikKontoDruck, false, eltern) {
    setObjectName(QStringLiteral("RubrKtoDlg"));
}
