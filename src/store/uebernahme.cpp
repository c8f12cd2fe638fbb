#include "store/uebernahme.h"

#include <cerrno>
#include <exception>
#include <utility>
#include <vector>

#include "store/datendatei.h"

namespace talerwerk {

namespace {

// The prompt kinds of a takeover: the source's file password and its write-protect password.
constexpr int KennwortDateiUebernahme = 3;
constexpr int KennwortSchreibschutzUebernahme = 4;

// The file reader asks as it does when a file is opened (kinds 1 and 2); a takeover asks with its
// own kinds, whose cancel texts speak of the takeover. Remembers whether a password was refused,
// the write-protect one included: without it the source's master data must not be copied.
class UebernahmeAbfrage : public Kennwortabfrage {
public:
    explicit UebernahmeAbfrage(Kennwortabfrage& abfrage) : abfrage_(abfrage) {}
    bool Abfragen(int art, const std::string& gespeichert, const std::string& pfad) override {
        const int uebernahmeArt = art == 1 ? KennwortDateiUebernahme : KennwortSchreibschutzUebernahme;
        const bool gegeben = abfrage_.Abfragen(uebernahmeArt, gespeichert, pfad);
        if (!gegeben) abgelehnt = true;
        return gegeben;
    }
    bool abgelehnt = false;

private:
    Kennwortabfrage& abfrage_;
};

bool IstRubrik(const kontotyp& k) { return k.Art == ArtEinnahme || k.Art == ArtAusgabe; }
bool IstKonto(const kontotyp& k) { return k.Art == ArtBestandskonto || k.Art == ArtSparkonto; }

}  // namespace

UebernahmeAuswahl UebernahmeAuswahl::Alles() { return {true, true, true, true, true, true, true, true}; }

bool Uebernahme(Datenbestand& d, const std::string& pfad, const UebernahmeAuswahl& auswahl, Meldungen& meldungen,
                Kennwortabfrage& abfrage, const Uhr& uhr, Zufall& zufall) {
    try {
        std::string inhalt;
        if (!DateiEinlesen(pfad, inhalt)) {
            meldungen.Fehler(errno == ENOENT || errno == ENOTDIR ? MeldungDateiNichtGefunden
                                                                 : MeldungUebernahmeUngueltig);
            return false;
        }
        UebernahmeAbfrage kennwort(abfrage);
        Datenbestand quelle;
        const LeseErgebnis ergebnis = DateiAuslesen(inhalt, quelle, kennwort, pfad);
        inhalt = std::string();  // the bytes are not needed any more; the source may be large
        // A refused password was reported by the prompt; a source that would open write-protected
        // gives nothing away either.
        if (kennwort.abgelehnt || ergebnis.Status == LeseStatus::KennwortAbgelehnt || ergebnis.Schreibschutz)
            return false;
        if (ergebnis.Status != LeseStatus::Gelesen) {
            meldungen.Fehler(MeldungUebernahmeUngueltig);
            return false;
        }
        // The bookings were read with the rest and go with the scratch store.
        quelle.Buchungen = Buchungsspeicher();

        const int32_t dateiNr = NeueDateiNr(uhr, zufall);
        kontotyp mandant = auswahl.Mandantendaten ? std::move(quelle.Mandant) : MandantVorgabe(dateiNr);
        mandant.OberNr = dateiNr;
        druckereinstellungtyp druck =
            auswahl.Mandantendaten ? std::move(quelle.Druckereinstellung) : druckereinstellungtyp{};

        std::vector<kontotyp> konten;
        for (kontotyp& k : quelle.Konten) {
            if (!((auswahl.Rubriken && IstRubrik(k)) || (auswahl.Konten && IstKonto(k)))) continue;
            k.AnfStand = auswahl.Anfangsstaende ? k.Stand : 0;
            k.Stand = 0;
            konten.push_back(std::move(k));
        }
        std::vector<kontotyp> textbausteine =
            auswahl.Textbausteine ? std::move(quelle.Textbausteine) : EingebauteTextbausteine();

        // The header record is the source's, but carries the new file's number like a new store's.
        buchungstyp kopfsatz = std::move(quelle.Kopfsatz);
        kopfsatz.Kennung = std::to_string(dateiNr);

        auto nurWenn = [](bool nehmen, std::vector<buchungstyp>& liste) {
            return nehmen ? std::move(liste) : std::vector<buchungstyp>();
        };
        std::vector<buchungstyp> rgm = nurWenn(auswahl.RgmBuchungen, quelle.RgmBuchungen);
        std::vector<buchungstyp> vorlagen = nurWenn(auswahl.Vorlagen, quelle.Vorlagen);
        std::vector<buchungstyp> filter = nurWenn(auswahl.Filter, quelle.Filterliste);

        // From here on nothing can fail: moves only.
        d.Mandant = std::move(mandant);
        d.Druckereinstellung = std::move(druck);
        d.Kopfsatz = std::move(kopfsatz);
        d.Konten = std::move(konten);
        d.Textbausteine = std::move(textbausteine);
        d.Buchungen.clear();
        BuchungenErneuert(d);
        d.RgmBuchungen = std::move(rgm);
        d.Vorlagen = std::move(vorlagen);
        d.Filterliste = std::move(filter);
        d.Schreibschutz = false;
        d.LetzterIndex = -1;
        return true;
    } catch (const std::exception&) {
        // Out of memory on the way: the new store is untouched.
        try {
            meldungen.Fehler(MeldungUebernahmeUngueltig);
        } catch (...) {
        }
        return false;
    }
}

NeuErgebnis NeueDateiEinrichten(Datenbestand& d, UebernahmeArt art, const UebernahmeAuswahl& auswahl,
                                const std::string& pfad, Meldungen& meldungen, Kennwortabfrage& abfrage,
                                const Uhr& uhr, Zufall& zufall) {
    NeuerDatenbestand(d, uhr, zufall);
    d.DateiOffen = true;
    if (art == UebernahmeArt::Keine) return NeuErgebnis::Leer;
    const UebernahmeAuswahl gewaehlt = art == UebernahmeArt::Alle ? UebernahmeAuswahl::Alles() : auswahl;
    if (!Uebernahme(d, pfad, gewaehlt, meldungen, abfrage, uhr, zufall)) {
        NeuerDatenbestand(d, uhr, zufall);  // no file is open afterwards
        return NeuErgebnis::Fehlgeschlagen;
    }
    d.Geaendert = true;
    return meldungen.Frage(FrageUebernahmeErfolgreich, Knoepfe::JaNein) == Antwort::Ja ? NeuErgebnis::MandantBearbeiten
                                                                                      : NeuErgebnis::Uebernommen;
}

}  // namespace talerwerk
