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
// Shown beside the password fields of the master-data dialog.
inline constexpr const char* KennwortLaengeHinweis = "Es zählen nur die ersten 8 Zeichen.";

// True when the first 8 typed characters are exactly (case-sensitively) the stored password. A
// password is stored as its first 8 characters, so typing the longer password chosen in the
// master-data dialog opens the file, as do its first 8 characters alone. The prompt and
// talerwerk-cli --kennwort both compare through here.
bool KennwortPasst(const std::string& eingabe, const std::string& gespeichert);

}  // namespace talerwerk
