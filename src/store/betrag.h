#pragma once
// Amounts: booking amounts are stored as text ("1234,56"); sums are whole cents.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "store/datenbestand.h"

namespace talerwerk {

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
// German display form with thousands separators: "1.234,56", "-30,00".
std::string CentAnzeige(Cent cent);

// Booking number text, at least four digits: "0007", "12345".
std::string NummerText(int32_t nummer);

}  // namespace talerwerk
