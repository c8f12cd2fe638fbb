#include "bookings/textbausteine.h"

#include <algorithm>
#include <utility>

#include "store/datum.h"
#include "store/zeichensatz.h"

namespace talerwerk {

std::string ErsetzeErstes(std::string_view text, std::string_view suche, std::string_view ersatz) {
    std::string ergebnis(text);
    if (suche.empty()) return ergebnis;
    const size_t stelle = ergebnis.find(suche);
    if (stelle != std::string::npos) ergebnis.replace(stelle, suche.size(), ersatz);
    return ergebnis;
}

std::string AbkuerzungErsetzen(std::string_view text, std::string_view abk, std::string_view ersatz) {
    std::string ergebnis(text);
    if (abk.empty() || ergebnis.find(abk) == std::string::npos) return ergebnis;
    // The spans of the placeholders: an abbreviation such as "es" or "Datum" must not break one.
    std::vector<std::pair<size_t, size_t>> platzhalter;
    for (std::string_view p : {PlatzhalterDatum, PlatzhalterMonat, PlatzhalterJahr})
        for (size_t i = ergebnis.find(p); i != std::string::npos; i = ergebnis.find(p, i + p.size()))
            platzhalter.emplace_back(i, i + p.size());
    for (size_t stelle = ergebnis.find(abk); stelle != std::string::npos; stelle = ergebnis.find(abk, stelle + 1)) {
        const size_t ende = stelle + abk.size();
        const bool imPlatzhalter = std::any_of(platzhalter.begin(), platzhalter.end(),
                                               [&](const auto& p) { return stelle < p.second && p.first < ende; });
        if (!imPlatzhalter) {
            ergebnis.replace(stelle, abk.size(), ersatz);
            break;
        }
    }
    return ergebnis;
}

std::string PlatzhalterErsetzen(std::string_view text, int32_t datum) {
    const Kalendertag k = KalenderAus(datum);
    std::string t = ErsetzeErstes(text, PlatzhalterDatum, DatumLangText(datum));
    t = ErsetzeErstes(t, PlatzhalterMonat, MonatsName(k.Monat));
    return ErsetzeErstes(t, PlatzhalterJahr, std::to_string(k.Jahr));
}

std::string TextbausteineErsetzen(std::string_view text, const std::vector<kontotyp>& textbausteine,
                                  const Uhr& uhr) {
    std::string t(text);
    for (const kontotyp& tb : textbausteine) t = AbkuerzungErsetzen(t, tb.Abk, tb.Text1);
    return PlatzhalterErsetzen(t, uhr.Heute());
}

std::string TextbausteinAusgeschrieben(const std::vector<kontotyp>& textbausteine, size_t index, int32_t datum) {
    if (index >= textbausteine.size()) return {};
    std::string t = textbausteine[index].Text1;
    for (size_t j = 0; j < textbausteine.size(); ++j)
        if (j != index) t = AbkuerzungErsetzen(t, textbausteine[j].Abk, textbausteine[j].Text1);
    return PlatzhalterErsetzen(t, datum);
}

Suchbaum TextBaumErweitert(const std::vector<kontotyp>& textbausteine, int32_t datum) {
    // The item callback sees the collection's own elements, so their address gives the index.
    return TextBaum(textbausteine, [&](const kontotyp& t) {
        return TextbausteinAusgeschrieben(textbausteine, static_cast<size_t>(&t - textbausteine.data()), datum);
    });
}

std::optional<TextErsetzung> ErsetzungBeimTippen(const Suchbaum& baum, std::string_view text) {
    if (text.empty() || text.back() != ' ') return std::nullopt;
    const std::string_view vorher = text.substr(0, text.size() - 1);
    const size_t leer = vorher.find_last_of(' ');
    const size_t anfang = leer == std::string_view::npos ? 0 : leer + 1;
    const std::string_view wort = vorher.substr(anfang);
    if (wort.empty()) return std::nullopt;
    const int i = TextbausteinPosition(baum, wort);
    if (i < 0) return std::nullopt;
    TextErsetzung e;
    e.Text = std::string(text.substr(0, anfang)) + baum.Eintraege[static_cast<size_t>(i)].Text;
    e.Position = i;
    return e;
}

std::optional<TextErsetzung> ErsetzungBeimVerlassen(const Suchbaum& baum, std::string_view text) {
    if (text.empty()) return std::nullopt;
    const int i = TextbausteinPosition(baum, text);
    if (i < 0) return std::nullopt;
    return TextErsetzung{baum.Eintraege[static_cast<size_t>(i)].Text, i};
}

TextbausteinEditor::TextbausteinEditor(std::vector<kontotyp> textbausteine) : eintraege_(std::move(textbausteine)) {}

TbsKnoepfe TextbausteinEditor::Knopfzustand(int auswahl) const {
    TbsKnoepfe k;
    const bool snippet = auswahl >= 0 && auswahl < Anzahl();
    k.Loeschen = snippet && !Geschuetzt(auswahl);
    k.Felder = k.Loeschen;
    // The tree holds the heading and one item per snippet.
    if (eintraege_.size() + 1 > TextbausteineHoechstens) {
        k.Neu = false;
        k.Hinweis = HinweisTbsGrenze;
    }
    return k;
}

std::vector<std::string> TextbausteinEditor::Pruefen(int index, const std::string& abk, const std::string& text) const {
    std::vector<std::string> fehler;
    if (abk.empty()) {
        fehler.emplace_back(MeldungTbsAbkLeer);
        return fehler;
    }
    for (int j = 0; j < Anzahl(); ++j)
        if (j != index && eintraege_[static_cast<size_t>(j)].Abk == abk) fehler.emplace_back(MeldungTbsVorhanden);
    if (fehler.empty() && (!Cp1252Darstellbar(abk) || !Cp1252Darstellbar(text)))
        fehler.emplace_back("Der Textbaustein enthält ein Zeichen, das in der Datei nicht gespeichert werden "
                            "kann.\rBitte ändern Sie die Eingabe!");
    return fehler;
}

bool TextbausteinEditor::Zurueckschreiben(int index, const std::string& abk, const std::string& text, Meldungen& m) {
    if (index < 0 || index >= Anzahl() || Geschuetzt(index)) return true;
    const auto fehler = Pruefen(index, abk, text);
    for (const std::string& f : fehler) m.Information(f);
    if (!fehler.empty()) return false;
    kontotyp& k = eintraege_[static_cast<size_t>(index)];
    k.Abk = Kuerzen(abk, AbkLaenge);
    k.Text1 = text;
    return true;
}

int TextbausteinEditor::Neu(Zufall& zufall) {
    if (!Knopfzustand(Ueberschrift).Neu) return -1;
    auto vergeben = [&](int32_t nr) {
        return std::any_of(eintraege_.begin(), eintraege_.end(), [nr](const kontotyp& k) { return k.Nr == nr; });
    };
    const int32_t spanne = TbsNrBis - TbsNrVon + 1;
    int32_t nr = TbsNrVon + zufall.Zahl(spanne);
    // With at most 1000 snippets most numbers are free; a source that keeps drawing taken numbers
    // must not hang the dialog, so after a while the first free number is taken.
    for (int versuch = 0; vergeben(nr) && versuch < 10000; ++versuch) nr = TbsNrVon + zufall.Zahl(spanne);
    for (int32_t n = TbsNrVon; vergeben(nr) && n <= TbsNrBis; ++n) nr = n;

    int zahl = 1;
    auto abkVergeben = [&](const std::string& abk) {
        return std::any_of(eintraege_.begin(), eintraege_.end(), [&](const kontotyp& k) { return k.Abk == abk; });
    };
    while (abkVergeben("tbs" + std::to_string(zahl))) ++zahl;

    eintraege_.push_back(TextbausteinSatz(nr, "tbs" + std::to_string(zahl), ""));
    return Anzahl() - 1;
}

bool TextbausteinEditor::Loeschen(int index, Meldungen& m) {
    if (index < 0 || index >= Anzahl() || Geschuetzt(index)) return false;
    const std::string frage =
        "Soll Textbaustein \"" + eintraege_[static_cast<size_t>(index)].Abk + "\" wirklich gelöscht werden?";
    if (m.Frage(frage, Knoepfe::JaNein) != Antwort::Ja) return false;
    eintraege_.erase(eintraege_.begin() + index);
    return true;
}

void TextbausteineUebernehmen(Datenbestand& d, const TextbausteinEditor& editor) {
    d.Textbausteine = editor.Eintraege();
    d.Geaendert = true;
}

}  // namespace talerwerk
