#pragma once
// "Anzeigezeitraum": the due window of the recurring-bookings list, in days, with the choice to
// keep it as the client's default. The typed text is read by the core (AnzeigezeitraumLesen).
//
//   TZeitraumDlg dlg(meldungen, eltern);
//   int32_t tage = 28; bool vorgabe = false;
//   if (dlg.Ausfuehren(tage, vorgabe)) …

#include <QDialog>

#include <cstdint>

#include "store/ports.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

class TZeitraumDlg : public QDialog {
    Q_OBJECT
public:
    explicit TZeitraumDlg(talerwerk::Meldungen& meldungen, QWidget* eltern = nullptr);

    // Shows the dialog with `tage`; after OK `tage` holds the window read from the edit (with the
    // messages of a wrong input) and `vorgabe` whether to keep it as the default. False: cancelled.
    bool Ausfuehren(int32_t& tage, bool& vorgabe);
    // Step by step: fill, and read after OK.
    void Fuellen(int32_t tage);
    int32_t Gelesen() const;

    QLabel* Label1;
    QLineEdit* ZeitraumEdit;
    QSpinBox* UpDown1;  // only its arrows show; the number lives in ZeitraumEdit
    QCheckBox* VorgabeChBox;
    QPushButton* OkBtn;
    QPushButton* AbbruchBtn;

private:
    talerwerk::Meldungen& meldungen_;
};
