// The overall development driven headless: the table per account with its "Gesamt" row, the
// radio groups that recompute it, the chart that follows the window's size and clips its
// drawing, saving the chart as PNG and SVG, and the print button left for later.

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "evaluation/qtgridmodell.h"
#include "evaluation/tdiagrammbild.h"
#include "evaluation/testbuch.h"
#include "printing/qtberichtsdruck.h"
#include "qtpdftext.h"
#include "evaluation/tgesentwdlg.h"
#include "qtskript.h"
#include "qtfensterhilfe.h"

using namespace talerwerk;
using namespace talerwerk::test;

namespace {

class Uhr2025 : public Uhr {
public:
    int32_t Heute() const override { return Tag(15, 6, 2025); }
};

QStringList Zeile(const QtGridModell& m, int zeile) {
    QStringList t;
    for (int s = 0; s < m.columnCount(); ++s) t << m.data(m.index(zeile, s)).toString();
    return t;
}

}  // namespace

class TGesEntwDlgTest : public QObject {
    Q_OBJECT

    Datenbestand bestand;
    Einstellungen einstellungen;
    SkriptMeldungen meldungen;
    Uhr2025 uhr;

private slots:
    void init() {
        bestand = KleinesBuch();
        bestand.Mandant.Text4 = "EUR";
        bestand.Buchungen = {
            Buchung(Tag(15, 3, 2024), BArtEinnahme, 200000, 1, 10),
            Buchung(Tag(20, 3, 2024), BArtAusgabe, 50000, 1, 21),
            Buchung(Tag(5, 2, 2025), BArtAusgabe, 12345, 2, 30),
        };
        BuchungenErneuert(bestand);
    }

    void tabelleUndUmschalten() {
        TGesEntwDlg dlg(bestand, einstellungen, meldungen, uhr);
        dlg.Vorbereiten();
        const QtGridModell& m = *dlg.Modell;
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Gesamtentwicklung -  Gesamter Zeitraum - Alle Konten"));
        QVERIFY(dlg.JaehrlichRBtn->isChecked());
        QCOMPARE(dlg.HinweisLabel1->text(), QStringLiteral("Kontostände"));
        QCOMPARE(m.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Anf.-stand"));
        QCOMPARE(Zeile(m, 3), QStringList({"Gesamt", "1.500,00", "3.000,00", "2.876,55"}));
        // The years-only period tree, and the "Gesamt" row bold on silver.
        QVERIFY(Knoten(dlg.ZeitTreeView, QStringLiteral("Jahr 2024")));
        QVERIFY(!Knoten(dlg.ZeitTreeView, QStringLiteral("März 2024")));
        QVERIFY(m.data(m.index(3, 1), Qt::FontRole).value<QFont>().bold());
        QCOMPARE(m.data(m.index(1, 3), Qt::ForegroundRole).value<QBrush>().color(), FarbeAusEinstellung(einstellungen.Negativ));

        // "&Saldo" by its access key on the table page: results and the "Gesamtsaldo" column.
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        Zugriffstaste(Qt::Key_S);
        QTRY_VERIFY(dlg.SaldoRBtn->isChecked());
        QCOMPARE(dlg.HinweisLabel1->text(), QStringLiteral("Saldo (Gewinn und Verlust)"));
        QCOMPARE(m.headerData(m.columnCount() - 1, Qt::Horizontal).toString(), QStringLiteral("Gesamtsaldo"));
        QCOMPARE(Zeile(m, 3), QStringList({"Gesamt", "1.500,00", "1.500,00", "-123,45", "1.376,55"}));
        Bild(&dlg, "gesamtentwicklung_saldo");
        Zugriffstaste(Qt::Key_M);
        QTRY_VERIFY(dlg.MonatlichRBtn->isChecked());
        QCOMPARE(m.headerData(2, Qt::Horizontal).toString(), QStringLiteral("März 2024"));
        // A single account from the tree.
        dlg.KontoTreeView->setCurrentItem(Knoten(dlg.KontoTreeView, QStringLiteral("Sparbuch")));
        QCOMPARE(m.rowCount(), 2);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Gesamtentwicklung -  Gesamter Zeitraum - Sparbuch"));

        // The printout is the table as shown: the account's rows, one column per month.
        QVERIFY(dlg.BitBtn4->isEnabled());
        QTemporaryDir ordner;
        QVERIFY(ordner.isValid());
        QStringList fehler;
        dlg.Druck->Fehler = [&](const QString& t) { fehler << t; };
        dlg.Druck->PdfDateiWaehlen = [&] { return ordner.filePath(QStringLiteral("entwicklung.pdf")); };
        dlg.PdfBtn->click();
        QVERIFY2(fehler.isEmpty(), qPrintable(fehler.join(QStringLiteral("; "))));
        QFile pdf(ordner.filePath(QStringLiteral("entwicklung.pdf")));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QCOMPARE(pdf.read(5), QByteArray("%PDF-"));
        if (const QString text = PdfText(pdf.fileName()); !text.isEmpty()) {
            for (const char* t : {"Gesamtentwicklung", "Sparbuch", "Saldo (Gewinn und Verlust)", "Anf.-stand", "Gesamt",
                                  "1.000,00"})
                QVERIFY2(text.contains(QString::fromUtf8(t)), t);
            QVERIFY(!text.contains(QStringLiteral("Girokonto")));
        }
    }

    void diagrammFolgtDemFensterUndSpeichert() {
        TGesEntwDlg dlg(bestand, einstellungen, meldungen, uhr);
        dlg.Vorbereiten();
        dlg.resize(900, 600);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        dlg.PageControl1->setCurrentIndex(1);
        QCOMPARE(dlg.HinweisLabel2->text(), QStringLiteral("Kontostände und Saldo"));
        TDiagrammBild* bild = dlg.DiagrammImage;
        const QSize vorher = bild->size();
        dlg.resize(1100, 700);
        QTRY_VERIFY(bild->size().width() > vorher.width());
        const Diagramm c = bild->Geometrie();
        Bild(&dlg, "gesamtentwicklung_diagramm");
        QCOMPARE(c.Breite, bild->width() - c.Rand - c.Links);

        // By pixels: the first bar (a gain) in the positive colour, the zero line black, white
        // above the top of the plot.
        const QImage aufnahme = bild->grab().toImage();
        const Diagramm::Saeule& s = c.Saeulen.at(0);
        QCOMPARE(QColor(aufnahme.pixel(s.X + s.Breite / 2, (s.Y1 + s.Y2) / 2)), FarbeAusEinstellung(einstellungen.Positiv));
        QCOMPARE(QColor(aufnahme.pixel(c.Links + 3, c.Nulllinie)), QColor(Qt::black));
        QCOMPARE(QColor(aufnahme.pixel(c.Links + c.Breite / 2, 2)), QColor(Qt::white));
        // Only results: the 2025 loss bar in the negative colour.
        dlg.SaldoRBtn2->click();
        QCOMPARE(dlg.HinweisLabel2->text(), QStringLiteral("Saldo (Gewinn und Verlust)"));
        const Diagramm saldo = bild->Geometrie();
        Bild(&dlg, "gesamtentwicklung_diagramm_saldo");
        QVERIFY(saldo.Linie.empty());
        const QImage rot = bild->grab().toImage();
        const Diagramm::Saeule& v = saldo.Saeulen.at(1);
        QVERIFY(!v.Positiv);
        QCOMPARE(QColor(rot.pixel(v.X + v.Breite / 2, (v.Y1 + v.Y2) / 2)), FarbeAusEinstellung(einstellungen.Negativ));

        QTemporaryDir ordner;
        const QString png = ordner.filePath(QStringLiteral("bild.png"));
        const QString svg = ordner.filePath(QStringLiteral("bild.svg"));
        QVERIFY(dlg.DiagrammSpeichern(png));
        QVERIFY(dlg.DiagrammSpeichern(svg));
        QImage gelesen(png);
        QCOMPARE(gelesen.size(), bild->size());
        QCOMPARE(QColor(gelesen.pixel(v.X + v.Breite / 2, (v.Y1 + v.Y2) / 2)), FarbeAusEinstellung(einstellungen.Negativ));
        QFile f(svg);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray inhalt = f.readAll();
        QVERIFY(inhalt.contains("<svg"));
        QVERIFY(inhalt.contains("2025"));
        // A folder that does not exist: an error, nothing claimed.
        QVERIFY(!dlg.DiagrammSpeichern(ordner.filePath(QStringLiteral("fehlt/bild.png"))));
        QCOMPARE(meldungen.Texte(SkriptMeldung::Art::Fehler).size(), size_t{1});
    }

    void zeichnungBleibtImBereich() {
        // A value above the scale top (1,50 over a top of 1) in a tiny chart: nothing is drawn
        // above the plot area, and a long month range in a narrow chart draws without fault.
        TDiagrammBild bild;
        Gesamtentwicklung g;
        g.Staende = {150};
        g.Ergebnisse = {150};
        g.Achsentexte = {"2025"};
        bild.Setzen(g, DiagrammAnzeige::Beides, Qt::blue, Qt::red, QStringLiteral("EUR"));
        bild.resize(200, 160);
        QImage img(bild.size(), QImage::Format_RGB32);
        {
            QPainter p(&img);
            bild.Zeichnen(p, img.size());
        }
        const Diagramm c = bild.Geometrie(img.size());
        QCOMPARE(c.Skala, 1);
        QVERIFY(c.Linie.back().Y < c.Oben);
        // Above the plot: no bar colour anywhere, and white where the line and the bar would
        // rise past the top.
        for (int y = 0; y < c.Oben; ++y) {
            for (int x = c.Links + 1; x < img.width(); ++x) QVERIFY(QColor(img.pixel(x, y)) != QColor(Qt::blue));
            for (int x = c.Linie.back().X - 3; x <= c.Linie.back().X + 3; ++x)
                QCOMPARE(QColor(img.pixel(x, y)), QColor(Qt::white));
        }
        // Inside the plot the bar stands up to its top.
        QCOMPARE(QColor(img.pixel(c.Saeulen[0].X + 2, c.Oben + 1)), QColor(Qt::blue));
        Gesamtentwicklung lang;
        for (int i = 0; i < 600; ++i) {
            lang.Staende.push_back(i * 1000);
            lang.Ergebnisse.push_back(1000);
            lang.Achsentexte.push_back("01/2000");
        }
        bild.Setzen(lang, DiagrammAnzeige::Beides, Qt::blue, Qt::red, QStringLiteral("EUR"));
        QImage schmal(QSize(170, 120), QImage::Format_RGB32);
        QPainter p(&schmal);
        bild.Zeichnen(p, schmal.size());
        QVERIFY(bild.Geometrie(schmal.size()).Schritt >= 1);
    }
};

QTEST_MAIN(TGesEntwDlgTest)
#include "tgesentwdlg_test.moc"
