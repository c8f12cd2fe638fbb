#pragma once
// "Stammdaten bearbeiten": the client's master data, options and file protection on three pages.
//
// Use (created once by the main window, reused):
//   TMandantDlg dlg(meldungen, hauptfenster);
//   if (talerwerk::StammdatenBearbeitbar(d) && dlg.Bearbeiten(d)) {
//       // d.Mandant holds the new values and d.Geaendert is set. The caller now shows or hides
//       // the "&Löschen" commands after d.Mandant.Merker1, refreshes title and status bar and the
//       // booking window's currency label.
//   }
// Step by step: Fuellen(d.Mandant); exec(); on Accepted Uebernehmen(d).
// OK runs the checks (empty password, password and repetition differ, texts the data file cannot
// hold); a failed check shows its message, switches to the page of the field and focuses it, and
// the dialog stays open.

#include <QDialog>

#include "accounts/mandantdaten.h"

namespace talerwerk {
class Meldungen;
}

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;

class TMandantDlg : public QDialog {
    Q_OBJECT
public:
    explicit TMandantDlg(talerwerk::Meldungen& meldungen, QWidget* eltern = nullptr);

    // Sets the controls from the client record (first page shown, focus on the name).
    void Fuellen(const talerwerk::kontotyp& mandant);
    // The values as the controls hold them now.
    talerwerk::MandantEingaben Eingaben() const;
    // The OK handler: checks, and closes the dialog with Accepted only when all checks pass.
    void OKBtnClick();
    // Stores the dialog's values into d.Mandant and sets d.Geaendert.
    void Uebernehmen(talerwerk::Datenbestand& d) const;
    // Fuellen, exec, Uebernehmen on OK; true when the master data were stored.
    bool Bearbeiten(talerwerk::Datenbestand& d);

    QTabWidget* Seiten;
    // "Mandant"
    QLineEdit* NameEdit;
    QLineEdit* AbkEdit;
    QLineEdit* Text1Edit;
    QLineEdit* Text2Edit;
    QLineEdit* Text3Edit;
    QLineEdit* WaehrungEdit;
    // "Optionen"
    QGroupBox* rgmGroupBox;
    QLineEdit* AnzTageEdit;
    QWidget* UpDown1;
    QToolButton* UpDown1Auf;
    QToolButton* UpDown1Ab;
    QCheckBox* rgmDatumChBox;
    // "Dateischutz"
    QRadioButton* Kennwort0RBtn;
    QRadioButton* Kennwort1RBtn;
    QRadioButton* Kennwort2RBtn;
    QLineEdit* KennwortEdit;
    QLineEdit* WiederhlgEdit;
    QLabel* KennwortLaengeLabel;  // only the first 8 characters count
    QCheckBox* BuchgLoeschChBox;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    void KennwortRBtnClick();
    void UpDown1Click(int schritt);
    QWidget* Feld(talerwerk::MandantFeld feld) const;

    talerwerk::Meldungen& meldungen_;
};
