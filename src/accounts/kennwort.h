#pragma once
// Stored form of the file passwords: every character (as its Windows-1252 byte) shifted up by 9,
// modulo 256, cut to 8 characters. Not a protection against anyone who reads this line, but the
// form files carry.

#include <string>

namespace talerwerk {

std::string KennwortVerschluesseln(const std::string& text);
std::string KennwortEntschluesseln(const std::string& gespeichert);

}  // namespace talerwerk
