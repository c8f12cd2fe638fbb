#pragma once
// Watches what is typed into a line edit: more characters than `hoechstens` are refused with a beep,
// and characters the data file cannot hold are refused with a message that says why. Unlike
// QLineEdit::setMaxLength this leaves texts the program puts in alone (an expanded snippet may be
// longer than what can be typed, and can still be shortened), and unlike a silent validator it tells
// the user. `nurZiffern` admits digits only (number fields).

#include <cstddef>

class QLineEdit;

namespace talerwerk {
class Meldungen;
}

// `meldungen` may be null: the refusal is then only a beep. Sets the field's validator.
void EingabeBegrenzen(QLineEdit* feld, std::size_t hoechstens, talerwerk::Meldungen* meldungen,
                      bool nurZiffern = false);
