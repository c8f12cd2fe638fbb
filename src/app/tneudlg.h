#pragma once
// "Neuer Mandant": how a new file starts, empty or with master data taken over from an existing
// data file, and from which one. The dialog only collects the choice; talerwerk::NeueDateiEinrichten
// does the work. It keeps its state between uses.
//
//   TNeuDlg dlg(hauptfenster);                       // created once and reused
//   if (dlg.Ausfuehren())
//       NeueDateiEinrichten(d, dlg.Art(), dlg.Auswahl(), dlg.Dateiname(), …);

#include <QDialog>

#include <array>
#include <functional>
#include <string>

#include "store/uebernahme.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

class TNeuDlg : public QDialog {
    Q_OBJECT
public:
    explicit TNeuDlg(QWidget* eltern = nullptr);

    // Shows the dialog modally; true after OK.
    bool Ausfuehren();

    talerwerk::UebernahmeArt Art() const;
    // The eight check boxes as they stand.
    talerwerk::UebernahmeAuswahl Auswahl() const;
    std::string Dateiname() const;

    // The browse dialog; tests put a scripted one in its place. Empty: cancelled.
    std::function<QString()> DateiWaehlen;

    QGroupBox* Uebernahme;
    QRadioButton* KeineRBtn;
    QRadioButton* AlleRBtn;
    QRadioButton* AuswahlRBtn;
    QCheckBox* StammCBOx;
    QCheckBox* RubrikCBox;
    QCheckBox* KontoCBox;
    QCheckBox* BetragCBox;
    QCheckBox* TbsCBox;
    QCheckBox* RgmBCBox;
    QCheckBox* VorlageCBox;
    QCheckBox* FilterCBox;
    QGroupBox* Ursprung;
    QLabel* DateiNameLabel;
    QLineEdit* DateiNameEdit;
    QToolButton* DateiNameBtn;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

private:
    void Aufbauen();
    void ArtGewaehlt();
    void RubrikKontoGeklickt();
    void OkFreigeben();
    void Durchsuchen();
    QString DateiDialog();
    std::array<QCheckBox*, 8> Kaestchen() const;
};
