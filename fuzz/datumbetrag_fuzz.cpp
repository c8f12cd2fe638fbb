// libFuzzer target for the parsers of dates and amounts typed or read from files: any text.
// Whatever they accept is a valid value that their own output form reads back unchanged.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "store/betrag.h"
#include "store/datum.h"

namespace {

void Pruefen(bool bedingung) {
    if (!bedingung) std::abort();
}

bool ImDateiBereich(int32_t tag) {
    const talerwerk::Kalendertag k = talerwerk::KalenderAus(tag);
    return k.Jahr >= talerwerk::ErstesJahr && k.Jahr <= talerwerk::LetztesJahr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    using namespace talerwerk;
    const std::string_view text(reinterpret_cast<const char*>(daten), groesse);

    if (std::optional<int32_t> tag = DatumLesen(text)) {
        Pruefen(ImDateiBereich(*tag));
        Pruefen(DatumLesen(DatumLangText(*tag)) == tag);
        Pruefen(DatumLesen(DatumKurzText(*tag)) == tag);
        Pruefen(DatumDateiLesen(DatumDateiText(*tag)) == tag);
    }
    if (std::optional<int32_t> tag = DatumDateiLesen(text); tag && *tag != 0) {
        Pruefen(DatumDateiLesen(DatumDateiText(*tag)) == tag);
    }
    if (std::optional<int32_t> tag = DatumIsoLesen(text)) {
        Pruefen(DatumIsoLesen(DatumIso(*tag)) == tag);
    }

    // Any field text gives a canonical amount text, which reads back as itself.
    const std::string betrag = BetragText(text);
    const Cent cent = BetragCent(betrag);
    Pruefen(CentText(cent) == betrag);
    if (IstBetragForm(text)) {
        Pruefen(IstBetragForm(CentText(BetragCent(text))) || CentText(BetragCent(text)).size() > BetragLaenge);
        Pruefen(BetragCent(CentText(BetragCent(text))) == BetragCent(text));
    }
    const std::string anzeige = CentAnzeige(cent);
    Pruefen(!anzeige.empty() && BetragCent(anzeige) == cent);
    return 0;
}
