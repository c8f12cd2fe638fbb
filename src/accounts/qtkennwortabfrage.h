#pragma once
// The password prompt as the file reader asks for it: shows TPasswortDlg.
//
//   QtKennwortabfrage abfrage(meldungen, hauptfenster);
//   talerwerk::DateiLaden(d, meldungen, abfrage);

#include <QPointer>

#include "store/ports.h"

class QWidget;
class TPasswortDlg;

class QtKennwortabfrage : public talerwerk::Kennwortabfrage {
public:
    explicit QtKennwortabfrage(talerwerk::Meldungen& meldungen, QWidget* eltern = nullptr);
    ~QtKennwortabfrage() override;

    bool Abfragen(int art, const std::string& gespeichert, const std::string& pfad) override;

    // The prompt is shown over this window; the main window exists only after this object.
    void SetzeEltern(QWidget* eltern);

    // The prompt itself, created on first use (for tests and for the main window's parenting).
    TPasswortDlg& Dialog();

private:
    talerwerk::Meldungen& meldungen_;
    QPointer<QWidget> eltern_;
    // Parented to the main window, which may delete it first; QPointer notices that.
    QPointer<TPasswortDlg> dialog_;
};
