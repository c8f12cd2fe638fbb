#include "app/rechner.h"

#include <charconv>
#include <cmath>

namespace talerwerk {

std::string RechnerErgebnisText(double wert) {
    if (!std::isfinite(wert)) return std::string(Rechner::MaxLaenge + 1, '9');  // shown as overflow
    char puffer[400];
    auto [ende, fehler] = std::to_chars(puffer, puffer + sizeof puffer, wert, std::chars_format::fixed, 2);
    if (fehler != std::errc()) return std::string(Rechner::MaxLaenge + 1, '9');
    std::string text(puffer, ende);
    for (char& c : text)
        if (c == '.') c = ',';
    // A negative value that rounds to zero is still zero on the display.
    if (text == "-0,00") text = "0,00";
    return text;
}

double RechnerAnzeigeWert(std::string_view text) {
    std::string s(text);
    for (char& c : s)
        if (c == ',') c = '.';
    double wert = 0;
    const char* anfang = s.data();
    const char* ende = s.data() + s.size();
    // from_chars does not take a leading '+'; the display never has one.
    auto [p, fehler] = std::from_chars(anfang, ende, wert);
    if (fehler != std::errc()) return 0;
    return wert;
}

void Rechner::Loeschen() {
    anzeige_ = "0";
    akku_ = 0;
    operator_ = 0;
    zustand_ = RechnerZustand::NeueZahl;
    operandNeu_ = false;
}

std::string Rechner::Anzeige() const {
    if (zustand_ == RechnerZustand::Fehler) return "Fehler";
    if (zustand_ == RechnerZustand::Ueberlauf) return "Überlauf";
    return anzeige_;
}

bool Rechner::Zeigen(std::string text) {
    if (text.size() > MaxLaenge) {
        zustand_ = RechnerZustand::Ueberlauf;
        return true;
    }
    anzeige_ = std::move(text);
    return false;
}

bool Rechner::Taste(char taste) {
    if (taste == 'C' || taste == 'c') {
        Loeschen();
        return false;
    }
    if (ImFehler()) return false;
    if (taste >= '0' && taste <= '9') return Ziffer(taste);
    switch (taste) {
    case ',': return Komma();
    case '\b': return Rueckschritt();
    case '#': return Vorzeichen();
    case '*':
    case '+':
    case '-':
    case '/':
    case '=': return Operation(taste);
    default: return false;
    }
}

bool Rechner::Ziffer(char z) {
    std::string text = (anzeige_ == "0" || zustand_ == RechnerZustand::NeueZahl) ? std::string() : anzeige_;
    text += z;
    zustand_ = RechnerZustand::Eingabe;
    operandNeu_ = true;
    return Zeigen(std::move(text));
}

bool Rechner::Komma() {
    // After an operator or a result the comma begins a new number ("0,"); appending it to the
    // old result would turn ",5" into a digit of the previous figure.
    std::string text = zustand_ == RechnerZustand::NeueZahl ? std::string("0") : anzeige_;
    zustand_ = RechnerZustand::Eingabe;
    operandNeu_ = true;
    if (text.find(',') != std::string::npos) return Zeigen(std::move(text));
    return Zeigen(text + ',');
}

bool Rechner::Rueckschritt() {
    std::string text = anzeige_;
    if (!text.empty()) text.pop_back();
    if (text.empty() || text == "-") text = "0";
    zustand_ = RechnerZustand::Eingabe;
    operandNeu_ = true;
    return Zeigen(std::move(text));
}

bool Rechner::Vorzeichen() {
    operandNeu_ = true;
    return Zeigen(RechnerErgebnisText(-RechnerAnzeigeWert(anzeige_)));
}

bool Rechner::Operation(char op) {
    const double wert = RechnerAnzeigeWert(anzeige_);
    if (operator_ != 0) {
        double ergebnis = wert;
        // Two operators in a row: the second one replaces the first.
        if (operandNeu_) {
            switch (operator_) {
            case '*': ergebnis = akku_ * wert; break;
            case '+': ergebnis = wert + akku_; break;
            case '-': ergebnis = akku_ - wert; break;
            case '/':
                if (wert == 0) {
                    zustand_ = RechnerZustand::Fehler;
                    return true;
                }
                ergebnis = akku_ / wert;
                break;
            default: break;  // '=' pending: nothing to combine
            }
        }
        if (Zeigen(RechnerErgebnisText(ergebnis))) return true;
    }
    zustand_ = RechnerZustand::NeueZahl;
    operandNeu_ = false;
    akku_ = RechnerAnzeigeWert(anzeige_);
    operator_ = op;
    return false;
}

}  // namespace talerwerk
