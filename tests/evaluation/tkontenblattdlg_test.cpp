// The account sheet driven headless: what it shows first, that every choice recomputes, that a
// double-click or Enter opens the row's whole booking number, refreshes from outside, and the
// table model's colours and alignment.

#include <QButtonGroup>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QDialog>
#include <QFile>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "evaluation/kontenblatt.h"
#include "evaluation/qtgridmodell.h"
#include "evaluation/testbuch.h"
#include "evaluation/tkontenblattdlg.h"
#include "printing/qtberichtsdruck.h"
#include "printing/tdruck1dlg.h"
#include "qtpdftext.h"
#include "qtfensterhilfe.h"

using namespace talerwerk;
using namespace talerwerk::test;

namespace {

class FesteUhr : public Uhr {
public:
    int32_t Heute() const override { return Tag(20, 3, 2024); }
};

buchungstyp Nummeriert(int32_t nr, buchungstyp b) {
    b.IdentNr = nr;
    return b;
}

// Girokonto: income 1.000,00, expense 50,00 (booking 12345), transfer of 200,00 to the
// Sparbuch, a cancelled expense of 30,00; Bargeld: one expense of 10,00.
Datenbestand Buch() {
    Datenbestand d = KleinesBuch();
    d.Buchungen = {
        Nummeriert(7, Buchung(Tag(15, 1, 2024), BArtEinnahme, 100000, 1, 10)),
        Nummeriert(12345, Buchung(Tag(2, 1, 2024), BArtAusgabe, 5000, 1, 21)),
        Nummeriert(20, Buchung(Tag(1, 2, 2024), BArtUmbuchung, 20000, 1, 3)),
        Nummeriert(21, Buchung(Tag(10, 2, 2024), BArtAusgabe, 3000, 1, 30, /*storniert=*/true)),
        Nummeriert(22, Buchung(Tag(5, 3, 2024), BArtAusgabe, 1000, 2, 30)),
    };
    BuchungenErneuert(d);
    return d;
}

int ZeileMitNummer(const QtGridModell& m, int32_t nr) {
    for (int i = 0; i < m.rowCount(); ++i)
        if (m.Zeile(i)->IdentNr == nr) return i;
    return -1;
}

int ZeileDerArt(const QtGridModell& m, int32_t art) {
    for (int i = 0; i < m.rowCount(); ++i)
        if (m.Zeile(i)->Zeilenart == art) return i;
    return -1;
}

void Doppelklick(QTableView* view, int zeile) {
    const QRect r = view->visualRect(view->model()->index(zeile, 1));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, r.center());
}

// Clicks the button once the modal dialog runs.
void SpaeterKlicken(QPushButton* knopf) {
    QTimer::singleShot(0, knopf, [knopf] {
        (void)QTest::qWaitForWindowExposed(knopf->window());
        knopf->click();
    });
}

}  // namespace

class TKontenblattDlgTest : public QObject {
    Q_OBJECT

    Datenbestand bestand;
    Einstellungen einstellungen;
    FesteUhr uhr;

private slots:
    void init() {
        bestand = Buch();
        einstellungen = Einstellungen{};
    }

    void oeffnetMitErstemKontoUndGanzemZeitraum() {
        TKontenblattDlg dlg(bestand, einstellungen, uhr);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        // Bestandskonten first, then Sparkonten, in chart order.
        QCOMPARE(dlg.KontoTreeView->topLevelItemCount(), 3);
        QCOMPARE(dlg.KontoTreeView->topLevelItem(0)->text(0), QStringLiteral("Girokonto"));
        QCOMPARE(dlg.KontoTreeView->topLevelItem(2)->text(0), QStringLiteral("Sparbuch"));
        QCOMPARE(dlg.KontoTreeView->currentItem()->text(0), QStringLiteral("Girokonto"));
        QCOMPARE(dlg.ZeitTreeView->currentItem()->text(0), QStringLiteral("Gesamter Zeitraum"));
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Kontenblatt -  Gesamter Zeitraum - Girokonto"));
        QVERIFY(dlg.SortiertKnopf[0]->isChecked());
        QVERIFY(dlg.ZwSummeChBox->isChecked() && !dlg.stornoChBox->isChecked());
        QCOMPARE(dlg.EinLabel->text(), QStringLiteral("1.000,00"));
        QCOMPARE(dlg.AusLabel->text(), QStringLiteral("250,00"));
        QCOMPARE(dlg.SaldoLabel->text(), QStringLiteral("750,00"));
        QCOMPARE(dlg.SaldotextLabel->text(), QStringLiteral("Saldo (Gewinn)"));
        // The keyboard starts in the account tree.
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dlg.KontoTreeView));
    }

    void jedeWahlRechnetNeu() {
        TKontenblattDlg dlg(bestand, einstellungen, uhr);
        dlg.show();
        // Another account: the other account's rows, totals and caption.
        dlg.KontoTreeView->setCurrentItem(Knoten(dlg.KontoTreeView, QStringLiteral("Bargeld")));
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Kontenblatt -  Gesamter Zeitraum - Bargeld"));
        QCOMPARE(dlg.AusLabel->text(), QStringLiteral("10,00"));
        QCOMPARE(dlg.SaldotextLabel->text(), QStringLiteral("Saldo (Verlust)"));
        QCOMPARE(dlg.SaldoLabel->palette().color(QPalette::WindowText), FarbeAusEinstellung(einstellungen.Negativ));
        QVERIFY(ZeileMitNummer(*dlg.Modell, 22) >= 0);
        QCOMPARE(ZeileMitNummer(*dlg.Modell, 7), -1);

        // A month: only its bookings.
        dlg.KontoTreeView->setCurrentItem(Knoten(dlg.KontoTreeView, QStringLiteral("Girokonto")));
        QTreeWidgetItem* februar = Knoten(dlg.ZeitTreeView, QStringLiteral("Februar 2024"));
        QVERIFY(februar);
        dlg.ZeitTreeView->setCurrentItem(februar);
        QVERIFY(dlg.windowTitle().startsWith(QStringLiteral("Kontenblatt -  Februar 2024 - Girokonto")));
        QCOMPARE(dlg.EinLabel->text(), QStringLiteral("0,00"));
        QCOMPARE(dlg.AusLabel->text(), QStringLiteral("200,00"));
        QVERIFY(ZeileMitNummer(*dlg.Modell, 20) >= 0);
        QCOMPARE(ZeileMitNummer(*dlg.Modell, 7), -1);
    }

    void gruppierungUndOptionenAendernDasBlatt() {
        TKontenblattDlg dlg(bestand, einstellungen, uhr);
        dlg.show();
        QVERIFY(ZeileDerArt(*dlg.Modell, KbZwischensumme) >= 0);
        // Without subtotals the grouping by type keeps its headings only.
        QTest::mouseClick(dlg.ZwSummeChBox, Qt::LeftButton);
        QVERIFY(!dlg.ZwSummeChBox->isChecked());
        QCOMPARE(ZeileDerArt(*dlg.Modell, KbZwischensumme), -1);
        QVERIFY(ZeileDerArt(*dlg.Modell, KbUeberschrift) >= 0);

        // By number: no headings, and no subtotals to switch.
        dlg.SortiertKnopf[1]->click();
        QVERIFY(!dlg.ZwSummeChBox->isEnabled());
        QCOMPARE(ZeileDerArt(*dlg.Modell, KbUeberschrift), -1);
        QCOMPARE(dlg.Modell->headerData(0, Qt::Horizontal).toString(), QStringLiteral("B-nr.   Belegnr."));

        // By date: the date column comes first.
        dlg.SortiertKnopf[3]->click();
        QVERIFY(dlg.ZwSummeChBox->isEnabled());
        QCOMPARE(dlg.Modell->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Datum"));
        // By category: the category column first, the amount last.
        dlg.SortiertKnopf[2]->click();
        QCOMPARE(dlg.Modell->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Rubrik/Gegenkonto"));
        QCOMPARE(dlg.Modell->headerData(5, Qt::Horizontal).toString(), QStringLiteral("Betrag"));

        // Cancelled bookings: shown on request, grey, never summed.
        QCOMPARE(ZeileMitNummer(*dlg.Modell, 21), -1);
        QTest::mouseClick(dlg.stornoChBox, Qt::LeftButton);
        const int storniert = ZeileMitNummer(*dlg.Modell, 21);
        QVERIFY(storniert >= 0);
        QVERIFY(dlg.Modell->Zeile(storniert)->Storniert);
        const QModelIndex text = dlg.Modell->index(storniert, 4);
        QCOMPARE(dlg.Modell->data(text, Qt::ForegroundRole).value<QBrush>().color(), QColor(0x80, 0x80, 0x80));
        QCOMPARE(dlg.AusLabel->text(), QStringLiteral("250,00"));
    }

    void doppelklickOeffnetDieGanzeBuchungsnummer() {
        TKontenblattDlg dlg(bestand, einstellungen, uhr);
        std::vector<int32_t> gezeigt;
        dlg.BuchungZeigen = [&](int32_t position) { gezeigt.push_back(position); };
        dlg.resize(900, 500);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));

        // Booking 12345 stands at position 1; four digits would have been booking 1234.
        const int zeile = ZeileMitNummer(*dlg.Modell, 12345);
        QVERIFY(zeile >= 0);
        Doppelklick(dlg.BuchungGrid, zeile);
        QCOMPARE(gezeigt, std::vector<int32_t>({1}));

        // A heading opens nothing.
        Doppelklick(dlg.BuchungGrid, ZeileDerArt(*dlg.Modell, KbUeberschrift));
        QCOMPARE(gezeigt.size(), size_t(1));

        // Enter on a booking row does what the double-click does.
        dlg.BuchungGrid->setFocus();
        dlg.BuchungGrid->setCurrentIndex(dlg.Modell->index(ZeileMitNummer(*dlg.Modell, 7), 0));
        QTest::keyClick(dlg.BuchungGrid, Qt::Key_Return);
        QCOMPARE(gezeigt, std::vector<int32_t>({1, 0}));
    }

    void folgtAenderungenDerBuchungenUndDesKontenplans() {
        TKontenblattDlg dlg(bestand, einstellungen, uhr);
        dlg.show();
        dlg.KontoTreeView->setCurrentItem(Knoten(dlg.KontoTreeView, QStringLiteral("Girokonto")));

        BuchungAnhaengen(bestand, Nummeriert(30, Buchung(Tag(1, 3, 2024), BArtEinnahme, 500, 1, 10)));
        dlg.AnsichtAktualisieren(3);  // lookup lists only: not the sheet's business
        QCOMPARE(dlg.EinLabel->text(), QStringLiteral("1.000,00"));
        dlg.AnsichtAktualisieren(1);
        QCOMPARE(dlg.EinLabel->text(), QStringLiteral("1.005,00"));

        // A renamed account: the tree follows and keeps the chosen account.
        dlg.KontoTreeView->setCurrentItem(Knoten(dlg.KontoTreeView, QStringLiteral("Bargeld")));
        for (kontotyp& k : bestand.Konten)
            if (k.Nr == 2) k.Name = "Portemonnaie";
        dlg.AnsichtAktualisieren(2);
        QCOMPARE(dlg.KontoTreeView->currentItem()->text(0), QStringLiteral("Portemonnaie"));
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Kontenblatt -  Gesamter Zeitraum - Portemonnaie"));

        // An account that is gone leaves the sheet on the first account.
        std::erase_if(bestand.Konten, [](const kontotyp& k) { return k.Nr == 2; });
        dlg.AnsichtAktualisieren(2);
        QCOMPARE(dlg.KontoTreeView->currentItem()->text(0), QStringLiteral("Girokonto"));
    }

    void schliessenUndEscSchliessenDenRahmen() {
        QMdiArea flaeche;
        auto* dlg = new TKontenblattDlg(bestand, einstellungen, uhr);
        QMdiSubWindow* rahmen = TKontenblattDlg::ImRahmen(dlg);
        flaeche.addSubWindow(rahmen);
        flaeche.show();
        rahmen->show();
        QCOMPARE(rahmen->windowTitle(), QStringLiteral("Kontenblatt -  Gesamter Zeitraum - Girokonto"));
        QPointer<QMdiSubWindow> weg(rahmen);
        QTest::keyClick(dlg->KontoTreeView, Qt::Key_Escape);
        QTRY_VERIFY(weg.isNull());

        dlg = new TKontenblattDlg(bestand, einstellungen, uhr);
        rahmen = TKontenblattDlg::ImRahmen(dlg);
        flaeche.addSubWindow(rahmen);
        rahmen->show();
        weg = rahmen;
        dlg->AbbruchBtn->click();
        QTRY_VERIFY(weg.isNull());
    }

    void druckenVorschauUndPdfDesGezeigtenBlatts() {
        TKontenblattDlg dlg(bestand, einstellungen, uhr);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QVERIFY(dlg.BitBtn4->isEnabled());
        QVERIFY(dlg.BitBtn4->toolTip().isEmpty());
        QCOMPARE(dlg.VorschauBtn->text(), QStringLiteral("Druck&vorschau…"));
        QCOMPARE(dlg.PdfBtn->text(), QStringLiteral("Als &PDF speichern…"));
        dlg.SortiertKnopf[2]->click();
        dlg.stornoChBox->setChecked(true);
        // The request is the shown sheet: its rows, its grouping, its account and period.
        const Berichtsanfrage a = dlg.Druckanfrage();
        QCOMPARE(a.Art, DruckKontenblatt);
        QCOMPARE(a.Gruppierung, 2);
        QCOMPARE(a.ZweiterName, std::string("Nach Rubrik"));
        QCOMPARE(a.KontoName, std::string("Girokonto"));
        QCOMPARE(a.ZeitraumName, std::string("Gesamter Zeitraum"));
        QCOMPARE(a.Tabelle.Zeilen.size(), dlg.Modell->Daten().Zeilen.size());
        QCOMPARE(a.Spalten.front(), static_cast<int>(KbGegen));

        QTemporaryDir ordner;
        QVERIFY(ordner.isValid());
        QStringList fehler;
        dlg.Druck->Fehler = [&](const QString& t) { fehler << t; };
        dlg.Druck->PdfDateiWaehlen = [&] { return ordner.filePath(QStringLiteral("blatt")); };
        dlg.PdfBtn->click();
        QVERIFY2(fehler.isEmpty(), qPrintable(fehler.join(QStringLiteral("; "))));
        QFile pdf(ordner.filePath(QStringLiteral("blatt.pdf")));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QCOMPARE(pdf.read(5), QByteArray("%PDF-"));
        const QString text = PdfText(pdf.fileName());
        if (!qEnvironmentVariableIsEmpty("TALERWERK_BILDER"))
            QFile::copy(pdf.fileName(), qEnvironmentVariable("TALERWERK_BILDER") + QStringLiteral("/kontenblatt.pdf"));
        if (!text.isEmpty()) {
            for (const char* t : {"Kontenblatt", "Nach Rubrik", "Girokonto", "Gesamter Zeitraum", "Lebensmittel",
                                  "12345", "Gesamt Ausgaben", "Gesamt Umbuchungen", "1.000,00", "30,00"})
                QVERIFY2(text.contains(QString::fromUtf8(t)), t);
        }
        if (!qEnvironmentVariableIsEmpty("TALERWERK_BILDER"))
            dlg.grab().save(qEnvironmentVariable("TALERWERK_BILDER") + QStringLiteral("/kontenblatt.png"));

        // Preview: the same pages on the preview's printer.
        int seiten = 0;
        dlg.Druck->VorschauZeigen = [&](QDialog& vorschau) {
            vorschau.show();
            auto* w = vorschau.findChild<QPrintPreviewWidget*>();
            QVERIFY(w);
            w->updatePreview();
            QApplication::processEvents();
            seiten = w->pageCount();
            vorschau.close();
        };
        dlg.VorschauBtn->click();
        QVERIFY(seiten >= 1);

        // Printing: the confirmation names the report, then the printer (a file here).
        QPrinter drucker(QPrinter::HighResolution);
        dlg.Druck->Drucker = [&] { return &drucker; };
        int gewaehlt = 0;
        dlg.Druck->DruckerWaehlen = [&](QPrinter& p) {
            ++gewaehlt;
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(ordner.filePath(QStringLiteral("drucker.pdf")));
            return true;
        };
        SpaeterKlicken(dlg.Druck->Bestaetigung->BitBtn1);
        dlg.BitBtn4->click();
        QCOMPARE(gewaehlt, 1);
        QCOMPARE(dlg.Druck->Bestaetigung->BerichtnameLabel->text(), QStringLiteral("Kontenblatt wird gedruckt!"));
        QVERIFY(QFile::exists(ordner.filePath(QStringLiteral("drucker.pdf"))));
    }

    void modellZeigtFarbenUndBetraegeRechts() {
        einstellungen.Negativ = 0x00123456;
        einstellungen.Positiv = 0x00654321;
        TKontenblattDlg dlg(bestand, einstellungen, uhr);
        const Grid& g = dlg.Modell->Daten();
        const int zeile = ZeileMitNummer(*dlg.Modell, 12345);  // an expense: a taking
        int betrag = -1;
        for (int s = 0; s < static_cast<int>(g.Spalten()); ++s)
            if (g.Zeilen[static_cast<size_t>(zeile)].Daten.Betraege[static_cast<size_t>(s)]) betrag = s;
        QVERIFY(betrag >= 0);
        const QModelIndex i = dlg.Modell->index(zeile, betrag);
        QCOMPARE(dlg.Modell->data(i).toString(), QStringLiteral("50,00"));
        QCOMPARE(dlg.Modell->data(i, Qt::ForegroundRole).value<QBrush>().color(), QColor(0x56, 0x34, 0x12));
        QVERIFY(dlg.Modell->data(i, Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight);
        const QModelIndex text = dlg.Modell->index(zeile, 4);
        QVERIFY(dlg.Modell->data(text, Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignLeft);
        QCOMPARE(dlg.EinLabel->palette().color(QPalette::WindowText), QColor(0x21, 0x43, 0x65));
        // Headings are bold, booking rows not.
        QVERIFY(dlg.Modell->data(dlg.Modell->index(ZeileDerArt(*dlg.Modell, KbUeberschrift), 0), Qt::FontRole)
                    .value<QFont>()
                    .bold());
        QVERIFY(!dlg.Modell->data(i, Qt::FontRole).isValid());
        QVERIFY(!dlg.Modell->data(dlg.Modell->index(dlg.Modell->rowCount(), 0)).isValid());
    }
};

QTEST_MAIN(TKontenblattDlgTest)
#include "tkontenblattdlg_test.moc"
