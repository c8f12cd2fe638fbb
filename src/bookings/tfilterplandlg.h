#pragma once
// "Filter": the saved filters as a tree below the heading "Filter". New filters, edits and
// deletions are made on the tree's own copies; when the dialog closes (in any way) Filterliste is
// rebuilt from the tree in tree order and the booking list is told.
//
//   TFilterPlanDlg dlg(d, meldungen, uhr, [&] { fenster.AnsichtenAktualisieren(5); }, eltern);
//   dlg.Ausfuehren();   // modal; created once and reused

#include <QDialog>

#include <deque>
#include <functional>

#include "store/datenbestand.h"
#include "store/ports.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class TFilterDatDlg;

class TFilterPlanDlg : public QDialog {
    Q_OBJECT
public:
    TFilterPlanDlg(talerwerk::Datenbestand& d, talerwerk::Meldungen& meldungen, const talerwerk::Uhr& uhr,
                   std::function<void()> filterGeaendert, QWidget* eltern = nullptr);
    ~TFilterPlanDlg() override;

    // Fills the tree from Filterliste and shows the dialog modally.
    void Ausfuehren();
    // The filling step of Ausfuehren, for callers (tests) that drive the dialog themselves.
    void Vorbereiten();

    TFilterDatDlg* FilterDatDlg() const { return filterDatDlg_; }
    // The records in tree order, as Filterliste will be after closing.
    std::vector<talerwerk::buchungstyp> Baumfilter() const;

    QTreeWidget* Outline1;
    QLabel* VorlLabel;
    QLabel* HinweisLabel;
    QPushButton* NeuBtn;
    QPushButton* BearbeitenBtn;
    QPushButton* LoeschBtn;
    QPushButton* AbbruchBtn;
    QMenu* PopupMenu1;
    QAction* Bearbeiten1;
    QAction* Neu1;
    QAction* Loeschen1;

    void NeuBtnClick();
    void BearbeitenBtnClick();
    void LoeschBtnClick();

public slots:
    void done(int ergebnis) override;

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void KnoepfeSetzen();
    bool Bearbeiten(QTreeWidgetItem* item, const QString& titel);
    talerwerk::buchungstyp& Satz(QTreeWidgetItem* item);
    QTreeWidgetItem* Kopf() const;

    talerwerk::Datenbestand& d_;
    talerwerk::Meldungen& meldungen_;
    const talerwerk::Uhr& uhr_;
    std::function<void()> filterGeaendert_;
    TFilterDatDlg* filterDatDlg_;
    std::deque<talerwerk::buchungstyp> saetze_;  // the records behind the items (by item data)
    bool offen_ = false;
};
