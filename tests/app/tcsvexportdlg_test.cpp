// "Als CSV speichern…" of the windows: the file holds what `talerwerk-cli bericht` prints for the same
// selection, with a byte-order mark, and cells a spreadsheet would run as formulas made plain text.

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <fstream>
#include <sstream>

#include "app/bericht.h"
#include "app/qtcsvexport.h"
#include "evaluation/testbuch.h"
#include "evaluation/tgewinnverlustdlg.h"
#include "evaluation/tkontenblattdlg.h"
#include "evaluation/tktostanddlg.h"
#include "store/einstellungen.h"

using namespace talerwerk;
using namespace talerwerk::test;

namespace {

class FesteUhr : public Uhr {
public:
    int32_t Heute() const override { return Tag(20, 3, 2024); }
};

std::string Lesen(const QString& pfad) {
    std::ifstream ein(pfad.toStdString(), std::ios::binary);
    return {std::istreambuf_iterator<char>(ein), {}};
}

// What the command line's report of this kind writes into a file for a spreadsheet.
std::string Bericht(Datenbestand& d, Berichtsfunktion f, const Berichtsoptionen& o, int32_t heute) {
    std::ostringstream aus;
    CsvAusgabe csv(aus, /*formelnSchuetzen=*/true);
    Berichtsfehler fehler;
    if (!f(d, o, heute, csv, fehler)) return "Fehler: " + fehler.Text;
    return "\xEF\xBB\xBF" + aus.str();
}

}  // namespace

class TCsvExportTest : public QObject {
    Q_OBJECT

    QTemporaryDir ordner;
    Datenbestand bestand;
    Einstellungen einstellungen;
    FesteUhr uhr;
    QString ziel;
    QString vorschlag;

private slots:
    void init() {
        bestand = KleinesBuch();
        bestand.Buchungen = {
            Buchung(Tag(15, 1, 2024), BArtEinnahme, 100000, 1, 10),
            Buchung(Tag(2, 2, 2024), BArtUmbuchung, 20000, 1, 3),
            Buchung(Tag(5, 3, 2024), BArtAusgabe, 10000, 2, 30),
            Buchung(Tag(6, 3, 2024), BArtAusgabe, 4550, 1, 21),
        };
        bestand.Buchungen.Aendern(3, [](buchungstyp& b) {
            b.Text = "=HYPERLINK(\"http://x\";\"Rabatt\")";
            b.Belegnr = "-7";
        });
        BuchungenErneuert(bestand);
        ziel = ordner.filePath(QStringLiteral("aus.csv"));
        QFile::remove(ziel);
        CsvZielSetzen([this](QWidget*, const QString& name) {
            vorschlag = name;
            return ziel;
        });
    }
    void cleanup() { CsvZielSetzen({}); }

    void einnahmenAusgabenWieDerBericht() {
        TGewinnVerlustDlg dlg(bestand, einstellungen, uhr);
        dlg.Vorbereiten();
        dlg.CsvBtn->click();
        QCOMPARE(vorschlag, dlg.windowTitle() + QStringLiteral(".csv"));
        const std::string erwartet = Bericht(bestand, EinnahmenAusgabenBericht, {}, uhr.Heute());
        QCOMPARE(Lesen(ziel), erwartet);
        // The transfer row's caption starts with "-": plain text in the file.
        QVERIFY(erwartet.find("\n'- Umbuchungen;") != std::string::npos);
    }

    void kontostaendeWieDerBerichtMitDenSchaltern() {
        TKtoStandDlg dlg(bestand, einstellungen, ordner.filePath(QStringLiteral("x.ini")));
        dlg.SparKtoBtn->setChecked(false);
        dlg.CsvBtn->click();
        QCOMPARE(Lesen(ziel), Bericht(bestand, KontostaendeBericht, {{"--spar", "0"}}, uhr.Heute()));
        QVERIFY(Lesen(ziel).find("Sparbuch") == std::string::npos);
    }

    void kontenblattMitSummenUndOhneFormeln() {
        TKontenblattDlg dlg(bestand, einstellungen, uhr);
        dlg.CsvBtn->click();
        const std::string datei = Lesen(ziel);
        QCOMPARE(datei, Bericht(bestand, KontenblattBericht, {}, uhr.Heute()));
        QVERIFY2(datei.find("\"'=HYPERLINK(\"\"http://x\"\";\"\"Rabatt\"\")\"") != std::string::npos, datei.c_str());
        QVERIFY2(datei.find("# Einnahmen;") != std::string::npos, datei.c_str());
    }

    void abbrechenSchreibtNichts() {
        CsvZielSetzen([](QWidget*, const QString&) { return QString(); });
        TGewinnVerlustDlg dlg(bestand, einstellungen, uhr);
        dlg.Vorbereiten();
        QVERIFY(!CsvExportieren(&dlg, QStringLiteral("x"), [](CsvAusgabe& aus) { aus.Titel("x"); }));
        QVERIFY(!QFile::exists(ziel));
    }
};

QTEST_MAIN(TCsvExportTest)
#include "tcsvexportdlg_test.moc"
