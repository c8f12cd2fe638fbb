#pragma once
// Small books for the evaluation tests: a chart built line by line and bookings by date and amount.

#include <cstdint>
#include <random>
#include <string>

#include "store/betrag.h"
#include "store/datenbestand.h"
#include "store/datum.h"

namespace talerwerk::test {

inline int32_t Tag(int32_t t, int32_t m, int32_t j) { return *TagesNummer(t, m, j); }

inline kontotyp Konto(int32_t nr, int32_t art, const std::string& name, int32_t oberNr = 0, Cent anfStand = 0) {
    kontotyp k;
    k.Nr = nr;
    k.Art = art;
    k.Name = name;
    k.OberNr = oberNr;
    k.AnfStand = anfStand;
    k.Stand = anfStand;
    return k;
}

inline buchungstyp Buchung(int32_t datum, int32_t bart, Cent cent, int32_t konto1, int32_t konto2,
                           bool storniert = false) {
    buchungstyp b;
    b.IdentNr = 0;
    b.Datum = datum;
    b.BArt = bart;
    b.Betrag = CentText(cent);
    b.Konto1 = konto1;
    b.Konto2 = konto2;
    b.Storniert = storniert;
    return b;
}

// Girokonto 1 (Bestand, 500,00 opening), Bargeld 2 (Bestand), Sparbuch 3 (Spar, 1.000,00);
// income Gehalt 10; expense Haushalt 20 with sub-categories Lebensmittel 21 and Drogerie 22;
// expense Auto 30 without sub-categories.
inline Datenbestand KleinesBuch() {
    Datenbestand d;
    d.Konten = {
        Konto(10, ArtEinnahme, "Gehalt"),
        Konto(20, ArtAusgabe, "Haushalt"),
        Konto(21, ArtAusgabe, "Lebensmittel", 20),
        Konto(22, ArtAusgabe, "Drogerie", 20),
        Konto(30, ArtAusgabe, "Auto"),
        Konto(1, ArtBestandskonto, "Girokonto", 0, 50000),
        Konto(2, ArtBestandskonto, "Bargeld"),
        Konto(3, ArtSparkonto, "Sparbuch", 0, 100000),
    };
    return d;
}

// A random book over KleinesBuch's chart plus a few awkward records: cancelled bookings,
// transfers in every direction (also onto the same account), bookings on top-level categories
// with sub-categories, on a category that names itself as its parent, on numbers without chart
// entry, of an unknown kind, with malformed amounts,
// and dates from long before to long after the usual range.
inline Datenbestand ZufallsBuch(uint32_t saat, int anzahl) {
    Datenbestand d = KleinesBuch();
    d.Konten.push_back(Konto(40, ArtEinnahme, "Zinsen"));
    d.Konten.push_back(Konto(41, ArtEinnahme, "Zinsen Sparbuch", 40));
    d.Konten.push_back(Konto(4, ArtSparkonto, "Bausparen", 0, -2500));
    d.Konten.push_back(Konto(2, ArtSparkonto, "Bargeld doppelt"));  // a number used twice
    d.Konten.push_back(Konto(50, ArtAusgabe, "Eigener Oberbegriff", 50));  // a damaged chart
    std::mt19937 zufall(saat);
    auto wahl = [&](int n) { return static_cast<int>(zufall() % static_cast<uint32_t>(n)); };
    const int32_t konten[] = {1, 2, 3, 4, 77};
    const int32_t rubriken[] = {10, 20, 21, 22, 30, 40, 41, 99, 0, 50};
    const int32_t basis = Tag(1, 1, 1995);
    for (int i = 0; i < anzahl; ++i) {
        buchungstyp b;
        const int art = wahl(10);
        b.BArt = art < 4 ? BArtEinnahme : art < 8 ? BArtAusgabe : art < 9 ? BArtUmbuchung : (wahl(4) == 0 ? 7 : 1);
        b.Konto1 = konten[wahl(5)];
        b.Konto2 = b.BArt == BArtUmbuchung ? konten[wahl(5)] : rubriken[wahl(10)];
        b.Betrag = CentText(wahl(500000) - 1000);
        if (wahl(50) == 0) b.Betrag = wahl(2) ? "" : "12x";
        if (wahl(100) == 0) b.Betrag = "1.234,567";
        b.Storniert = wahl(12) == 0;
        const int zeit = wahl(100);
        if (zeit == 0)
            b.Datum = Tag(15, 6, 1850);
        else if (zeit == 1)
            b.Datum = 0;
        else if (zeit == 2)
            b.Datum = Tag(3, 3, 2090);
        else if (zeit == 3)
            b.Datum = 2000000000;  // past every month that can be formed
        else
            b.Datum = basis + wahl(12 * 366);
        d.Buchungen.push_back(b);
    }
    return d;
}

// One random change of the bookings through the store's own operations, as the program makes
// them: a new booking (also in a month nobody booked in yet), an overwrite, a cancel or its
// undoing, a single deletion or a deletion in series. Bookings are numbered 1…n first.
inline void Durchnummerieren(Datenbestand& d) {
    for (size_t i = 0; i < d.Buchungen.size(); ++i)
        d.Buchungen.Aendern(i, [&](buchungstyp& b) { b.IdentNr = static_cast<int32_t>(i) + 1; });
    BuchungenErneuert(d);
}

inline void ZufaelligAendern(Datenbestand& d, std::mt19937& zufall) {
    auto wahl = [&](int n) { return static_cast<int>(zufall() % static_cast<uint32_t>(n)); };
    const int32_t konten[] = {1, 2, 3, 4, 77};
    const int32_t rubriken[] = {10, 20, 21, 22, 30, 40, 41, 99, 0};
    auto zufallsBuchung = [&] {
        buchungstyp b = Buchung(Tag(1, 1, 1995) + wahl(12 * 366), BArtEinnahme, wahl(400000) - 1000,
                                konten[wahl(5)], rubriken[wahl(9)]);
        b.BArt = wahl(3);
        if (b.BArt == BArtUmbuchung) b.Konto2 = konten[wahl(5)];
        if (wahl(20) == 0) b.Datum = Tag(1 + wahl(28), 1 + wahl(12), 2030 + wahl(40));  // a new month
        return b;
    };
    d.LetzterIndex = static_cast<int32_t>(d.Buchungen.size()) - 1;
    const int n = static_cast<int>(d.Buchungen.size());
    switch (n == 0 ? 0 : wahl(6)) {
    case 0:
    case 1: {
        buchungstyp b = zufallsBuchung();
        b.IdentNr = NaechsteBuchungsNr(d);
        BuchungAnhaengen(d, b);
        break;
    }
    case 2: {
        const size_t p = static_cast<size_t>(wahl(n));
        buchungstyp b = zufallsBuchung();
        b.IdentNr = d.Buchungen[p].IdentNr;
        BuchungErsetzen(d, p, b);
        break;
    }
    case 3: {
        const size_t p = static_cast<size_t>(wahl(n));
        buchungstyp b = d.Buchungen[p];
        b.Storniert = !b.Storniert;
        BuchungErsetzen(d, p, b);
        break;
    }
    case 4: BuchungenEntfernen(d, {static_cast<size_t>(wahl(n))}); break;
    default: {
        std::vector<size_t> reihe;
        for (int k = wahl(5); k >= 0; --k) reihe.push_back(static_cast<size_t>(wahl(n)));
        BuchungenEntfernen(d, reihe);
        break;
    }
    }
}

}  // namespace talerwerk::test
