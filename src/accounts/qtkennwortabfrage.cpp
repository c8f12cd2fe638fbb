#include "accounts/qtkennwortabfrage.h"

#include "accounts/tpasswortdlg.h"

QtKennwortabfrage::QtKennwortabfrage(talerwerk::Meldungen& meldungen, QWidget* eltern)
    : meldungen_(meldungen), eltern_(eltern) {}

QtKennwortabfrage::~QtKennwortabfrage() { delete dialog_.data(); }

TPasswortDlg& QtKennwortabfrage::Dialog() {
    if (!dialog_) dialog_ = new TPasswortDlg(meldungen_, eltern_.data());
    return *dialog_;
}

void QtKennwortabfrage::SetzeEltern(QWidget* eltern) {
    eltern_ = eltern;
    delete dialog_.data();  // made again over the new parent when next needed
}

bool QtKennwortabfrage::Abfragen(int art, const std::string& gespeichert, const std::string& pfad) {
    return Dialog().Abfragen(art, gespeichert, pfad);
}
