#include "printing/qtberichtsdruck.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "printing/qtpdfausgabe.h"
#include "printing/qtseitengeraet.h"
#include "printing/tallg_hinweisdlg.h"
#include "printing/tdruck1dlg.h"
#include "store/datendatei.h"

using namespace talerwerk;

QtBerichtsdruck::QtBerichtsdruck(Datenbestand& bestand, const Einstellungen& einstellungen, const Uhr& uhr,
                                 QWidget* fenster)
    : QObject(fenster), bestand_(bestand), einstellungen_(einstellungen), uhr_(uhr), fenster_(fenster) {
    Bestaetigung = new TDruck1Dlg(bestand_, fenster);
    Bestaetigung->Drucker = [this] { return &Drucker_(); };
    Bestaetigung->Geaendert = [this] {
        if (Geaendert) Geaendert();
    };
    Hinweis = new TAllg_Hinweis(fenster);
    DruckerWaehlen = [this](QPrinter& drucker) {
        QPrintDialog dlg(&drucker, fenster_);
        dlg.setWindowTitle(QStringLiteral("Drucken"));
        return dlg.exec() == QDialog::Accepted;
    };
    VorschauZeigen = [](QDialog& dlg) { dlg.exec(); };
    PdfDateiWaehlen = [this] {
        return QFileDialog::getSaveFileName(fenster_, QStringLiteral("Als PDF speichern"), QString(),
                                            QStringLiteral("PDF-Dateien (*.pdf)"));
    };
    Fehler = [this](const QString& text) { QMessageBox::warning(fenster_, QStringLiteral("Drucken"), text); };
}

QtBerichtsdruck::~QtBerichtsdruck() = default;

QPrinter& QtBerichtsdruck::Drucker_() {
    if (Drucker)
        if (QPrinter* p = Drucker()) return *p;
    if (!eigener_) eigener_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *eigener_;
}

Druckumgebung QtBerichtsdruck::Umgebung() const { return DruckumgebungAus(bestand_, einstellungen_, uhr_.Heute()); }

bool QtBerichtsdruck::Drucken(const Berichtsanfrage& anfrage) {
    if (!Bestaetigung->DruckBestaetigen(QString::fromUtf8(BerichtsTitel(anfrage.Art)) +
                                        QStringLiteral(" wird gedruckt!")))
        return false;
    QPrinter& drucker = Drucker_();
    if (!DruckerWaehlen(drucker)) return false;
    QtSeitengeraet geraet(drucker);
    geraet.TitelSetzen = [&drucker](const QString& titel) { drucker.setDocName(titel); };
    const Druckergebnis r = BerichtDrucken(geraet, anfrage, Umgebung(), *Hinweis);
    if (!geraet.Abschliessen()) {
        Fehler(QStringLiteral("Der Bericht konnte nicht gedruckt werden."));
        return false;
    }
    return r.Exemplare > 0;
}

void QtBerichtsdruck::Vorschau(const Berichtsanfrage& anfrage) {
    QPrintPreviewDialog dlg(&Drucker_(), fenster_);
    dlg.setWindowTitle(QStringLiteral("Druckvorschau"));
    const Druckumgebung umgebung = Umgebung();
    connect(&dlg, &QPrintPreviewDialog::paintRequested, &dlg, [&anfrage, &umgebung](QPrinter* drucker) {
        QtSeitengeraet geraet(*drucker);
        OhneFortschritt fortschritt;
        BerichtDrucken(geraet, anfrage, umgebung, fortschritt);
        geraet.Abschliessen();
    });
    VorschauZeigen(dlg);
}

bool QtBerichtsdruck::PdfSpeichern(const Berichtsanfrage& anfrage) {
    QString pfad = PdfDateiWaehlen();
    if (pfad.isEmpty()) return false;
    if (QFileInfo(pfad).suffix().isEmpty()) pfad += QStringLiteral(".pdf");
    return PdfSchreibenNach(pfad, anfrage);
}

bool QtBerichtsdruck::PdfSchreibenNach(const QString& pfad, const Berichtsanfrage& anfrage) {
    const std::string ziel = pfad.toStdString();
    // A data file is never replaced by a printout.
    if (QFileInfo(pfad).suffix().compare(QStringLiteral("tlw"), Qt::CaseInsensitive) == 0 ||
        (QFileInfo::exists(pfad) && IstDatendatei(ziel))) {
        Fehler(QStringLiteral("Datei \"%1\" ist eine Datendatei und wird nicht überschrieben!").arg(pfad));
        return false;
    }
    std::string grund;
    if (!PdfSchreiben(ziel, anfrage, Umgebung(), *Hinweis, grund)) {
        Fehler(QStringLiteral("Datei \"%1\" konnte nicht gespeichert werden:\n%2").arg(pfad, QString::fromStdString(grund)));
        return false;
    }
    return true;
}
