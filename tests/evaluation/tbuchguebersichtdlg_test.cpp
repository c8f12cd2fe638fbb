// The booking overview driven headless: the selection pages it shares with the booking list, the
// groupings and options that rebuild the grid, the totals panel with its colours, the caption by
// page, and the print data it keeps for later.

#include <QBrush>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "bookings/filterdaten.h"
#include "bookings/qtauswahlseiten.h"
#include "bookings/tblistedlg.h"
#include "evaluation/qtgridmodell.h"
#include "evaluation/tbuchguebersichtdlg.h"
#include "evaluation/testbuch.h"
#include "printing/qtberichtsdruck.h"
#include "qtpdftext.h"
#include "qtskript.h"
#include "store/betrag.h"
#include "qtfensterhilfe.h"

using namespace talerwerk;
using namespace talerwerk::test;

namespace {

class Uhr2025 : public Uhr {
public:
    int32_t Heute() const override { return Tag(15, 6, 2025); }
};

QStringList Spalte(const QtGridModell& m, int spalte) {
    QStringList t;
    for (int z = 0; z < m.rowCount(); ++z) t << m.data(m.index(z, spalte)).toString();
    return t;
}

}  // namespace

class TBuchgUebersichtDlgTest : public QObject {
    Q_OBJECT

    Datenbestand bestand;
    Einstellungen einstellungen;
    SkriptMeldungen meldungen;
    Uhr2025 uhr;

private slots:
    void init() {
        bestand = KleinesBuch();
        auto dazu = [&](int32_t nr, buchungstyp b) {
            b.IdentNr = nr;
            b.Text = "T" + std::to_string(nr);
            bestand.Buchungen.push_back(b);
        };
        dazu(1, Buchung(Tag(10, 12, 2024), BArtEinnahme, 10000, 1, 10));
        dazu(2, Buchung(Tag(5, 1, 2025), BArtAusgabe, 25000, 1, 21));
        dazu(3, Buchung(Tag(6, 1, 2025), BArtAusgabe, 700, 2, 30, true));
        dazu(4, Buchung(Tag(7, 1, 2025), BArtUmbuchung, 5000, 1, 3));
        buchungstyp filter = talerwerk::Suchmaske(bestand, uhr.Heute());
        filter.Bezeichnung = "Nur Januar";
        filter.Zeitraum = ZeitraumFrei;
        filter.Datum = Tag(1, 1, 2025);
        filter.DatumBis = Tag(31, 1, 2025);
        bestand.Filterliste.push_back(filter);
        BuchungenErneuert(bestand);
    }

    void gruppierungenOptionenUndSummen() {
        TBuchgUebersichtDlg dlg(bestand, einstellungen, meldungen, uhr);
        dlg.Vorbereiten();
        const QtGridModell& m = *dlg.Modell;
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Buchungsübersicht"));
        // Cancelled bookings are left out until the box is ticked.
        QVERIFY(!dlg.stornoChBox->isChecked());
        QVERIFY(!Spalte(m, 0).join(' ').contains(QStringLiteral("0003")));
        QCOMPARE(Spalte(m, 0).first(), QStringLiteral("Einnahmen"));
        QCOMPARE(dlg.EinLabel->text(), QStringLiteral("150,00"));
        QCOMPARE(dlg.AusLabel->text(), QStringLiteral("300,00"));
        QCOMPARE(dlg.SaldotextLabel->text(), QStringLiteral("Saldo (Verlust)"));
        QCOMPARE(dlg.SaldoLabel->text(), QStringLiteral("-150,00"));
        QCOMPARE(dlg.SaldoLabel->palette().color(QPalette::WindowText), FarbeAusEinstellung(einstellungen.Negativ));
        QCOMPARE(dlg.EinLabel->palette().color(QPalette::WindowText), FarbeAusEinstellung(einstellungen.Positiv));
        QVERIFY(!dlg.ZwSummeChBox->isChecked());
        QVERIFY(!dlg.UnterrubrikChBox->isEnabled());
        dlg.stornoChBox->click();
        QVERIFY(Spalte(m, 0).contains(QStringLiteral("0003  ")));
        QCOMPARE(dlg.AusLabel->text(), QStringLiteral("300,00"));  // counted nowhere

        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        // By access keys: grouping by category, with subtotals.
        Zugriffstaste(Qt::Key_U);
        QTRY_VERIFY(dlg.Gruppierung[1]->isChecked());
        QVERIFY(dlg.UnterrubrikChBox->isEnabled());
        QCOMPARE(m.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Rubrik/Gegenkonto"));
        Zugriffstaste(Qt::Key_W);
        QTRY_VERIFY(dlg.ZwSummeChBox->isChecked());
        const QStringList schluessel = Spalte(m, 0);
        QVERIFY(schluessel.contains(QStringLiteral("Haushalt  \\  Lebensmittel")));
        QVERIFY(schluessel.contains(QStringLiteral("Umbuchungen")));
        QVERIFY(schluessel.contains(QStringLiteral("Ausg. real")));
        Bild(&dlg, "uebersicht_rubrik");
        // Subtotal rows on silver, headings bold.
        int zwischen = -1;
        for (int z = 0; z < m.rowCount(); ++z)
            if (m.Zeile(z)->Zeilenart == BuZwischensumme) zwischen = z;
        QVERIFY(zwischen >= 0);
        QCOMPARE(m.data(m.index(zwischen, 0), Qt::BackgroundRole).value<QBrush>().color(), QColor(0xC0, 0xC0, 0xC0));
        QVERIFY(m.data(m.index(0, 0), Qt::FontRole).value<QFont>().bold());
        // Grouping by date: the date column first.
        Zugriffstaste(Qt::Key_A);
        QTRY_VERIFY(!dlg.UnterrubrikChBox->isEnabled());
        QCOMPARE(m.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Datum"));
        QVERIFY(Spalte(m, 0).contains(QStringLiteral("05.01.25")));
        Bild(&dlg, "uebersicht_datum");

        // One account from the tree: the transfer only on its paying side.
        dlg.Gruppierung[0]->click();
        dlg.KontoTreeView->setCurrentItem(Knoten(dlg.KontoTreeView, QStringLiteral("Sparbuch")));
        QCOMPARE(dlg.EinLabel->text(), QStringLiteral("50,00"));
        QCOMPARE(dlg.AusLabel->text(), QStringLiteral("0,00"));
        QCOMPARE(dlg.Uebersicht().Druckkopf.front(), std::string("Konten: Sparbuch"));
        // The print data: every row plus the balance row.
        const auto druck = dlg.Uebersicht().DruckZeilen();
        QCOMPARE(druck.size(), static_cast<size_t>(m.rowCount()) + 1);
        QCOMPARE(druck.back().Zellen[0], std::string("Saldo (Gewinn)"));
        QVERIFY(dlg.DruckBtn->isEnabled());
    }

    void erweiterteSucheMitFilter() {
        TBuchgUebersichtDlg dlg(bestand, einstellungen, meldungen, uhr);
        dlg.Vorbereiten();
        dlg.PageControl1->setCurrentIndex(1);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Buchungsübersicht - Filter anwenden"));
        dlg.FilterTreeView->setCurrentItem(dlg.FilterTreeView->topLevelItem(1));
        QCOMPARE(dlg.FilterBearbBtn->text(), QStringLiteral("Filter bearbeiten"));
        dlg.show();
        Bild(&dlg, "uebersicht_suche");
        // January only: no income, the expense, the cancelled one (the filter takes all) and the transfer.
        QCOMPARE(dlg.EinLabel->text(), QStringLiteral("50,00"));
        QCOMPARE(dlg.AusLabel->text(), QStringLiteral("300,00"));
        // The printout is headed with the filter and its period, not the other page's trees.
        QCOMPARE(dlg.Uebersicht().Druckkopf,
                 (std::vector<std::string>{"Filter: Nur Januar", "Zeitraum: 01.01.2025 - 31.01.2025"}));
        // … and so is the PDF, with the rows as shown: the transfer as both income and expense.
        QTemporaryDir ordner;
        QVERIFY(ordner.isValid());
        QStringList fehler;
        dlg.Druck->Fehler = [&](const QString& t) { fehler << t; };
        dlg.Druck->PdfDateiWaehlen = [&] { return ordner.filePath(QStringLiteral("uebersicht.pdf")); };
        dlg.PdfBtn->click();
        QVERIFY2(fehler.isEmpty(), qPrintable(fehler.join(QStringLiteral("; "))));
        QFile pdf(ordner.filePath(QStringLiteral("uebersicht.pdf")));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QCOMPARE(pdf.read(5), QByteArray("%PDF-"));
        if (const QString text = PdfText(pdf.fileName()); !text.isEmpty()) {
            for (const char* t : {"Buchungsübersicht", "Filter: Nur Januar", "Zeitraum: 01.01.2025 - 31.01.2025", "T2",
                                  "T4", "250,00", "50,00", "Saldo (Verlust)"})
                QVERIFY2(text.contains(QString::fromUtf8(t)), t);
            QVERIFY(!text.contains(QStringLiteral("Konten:")));
            QVERIFY(!text.contains(QStringLiteral("T1")));
        }
        dlg.PageControl1->setCurrentIndex(0);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Buchungsübersicht"));
        QCOMPARE(dlg.Uebersicht().Druckkopf.front(), std::string("Konten: Alle Konten"));
    }

    // A big book: the view makes only the rows asked for, and a row far down shows the texts of
    // its booking, its amount right-aligned in the income colour.
    void eineZeileWeitUntenZeigtIhreBuchung() {
        constexpr int32_t Anzahl = 3000;
        bestand.Buchungen.clear();
        for (int32_t nr = 1; nr <= Anzahl; ++nr) {
            buchungstyp b = Buchung(Tag(1, 1, 2025) + nr % 150, BArtEinnahme, 100 * nr, 1, 10);
            b.IdentNr = nr;
            b.Text = "T" + std::to_string(nr);
            bestand.Buchungen.push_back(b);
        }
        BuchungenErneuert(bestand);
        TBuchgUebersichtDlg dlg(bestand, einstellungen, meldungen, uhr);
        dlg.Vorbereiten();
        const QtGridModell& m = *dlg.Modell;
        // Heading, the bookings by number, no subtotals.
        QCOMPARE(m.rowCount(), Anzahl + 1);
        QVERIFY(m.Daten().Zeilen.empty());
        QCOMPARE(m.Zeilenzahl(), dlg.Uebersicht().Zeilenzahl());
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        dlg.BuchungGrid->scrollToBottom();
        QVERIFY(dlg.BuchungGrid->rowAt(dlg.BuchungGrid->viewport()->height() - 2) > Anzahl - 100);
        const int zeile = Anzahl - 7;   // booking 2993
        const int text = dlg.Uebersicht().Anzeige(BuText);
        const int betrag = dlg.Uebersicht().Anzeige(BuBetrag);
        QCOMPARE(m.data(m.index(zeile, text)).toString(), QStringLiteral("T2993"));
        QCOMPARE(m.data(m.index(zeile, 0)).toString(), QStringLiteral("2993  "));
        QCOMPARE(m.data(m.index(zeile, betrag)).toString(), QString::fromStdString(CentText(299300)));
        QCOMPARE(m.data(m.index(zeile, betrag), Qt::ForegroundRole).value<QBrush>().color(),
                 FarbeAusEinstellung(einstellungen.Positiv));
        QVERIFY(m.data(m.index(zeile, betrag), Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight);
        QCOMPARE(m.Zeile(zeile)->IdentNr, 2993);
        QCOMPARE(m.Zeile(zeile)->Betraege[static_cast<size_t>(betrag)], std::optional<Cent>(299300));
        // Asking for other rows in between does not mix their texts up.
        QCOMPARE(m.Zeile(1)->IdentNr, 1);
        QCOMPARE(m.data(m.index(Anzahl, text)).toString(), QStringLiteral("T3000"));
        QCOMPARE(m.data(m.index(zeile, text)).toString(), QStringLiteral("T2993"));
        QCOMPARE(m.Zeile(0)->Zeilenart, BuUeberschrift);
        QVERIFY(m.Zeile(Anzahl + 1) == nullptr);
        QVERIFY(!m.data(m.index(Anzahl + 1, 0)).isValid());
        // The column widths of the overview stay the fixed ones; nothing measured every row.
        QVERIFY(dlg.BuchungGrid->columnWidth(text) > 0);
    }

    // The model on rows made on demand: one row made once for all cells and roles asked in a row,
    // then the plain grid again when set so.
    void modellMachtJedeZeileEinmal() {
        QtGridModell m(einstellungen);
        int gemacht = 0;
        Grid kopf;
        kopf.Kopf = {"A", "B"};
        m.Setzen(
            kopf,
            [&](size_t i) {
                ++gemacht;
                GridZeile z;
                z.Zellen = {"Zeile " + std::to_string(i), std::to_string(i * 2)};
                z.Daten.Betraege = {std::nullopt, static_cast<Cent>(i)};
                z.Daten.Farben = {Farbklasse::Text, Farbklasse::Negativ};
                return z;
            },
            100000);
        QCOMPARE(m.rowCount(), 100000);
        QCOMPARE(m.columnCount(), 2);
        QCOMPARE(gemacht, 0);
        for (int rolle : {int(Qt::DisplayRole), int(Qt::ForegroundRole), int(Qt::TextAlignmentRole)})
            for (int s = 0; s < 2; ++s) m.data(m.index(99998, s), rolle);
        QCOMPARE(gemacht, 1);
        QCOMPARE(m.data(m.index(99998, 1)).toString(), QStringLiteral("199996"));
        QCOMPARE(m.data(m.index(7, 0)).toString(), QStringLiteral("Zeile 7"));
        QCOMPARE(gemacht, 2);
        QCOMPARE(m.data(m.index(99998, 1), Qt::ForegroundRole).value<QBrush>().color(),
                 FarbeAusEinstellung(einstellungen.Negativ));
        QCOMPARE(gemacht, 3);
        QCOMPARE(m.headerData(1, Qt::Horizontal).toString(), QStringLiteral("B"));

        Grid klein;
        klein.Kopf = {"X"};
        klein.Zeilen.resize(1);
        klein.Zeilen[0].Zellen = {"eins"};
        m.Setzen(klein);
        QCOMPARE(m.rowCount(), 1);
        QCOMPARE(m.data(m.index(0, 0)).toString(), QStringLiteral("eins"));
        QCOMPARE(gemacht, 3);
    }

    void dieSeitenSindDieDerBuchungsliste() {
        // Both windows show the very same widget class for their selection pages.
        TBuchgUebersichtDlg dlg(bestand, einstellungen, meldungen, uhr);
        TBListeDlg liste(bestand, einstellungen, meldungen, uhr);
        QVERIFY(qobject_cast<QtAuswahlseiten*>(dlg.PageControl1));
        QVERIFY(qobject_cast<QtAuswahlseiten*>(liste.PageControl1));
        QCOMPARE(liste.Auswahlseiten()->KontoTreeView, liste.KontoTreeView);
        QCOMPARE(dlg.Auswahlseiten()->FilterTreeView, dlg.FilterTreeView);
    }
};

QTEST_MAIN(TBuchgUebersichtDlgTest)
#include "tbuchguebersichtdlg_test.moc"
