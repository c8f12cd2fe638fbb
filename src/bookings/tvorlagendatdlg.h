#pragma once
// "Vorlagen bearbeiten": the editor of one template. Works on its own copy of the record; OK
// writes the fields into the copy, and only a template without a name is refused. The text field
// keeps snippet abbreviations and date placeholders as typed: they are expanded when the template
// is taken into a booking.
//
//   TVorlagenDatDlg dlg(d, meldungen, eltern);
//   talerwerk::buchungstyp kopie = vorlage;
//   if (dlg.Bearbeiten(kopie)) vorlage = kopie;

#include <QDialog>

#include "store/datenbestand.h"
#include "store/ports.h"

class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QtBetragsfeld;
class QtSuchfeld;

class TVorlagenDatDlg : public QDialog {
    Q_OBJECT
public:
    TVorlagenDatDlg(talerwerk::Datenbestand& d, talerwerk::Meldungen& meldungen, QWidget* eltern = nullptr);

    // Shows the editor modally for the copy; true after OK with the copy filled in.
    bool Bearbeiten(talerwerk::buchungstyp& satz);

    // Step by step (Bearbeiten does these): the opening steps, the record into the fields
    // ("&Verwerfen"), the fields into the record (OK).
    void Zeigen(const talerwerk::buchungstyp& satz);
    void SatzInFelder();
    void FelderInSatz();
    const talerwerk::buchungstyp& Satz() const { return satz_; }

    QLineEdit* NameEdit;
    QtSuchfeld* Konto1Edit;
    QtSuchfeld* Konto2Edit;
    QLabel* RubrikLabel;
    QGroupBox* GroupBox1;
    QRadioButton* EinnahmeRBtn;
    QRadioButton* AusgabeRBtn;
    QRadioButton* UmbuchungRBtn;
    QLineEdit* BelegnrEdit;
    QtBetragsfeld* BetragEdit;
    QLabel* WaehrungLabel;
    QtSuchfeld* TextEdit;
    QLineEdit* BemerkungEdit;
    QCheckBox* StorniertCBox;
    QFrame* Panel1;
    QLabel* BArtLabel;
    QLabel* vonLabel;
    QLabel* Konto1Label;
    QLabel* aufLabel;
    QLabel* Konto2Label;
    QPushButton* OkBtn;
    QPushButton* VerwerfenBtn;
    QPushButton* AbbruchBtn;
    QMenu* BuchungPopUp;
    QAction* PopupBuchen;
    QAction* PopupVerwerfen;

public slots:
    void accept() override;

protected:
    // Esc reloads the fields, as "&Verwerfen" does; the editor stays open.
    void keyPressEvent(QKeyEvent* ereignis) override;

private:
    void Aufbauen();
    void Konto1Geaendert();
    void Konto2Geaendert();
    void SetzeBArt(int32_t bart);
    QtSuchfeld* OffenerBaum() const;

    talerwerk::Datenbestand& d_;
    talerwerk::Meldungen& meldungen_;
    talerwerk::buchungstyp satz_;
};
