#pragma once
// "Vorlagen": the list of templates (new, edit, delete, with a summary of the selected one), from
// which a template is chosen for the booking being entered. New templates, edits and deletions
// are made on the list's own copies (talerwerk::VorlagenListe); when the list closes, whatever
// closed it, Vorlagen is rebuilt from the tree in tree order.
//
//   TVorlagenPlanDlg dlg(d, meldungen, eltern);          // created once and reused
//   talerwerk::buchungstyp vorlage;
//   if (dlg.VorlageWaehlen(buchungsfensterOffen, vorlage)) buchung->VorlageUebernehmen(vorlage);

#include <QDialog>

#include <functional>
#include <memory>

#include "bookings/vorlagen.h"
#include "store/datenbestand.h"
#include "store/ports.h"

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class TVorlagenDatDlg;

class TVorlagenPlanDlg : public QDialog {
    Q_OBJECT
public:
    // The list's result when "&Einfügen" closed it ("&Schließen" and Esc give Accepted).
    static constexpr int Einfuegen = 2;

    TVorlagenPlanDlg(talerwerk::Datenbestand& d, talerwerk::Meldungen& meldungen, QWidget* eltern = nullptr);
    ~TVorlagenPlanDlg() override;

    // Shows the list modally, with or without the possibility to insert. True when the list was
    // closed with "&Einfügen"; `gewaehlt` then holds the chosen template.
    bool VorlageWaehlen(bool einfuegenErlaubt, talerwerk::buchungstyp& gewaehlt);
    // The opening steps of VorlageWaehlen, for callers (tests) that drive the list themselves.
    void Oeffnen(bool einfuegenErlaubt);
    // The template chosen when the list closed with "&Einfügen".
    const talerwerk::buchungstyp& Gewaehlt() const { return gewaehlt_; }

    // The editor of one template; tests put a scripted one in its place.
    std::function<bool(talerwerk::buchungstyp&)> Editor;
    TVorlagenDatDlg* DatDlg() const { return datDlg_; }

    // The template selected in the tree, -1 for the heading or none.
    int Auswahl() const;
    // The templates in tree order, as Vorlagen will be after closing (empty while closed).
    std::vector<talerwerk::buchungstyp> Baumvorlagen() const;

    void NeuBtnClick();
    void BearbeitenBtnClick();
    void LoeschBtnClick();
    void EinfuegenBtnClick();

    QTreeWidget* Outline1;
    QLabel* VorlLabel;
    QLabel* HinweisLabel;
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
    QPushButton* NeuBtn;
    QPushButton* BearbeitenBtn;
    QPushButton* LoeschBtn;
    QPushButton* EinfuegenBtn;
    QPushButton* AbbruchBtn;
    QMenu* PopupMenu1;
    QAction* Bearbeiten1;
    QAction* Neu1;
    QAction* Loeschen1;

public slots:
    void done(int ergebnis) override;
    // Esc closes the list as "&Schließen" does.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* ereignis) override;

private:
    void Aufbauen();
    void BaumAufbauen();
    void AuswahlZeigen();  // summary, buttons, limit hint, focus back to the tree
    bool EintragBearbeiten(int index);
    void Doppelklick(QTreeWidgetItem* item);
    QTreeWidgetItem* Kopf() const;

    talerwerk::Datenbestand& d_;
    talerwerk::Meldungen& meldungen_;
    TVorlagenDatDlg* datDlg_;
    std::unique_ptr<talerwerk::VorlagenListe> liste_;
    talerwerk::buchungstyp gewaehlt_;
    bool einfuegenErlaubt_ = false;
};
