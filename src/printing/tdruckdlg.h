#pragma once
// "Seite einrichten": the page and print settings of the data file — the report font with its
// colour, margins, orientation, copies and the option flags. The caller stores nothing itself:
// SeiteEinrichten writes the settings on OK and the caller marks the file as changed.

#include <QDialog>
#include <QFont>

#include <functional>
#include <optional>

#include "store/datenbestand.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPrinter;
class QPushButton;
class QRadioButton;
class QSpinBox;

class TDruckDlg : public QDialog {
    Q_OBJECT
public:
    explicit TDruckDlg(QWidget* eltern = nullptr);

    // Loads the controls from `seite`, shows the dialog modally and on OK writes every control back
    // (the client data stay on). True on OK; Cancel leaves `seite` as it was.
    bool SeiteEinrichten(talerwerk::druckereinstellungtyp& seite);
    void Laden(const talerwerk::druckereinstellungtyp& seite);
    void Uebernehmen(talerwerk::druckereinstellungtyp& seite) const;

    // The printer "&Drucker..." sets up; without one the button does nothing.
    std::function<QPrinter*()> Drucker;

    // Components under their own names.
    QGroupBox* AusrichtungBox = nullptr;
    QRadioButton* HochRBtn = nullptr;
    QRadioButton* QuerRBtn = nullptr;
    QLabel* HochBild = nullptr;
    QLabel* QuerBild = nullptr;
    QCheckBox* MandantChBox = nullptr;
    QCheckBox* SeiteChBox = nullptr;
    QCheckBox* DatumChBox = nullptr;
    QCheckBox* LinienChBox = nullptr;
    QCheckBox* FarbeChBox = nullptr;
    QCheckBox* RahmenChBox = nullptr;
    QCheckBox* NullwerteChBox = nullptr;
    QGroupBox* RandBox = nullptr;
    QSpinBox* LinksEdit = nullptr;
    QSpinBox* RechtsEdit = nullptr;
    QSpinBox* ObenEdit = nullptr;
    QSpinBox* UntenEdit = nullptr;
    QSpinBox* ExemplarEdit = nullptr;
    QLabel* SchriftLabel = nullptr;  // the chosen font, as a sample in its colour
    QPushButton* SchriftBrn = nullptr;
    QPushButton* FarbeBtn = nullptr;
    QPushButton* DruckerBtn = nullptr;
    QPushButton* OkBtn = nullptr;
    QPushButton* BitBtn1 = nullptr;

protected:
    // The platform's font and colour dialogs; tests answer them. nullopt: cancelled.
    virtual std::optional<QFont> SchriftWaehlen(const QFont& schrift);
    virtual std::optional<QColor> FarbeWaehlen(const QColor& farbe);

private:
    void SchriftZeigen();
    void BildZeigen();

    // The font being chosen; written into the settings only on OK.
    std::string schriftart_;
    int32_t groesse_ = 12;
    int32_t farbe_ = 0;
    std::array<bool, 4> stil_{};
};
