// The income and expense overview driven headless: one row per account of the selection plus the
// three summary rows, recomputed on every tree change, looks from the descriptors, OK and Esc.

#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "evaluation/gewinnverlust.h"
#include "evaluation/qtgridmodell.h"
#include "evaluation/testbuch.h"
#include "evaluation/tgewinnverlustdlg.h"
#include "qtfensterhilfe.h"

using namespace talerwerk;
using namespace talerwerk::test;

namespace {

class FesteUhr : public Uhr {
public:
    int32_t Heute() const override { return Tag(20, 3, 2024); }
};

QStringList Spalte(const QtGridModell& m, int spalte) {
    QStringList t;
    for (int z = 0; z < m.rowCount(); ++z) t << m.data(m.index(z, spalte)).toString();
    return t;
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

class TGewinnVerlustDlgTest : public QObject {
    Q_OBJECT

    Datenbestand bestand;
    Einstellungen einstellungen;
    FesteUhr uhr;

private slots:
    void init() {
        bestand = KleinesBuch();
        bestand.Buchungen = {
            Buchung(Tag(15, 1, 2024), BArtEinnahme, 100000, 1, 10),
            Buchung(Tag(2, 2, 2024), BArtUmbuchung, 20000, 1, 3),
            Buchung(Tag(5, 3, 2024), BArtAusgabe, 10000, 2, 30),
        };
        BuchungenErneuert(bestand);
    }

    void zeilenJeKontoUndSummen() {
        TGewinnVerlustDlg dlg(bestand, einstellungen, uhr);
        dlg.Vorbereiten();
        const QtGridModell& m = *dlg.Modell;
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Einnahmen-Ausgaben-Übersicht -  Gesamter Zeitraum - Alle Konten"));
        QCOMPARE(Spalte(m, 0), QStringList({"Girokonto", "Bargeld", "Sparbuch", "Gesamt", "- Umbuchungen", "Gesamt real"}));
        QCOMPARE(m.data(m.index(0, GvEinnahmen)).toString(), QStringLiteral("1.000,00"));
        QCOMPARE(m.data(m.index(0, GvAusgaben)).toString(), QStringLiteral("200,00"));
        QCOMPARE(m.data(m.index(0, GvEndstand)).toString(), QStringLiteral("1.300,00"));
        // The transfer stays out of "Gesamt real".
        QCOMPARE(m.data(m.index(5, GvEinnahmen)).toString(), QStringLiteral("1.000,00"));
        QCOMPARE(m.data(m.index(5, GvAusgaben)).toString(), QStringLiteral("100,00"));
        // Bargeld ends below zero: its closing balance in the negative colour; the captions on silver.
        QCOMPARE(m.data(m.index(1, GvEndstand), Qt::ForegroundRole).value<QBrush>().color(),
                 FarbeAusEinstellung(einstellungen.Negativ));
        QCOMPARE(m.data(m.index(1, 0), Qt::BackgroundRole).value<QBrush>().color(), QColor(0xC0, 0xC0, 0xC0));
        QVERIFY(m.data(m.index(1, GvEndstand), Qt::FontRole).value<QFont>().bold());
        QVERIFY(!m.data(m.index(1, GvEinnahmen), Qt::FontRole).isValid());
        QVERIFY(!m.data(m.index(4, GvEinnahmen), Qt::FontRole).isValid());   // "- Umbuchungen"
        QVERIFY(m.data(m.index(5, GvEinnahmen), Qt::FontRole).value<QFont>().bold());  // "Gesamt real"

        // Choices recompute: the savings accounts alone, then a single month.
        dlg.KontoTreeView->setCurrentItem(Knoten(dlg.KontoTreeView, QStringLiteral("Sparkonten")));
        QCOMPARE(Spalte(m, 0), QStringList({"Sparbuch", "Gesamt", "- Umbuchungen", "Gesamt real"}));
        dlg.KontoTreeView->setCurrentItem(Knoten(dlg.KontoTreeView, QStringLiteral("Girokonto")));
        dlg.ZeitTreeView->setCurrentItem(Knoten(dlg.ZeitTreeView, QStringLiteral("Februar 2024")));
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Einnahmen-Ausgaben-Übersicht -  Februar 2024 - Girokonto"));
        QCOMPARE(m.data(m.index(0, GvAnfangsstand)).toString(), QStringLiteral("1.500,00"));
        QCOMPARE(m.data(m.index(0, GvEinnahmen)).toString(), QStringLiteral("0,00"));
    }

    void jedesZeigenBautDieBaeumeNeu() {
        TGewinnVerlustDlg dlg(bestand, einstellungen, uhr);
        dlg.Vorbereiten();
        dlg.KontoTreeView->setCurrentItem(Knoten(dlg.KontoTreeView, QStringLiteral("Bargeld")));
        bestand.Konten.push_back(Konto(5, ArtBestandskonto, "Kasse"));
        QWidget* fokus = nullptr;
        MitTasteSchliessen(dlg, Qt::Key_Escape, &fokus);
        dlg.Ausfuehren();
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(fokus, static_cast<QWidget*>(dlg.KontoTreeView));
        QCOMPARE(dlg.KontoTreeView->currentItem()->text(0), QStringLiteral("Alle Konten"));
        QVERIFY(Knoten(dlg.KontoTreeView, QStringLiteral("Kasse")));
        QCOMPARE(dlg.Modell->rowCount(), 4 + 3);
        MitTasteSchliessen(dlg, Qt::Key_Return, &fokus);
        dlg.Ausfuehren();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(TGewinnVerlustDlgTest)
#include "tgewinnverlustdlg_test.moc"
