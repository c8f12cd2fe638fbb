#pragma once
// Placement of a child window kept in a section of the settings file ("x", "y", "Breite",
// "Hoehe"). Read when the window is created, written when it closes; every other line of the file
// stays as it is.

#include <cstdint>
#include <string>

namespace talerwerk {

struct FensterLage {
    int32_t x = 0;
    int32_t y = 0;
    int32_t Breite = 0;
    int32_t Hoehe = 0;
    bool operator==(const FensterLage&) const = default;
};

// The section's values; a missing file, section or key, or a value that is no whole number, keeps
// the value of `vorgabe`.
FensterLage FensterLageLesen(const std::string& pfad, const std::string& abschnitt, const FensterLage& vorgabe);

// Writes the four keys into the section (added at the end when missing), replacing the first entry
// of each key and keeping everything else. False when the file could not be written.
bool FensterLageSpeichern(const std::string& pfad, const std::string& abschnitt, const FensterLage& lage);

}  // namespace talerwerk
