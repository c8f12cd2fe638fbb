// The data file (".tlw"): the whole store as a sequence of tagged values, no magic number, no
// version, no checksum.
//
// Tagged values: one tag byte, then the value's bytes, integers little-endian.
//   0x00 list end            0x01 list begin
//   0x02 int8   0x03 int16   0x04 int32          (a writer uses the smallest that holds the value)
//   0x05 80-bit extended (10 bytes)              (Stand, AnfStand)
//   0x06 text, 1 length byte; 0x0C text, 4-byte length (texts are Windows-1252 bytes)
//   0x08 false  0x09 true
// Dates are texts: "0" or "dd.mm.yy" (yy < 80 → 20yy).
//
// Whole file: count 1 · Mandant (kontotyp) · count 1 · page settings · count · Konten · count ·
// Textbausteine · Kopfsatz (buchungstyp, no count) · count · Buchungen · count · RgmBuchungen ·
// count · Vorlagen · count · Filterliste. A count is a raw 4-byte signed little-endian integer.
//
// The reader trusts nothing: every read is checked against the bytes left, every count against the
// smallest size its records can have, so no byte sequence makes it read past the buffer, allocate
// beyond what the file could hold, or run for more than linear time.

#include "store/datendatei.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <new>
#include <ostream>
#include <streambuf>
#include <utility>
#include <vector>

#include "store/betrag.h"
#include "store/datum.h"
#include "store/kontostaende.h"
#include "store/ports.h"
#include "store/zeichensatz.h"

namespace talerwerk {

namespace {

// 128-bit arithmetic for the exact 80-bit conversion (GCC and Clang).
__extension__ typedef unsigned __int128 u128;

// ---------------------------------------------------------------------------------------------
// Tags

enum Tag : unsigned char {
    TagListenEnde = 0x00,
    TagListenAnfang = 0x01,
    TagInt8 = 0x02,
    TagInt16 = 0x03,
    TagInt32 = 0x04,
    TagExtended = 0x05,
    TagKurzText = 0x06,
    TagFalsch = 0x08,
    TagWahr = 0x09,
    TagLangText = 0x0C,
};

// ---------------------------------------------------------------------------------------------
// Writer

class Schreiber {
public:
    explicit Schreiber(std::string& aus) : aus_(aus) {}

    void Anzahl(int32_t n) {
        const uint32_t u = static_cast<uint32_t>(n);
        char b[4] = {static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF),
                     static_cast<char>((u >> 16) & 0xFF), static_cast<char>((u >> 24) & 0xFF)};
        aus_.append(b, 4);
    }

    void Int(int32_t v) {
        const uint32_t u = static_cast<uint32_t>(v);
        if (v >= -128 && v <= 127) {
            char b[2] = {static_cast<char>(TagInt8), static_cast<char>(u & 0xFF)};
            aus_.append(b, 2);
        } else if (v >= -32768 && v <= 32767) {
            char b[3] = {static_cast<char>(TagInt16), static_cast<char>(u & 0xFF),
                         static_cast<char>((u >> 8) & 0xFF)};
            aus_.append(b, 3);
        } else {
            char b[5] = {static_cast<char>(TagInt32), static_cast<char>(u & 0xFF),
                         static_cast<char>((u >> 8) & 0xFF), static_cast<char>((u >> 16) & 0xFF),
                         static_cast<char>((u >> 24) & 0xFF)};
            aus_.append(b, 5);
        }
    }

    void Flag(bool v) { aus_.push_back(static_cast<char>(v ? TagWahr : TagFalsch)); }

    void Geld(Cent c) {
        char b[11];
        b[0] = static_cast<char>(TagExtended);
        Extended80AusCent(c, reinterpret_cast<unsigned char*>(b + 1));
        aus_.append(b, 11);
    }

    // A text of the store (UTF-8), written as Windows-1252 bytes.
    void Text(std::string_view utf8) {
        const size_t anfang = aus_.size();
        char kopf[2] = {static_cast<char>(TagKurzText), 0};
        aus_.append(kopf, 2);
        Cp1252Anhaengen(aus_, utf8);
        const size_t n = aus_.size() - anfang - 2;
        if (n <= 255) {
            aus_[anfang + 1] = static_cast<char>(n);
            return;
        }
        // Longer than a short string: tag 0x0C with a 4-byte length. Rare, so the bytes move.
        const uint32_t u = static_cast<uint32_t>(n);
        char lang[5] = {static_cast<char>(TagLangText), static_cast<char>(u & 0xFF),
                        static_cast<char>((u >> 8) & 0xFF), static_cast<char>((u >> 16) & 0xFF),
                        static_cast<char>((u >> 24) & 0xFF)};
        aus_.replace(anfang, 2, lang, 5);
    }

    // "0" or "dd.mm.yy", as DatumDateiText makes it, but without building a string per date.
    void Datum(int32_t tagesNummer) {
        if (tagesNummer == 0) {
            char b[3] = {static_cast<char>(TagKurzText), 1, '0'};
            aus_.append(b, 3);
            return;
        }
        const Kalendertag k = KalenderAus(tagesNummer);
        const int32_t jahr = ((k.Jahr % 100) + 100) % 100;
        if (k.Tag < 0 || k.Tag > 99 || k.Monat < 0 || k.Monat > 99) {
            Text(DatumDateiText(tagesNummer));
            return;
        }
        char b[10] = {static_cast<char>(TagKurzText), 8,
                      static_cast<char>('0' + k.Tag / 10), static_cast<char>('0' + k.Tag % 10), '.',
                      static_cast<char>('0' + k.Monat / 10), static_cast<char>('0' + k.Monat % 10), '.',
                      static_cast<char>('0' + jahr / 10), static_cast<char>('0' + jahr % 10)};
        aus_.append(b, 10);
    }

    // The stored amount text of a booking whose text is the canonical form of its cents.
    void CentBetrag(Cent cent) {
        char puffer[24];
        const std::string_view text = CentTextIn(puffer, cent);
        // The tag and the length byte go into the two bytes before the text.
        char* p = puffer + (text.data() - puffer);
        *--p = static_cast<char>(text.size());
        *--p = static_cast<char>(TagKurzText);
        aus_.append(p, text.size() + 2);
    }

    void Liste(const std::vector<std::string>* eintraege) {
        aus_.push_back(static_cast<char>(TagListenAnfang));
        if (eintraege) {
            for (const std::string& e : *eintraege) Text(e);
        }
        aus_.push_back(static_cast<char>(TagListenEnde));
    }

private:
    std::string& aus_;
};

void SchreibeKonto(Schreiber& s, const kontotyp& k) {
    s.Int(k.Nr);
    s.Int(k.Art);
    s.Int(k.OberNr);
    s.Geld(k.Stand);
    s.Geld(k.AnfStand);
    s.Text(k.Name);
    s.Text(k.Abk);
    s.Text(k.Kurz1);
    s.Text(k.Kurz2);
    s.Text(k.Text1);
    s.Text(k.Text2);
    s.Text(k.Text3);
    s.Flag(k.Merker1);
    s.Flag(k.Merker2);
    s.Text(k.Text4);
    s.Int(k.Zahl1);
    s.Datum(k.Datum);
    s.Text(k.Text5);
    s.Int(k.Zahl2);
}

// `mitListe`: the record belongs to Filterliste, the only collection whose records own an
// Auswahl list. Every other record writes an empty list, so the writer never makes a file the
// reader would refuse.
void SchreibeBuchung(Schreiber& s, const buchungstyp& b, bool mitListe) {
    s.Int(b.IdentNr);
    s.Int(b.IdentNrVon);
    s.Int(b.IdentNrBis);
    s.Text(b.Bezeichnung);
    s.Int(b.Satzart);
    s.Datum(b.Datum);
    s.Datum(b.DatumBis);
    s.Int(b.BArt);
    for (bool m : b.Monate) s.Flag(m);
    s.Int(b.Intervall);
    s.Text(b.Kennung);
    s.Text(b.Bemerkung);
    s.Liste(mitListe ? &b.Auswahl : nullptr);
    s.Text(b.Belegnr);
    s.Text(b.BelegnrBis);
    s.Text(b.Betrag);
    s.Text(b.BetragBis);
    s.Int(b.Konto1);
    s.Int(b.Konto2);
    s.Text(b.Text);
    s.Flag(b.Storniert);
    s.Int(b.Zeitraum);
    s.Int(b.KontoAuswahl);
    s.Int(b.RubrikAuswahl);
    s.Int(b.StornoAuswahl);
    s.Text(b.Reserve);
    s.Int(b.ReserveNr);
}

// A booking of the compact store: the same bytes as SchreibeBuchung for the record it holds.
void SchreibeBuchung(Schreiber& s, const Buchungssicht& b) {
    const SeltenerTeil leer;
    const SeltenerTeil& r = b.Selten ? *b.Selten : leer;
    s.Int(b.IdentNr);
    s.Int(r.IdentNrVon);
    s.Int(r.IdentNrBis);
    s.Text(b.Bezeichnung);
    s.Int(r.Satzart);
    s.Datum(b.Datum);
    s.Datum(r.DatumBis);
    s.Int(b.BArt);
    for (bool m : r.Monate) s.Flag(m);
    s.Int(r.Intervall);
    s.Text(b.Kennung);
    s.Text(b.Bemerkung);
    s.Liste(nullptr);
    s.Text(b.Belegnr);
    s.Text(b.BelegnrBis);
    if (b.BetragKanonisch)
        s.CentBetrag(b.BetragCent);
    else
        s.Text(b.Betrag);
    s.Text(b.BetragBis);
    s.Int(b.Konto1);
    s.Int(b.Konto2);
    s.Text(b.Text);
    s.Flag(b.Storniert);
    s.Int(r.Zeitraum);
    s.Int(r.KontoAuswahl);
    s.Int(r.RubrikAuswahl);
    s.Int(r.StornoAuswahl);
    s.Text(b.Reserve);
    s.Int(r.ReserveNr);
}

// The file order of the page settings differs from the field order (Exemplare before
// Ausrichtung, and the flags in the order below).
void SchreibeDrucker(Schreiber& s, const druckereinstellungtyp& e) {
    s.Text(e.Schriftart);
    s.Int(e.Schriftgroesse);
    s.Int(e.Schriftfarbe);
    for (bool f : e.Schriftstil) s.Flag(f);
    s.Int(e.RandOben);
    s.Int(e.RandUnten);
    s.Int(e.RandLinks);
    s.Int(e.RandRechts);
    s.Int(e.Exemplare);
    s.Int(e.Ausrichtung);
    s.Flag(e.Mandantendaten);
    s.Flag(e.DruckReserve);
    s.Flag(e.Trennlinien);
    s.Flag(e.Seitenzahl);
    s.Flag(e.DatumDruck);
    s.Flag(e.FarbigerBetrag);
    s.Flag(e.Tabellenrahmen);
    s.Flag(e.NullwerteAusblenden);
}

// Upper bounds of the written size, so that the image needs one allocation. A text never grows
// on conversion; every other value has a fixed largest size.
size_t GroesseHoechstens(const kontotyp& k) {
    return 3 * 5 + 2 * 11 + 10 * 5 + 2 + 5 + 5 + 10 + k.Name.size() + k.Abk.size() + k.Kurz1.size() +
           k.Kurz2.size() + k.Text1.size() + k.Text2.size() + k.Text3.size() + k.Text4.size() +
           k.Text5.size();
}

size_t GroesseHoechstens(const buchungstyp& b, bool mitListe) {
    size_t n = 13 * 5 + 13 + 2 + 11 * 5 + 2 * 10 + b.Bezeichnung.size() + b.Kennung.size() +
               b.Bemerkung.size() + b.Belegnr.size() + b.BelegnrBis.size() + b.Betrag.size() +
               b.BetragBis.size() + b.Text.size() + b.Reserve.size();
    if (mitListe) {
        for (const std::string& e : b.Auswahl) n += 5 + e.size();
    }
    return n;
}

// ---------------------------------------------------------------------------------------------
// Reader

// Thrown inside the reader for every malformed byte sequence; never leaves DateiAuslesen.
struct UngueltigeDatei {};

// Smallest number of bytes a record can take: an int, amount or text at least 2 (tag and one
// byte, or tag and an empty length), a flag 1, a list 2 (begin and end).
constexpr size_t MinKonto = 3 * 2 + 2 * 2 + 10 * 2 + 2 * 1 + 2 * 2;
constexpr size_t MinBuchung = 13 * 2 + 11 * 2 + 13 * 1 + 2;
constexpr size_t MinDrucker = 1 * 2 + 8 * 2 + 12 * 1;

inline bool IstZiffer(char c) { return c >= '0' && c <= '9'; }

inline bool IstKurzesDatum(std::string_view t) {
    return t.size() == 8 && t[2] == '.' && t[5] == '.' && IstZiffer(t[0]) && IstZiffer(t[1]) && IstZiffer(t[3]) &&
           IstZiffer(t[4]) && IstZiffer(t[6]) && IstZiffer(t[7]);
}

bool LesenBis(int fd, std::string& inhalt, size_t bis, bool& dateiEnde);

// Reading a file failed (not its contents): the errno value.
struct Lesefehler {
    int FehlerNr;
};

// Reads from bytes in memory, or from an open file piece by piece: a file is read in slices of a
// few megabytes, each dropped once parsed, so that opening a big book never holds the whole file
// and the store built from it at once. Views of texts stay valid until the next record starts.
class Leser {
public:
    explicit Leser(std::string_view bytes)
        : p_(reinterpret_cast<const unsigned char*>(bytes.data())), ende_(p_ + bytes.size()) {}
    Leser(int fd, uint64_t dateiGroesse) : fd_(fd), dateiRest_(dateiGroesse), dateiEnde_(false) {
        p_ = ende_ = reinterpret_cast<const unsigned char*>(puffer_.data());
    }

    size_t Rest() const { return static_cast<size_t>(ende_ - p_); }
    // The last failure was for want of bytes: more of the file might have made the value whole.
    bool ZuKurz() const { return zuKurz_; }

    // Reads one record (or any other piece) with `lies`. From a file, the slice in memory first
    // gets at least a comfortable amount of bytes; a record larger than that is read again from
    // its start with as many more bytes as it needs. `lies` keeps what it read to itself until it
    // returns, so a repeated attempt changes nothing twice.
    template <class F>
    void Satz(F&& lies) {
        size_t brauche = size_t{1} << 16;
        for (;;) {
            Bereit(brauche);
            const unsigned char* anfang = p_;
            zuKurz_ = false;
            try {
                lies();
                return;
            } catch (const UngueltigeDatei&) {
                if (!zuKurz_ || dateiEnde_) throw;
                p_ = anfang;
                brauche = std::max(brauche, Rest()) * 2;
            }
        }
    }

    // A raw count (4 bytes, signed), checked to be non-negative and to leave room for that many
    // records of at least `minGroesse` bytes.
    int32_t Anzahl(size_t minGroesse) {
        Bereit(4);
        const int32_t n = RohInt32();
        if (n < 0) throw UngueltigeDatei{};
        if (static_cast<uint64_t>(n) * minGroesse > Rest() + dateiRest_) throw UngueltigeDatei{};
        return n;
    }


    void AnzahlUeberspringen() {
        Brauche(4);
        p_ += 4;
    }

    int32_t Int() {
        Brauche(1);
        const unsigned char tag = *p_++;
        return IntNachTag(tag);
    }

    Cent Geld() {
        Brauche(1);
        const unsigned char tag = *p_++;
        if (tag == TagExtended) {
            Brauche(10);
            Cent c = 0;
            if (!Extended80NachCent(p_, c)) throw UngueltigeDatei{};
            p_ += 10;
            return c;
        }
        // An integer is the amount in whole currency units.
        return static_cast<Cent>(IntNachTag(tag)) * 100;
    }

    bool Flag() {
        Brauche(1);
        return *p_++ == TagWahr;
    }

    // The raw Windows-1252 bytes of a text value.
    std::string_view RohText() {
        Brauche(1);
        const unsigned char tag = *p_++;
        size_t n = 0;
        if (tag == TagKurzText) {
            Brauche(1);
            n = *p_++;
        } else if (tag == TagLangText) {
            n = static_cast<uint32_t>(RohInt32());
        } else {
            throw UngueltigeDatei{};
        }
        Brauche(n);
        std::string_view t(reinterpret_cast<const char*>(p_), n);
        p_ += n;
        return t;
    }

    // A text as UTF-8: a view of the file's bytes when they are plain ASCII (as almost every text
    // is), else converted into `ersatz`.
    std::string_view TextSicht(std::string& ersatz) {
        const std::string_view roh = RohText();
        if (NurAscii(roh)) return roh;
        ersatz = AusCp1252(roh);
        return ersatz;
    }

    void Text(std::string& ziel) {
        const std::string_view roh = RohText();
        if (NurAscii(roh)) {
            ziel.assign(roh.data(), roh.size());
        } else {
            ziel = AusCp1252(roh);
        }
    }

    int32_t Datum() {
        const std::string_view roh = RohText();
        if (roh.size() == 1 && roh[0] == '0') return 0;
        std::optional<int32_t> tag;
        if (IstKurzesDatum(roh)) {
            // The form every writer uses, "dd.mm.yy": read without splitting and number parsing;
            // the same result as DatumDateiLesen.
            auto Ziffern = [&](size_t i) { return (roh[i] - '0') * 10 + (roh[i + 1] - '0'); };
            const int32_t jahr = Ziffern(6);
            tag = TagesNummer(Ziffern(0), Ziffern(3), jahr < 80 ? 2000 + jahr : 1900 + jahr);
        } else {
            tag = DatumDateiLesen(roh);
        }
        if (!tag) throw UngueltigeDatei{};
        return *tag;
    }

    // The Auswahl list. `ziel` null: the record owns no list, and an entry makes the file invalid.
    void Liste(std::vector<std::string>* ziel) {
        Brauche(1);
        if (*p_++ != TagListenAnfang) throw UngueltigeDatei{};
        if (ziel) ziel->clear();
        for (;;) {
            Brauche(1);
            if (*p_ == TagListenEnde) {
                ++p_;
                return;
            }
            if (!ziel) throw UngueltigeDatei{};
            ziel->emplace_back();
            Text(ziel->back());
        }
    }

private:
    void Brauche(size_t n) {
        if (n > Rest()) {
            zuKurz_ = true;
            throw UngueltigeDatei{};
        }
    }

    int32_t RohInt32() {
        Brauche(4);
        const uint32_t u = static_cast<uint32_t>(p_[0]) | (static_cast<uint32_t>(p_[1]) << 8) |
                           (static_cast<uint32_t>(p_[2]) << 16) | (static_cast<uint32_t>(p_[3]) << 24);
        p_ += 4;
        return static_cast<int32_t>(u);
    }

    int32_t IntNachTag(unsigned char tag) {
        switch (tag) {
            case TagInt8:
                Brauche(1);
                return static_cast<int8_t>(*p_++);
            case TagInt16: {
                Brauche(2);
                const uint16_t u = static_cast<uint16_t>(p_[0] | (p_[1] << 8));
                p_ += 2;
                return static_cast<int16_t>(u);
            }
            case TagInt32:
                return RohInt32();
            default:
                throw UngueltigeDatei{};
        }
    }

    // From a file: at least n bytes in memory, or all that is left of the file. The bytes parsed
    // already are dropped first.
    void Bereit(size_t n) {
        if (dateiEnde_ || Rest() >= n) return;
        const size_t rest = Rest();
        std::memmove(puffer_.data(), p_, rest);
        puffer_.resize(rest);
        const size_t scheibe = size_t{4} << 20;
        bool ende = false;
        if (!LesenBis(fd_, puffer_, std::max(n, rest + scheibe), ende)) throw Lesefehler{errno};
        dateiEnde_ = ende;
        const size_t neu = puffer_.size() - rest;
        dateiRest_ = neu >= dateiRest_ ? 0 : dateiRest_ - neu;
        p_ = reinterpret_cast<const unsigned char*>(puffer_.data());
        ende_ = p_ + puffer_.size();
    }

    const unsigned char* p_;
    const unsigned char* ende_;
    bool zuKurz_ = false;
    int fd_ = -1;
    std::string puffer_;
    uint64_t dateiRest_ = 0;
    bool dateiEnde_ = true;
};

void LiesKonto(Leser& l, kontotyp& k) {
    k.Nr = l.Int();
    k.Art = l.Int();
    k.OberNr = l.Int();
    k.Stand = l.Geld();
    k.AnfStand = l.Geld();
    l.Text(k.Name);
    l.Text(k.Abk);
    l.Text(k.Kurz1);
    l.Text(k.Kurz2);
    l.Text(k.Text1);
    l.Text(k.Text2);
    l.Text(k.Text3);
    k.Merker1 = l.Flag();
    k.Merker2 = l.Flag();
    l.Text(k.Text4);
    k.Zahl1 = l.Int();
    k.Datum = l.Datum();
    l.Text(k.Text5);
    k.Zahl2 = l.Int();
    // A byte count within the capacity is a character count within it; only longer texts need
    // the character-wise cut.
    if (k.Abk.size() > AbkLaenge || k.Kurz1.size() > KurzLaenge || k.Kurz2.size() > KurzLaenge) {
        KurztexteKuerzen(k);
    }
}

void LiesBuchung(Leser& l, buchungstyp& b, bool mitListe) {
    b.IdentNr = l.Int();
    b.IdentNrVon = l.Int();
    b.IdentNrBis = l.Int();
    l.Text(b.Bezeichnung);
    b.Satzart = l.Int();
    b.Datum = l.Datum();
    b.DatumBis = l.Datum();
    b.BArt = l.Int();
    for (bool& m : b.Monate) m = l.Flag();
    b.Intervall = l.Int();
    l.Text(b.Kennung);
    l.Text(b.Bemerkung);
    l.Liste(mitListe ? &b.Auswahl : nullptr);
    l.Text(b.Belegnr);
    l.Text(b.BelegnrBis);
    l.Text(b.Betrag);
    l.Text(b.BetragBis);
    b.Konto1 = l.Int();
    b.Konto2 = l.Int();
    l.Text(b.Text);
    b.Storniert = l.Flag();
    b.Zeitraum = l.Int();
    b.KontoAuswahl = l.Int();
    b.RubrikAuswahl = l.Int();
    b.StornoAuswahl = l.Int();
    l.Text(b.Reserve);
    b.ReserveNr = l.Int();
    if (b.Betrag.size() > BetragLaenge || b.BetragBis.size() > BetragLaenge) KurztexteKuerzen(b);
}

void LiesDrucker(Leser& l, druckereinstellungtyp& e) {
    l.Text(e.Schriftart);
    e.Schriftgroesse = l.Int();
    e.Schriftfarbe = l.Int();
    for (bool& f : e.Schriftstil) f = l.Flag();
    e.RandOben = l.Int();
    e.RandUnten = l.Int();
    e.RandLinks = l.Int();
    e.RandRechts = l.Int();
    e.Exemplare = l.Int();
    e.Ausrichtung = l.Int();
    e.Mandantendaten = l.Flag();
    e.DruckReserve = l.Flag();
    e.Trennlinien = l.Flag();
    e.Seitenzahl = l.Flag();
    e.DatumDruck = l.Flag();
    e.FarbigerBetrag = l.Flag();
    e.Tabellenrahmen = l.Flag();
    e.NullwerteAusblenden = l.Flag();
}

void LiesKonten(Leser& l, std::vector<kontotyp>& ziel) {
    const int32_t n = l.Anzahl(MinKonto);
    ziel.reserve(static_cast<size_t>(n));
    for (int32_t i = 0; i < n; ++i) {
        l.Satz([&] {
            kontotyp k;
            LiesKonto(l, k);
            ziel.push_back(std::move(k));
        });
    }
}

// The bookings, read straight into the compact store: texts are taken from the file's bytes
// without a record in between.
void LiesBuchungen(Leser& l, Buchungsspeicher& ziel) {
    const int32_t n = l.Anzahl(MinBuchung);
    // The bookings get room to grow: the first booking added after opening must not move them all.
    ziel.reserve(BuchungenKapazitaet(static_cast<size_t>(n)));
    std::string ersatz[9];
    SeltenerTeil r;
    Buchungssicht b;
    for (int32_t i = 0; i < n; ++i) l.Satz([&] {
        b.IdentNr = l.Int();
        r.IdentNrVon = l.Int();
        r.IdentNrBis = l.Int();
        b.Bezeichnung = l.TextSicht(ersatz[0]);
        r.Satzart = l.Int();
        b.Datum = l.Datum();
        r.DatumBis = l.Datum();
        b.BArt = l.Int();
        for (bool& m : r.Monate) m = l.Flag();
        r.Intervall = l.Int();
        b.Kennung = l.TextSicht(ersatz[1]);
        b.Bemerkung = l.TextSicht(ersatz[2]);
        l.Liste(nullptr);
        b.Belegnr = l.TextSicht(ersatz[3]);
        b.BelegnrBis = l.TextSicht(ersatz[4]);
        b.Betrag = l.TextSicht(ersatz[5]);
        b.BetragBis = l.TextSicht(ersatz[6]);
        b.Konto1 = l.Int();
        b.Konto2 = l.Int();
        b.Text = l.TextSicht(ersatz[7]);
        b.Storniert = l.Flag();
        r.Zeitraum = l.Int();
        r.KontoAuswahl = l.Int();
        r.RubrikAuswahl = l.Int();
        r.StornoAuswahl = l.Int();
        b.Reserve = l.TextSicht(ersatz[8]);
        r.ReserveNr = l.Int();
        // A byte count within the capacity is a character count within it.
        if (b.Betrag.size() > BetragLaenge) {
            ersatz[5] = Kuerzen(std::string(b.Betrag), BetragLaenge);
            b.Betrag = ersatz[5];
        }
        if (b.BetragBis.size() > BetragLaenge) {
            ersatz[6] = Kuerzen(std::string(b.BetragBis), BetragLaenge);
            b.BetragBis = ersatz[6];
        }
        b.Selten = &r;
        ziel.Anhaengen(b);
    });
}

// Each record starts from the defaults of its collection's Satzart; every field is then read,
// so only the list matters: filters own one, every other record must have an empty list.
void LiesBuchungen(Leser& l, std::vector<buchungstyp>& ziel, int32_t satzart) {
    const int32_t n = l.Anzahl(MinBuchung);
    ziel.reserve(static_cast<size_t>(n));
    const bool mitListe = satzart == SatzFilter;
    for (int32_t i = 0; i < n; ++i) {
        l.Satz([&] {
            buchungstyp b;
            LiesBuchung(l, b, mitListe);
            ziel.push_back(std::move(b));
        });
    }
}

// The prompts of a file being opened, asked after its client record: a refused file password
// stops the reading, a refused write-protect password only marks the store.
LeseErgebnis KennwoerterAbfragen(const kontotyp& mandant, Kennwortabfrage& abfrage, const std::string& pfad) {
    LeseErgebnis ergebnis;
    ergebnis.Status = LeseStatus::Gelesen;
    if (!mandant.Kurz1.empty() && !abfrage.Abfragen(1, mandant.Kurz1, pfad)) {
        ergebnis.Status = LeseStatus::KennwortAbgelehnt;
        return ergebnis;
    }
    if (!mandant.Kurz2.empty() && !abfrage.Abfragen(2, mandant.Kurz2, pfad)) ergebnis.Schreibschutz = true;
    return ergebnis;
}

LeseErgebnis Auslesen(Leser& l, Datenbestand& ziel, Kennwortabfrage& abfrage, const std::string& pfad) {
    LeseErgebnis ergebnis;

    l.Satz([&] {
        l.AnzahlUeberspringen();  // always written as 1; its value means nothing
        kontotyp mandant;
        LiesKonto(l, mandant);
        ziel.Mandant = std::move(mandant);
    });

    ergebnis = KennwoerterAbfragen(ziel.Mandant, abfrage, pfad);
    if (ergebnis.Status == LeseStatus::KennwortAbgelehnt) return ergebnis;

    const int32_t seiten = l.Anzahl(MinDrucker);
    for (int32_t i = 0; i < seiten; ++i) {
        l.Satz([&] {
            druckereinstellungtyp e;
            LiesDrucker(l, e);
            ziel.Druckereinstellung = std::move(e);  // the last one read wins
        });
    }

    LiesKonten(l, ziel.Konten);
    LiesKonten(l, ziel.Textbausteine);
    l.Satz([&] {
        buchungstyp kopf;
        LiesBuchung(l, kopf, false);
        ziel.Kopfsatz = std::move(kopf);
    });
    LiesBuchungen(l, ziel.Buchungen);
    LiesBuchungen(l, ziel.RgmBuchungen, SatzRgmBuchung);
    LiesBuchungen(l, ziel.Vorlagen, SatzVorlage);
    LiesBuchungen(l, ziel.Filterliste, SatzFilter);
    // Whatever follows the last filter is ignored.

    ziel.Schreibschutz = ergebnis.Schreibschutz;
    ziel.LetzterIndex = static_cast<int32_t>(ziel.Buchungen.size()) - 1;
    ergebnis.Status = LeseStatus::Gelesen;
    return ergebnis;
}

// ---------------------------------------------------------------------------------------------
// Files

std::string FehlerText(int fehlerNr) {
    switch (fehlerNr) {
        case ENOSPC: return "Kein Speicherplatz auf dem Gerät";
        case EDQUOT: return "Speicherplatzkontingent überschritten";
        case EACCES:
        case EPERM: return "Keine Schreibberechtigung";
        case EROFS: return "Das Dateisystem ist schreibgeschützt";
        case ENOENT: return "Der Ordner existiert nicht";
        case ENOTDIR: return "Ein Teil des Pfades ist kein Ordner";
        case EISDIR: return "Der Pfad ist ein Ordner";
        case ENAMETOOLONG: return "Der Dateiname ist zu lang";
        case EFBIG: return "Die Datei wird zu groß";
        case EIO: return "Ein-/Ausgabefehler";
        case EMFILE:
        case ENFILE: return "Zu viele offene Dateien";
        case ENOMEM: return "Nicht genügend Speicher";
        default: return std::strerror(fehlerNr);
    }
}

std::string OrdnerVon(const std::string& pfad) {
    const size_t schraeg = pfad.rfind('/');
    if (schraeg == std::string::npos) return ".";
    if (schraeg == 0) return "/";
    return pfad.substr(0, schraeg);
}

bool AllesSchreiben(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    size_t rest = bytes.size();
    while (rest > 0) {
        const ssize_t n = ::write(fd, p, rest);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        p += n;
        rest -= static_cast<size_t>(n);
    }
    return true;
}

// Opens a file for reading only when it is a regular file: a FIFO without a writer would block
// the open, a device may do anything when opened. Should the name be replaced by such a thing
// between the look and the open, the open does not wait either (for a regular file O_NONBLOCK
// changes nothing) and the check on the open file refuses it. -1 with errno set otherwise:
// EISDIR for a folder, EINVAL for anything else that is no regular file.
int RegulaerOeffnen(const std::string& pfad, struct stat& st) {
    if (::stat(pfad.c_str(), &st) != 0) return -1;
    if (!S_ISREG(st.st_mode)) {
        errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        return -1;
    }
    const int fd = ::open(pfad.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return -1;
    int fehlerNr = 0;
    if (::fstat(fd, &st) != 0)
        fehlerNr = errno;
    else if (S_ISDIR(st.st_mode))
        fehlerNr = EISDIR;
    else if (!S_ISREG(st.st_mode))
        fehlerNr = EINVAL;
    if (fehlerNr != 0) {
        ::close(fd);
        errno = fehlerNr;
        return -1;
    }
    return fd;
}

// Closes a descriptor when it goes out of scope, keeping errno as it was.
struct Schliessen {
    int fd;
    ~Schliessen() {
        if (fd >= 0) {
            const int e = errno;
            ::close(fd);
            errno = e;
        }
    }
};

// Reads from `fd` until `inhalt` holds `bis` bytes or the file ends; false with errno on an error.
bool LesenBis(int fd, std::string& inhalt, size_t bis, bool& dateiEnde) {
    size_t gelesen = inhalt.size();
    inhalt.resize(bis);
    dateiEnde = false;
    while (gelesen < bis) {
        const ssize_t n = ::read(fd, inhalt.data() + gelesen, bis - gelesen);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int e = errno;
            inhalt.resize(gelesen);
            errno = e;
            return false;
        }
        if (n == 0) {
            dateiEnde = true;
            break;
        }
        gelesen += static_cast<size_t>(n);
    }
    inhalt.resize(gelesen);
    return true;
}

// Reads the client record at the start of a data file, however large it is: the start of the file
// is read in growing pieces until the record is whole, the bytes are wrong, or the file ends.
bool MandantLesen(const std::string& pfad, kontotyp& mandant) {
    struct stat st {};
    const int fd = RegulaerOeffnen(pfad, st);
    if (fd < 0) return false;
    Schliessen schliessen{fd};
    try {
        std::string anfang;
        size_t stueck = 64 * 1024;
        for (;;) {
            bool dateiEnde = false;
            if (!LesenBis(fd, anfang, anfang.size() + stueck, dateiEnde)) return false;
            Leser l(anfang);
            try {
                l.AnzahlUeberspringen();
                LiesKonto(l, mandant);
                return true;
            } catch (const UngueltigeDatei&) {
                if (dateiEnde || !l.ZuKurz()) return false;
            }
            stueck = anfang.size();  // doubles what is held: linear in the record's size overall
        }
    } catch (const std::exception&) {  // bad_alloc, length_error: no record this program can hold
        return false;
    }
}

// The name of the temporary file of a save: the target's name with a fixed ending, in the same
// folder, so that one left behind by a save that was killed is found again by the next save of
// that file. Where the name with the ending would be longer than the folder allows, the target's
// name is shortened (at a character boundary) and the hash of the whole name keeps it apart from
// other long names with the same beginning.
constexpr const char* kTempEndung = ".speichern~";

std::string TempName(const std::string& ziel) {
    const size_t schraeg = ziel.rfind('/');
    const std::string ordner = schraeg == std::string::npos ? std::string() : ziel.substr(0, schraeg + 1);
    const std::string name = ziel.substr(ordner.size());
    long grenze = ::pathconf(ordner.empty() ? "." : ordner.c_str(), _PC_NAME_MAX);
    if (grenze <= 0) grenze = NAME_MAX;
    const size_t endung = std::strlen(kTempEndung);
    if (name.size() + endung <= static_cast<size_t>(grenze)) return ziel + kTempEndung;

    uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (unsigned char c : name) hash = (hash ^ c) * 1099511628211ull;
    char hex[18];
    std::snprintf(hex, sizeof hex, "-%016llx", static_cast<unsigned long long>(hash));
    const size_t platz = static_cast<size_t>(grenze) > endung + 17 ? static_cast<size_t>(grenze) - endung - 17 : 0;
    size_t behalten = std::min(platz, name.size());
    while (behalten > 0 && (static_cast<unsigned char>(name[behalten]) & 0xC0) == 0x80) --behalten;
    return ordner + name.substr(0, behalten) + hex + kTempEndung;
}

// Removes the temporary file of an earlier save that did not end, unless a save still runs: every
// save holds a lock on its temporary file until it is renamed, so a lock that can be taken means
// the save that made the file is gone. The name must still be that very file when it is removed.
void AltesTempEntfernen(const std::string& temp) {
    const int fd = ::open(temp.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return;
    Schliessen schliessen{fd};
    struct stat offen {}, jetzt {};
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) return;
    if (::fstat(fd, &offen) != 0 || !S_ISREG(offen.st_mode)) return;
    if (::lstat(temp.c_str(), &jetzt) != 0 || jetzt.st_dev != offen.st_dev || jetzt.st_ino != offen.st_ino) return;
    ::unlink(temp.c_str());
}

// A stream buffer over a file descriptor; the first write error is kept and ends all writing.
class DateiPuffer : public std::streambuf {
public:
    explicit DateiPuffer(int fd) : fd_(fd), puffer_(64 * 1024) { setp(puffer_.data(), puffer_.data() + puffer_.size()); }
    int FehlerNr() const { return fehlerNr_; }

protected:
    int_type overflow(int_type c) override {
        if (!Leeren()) return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        if (static_cast<size_t>(n) < puffer_.size()) return std::streambuf::xsputn(s, n);
        // Large pieces go to the file directly.
        if (!Leeren()) return 0;
        if (!AllesSchreiben(fd_, std::string_view(s, static_cast<size_t>(n)))) {
            fehlerNr_ = errno != 0 ? errno : EIO;
            return 0;
        }
        return n;
    }
    int sync() override { return Leeren() ? 0 : -1; }

private:
    bool Leeren() {
        if (fehlerNr_ != 0) return false;
        if (!AllesSchreiben(fd_, std::string_view(pbase(), static_cast<size_t>(pptr() - pbase())))) {
            fehlerNr_ = errno != 0 ? errno : EIO;
            return false;
        }
        setp(puffer_.data(), puffer_.data() + puffer_.size());
        return true;
    }

    int fd_;
    std::vector<char> puffer_;
    int fehlerNr_ = 0;
};

// Writes a file atomically; `inhalt` writes the contents into the descriptor and returns 0 or the
// errno value of its failure.
bool AtomarSchreiben(const std::string& pfad, const std::function<int(int)>& inhalt, std::string& fehler) {
    fehler.clear();
    if (pfad.empty()) {
        fehler = "Kein Dateiname angegeben";
        return false;
    }
    // A symbolic link stays one: the file it points to is replaced.
    std::string ziel = pfad;
    struct stat lst {};
    if (::lstat(pfad.c_str(), &lst) == 0 && S_ISLNK(lst.st_mode)) {
        if (char* echt = ::realpath(pfad.c_str(), nullptr)) {
            ziel = echt;
            std::free(echt);
        }
    }
    struct stat alt {};
    const bool gabEs = ::stat(ziel.c_str(), &alt) == 0;
    if (gabEs && S_ISDIR(alt.st_mode)) {
        fehler = FehlerText(EISDIR);
        return false;
    }
    // A FIFO or a device is not replaced by a regular file of the same name.
    if (gabEs && !S_ISREG(alt.st_mode)) {
        fehler = "Der Pfad ist keine gewöhnliche Datei";
        return false;
    }
    // The rename would replace a file the user may not write to; a write-protected file stays.
    if (gabEs && ::faccessat(AT_FDCWD, ziel.c_str(), W_OK, AT_EACCESS) != 0) {
        fehler = FehlerText(errno);
        return false;
    }

    const std::string temp = TempName(ziel);
    AltesTempEntfernen(temp);
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        fehler = errno == EEXIST ? std::string("Die Datei wird gerade von einem anderen Vorgang gespeichert")
                                 : FehlerText(errno);
        return false;
    }
    // From here on every way out, an exception included, removes the temporary file unless it
    // has become the target.
    struct Aufraeumen {
        const std::string& temp;
        int fd;
        bool umbenannt = false;
        ~Aufraeumen() {
            if (fd >= 0) ::close(fd);
            if (!umbenannt) ::unlink(temp.c_str());
        }
    } aufraeumen{temp, fd};
    auto Scheitern = [&](int fehlerNr) {
        fehler = FehlerText(fehlerNr);
        return false;
    };
    // Held until the rename: tells a later save that this file is no leftover.
    ::flock(fd, LOCK_EX | LOCK_NB);

    if (const int fehlerNr = inhalt(fd); fehlerNr != 0) return Scheitern(fehlerNr);

    // Only now the new file gets the old one's owner, group and permissions, or the usual ones:
    // while it is written it stays the user's own (0600), so that a leftover can always be
    // removed. Changing the owner needs rights the user may not have; the file is saved all the
    // same. The permissions come after, as a change of owner clears the set-ID bits.
    mode_t rechte;
    if (gabEs) {
        if ((alt.st_uid != ::geteuid() || alt.st_gid != ::getegid()) &&
            ::fchown(fd, alt.st_uid, alt.st_gid) != 0 && alt.st_gid != ::getegid()) {
            [[maybe_unused]] const int egal = ::fchown(fd, static_cast<uid_t>(-1), alt.st_gid);
        }
        rechte = alt.st_mode & 07777;
    } else {
        const mode_t maske = ::umask(0);
        ::umask(maske);
        rechte = 0666 & ~maske;
    }
    if (::fchmod(fd, rechte) != 0) return Scheitern(errno);
    if (::fsync(fd) != 0) return Scheitern(errno);
    aufraeumen.fd = -1;
    if (::close(fd) != 0) return Scheitern(errno);
    if (::rename(temp.c_str(), ziel.c_str()) != 0) return Scheitern(errno);
    aufraeumen.umbenannt = true;

    // The rename itself is made durable by syncing the folder; the file is saved either way.
    const int ordner = ::open(OrdnerVon(ziel).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (ordner >= 0) {
        ::fsync(ordner);
        ::close(ordner);
    }
    return true;
}

}  // namespace

// -------------------------------------------------------------------------------------------------
// 80-bit extended

void Extended80AusCent(Cent cent, unsigned char out[10]) {
    std::memset(out, 0, 10);
    if (cent == 0) return;
    const bool negativ = cent < 0;
    const uint64_t betrag = negativ ? (0 - static_cast<uint64_t>(cent)) : static_cast<uint64_t>(cent);

    // Find k with 2^63 ≤ betrag·2^k / 100 < 2^64; then the significand is that quotient, rounded
    // to nearest with ties to even, and the value is significand · 2^-k. betrag / 100 < 2^57, so
    // k ≥ 7, and betrag·2^k < 100·2^64 < 2^71: no overflow in 128 bits.
    const int bits = 64 - __builtin_clzll(betrag);  // 1…64
    int k = 71 - bits;
    const u128 grenze = static_cast<u128>(1) << 64;
    const u128 haelfte = static_cast<u128>(1) << 63;
    u128 zaehler = static_cast<u128>(betrag) << k;
    u128 q = zaehler / 100;
    while (q >= grenze) {
        --k;
        zaehler = static_cast<u128>(betrag) << k;
        q = zaehler / 100;
    }
    while (q < haelfte) {
        ++k;
        zaehler = static_cast<u128>(betrag) << k;
        q = zaehler / 100;
    }
    const unsigned rest = static_cast<unsigned>(zaehler % 100);
    if (rest > 50 || (rest == 50 && (q & 1) != 0)) {
        ++q;
        if (q == grenze) {  // rounded up to the next power of two
            q = haelfte;
            --k;
        }
    }
    const uint64_t signifikand = static_cast<uint64_t>(q);
    const unsigned exponent = static_cast<unsigned>(16383 + 63 - k);
    for (int i = 0; i < 8; ++i) out[i] = static_cast<unsigned char>(signifikand >> (8 * i));
    out[8] = static_cast<unsigned char>(exponent & 0xFF);
    out[9] = static_cast<unsigned char>(((exponent >> 8) & 0x7F) | (negativ ? 0x80 : 0));
}

bool Extended80NachCent(const unsigned char in[10], Cent& cent) {
    uint64_t signifikand = 0;
    for (int i = 7; i >= 0; --i) signifikand = (signifikand << 8) | in[i];
    const unsigned exponent = static_cast<unsigned>(in[8]) | (static_cast<unsigned>(in[9] & 0x7F) << 8);
    const bool negativ = (in[9] & 0x80) != 0;
    if (exponent == 0x7FFF) return false;  // infinity, NaN
    if (signifikand == 0) {
        cent = 0;
        return true;
    }
    // value · 100 = signifikand · 100 · 2^s, s = exponent − 16383 − 63 (denormals: exponent 1).
    const int s = static_cast<int>(exponent == 0 ? 1 : exponent) - 16383 - 63;
    const u128 mal100 = static_cast<u128>(signifikand) * 100;  // < 2^71
    u128 ergebnis = 0;
    if (s >= 0) {
        // At least 100 · 2^s cents: beyond the limit long before the shift could overflow.
        if (s > 47) return false;
        ergebnis = mal100 << s;
    } else if (-s < 80) {
        const int r = -s;
        ergebnis = mal100 >> r;
        const u128 rest = mal100 & ((static_cast<u128>(1) << r) - 1);
        if (rest >= (static_cast<u128>(1) << (r - 1))) ++ergebnis;  // half away from zero
    }  // else: far below half a cent
    // The balances the program computes and saves are bounded the same way (StaendeBerechnen).
    if (ergebnis > static_cast<u128>(GroessterStandCent)) return false;
    const Cent c = static_cast<Cent>(ergebnis);
    cent = negativ ? -c : c;
    return true;
}

// -------------------------------------------------------------------------------------------------
// Image

namespace {

// The image in file order into `aus`; `weiter` (when given) is called after every record, so that
// a caller can pass on what has piled up and keep the buffer small.
void AbbildSchreiben(const Datenbestand& d, std::string& aus, const std::function<void()>& weiter) {
    Schreiber s(aus);
    auto fertig = [&] {
        if (weiter) weiter();
    };
    s.Anzahl(1);
    SchreibeKonto(s, d.Mandant);
    s.Anzahl(1);
    SchreibeDrucker(s, d.Druckereinstellung);
    s.Anzahl(static_cast<int32_t>(d.Konten.size()));
    for (const kontotyp& k : d.Konten) {
        SchreibeKonto(s, k);
        fertig();
    }
    s.Anzahl(static_cast<int32_t>(d.Textbausteine.size()));
    for (const kontotyp& k : d.Textbausteine) {
        SchreibeKonto(s, k);
        fertig();
    }
    SchreibeBuchung(s, d.Kopfsatz, false);
    s.Anzahl(static_cast<int32_t>(d.Buchungen.size()));
    for (size_t i = 0; i < d.Buchungen.size(); ++i) {
        SchreibeBuchung(s, d.Buchungen.Sicht(i));
        fertig();
    }
    for (const auto* liste : {&d.RgmBuchungen, &d.Vorlagen, &d.Filterliste}) {
        s.Anzahl(static_cast<int32_t>(liste->size()));
        for (const buchungstyp& b : *liste) {
            SchreibeBuchung(s, b, liste == &d.Filterliste);
            fertig();
        }
    }
    fertig();
}

}  // namespace

std::string DateiAbbild(const Datenbestand& d) {
    size_t groesse = 4 + GroesseHoechstens(d.Mandant) + 4 + 256 + d.Druckereinstellung.Schriftart.size() +
                     4 * 6 + GroesseHoechstens(d.Kopfsatz, false);
    for (const kontotyp& k : d.Konten) groesse += GroesseHoechstens(k);
    for (const kontotyp& k : d.Textbausteine) groesse += GroesseHoechstens(k);
    // Every booking's texts are in the store's text buffer, the rest has a fixed largest size.
    groesse += d.Buchungen.TexteBytes() + d.Buchungen.size() * (13 * 5 + 13 + 2 + 11 * 5 + 2 * 10 + 24);
    for (const buchungstyp& b : d.RgmBuchungen) groesse += GroesseHoechstens(b, false);
    for (const buchungstyp& b : d.Vorlagen) groesse += GroesseHoechstens(b, false);
    for (const buchungstyp& b : d.Filterliste) groesse += GroesseHoechstens(b, true);

    std::string aus;
    aus.reserve(groesse);
    AbbildSchreiben(d, aus, nullptr);
    return aus;
}

// -------------------------------------------------------------------------------------------------
// Reading

bool DateiEinlesen(const std::string& pfad, std::string& inhalt, size_t hoechstens) {
    struct stat st {};
    const int fd = RegulaerOeffnen(pfad, st);
    if (fd < 0) return false;
    Schliessen schliessen{fd};
    if (static_cast<uint64_t>(st.st_size) > hoechstens) {
        errno = EFBIG;
        return false;
    }
    inhalt.clear();
    inhalt.reserve(static_cast<size_t>(st.st_size) + 65536);
    // Read on to the end: the file may have grown since fstat, but never beyond `hoechstens`.
    const size_t stueck = 65536;
    for (;;) {
        bool dateiEnde = false;
        const size_t bis = std::max(inhalt.size() + stueck, static_cast<size_t>(st.st_size));
        if (!LesenBis(fd, inhalt, hoechstens == SIZE_MAX ? bis : std::min(bis, hoechstens + 1), dateiEnde))
            return false;
        if (inhalt.size() > hoechstens) {
            errno = EFBIG;
            return false;
        }
        if (dateiEnde) return true;
    }
}

LeseErgebnis KennwoerterPruefen(const std::string& pfad, Kennwortabfrage& abfrage) {
    kontotyp mandant;
    if (!MandantLesen(pfad, mandant)) return LeseErgebnis{LeseStatus::Ungueltig, false};
    return KennwoerterAbfragen(mandant, abfrage, pfad);
}

bool IstDatendatei(const std::string& pfad) {
    kontotyp mandant;
    return MandantLesen(pfad, mandant);
}

LeseErgebnis DateiAuslesen(std::string_view bytes, Datenbestand& ziel, Kennwortabfrage& abfrage,
                           const std::string& pfad) {
    try {
        ziel = Datenbestand{};
        Leser l(bytes);
        return Auslesen(l, ziel, abfrage, pfad);
    } catch (const UngueltigeDatei&) {
    } catch (const std::exception&) {  // bad_alloc, length_error: the file is no valid store
    }
    return LeseErgebnis{LeseStatus::Ungueltig, false};
}

bool DateiLaden(Datenbestand& d, Meldungen& meldungen, Kennwortabfrage& abfrage) {
    try {
        struct stat st {};
        if (::stat(d.Dateiname.c_str(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR)) {
            meldungen.Fehler(MeldungDateiNichtGefunden);
            return false;
        }
        // Read piece by piece: the file's bytes are dropped as soon as they are parsed.
        struct stat dateiStat {};
        const int fd = RegulaerOeffnen(d.Dateiname, dateiStat);
        if (fd < 0) {
            meldungen.Fehler(MeldungUngueltigeDatei);
            return false;
        }
        Schliessen schliessen{fd};
        Datenbestand neu;
        LeseErgebnis ergebnis{LeseStatus::Ungueltig, false};
        try {
            Leser l(fd, static_cast<uint64_t>(dateiStat.st_size));
            ergebnis = Auslesen(l, neu, abfrage, d.Dateiname);
        } catch (const UngueltigeDatei&) {
        } catch (const Lesefehler&) {
        }
        if (ergebnis.Status == LeseStatus::KennwortAbgelehnt) return false;  // the prompt said so
        if (ergebnis.Status != LeseStatus::Gelesen) {
            meldungen.Fehler(MeldungUngueltigeDatei);
            return false;
        }
        // From here on nothing can fail: moves only.
        d.Mandant = std::move(neu.Mandant);
        d.Druckereinstellung = std::move(neu.Druckereinstellung);
        d.Kopfsatz = std::move(neu.Kopfsatz);
        d.Konten = std::move(neu.Konten);
        d.Textbausteine = std::move(neu.Textbausteine);
        d.Buchungen = std::move(neu.Buchungen);
        d.RgmBuchungen = std::move(neu.RgmBuchungen);
        d.Vorlagen = std::move(neu.Vorlagen);
        d.Filterliste = std::move(neu.Filterliste);
        d.Index.Leeren();  // built anew from the new bookings when first read
        d.Geaendert = false;
        d.Schreibschutz = ergebnis.Schreibschutz;
        d.LetzterIndex = static_cast<int32_t>(d.Buchungen.size()) - 1;
        return true;
    } catch (const std::exception&) {
        // Out of memory while reading the file or showing the message: the store is unchanged.
        try {
            meldungen.Fehler(MeldungUngueltigeDatei);
        } catch (...) {
        }
        return false;
    }
}

// -------------------------------------------------------------------------------------------------
// Saving

bool DateiAtomarSchreiben(const std::string& pfad, std::string_view bytes, std::string& fehler) {
    return AtomarSchreiben(
        pfad, [bytes](int fd) { return AllesSchreiben(fd, bytes) ? 0 : errno; }, fehler);
}

bool DateiAtomarSchreiben(const std::string& pfad, const std::function<void(std::ostream&)>& schreiben,
                          std::string& fehler) {
    std::string ausnahme;
    const bool ok = AtomarSchreiben(
        pfad,
        [&](int fd) {
            DateiPuffer puffer(fd);
            std::ostream aus(&puffer);
            try {
                schreiben(aus);
            } catch (const std::bad_alloc&) {
                return ENOMEM;
            } catch (const std::exception& f) {
                ausnahme = f.what();
                return EIO;
            }
            aus.flush();
            if (puffer.FehlerNr() != 0) return puffer.FehlerNr();
            return aus ? 0 : EIO;
        },
        fehler);
    if (!ausnahme.empty()) fehler = ausnahme;
    return ok;
}

bool DateiSpeichern(Datenbestand& d, Meldungen& meldungen) {
    if (d.Schreibschutz) {
        meldungen.Fehler("Datei ist schreibgeschützt!");
        return false;
    }
    std::string fehler;
    try {
        // A balance the file cannot hold would make the saved file unreadable. The balances come
        // from the booking index, which no change of the bookings can miss: every change moves
        // the store's Fassung, and BuchungsIndex rebuilds when it does not match.
        if (!StaendeBerechnen(d)) {
            fehler = MeldungStandZuGross;
        } else if (AtomarSchreiben(
                       d.Dateiname,
                       [&](int fd) {
                           // Written in pieces of a megabyte: a big book is never held twice.
                           constexpr size_t stueck = size_t{1} << 20;
                           std::string puffer;
                           puffer.reserve(2 * stueck);
                           int fehlerNr = 0;
                           AbbildSchreiben(d, puffer, [&] {
                               if (puffer.size() < stueck) return;
                               if (fehlerNr == 0 && !AllesSchreiben(fd, puffer)) fehlerNr = errno != 0 ? errno : EIO;
                               puffer.clear();
                           });
                           if (fehlerNr == 0 && !AllesSchreiben(fd, puffer)) fehlerNr = errno != 0 ? errno : EIO;
                           return fehlerNr;
                       },
                       fehler)) {
            d.Geaendert = false;
            return true;
        }
    } catch (const std::exception&) {
        fehler = FehlerText(ENOMEM);
    }
    meldungen.Fehler("Datei \"" + d.Dateiname + "\" konnte nicht gespeichert werden:\r" + fehler);
    return false;
}

}  // namespace talerwerk
