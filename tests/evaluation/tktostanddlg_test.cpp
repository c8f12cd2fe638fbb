#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <fstream>
#include <sstream>

#include "bookings/buchungsoperationen.h"
#include "evaluation/auswahlbaeume.h"
#include "store/einstellungen.h"
#include "evaluation/qtbaumhilfe.h"
#include "evaluation/tktostanddlg.h"
#include "store/betrag.h"
#include "store/datum.h"

using namespace talerwerk;

namespace {

kontotyp Konto(int32_t nr, int32_t art, const char* name, Cent anfStand = 0) {
    kontotyp k;
    k.Nr = nr;
    k.Art = art;
    k.Name = name;
    k.AnfStand = anfStand;
    return k;
}

buchungstyp Buchung(int32_t bart, Cent cent, int32_t konto1, int32_t konto2, bool storniert = false) {
    buchungstyp b;
    b.Datum = *TagesNummer(1, 3, 2024);
    b.BArt = bart;
    b.Betrag = CentText(cent);
    b.Konto1 = konto1;
    b.Konto2 = konto2;
    b.Storniert = storniert;
    return b;
}

QStringList Spalte(const QTreeWidget* liste, int spalte) {
    QStringList texte;
    for (int i = 0; i < liste->topLevelItemCount(); ++i) texte << liste->topLevelItem(i)->text(spalte);
    return texte;
}

}  // namespace

class TKtoStandDlgTest : public QObject {
    Q_OBJECT

    Datenbestand bestand;
    Einstellungen einstellungen;

private slots:
    void init() {
        bestand = Datenbestand{};
        bestand.Konten = {
            Konto(10, ArtAusgabe, "Haushalt"),
            Konto(1, ArtBestandskonto, "Girokonto", 50000),
            Konto(3, ArtSparkonto, "Sparbuch", 100000),
            Konto(2, ArtBestandskonto, "bargeld"),
            Konto(4, ArtSparkonto, "Bausparen", 2500),
        };
        bestand.Buchungen = {
            Buchung(BArtAusgabe, 3000, 1, 10, /*storniert=*/true),
            Buchung(BArtAusgabe, 12345, 2, 10),
        };
        einstellungen = Einstellungen{};
    }

    void zeigtAlleKontenNachBezeichnungSortiert() {
        TKtoStandDlg dlg(bestand, einstellungen);
        dlg.show();
        QVERIFY(dlg.BestandKtoBtn->isChecked() && dlg.SparKtoBtn->isChecked() && dlg.GesamtBtn->isChecked());
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Kontostände"));
        QCOMPARE(Spalte(dlg.KontoListView, 0),
                 (QStringList{"bargeld", "Bausparen", "Girokonto", "Sparbuch"}));
        // the cancelled expense changes nothing; the overdrawn account shows its minus sign
        QCOMPARE(Spalte(dlg.KontoListView, 1), (QStringList{"-123,45", "25,00", "500,00", "1000,00"}));
        QVERIFY(!dlg.StatusBar1->isHidden());
        QCOMPARE(dlg.StatusPanel[0]->text(), QStringLiteral("Gesamt"));
        QCOMPARE(dlg.StatusPanel[1]->text(), QStringLiteral("1401,55"));
        QCOMPARE(dlg.StatusPanel[1]->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QCOMPARE(dlg.KontoListView->topLevelItem(0)->textAlignment(1) & Qt::AlignRight, int(Qt::AlignRight));
        QVERIFY(!dlg.KontoListView->topLevelItem(0)->icon(0).isNull());
    }

    void schalterFiltern() {
        TKtoStandDlg dlg(bestand, einstellungen);
        dlg.show();
        QTest::mouseClick(dlg.BestandKtoBtn, Qt::LeftButton);
        QVERIFY(!dlg.BestandKtoBtn->isChecked());
        QCOMPARE(Spalte(dlg.KontoListView, 0), (QStringList{"Bausparen", "Sparbuch"}));
        QCOMPARE(dlg.StatusPanel[1]->text(), QStringLiteral("1025,00"));  // only the rows shown

        QTest::mouseClick(dlg.SparKtoBtn, Qt::LeftButton);
        QCOMPARE(dlg.KontoListView->topLevelItemCount(), 0);
        QCOMPARE(dlg.StatusPanel[1]->text(), QStringLiteral("0,00"));
        QCOMPARE(dlg.StatusPanel[1]->palette().color(QPalette::WindowText), QColor(0, 0, 255));

        QTest::mouseClick(dlg.GesamtBtn, Qt::LeftButton);
        QVERIFY(dlg.StatusBar1->isHidden());
        QTest::mouseClick(dlg.BestandKtoBtn, Qt::LeftButton);
        QCOMPARE(Spalte(dlg.KontoListView, 0), (QStringList{"bargeld", "Girokonto"}));
        QVERIFY(dlg.StatusBar1->isHidden());
    }

    void zugriffstastenWirkenImFenster() {
        TKtoStandDlg dlg(bestand, einstellungen);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        dlg.KontoListView->setFocus();
        QTest::keyClick(dlg.KontoListView, Qt::Key_S, Qt::AltModifier);
        QVERIFY(!dlg.SparKtoBtn->isChecked());
        QCOMPARE(dlg.KontoListView->topLevelItemCount(), 2);
        QTest::keyClick(dlg.KontoListView, Qt::Key_G, Qt::AltModifier);
        QVERIFY(dlg.StatusBar1->isHidden());
    }

    void negativeSummeInDerFarbeDerEinstellungen() {
        einstellungen.Positiv = 0x00112233;
        einstellungen.Negativ = 0x00445566;  // 0x00BBGGRR
        bestand.Buchungen.push_back(Buchung(BArtAusgabe, 500000, 1, 10));
        TKtoStandDlg dlg(bestand, einstellungen);
        dlg.show();
        QCOMPARE(dlg.StatusPanel[1]->text(), QStringLiteral("-3598,45"));
        QCOMPARE(dlg.StatusPanel[1]->palette().color(QPalette::WindowText), QColor(0x66, 0x55, 0x44));
        QTest::mouseClick(dlg.BestandKtoBtn, Qt::LeftButton);
        QCOMPARE(dlg.StatusPanel[1]->palette().color(QPalette::WindowText), QColor(0x33, 0x22, 0x11));
    }

    void aktualisiertNachBuchung() {
        TKtoStandDlg dlg(bestand, einstellungen);
        dlg.show();
        bestand.Buchungen.push_back(Buchung(BArtUmbuchung, 20000, 1, 3));
        dlg.AnsichtAktualisieren(3);  // lookup lists only: the balances stay
        QCOMPARE(Spalte(dlg.KontoListView, 1), (QStringList{"-123,45", "25,00", "500,00", "1000,00"}));
        dlg.AnsichtAktualisieren(1);
        QCOMPARE(Spalte(dlg.KontoListView, 1), (QStringList{"-123,45", "25,00", "300,00", "1200,00"}));
        bestand.Konten.push_back(Konto(5, ArtBestandskonto, "Kasse", 700));
        dlg.AnsichtAktualisieren(2);
        QCOMPARE(Spalte(dlg.KontoListView, 0), (QStringList{"bargeld", "Bausparen", "Girokonto", "Kasse", "Sparbuch"}));
        QCOMPARE(dlg.StatusPanel[1]->text(), QStringLiteral("1408,55"));

        // Stored through the booking operation: an overwrite keeps the number of bookings, a
        // cancel takes the booking's effect back.
        bestand.Buchungen.Aendern(bestand.Buchungen.size() - 1, [&](buchungstyp& satz) { satz.IdentNr = 3; });
        BuchungenErneuert(bestand);
        bestand.LetzterIndex = 2;
        buchungstyp b = bestand.Buchungen.back();
        b.Betrag = "150,00";
        QVERIFY(BuchungEinfuegen(bestand, b, 2));
        dlg.AnsichtAktualisieren(1);
        QCOMPARE(Spalte(dlg.KontoListView, 1), (QStringList{"-123,45", "25,00", "350,00", "7,00", "1150,00"}));
        b.Storniert = true;
        QVERIFY(BuchungEinfuegen(bestand, b, 2));
        dlg.AnsichtAktualisieren(1);
        QCOMPARE(Spalte(dlg.KontoListView, 1), (QStringList{"-123,45", "25,00", "500,00", "7,00", "1000,00"}));
    }

    void leererKontenplan() {
        bestand.Konten.clear();
        bestand.Buchungen.clear();
        TKtoStandDlg dlg(bestand, einstellungen);
        dlg.show();
        QCOMPARE(dlg.KontoListView->topLevelItemCount(), 0);
        QCOMPARE(dlg.StatusPanel[1]->text(), QStringLiteral("0,00"));
    }

    void spaltenFolgenDerBreite() {
        TKtoStandDlg dlg(bestand, einstellungen);
        dlg.resize(300, 270);
        dlg.show();
        QCOMPARE(dlg.KontoListView->columnWidth(1), 100);
        const int rand = 300 - dlg.KontoListView->viewport()->width();
        QCOMPARE(dlg.KontoListView->columnWidth(0), 300 - 100 - rand);
        dlg.resize(400, 270);
        QCOMPARE(dlg.KontoListView->columnWidth(0), 400 - 100 - rand);
        // both columns fill the list exactly: nothing cut off, no horizontal scrolling
        QCOMPARE(dlg.KontoListView->columnWidth(0) + dlg.KontoListView->columnWidth(1),
                 dlg.KontoListView->viewport()->width());
    }

    void lageAusDerEinstellungsdateiUndZurueck() {
        QTemporaryDir ordner;
        const QString pfad = ordner.filePath("talerwerk.ini");
        {
            std::ofstream aus(pfad.toStdString());
            aus << "[Hauptfenster]\nx=3\n\n[KontoStand]\noffen=1\nx=70\ny=40\nBreite=260\nHoehe=300\n";
        }
        QMdiArea flaeche;
        flaeche.resize(800, 600);
        flaeche.show();
        auto* dlg = new TKtoStandDlg(bestand, einstellungen, pfad);
        QMdiSubWindow* rahmen = TKtoStandDlg::ImRahmen(dlg);
        flaeche.addSubWindow(rahmen);
        rahmen->show();
        QCOMPARE(rahmen->geometry(), QRect(70, 40, 260, 300));
        QCOMPARE(dlg->KontoListView->topLevelItemCount(), 4);  // showing refreshes

        rahmen->setGeometry(20, 30, 260, 280);
        rahmen->showMaximized();
        rahmen->close();  // stores the normal placement, not the maximised one
        const FensterLage gespeichert = FensterLageLesen(pfad.toStdString(), "KontoStand", {});
        QCOMPARE(QRect(gespeichert.x, gespeichert.y, gespeichert.Breite, gespeichert.Hoehe), QRect(20, 30, 260, 280));
        std::ifstream ein(pfad.toStdString());
        std::stringstream inhalt;
        inhalt << ein.rdbuf();
        QVERIFY(inhalt.str().find("offen=1") != std::string::npos);
        QVERIFY(inhalt.str().find("[Hauptfenster]\nx=3\n") != std::string::npos);
    }

    void ohneEinstellungsdateiDieVorgabe() {
        QTemporaryDir ordner;
        QMdiArea flaeche;
        flaeche.resize(800, 600);
        flaeche.show();
        auto* dlg = new TKtoStandDlg(bestand, einstellungen, ordner.filePath("fehlt.ini"));
        QMdiSubWindow* rahmen = TKtoStandDlg::ImRahmen(dlg);
        flaeche.addSubWindow(rahmen);
        rahmen->show();
        QCOMPARE(rahmen->pos(), QPoint(50, 50));
        QCOMPARE(rahmen->height(), 270);
        // the default width, or wider when the buttons need more with this font
        QVERIFY(rahmen->width() >= 204);
        QVERIFY(dlg->GesamtBtn->geometry().right() < dlg->width());
        QCOMPARE(dlg->BestandKtoBtn->width(), dlg->BestandKtoBtn->sizeHint().width());
        rahmen->close();
    }

    // The tree helper every evaluation window renders its account and period trees with.
    void auswahlbaumImBaumWidget() {
        const Auswahlbaum konten = KontenBaum(bestand);
        QTreeWidget baum;
        QSignalSpy wechsel(&baum, &QTreeWidget::currentItemChanged);
        BaumFuellen(&baum, konten);
        QCOMPARE(wechsel.count(), 0);  // filling is no choice of the user
        QCOMPARE(baum.topLevelItemCount(), 1);
        QTreeWidgetItem* wurzel = baum.topLevelItem(0);
        QCOMPARE(wurzel->text(0), QStringLiteral("Alle Konten"));
        QVERIFY(wurzel->isExpanded());
        QCOMPARE(wurzel->childCount(), 2);
        QCOMPARE(wurzel->child(0)->text(0), QStringLiteral("Bestandskonten"));
        QVERIFY(!wurzel->child(0)->isExpanded());
        QCOMPARE(wurzel->child(0)->childCount(), 2);
        QCOMPARE(wurzel->child(1)->child(1)->text(0), QStringLiteral("Bausparen"));
        QCOMPARE(baum.currentItem(), wurzel);
        QVERIFY(wurzel->isSelected());
        QCOMPARE(GewaehlterKnoten(&baum, konten)->Konto.Nr, 5000);

        baum.setCurrentItem(wurzel->child(1)->child(0));
        const Auswahlknoten* knoten = GewaehlterKnoten(&baum, konten);
        QVERIFY(knoten);
        QCOMPARE(knoten->Konto.Nr, 3);
        QCOMPARE(KnotenIndex(nullptr), -1);

        bestand.Buchungen.Aendern(0, [&](buchungstyp& satz) { satz.Datum = *TagesNummer(20, 11, 2023); });
        const Auswahlbaum zeit = ZeitBaum(bestand, *TagesNummer(5, 2, 2024));
        BaumFuellen(&baum, zeit);
        QCOMPARE(baum.topLevelItemCount(), 1);
        QCOMPARE(baum.topLevelItem(0)->text(0), QStringLiteral("Gesamter Zeitraum"));
        QCOMPARE(baum.topLevelItem(0)->childCount(), 2);
        QCOMPARE(baum.topLevelItem(0)->child(0)->text(0), QStringLiteral("Jahr 2024"));
        QCOMPARE(baum.topLevelItem(0)->child(1)->childCount(), 2);  // December, November 2023
        QCOMPARE(baum.topLevelItem(0)->child(1)->child(1)->text(0), QStringLiteral("November 2023"));
        QCOMPARE(GewaehlterKnoten(&baum, zeit)->Zeitraum.Bezeichnung, std::string("Gesamter Zeitraum"));
    }
};

QTEST_MAIN(TKtoStandDlgTest)
#include "tktostanddlg_test.moc"
