// The print dialogs driven headless: the page setup, the print confirmation with its way to the
// page setup, the progress notice and its abort, and the print commands of an evaluation window
// (printer, preview, PDF) with the printer writing to a file.

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "evaluation/testbuch.h"
#include "evaluation/trubrktodlg.h"
#include "printing/qtberichtsdruck.h"
#include "printing/tallg_hinweisdlg.h"
#include "printing/tdruck1dlg.h"
#include "printing/tdruckdlg.h"
#include "printing/testgeraet.h"

using namespace talerwerk;
using namespace talerwerk::test;

namespace {

class FesteUhr : public Uhr {
public:
    int32_t Heute() const override { return Tag(20, 3, 2024); }
};

// The page setup with its font and colour dialogs answered.
class SkriptDruckDlg : public TDruckDlg {
public:
    std::optional<QFont> Schrift;
    std::optional<QColor> Farbe;

protected:
    std::optional<QFont> SchriftWaehlen(const QFont&) override { return Schrift; }
    std::optional<QColor> FarbeWaehlen(const QColor&) override { return Farbe; }
};

// Clicks the button once the modal dialog runs.
void SpaeterKlicken(QPushButton* knopf) {
    QTimer::singleShot(0, knopf, [knopf] {
        QWidget* dlg = knopf->window();
        (void)QTest::qWaitForWindowExposed(dlg);
        knopf->click();
    });
}

Datenbestand Buch() {
    Datenbestand d = KleinesBuch();
    d.Buchungen = {
        Buchung(Tag(15, 1, 2024), BArtEinnahme, 123456, 1, 10),
        Buchung(Tag(2, 2, 2024), BArtAusgabe, 4321, 1, 21),
    };
    Durchnummerieren(d);
    return d;
}

// With TALERWERK_BILDER set, the window is saved there as a picture for a look by eye.
void Bild(QWidget& w, const QString& name) {
    if (qEnvironmentVariableIsEmpty("TALERWERK_BILDER")) return;
    w.show();
    QApplication::processEvents();
    w.grab().save(qEnvironmentVariable("TALERWERK_BILDER") + QLatin1Char('/') + name + QStringLiteral(".png"));
}

QByteArray Kopf(const QString& pfad) {
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.read(5);
}

}  // namespace

class TDruckDlgTest : public QObject {
    Q_OBJECT

private slots:
    void seiteEinrichtenLaedtUndSchreibtZurueck() {
        druckereinstellungtyp s;
        s.Ausrichtung = 0;
        s.RandLinks = 30;
        s.Exemplare = 2;
        s.Trennlinien = false;
        s.Mandantendaten = true;
        SkriptDruckDlg dlg;
        dlg.Laden(s);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Seite einrichten"));
        QVERIFY(dlg.HochRBtn->isChecked());
        QVERIFY(!dlg.HochBild->isHidden());
        QVERIFY(dlg.QuerBild->isHidden());
        Bild(dlg, QStringLiteral("seite_einrichten"));
        dlg.hide();
        QCOMPARE(dlg.LinksEdit->value(), 30);
        QVERIFY(!dlg.LinienChBox->isChecked());
        QVERIFY(dlg.MandantChBox->isChecked());
        QVERIFY(!dlg.MandantChBox->isEnabled());

        // Landscape shows its picture; 0 margins and 0 copies are accepted; a new font and colour.
        dlg.QuerRBtn->setChecked(true);
        QVERIFY(dlg.HochBild->isHidden());
        QVERIFY(!dlg.QuerBild->isHidden());
        dlg.UntenEdit->setValue(0);
        dlg.ExemplarEdit->setValue(0);
        dlg.LinienChBox->setChecked(true);
        QFont serif(QStringLiteral("DejaVu Serif"), 14);
        serif.setBold(true);
        dlg.Schrift = serif;
        dlg.Farbe = QColor(0x12, 0x34, 0x56);
        dlg.SchriftBrn->click();
        dlg.FarbeBtn->click();
        QVERIFY(dlg.SchriftLabel->text().contains(QStringLiteral("DejaVu Serif")));
        // Cancel keeps the settings as they were, the font chosen included.
        druckereinstellungtyp kopie = s;
        SpaeterKlicken(dlg.BitBtn1);
        QVERIFY(!dlg.SeiteEinrichten(kopie));
        QVERIFY(kopie == s);

        // OK writes every control back.
        dlg.Laden(s);
        dlg.QuerRBtn->setChecked(true);
        dlg.UntenEdit->setValue(0);
        dlg.ExemplarEdit->setValue(0);
        dlg.SchriftBrn->click();
        dlg.FarbeBtn->click();
        dlg.Uebernehmen(kopie);
        QCOMPARE(kopie.Ausrichtung, 1);
        QCOMPARE(kopie.RandUnten, 0);
        QCOMPARE(kopie.Exemplare, 0);
        QCOMPARE(kopie.RandLinks, 30);
        QCOMPARE(QString::fromStdString(kopie.Schriftart), QStringLiteral("DejaVu Serif"));
        QCOMPARE(kopie.Schriftgroesse, 14);
        QVERIFY(kopie.Schriftstil[0]);
        QCOMPARE(kopie.Schriftfarbe, 0x563412);
        QVERIFY(kopie.Mandantendaten);

        druckereinstellungtyp ok = s;
        dlg.Schrift.reset();  // the font dialog cancelled: the font stays
        SpaeterKlicken(dlg.OkBtn);
        QVERIFY(dlg.SeiteEinrichten(ok));
        QCOMPARE(ok.RandLinks, 30);
        QCOMPARE(ok.Exemplare, 2);
        QCOMPARE(ok.Schriftart, s.Schriftart);
    }

    void bestaetigungMitEinrichtenMachtDieDateiGeaendert() {
        Datenbestand d = Buch();
        TDruck1Dlg dlg(d);
        int geaendert = 0;
        dlg.Geaendert = [&] { ++geaendert; };
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Drucken von Übersichten"));
        QTimer::singleShot(0, &dlg, [&] {
            (void)QTest::qWaitForWindowExposed(&dlg);
            QTimer::singleShot(0, dlg.Einrichtung, [&] {
                (void)QTest::qWaitForWindowExposed(dlg.Einrichtung);
                dlg.Einrichtung->ExemplarEdit->setValue(3);
                dlg.Einrichtung->OkBtn->click();
            });
            dlg.EinrichtenBtn->click();
            dlg.BitBtn2->click();  // the print itself is cancelled
        });
        QVERIFY(!dlg.DruckBestaetigen(QStringLiteral("Rubrik-Konto-Übersicht wird gedruckt!")));
        QCOMPARE(dlg.BerichtnameLabel->text(), QStringLiteral("Rubrik-Konto-Übersicht wird gedruckt!"));
        QVERIFY(d.Geaendert);
        QCOMPARE(geaendert, 1);
        QCOMPARE(d.Druckereinstellung.Exemplare, 3);

        d.Geaendert = false;
        SpaeterKlicken(dlg.BitBtn1);
        QVERIFY(dlg.DruckBestaetigen(QStringLiteral("x")));
        QVERIFY(!d.Geaendert);
    }

    void hinweisBrichtZwischenDenSeitengruppenAb() {
        TAllg_Hinweis hinweis;
        hinweis.Zeigen();
        QVERIFY(hinweis.isVisible());
        QVERIFY(!hinweis.DruckAbgebrochen());
        hinweis.AbbruchBtn->click();
        hinweis.AbbruchBtn->click();
        QVERIFY(hinweis.DruckAbgebrochen());
        QCOMPARE(hinweis.HinweisText->text(), QStringLiteral("Druck wurde abgebrochen, Bitte Geduld..."));
        hinweis.Text("Exemplar 2 wird gedruckt");
        QCOMPARE(hinweis.HinweisText->text(), QStringLiteral("Druck wurde abgebrochen, Bitte Geduld..."));
        hinweis.Verbergen();
        QVERIFY(!hinweis.isVisible());

        // A click that arrives while the pages are made is heard at the next check.
        Datenbestand d = Buch();
        for (int i = 0; i < 30; ++i) d.Konten.push_back(Konto(100 + i, ArtBestandskonto, "Konto " + std::to_string(i)));
        d.Druckereinstellung.Exemplare = 2;
        RubrikTabellenOptionen o;
        o.Zeitraum.Bezeichnung = "Gesamter Zeitraum";
        TestGeraet g;
        int gruppen = 0;
        QTimer::singleShot(0, hinweis.AbbruchBtn, [&] { hinweis.AbbruchBtn->click(); });
        const Druckergebnis r = BerichtDrucken(g, RubrikKontoDruck(d, o), DruckumgebungAus(d, Einstellungen{}, 0), hinweis);
        gruppen = r.Seiten;
        QVERIFY(r.Abgebrochen);
        QCOMPARE(g.Dokumente, 1);
        QVERIFY(!g.Offen);
        QVERIFY(gruppen <= 1);
        QVERIFY(!hinweis.isVisible());
    }

    void fensterDruckenVorschauUndPdf() {
        Datenbestand d = Buch();
        Einstellungen e;
        FesteUhr uhr;
        TRubrKtoDlg dlg(d, e, uhr);
        dlg.Vorbereiten();
        QVERIFY(dlg.BitBtn4->isEnabled());
        QVERIFY(dlg.BitBtn4->toolTip().isEmpty());
        Bild(dlg, QStringLiteral("rubrik_konto"));
        dlg.Druck->Bestaetigung->BerichtnameLabel->setText(QStringLiteral("Rubrik-Konto-Übersicht wird gedruckt!"));
        Bild(*dlg.Druck->Bestaetigung, QStringLiteral("bestaetigung"));
        dlg.Druck->Bestaetigung->hide();
        dlg.Druck->Hinweis->Text("Bericht wird gedruckt");
        dlg.Druck->Hinweis->Stand(45);
        Bild(*dlg.Druck->Hinweis, QStringLiteral("hinweis"));
        dlg.Druck->Hinweis->hide();
        dlg.hide();
        QCOMPARE(dlg.VorschauBtn->text(), QStringLiteral("Druck&vorschau…"));
        QCOMPARE(dlg.PdfBtn->text(), QStringLiteral("Als &PDF speichern…"));
        QTemporaryDir ordner;
        QVERIFY(ordner.isValid());

        // PDF: the name gets its ending, the file its pages.
        QStringList fehler;
        dlg.Druck->Fehler = [&](const QString& t) { fehler << t; };
        dlg.Druck->PdfDateiWaehlen = [&] { return ordner.filePath(QStringLiteral("bericht")); };
        dlg.PdfBtn->click();
        QCOMPARE(Kopf(ordner.filePath(QStringLiteral("bericht.pdf"))), QByteArray("%PDF-"));
        // Never over a data file.
        dlg.Druck->PdfDateiWaehlen = [&] { return ordner.filePath(QStringLiteral("buch.tlw")); };
        dlg.PdfBtn->click();
        QCOMPARE(fehler.size(), 1);
        QVERIFY(!QFile::exists(ordner.filePath(QStringLiteral("buch.tlw"))));

        // Preview: the same pages on the preview's printer.
        int seiten = 0;
        dlg.Druck->VorschauZeigen = [&](QDialog& vorschau) {
            vorschau.show();
            auto* w = vorschau.findChild<QPrintPreviewWidget*>();
            QVERIFY(w);
            w->updatePreview();
            QApplication::processEvents();
            seiten = w->pageCount();
            if (!qEnvironmentVariableIsEmpty("TALERWERK_BILDER"))
                vorschau.grab().save(qEnvironmentVariable("TALERWERK_BILDER") + QStringLiteral("/vorschau.png"));
            vorschau.close();
        };
        dlg.VorschauBtn->click();
        QVERIFY(seiten >= 1);

        // Printing: the confirmation first, then the printer (writing a file here).
        QPrinter drucker(QPrinter::HighResolution);
        dlg.Druck->Drucker = [&] { return &drucker; };
        int gewaehlt = 0;
        dlg.Druck->DruckerWaehlen = [&](QPrinter& p) {
            ++gewaehlt;
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(ordner.filePath(QStringLiteral("drucker.pdf")));
            return true;
        };
        SpaeterKlicken(dlg.Druck->Bestaetigung->BitBtn2);  // cancelled: the printer is not asked
        dlg.BitBtn4->click();
        QCOMPARE(gewaehlt, 0);
        SpaeterKlicken(dlg.Druck->Bestaetigung->BitBtn1);
        dlg.BitBtn4->click();
        QCOMPARE(gewaehlt, 1);
        QCOMPARE(dlg.Druck->Bestaetigung->BerichtnameLabel->text(), QStringLiteral("Rubrik-Konto-Übersicht wird gedruckt!"));
        QCOMPARE(Kopf(ordner.filePath(QStringLiteral("drucker.pdf"))), QByteArray("%PDF-"));
        QCOMPARE(drucker.docName(), QStringLiteral("TLW - Berichtsdruck"));
        QVERIFY(fehler.size() == 1);
    }
};

QTEST_MAIN(TDruckDlgTest)
#include "tdruckdlg_test.moc"
