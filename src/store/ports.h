#pragma once
// What the core asks of the outside world. The windows implement these over Qt, the tests with
// scripted doubles, talerwerk-cli with plain console versions. The core never talks to the user,
// the clock or a random source in any other way.

#include <cstdint>
#include <string>

namespace talerwerk {

enum class Antwort { Ja, Nein, Abbrechen, Alle, OK };

// Button sets of the questions. JaNeinAlles is the recurring run's "Ja/Nein/Alles".
enum class Knoepfe { JaNein, JaNeinAbbrechen, JaNeinAbbrechenAlle, JaNeinAlles };

class Meldungen {
public:
    virtual ~Meldungen() = default;
    // Texts are the program's own; "\r" stands for a line break.
    virtual void Fehler(const std::string& text) = 0;       // error box, OK
    virtual void Information(const std::string& text) = 0;  // information box, OK
    virtual void Warnung(const std::string& text) = 0;      // warning box, OK
    virtual Antwort Frage(const std::string& text, Knoepfe knoepfe) = 0;
    virtual void Piep() = 0;
};

class Uhr {
public:
    virtual ~Uhr() = default;
    virtual int32_t Heute() const = 0;  // today as a day number (see datum.h)
};

class Zufall {
public:
    virtual ~Zufall() = default;
    // A random number 0 … grenze−1 (grenze ≥ 1).
    virtual int32_t Zahl(int32_t grenze) = 0;
};

// The password prompt used while a file is opened. art: 1 file password, 2 write-protect password
// (3 and 4 for the takeover). Returns true when the right password was given; the prompt itself
// reports a cancel to the user.
class Kennwortabfrage {
public:
    virtual ~Kennwortabfrage() = default;
    virtual bool Abfragen(int art, const std::string& gespeichert, const std::string& pfad) = 0;
};

// Plain implementations for programs without windows (talerwerk-cli, benchmarks).
class SystemUhr : public Uhr {
public:
    int32_t Heute() const override;
};

class SystemZufall : public Zufall {
public:
    SystemZufall();
    explicit SystemZufall(uint64_t saat) : zustand_(saat ? saat : 1) {}
    int32_t Zahl(int32_t grenze) override;
private:
    uint64_t zustand_;
};

}  // namespace talerwerk
