#include "bookings/eingaberegeln.h"

#include <cctype>
#include <charconv>

#include "bookings/buchungsoperationen.h"
#include "bookings/textbausteine.h"
#include "store/betrag.h"

namespace talerwerk {

namespace {

bool NurZiffern(std::string_view s) {
    for (char c : s)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

}  // namespace

bool BetragEingabeZulaessig(std::string_view text) {
    if (text.size() > BetragFeldLaenge) return false;
    const size_t komma = text.find(',');
    const std::string_view ganz = text.substr(0, komma);
    if (ganz.size() > 6 || !NurZiffern(ganz)) return false;
    if (komma == std::string_view::npos) return true;
    const std::string_view rest = text.substr(komma + 1);
    return rest.size() <= 2 && NurZiffern(rest);
}

std::optional<std::string> BetragAusRechner(std::string_view anzeige) {
    std::string_view s = anzeige;
    bool negativ = false;
    if (!s.empty() && s.front() == '-') {
        negativ = true;
        s.remove_prefix(1);
    }
    const size_t komma = s.find(',');
    const std::string_view ganz = s.substr(0, komma);
    const std::string_view rest = komma == std::string_view::npos ? std::string_view() : s.substr(komma + 1);
    if (ganz.empty() && rest.empty()) return std::nullopt;
    if (!NurZiffern(ganz) || !NurZiffern(rest)) return std::nullopt;
    // More than six digits before the comma cannot be in range; checked before rounding so that
    // no long text can overflow.
    size_t fuehrend = 0;
    while (fuehrend < ganz.size() && ganz[fuehrend] == '0') ++fuehrend;
    if (ganz.size() - fuehrend > 6) return std::nullopt;
    const std::string text = BetragText(anzeige);
    const Cent cent = BetragCent(text);
    if (cent == 0) return std::string("0,00");  // "-0,00" is plain zero
    if (negativ || cent < 0 || cent > BetragHoechstens) return std::nullopt;
    return text;
}

buchungstyp MitVorlage(const buchungstyp& bearbeitet, const buchungstyp& vorlage,
                       const std::vector<kontotyp>& textbausteine, const Uhr& uhr) {
    buchungstyp b = bearbeitet;
    b.Belegnr = vorlage.Belegnr;
    b.Betrag = vorlage.Betrag;
    b.Bemerkung = vorlage.Bemerkung;
    b.Konto1 = vorlage.Konto1;
    b.Konto2 = vorlage.Konto2;
    b.BArt = vorlage.BArt;
    b.Text = TextbausteineErsetzen(vorlage.Text, textbausteine, uhr);
    b.Kennung.clear();
    b.Bezeichnung.clear();
    return b;
}

int32_t GeheZuSuchen(const Datenbestand& d, bool nachNummer, const std::string& text) {
    if (!nachNummer) return BuchungSuchenBeleg(d, text);
    if (text.empty() || !NurZiffern(text) || text.size() > 9) return -1;
    int32_t nr = 0;
    std::from_chars(text.data(), text.data() + text.size(), nr);
    return BuchungSuchenNr(d, nr);
}

}  // namespace talerwerk
