#pragma once
// The main window: frames the child windows in an MDI area, owns the store and the settings, and
// carries the file commands, both main menus, the tool bar and the status bar.
//
// Other windows plug in without this file knowing them:
//   fenster.KindfensterFabrikSetzen(TProg_Fenster::KontoStand,
//       [](TProg_Fenster& h) { return new TKtoStandDlg(h.Bestand(), h.Programmeinstellungen()); });
//   fenster.BefehlSetzen("Kontenplan1Click", [&] { TKontoPlanDlg dlg(...); dlg.exec(); });
// A child window that follows changes implements TAnsicht (or is given a refresh function with its
// factory); after a change, whoever changed the store calls fenster.AnsichtenAktualisieren(art).
//
// Menu items and tool bar buttons are bound to their handlers by name; UngebundeneBefehle() lists
// the commands whose work nobody has plugged in. Alt+letter goes to the active child window when
// one of its controls carries that letter, else to the menu bar; F10 and Alt alone open the menu.

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <set>

#include "store/dateisperre.h"
#include "store/datenbestand.h"
#include "store/einstellungen.h"
#include "store/ports.h"

class QAction;
class QDialog;
class QFrame;
class QKeyEvent;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPrinter;
class QTimer;
class QToolBar;
class QToolButton;

// A child window that is refreshed after changes of the store. `art` is the refresh kind
// (1 content after bookings changed, 2 everything, 3 lookup lists, 4 balances, 5 list display);
// the window is only called with kinds that concern it.
class TAnsicht {
public:
    virtual ~TAnsicht() = default;
    virtual void AnsichtAktualisieren(int art) = 0;
};

class TProg_Fenster : public QMainWindow {
    Q_OBJECT
public:
    // The single child windows, and the account sheet of which every command opens a new one.
    enum Kind { Buchung, KontoStand, BListe, Rechner, Kontenblatt, KindAnzahl };
    using Fabrik = std::function<QWidget*(TProg_Fenster&)>;

    // programmPfad: the program file (settings file and start-up argument are found from it);
    // argumente: the command line without the program name.
    TProg_Fenster(talerwerk::Meldungen& meldungen, talerwerk::Kennwortabfrage& kennwortabfrage,
                  const QString& programmPfad, const QStringList& argumente = {},
                  QWidget* eltern = nullptr);
    ~TProg_Fenster() override;

    talerwerk::Datenbestand& Bestand() { return bestand_; }
    talerwerk::Einstellungen& Programmeinstellungen() { return einstellungen_; }
    talerwerk::Meldungen& Meldung() { return meldungen_; }
    talerwerk::Kennwortabfrage& Kennwort() { return kennwortabfrage_; }
    const talerwerk::Uhr& Uhrzeit() const { return *uhr_; }
    talerwerk::Zufall& Zufallszahlen() { return *zufall_; }
    void UhrSetzen(const talerwerk::Uhr& uhr) { uhr_ = &uhr; }
    void ZufallSetzen(talerwerk::Zufall& zufall) { zufall_ = &zufall; }
    const QString& EinstellungsDatei() const { return einstellungsDatei_; }
    QMdiArea* Arbeitsflaeche() const { return Flaeche; }
    QPrinter& Drucker();

    // ---- plugging in the other windows ----
    // The factory makes the child window (a widget, or a QMdiSubWindow holding it). Refreshes
    // reach it through TAnsicht, or through `aktualisieren` for a window that does not derive
    // from TAnsicht.
    using Aktualisierung = std::function<void(QWidget* fenster, int art)>;
    void KindfensterFabrikSetzen(Kind kind, Fabrik fabrik, Aktualisierung aktualisieren = {});
    // What the "Buchung" menu asks of the booking window; each gets the window itself.
    struct Buchungsanschluss {
        std::function<void(QWidget*)> AktIndexZeigen;  // show the booking at Bestand().AktIndex
        std::function<void(QWidget*)> Buchen;
        std::function<void(QWidget*)> Verwerfen;
        std::function<void(QWidget*)> Loeschen;  // delete the shown booking and refresh (kind 1)
        std::function<void(QWidget*)> GeheZu;    // focus the window's own go-to field
    };
    void BuchungsanschlussSetzen(Buchungsanschluss anschluss) { buchung_ = std::move(anschluss); }
    // Registers the work behind a menu command, by the name of its handler. The main window keeps
    // the guards (file open, write protection) and the save question. Names consulted:
    //   Mandant1Click, Kontenplan1Click, Textbausteine1Click, Seiteeinrichten1Click (sets Geaendert
    //   on OK), Vorlage1Click, RegelmigeBuchungen1Click, Filter1Click, Gesamtentwicklun1Click,
    //   EinnahmeAusgabe1Click, Buchungsbersicht1Click, RubrikKonto1Click, RubrikZeit1Click,
    //   Einstellungen1Click, Gehezu1Click (only while no booking window is open),
    //   Neu1Click (the new-file dialog; it sets up the store and DateiOffen),
    //   RgmFaelligePruefen (the due check after a file was opened, when the settings ask for it).
    // False (and nothing registered) for a name the main window never consults.
    bool BefehlSetzen(const QString& name, std::function<void()> ausfuehren);
    // The handler names of menu items and tool bar buttons whose work is not plugged in (no
    // command of that name, no factory of the child window, no booking-window hook), sorted; a
    // menu item without a handler appears as "<component ohne Befehl>".
    QStringList UngebundeneBefehle() const;
    // Triggers a command by its handler name, as its menu item does.
    void BefehlAusloesen(const QString& befehl);

    // Opens the single child window of the kind, or restores and raises the existing one. For
    // Kontenblatt every call opens a new one. nullptr when no such window is plugged in. A new
    // window is placed so that it hides no other child window entirely, nor is hidden by one.
    QWidget* KindfensterZeigen(Kind kind);
    QWidget* Kindfenster(Kind kind) const;
    // The open account sheets, oldest first.
    QList<QWidget*> Kontenblaetter() const;
    // Puts any widget into the MDI area as a child window (deleted when closed).
    QMdiSubWindow* InArbeitsflaeche(QWidget* inhalt);

    // ---- the shell's operations ----
    void FormShow();  // the show steps; runs once, on the first show
    // On the first start (no placement in the settings file) the window grows, as far as the
    // screen allows, until a child window at `kindLage` in the work area is seen whole.
    void PlatzFuerKindfenster(const QRect& kindLage);
    void FensterAktualisieren(bool wiederoeffnen);
    // Closes the booking window, the booking list and the balances window, recording which were
    // open. False when a window kept itself open (a booking still being typed); the command that
    // asked then stops.
    bool FensterSchliessen();
    void BuchungsfensterZeigen(int32_t position);
    void AnsichtenAktualisieren(int art);
    // The booking window enables and disables "Buc&hen", "&Verwerfen" and "&Löschen".
    void BuchungsbefehleFreigeben(bool buchen, bool verwerfen, bool loeschen);
    void LogoZeigen(int millisekunden);
    bool LogoSichtbar() const;

    // The save question: true when the command may go on.
    bool SpeicherFrage();

    // ---- menu handlers (also called by the tool bar) ----
    void Neu1Click();
    void ffnen1Click();
    void Schliessen1Click();
    bool Speichern1Click();      // false: nothing saved (cancelled or failed)
    bool Speichernunter1Click();
    void Beenden1Click();
    // Lists the backup copies of the open file (or of a file chosen first) and opens the chosen
    // one as a new, unnamed file.
    void Wiederherstellen1Click();
    void Seiteeinrichten1Click();
    void Druckereinrichtung1Click();
    void Mandant1Click();
    void Kontenplan1Click();
    void Textbausteine1Click();
    void Bearbeiten1Click();
    void Hinzufgen1Click();
    void Buchen1Click();
    void Verwerfen1Click();
    void Loeschen1Click();
    void Gehezu1Click();
    void Suchen1Click();
    void Vorlage1Click();
    void RegelmigeBuchungen1Click();
    void Filter1Click();
    void Kontenblatt1Click();
    void Gesamtentwicklun1Click();
    void EinnahmeAusgabe1Click();
    void Buchungsbersicht1Click();
    void RubrikKonto1Click();
    void RubrikZeit1Click();
    void Kontostnde1Click();
    void Rechner1Click();
    void Symbolleiste1Click();
    void Statuszeile1Click();
    void Einstellungen1Click();
    void alleanordnen1Click();
    void Inhalt1Click();
    // Shows the help at `abschnitt` (an anchor of the help page; "" for the top).
    void HilfeZeigen(const QString& abschnitt);
    void Info1Click();

    // ---- state for tests and for the other windows ----
    bool MenueOffen() const { return menueOffen_; }
    QString StatusText(int panel) const;
    QAction* Aktion(const QString& komponente) const;  // a menu item by its component name
    // The folder the file dialogs start in, and their name filters (the data files first).
    QString DialogOrdner() const;
    static QStringList DateiFilter(bool oeffnen);

protected:
    // The file dialogs; tests override them to script the chosen name. Empty: cancelled.
    virtual QString OeffnenDateiWaehlen();
    virtual QString SpeichernDateiWaehlen();
    // The about box; returns when it is closed.
    virtual void InfoBoxZeigen();
    // What to do about a file another program holds: remove a stale lock (offered only when
    // `entfernbar`), open write-protected, or cancel.
    enum class SperrWahl { Entfernen, Schreibgeschuetzt, Abbrechen };
    virtual SperrWahl SperreFragen(const QString& text, bool entfernbar);
    // The backup copy to restore of `datei`; empty when cancelled.
    virtual QString SicherungWaehlen(const QString& datei);

    void showEvent(QShowEvent* ereignis) override;
    void closeEvent(QCloseEvent* ereignis) override;
    void resizeEvent(QResizeEvent* ereignis) override;
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    void MenuesAnlegen();
    void SymbolleisteAnlegen();
    void StatuszeileAnlegen();
    void LogoAnlegen();
    void LogoPlatzieren();
    void GeometrieAnwenden();
    void LeistenAnwenden();
    void HakenAktualisieren();
    void FenstermenueAufbauen();
    void BefehlAusfuehren(const QString& name);
    // The controls of the active child window that an Alt+letter key reaches (buttons and the
    // partners of labels, visible and enabled), in focus order; empty when none.
    QList<QWidget*> Zugriffsziele(const QKeyEvent* taste) const;
    void ZugriffstasteAusloesen(const QList<QWidget*>& ziele);
    bool DateiBefehl() const;  // false (and nothing happens) while no file is open
    bool SpeichernUnter(bool wiederoeffnen);
    // Reads `name` into the store under the file's lock; false (store untouched) when it could
    // not be opened or the user cancelled at a lock.
    bool DateiOeffnen(const std::string& name);
    // The lock of `name` for `sperre`; false when cancelled. `schreibgeschuetzt` is set when the
    // user chose to open the locked file write-protected.
    bool SperreNehmen(talerwerk::Dateisperre& sperre, const std::string& name, bool& schreibgeschuetzt);
    // The lock of `name` before the store is saved under that name: a file a running program
    // holds is not replaced; a stale lock is removed when the user agrees.
    bool SperreZumSpeichern(talerwerk::Dateisperre& sperre, const std::string& name);
    // Saves the store, keeping a backup copy of the file it replaces when the settings ask so.
    bool Sichern();
    bool KindSchliessen(Kind kind);
    // The account sheets show the trees of the store they were opened on: when the store is
    // replaced (new, open, close), they close.
    void KontenblaetterSchliessen();
    void KindfensterWiederOeffnen();
    void BuchungsbefehlHolen(const std::function<void(QWidget*)>& befehl);
    void LayoutAufzeichnen();
    void OrdnerMerken(const QString& datei);
    // A child window that has just been opened (by a command, or reopened with a file) moves
    // where it neither hides another one entirely nor is hidden by one.
    void FreiPlatzieren(QWidget* kind);

    QAction* NeueAktion(QMenu* menue, const char* komponente, const QString& text,
                        const QKeySequence& kuerzel, const char* befehl);
    void Binden(QAction* aktion, const QString& befehl);
    void HandlerAnlegen();
    QDialog* HilfeFensterAnlegen(QWidget* eltern);

    talerwerk::Meldungen& meldungen_;
    talerwerk::Kennwortabfrage& kennwortabfrage_;
    talerwerk::SystemUhr systemUhr_;
    talerwerk::SystemZufall systemZufall_;
    const talerwerk::Uhr* uhr_;
    talerwerk::Zufall* zufall_;

    talerwerk::Datenbestand bestand_;
    talerwerk::Dateisperre sperre_;      // the lock of the open, named file
    bool sicherungFehlerGemeldet_ = false;  // a failed backup is reported once per file
    talerwerk::Einstellungen einstellungen_;
    QString programmPfad_;
    QStringList argumente_;
    QString einstellungsDatei_;
    QString letzterOrdner_;
    bool gezeigt_ = false;
    bool menueOffen_ = false;
    bool beendet_ = false;
    bool ersteGroesse_ = false;  // no placement stored yet

    std::array<Fabrik, KindAnzahl> fabriken_{};
    std::array<Aktualisierung, KindAnzahl> aktualisierungen_{};
    Buchungsanschluss buchung_;
    std::array<QPointer<QWidget>, KindAnzahl> kinder_{};
    QList<QPointer<QWidget>> kontenblaetter_;
    std::map<QString, std::function<void()>> befehle_;
    // Every command by its handler name: what it runs and whether its work is plugged in.
    struct Handler {
        std::function<void()> ausfuehren;
        std::function<bool()> gebunden;
    };
    std::map<QString, Handler> handler_;
    std::set<QString> steckplaetze_;  // the names BefehlSetzen takes
    std::unique_ptr<QPrinter> drucker_;
    QPointer<QDialog> hilfe_;

public:
    // Components under their own names.
    QMdiArea* Flaeche = nullptr;
    QList<QMenu*> HauptMenue_geschlossen;
    QList<QMenu*> Hauptmenue_offen;
    QMenu* Fenster1 = nullptr;
    QMenu* StatusMenu = nullptr;
    QMenu* AuswertungPopUp = nullptr;
    QToolBar* BtnLeiste = nullptr;
    QToolButton* GesamtEntwBtn = nullptr;
    std::array<QLabel*, 3> StatusPanel{};
    QFrame* LogoPanel = nullptr;
    QTimer* LogoTimer = nullptr;

    QAction *Neu2 = nullptr, *MenuItem3 = nullptr, *Seiteeinrichten2 = nullptr,
            *Druckereinrichtung2 = nullptr, *Beenden2 = nullptr, *Rechner2 = nullptr,
            *Symbolleiste2 = nullptr, *Statuszeile2 = nullptr, *Einstellungen2 = nullptr,
            *Inhalt2 = nullptr, *Info2 = nullptr;
    QAction *Neu1 = nullptr, *ffnen1 = nullptr, *Schliessen1 = nullptr, *Speichern1 = nullptr,
            *Speichernunter1 = nullptr, *Seiteeinrichten1 = nullptr, *Druckereinrichtung1 = nullptr,
            *Beenden1 = nullptr, *Mandant1 = nullptr, *Rubriken1 = nullptr, *Textbausteine1 = nullptr,
            *Bearbeiten1 = nullptr, *Hinzufgen1 = nullptr, *Buchen1 = nullptr, *Verwerfen1 = nullptr,
            *Loeschen1 = nullptr, *Gehezu1 = nullptr, *Suchen1 = nullptr, *Vorlage1 = nullptr,
            *RegelmigeBuchungen1 = nullptr, *Filter1 = nullptr, *Kontenblatt1 = nullptr,
            *Gesamtentwicklun1 = nullptr, *EinnahmeAusgabe1 = nullptr, *Buchungsbersicht1 = nullptr,
            *RubrikKonto1 = nullptr, *RubrikZeit1 = nullptr, *Kontostnde1 = nullptr,
            *Rechner1 = nullptr, *Symbolleiste1 = nullptr, *Statuszeile1 = nullptr,
            *Einstellungen1 = nullptr, *alleanordnen1 = nullptr, *Inhalt1 = nullptr,
            *Info1 = nullptr;
    QAction *StatusSymbolleiste = nullptr, *StatusStatuszeile = nullptr;
};
