#pragma once
// The three print commands of a window that shows a report: "&Drucken" (the confirmation, the
// printer dialog, the pages with the progress notice), "Druckvorschau…" and "Als PDF speichern…".
// All three lay out the same pages through the same engine; only the device differs.
//
//   druck_ = new QtBerichtsdruck(bestand, einstellungen, uhr, this);
//   connect(DruckBtn, &QPushButton::clicked, this, [this] { druck_->Drucken(Anfrage()); });

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

#include "printing/berichtsdruck.h"
#include "store/ports.h"

class QDialog;
class QPrinter;
class QWidget;
class TAllg_Hinweis;
class TDruck1Dlg;

class QtBerichtsdruck : public QObject {
    Q_OBJECT
public:
    QtBerichtsdruck(talerwerk::Datenbestand& bestand, const talerwerk::Einstellungen& einstellungen,
                    const talerwerk::Uhr& uhr, QWidget* fenster);
    ~QtBerichtsdruck() override;

    // Confirmation, printer dialog, print. False when cancelled or nothing was printed.
    bool Drucken(const talerwerk::Berichtsanfrage& anfrage);
    void Vorschau(const talerwerk::Berichtsanfrage& anfrage);
    // Asks for a file name and writes the PDF; false when cancelled or failed (with a message).
    bool PdfSpeichern(const talerwerk::Berichtsanfrage& anfrage);
    // The same without asking.
    bool PdfSchreibenNach(const QString& pfad, const talerwerk::Berichtsanfrage& anfrage);

    // The program's printer (the one "Druckereinrichtung" sets up); an own one when unset.
    std::function<QPrinter*()> Drucker;
    // The steps that wait for the user; tests replace them. Defaults: QPrintDialog, the preview
    // dialog run modally, QFileDialog, a warning box.
    std::function<bool(QPrinter&)> DruckerWaehlen;
    std::function<void(QDialog&)> VorschauZeigen;
    std::function<QString()> PdfDateiWaehlen;
    std::function<void(const QString&)> Fehler;
    // After the page settings changed in the confirmation (the file counts as modified).
    std::function<void()> Geaendert;

    TDruck1Dlg* Bestaetigung = nullptr;
    TAllg_Hinweis* Hinweis = nullptr;

private:
    QPrinter& Drucker_();
    talerwerk::Druckumgebung Umgebung() const;

    talerwerk::Datenbestand& bestand_;
    const talerwerk::Einstellungen& einstellungen_;
    const talerwerk::Uhr& uhr_;
    QWidget* fenster_;
    std::unique_ptr<QPrinter> eigener_;
};
