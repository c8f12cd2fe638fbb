#pragma once
// The JSON form of a whole store, used by talerwerk-cli's export and import: one object with the
// records under their field names, in field order. Texts are UTF-8, dates "YYYY-MM-DD" or null,
// Stand and AnfStand plain numbers.

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

#include "store/datenbestand.h"

namespace talerwerk {

class Uhr;
class Zufall;

// Writes the store as one JSON object. One record per line, so that large books stay readable and
// are written without building the whole document in memory.
void JsonSchreiben(const Datenbestand& d, std::ostream& aus);
std::string JsonText(const Datenbestand& d);

struct JsonErgebnis {
    Datenbestand Bestand;
    std::string Fehler;  // empty on success; otherwise a German message naming the key
    bool Ok() const { return Fehler.empty(); }
};

// Builds a store from JSON text. A missing key takes the default of a new record of its kind
// (dates of new bookings are `uhr`'s today; a recurring booking without a code gets a new one from
// `zufall`); a missing collection is empty, except Textbausteine, which then holds the three
// built-in snippets of a new store. Refused with a message naming the key: a value of the wrong
// type, a text Windows-1252 cannot hold, a date that is no date or lies outside the years the data
// file can hold (1980…2079), and a selection list in a record that is not a filter. Objects or lists
// nested deeper than the format has them (inside a record's Monate or Auswahl, for one) are refused
// at the first such bracket. Short texts are cut to their capacity, Stand and AnfStand rounded to
// cents. Nothing is thrown.
JsonErgebnis JsonEinlesen(std::string_view text, const Uhr& uhr, Zufall& zufall);

}  // namespace talerwerk
