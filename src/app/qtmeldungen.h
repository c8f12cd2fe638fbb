#pragma once
// The program's message boxes over QMessageBox. The core reports through talerwerk::Meldungen;
// this is the implementation the desktop program hands it.
//
//   QtMeldungen meldungen(hauptfenster);       // parent may be changed later with SetzeEltern
//   meldungen.Fehler("Ungültige Datei!\rÖffnen nicht möglich!");
//   if (meldungen.Frage(text, talerwerk::Knoepfe::JaNein) == talerwerk::Antwort::Ja) …
//
// Every box carries the window title "Talerwerk"; "\r" in a text becomes a line break.

#include <QPointer>
#include <QString>
#include <QWidget>

#include "store/ports.h"

class QtMeldungen : public talerwerk::Meldungen {
public:
    explicit QtMeldungen(QWidget* eltern = nullptr) : eltern_(eltern) {}

    // The window the boxes are centred on and modal to (nullptr: application modal).
    void SetzeEltern(QWidget* eltern) { eltern_ = eltern; }
    QWidget* Eltern() const { return eltern_; }

    void Fehler(const std::string& text) override;
    void Information(const std::string& text) override;
    void Warnung(const std::string& text) override;
    // JaNein: "&Ja"/"&Nein"; JaNeinAbbrechen adds "Abbrechen"; JaNeinAbbrechenAlle adds "&Alle";
    // JaNeinAlles is "&Ja"/"&Nein"/"&Alles" (answer Antwort::Alle). Closing the box with Escape or
    // the title bar gives Abbrechen where offered, else Nein.
    talerwerk::Antwort Frage(const std::string& text, talerwerk::Knoepfe knoepfe) override;
    void Piep() override;

    // The program's text as shown in a box: UTF-8 decoded, "\r\n" and "\r" as line breaks.
    static QString AnzeigeText(const std::string& text);

private:
    QPointer<QWidget> eltern_;
};
