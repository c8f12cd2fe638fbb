#pragma once
// The three record types and the in-memory store of one client's books. The field order is the
// order of the data file; names are the ones the whole program uses.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "store/buchungsindex.h"
#include "store/buchungsspeicher.h"

namespace talerwerk {

class Uhr;
class Zufall;

// Money amounts of the chart (Stand, AnfStand) are held in whole cents: sums are exact, and the
// file's 80-bit value is encoded from the cents.
using Cent = int64_t;

// Kinds of kontotyp records (field Art).
enum KontoArt : int32_t {
    ArtMandant = 0,
    ArtEinnahme = 1,
    ArtAusgabe = 2,
    ArtBestandskonto = 3,
    ArtSparkonto = 4,
    ArtTextbaustein = 5,
};

// Kinds of buchungstyp records (field Satzart).
enum Satzart : int32_t {
    SatzBuchung = 0,
    SatzRgmBuchung = 1,
    SatzVorlage = 2,
    SatzFilter = 3,
};

// Booking types (field BArt).
enum BuchungsArt : int32_t {
    BArtEinnahme = 0,
    BArtAusgabe = 1,
    BArtUmbuchung = 2,
};

// Capacities of the short texts, in characters.
inline constexpr size_t AbkLaenge = 10;
inline constexpr size_t KurzLaenge = 8;
inline constexpr size_t BetragLaenge = 11;

// Accounts, categories, text snippets and the client master record.
struct kontotyp {
    int32_t Nr = 0;
    int32_t Art = 0;
    int32_t OberNr = 0;
    Cent Stand = 0;
    Cent AnfStand = 0;
    std::string Name;
    std::string Abk;    // ≤ 10 characters
    std::string Kurz1;  // ≤ 8 characters
    std::string Kurz2;  // ≤ 8 characters
    std::string Text1;
    std::string Text2;
    std::string Text3;
    bool Merker1 = false;
    bool Merker2 = false;
    std::string Text4;
    int32_t Zahl1 = 0;
    int32_t Datum = 0;  // day number, 0 = no date
    std::string Text5;
    int32_t Zahl2 = 0;

    bool operator==(const kontotyp&) const = default;
};

// Bookings, recurring bookings, templates, filters and the header record.
struct buchungstyp {
    int32_t IdentNr = 0;
    int32_t IdentNrVon = 0;
    int32_t IdentNrBis = 0;
    std::string Bezeichnung;
    int32_t Satzart = 0;
    int32_t Datum = 0;     // day number, 0 = no date
    int32_t DatumBis = 0;  // day number, 0 = no date
    int32_t BArt = 0;
    std::array<bool, 12> Monate{};  // January first
    int32_t Intervall = 0;
    std::string Kennung;
    std::string Bemerkung;
    std::vector<std::string> Auswahl;  // only filters hold entries
    std::string Belegnr;
    std::string BelegnrBis;
    std::string Betrag = "0,00";          // ≤ 11 characters, stored amount form
    std::string BetragBis = "999999,99";  // ≤ 11 characters
    int32_t Konto1 = 0;
    int32_t Konto2 = 0;
    std::string Text;
    bool Storniert = false;
    int32_t Zeitraum = 0;
    int32_t KontoAuswahl = 0;
    int32_t RubrikAuswahl = 0;
    int32_t StornoAuswahl = 0;
    std::string Reserve;
    int32_t ReserveNr = 0;

    bool operator==(const buchungstyp&) const = default;
};

// Page and print settings.
struct druckereinstellungtyp {
    std::string Schriftart = "Arial";
    int32_t Schriftgroesse = 12;
    int32_t Schriftfarbe = 0;
    std::array<bool, 4> Schriftstil{};  // bold, italic, underline, strike-out
    int32_t RandOben = 25;
    int32_t RandUnten = 25;
    int32_t RandLinks = 25;
    int32_t RandRechts = 20;
    int32_t Ausrichtung = 0;
    int32_t Exemplare = 1;
    bool Mandantendaten = true;
    bool Seitenzahl = true;
    bool DatumDruck = true;
    bool Trennlinien = true;
    bool FarbigerBetrag = true;
    bool Tabellenrahmen = true;
    bool NullwerteAusblenden = true;
    bool DruckReserve = false;

    bool operator==(const druckereinstellungtyp&) const = default;
};

// One period of the evaluation engine's working list; never stored.
struct MonatsDatenTyp {
    int32_t Nr = 0;
    std::string Bezeichnung;
    int32_t OberNr = 0;
    int32_t VonMonat = 0;
    int32_t BisMonat = 0;
    int32_t Jahr = 0;
    double Summe = 0;
    bool Merker = true;

    bool operator==(const MonatsDatenTyp&) const = default;
};

// Everything the program knows about the open books. Owned by the main window (or the CLI) and
// passed by reference; there is no global instance.
struct Datenbestand {
    kontotyp Mandant;
    druckereinstellungtyp Druckereinstellung;
    buchungstyp Kopfsatz;

    std::vector<kontotyp> Konten;
    std::vector<kontotyp> Textbausteine;
    Buchungsspeicher Buchungen;  // compact; see buchungsspeicher.h
    std::vector<buchungstyp> RgmBuchungen;
    std::vector<buchungstyp> Vorlagen;
    std::vector<buchungstyp> Filterliste;
    std::vector<MonatsDatenTyp> Zeitraeume;

    std::string Dateiname;  // full path; empty for a new, unnamed store
    bool DateiOffen = false;
    bool Geaendert = false;
    bool Schreibschutz = false;

    // Booking cursor over Buchungen.
    int32_t LetzterIndex = 0;
    int32_t AktIndex = 1;
    int32_t AnzeigeIndex = -1;

    // The booking index and the results derived from it; read through BuchungsIndex(d).
    mutable Indexspeicher Index;
};

// --- Changes of the bookings ------------------------------------------------------------------
// Every change of Buchungen goes through these, so that the booking index stays current.

// Appends a booking. The collection keeps spare room (see BuchungenKapazitaet), so that adding to
// a big book does not move every column.
void BuchungAnhaengen(Datenbestand& d, buchungstyp b);
// Replaces the booking at this position.
void BuchungErsetzen(Datenbestand& d, size_t position, const buchungstyp& b);
// Removes the bookings at these positions in one pass; positions out of range or given twice
// count once. Returns how many were removed.
size_t BuchungenEntfernen(Datenbestand& d, std::vector<size_t> positionen);
// After the collection was replaced or edited directly (reading a file, an import): rebuilds the
// index and gives the collection its spare room. (A direct edit is noticed by BuchungsIndex too.)
void BuchungenErneuert(Datenbestand& d);
// Spare room a collection of n bookings is given: appending stays cheap for a long while, and the
// pages of unused room cost no memory until they are written.
size_t BuchungenKapazitaet(size_t n);

// The current booking index: rebuilt here when the collection changed behind the store's back.
const Buchungsindex& BuchungsIndex(const Datenbestand& d);

// Fixed second header line of a new client.
inline constexpr const char* MandantKopfzeile2 = "Haushaltsbuch";

// Empties the store and sets it to the defaults of a new, unnamed store with the three built-in
// snippets and a fresh DateiNr.
void NeuerDatenbestand(Datenbestand& d, const Uhr& uhr, Zufall& zufall);

// Defaults of the records (without drawing numbers).
kontotyp MandantVorgabe(int32_t dateiNr);
// A text snippet record, and the three every new store starts with ("#D", "#M", "#J").
kontotyp TextbausteinSatz(int32_t nr, const std::string& abk, const std::string& text);
std::vector<kontotyp> EingebauteTextbausteine();
buchungstyp BuchungVorgabe(int32_t satzart, int32_t heute);

// Next numbers: the largest IdentNr in the collection, at least the floor, plus 1.
int32_t NaechsteBuchungsNr(const Datenbestand& d);
int32_t NaechsteVorlagenNr(const Datenbestand& d);
int32_t NaechsteRgmNr(const Datenbestand& d);
int32_t NaechsteFilterNr(const Datenbestand& d);
int32_t LetzteBuchung(const Datenbestand& d);

// Record initialiser for a new record of the given Satzart: defaults, its number and (for a
// recurring booking) a new unique Kennung.
buchungstyp NeuerSatz(const Datenbestand& d, int32_t satzart, const Uhr& uhr, Zufall& zufall);

// A new DateiNr: today as "ddmmyy" followed by a random 0…98, read as a number.
int32_t NeueDateiNr(const Uhr& uhr, Zufall& zufall);
// A new recurring-booking code that no entry of RgmBuchungen has yet.
std::string NeueKennung(const Datenbestand& d, Zufall& zufall);

// Cuts a UTF-8 text to at most n characters.
std::string Kuerzen(const std::string& text, size_t n);
// Cuts every short text of a record to its capacity.
void KurztexteKuerzen(kontotyp& k);
void KurztexteKuerzen(buchungstyp& b);

}  // namespace talerwerk
