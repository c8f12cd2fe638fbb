// The category × period table driven headless: monthly and yearly columns, a month node that
// forces a single column and locks both radio groups, and recomputing on every choice.

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

#include "evaluation/qtgridmodell.h"
#include "evaluation/rubriktabellen.h"
#include "evaluation/testbuch.h"
#include "evaluation/trubrzeitdlg.h"
#include "qtfensterhilfe.h"

using namespace talerwerk;
using namespace talerwerk::test;

namespace {

class FesteUhr : public Uhr {
public:
    int32_t Heute() const override { return Tag(20, 3, 2024); }
};

QStringList Kopf(const QtGridModell& m) {
    QStringList k;
    for (int s = 0; s < m.columnCount(); ++s) k << m.headerData(s, Qt::Horizontal).toString();
    return k;
}

}  // namespace

class TRubrZeitDlgTest : public QObject {
    Q_OBJECT

private slots:
    void spaltenFolgenZeitraumUndModus() {
        Datenbestand bestand = KleinesBuch();
        bestand.Buchungen = {
            Buchung(Tag(15, 12, 2023), BArtEinnahme, 100000, 1, 10),
            Buchung(Tag(2, 2, 2024), BArtAusgabe, 6000, 1, 21),
        };
        BuchungenErneuert(bestand);
        Einstellungen einstellungen;
        FesteUhr uhr;
        TRubrZeitDlg dlg(bestand, einstellungen, uhr);
        dlg.Vorbereiten();
        QVERIFY(dlg.MonatlichRBtn->isChecked() && dlg.ZeitRBtn->isEnabled() && dlg.AnzeigeRBtn->isEnabled());
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Rubrik-Zeit-Übersicht -  Gesamter Zeitraum - Alle Konten"));
        // December 2023 to the current month, oldest on the left.
        const QStringList monatlich = Kopf(*dlg.Modell);
        QCOMPARE(monatlich.size(), 1 + 4 + 2);
        QCOMPARE(monatlich[1], QStringLiteral("Dezember 2023"));
        QCOMPARE(monatlich[4], QStringLiteral("März 2024"));

        dlg.JaehrlichRBtn->click();
        QCOMPARE(Kopf(*dlg.Modell), QStringList({"", "Jahr 2023", "Jahr 2024", "Gesamt", "Anteil in %"}));

        // A month: one column, both radio groups locked; a year unlocks them again.
        dlg.ZeitTreeView->setCurrentItem(Knoten(dlg.ZeitTreeView, QStringLiteral("Februar 2024")));
        QVERIFY(!dlg.ZeitRBtn->isEnabled() && !dlg.AnzeigeRBtn->isEnabled());
        QCOMPARE(Kopf(*dlg.Modell), QStringList({"", "Februar 2024", "Anteil in %"}));
        dlg.ZeitTreeView->setCurrentItem(Knoten(dlg.ZeitTreeView, QStringLiteral("Jahr 2024")));
        QVERIFY(dlg.ZeitRBtn->isEnabled() && dlg.AnzeigeRBtn->isEnabled());
        QCOMPARE(Kopf(*dlg.Modell), QStringList({"", "Jahr 2024", "Gesamt", "Anteil in %"}));
        dlg.MonatlichRBtn->click();
        QCOMPARE(Kopf(*dlg.Modell).size(), 1 + 3 + 2);  // January to March 2024
        dlg.KurzRBtn->click();
        QCOMPARE(Kopf(*dlg.Modell), QStringList({"", "Gesamt", "Anteil in %"}));

        // The account tree chooses whose bookings count.
        dlg.KontoTreeView->setCurrentItem(Knoten(dlg.KontoTreeView, QStringLiteral("Bargeld")));
        QVERIFY(dlg.windowTitle().endsWith(QStringLiteral(" - Bargeld")));
    }
};

QTEST_MAIN(TRubrZeitDlgTest)
#include "trubrzeitdlg_test.moc"
