// The category × account table driven headless: first nodes chosen on showing, every tree and
// option change recomputes, the look of the rows comes from their descriptors, OK and Esc close.

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "evaluation/qtgridmodell.h"
#include "evaluation/rubriktabellen.h"
#include "evaluation/testbuch.h"
#include "evaluation/trubrktodlg.h"
#include "qtfensterhilfe.h"

using namespace talerwerk;
using namespace talerwerk::test;

namespace {

class FesteUhr : public Uhr {
public:
    int32_t Heute() const override { return Tag(20, 3, 2024); }
};

// Girokonto: Gehalt 1.000,00, Lebensmittel 60,00, Drogerie 40,00; Bargeld: Auto 100,00.
Datenbestand Buch() {
    Datenbestand d = KleinesBuch();
    d.Buchungen = {
        Buchung(Tag(15, 1, 2024), BArtEinnahme, 100000, 1, 10),
        Buchung(Tag(2, 2, 2024), BArtAusgabe, 6000, 1, 21),
        Buchung(Tag(3, 2, 2024), BArtAusgabe, 4000, 1, 22),
        Buchung(Tag(5, 3, 2024), BArtAusgabe, 10000, 2, 30),
    };
    BuchungenErneuert(d);
    return d;
}

QStringList Kopf(const QtGridModell& m) {
    QStringList k;
    for (int s = 0; s < m.columnCount(); ++s) k << m.headerData(s, Qt::Horizontal).toString();
    return k;
}

int Zeile(const QtGridModell& m, const QString& text) {
    for (int i = 0; i < m.rowCount(); ++i)
        if (QString::fromStdString(m.Zeile(i)->Zeilentext) == text) return i;
    return -1;
}

// Closes the modal dialog with a key once it is up, noting where the keyboard was; a dialog the
// key did not close is closed anyway with the result −1, so a failure never hangs the test.
void MitTasteSchliessen(QDialog& dlg, Qt::Key taste, QWidget** fokus) {
    QTimer::singleShot(0, &dlg, [&dlg, taste, fokus] {
        (void)QTest::qWaitForWindowActive(&dlg);
        *fokus = QApplication::focusWidget();
        QTest::keyClick(*fokus ? *fokus : static_cast<QWidget*>(&dlg), taste);
        if (dlg.isVisible()) dlg.done(-1);
    });
}

}  // namespace

class TRubrKtoDlgTest : public QObject {
    Q_OBJECT

    Datenbestand bestand;
    Einstellungen einstellungen;
    FesteUhr uhr;

private slots:
    void init() {
        bestand = Buch();
        einstellungen = Einstellungen{};
    }

    void zeigtAlleKontenUndRechnetBeiJederWahlNeu() {
        TRubrKtoDlg dlg(bestand, einstellungen, uhr);
        dlg.Vorbereiten();
        QCOMPARE(dlg.KontoTreeView->currentItem()->text(0), QStringLiteral("Alle Konten"));
        QCOMPARE(dlg.ZeitTreeView->currentItem()->text(0), QStringLiteral("Gesamter Zeitraum"));
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Rubrik-Konto-Übersicht -  Gesamter Zeitraum - Alle Konten"));
        QCOMPARE(Kopf(*dlg.Modell), QStringList({"", "Girokonto", "Bargeld", "Sparbuch", "Gesamt", "Anteil in %"}));
        const int haushalt = Zeile(*dlg.Modell, QStringLiteral("Lebensmittel"));
        QVERIFY(haushalt >= 0);
        QCOMPARE(dlg.Modell->data(dlg.Modell->index(haushalt, 4)).toString(), QStringLiteral("60,00"));

        // One account: one column besides the totals.
        dlg.KontoTreeView->setCurrentItem(Knoten(dlg.KontoTreeView, QStringLiteral("Bargeld")));
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Rubrik-Konto-Übersicht -  Gesamter Zeitraum - Bargeld"));
        QCOMPARE(Kopf(*dlg.Modell), QStringList({"", "Bargeld", "Gesamt", "Anteil in %"}));

        // Options: without shares the share column goes, kurz leaves the totals alone, and
        // without sub-categories their rows go into their parent's.
        QTest::mouseClick(dlg.AnteilChBox, Qt::LeftButton);
        QCOMPARE(Kopf(*dlg.Modell), QStringList({"", "Bargeld", "Gesamt"}));
        dlg.KontoTreeView->setCurrentItem(Knoten(dlg.KontoTreeView, QStringLiteral("Alle Konten")));
        dlg.KurzRBtn->click();
        QCOMPARE(Kopf(*dlg.Modell), QStringList({"", "Gesamt"}));
        QVERIFY(Zeile(*dlg.Modell, QStringLiteral("Drogerie")) >= 0);
        QTest::mouseClick(dlg.UnterrubrikChBox, Qt::LeftButton);
        QCOMPARE(Zeile(*dlg.Modell, QStringLiteral("Drogerie")), -1);
        const int oben = Zeile(*dlg.Modell, QStringLiteral("Haushalt"));
        QCOMPARE(dlg.Modell->data(dlg.Modell->index(oben, 1)).toString(), QStringLiteral("100,00"));

        // A period: only its bookings.
        dlg.ZeitTreeView->setCurrentItem(Knoten(dlg.ZeitTreeView, QStringLiteral("Januar 2024")));
        QCOMPARE(dlg.Modell->data(dlg.Modell->index(oben, 1)).toString(), QStringLiteral("0,00"));
        QVERIFY(dlg.windowTitle().contains(QStringLiteral("Januar 2024")));
    }

    void zeilenartBestimmtSchriftHintergrundUndHoehe() {
        TRubrKtoDlg dlg(bestand, einstellungen, uhr);
        dlg.Vorbereiten();
        const QtGridModell& m = *dlg.Modell;
        const int summen = 4;  // Girokonto, Bargeld, Sparbuch, then Gesamt
        QCOMPARE(m.headerData(summen, Qt::Horizontal).toString(), QStringLiteral("Gesamt"));
        const QColor silber(0xC0, 0xC0, 0xC0);
        auto hintergrund = [&](int z, int s) { return m.data(m.index(z, s), Qt::BackgroundRole).value<QBrush>().color(); };
        auto fett = [&](int z, int s) { return m.data(m.index(z, s), Qt::FontRole).value<QFont>().bold(); };
        const int anfang = 0;
        QCOMPARE(m.Zeile(anfang)->Zeilenart, RtAnfangsstand);
        QCOMPARE(hintergrund(anfang, 1), silber);
        QVERIFY(fett(anfang, 1) && !fett(anfang, summen + 1));
        const int lebensmittel = Zeile(m, QStringLiteral("Lebensmittel"));
        QCOMPARE(hintergrund(lebensmittel, 1), QColor(Qt::white));
        QCOMPARE(hintergrund(lebensmittel, summen), silber);
        QVERIFY(!fett(lebensmittel, 1));
        // Shares stand right like the amounts, captions left.
        QCOMPARE(m.headerData(summen + 1, Qt::Horizontal).toString(), QStringLiteral("Anteil in %"));
        QCOMPARE(m.data(m.index(lebensmittel, summen + 1)).toString(), QStringLiteral("30,0"));
        QVERIFY(m.data(m.index(lebensmittel, summen + 1), Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight);
        QVERIFY(m.data(m.index(lebensmittel, 0), Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignLeft);
        // The sub-category is indented under its parent.
        QCOMPARE(m.data(m.index(lebensmittel, 0)).toString(), QStringLiteral("    Lebensmittel"));
        // Spacer rows are half as high.
        int leer = -1;
        for (int i = 0; i < m.rowCount() && leer < 0; ++i)
            if (m.Zeile(i)->Zeilenart == RtLeer) leer = i;
        QVERIFY(leer > 0);
        QCOMPARE(dlg.BetragGrid->rowHeight(leer), dlg.BetragGrid->rowHeight(anfang) / 2);
        // Opening balance of 1.500,00 in the positive colour.
        QCOMPARE(m.data(m.index(anfang, summen)).toString(), QStringLiteral("1.500,00"));
        QCOMPARE(m.data(m.index(anfang, summen), Qt::ForegroundRole).value<QBrush>().color(),
                 FarbeAusEinstellung(einstellungen.Positiv));
    }

    void okUndEscSchliessen() {
        TRubrKtoDlg dlg(bestand, einstellungen, uhr);
        QWidget* fokus = nullptr;
        MitTasteSchliessen(dlg, Qt::Key_Return, &fokus);  // the default button
        dlg.Ausfuehren();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(fokus, static_cast<QWidget*>(dlg.KontoTreeView));
        MitTasteSchliessen(dlg, Qt::Key_Escape, &fokus);
        dlg.Ausfuehren();
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QVERIFY(dlg.BitBtn4->isEnabled());
        QVERIFY(dlg.VorschauBtn->isEnabled());
        QVERIFY(dlg.PdfBtn->isEnabled());
    }
};

QTEST_MAIN(TRubrKtoDlgTest)
#include "trubrktodlg_test.moc"
