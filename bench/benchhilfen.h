#pragma once
// Ports for benchmarks that open files: every password is taken, errors go to stderr, every
// question is answered Yes.

#include <cstdio>
#include <string>

#include "store/ports.h"

namespace talerwerk::bench {

class Annehmen : public Kennwortabfrage {
public:
    bool Abfragen(int, const std::string&, const std::string&) override { return true; }
};

class Stumm : public Meldungen {
public:
    void Fehler(const std::string& t) override { std::fprintf(stderr, "%s\n", t.c_str()); }
    void Information(const std::string&) override {}
    void Warnung(const std::string&) override {}
    Antwort Frage(const std::string&, Knoepfe) override { return Antwort::Ja; }
    void Piep() override {}
};

}  // namespace talerwerk::bench
