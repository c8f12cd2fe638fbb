#pragma once
// "Drucken von Übersichten": the confirmation every evaluation shows before it prints, with the
// way to the page setup. Setting up the page there marks the data file as changed, even when
// the print is then cancelled, because the settings belong to the file.

#include <QDialog>

#include <functional>

#include "store/datenbestand.h"

class QLabel;
class QPrinter;
class QPushButton;
class TDruckDlg;

class TDruck1Dlg : public QDialog {
    Q_OBJECT
public:
    explicit TDruck1Dlg(talerwerk::Datenbestand& bestand, QWidget* eltern = nullptr);

    // Shows `text` ("Rubrik-Konto-Übersicht wird gedruckt!") and waits; true on OK.
    bool DruckBestaetigen(const QString& text);

    // The page setup "&Einrichten" opens (made here; a caller may replace it, e.g. in tests).
    TDruckDlg* Einrichtung = nullptr;
    std::function<QPrinter*()> Drucker;
    // After the page settings changed: the main window shows the file as modified.
    std::function<void()> Geaendert;

    // Components under their own names.
    QLabel* BerichtnameLabel = nullptr;
    QPushButton* EinrichtenBtn = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;

private:
    talerwerk::Datenbestand& bestand_;
};
