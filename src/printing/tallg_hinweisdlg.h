#pragma once
// "Hinweis": the notice shown while a report prints, with its progress bar and the button that
// aborts the print. The report printing polls it between page groups; every poll lets the window
// handle its events, so the button is heard while the pages are made.

#include <QDialog>

#include "printing/berichtsdruck.h"

class QLabel;
class QProgressBar;
class QPushButton;

class TAllg_Hinweis : public QDialog, public talerwerk::Druckfortschritt {
    Q_OBJECT
public:
    explicit TAllg_Hinweis(QWidget* eltern = nullptr);

    // Druckfortschritt
    void Zeigen() override;  // shows the notice and clears the abort flag
    void Text(const std::string& text) override;
    void Stand(int prozent) override;
    bool Abgebrochen() override;
    void Verbergen() override;

    // "Abbruch": sets the flag and tells the user to wait.
    void AbbruchBtnClick();
    bool DruckAbgebrochen() const { return abgebrochen_; }

    // Components under their own names.
    QLabel* HinweisText = nullptr;
    QProgressBar* Fortschritt = nullptr;
    QPushButton* AbbruchBtn = nullptr;

private:
    bool abgebrochen_ = false;
};
