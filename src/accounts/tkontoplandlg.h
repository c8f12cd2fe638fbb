#pragma once
// "Konten und Rubriken": the chart of accounts and categories as a tree. New entries and deletions
// stay in the tree until the dialog is closed with "Schließen" (or Escape); then Konten is rebuilt
// in tree order and the views that show accounts are refreshed. The close box drops them. Edits
// made through "Bearbeiten" reach the chart at once.
//
//   TKontoPlanDlg dlg(d, meldungen, zufall, [&](int art) { fenster.AnsichtenAktualisieren(art); }, eltern);
//   dlg.Ausfuehren();   // modal; created once and reused

#include <QDialog>

#include <functional>
#include <memory>

#include "accounts/kontenplan.h"
#include "store/datenbestand.h"
#include "store/ports.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class TKontoDatDlg;

class TKontoPlanDlg : public QDialog {
    Q_OBJECT
public:
    TKontoPlanDlg(talerwerk::Datenbestand& d, talerwerk::Meldungen& meldungen, talerwerk::Zufall& zufall,
                  std::function<void(int)> aktualisieren, QWidget* eltern = nullptr);
    ~TKontoPlanDlg() override;

    // Fills the tree from Konten, shows the dialog modally and applies the tree when it was
    // closed with "Schließen" or Escape.
    void Ausfuehren();

    // The steps of Ausfuehren, for callers that drive the dialog themselves.
    void Vorbereiten();
    void Abschliessen();

    const talerwerk::Kontenplan& Plan() const { return *plan_; }
    TKontoDatDlg* KontoDatDlg() const { return kontoDatDlg_; }

    QTreeWidget* Outline1;
    QLabel* RubrikLabel;
    QLabel* HinweisLabel;
    QLabel* BuchungLabel;
    QPushButton* BearbeitenBtn;
    QPushButton* EinfgBtn;
    QPushButton* LoeschBtn;
    QPushButton* AbbruchBtn;
    QMenu* PopupMenu1;
    QAction* Bearbeiten1;
    QAction* Neu1;
    QAction* Loeschen1;

    void BearbeitenBtnClick();
    void EinfgBtnClick();
    void LoeschBtnClick();

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void KnoepfeSetzen();
    bool Bearbeiten(QTreeWidgetItem* item);
    int Position(const QTreeWidgetItem* item) const;
    QTreeWidgetItem* Item(int position) const;

    talerwerk::Datenbestand& d_;
    talerwerk::Meldungen& meldungen_;
    talerwerk::Zufall& zufall_;
    std::function<void(int)> aktualisieren_;
    TKontoDatDlg* kontoDatDlg_;
    std::unique_ptr<talerwerk::Kontenplan> plan_;
    talerwerk::Nutzung nutzung_;
};
