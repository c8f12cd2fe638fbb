#pragma once
// Scripted Meldungen for the window tests: every message is recorded with its kind, questions are
// answered from a queue (Antwort::Nein once the queue is empty, so a forgotten script shows up as a
// failing expectation, never as a hang on a modal box).

#include <deque>
#include <string>
#include <vector>

#include "store/ports.h"

struct SkriptMeldung {
    enum class Art { Fehler, Information, Warnung, Frage, Piep };
    Art art;
    std::string text;
};

class SkriptMeldungen : public talerwerk::Meldungen {
public:
    std::vector<SkriptMeldung> meldungen;
    std::deque<talerwerk::Antwort> antworten;

    void Fehler(const std::string& text) override { meldungen.push_back({SkriptMeldung::Art::Fehler, text}); }
    void Information(const std::string& text) override {
        meldungen.push_back({SkriptMeldung::Art::Information, text});
    }
    void Warnung(const std::string& text) override { meldungen.push_back({SkriptMeldung::Art::Warnung, text}); }
    talerwerk::Antwort Frage(const std::string& text, talerwerk::Knoepfe) override {
        meldungen.push_back({SkriptMeldung::Art::Frage, text});
        if (antworten.empty()) return talerwerk::Antwort::Nein;
        talerwerk::Antwort a = antworten.front();
        antworten.pop_front();
        return a;
    }
    void Piep() override { meldungen.push_back({SkriptMeldung::Art::Piep, {}}); }

    // Texts of the messages of one kind, in order.
    std::vector<std::string> Texte(SkriptMeldung::Art art) const {
        std::vector<std::string> t;
        for (const auto& m : meldungen)
            if (m.art == art) t.push_back(m.text);
        return t;
    }
    void Leeren() { meldungen.clear(); }
};
