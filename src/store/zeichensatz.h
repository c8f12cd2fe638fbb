#pragma once
// UTF-8 in memory, Windows-1252 in the data file. The five bytes Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the code points of the same value, so every byte of a file
// survives a round trip.

#include <optional>
#include <string>
#include <string_view>

namespace talerwerk {

// Windows-1252 bytes → UTF-8. Total: every byte has a code point.
std::string AusCp1252(std::string_view bytes);

// UTF-8 → Windows-1252 bytes; nullopt when the text holds a character Windows-1252 cannot hold
// or is not valid UTF-8.
std::optional<std::string> NachCp1252(std::string_view utf8);

// As NachCp1252, but every character Windows-1252 cannot hold (and every byte that is no part of
// valid UTF-8) becomes "?". For the file writer, as a last line of defence: such texts are refused
// where they are typed. The appending form writes straight into the file image.
std::string NachCp1252Ersetzt(std::string_view utf8);
void Cp1252Anhaengen(std::string& aus, std::string_view utf8);

// True when no byte has its top bit set: then UTF-8 and Windows-1252 agree.
bool NurAscii(std::string_view text);

// True when every character of the UTF-8 text has a Windows-1252 byte.
bool Cp1252Darstellbar(std::string_view utf8);

// Number of characters (code points) of a UTF-8 text.
size_t ZeichenAnzahl(std::string_view utf8);

}  // namespace talerwerk
