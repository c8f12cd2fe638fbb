#pragma once
// "Konto- und Rubrikendaten": the data of one chart entry. Shows the account fields only for
// accounts ("Kontodaten"), hides them for categories ("Rubrikendaten"). OK checks that name and
// abbreviation are filled in; "Verwerfen" puts back the texts the dialog was opened with.
//
//   TKontoDatDlg dlg(meldungen, eltern);
//   talerwerk::KontoDaten daten = talerwerk::KontoDatenVon(eintrag);
//   if (dlg.Bearbeiten("Ausgabe", false, daten)) …   // daten holds the typed texts after OK

#include <QDialog>

#include <array>

#include "accounts/kontenplan.h"
#include "store/ports.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

class TKontoDatDlg : public QDialog {
    Q_OBJECT
public:
    explicit TKontoDatDlg(talerwerk::Meldungen& meldungen, QWidget* eltern = nullptr);

    // Fills the fields, shows the dialog modally; true after OK, with the typed texts in `daten`.
    bool Bearbeiten(const QString& pfad, bool konto, talerwerk::KontoDaten& daten);

    // Step by step (Bearbeiten does these): fill and remember, read back.
    void Fuellen(const QString& pfad, bool konto, const talerwerk::KontoDaten& daten);
    talerwerk::KontoDaten Daten() const;

    QLabel* PfadLabel;
    QLineEdit* AbkEdit;
    QLineEdit* NameEdit;
    QWidget* Kontodaten;
    QLineEdit* BLZEdit;
    QLineEdit* KontoNrEdit;
    QLineEdit* AnfStandEdit;
    QLineEdit* InstitutEdit;
    QLineEdit* InhaberEdit;
    QPushButton* OKBtn;
    QPushButton* AbbruchBtn;
    QPushButton* ZurueckBtn;

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void ZurueckBtnClick();
    std::array<QLineEdit*, 7> Felder() const;

    talerwerk::Meldungen& meldungen_;
    std::array<QString, 7> gemerkt_;
};
