#pragma once
// "Textbausteine bearbeiten": the snippet editor. It works on a copy; the store only changes when
// the dialog ends with OK.
//
//   TTextBausteinDlg dlg(meldungen, this);
//   if (dlg.Bearbeiten(d, zufall)) hauptfenster.AnsichtenAktualisieren(3);   // lookup trees follow
//
// The first three snippets (the date placeholders) can be neither edited nor deleted.

#include <QDialog>

#include <memory>

#include "bookings/textbausteine.h"
#include "store/datenbestand.h"
#include "store/ports.h"

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class TTextBausteinDlg : public QDialog {
    Q_OBJECT
public:
    explicit TTextBausteinDlg(talerwerk::Meldungen& meldungen, QWidget* eltern = nullptr);
    ~TTextBausteinDlg() override;

    // Fills the tree from the store, shows the dialog modally and, on OK, takes the snippets into
    // the store (which is then marked changed). True when it ended with OK.
    bool Bearbeiten(talerwerk::Datenbestand& d, talerwerk::Zufall& zufall);

    // The steps of Bearbeiten, for callers that show the dialog themselves.
    void Fuellen(const std::vector<talerwerk::kontotyp>& textbausteine, talerwerk::Zufall& zufall);
    void Uebernehmen(talerwerk::Datenbestand& d) const;
    const talerwerk::TextbausteinEditor& Editor() const { return *editor_; }

    void EinfgBtnClick();
    void LoeschBtnClick();
    void ZurueckBtnClick();
    void OKBtnClick();

    QTreeWidget* Outline1;
    QLabel* TbsLabel;
    QLabel* HinweisLabel;
    QPushButton* EinfgBtn;
    QPushButton* LoeschBtn;
    QFrame* DetailDaten;
    QLineEdit* AbkEdit;
    QLineEdit* TextEdit;
    QLabel* PfadLabel;
    QPushButton* ZurueckBtn;
    QPushButton* OKBtn;
    QPushButton* AbbruchBtn;
    QMenu* PopupMenu1;
    QAction* PopupNeu;
    QAction* PopupLoeschen;

private:
    void BaumAufbauen(int auswahl);
    void Zeigen(int index);
    bool Zurueckschreiben();
    int Auswahl() const;
    void FokusGewechselt(QWidget* alt, QWidget* neu);

    talerwerk::Meldungen& meldungen_;
    talerwerk::Zufall* zufall_ = nullptr;
    std::unique_ptr<talerwerk::TextbausteinEditor> editor_;
    int gezeigt_ = talerwerk::TextbausteinEditor::Ueberschrift;
    QString gemerkteAbk_;
    QString gemerkterText_;
    bool baumWechsel_ = false;
};
