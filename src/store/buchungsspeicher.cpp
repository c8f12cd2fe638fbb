#include "store/buchungsspeicher.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>

#include "store/betrag.h"
#include "store/datenbestand.h"

namespace talerwerk {

namespace {

// The texts of an entry, in this order; bit k of the mask says that text k is present.
enum Textfeld : int {
    FBezeichnung,
    FKennung,
    FBemerkung,
    FBelegnr,
    FBelegnrBis,
    FBetrag,
    FBetragBis,
    FText,
    FReserve,
    AnzahlTextfelder
};
constexpr uint16_t BitSelten = 1u << AnzahlTextfelder;
constexpr std::string_view BetragBisVorgabe = "999999,99";

std::atomic<uint64_t> fassungsZaehler{0};

std::string_view& Feld(Buchungssicht& s, int k) {
    switch (k) {
        case FBezeichnung: return s.Bezeichnung;
        case FKennung: return s.Kennung;
        case FBemerkung: return s.Bemerkung;
        case FBelegnr: return s.Belegnr;
        case FBelegnrBis: return s.BelegnrBis;
        case FBetrag: return s.Betrag;
        case FBetragBis: return s.BetragBis;
        case FText: return s.Text;
        default: return s.Reserve;
    }
}

std::string_view Feld(const Buchungssicht& s, int k) { return Feld(const_cast<Buchungssicht&>(s), k); }

// Whether the amount text is exactly what CentText makes of these cents.
bool IstKanonisch(std::string_view text, Cent cent) {
    char puffer[24];
    return text == CentTextIn(puffer, cent);
}

uint8_t BekannteArt(int32_t bart) {
    return bart == BArtEinnahme || bart == BArtAusgabe || bart == BArtUmbuchung ? static_cast<uint8_t>(bart) : 3;
}

inline char* VarintSchreiben(char* p, uint64_t wert) {
    while (wert >= 0x80) {
        *p++ = static_cast<char>((wert & 0x7F) | 0x80);
        wert >>= 7;
    }
    *p++ = static_cast<char>(wert);
    return p;
}

inline uint64_t VarintLesen(const char*& p) {
    uint64_t wert = 0;
    int schub = 0;
    for (;;) {
        const auto byte = static_cast<unsigned char>(*p++);
        wert |= static_cast<uint64_t>(byte & 0x7F) << schub;
        if ((byte & 0x80) == 0) return wert;
        schub += 7;
    }
}

SeltenerTeil SeltenesAus(const buchungstyp& b) {
    SeltenerTeil s;
    s.IdentNrVon = b.IdentNrVon;
    s.IdentNrBis = b.IdentNrBis;
    s.Satzart = b.Satzart;
    s.DatumBis = b.DatumBis;
    s.BArt = BekannteArt(b.BArt) == 3 ? b.BArt : 0;
    s.Monate = b.Monate;
    s.Intervall = b.Intervall;
    s.Auswahl = b.Auswahl;
    s.Zeitraum = b.Zeitraum;
    s.KontoAuswahl = b.KontoAuswahl;
    s.RubrikAuswahl = b.RubrikAuswahl;
    s.StornoAuswahl = b.StornoAuswahl;
    s.ReserveNr = b.ReserveNr;
    return s;
}

const SeltenerTeil& SeltenVorgabe() {
    static const SeltenerTeil vorgabe;
    return vorgabe;
}

Buchungssicht SichtAus(const buchungstyp& b, const SeltenerTeil* selten) {
    Buchungssicht s;
    s.IdentNr = b.IdentNr;
    s.Datum = b.Datum;
    s.BArt = b.BArt;
    s.Konto1 = b.Konto1;
    s.Konto2 = b.Konto2;
    s.Storniert = b.Storniert;
    s.Bezeichnung = b.Bezeichnung;
    s.Kennung = b.Kennung;
    s.Bemerkung = b.Bemerkung;
    s.Belegnr = b.Belegnr;
    s.BelegnrBis = b.BelegnrBis;
    s.Betrag = b.Betrag;
    s.BetragBis = b.BetragBis;
    s.Text = b.Text;
    s.Reserve = b.Reserve;
    s.Selten = selten;
    return s;
}

}  // namespace

void Buchungsspeicher::Frei::operator()(char* p) const { std::free(p); }

// -------------------------------------------------------------------------------------------------
// Construction

Buchungsspeicher::Buchungsspeicher() { Neu(); }

Buchungsspeicher::Buchungsspeicher(std::initializer_list<buchungstyp> saetze) {
    Neu();
    reserve(saetze.size());
    for (const buchungstyp& b : saetze) push_back(b);
}

Buchungsspeicher::Buchungsspeicher(const std::vector<buchungstyp>& saetze) {
    Neu();
    reserve(saetze.size());
    for (const buchungstyp& b : saetze) push_back(b);
}

Buchungsspeicher::Buchungsspeicher(const Buchungsspeicher& o)
    : nr_(o.nr_),
      datum_(o.datum_),
      konto1_(o.konto1_),
      konto2_(o.konto2_),
      cent_(o.cent_),
      art_(o.art_),
      storniert_(o.storniert_),
      textStelle_(o.textStelle_),
      texteLaenge_(0),
      texteKapazitaet_(0),
      muell_(o.muell_),
      selten_(o.selten_),
      seltenFrei_(o.seltenFrei_) {
    Neu();
    TexteReservieren(o.texteLaenge_);
    if (o.texteLaenge_ > 0) std::memcpy(texte_.get(), o.texte_.get(), o.texteLaenge_);
    texteLaenge_ = o.texteLaenge_;
}

Buchungsspeicher::Buchungsspeicher(Buchungsspeicher&& o) noexcept
    : nr_(std::move(o.nr_)),
      datum_(std::move(o.datum_)),
      konto1_(std::move(o.konto1_)),
      konto2_(std::move(o.konto2_)),
      cent_(std::move(o.cent_)),
      art_(std::move(o.art_)),
      storniert_(std::move(o.storniert_)),
      textStelle_(std::move(o.textStelle_)),
      texte_(std::move(o.texte_)),
      texteLaenge_(o.texteLaenge_),
      texteKapazitaet_(o.texteKapazitaet_),
      muell_(o.muell_),
      selten_(std::move(o.selten_)),
      seltenFrei_(std::move(o.seltenFrei_)),
      fassung_(0) {
    Neu();
    o.texteKapazitaet_ = 0;
    o.clear();
}

Buchungsspeicher& Buchungsspeicher::operator=(const Buchungsspeicher& o) {
    if (this != &o) {
        Buchungsspeicher kopie(o);
        *this = std::move(kopie);
    }
    return *this;
}

Buchungsspeicher& Buchungsspeicher::operator=(Buchungsspeicher&& o) noexcept {
    if (this == &o) return *this;
    nr_ = std::move(o.nr_);
    datum_ = std::move(o.datum_);
    konto1_ = std::move(o.konto1_);
    konto2_ = std::move(o.konto2_);
    cent_ = std::move(o.cent_);
    art_ = std::move(o.art_);
    storniert_ = std::move(o.storniert_);
    textStelle_ = std::move(o.textStelle_);
    texte_ = std::move(o.texte_);
    texteLaenge_ = o.texteLaenge_;
    texteKapazitaet_ = o.texteKapazitaet_;
    muell_ = o.muell_;
    selten_ = std::move(o.selten_);
    seltenFrei_ = std::move(o.seltenFrei_);
    Neu();
    o.texteKapazitaet_ = 0;
    o.clear();
    return *this;
}

Buchungsspeicher& Buchungsspeicher::operator=(std::initializer_list<buchungstyp> saetze) {
    Buchungsspeicher neu(saetze);
    return *this = std::move(neu);
}

Buchungsspeicher::~Buchungsspeicher() = default;

void Buchungsspeicher::Neu() { fassung_ = ++fassungsZaehler; }

size_t Buchungsspeicher::Belegt() const {
    size_t n = nr_.capacity() * 4 + datum_.capacity() * 4 + konto1_.capacity() * 4 + konto2_.capacity() * 4 +
               cent_.capacity() * 8 + art_.capacity() + storniert_.capacity() + textStelle_.capacity() * 8 +
               texteKapazitaet_ + seltenFrei_.capacity() * 4;
    for (const SeltenerTeil& s : selten_) {
        n += sizeof s;
        for (const std::string& e : s.Auswahl) n += sizeof e + e.capacity();
    }
    return n;
}

// -------------------------------------------------------------------------------------------------
// Reading

Buchungssicht Buchungsspeicher::Sicht(size_t i) const {
    Buchungssicht s;
    s.IdentNr = nr_[i];
    s.Datum = datum_[i];
    s.Konto1 = konto1_[i];
    s.Konto2 = konto2_[i];
    s.Storniert = storniert_[i] != 0;
    s.BetragCent = cent_[i];
    s.BArt = art_[i];
    s.BetragBis = BetragBisVorgabe;

    const char* p = texte_.get() + textStelle_[i];
    uint16_t maske;
    std::memcpy(&maske, p, 2);
    p += 2;
    if (maske & BitSelten) {
        s.Selten = &selten_[static_cast<size_t>(VarintLesen(p))];
        if (s.BArt == 3) s.BArt = s.Selten->BArt;
    }
    size_t laengen[AnzahlTextfelder];
    for (int k = 0; k < AnzahlTextfelder; ++k) laengen[k] = (maske >> k) & 1 ? static_cast<size_t>(VarintLesen(p)) : 0;
    for (int k = 0; k < AnzahlTextfelder; ++k) {
        if (!((maske >> k) & 1)) continue;
        Feld(s, k) = std::string_view(p, laengen[k]);
        p += laengen[k];
    }
    s.BetragKanonisch = !(maske & (1u << FBetrag));
    return s;
}

std::string Buchungsspeicher::BetragText(const Buchungssicht& s) {
    return s.BetragKanonisch ? CentText(s.BetragCent) : std::string(s.Betrag);
}

int32_t Buchungsspeicher::BArt(size_t i) const { return art_[i] == 3 ? Sicht(i).BArt : art_[i]; }

std::string Buchungsspeicher::Betrag(size_t i) const { return BetragText(Sicht(i)); }

const buchungstyp Buchungsspeicher::operator[](size_t i) const {
    const Buchungssicht s = Sicht(i);
    buchungstyp b;
    b.IdentNr = s.IdentNr;
    b.Datum = s.Datum;
    b.BArt = s.BArt;
    b.Konto1 = s.Konto1;
    b.Konto2 = s.Konto2;
    b.Storniert = s.Storniert;
    b.Bezeichnung = s.Bezeichnung;
    b.Kennung = s.Kennung;
    b.Bemerkung = s.Bemerkung;
    b.Belegnr = s.Belegnr;
    b.BelegnrBis = s.BelegnrBis;
    b.Betrag = BetragText(s);
    b.BetragBis = s.BetragBis;
    b.Text = s.Text;
    b.Reserve = s.Reserve;
    const SeltenerTeil& r = s.Selten ? *s.Selten : SeltenVorgabe();
    b.IdentNrVon = r.IdentNrVon;
    b.IdentNrBis = r.IdentNrBis;
    b.Satzart = r.Satzart;
    b.DatumBis = r.DatumBis;
    b.Monate = r.Monate;
    b.Intervall = r.Intervall;
    b.Auswahl = r.Auswahl;
    b.Zeitraum = r.Zeitraum;
    b.KontoAuswahl = r.KontoAuswahl;
    b.RubrikAuswahl = r.RubrikAuswahl;
    b.StornoAuswahl = r.StornoAuswahl;
    b.ReserveNr = r.ReserveNr;
    return b;
}

const buchungstyp Buchungsspeicher::at(size_t i) const {
    if (i >= size()) throw std::out_of_range("Buchungsspeicher::at");
    return (*this)[i];
}

const buchungstyp Buchungsspeicher::front() const { return at(0); }
const buchungstyp Buchungsspeicher::back() const { return at(size() - 1); }

const buchungstyp Buchungsspeicher::Iterator::operator*() const { return (*s_)[i_]; }

std::vector<buchungstyp> Buchungsspeicher::Alle() const {
    std::vector<buchungstyp> alle;
    alle.reserve(size());
    for (size_t i = 0; i < size(); ++i) alle.push_back((*this)[i]);
    return alle;
}

bool Buchungsspeicher::operator==(const Buchungsspeicher& o) const {
    if (size() != o.size()) return false;
    for (size_t i = 0; i < size(); ++i)
        if (!((*this)[i] == o[i])) return false;
    return true;
}

bool operator==(const Buchungsspeicher& a, const std::vector<buchungstyp>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (!(a[i] == b[i])) return false;
    return true;
}

// -------------------------------------------------------------------------------------------------
// The text buffer

void Buchungsspeicher::TexteReservieren(size_t bytes) {
    if (bytes <= texteKapazitaet_) return;
    void* neu = std::realloc(texte_.get(), bytes);
    if (!neu) throw std::bad_alloc();
    texte_.release();
    texte_.reset(static_cast<char*>(neu));
    texteKapazitaet_ = bytes;
}

size_t Buchungsspeicher::TextLaenge(uint64_t stelle) const {
    const char* anfang = texte_.get() + stelle;
    const char* p = anfang;
    uint16_t maske;
    std::memcpy(&maske, p, 2);
    p += 2;
    if (maske & BitSelten) VarintLesen(p);
    size_t summe = 0;
    for (int k = 0; k < AnzahlTextfelder; ++k)
        if ((maske >> k) & 1) summe += static_cast<size_t>(VarintLesen(p));
    return static_cast<size_t>(p - anfang) + summe;
}

int32_t Buchungsspeicher::SeltenPlatz(size_t i) const {
    const char* p = texte_.get() + textStelle_[i];
    uint16_t maske;
    std::memcpy(&maske, p, 2);
    p += 2;
    return maske & BitSelten ? static_cast<int32_t>(VarintLesen(p)) : -1;
}

void Buchungsspeicher::SeltenFreigeben(size_t i) {
    const int32_t platz = SeltenPlatz(i);
    if (platz < 0) return;
    selten_[static_cast<size_t>(platz)] = SeltenerTeil{};
    seltenFrei_.push_back(platz);
}

int32_t Buchungsspeicher::SeltenBelegen(const SeltenerTeil& s) {
    if (!seltenFrei_.empty()) {
        const int32_t platz = seltenFrei_.back();
        selten_[static_cast<size_t>(platz)] = s;
        seltenFrei_.pop_back();
        return platz;
    }
    selten_.push_back(s);
    return static_cast<int32_t>(selten_.size() - 1);
}

uint64_t Buchungsspeicher::TexteSchreiben(const Buchungssicht& s, int32_t seltenPlatz) {
    uint16_t maske = seltenPlatz >= 0 ? BitSelten : 0;
    size_t bytes = 0;
    for (int k = 0; k < AnzahlTextfelder; ++k) {
        const std::string_view t = Feld(s, k);
        bool da = !t.empty();
        if (k == FBetrag) da = !s.BetragKanonisch;
        if (k == FBetragBis) da = t != BetragBisVorgabe;
        if (da) {
            maske |= static_cast<uint16_t>(1u << k);
            bytes += t.size();
        }
    }
    const size_t hoechstens = 2 + 10 + AnzahlTextfelder * 10 + bytes;
    if (texteLaenge_ + hoechstens > texteKapazitaet_)
        TexteReservieren(std::max(texteLaenge_ + hoechstens, texteKapazitaet_ + texteKapazitaet_ / 2 + 4096));
    const uint64_t stelle = texteLaenge_;
    char* p = texte_.get() + texteLaenge_;
    std::memcpy(p, &maske, 2);
    p += 2;
    if (seltenPlatz >= 0) p = VarintSchreiben(p, static_cast<uint64_t>(seltenPlatz));
    for (int k = 0; k < AnzahlTextfelder; ++k)
        if ((maske >> k) & 1) p = VarintSchreiben(p, Feld(s, k).size());
    for (int k = 0; k < AnzahlTextfelder; ++k) {
        if (!((maske >> k) & 1)) continue;
        const std::string_view t = Feld(s, k);
        if (!t.empty()) std::memcpy(p, t.data(), t.size());
        p += t.size();
    }
    texteLaenge_ = static_cast<size_t>(p - texte_.get());
    return stelle;
}

void Buchungsspeicher::MuellSammeln() {
    // Rewritten in position order, so that a scan over the texts reads the buffer front to back.
    std::unique_ptr<char, Frei> neu(static_cast<char*>(std::malloc(std::max<size_t>(texteLaenge_ - muell_, 1))));
    if (!neu) throw std::bad_alloc();
    size_t laenge = 0;
    for (size_t i = 0; i < size(); ++i) {
        const size_t n = TextLaenge(textStelle_[i]);
        std::memcpy(neu.get() + laenge, texte_.get() + textStelle_[i], n);
        textStelle_[i] = laenge;
        laenge += n;
    }
    texte_ = std::move(neu);
    texteKapazitaet_ = std::max<size_t>(texteLaenge_ - muell_, 1);
    texteLaenge_ = laenge;
    muell_ = 0;
}

// -------------------------------------------------------------------------------------------------
// Changes

void Buchungsspeicher::SpaltenAnhaengen(const Buchungssicht& s, uint64_t textStelle) {
    nr_.push_back(s.IdentNr);
    datum_.push_back(s.Datum);
    konto1_.push_back(s.Konto1);
    konto2_.push_back(s.Konto2);
    cent_.push_back(s.BetragCent);
    art_.push_back(BekannteArt(s.BArt));
    storniert_.push_back(s.Storniert ? 1 : 0);
    textStelle_.push_back(textStelle);
}

void Buchungsspeicher::Anhaengen(const Buchungssicht& eingabe) {
    Buchungssicht s = eingabe;
    s.BetragCent = talerwerk::BetragCent(s.Betrag);
    s.BetragKanonisch = IstKanonisch(s.Betrag, s.BetragCent);
    const SeltenerTeil* selten = s.Selten;
    SeltenerTeil mitArt;
    if (BekannteArt(s.BArt) == 3) {
        mitArt = selten ? *selten : SeltenerTeil{};
        mitArt.BArt = s.BArt;
        selten = &mitArt;
    }
    if (selten && *selten == SeltenVorgabe()) selten = nullptr;
    if (nr_.size() == nr_.capacity()) reserve(BuchungenKapazitaet(nr_.size() + 1));
    const int32_t platz = selten ? SeltenBelegen(*selten) : -1;
    const uint64_t stelle = TexteSchreiben(s, platz);
    SpaltenAnhaengen(s, stelle);
    Neu();
}

void Buchungsspeicher::push_back(const buchungstyp& b) {
    const SeltenerTeil selten = SeltenesAus(b);
    Anhaengen(SichtAus(b, &selten));
}

void Buchungsspeicher::Ersetzen(size_t i, const buchungstyp& b) {
    if (i >= size()) throw std::out_of_range("Buchungsspeicher::Ersetzen");
    SeltenerTeil selten = SeltenesAus(b);
    Buchungssicht s = SichtAus(b, nullptr);
    s.BetragCent = talerwerk::BetragCent(s.Betrag);
    s.BetragKanonisch = IstKanonisch(s.Betrag, s.BetragCent);
    const bool mitSelten = !(selten == SeltenVorgabe());
    // The old entry goes first, so its side-table slot can be taken again.
    muell_ += TextLaenge(textStelle_[i]);
    SeltenFreigeben(i);
    const int32_t platz = mitSelten ? SeltenBelegen(selten) : -1;
    textStelle_[i] = TexteSchreiben(s, platz);
    nr_[i] = s.IdentNr;
    datum_[i] = s.Datum;
    konto1_[i] = s.Konto1;
    konto2_[i] = s.Konto2;
    cent_[i] = s.BetragCent;
    art_[i] = BekannteArt(s.BArt);
    storniert_[i] = s.Storniert ? 1 : 0;
    Neu();
    if (muell_ > 65536 && muell_ > texteLaenge_ / 2) MuellSammeln();
}

void Buchungsspeicher::Aendern(size_t i, const std::function<void(buchungstyp&)>& aendern) {
    buchungstyp b = at(i);
    aendern(b);
    Ersetzen(i, b);
}

void Buchungsspeicher::Entfernen(const std::vector<size_t>& liste) {
    // Positions out of order, twice or beyond the end would remove the wrong records: they are
    // put in order first (the store functions pass them so already).
    std::vector<size_t> geordnet;
    const bool inOrdnung = std::adjacent_find(liste.begin(), liste.end(), std::greater_equal<size_t>()) == liste.end() &&
                           (liste.empty() || liste.back() < size());
    if (!inOrdnung) {
        geordnet = liste;
        std::sort(geordnet.begin(), geordnet.end());
        geordnet.erase(std::unique(geordnet.begin(), geordnet.end()), geordnet.end());
        while (!geordnet.empty() && geordnet.back() >= size()) geordnet.pop_back();
    }
    const std::vector<size_t>& positionen = inOrdnung ? liste : geordnet;
    if (positionen.empty()) return;
    for (size_t p : positionen) {
        muell_ += TextLaenge(textStelle_[p]);
        SeltenFreigeben(p);
    }
    PositionenEntfernen(nr_, positionen);
    PositionenEntfernen(datum_, positionen);
    PositionenEntfernen(konto1_, positionen);
    PositionenEntfernen(konto2_, positionen);
    PositionenEntfernen(cent_, positionen);
    PositionenEntfernen(art_, positionen);
    PositionenEntfernen(storniert_, positionen);
    PositionenEntfernen(textStelle_, positionen);
    Neu();
    if (empty()) {
        texteLaenge_ = 0;
        muell_ = 0;
        selten_.clear();
        seltenFrei_.clear();
    } else if (muell_ > 65536 && muell_ > texteLaenge_ / 2) {
        MuellSammeln();
    }
}

void Buchungsspeicher::pop_back() {
    if (empty()) return;
    Entfernen({size() - 1});
}

void Buchungsspeicher::clear() {
    for (auto* v : {&nr_, &datum_, &konto1_, &konto2_}) v->clear();
    cent_.clear();
    art_.clear();
    storniert_.clear();
    textStelle_.clear();
    texteLaenge_ = 0;
    muell_ = 0;
    selten_.clear();
    seltenFrei_.clear();
    Neu();
}

void Buchungsspeicher::assign(size_t n, const buchungstyp& b) {
    clear();
    reserve(n);
    for (size_t i = 0; i < n; ++i) push_back(b);
}

void Buchungsspeicher::resize(size_t n) {
    if (n < size()) {
        std::vector<size_t> weg;
        for (size_t i = n; i < size(); ++i) weg.push_back(i);
        Entfernen(weg);
        return;
    }
    reserve(n);
    const buchungstyp leer;
    while (size() < n) push_back(leer);
}

void Buchungsspeicher::reserve(size_t n) {
    for (auto* v : {&nr_, &datum_, &konto1_, &konto2_}) v->reserve(n);
    cent_.reserve(n);
    art_.reserve(n);
    storniert_.reserve(n);
    textStelle_.reserve(n);
}

}  // namespace talerwerk
