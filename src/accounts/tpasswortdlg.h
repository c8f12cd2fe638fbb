#pragma once
// "Kennwort-Abfrage": asks for the file password or the write-protect password of a data file.
//
//   TPasswortDlg dlg(meldungen, hauptfenster);
//   bool richtig = dlg.Abfragen(art, mandant.Kurz1, pfad);
// Kinds: 1 file password at open, 2 write-protect password at open, 3 and 4 the same for the
// takeover of master data. A wrong password shows "Kennwort falsch.\rEingabe wiederholen!" and the
// prompt stays open; cancelling reports the consequence for the kind and returns false.

#include <QDialog>

#include <string>

namespace talerwerk {
class Meldungen;
}

class QLabel;
class QLineEdit;
class QPushButton;

class TPasswortDlg : public QDialog {
    Q_OBJECT
public:
    explicit TPasswortDlg(talerwerk::Meldungen& meldungen, QWidget* eltern = nullptr);

    // Prepares the prompt: texts for the kind, the file name, an empty input with the focus.
    void Vorbereiten(int art, const std::string& gespeichert, const std::string& pfad);
    // The OK handler: closes with Accepted on the right password, else reports and stays open.
    void OKBtnClick();
    // Vorbereiten, exec; on cancel (button, Escape or closing the window) the message of the kind.
    bool Abfragen(int art, const std::string& gespeichert, const std::string& pfad);

    QLabel* HinweisLabel;
    QLabel* DateiLabel;
    QLabel* PasswortLabel;
    QLineEdit* PasswortEdit;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

private:
    talerwerk::Meldungen& meldungen_;
    int art_ = 1;
    std::string gespeichert_;  // the expected password in its stored form; never shown
};
