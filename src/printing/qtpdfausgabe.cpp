#include "printing/qtpdfausgabe.h"

#include <QGuiApplication>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>

#include <cstdio>

#include "printing/qtseitengeraet.h"

namespace talerwerk {

bool PdfSchreiben(const std::string& pfad, const Berichtsanfrage& anfrage, const Druckumgebung& umgebung,
                  Druckfortschritt& fortschritt, std::string& fehler) {
    if (umgebung.Seite.Exemplare <= 0) {
        fehler = "Die Seiteneinstellung verlangt 0 Exemplare: es wurde nichts gedruckt.";
        return false;
    }
    QSaveFile datei(QString::fromStdString(pfad));
    if (!datei.open(QIODevice::WriteOnly)) {
        fehler = datei.errorString().toStdString();
        return false;
    }
    bool gut = false;
    {
        QPdfWriter pdf(&datei);
        pdf.setResolution(600);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setCreator(QStringLiteral("Talerwerk"));
        QtSeitengeraet geraet(pdf);
        geraet.TitelSetzen = [&pdf](const QString& titel) { pdf.setTitle(titel); };
        BerichtDrucken(geraet, anfrage, umgebung, fortschritt);
        gut = geraet.Abschliessen();
    }
    if (!gut) {
        datei.cancelWriting();
        fehler = "Die PDF-Datei konnte nicht erzeugt werden.";
        return false;
    }
    if (!datei.commit()) {
        fehler = datei.errorString().toStdString();
        return false;
    }
    return true;
}

GuiSitzung::GuiSitzung() {
    if (QCoreApplication::instance()) return;
    // Qt's notes about the platform (no runtime folder, no session) are no errors of the command.
    qInstallMessageHandler([](QtMsgType art, const QMessageLogContext&, const QString& text) {
        if (art == QtCriticalMsg || art == QtFatalMsg) fprintf(stderr, "%s\n", qPrintable(text));
    });
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "talerwerk-cli";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QGuiApplication>(argc, argv);
}

GuiSitzung::~GuiSitzung() = default;

}  // namespace talerwerk
