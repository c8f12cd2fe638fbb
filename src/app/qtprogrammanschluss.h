#pragma once
// What the desktop program plugs into its main window: Qt's German texts, the modal dialogs
// (created once and reused for the whole run) and the binding of every menu command and child
// window to the window that does its work. main() calls these; the tests call them too, so that
// a command left without its work is found.
//
//   QApplication app(argc, argv);
//   DeutscheTexteLaden(app);
//   StilAnwenden(app);
//   TProg_Fenster fenster(meldungen, kennwortabfrage, programmPfad, argumente);
//   Dialoge dialoge(fenster);
//   FensterAnschliessen(fenster, dialoge);

#include "accounts/tmandantdlg.h"
#include "accounts/tkontoplandlg.h"
#include "app/teinstellungdlg.h"
#include "app/tneudlg.h"
#include "bookings/tfilterplandlg.h"
#include "bookings/tgehezudlg.h"
#include "bookings/ttextbausteindlg.h"
#include "bookings/tvorlagenplandlg.h"
#include "evaluation/tbuchguebersichtdlg.h"
#include "evaluation/tgesentwdlg.h"
#include "evaluation/tgewinnverlustdlg.h"
#include "evaluation/trubrktodlg.h"
#include "evaluation/trubrzeitdlg.h"
#include "printing/tdruckdlg.h"
#include "recurring/trgmbuchungplandlg.h"

class QApplication;
class TProg_Fenster;

// Installs Qt's German translation (qtbase_de) for Qt's own texts: file dialogs, the context
// menus of edit fields, the buttons of Qt's dialogs. False when it is not installed.
bool DeutscheTexteLaden(QApplication& app);

// The program's widget style (Qt's own, with the keyboard focus clearly shown on buttons).
void StilAnwenden(QApplication& app);

// The modal dialogs: created once and reused for the whole run.
struct Dialoge {
    explicit Dialoge(TProg_Fenster& fenster);
    TEinstellungDlg einstellungen;
    TMandantDlg mandant;
    TKontoPlanDlg kontenplan;
    TGeheZuDlg gehezu;
    TTextBausteinDlg textbausteine;
    TGewinnVerlustDlg gewinnverlust;
    TRubrKtoDlg rubrikkonto;
    TRubrZeitDlg rubrikzeit;
    TGesEntwDlg gesamtentwicklung;
    TBuchgUebersichtDlg uebersicht;
    TrgmBuchungPlanDlg rgmPlan;
    TFilterPlanDlg filter;
    TVorlagenPlanDlg vorlagen;
    TNeuDlg neu;
    TDruckDlg seite;
};

// Binds the menu commands and child windows to the windows that do the work.
void FensterAnschliessen(TProg_Fenster& fenster, Dialoge& dialoge);
