#pragma once
// The amount field: shown as "1.234,56" while the focus is elsewhere, typed as "1234,56" (a "."
// typed becomes the decimal comma). Takes 0 to 999.999,99 with at most two decimals; anything else
// cannot be typed. The value travels in the stored amount form ("1234,56").

#include <QLineEdit>

#include <string>

#include "store/ports.h"

class QtBetragsfeld : public QLineEdit {
    Q_OBJECT
public:
    // A refused keystroke beeps through `meldungen` (Qt's own beep without it).
    explicit QtBetragsfeld(talerwerk::Meldungen* meldungen = nullptr, QWidget* eltern = nullptr);

    // The amount in stored form; "0,00" for an empty field.
    std::string Betrag() const;
    // Takes an amount in stored form (or any text the field would accept).
    void SetzeBetrag(const std::string& betrag);

protected:
    void focusInEvent(QFocusEvent* ereignis) override;
    void focusOutEvent(QFocusEvent* ereignis) override;

private:
    void Anzeigen();
    void Piepen();
    talerwerk::Meldungen* meldungen_;
    std::string wert_ = "0,00";
    bool bearbeiten_ = false;
    bool zeigt_ = false;  // the program is putting a text in: nothing was typed, nothing to refuse
};
