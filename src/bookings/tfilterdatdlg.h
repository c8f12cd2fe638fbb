#pragma once
// The filter editor: one filter record (or the list's unsaved search mask) with its period, the
// account and category check lists, the number, voucher and amount ranges, the two text patterns
// and the cancelled choice. The rules of OK (what is refused, what is swapped, how the record is
// formed) are the core's; this window fills its controls from the record, hands the typed texts
// over and puts the focus where the core says.
//
//   TFilterDatDlg dlg(d, meldungen, uhr, eltern);
//   buchungstyp f = d.Filterliste[i];
//   if (dlg.Bearbeiten(QStringLiteral("Filterdaten bearbeiten"), f)) …   // f holds the edited record
//
// The dialog never sets Geaendert: the caller knows whether the record is stored (a saved filter)
// or not (the search mask).

#include <QDialog>

#include "bookings/filterdaten.h"
#include "store/datenbestand.h"
#include "store/ports.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QWidget;
class QtBetragsfeld;
class QtDatumsfeld;

class TFilterDatDlg : public QDialog {
    Q_OBJECT
public:
    TFilterDatDlg(talerwerk::Datenbestand& d, talerwerk::Meldungen& meldungen, const talerwerk::Uhr& uhr,
                  QWidget* eltern = nullptr);
    ~TFilterDatDlg() override;

    // Shows the dialog modally on `filter`; true after OK, with the edited record in `filter`.
    // nameFrei false: the name cannot be changed (the search mask).
    bool Bearbeiten(const QString& titel, talerwerk::buchungstyp& filter, bool nameFrei = true);

    // The steps of Bearbeiten: fill the controls from a record; the record after OK.
    void Fuellen(const talerwerk::buchungstyp& filter, bool nameFrei = true);
    const talerwerk::buchungstyp& Filter() const { return filter_; }

    // The editor's fields as the core holds them (the controls' state after Einlesen).
    const talerwerk::Filtereingabe& Eingabe() const { return e_; }

    QLineEdit* NameEdit;
    QGroupBox* ZeitGroupBox;
    QButtonGroup* ZeitGruppe;
    QLabel* aktWahlLabel;
    QLabel* JahrLabel;
    QComboBox* JahrCBox;
    QLabel* MonatLabel;
    QComboBox* MonatCBox;
    QLabel* DatumVonLabel;
    QtDatumsfeld* DatumVonEdit;
    QLabel* DatumBisLabel;
    QtDatumsfeld* DatumBisEdit;
    QLineEdit* BTextEdit;
    QLineEdit* BemEdit;
    QLineEdit* IdentnrvonEdit;
    QLineEdit* IdentnrbisEdit;
    QLineEdit* BelegnrvonEdit;
    QLineEdit* BelegNrbisEdit;
    QGroupBox* KontoGroupBox;
    QButtonGroup* KontoGruppe;
    QListWidget* KOntoListBox;
    QGroupBox* RubrikGroupBox;
    QButtonGroup* RubrikGruppe;
    QCheckBox* UmbChBox;
    QListWidget* RubrikListBox;
    QCheckBox* StorniertChBox;
    QtBetragsfeld* BetragvonEdit;
    QtBetragsfeld* BetragbisEdit;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;

public slots:
    void accept() override;  // the OK steps
    void done(int ergebnis) override;

private:
    void ZeitWahlZeigen();
    void HakenZeigen();
    void Einlesen();

    talerwerk::Datenbestand& d_;
    talerwerk::Meldungen& meldungen_;
    const talerwerk::Uhr& uhr_;
    talerwerk::buchungstyp filter_;
    talerwerk::Filtereingabe e_;
    bool nameFrei_ = true;
    bool fuellt_ = false;  // ticks set by the program, not by the user
};
