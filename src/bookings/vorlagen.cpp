#include "bookings/vorlagen.h"

#include <algorithm>

namespace talerwerk {

VorlagenListe::VorlagenListe(Datenbestand& d) : d_(d), eintraege_(d.Vorlagen) {}

int VorlagenListe::Neu() {
    if (!NeuMoeglich()) return -1;
    buchungstyp v = BuchungVorgabe(SatzVorlage, 0);
    // The stored list and the entries added since the list opened: a number given out a moment
    // ago is not yet in the store.
    int32_t groesste = VorlagenNrBoden;
    for (const auto* liste : {&d_.Vorlagen, &eintraege_})
        for (const buchungstyp& b : *liste) groesste = std::max(groesste, b.IdentNr);
    v.IdentNr = groesste + 1;
    eintraege_.push_back(std::move(v));
    return Anzahl() - 1;
}

void VorlagenListe::Entfernen(int index) {
    if (index >= 0 && index < Anzahl()) eintraege_.erase(eintraege_.begin() + index);
}

bool VorlagenListe::Loeschen(int index, Meldungen& m) {
    if (index < 0 || index >= Anzahl()) return false;
    if (m.Frage(VorlageLoeschfrage(eintraege_[static_cast<size_t>(index)].Bezeichnung), Knoepfe::JaNein) !=
        Antwort::Ja)
        return false;
    Entfernen(index);
    d_.Geaendert = true;
    return true;
}

bool VorlagenListe::NameVorhanden(int index, const std::string& name) const {
    for (int i = 0; i < Anzahl(); ++i)
        if (i != index && eintraege_[static_cast<size_t>(i)].Bezeichnung == name) return true;
    return false;
}

void VorlagenListe::Bearbeitet(int index, const buchungstyp& satz) {
    if (index < 0 || index >= Anzahl()) return;
    eintraege_[static_cast<size_t>(index)] = satz;
    d_.Geaendert = true;
}

void VorlagenListe::Uebernehmen() {
    if (d_.Vorlagen != eintraege_) d_.Geaendert = true;
    d_.Vorlagen = eintraege_;
}

std::string VorlageLoeschfrage(const std::string& bezeichnung) {
    return "Soll Eintrag \"" + bezeichnung + "\" wirklich gelöscht werden?";
}

VorlagenAnzeige VorlageZusammenfassung(const Datenbestand& d, const buchungstyp& vorlage) {
    VorlagenAnzeige a;
    a.Art = ArtTexteVon(vorlage.BArt);
    a.Text2 = a.Art.BArt == BArtUmbuchung ? "Konto 2" : "Rubrik";
    a.Konto1 = KontoPfad(d.Konten, vorlage.Konto1);
    a.Konto2 = KontoPfad(d.Konten, vorlage.Konto2);
    a.Betrag = vorlage.Betrag + " " + d.Mandant.Text4;
    a.Text = vorlage.Text;
    return a;
}

std::string VorlagePruefen(const buchungstyp& satz) {
    return satz.Bezeichnung.empty() ? MeldungVorlageNameLeer : std::string();
}

}  // namespace talerwerk
