#pragma once
// Small rules of the booking window's fields that are no booking operation of their own: what the
// amount field accepts, what the calculator may hand over, how a template fills the fields, and how
// a go-to request is looked up.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/datenbestand.h"
#include "store/ports.h"

namespace talerwerk {

inline constexpr Cent BetragHoechstens = 99999999;  // 999.999,99
inline constexpr size_t BetragFeldLaenge = 12;
inline constexpr size_t BuchungstextLaenge = 30;
inline constexpr size_t BelegnrLaenge = 10;
inline constexpr size_t BemerkungLaenge = 50;
inline constexpr size_t GeheZuLaenge = 4;

inline constexpr const char* UebernahmeGesperrtText = "Übernahme nicht möglich\rBuchungsbearbeitung gesperrt!";
inline constexpr const char* UebernahmeBereichText =
    "Übernahme nicht möglich\rDer Betrag muss zwischen 0,00 und 999.999,99 liegen!";
inline constexpr const char* BuchungNichtGefundenText = "Buchung nicht gefunden!";

// Whether the amount field may hold this text while it is typed: up to six digits before the
// decimal comma, at most two after it, no sign. The empty text is allowed (it counts as 0,00).
bool BetragEingabeZulaessig(std::string_view text);

// The stored form of a calculator result ("15,00", "-3,00", "12,345"), rounded to cents; nullopt
// when it lies outside 0 … 999.999,99 or is no number ("Fehler").
std::optional<std::string> BetragAusRechner(std::string_view anzeige);

// The record shown after a template was chosen: voucher, amount, remark, both accounts, type and
// text come from the template, the text with snippets and date placeholders expanded; number, date
// and the cancelled flag stay as on screen; the recurring booking's code is dropped.
buchungstyp MitVorlage(const buchungstyp& bearbeitet, const buchungstyp& vorlage,
                       const std::vector<kontotyp>& textbausteine, const Uhr& uhr);

// A go-to request: by booking number (a text of digits) or by voucher number. The position found,
// -1 when there is none or the number text is no number.
int32_t GeheZuSuchen(const Datenbestand& d, bool nachNummer, const std::string& text);

}  // namespace talerwerk
