#include "store/jsonformat.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <utility>

#include "store/betrag.h"
#include "store/datum.h"
#include "store/ports.h"
#include "store/zeichensatz.h"

namespace talerwerk {

namespace {

using ojson = nlohmann::ordered_json;
using json = nlohmann::json;

// The data file keeps dates with two-digit years (below 80 is 20yy), so only these years survive
// a save and a later open.
constexpr int32_t kErstesJahr = ErstesJahr;
constexpr int32_t kLetztesJahr = LetztesJahr;

// Largest balance the import takes, in cents: well inside what the file's 80-bit value and the
// cents arithmetic of the evaluations hold exactly.
constexpr double kGroessterBetrag = 1e15;

// ---------------------------------------------------------------------------------------------
// Export

// Writes one record as a compact JSON object, key by key in field order. Written directly rather
// than through a JSON tree: a book of a million bookings is exported in a few seconds.
class Objekt {
public:
    explicit Objekt(std::string& aus) : aus_(aus) { aus_ += '{'; }
    void Ende() { aus_ += '}'; }

    void Zahl(const char* name, int32_t wert) {
        Schluessel(name);
        char puffer[16];
        auto [ende, fehler] = std::to_chars(puffer, puffer + sizeof puffer, wert);
        (void)fehler;
        aus_.append(puffer, ende);
    }
    void Merker(const char* name, bool wert) {
        Schluessel(name);
        aus_ += wert ? "true" : "false";
    }
    void Text(const char* name, const std::string& wert) {
        Schluessel(name);
        TextWert(wert);
    }
    // The shortest decimal that reads back as the same double.
    void Betrag(const char* name, Cent cent) {
        Schluessel(name);
        aus_ += ojson(static_cast<double>(cent) / 100.0).dump();
    }
    void Datum(const char* name, int32_t tag) {
        Schluessel(name);
        if (tag == 0) {
            aus_ += "null";
        } else {
            aus_ += '"';
            aus_ += DatumIso(tag);
            aus_ += '"';
        }
    }
    template <size_t N>
    void Merkerliste(const char* name, const std::array<bool, N>& werte) {
        Schluessel(name);
        aus_ += '[';
        for (size_t i = 0; i < N; ++i) {
            if (i) aus_ += ',';
            aus_ += werte[i] ? "true" : "false";
        }
        aus_ += ']';
    }
    void Textliste(const char* name, const std::vector<std::string>& werte) {
        Schluessel(name);
        aus_ += '[';
        for (size_t i = 0; i < werte.size(); ++i) {
            if (i) aus_ += ',';
            TextWert(werte[i]);
        }
        aus_ += ']';
    }

private:
    void Schluessel(const char* name) {
        if (erster_) erster_ = false; else aus_ += ',';
        aus_ += '"';
        aus_ += name;
        aus_ += "\":";
    }

    void TextWert(const std::string& wert) {
        // Texts in memory are UTF-8 from the reader; should an invalid sequence ever slip in, the
        // JSON library replaces it rather than the export writing bytes no JSON reader takes.
        if (!GueltigesUtf8(wert)) {
            aus_ += ojson(wert).dump(-1, ' ', false, ojson::error_handler_t::replace);
            return;
        }
        static const char* const kHex = "0123456789abcdef";
        aus_ += '"';
        for (char c : wert) {
            const unsigned char u = static_cast<unsigned char>(c);
            switch (c) {
                case '"': aus_ += "\\\""; break;
                case '\\': aus_ += "\\\\"; break;
                case '\b': aus_ += "\\b"; break;
                case '\f': aus_ += "\\f"; break;
                case '\n': aus_ += "\\n"; break;
                case '\r': aus_ += "\\r"; break;
                case '\t': aus_ += "\\t"; break;
                default:
                    if (u < 0x20) {
                        aus_ += "\\u00";
                        aus_ += kHex[u >> 4];
                        aus_ += kHex[u & 15];
                    } else {
                        aus_ += c;
                    }
            }
        }
        aus_ += '"';
    }

    static bool GueltigesUtf8(const std::string& s) {
        size_t i = 0;
        const size_t n = s.size();
        while (i < n) {
            const unsigned char c = static_cast<unsigned char>(s[i]);
            if (c < 0x80) {
                ++i;
                continue;
            }
            size_t laenge;
            uint32_t cp;
            if (c >= 0xC2 && c <= 0xDF) { laenge = 2; cp = c & 0x1F; }
            else if (c >= 0xE0 && c <= 0xEF) { laenge = 3; cp = c & 0x0F; }
            else if (c >= 0xF0 && c <= 0xF4) { laenge = 4; cp = c & 0x07; }
            else return false;
            if (i + laenge > n) return false;
            for (size_t k = 1; k < laenge; ++k) {
                const unsigned char f = static_cast<unsigned char>(s[i + k]);
                if ((f & 0xC0) != 0x80) return false;
                cp = (cp << 6) | (f & 0x3F);
            }
            if ((laenge == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
                (laenge == 4 && (cp < 0x10000 || cp > 0x10FFFF)))
                return false;
            i += laenge;
        }
        return true;
    }

    std::string& aus_;
    bool erster_ = true;
};

void KontoJson(std::string& aus, const kontotyp& k) {
    Objekt o(aus);
    o.Zahl("Nr", k.Nr);
    o.Zahl("Art", k.Art);
    o.Zahl("OberNr", k.OberNr);
    o.Betrag("Stand", k.Stand);
    o.Betrag("AnfStand", k.AnfStand);
    o.Text("Name", k.Name);
    o.Text("Abk", k.Abk);
    o.Text("Kurz1", k.Kurz1);
    o.Text("Kurz2", k.Kurz2);
    o.Text("Text1", k.Text1);
    o.Text("Text2", k.Text2);
    o.Text("Text3", k.Text3);
    o.Merker("Merker1", k.Merker1);
    o.Merker("Merker2", k.Merker2);
    o.Text("Text4", k.Text4);
    o.Zahl("Zahl1", k.Zahl1);
    o.Datum("Datum", k.Datum);
    o.Text("Text5", k.Text5);
    o.Zahl("Zahl2", k.Zahl2);
    o.Ende();
}

void BuchungJson(std::string& aus, const buchungstyp& b) {
    Objekt o(aus);
    o.Zahl("IdentNr", b.IdentNr);
    o.Zahl("IdentNrVon", b.IdentNrVon);
    o.Zahl("IdentNrBis", b.IdentNrBis);
    o.Text("Bezeichnung", b.Bezeichnung);
    o.Zahl("Satzart", b.Satzart);
    o.Datum("Datum", b.Datum);
    o.Datum("DatumBis", b.DatumBis);
    o.Zahl("BArt", b.BArt);
    o.Merkerliste("Monate", b.Monate);
    o.Zahl("Intervall", b.Intervall);
    o.Text("Kennung", b.Kennung);
    o.Text("Bemerkung", b.Bemerkung);
    o.Textliste("Auswahl", b.Auswahl);
    o.Text("Belegnr", b.Belegnr);
    o.Text("BelegnrBis", b.BelegnrBis);
    o.Text("Betrag", b.Betrag);
    o.Text("BetragBis", b.BetragBis);
    o.Zahl("Konto1", b.Konto1);
    o.Zahl("Konto2", b.Konto2);
    o.Text("Text", b.Text);
    o.Merker("Storniert", b.Storniert);
    o.Zahl("Zeitraum", b.Zeitraum);
    o.Zahl("KontoAuswahl", b.KontoAuswahl);
    o.Zahl("RubrikAuswahl", b.RubrikAuswahl);
    o.Zahl("StornoAuswahl", b.StornoAuswahl);
    o.Text("Reserve", b.Reserve);
    o.Zahl("ReserveNr", b.ReserveNr);
    o.Ende();
}

void DruckerJson(std::string& aus, const druckereinstellungtyp& p) {
    Objekt o(aus);
    o.Text("Schriftart", p.Schriftart);
    o.Zahl("Schriftgroesse", p.Schriftgroesse);
    o.Zahl("Schriftfarbe", p.Schriftfarbe);
    o.Merkerliste("Schriftstil", p.Schriftstil);
    o.Zahl("RandOben", p.RandOben);
    o.Zahl("RandUnten", p.RandUnten);
    o.Zahl("RandLinks", p.RandLinks);
    o.Zahl("RandRechts", p.RandRechts);
    o.Zahl("Ausrichtung", p.Ausrichtung);
    o.Zahl("Exemplare", p.Exemplare);
    o.Merker("Mandantendaten", p.Mandantendaten);
    o.Merker("Seitenzahl", p.Seitenzahl);
    o.Merker("DatumDruck", p.DatumDruck);
    o.Merker("Trennlinien", p.Trennlinien);
    o.Merker("FarbigerBetrag", p.FarbigerBetrag);
    o.Merker("Tabellenrahmen", p.Tabellenrahmen);
    o.Merker("NullwerteAusblenden", p.NullwerteAusblenden);
    o.Merker("DruckReserve", p.DruckReserve);
    o.Ende();
}

// The output is handed to the stream in pieces of this size, so memory stays small.
constexpr size_t kStueck = 1 << 20;

template <class T, class Sammlung>
void Liste(std::ostream& aus, std::string& puffer, const char* name, const Sammlung& liste,
           void (*umwandeln)(std::string&, const T&), bool letzte) {
    puffer += "  \"";
    puffer += name;
    puffer += "\": [";
    for (size_t i = 0; i < liste.size(); ++i) {
        puffer += i == 0 ? "\n    " : ",\n    ";
        umwandeln(puffer, liste[i]);
        if (puffer.size() >= kStueck) {
            aus.write(puffer.data(), static_cast<std::streamsize>(puffer.size()));
            puffer.clear();
        }
    }
    puffer += liste.empty() ? "]" : "\n  ]";
    puffer += letzte ? "\n" : ",\n";
}

// ---------------------------------------------------------------------------------------------
// Import

struct ImportFehler {
    std::string Text;
};

[[noreturn]] void Fehler(const std::string& pfad, const std::string& was) {
    throw ImportFehler{pfad + ": " + was};
}

const char* TypName(const json& j) {
    switch (j.type()) {
        case json::value_t::null: return "null";
        case json::value_t::object: return "Objekt";
        case json::value_t::array: return "Liste";
        case json::value_t::string: return "Text";
        case json::value_t::boolean: return "Wahrheitswert";
        case json::value_t::number_integer:
        case json::value_t::number_unsigned: return "ganze Zahl";
        case json::value_t::number_float: return "Kommazahl";
        default: return "unbekannt";
    }
}

[[noreturn]] void FalscherTyp(const std::string& pfad, const json& j, const char* erwartet) {
    Fehler(pfad, std::string("falscher Typ (") + TypName(j) + "), erwartet: " + erwartet);
}

// Reads the fields of one JSON object into a record; a key that is absent leaves the field as it
// is, so the record keeps the default it was made with.
class Leser {
public:
    Leser(const json& objekt, std::string pfad) : o_(objekt), pfad_(std::move(pfad)) {
        if (!o_.is_object()) FalscherTyp(pfad_, o_, "Objekt");
    }

    const json* Feld(const char* name) const {
        auto it = o_.find(name);
        return it == o_.end() ? nullptr : &*it;
    }
    bool Hat(const char* name) const { return Feld(name) != nullptr; }
    std::string Pfad(const char* name) const { return pfad_ + "." + name; }

    void Zahl(const char* name, int32_t& ziel) const {
        const json* j = Feld(name);
        if (!j) return;
        if (j->is_number_unsigned()) {
            if (j->get<uint64_t>() > static_cast<uint64_t>(std::numeric_limits<int32_t>::max()))
                Fehler(Pfad(name), "Zahl außerhalb des zulässigen Bereichs");
            ziel = static_cast<int32_t>(j->get<uint64_t>());
        } else if (j->is_number_integer()) {
            int64_t w = j->get<int64_t>();
            if (w < std::numeric_limits<int32_t>::min() || w > std::numeric_limits<int32_t>::max())
                Fehler(Pfad(name), "Zahl außerhalb des zulässigen Bereichs");
            ziel = static_cast<int32_t>(w);
        } else {
            FalscherTyp(Pfad(name), *j, "ganze Zahl");
        }
    }

    void Merker(const char* name, bool& ziel) const {
        const json* j = Feld(name);
        if (!j) return;
        if (!j->is_boolean()) FalscherTyp(Pfad(name), *j, "true oder false");
        ziel = j->get<bool>();
    }

    static std::string TextPruefen(const json& j, const std::string& pfad) {
        if (!j.is_string()) FalscherTyp(pfad, j, "Text");
        const std::string& s = j.get_ref<const std::string&>();
        if (!Cp1252Darstellbar(s))
            Fehler(pfad, "Text enthält Zeichen, die in der Datei nicht gespeichert werden können");
        return s;
    }

    void Text(const char* name, std::string& ziel, size_t laenge = 0) const {
        const json* j = Feld(name);
        if (!j) return;
        ziel = TextPruefen(*j, Pfad(name));
        if (laenge) ziel = Kuerzen(ziel, laenge);
    }

    // Booking amounts are texts in the stored amount form, and only that form is taken: any other
    // text would be saved as it stands and then read differently, or make the balances of the
    // saved file larger than the file can hold.
    void BetragsText(const char* name, std::string& ziel) const {
        const json* j = Feld(name);
        if (!j) return;
        const std::string s = TextPruefen(*j, Pfad(name));
        if (!IstBetragForm(s)) {
            const std::string zeigen = ZeichenAnzahl(s) <= 20 ? " \"" + s + "\"" : std::string();
            Fehler(Pfad(name), "kein gültiger Betrag" + zeigen +
                                   " (erwartet: Ziffern mit Komma vor den letzten zwei, höchstens 11 Zeichen, "
                                   "z. B. \"1234,56\")");
        }
        ziel = s;
    }

    void Betrag(const char* name, Cent& ziel) const {
        const json* j = Feld(name);
        if (!j) return;
        if (!j->is_number()) FalscherTyp(Pfad(name), *j, "Zahl");
        double w = j->get<double>() * 100.0;
        if (!std::isfinite(w) || std::fabs(w) > kGroessterBetrag)
            Fehler(Pfad(name), "Betrag außerhalb des zulässigen Bereichs");
        ziel = static_cast<Cent>(std::llround(w));
    }

    void Datum(const char* name, int32_t& ziel) const {
        const json* j = Feld(name);
        if (!j) return;
        if (j->is_null()) {
            ziel = 0;
            return;
        }
        if (!j->is_string()) FalscherTyp(Pfad(name), *j, "Datum \"JJJJ-MM-TT\" oder null");
        const std::string& s = j->get_ref<const std::string&>();
        std::optional<int32_t> tag = IsoDatum(s);
        if (!tag) Fehler(Pfad(name), "kein gültiges Datum \"" + s + "\"");
        Kalendertag k = KalenderAus(*tag);
        if (k.Jahr < kErstesJahr || k.Jahr > kLetztesJahr)
            Fehler(Pfad(name), "Datum \"" + s + "\" liegt außerhalb der Jahre 1980 bis 2079");
        ziel = *tag;
    }

    template <size_t N>
    void Merkerliste(const char* name, std::array<bool, N>& ziel) const {
        const json* j = Feld(name);
        if (!j) return;
        const std::string erwartet = "Liste von " + std::to_string(N) + " Wahrheitswerten";
        if (!j->is_array()) FalscherTyp(Pfad(name), *j, erwartet.c_str());
        if (j->size() != N) Fehler(Pfad(name), erwartet + " erwartet");
        for (size_t i = 0; i < N; ++i) {
            const json& e = (*j)[i];
            if (!e.is_boolean())
                FalscherTyp(Pfad(name) + "[" + std::to_string(i) + "]", e, "true oder false");
            ziel[i] = e.get<bool>();
        }
    }

    void Textliste(const char* name, std::vector<std::string>& ziel) const {
        const json* j = Feld(name);
        if (!j) return;
        if (!j->is_array()) FalscherTyp(Pfad(name), *j, "Liste von Texten");
        ziel.clear();
        ziel.reserve(j->size());
        for (size_t i = 0; i < j->size(); ++i)
            ziel.push_back(TextPruefen((*j)[i], Pfad(name) + "[" + std::to_string(i) + "]"));
    }

private:
    // Strict "YYYY-MM-DD".
    static std::optional<int32_t> IsoDatum(const std::string& s) {
        if (s.size() != 10 || s[4] != '-' || s[7] != '-') return std::nullopt;
        auto ziffern = [&](size_t von, size_t n) -> std::optional<int32_t> {
            int32_t w = 0;
            for (size_t i = von; i < von + n; ++i) {
                if (s[i] < '0' || s[i] > '9') return std::nullopt;
                w = w * 10 + (s[i] - '0');
            }
            return w;
        };
        auto j = ziffern(0, 4), m = ziffern(5, 2), t = ziffern(8, 2);
        if (!j || !m || !t) return std::nullopt;
        return TagesNummer(*t, *m, *j);
    }

    const json& o_;
    std::string pfad_;
};

void KontoLesen(const Leser& l, kontotyp& k) {
    l.Zahl("Nr", k.Nr);
    l.Zahl("Art", k.Art);
    l.Zahl("OberNr", k.OberNr);
    l.Betrag("Stand", k.Stand);
    l.Betrag("AnfStand", k.AnfStand);
    l.Text("Name", k.Name);
    l.Text("Abk", k.Abk, AbkLaenge);
    l.Text("Kurz1", k.Kurz1, KurzLaenge);
    l.Text("Kurz2", k.Kurz2, KurzLaenge);
    l.Text("Text1", k.Text1);
    l.Text("Text2", k.Text2);
    l.Text("Text3", k.Text3);
    l.Merker("Merker1", k.Merker1);
    l.Merker("Merker2", k.Merker2);
    l.Text("Text4", k.Text4);
    l.Zahl("Zahl1", k.Zahl1);
    l.Datum("Datum", k.Datum);
    l.Text("Text5", k.Text5);
    l.Zahl("Zahl2", k.Zahl2);
}

void BuchungLesen(const Leser& l, buchungstyp& b, bool filterliste) {
    l.Zahl("IdentNr", b.IdentNr);
    l.Zahl("IdentNrVon", b.IdentNrVon);
    l.Zahl("IdentNrBis", b.IdentNrBis);
    l.Text("Bezeichnung", b.Bezeichnung);
    l.Zahl("Satzart", b.Satzart);
    l.Datum("Datum", b.Datum);
    l.Datum("DatumBis", b.DatumBis);
    l.Zahl("BArt", b.BArt);
    l.Merkerliste("Monate", b.Monate);
    l.Zahl("Intervall", b.Intervall);
    l.Text("Kennung", b.Kennung);
    l.Text("Bemerkung", b.Bemerkung);
    l.Textliste("Auswahl", b.Auswahl);
    // The data file gives a selection list only to the records of the filter list; anywhere else
    // it would make the saved file unreadable.
    if (!filterliste && !b.Auswahl.empty())
        Fehler(l.Pfad("Auswahl"), "nur Filter haben eine Auswahl");
    l.Text("Belegnr", b.Belegnr);
    l.Text("BelegnrBis", b.BelegnrBis);
    l.BetragsText("Betrag", b.Betrag);
    l.BetragsText("BetragBis", b.BetragBis);
    l.Zahl("Konto1", b.Konto1);
    l.Zahl("Konto2", b.Konto2);
    l.Text("Text", b.Text);
    l.Merker("Storniert", b.Storniert);
    l.Zahl("Zeitraum", b.Zeitraum);
    l.Zahl("KontoAuswahl", b.KontoAuswahl);
    l.Zahl("RubrikAuswahl", b.RubrikAuswahl);
    l.Zahl("StornoAuswahl", b.StornoAuswahl);
    l.Text("Reserve", b.Reserve);
    l.Zahl("ReserveNr", b.ReserveNr);
}

void DruckerLesen(const Leser& l, druckereinstellungtyp& p) {
    l.Text("Schriftart", p.Schriftart);
    l.Zahl("Schriftgroesse", p.Schriftgroesse);
    l.Zahl("Schriftfarbe", p.Schriftfarbe);
    l.Merkerliste("Schriftstil", p.Schriftstil);
    l.Zahl("RandOben", p.RandOben);
    l.Zahl("RandUnten", p.RandUnten);
    l.Zahl("RandLinks", p.RandLinks);
    l.Zahl("RandRechts", p.RandRechts);
    l.Zahl("Ausrichtung", p.Ausrichtung);
    l.Zahl("Exemplare", p.Exemplare);
    l.Merker("Mandantendaten", p.Mandantendaten);
    l.Merker("Seitenzahl", p.Seitenzahl);
    l.Merker("DatumDruck", p.DatumDruck);
    l.Merker("Trennlinien", p.Trennlinien);
    l.Merker("FarbigerBetrag", p.FarbigerBetrag);
    l.Merker("Tabellenrahmen", p.Tabellenrahmen);
    l.Merker("NullwerteAusblenden", p.NullwerteAusblenden);
    l.Merker("DruckReserve", p.DruckReserve);
}

// The deepest level at which the schema opens an object or a list.
constexpr int kTiefsteEbene = 3;

// The six collections in the order of the schema.
enum Sammlung { SKonten, STextbausteine, SBuchungen, SRgmBuchungen, SVorlagen, SFilterliste, SKeine };
const char* const kSammlungsName[] = {"Konten", "Textbausteine", "Buchungen",
                                      "RgmBuchungen", "Vorlagen", "Filterliste"};

Sammlung SammlungAus(const std::string& name) {
    for (int i = 0; i < SKeine; ++i)
        if (name == kSammlungsName[i]) return static_cast<Sammlung>(i);
    return SKeine;
}

// Builds the store while the parser runs: each record of a collection is turned into its record
// as soon as its object is complete and then dropped, so even a book of a million bookings never
// sits in memory as a JSON tree.
class Aufbau {
public:
    Aufbau(Datenbestand& d, const Uhr& uhr, Zufall& zufall)
        : d_(d), heute_(uhr.Heute()), zufall_(zufall) {}

    bool Ereignis(int tiefe, json::parse_event_t ereignis, json& wert) {
        using E = json::parse_event_t;
        // The schema nests no deeper than the lists inside a record: the document (0), a
        // collection (1), a record (2), its Monate or Auswahl (3). Deeper input is refused at its
        // first bracket, before it can cost time and memory.
        if ((ereignis == E::object_start || ereignis == E::array_start) && tiefe > kTiefsteEbene)
            Fehler(tiefe > 1 && aktuell_ != SKeine
                       ? std::string(kSammlungsName[aktuell_]) + "[" + std::to_string(index_) + "]"
                       : std::string("JSON"),
                   "tiefer verschachtelt, als das Format vorsieht");
        if (tiefe == 0) {
            if (ereignis == E::object_start) obenObjekt_ = true;
            return true;
        }
        if (!obenObjekt_) return true;  // not an object at all: reported after parsing
        if (tiefe == 1) {
            if (ereignis == E::key) {
                schluessel_ = wert.get<std::string>();
            } else if (ereignis == E::array_start) {
                aktuell_ = SammlungAus(schluessel_);
                index_ = 0;
                if (aktuell_ != SKeine) {
                    gesehen_[aktuell_] = true;
                    Leeren(aktuell_);
                }
            } else if (ereignis == E::array_end) {
                aktuell_ = SKeine;
            }
            return true;
        }
        if (tiefe == 2 && aktuell_ != SKeine) {
            std::string pfad = std::string(kSammlungsName[aktuell_]) + "[" + std::to_string(index_) + "]";
            if (ereignis == E::object_end) {
                Satz(Leser(wert, pfad));
                ++index_;
                return false;  // converted; the JSON tree need not keep it
            }
            if (ereignis == E::value || ereignis == E::array_start) {
                // An element that is no object: its value (or, for a list, a stand-in) names the type.
                FalscherTyp(pfad, ereignis == E::value ? wert : json::array(), "Objekt");
            }
        }
        return true;
    }

    bool Gesehen(Sammlung s) const { return gesehen_[s]; }

private:
    void Leeren(Sammlung s) {
        switch (s) {
            case SKonten: d_.Konten.clear(); break;
            case STextbausteine: d_.Textbausteine.clear(); break;
            case SBuchungen: d_.Buchungen.clear(); d_.Index.Leeren(); maxNr_[0] = 0; break;
            case SRgmBuchungen: d_.RgmBuchungen.clear(); maxNr_[1] = 11000; break;
            case SVorlagen: d_.Vorlagen.clear(); maxNr_[2] = 10000; break;
            case SFilterliste: d_.Filterliste.clear(); maxNr_[3] = 12000; break;
            case SKeine: break;
        }
    }

    void Satz(const Leser& l) {
        switch (aktuell_) {
            case SKonten:
            case STextbausteine: {
                kontotyp k;
                k.Art = aktuell_ == STextbausteine ? ArtTextbaustein : 0;
                KontoLesen(l, k);
                (aktuell_ == SKonten ? d_.Konten : d_.Textbausteine).push_back(std::move(k));
                break;
            }
            case SBuchungen: Buchung(l, d_.Buchungen, SatzBuchung); break;
            case SRgmBuchungen: Buchung(l, d_.RgmBuchungen, SatzRgmBuchung); break;
            case SVorlagen: Buchung(l, d_.Vorlagen, SatzVorlage); break;
            case SFilterliste: Buchung(l, d_.Filterliste, SatzFilter); break;
            case SKeine: break;
        }
    }

    template <class Sammlung>
    void Buchung(const Leser& l, Sammlung& liste, int32_t satzart) {
        buchungstyp b = BuchungVorgabe(satzart, heute_);
        BuchungLesen(l, b, satzart == SatzFilter);
        // A record without a number takes the next one of its collection, as a new record would.
        int32_t& groesste = maxNr_[satzart];
        if (!l.Hat("IdentNr")) b.IdentNr = groesste + 1;
        if (b.IdentNr > groesste) groesste = b.IdentNr;
        if (satzart == SatzRgmBuchung && !l.Hat("Kennung")) b.Kennung = NeueKennung(d_, zufall_);
        liste.push_back(b);
    }

    Datenbestand& d_;
    int32_t heute_;
    Zufall& zufall_;
    bool obenObjekt_ = false;
    std::string schluessel_;
    Sammlung aktuell_ = SKeine;
    size_t index_ = 0;
    bool gesehen_[SKeine] = {};
    int32_t maxNr_[4] = {0, 11000, 10000, 12000};
};

}  // namespace

void JsonSchreiben(const Datenbestand& d, std::ostream& aus) {
    std::string p;
    p.reserve(kStueck + 4096);
    p += "{\n  \"Mandant\": ";
    KontoJson(p, d.Mandant);
    p += ",\n  \"Druckereinstellung\": ";
    DruckerJson(p, d.Druckereinstellung);
    p += ",\n";
    Liste(aus, p, "Konten", d.Konten, KontoJson, false);
    Liste(aus, p, "Textbausteine", d.Textbausteine, KontoJson, false);
    p += "  \"Kopfsatz\": ";
    BuchungJson(p, d.Kopfsatz);
    p += ",\n";
    Liste(aus, p, "Buchungen", d.Buchungen, BuchungJson, false);
    Liste(aus, p, "RgmBuchungen", d.RgmBuchungen, BuchungJson, false);
    Liste(aus, p, "Vorlagen", d.Vorlagen, BuchungJson, false);
    Liste(aus, p, "Filterliste", d.Filterliste, BuchungJson, true);
    p += "}\n";
    aus.write(p.data(), static_cast<std::streamsize>(p.size()));
}

std::string JsonText(const Datenbestand& d) {
    std::ostringstream aus;
    JsonSchreiben(d, aus);
    return aus.str();
}

JsonErgebnis JsonEinlesen(std::string_view text, const Uhr& uhr, Zufall& zufall) {
    JsonErgebnis ergebnis;
    Datenbestand& d = ergebnis.Bestand;
    try {
        // Start from a new store: its built-in snippets stand when the input names no snippets.
        NeuerDatenbestand(d, uhr, zufall);
        Aufbau aufbau(d, uhr, zufall);
        json wurzel = json::parse(
            text.begin(), text.end(),
            [&aufbau](int tiefe, json::parse_event_t ereignis, json& wert) {
                return aufbau.Ereignis(tiefe, ereignis, wert);
            });
        if (!wurzel.is_object()) FalscherTyp("JSON", wurzel, "Objekt");

        for (int s = 0; s < SKeine; ++s) {
            auto it = wurzel.find(kSammlungsName[s]);
            if (it != wurzel.end() && !aufbau.Gesehen(static_cast<Sammlung>(s)))
                FalscherTyp(kSammlungsName[s], *it, "Liste");
        }
        if (auto it = wurzel.find("Mandant"); it != wurzel.end()) {
            kontotyp m = d.Mandant;
            KontoLesen(Leser(*it, "Mandant"), m);
            d.Mandant = std::move(m);
        }
        if (auto it = wurzel.find("Druckereinstellung"); it != wurzel.end())
            DruckerLesen(Leser(*it, "Druckereinstellung"), d.Druckereinstellung);

        // The header record: IdentNr 0 and the file number as its code, else a new booking.
        buchungstyp kopf = BuchungVorgabe(SatzBuchung, uhr.Heute());
        kopf.IdentNr = 0;
        kopf.Kennung = std::to_string(d.Mandant.OberNr);
        if (auto it = wurzel.find("Kopfsatz"); it != wurzel.end())
            BuchungLesen(Leser(*it, "Kopfsatz"), kopf, false);
        d.Kopfsatz = std::move(kopf);

        d.LetzterIndex = LetzteBuchung(d);
    } catch (const ImportFehler& f) {
        ergebnis.Fehler = f.Text;
    } catch (const json::parse_error& f) {
        ergebnis.Fehler = "Ungültiges JSON an Byte-Position " + std::to_string(f.byte) + ".";
    } catch (const std::bad_alloc&) {
        ergebnis.Fehler = "Nicht genügend Speicher für die Eingabe.";
    } catch (const std::exception& f) {
        ergebnis.Fehler = std::string("Ungültiges JSON: ") + f.what();
    }
    if (!ergebnis.Ok()) ergebnis.Bestand = Datenbestand{};
    return ergebnis;
}

}  // namespace talerwerk
