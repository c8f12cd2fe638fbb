#pragma once
// "Programmeinstellungen": the program options on two pages ("Allgemein", "Farben").
//
// Use (the dialog is created once and reused):
//   TEinstellungDlg dlg(hauptfenster);
//   if (dlg.Bearbeiten(einstellungen)) … // true after OK; the record then holds the new values
// or step by step: Fuellen(e); exec(); on QDialog::Accepted Uebernehmen(e).
// Nothing is written to the settings file here; that happens at program exit.

#include <QDialog>

#include <cstdint>

#include "store/einstellungen.h"

class QCheckBox;
class QComboBox;
class QSpinBox;
class QPushButton;
class QTabWidget;

class TEinstellungDlg : public QDialog {
    Q_OBJECT
public:
    explicit TEinstellungDlg(QWidget* eltern = nullptr);

    // Sets every control from the settings.
    void Fuellen(const talerwerk::Einstellungen& e);
    // Copies the eleven values of the dialog into the settings (the OK path).
    void Uebernehmen(talerwerk::Einstellungen& e) const;
    // Fuellen, exec, and Uebernehmen on OK. Cancel leaves `e` untouched.
    bool Bearbeiten(talerwerk::Einstellungen& e);

    // The fixed palette of the colour choosers: the 16 standard colours as 0x00BBGGRR.
    static const int32_t StandardFarben[16];
    // Fills a colour chooser with the palette and selects `farbe`; a colour outside the palette is
    // added as a further swatch so that it survives the dialog.
    static void FarbBoxSetzen(QComboBox* box, int32_t farbe);
    static int32_t FarbBoxWert(const QComboBox* box);

    QTabWidget* Seiten;
    QCheckBox* TextersetzenChBox;
    QCheckBox* DatumbeibehaltenChBox;
    QCheckBox* NullBuchungChBox;
    QCheckBox* BuchgBestaetigungChBox;
    QCheckBox* WarnChBox;
    QCheckBox* rgmBChBox;
    QCheckBox* keineRgmBChBox;
    QCheckBox* ueberschreibChBox;
    QCheckBox* EditModusChBox;
    QComboBox* PositivFarbBox;
    QComboBox* NegativFarbBox;
    QCheckBox* SicherungChBox;
    QSpinBox* SicherungAnzahlEdit;
    QPushButton* OkBtn;
    QPushButton* AbbruchBtn;

private:
    void rgmBChBoxClick();
};
