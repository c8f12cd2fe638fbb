#pragma once
// The booking window: single bookings are typed, looked at, changed, cancelled and deleted here. A
// child window of the main window (at most one). It shows one position of the booking cursor at a
// time, an existing booking or the blank new booking at the end.
//
// Every rule about storing, numbering, validating, deleting and moving is the core's
// (talerwerk::Buchungseingabe); this window is its Buchungsmaske: it hands over the field texts,
// shows what the core decides and turns clicks and keys into its commands.
//
//   auto* w = new TBuchungDlg(d, einstellungen, meldungen, uhr, [&](int art) { AnsichtenAktualisieren(art); });
//   w->BefehleGeaendert = [&](bool b, bool v, bool l) { … };   // the main window's menu items
//   d.AktIndex = position; w->AktIndexZeigen();

#include <QPointer>
#include <QRect>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bookings/buchungsmaske.h"
#include "bookings/buchungsoperationen.h"
#include "store/datenbestand.h"
#include "store/einstellungen.h"
#include "store/ports.h"

class QAbstractButton;
class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QToolButton;
class QtBetragsfeld;
class QtDatumsfeld;
class QtSuchfeld;
class TGeheZuDlg;

class TBuchungDlg : public QWidget, public talerwerk::Buchungsmaske {
    Q_OBJECT
public:
    TBuchungDlg(talerwerk::Datenbestand& d, const talerwerk::Einstellungen& einstellungen,
                talerwerk::Meldungen& meldungen, const talerwerk::Uhr& uhr,
                std::function<void(int)> aktualisieren = {}, QWidget* eltern = nullptr);
    ~TBuchungDlg() override;

    // ---- what the main window and the other windows call ----
    // Shows the booking at AktIndex (after the pending-change check) with the window's show steps.
    void AktIndexZeigen();
    void BuchenBtnClick();
    void VerwerfenBtnClick();
    void LoeschBtnClick();
    // The main window's delete: the booking that moves up into the position is shown next.
    void LoeschenHauptfenster();
    void ModusBtnClick();
    void AnfangBtnClick();
    void ZurueckBtnClick();
    void VorBtnClick();
    void EndeBtnClick();
    // The go-to field gets the focus with its text selected (the main window's "Gehe zu...").
    void GeheZuFeld();
    // The go-to dialog, used from the window: found is shown, not found beeps.
    void GeheZuDialog();
    // The chart or the snippets changed: rebuild the lookup trees and show the position again.
    void ListenNeuAufbauen();
    // A recurring booking was appended while the window is open.
    void RgmBuchungAngehaengt();
    // The calculator's result for the amount field.
    void RechnerUebernahme(const std::string& anzeige);
    // A template chosen in the template list: its values go into the fields as changes.
    void VorlageUebernehmen(const talerwerk::buchungstyp& vorlage);

    // The controls in the order Tab visits them (disabled and hidden ones are skipped).
    std::vector<QWidget*> Tabfolge() const;
    // The focus as the window takes it when it is opened: the date field, or the window itself
    // while editing is locked.
    void ErstesFeldFokussieren();

    talerwerk::Buchungseingabe& Eingabe() { return *eingabe_; }
    bool Gesperrt() const;

    // Hooks the main window fills in. BefehleGeaendert: "Buc&hen", "&Verwerfen", "&Löschen" of the
    // main menu follow the window's buttons. ListeZeigen / VorlageZeigen: "L&iste", "V&orlage".
    // NachVorne: bring the window's frame to the front.
    std::function<void(bool buchen, bool verwerfen, bool loeschen)> BefehleGeaendert;
    std::function<void()> ListeZeigen;
    std::function<void()> VorlageZeigen;
    std::function<void()> NachVorne;

    // Placement of the window, kept while the program runs (starts at 5, 5, 529 × 346).
    static QRect Lage();
    // The settings file whose section "Buchung" keeps the placement between program runs.
    void LageDateiSetzen(const QString& einstellungsDatei) { lageDatei_ = einstellungsDatei; }

    // ---- Buchungsmaske ----
    std::string Text(talerwerk::MaskenFeld feld) const override;
    void SetzeText(talerwerk::MaskenFeld feld, const std::string& text) override;
    bool Storniert() const override;
    void SetzeStorniert(bool storniert) override;
    int32_t BArt() const override;
    void SetzeBArt(int32_t bart) override;
    const talerwerk::Suchbaum& Konto1Liste() const override;
    const talerwerk::Suchbaum& Konto2Liste() const override;
    void Fokus(talerwerk::MaskenFeld feld) override;
    void Zustand(const talerwerk::Maskenzustand& zustand) override;

    // ---- components ----
    QFrame* Daten;
    QLabel* IdentNrLabel;
    QLabel* HinweisLabel1;
    QLabel* HinweisLabel2;
    QLabel* kennungLabel;
    QtDatumsfeld* DatumEdit;
    QtBetragsfeld* BetragEdit;
    QLabel* WaehrungLabel;
    QtSuchfeld* Konto1Edit;
    QtSuchfeld* Konto2Edit;
    QtSuchfeld* TextEdit;
    QLabel* Konto1EditLabel;
    QLabel* RubrikLabel;
    QLabel* TextEditLabel;
    QLineEdit* BelegnrEdit;
    QLineEdit* BemerkungEdit;
    QCheckBox* StorniertCBox;
    QFrame* Panel1;
    QLabel* BArtLabel;
    QLabel* vonLabel;
    QLabel* Konto1Label;
    QLabel* aufLabel;
    QLabel* Konto2Label;
    QLabel* EinnahmeImage;
    QLabel* AusgabeImage;
    QLabel* UmbuchgImage;
    QGroupBox* GroupBox1;
    QRadioButton* EinnahmeRBtn;
    QRadioButton* AusgabeRBtn;
    QRadioButton* UmbuchungRBtn;
    QPushButton* BuchenBtn;
    QPushButton* VerwerfenBtn;
    QPushButton* LoeschBtn;
    QPushButton* VorlageBtn;
    QPushButton* ListeBtn;
    QPushButton* ModusBtn;
    QToolButton* AnfangBtn;
    QToolButton* ZurueckBtn;
    QToolButton* VorBtn;
    QToolButton* EndeBtn;
    QLineEdit* GeheZuEdit;
    QPushButton* BitBtn1;
    QMenu* BuchungPopUp;
    QAction* PopupBuchen;
    QAction* PopupVerwerfen;
    QAction* PopupLoeschen;
    QAction* PopupGeheZu;
    QAction* PopupVorlage;
    QAction* PopupListe;
    TGeheZuDlg* GeheZuDlg;

    // The button Enter presses: BuchenBtn, or VorBtn while editing is locked.
    QAbstractButton* StandardKnopf() const { return standard_; }

signals:
    void Geschlossen();

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;
    void closeEvent(QCloseEvent* ereignis) override;
    void keyPressEvent(QKeyEvent* ereignis) override;
    void focusInEvent(QFocusEvent* ereignis) override;
    // Tab and Shift+Tab walk Tabfolge() and wrap around inside the window.
    bool focusNextPrevChild(bool vor) override;
    void showEvent(QShowEvent* ereignis) override;

private:
    void Aufbauen();
    void ListenAufbauen();
    void Konto1Geaendert();
    void Konto2Geaendert();
    void TextGetippt();
    void TextVerlassen();
    void BuchenFreigeben(bool frei);
    void LoeschenSichtbarkeit();
    bool FokusInBaum() const;
    QtSuchfeld* OffenerBaum() const;
    bool GeheZuNummer();  // the number in GeheZuEdit, when it has the focus; true if handled
    void Bewegen(const std::function<void()>& bewegung);
    void GeheZuZuruecksetzen();
    bool Taste(QKeyEvent* taste);

    talerwerk::Datenbestand& d_;
    const talerwerk::Einstellungen& einstellungen_;
    talerwerk::Meldungen& meldungen_;
    const talerwerk::Uhr& uhr_;
    std::unique_ptr<talerwerk::Buchungseingabe> eingabe_;
    talerwerk::Suchbaum leer_;
    QAbstractButton* standard_ = nullptr;
    int32_t bart_ = 0;
    bool buchenFrei_ = false;
    bool loeschenFrei_ = false;
    bool geschlossen_ = false;
    bool platziert_ = false;
    QString lageDatei_;
};
