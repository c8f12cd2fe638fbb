#pragma once
// Scripted doubles of the core's ports for GoogleTest tests: messages recorded and questions
// answered from a queue, a fixed clock, fixed random numbers, a scripted password prompt.
// Header only; every test file of the core may include it.

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "store/ports.h"

namespace talerwerk::test {

enum class MeldungsArt { Fehler, Information, Warnung, Frage, Piep };

struct Meldung {
    MeldungsArt Art;
    std::string Text;
    std::optional<Knoepfe> Tasten;  // for questions only

    bool operator==(const Meldung&) const = default;
};

// Records every message in order. Questions take their answer from `antworten`; when the queue is
// empty the answer is `vorgabe` if one is set, else the test fails (an unscripted question is a
// bug in the test or in the code) and the answer is Abbrechen.
class SkriptMeldungen : public Meldungen {
public:
    std::vector<Meldung> meldungen;
    std::deque<Antwort> antworten;
    std::optional<Antwort> vorgabe;

    void Fehler(const std::string& text) override { meldungen.push_back({MeldungsArt::Fehler, text, {}}); }
    void Information(const std::string& text) override {
        meldungen.push_back({MeldungsArt::Information, text, {}});
    }
    void Warnung(const std::string& text) override { meldungen.push_back({MeldungsArt::Warnung, text, {}}); }
    Antwort Frage(const std::string& text, Knoepfe knoepfe) override {
        meldungen.push_back({MeldungsArt::Frage, text, knoepfe});
        if (!antworten.empty()) {
            const Antwort a = antworten.front();
            antworten.pop_front();
            return a;
        }
        if (vorgabe) return *vorgabe;
        ADD_FAILURE() << "Frage ohne vorbereitete Antwort: " << text;
        return Antwort::Abbrechen;
    }
    void Piep() override { meldungen.push_back({MeldungsArt::Piep, {}, {}}); }

    // Texts of the messages of one kind, in order.
    std::vector<std::string> Texte(MeldungsArt art) const {
        std::vector<std::string> t;
        for (const Meldung& m : meldungen)
            if (m.Art == art) t.push_back(m.Text);
        return t;
    }
    std::vector<std::string> Fehlertexte() const { return Texte(MeldungsArt::Fehler); }
    void Leeren() { meldungen.clear(); }
};

class FesteUhr : public Uhr {
public:
    explicit FesteUhr(int32_t heute = 0) : heute(heute) {}
    int32_t Heute() const override { return heute; }
    int32_t heute;
};

// Returns the scripted numbers in order (each taken modulo the bound, so a script never yields a
// number out of range); once they are used up, `vorgabe` modulo the bound. Every bound asked for
// is recorded.
class FesterZufall : public Zufall {
public:
    FesterZufall() = default;
    FesterZufall(std::initializer_list<int32_t> zahlen, int32_t vorgabe = 0) : zahlen(zahlen), vorgabe(vorgabe) {}

    int32_t Zahl(int32_t grenze) override {
        grenzen.push_back(grenze);
        int32_t z = vorgabe;
        if (!zahlen.empty()) {
            z = zahlen.front();
            zahlen.pop_front();
        }
        if (grenze <= 0) return 0;
        z %= grenze;
        return z < 0 ? z + grenze : z;
    }

    std::deque<int32_t> zahlen;
    int32_t vorgabe = 0;
    std::vector<int32_t> grenzen;
};

// A password prompt that answers from a queue (true = the right password was given) and records
// every call. An unscripted call fails the test and answers false.
class SkriptKennwortabfrage : public Kennwortabfrage {
public:
    struct Aufruf {
        int Art;
        std::string Gespeichert;
        std::string Pfad;
        bool operator==(const Aufruf&) const = default;
    };

    SkriptKennwortabfrage() = default;
    SkriptKennwortabfrage(std::initializer_list<bool> a) : antworten(a) {}

    bool Abfragen(int art, const std::string& gespeichert, const std::string& pfad) override {
        aufrufe.push_back({art, gespeichert, pfad});
        if (antworten.empty()) {
            ADD_FAILURE() << "Kennwortabfrage ohne vorbereitete Antwort (Art " << art << ")";
            return false;
        }
        const bool a = antworten.front();
        antworten.pop_front();
        return a;
    }

    std::deque<bool> antworten;
    std::vector<Aufruf> aufrufe;
};

}  // namespace talerwerk::test
