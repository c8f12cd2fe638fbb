#pragma once
// The settings file: per-user options and window layout, INI form, all values decimal integers.
// Read once at start, written once at exit (the calculator writes its own geometry when it closes).

#include <cstdint>
#include <string>
#include <vector>

namespace talerwerk {

struct Einstellungen {
    // [Hauptfenster]
    int32_t x = 0;
    int32_t y = 0;
    int32_t Breite = 580;
    int32_t Hoehe = 420;
    bool Symbolleiste = true;
    int32_t Symbolleiste_Ausrichtung = 1;  // 1 top, 2 bottom, 3 left, 4 right
    bool Statuszeile = true;
    bool Maximiert = false;
    // [Meldungen]
    bool Warnung = true;
    bool Buchung = true;
    bool Ueberschreiben = true;  // key "Überschreiben"
    // [Einstellungen]
    bool Textbaustein = true;
    bool Buchungsdatum = true;
    bool Nullbuchung = false;
    bool rgmBuchung1 = true;
    bool rgmBuchung2 = true;
    bool BuchungEdit = true;
    // [Rechner]
    bool RechnerOffen = false;  // key "offen"
    int32_t RechnerX = 5;
    int32_t RechnerY = 5;
    int32_t RechnerBreite = 164;
    int32_t RechnerHoehe = 234;
    // [Buchung], [KontoStand], [BListe] key "offen"
    bool BuchungOffen = false;
    bool KontoStandOffen = false;
    bool BListeOffen = false;
    // [Farbe], colours as 0x00BBGGRR
    int32_t Positiv = 16711680;
    int32_t Negativ = 255;
    // [Sicherung]: a copy of the file a save replaces, and how many are kept per data file
    bool SicherungAktiv = true;  // key "Aktiv"
    int32_t SicherungAnzahl = 5; // key "Anzahl", 1 … 99

    bool operator==(const Einstellungen&) const = default;
};

class Meldungen;

// Missing file, section or key, or a value that is no integer: the default. A file that is there
// but cannot be used as a settings file (no regular file, unreadable, larger than 1 MiB, binary)
// gives the defaults. Reading and writing take time and memory in proportion to the file's size.
Einstellungen EinstellungenLaden(const std::string& pfad);
// The same at program start: a file that cannot be used is set aside (renamed with the ending
// below, so that the next save writes a fresh one) and a warning through `meldungen` says so.
Einstellungen EinstellungenLaden(const std::string& pfad, Meldungen& meldungen);
inline constexpr const char* EinstellungenBeiseiteEndung = ".defekt";
// The same from the text of a settings file, and the text that saving writes over `bisher`: the
// file's work without the file.
Einstellungen EinstellungenAusText(const std::string& text);
std::string EinstellungenText(const std::string& bisher, const Einstellungen& e);
// Writes every key in the fixed order, keeping keys of the file it does not know; false when the
// file could not be written.
bool EinstellungenSpeichern(const std::string& pfad, const Einstellungen& e);
// Rewrites only the calculator's geometry keys of the file, keeping every other entry.
bool RechnerLageSpeichern(const std::string& pfad, const Einstellungen& e);

// Placement of a child window in a section of its own ("x", "y", "Breite", "Hoehe"): read when
// the window is created, written when it closes. Every other line of the file stays as it is.
struct FensterLage {
    int32_t x = 0;
    int32_t y = 0;
    int32_t Breite = 0;
    int32_t Hoehe = 0;
    bool operator==(const FensterLage&) const = default;
};

// The section's values; a missing file, section or key, or a value that is no whole number, keeps
// the value of `vorgabe`.
FensterLage FensterLageLesen(const std::string& pfad, const std::string& abschnitt, const FensterLage& vorgabe);
// Writes the four keys into the section (added at the end when missing), replacing the first entry
// of each key. False when the file could not be written.
bool FensterLageSpeichern(const std::string& pfad, const std::string& abschnitt, const FensterLage& lage);

// Whole-number keys of one section, for windows that keep more than their placement (the booking
// list's sort columns). Reading: a missing file, section or key, or a value that is no whole number,
// keeps the key's value. Writing: as FensterLageSpeichern, for these keys.
struct Zahlenschluessel {
    std::string Name;
    int32_t Wert = 0;
};
void ZahlenLesen(const std::string& pfad, const std::string& abschnitt, std::vector<Zahlenschluessel>& schluessel);
bool ZahlenSpeichern(const std::string& pfad, const std::string& abschnitt,
                     const std::vector<Zahlenschluessel>& schluessel);

// Where the settings file lives: "talerwerk.ini" beside the program when that folder is writable,
// else in the user's configuration folder ($XDG_CONFIG_HOME or ~/.config).
std::string EinstellungsPfad(const std::string& programmPfad);

}  // namespace talerwerk
