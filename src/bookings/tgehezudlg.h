#pragma once
// "Gehe zu ...": find a booking by its number or its voucher number.
//
//   TGeheZuDlg dlg(this);
//   if (auto position = dlg.Ausfuehren(d)) { … *position is -1 when nothing was found … }
//
// The number radio button is checked and its field focused whenever the dialog is shown. OK with
// the chosen field empty keeps the dialog open.

#include <QDialog>

#include <cstdint>
#include <optional>

#include "store/datenbestand.h"

class QLineEdit;
class QPushButton;
class QRadioButton;

class TGeheZuDlg : public QDialog {
    Q_OBJECT
public:
    explicit TGeheZuDlg(QWidget* eltern = nullptr);

    // Shows the dialog modally. nullopt: cancelled; otherwise the position found, -1 for none.
    std::optional<int32_t> Ausfuehren(const talerwerk::Datenbestand& d);
    // The position the filled-in fields lead to (-1: none).
    int32_t Suchen(const talerwerk::Datenbestand& d) const;
    // Back to the state it is shown in: number chosen and focused.
    void Vorbereiten();
    void OKBtnClick();

    QRadioButton* BuchungNrRBtn;
    QLineEdit* BuchungNrEdit;
    QRadioButton* BelegNrRBtn;
    QLineEdit* BelegNrEdit;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

private:
    void Umschalten();
};
