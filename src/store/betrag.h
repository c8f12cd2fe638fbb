#pragma once
// Amounts: booking amounts are stored as text ("1234,56"); sums are whole cents.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "store/datenbestand.h"

namespace talerwerk {

// Largest magnitude of a balance, in cents: 2^53. Every whole number of cents up to it is exact as
// a double, and a thousand balances at the limit still add up within 64 bits. The data file
// reader refuses larger balances, so the program never saves one (StaendeBerechnen reports them).
inline constexpr Cent GroessterStandCent = Cent{1} << 53;
inline constexpr bool StandImBereich(Cent cent) { return cent >= -GroessterStandCent && cent <= GroessterStandCent; }

// Whether a text is in the stored amount form: an optional "-", at least one digit, ",", exactly
// two digits, at most BetragLaenge (11) characters; "0,00", "-30,00", "99999999,99".
bool IstBetragForm(std::string_view text);

// Canonical amount text from an amount field's text: the first "," is the decimal point, an empty
// text is 0; rounded to cents half away from zero.
std::string BetragText(std::string_view feldText);

// Cents of a stored amount text ("." removed, "," as decimal separator, empty = 0). Texts that
// are no number count 0.
Cent BetragCent(std::string_view betragText);
// The same as a number, for display and totals.
double BetragWert(std::string_view betragText);

// Stored amount form of cents: "1234,56", "-30,00", "0,05".
std::string CentText(Cent cent);
// The same without an allocation, for the file's hot paths: written to the end of `puffer` (which
// keeps at least two bytes free before it) and viewed there.
std::string_view CentTextIn(char (&puffer)[24], Cent cent);
// German display form with thousands separators: "1.234,56", "-30,00".
std::string CentAnzeige(Cent cent);

// Booking number text, at least four digits: "0007", "12345".
std::string NummerText(int32_t nummer);
// The same appended to `ziel`, without the cost of formatting on every row of a long list.
void NummerAnfuegen(std::string& ziel, int32_t nummer);

}  // namespace talerwerk
