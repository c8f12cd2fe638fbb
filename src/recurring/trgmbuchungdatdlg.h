#pragma once
// "Regelmäßige Buchung bearbeiten": the editor of one recurring booking. Works on a working copy
// that the caller (the recurring-bookings list) fills; OK writes the fields back into the copy
// after the checks of the core (talerwerk::RgmPruefen). The lookup fields keep snippet
// abbreviations and the placeholders "#D", "#M", "#J" as typed: they are expanded each time the
// recurring booking is executed.
//
//   TrgmBuchungDatDlg dlg(d, einstellungen, meldungen, eltern);
//   talerwerk::buchungstyp kopie = eintrag;
//   if (dlg.Bearbeiten(kopie)) eintrag = kopie;

#include <QDialog>

#include <array>

#include "store/datenbestand.h"
#include "store/einstellungen.h"
#include "store/ports.h"

class QButtonGroup;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QtBetragsfeld;
class QtDatumsfeld;
class QtSuchfeld;

class TrgmBuchungDatDlg : public QDialog {
    Q_OBJECT
public:
    TrgmBuchungDatDlg(talerwerk::Datenbestand& d, const talerwerk::Einstellungen& einstellungen,
                      talerwerk::Meldungen& meldungen, QWidget* eltern = nullptr);

    // Shows the dialog modally for the working copy; true after OK with the copy filled in.
    bool Bearbeiten(talerwerk::buchungstyp& satz);

    // Step by step (Bearbeiten does these): the show steps, and the record into the controls.
    void Zeigen(talerwerk::buchungstyp& satz);
    void SatzInFelder();
    // The controls into the working copy (OK step 2).
    void FelderInSatz();
    const talerwerk::buchungstyp& Satz() const { return satz_; }

    // The interval choice: 1, 2, 3, 6, 12 or 0 ("frei").
    int32_t Intervall() const;
    void SetzeIntervall(int32_t intervall);
    std::array<bool, 12> Monate() const;

    QLineEdit* NameEdit;
    QtBetragsfeld* BetragEdit;
    QLabel* WaehrungLabel;
    QtSuchfeld* Konto1Edit;
    QtSuchfeld* Konto2Edit;
    QtSuchfeld* TextEdit;
    QLabel* RubrikLabel;
    QLineEdit* BelegnrEdit;
    QLineEdit* BemerkungEdit;
    QtDatumsfeld* faelligEdit;
    QGroupBox* ZeitRBtn;
    std::array<QRadioButton*, 6> ZeitKnoepfe{};  // monatl., zweimonatl., vierteljährl., halbjährl., jährlich, frei
    QListWidget* MonatsListBox;
    QGroupBox* GroupBox1;
    QRadioButton* EinnahmeRBtn;
    QRadioButton* AusgabeRBtn;
    QRadioButton* UmbuchungRBtn;
    QFrame* Panel1;
    QLabel* BArtLabel;
    QLabel* vonLabel;
    QLabel* Konto1Label;
    QLabel* aufLabel;
    QLabel* Konto2Label;
    QPushButton* OkBtn;
    QPushButton* AbbruchBtn;
    QPushButton* VerwerfenBtn;

public slots:
    void accept() override;

private:
    void Aufbauen();
    void Konto1Geaendert();
    void Konto2Geaendert();
    void SetzeBArt(int32_t bart);
    void IntervallGewaehlt();
    void MonateBerechnen();
    void SetzeMonate(const std::array<bool, 12>& monate);
    QtSuchfeld* OffenerBaum() const;

    talerwerk::Datenbestand& d_;
    const talerwerk::Einstellungen& einstellungen_;
    talerwerk::Meldungen& meldungen_;
    talerwerk::buchungstyp satz_;
    QButtonGroup* zeitGruppe_;
};
