#pragma once
// The password prompt's rules: its texts for each kind of request and the comparison with the
// stored password.

#include <string>

namespace talerwerk {

// Kinds of password requests.
enum KennwortArt : int {
    KennwortDateiOeffnen = 1,          // file password when a file is opened
    KennwortSchreibschutzOeffnen = 2,  // write-protect password when a file is opened
    KennwortDateiUebernahme = 3,       // file password of the file master data are taken from
    KennwortSchreibschutzUebernahme = 4,
};

inline constexpr const char* MeldungKennwortFalsch = "Kennwort falsch.\rEingabe wiederholen!";

// The request shown above the input ("Bitte geben Sie das Dateikennwort ein!" …).
std::string KennwortHinweis(int art);
// Caption of the cancel button: "&Schreibgeschützt öffnen" for the write-protect password at
// open, else "Abbruch".
std::string KennwortAbbruchKnopf(int art);
// Information shown after the prompt was cancelled.
std::string KennwortAbbruchMeldung(int art);
// True when the typed text is exactly (case-sensitively) the stored password.
bool KennwortPasst(const std::string& eingabe, const std::string& gespeichert);

}  // namespace talerwerk
