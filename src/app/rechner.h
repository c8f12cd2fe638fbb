#pragma once
// The four-function calculator behind the "Rechner" window: display text, accumulator, pending
// operator and input state. The window only turns clicks and key presses into Taste() calls and
// shows Anzeige().

#include <cstddef>
#include <string>
#include <string_view>

namespace talerwerk {

// Shown by the booking window when it receives the calculator's result while editing is locked.
inline constexpr const char* MeldungUebernahmeGesperrt = "Übernahme nicht möglich\rBuchungsbearbeitung gesperrt!";

// Window heights of the calculator: full, and collapsed to its display row. A window lower than
// RechnerKleinGrenze counts as collapsed.
inline constexpr int RechnerHoeheGross = 234;
inline constexpr int RechnerHoeheKlein = 55;
inline constexpr int RechnerKleinGrenze = 56;

enum class RechnerZustand {
    NeueZahl = 0,   // the next digit starts a new number
    Eingabe = 1,    // a number is being typed
    Fehler = 2,     // division by zero; only "C" leaves it
    Ueberlauf = 3,  // a number longer than the display; only "C" leaves it
};

class Rechner {
public:
    // The display holds at most this many characters; a longer number is an overflow.
    static constexpr size_t MaxLaenge = 17;

    // Keys: '0'…'9', ',', '\b' (backspace), '#' (sign change), '*', '+', '-', '/', '=',
    // 'C' or 'c' (clear). Other keys are ignored. Returns true when the key has just taken the
    // calculator into the error or overflow state (the window sounds the error beep then).
    bool Taste(char taste);

    // What the display shows: the number text, or "Fehler" / "Überlauf".
    std::string Anzeige() const;
    // The number text itself (also in the error states: the last valid text).
    const std::string& AnzeigeText() const { return anzeige_; }
    RechnerZustand Zustand() const { return zustand_; }
    double Akkumulator() const { return akku_; }
    char Operator() const { return operator_; }  // 0: none pending
    bool ImFehler() const { return zustand_ == RechnerZustand::Fehler || zustand_ == RechnerZustand::Ueberlauf; }

    // Back to the start: display "0", accumulator 0, no operator, new number expected.
    void Loeschen();

private:
    bool Ziffer(char z);
    bool Komma();
    bool Rueckschritt();
    bool Vorzeichen();
    bool Operation(char op);
    // Puts a text on the display, or enters the overflow state when it is too long.
    bool Zeigen(std::string text);

    std::string anzeige_ = "0";
    double akku_ = 0;
    char operator_ = 0;
    RechnerZustand zustand_ = RechnerZustand::NeueZahl;
    // Whether anything was typed since the last operator; without it a further operator only
    // replaces the pending one instead of combining the number with itself.
    bool operandNeu_ = false;
};

// Result form: fixed point, two decimals, decimal comma, no thousands separator ("-12,00").
std::string RechnerErgebnisText(double wert);
// A display text read as a number with the decimal comma; "", "-" and "," read as 0.
double RechnerAnzeigeWert(std::string_view text);

}  // namespace talerwerk
