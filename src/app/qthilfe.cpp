#include "app/qthilfe.h"

#include <QWidget>

namespace {

// Object names of the windows (as each window sets it) and their sections of the help page.
const HilfeEintrag kEintraege[] = {
    {"Prog_Fenster", "hauptfenster"},
    {"BuchungDlg", "buchung"},
    {"GeheZuDlg", "buchung"},
    {"BListeDlg", "liste"},
    {"FilterPlanDlg", "filter"},
    {"FilterDatDlg", "filter"},
    {"rgmBuchungPlanDlg", "regelmaessig"},
    {"rgmBuchungDatDlg", "regelmaessig"},
    {"ZeitraumDlg", "regelmaessig"},
    {"VorlagenPlanDlg", "vorlagen"},
    {"VorlagenDatDlg", "vorlagen"},
    {"TextBausteinDlg", "textbausteine"},
    {"KontoPlanDlg", "kontenplan"},
    {"KontoDatDlg", "kontenplan"},
    {"MandantDlg", "mandant"},
    {"PasswortDlg", "schutz"},
    {"NeuDlg", "neu"},
    {"KtoStandDlg", "kontostaende"},
    {"KontenblattDlg", "kontenblatt"},
    {"RubrKtoDlg", "rubriken"},
    {"RubrZeitDlg", "rubriken"},
    {"GewinnVerlustDlg", "einnahmenausgaben"},
    {"GesEntwDlg", "gesamtentwicklung"},
    {"BuchgUebersichtDlg", "uebersicht"},
    {"DruckDlg", "drucken"},
    {"Druck1Dlg", "drucken"},
    {"RechnerDlg", "rechner"},
    {"EinstellungDlg", "einstellungen"},
    {"SicherungDlg", "sicherung"},
};

}  // namespace

QString HilfeAbschnitt(const QWidget* w) {
    for (; w; w = w->parentWidget()) {
        const QString name = w->objectName();
        for (const HilfeEintrag& e : kEintraege)
            if (name == QLatin1String(e.Fenster)) return QString::fromLatin1(e.Abschnitt);
    }
    return {};
}

const HilfeEintrag* HilfeEintraege(int& anzahl) {
    anzahl = static_cast<int>(std::size(kEintraege));
    return kEintraege;
}
