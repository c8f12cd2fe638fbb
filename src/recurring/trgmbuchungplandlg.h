#pragma once
// "Regelmäßige Buchungen": the list of recurring bookings (new, edit, delete, with a preview) and
// the list of due occurrences (execute the selected ones or all, change the due window). The
// schedule, the execution and the list's rules are the core's (rgmplan.h, rgmausfuehrung.h,
// rgmverwaltung.h); this window shows them and passes the clicks on.
//
//   TrgmBuchungPlanDlg dlg(d, einstellungen, meldungen, uhr, zufall, hauptfenster);
//   dlg.AnschlussSetzen(anschluss);        // booking window and views of the main window
//   dlg.FaelligeRgmPruefen(false);         // after opening a file: only when something is due
//   dlg.FaelligeRgmPruefen(true);          // the menu command: always

#include <QDialog>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "recurring/rgmausfuehrung.h"
#include "recurring/rgmplan.h"
#include "recurring/rgmverwaltung.h"
#include "store/datenbestand.h"
#include "store/einstellungen.h"
#include "store/ports.h"

class QFrame;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QTabWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;
class TrgmBuchungDatDlg;
class TZeitraumDlg;

class TrgmBuchungPlanDlg : public QDialog {
    Q_OBJECT
public:
    TrgmBuchungPlanDlg(talerwerk::Datenbestand& d, const talerwerk::Einstellungen& einstellungen,
                       talerwerk::Meldungen& meldungen, const talerwerk::Uhr& uhr, talerwerk::Zufall& zufall,
                       QWidget* eltern = nullptr);
    ~TrgmBuchungPlanDlg() override;

    void AnschlussSetzen(talerwerk::RgmAnschluss anschluss) { anschluss_ = std::move(anschluss); }

    // The due check. immer = false: the window opens on the due page only when something is due,
    // else "Keine regelmäßigen Buchungen fällig!" when the settings ask for it. immer = true: the
    // window opens in any case, on the page shown last. Returns the number of due rows found.
    int FaelligeRgmPruefen(bool immer);
    // Step by step (FaelligeRgmPruefen does these): prepare the window, true when it is to be shown;
    // then exec() or show(). Closing writes the list back into RgmBuchungen.
    bool Oeffnen(bool immer, int& anzahl);

    // The editor and the window dialog; tests put scripted ones in their place.
    std::function<bool(talerwerk::buchungstyp&)> Editor;
    std::function<bool(int32_t& tage, bool& vorgabe)> ZeitraumFragen;

    // ---- commands ----
    void NeuBtnClick();
    void BearbeitenBtnClick();
    void LoeschBtnClick();
    void AusfuehrenBtnClick();
    void AlleAusfuehrenBtnClick();
    void SpeedButton1Click();
    void SpalteSortieren(int spalte);

    const std::vector<talerwerk::FaelligeZeile>& Zeilen() const { return zeilen_; }
    int32_t Tage() const { return tage_; }
    const talerwerk::RgmVerwaltung* Verwaltung() const { return verwaltung_.get(); }
    // The recurring booking selected in the tree, -1 for the root or none.
    int Gewaehlt() const;

    QTabWidget* PageControl1;
    QWidget* ListeTabsheet;
    QWidget* BuchgTabSheet;
    // list page
    QLabel* VorlLabel;
    QTreeWidget* Outline1;
    QPushButton* BearbeitenBtn;
    QPushButton* NeuBtn;
    QPushButton* LoeschBtn;
    QPushButton* AbbruchBtn;
    QMenu* PopupMenu1;
    QFrame* Panel1;
    QLabel* BArtLabel;
    QLabel* Text1Label;
    QLabel* Konto1Label;
    QLabel* Text2Label;
    QLabel* Konto2Label;
    QLabel* Label2;
    QLabel* BetragLabel;
    QLabel* Label3;
    QLabel* TextLabel;
    QLabel* Label1;
    QLabel* FaelligLabel;
    QListWidget* MonatsListBox;
    // due page
    QLabel* Label4;
    QLabel* aktDatumLabel;
    QLabel* Label5;
    QLabel* letztesDatumLabel;
    QLabel* AnzLabel;
    QLabel* ZeitraumLabel;
    QToolButton* SpeedButton1;
    QTreeWidget* ListView1;
    QPushButton* AusfuehrenBtn;
    QPushButton* AlleAusfuehrenBtn;
    QPushButton* BitBtn1;
    QPushButton* CsvBtn = nullptr;  // the due list as CSV
    QLabel* LeerLabel;

public slots:
    void done(int ergebnis) override;

private:
    void Aufbauen();
    void BaumAufbauen();
    void ListeGeaendert(bool faelligeNeu = true);  // preview, buttons, focus, due list
    void Vorschau();
    void FaelligeBerechnen();
    void FaelligeZeigen();
    void AusfuehrKnoepfe();
    void Ausfuehren(const std::vector<talerwerk::FaelligeZeile>& zeilen);
    bool EintragBearbeiten(int index);
    void Doppelklick(QTreeWidgetItem* eintrag);

    talerwerk::Datenbestand& d_;
    const talerwerk::Einstellungen& einstellungen_;
    talerwerk::Meldungen& meldungen_;
    const talerwerk::Uhr& uhr_;
    talerwerk::Zufall& zufall_;
    talerwerk::RgmAnschluss anschluss_;
    std::unique_ptr<talerwerk::RgmVerwaltung> verwaltung_;
    std::vector<talerwerk::FaelligeZeile> zeilen_;
    int32_t tage_ = 28;
    int32_t heute_ = 0;
    int sortierung_ = talerwerk::FaelligSpalteName;
    QWidget* letzteSeite_ = nullptr;
    QTreeWidgetItem* wurzel_ = nullptr;
    TrgmBuchungDatDlg* editor_;
    TZeitraumDlg* zeitraum_;
};
