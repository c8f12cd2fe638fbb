#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "bookings/qtbetragsfeld.h"
#include "bookings/qtdatumsfeld.h"
#include "bookings/qtsuchfeld.h"
#include "bookings/tbuchungdlg.h"
#include "qtskript.h"
#include "recurring/rgmtestbuch.h"
#include "recurring/trgmbuchungplandlg.h"

using namespace talerwerk;
using talerwerk::test::Rgm;
using talerwerk::test::Tag;
using Art = SkriptMeldung::Art;

namespace {

class FesteUhr : public Uhr {
public:
    int32_t heute = Tag(10, 6, 2024);
    int32_t Heute() const override { return heute; }
};

class ZaehlZufall : public Zufall {
public:
    int32_t n = 0;
    int32_t Zahl(int32_t grenze) override { return (n++ * 7) % grenze; }
};

struct Aufbau {
    Datenbestand d;
    Einstellungen e;
    SkriptMeldungen m;
    FesteUhr uhr;
    ZaehlZufall zufall;
    std::vector<int> aktualisiert;
    std::unique_ptr<TrgmBuchungPlanDlg> dlg;
    std::vector<buchungstyp> bearbeitet;  // what the scripted editor was shown
    std::deque<std::function<bool(buchungstyp&)>> editor;

    Aufbau() {
        test::RgmBuchAnlegen(d);
        d.Mandant.Text4 = "EUR";
        d.RgmBuchungen = {Rgm(11001, "Miete", "A1", Tag(1, 6, 2024), "750,00"),
                          Rgm(11002, "Zeitung", "B1", Tag(2, 6, 2024), "20,00"),
                          Rgm(11003, "Strom", "C1", Tag(3, 6, 2024), "100,00")};
        dlg = std::make_unique<TrgmBuchungPlanDlg>(d, e, m, uhr, zufall);
        dlg->AnschlussSetzen({{}, {}, [this](int art) { aktualisiert.push_back(art); }});
        dlg->Editor = [this](buchungstyp& satz) {
            bearbeitet.push_back(satz);
            if (editor.empty()) return false;
            auto schritt = std::move(editor.front());
            editor.pop_front();
            return schritt(satz);
        };
    }
    bool Oeffnen(bool immer) {
        int anzahl = 0;
        if (!dlg->Oeffnen(immer, anzahl)) return false;
        dlg->show();
        return QTest::qWaitForWindowExposed(dlg.get());
    }
    QStringList Spalte(int s) const {
        QStringList t;
        for (int i = 0; i < dlg->ListView1->topLevelItemCount(); ++i) t << dlg->ListView1->topLevelItem(i)->text(s);
        return t;
    }
    QStringList Baum() const {
        QStringList t;
        QTreeWidgetItem* wurzel = dlg->Outline1->topLevelItem(0);
        for (int i = 0; i < wurzel->childCount(); ++i) t << wurzel->child(i)->text(0);
        return t;
    }
};

class TrgmBuchungPlanDlgTest : public QObject {
    Q_OBJECT
private slots:
    void OhneFaelligeKeinFensterUndMeldungNachEinstellung() {
        Aufbau a;
        a.d.RgmBuchungen.clear();
        QCOMPARE(a.dlg->FaelligeRgmPruefen(false), 0);
        QVERIFY(!a.dlg->isVisible());
        QCOMPARE(a.m.Texte(Art::Information), std::vector<std::string>{"Keine regelmäßigen Buchungen fällig!"});
        a.m.Leeren();
        a.e.rgmBuchung2 = false;
        QCOMPARE(a.dlg->FaelligeRgmPruefen(false), 0);
        QVERIFY(a.m.meldungen.empty());
    }

    void FaelligeSeiteZeigtUndSortiertNachWert() {
        Aufbau a;
        QVERIFY(a.Oeffnen(false));
        TrgmBuchungPlanDlg& w = *a.dlg;
        QCOMPARE(w.windowTitle(), QStringLiteral("Regelmäßige Buchungen"));
        QCOMPARE(w.PageControl1->currentWidget(), w.BuchgTabSheet);
        QCOMPARE(w.focusWidget(), w.ListView1);
        QCOMPARE(w.aktDatumLabel->text(), QStringLiteral("10.06.24"));
        QCOMPARE(w.letztesDatumLabel->text(), QStringLiteral("13.05.24"));
        QCOMPARE(w.ZeitraumLabel->text(), QStringLiteral("28"));
        QCOMPARE(a.Spalte(0), (QStringList{"Miete", "Strom", "Zeitung"}));
        QCOMPARE(w.ListView1->headerItem()->text(3), QStringLiteral(" von Konto"));
        QVERIFY(w.LeerLabel->isHidden());
        QVERIFY(w.AlleAusfuehrenBtn->isEnabled());
        QVERIFY(!w.AusfuehrenBtn->isEnabled());
        // Clicking "Betrag" sorts by value: 20,00 before 100,00.
        QTest::mouseClick(w.ListView1->header()->viewport(), Qt::LeftButton, {},
                          QPoint(w.ListView1->header()->sectionViewportPosition(1) + 5, 5));
        QCOMPARE(a.Spalte(1), (QStringList{"20,00", "100,00", "750,00"}));
        QCOMPARE(a.Spalte(0), (QStringList{"Zeitung", "Strom", "Miete"}));
        w.ListView1->topLevelItem(1)->setSelected(true);
        QVERIFY(w.AusfuehrenBtn->isEnabled());
    }

    void AusfuehrenDerAuswahlUndAlleMitAlles() {
        Aufbau a;
        QVERIFY(a.Oeffnen(false));
        TrgmBuchungPlanDlg& w = *a.dlg;
        // Double-click on "Strom": one question, one booking, the list shrinks.
        a.m.antworten = {Antwort::Ja};
        QTreeWidgetItem* strom = w.ListView1->topLevelItem(1);
        const QRect r = w.ListView1->visualItemRect(strom);
        QTest::mouseClick(w.ListView1->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(w.ListView1->viewport(), Qt::LeftButton, {}, r.center());
        QCOMPARE(a.d.Buchungen.size(), size_t(1));
        QCOMPARE(a.d.Buchungen[0].Kennung, std::string("C1030624"));
        QCOMPARE(a.Spalte(0), (QStringList{"Miete", "Zeitung"}));
        QCOMPARE(a.aktualisiert, std::vector<int>{1});
        // By keyboard: End selects the last row, Enter is "&Ausführen".
        a.m.antworten = {Antwort::Ja};
        w.ListView1->setFocus();
        QTest::keyClick(w.ListView1, Qt::Key_End);
        QCOMPARE(w.ListView1->selectedItems().size(), 1);
        QVERIFY(w.AusfuehrenBtn->isEnabled());
        QTest::keyClick(w.ListView1, Qt::Key_Return);
        QCOMPARE(a.d.Buchungen.size(), size_t(2));
        QCOMPARE(a.d.Buchungen[1].Bezeichnung, std::string("Zeitung"));
        QCOMPARE(a.Spalte(0), (QStringList{"Miete"}));
        // "A&lle Ausführen" with "Alles" at the first question books the rest without asking.
        a.m.Leeren();
        a.m.antworten = {Antwort::Alle};
        QTest::mouseClick(w.AlleAusfuehrenBtn, Qt::LeftButton);
        QCOMPARE(a.m.Texte(Art::Frage), std::vector<std::string>{"Soll rgm. Buchung Miete vorgenommen werden?"});
        QCOMPARE(a.d.Buchungen.size(), size_t(3));
        QVERIFY(w.LeerLabel->isVisible());
        QCOMPARE(w.LeerLabel->text(), QStringLiteral("Keine regelmäßigen Buchungen fällig!"));
        QVERIFY(!w.AlleAusfuehrenBtn->isEnabled());
        QVERIFY(!w.AusfuehrenBtn->isEnabled());
        QVERIFY(a.d.Geaendert);
    }

    void ListeNeuBearbeitenLoeschenUndSchliessen() {
        Aufbau a;
        QVERIFY(a.Oeffnen(true));
        TrgmBuchungPlanDlg& w = *a.dlg;
        QCOMPARE(w.PageControl1->currentWidget(), w.ListeTabsheet);
        QCOMPARE(a.Baum(), (QStringList{"Miete", "Zeitung", "Strom"}));
        QVERIFY(!w.BearbeitenBtn->isEnabled());
        QVERIFY(!w.LoeschBtn->isEnabled());
        QVERIFY(w.MonatsListBox->isHidden());

        // "Neu" cancelled: no node is left.
        QTest::mouseClick(w.NeuBtn, Qt::LeftButton);
        QCOMPARE(a.bearbeitet.size(), size_t(1));
        QCOMPARE(a.bearbeitet[0].IdentNr, 11004);
        QCOMPARE(a.Baum().size(), 3);
        // "Neu" with a taken name first: the editor comes back with what was typed.
        a.editor.push_back([](buchungstyp& s) { s.Bezeichnung = "Miete"; s.Betrag = "5,00"; return true; });
        a.editor.push_back([](buchungstyp& s) { s.Bezeichnung = "Gas"; return true; });
        QTest::mouseClick(w.NeuBtn, Qt::LeftButton);
        QCOMPARE(a.m.Texte(Art::Information), std::vector<std::string>{"Bezeichnung bereits vorhanden!"});
        QCOMPARE(a.bearbeitet.back().Betrag, std::string("5,00"));
        QCOMPARE(a.Baum(), (QStringList{"Miete", "Zeitung", "Strom", "Gas"}));
        QCOMPARE(w.Gewaehlt(), 3);
        QCOMPARE(w.BetragLabel->text(), QStringLiteral("5,00 EUR"));
        QVERIFY(!w.MonatsListBox->isHidden());
        QVERIFY(a.bearbeitet.back().Kennung != "A1" && a.bearbeitet.back().Kennung != "B1");

        // Preview of a selected recurring booking.
        w.Outline1->setCurrentItem(w.Outline1->topLevelItem(0)->child(0));
        QCOMPARE(w.BArtLabel->text(), QStringLiteral("Ausgabe"));
        QCOMPARE(w.Konto1Label->text(), QStringLiteral("Girokonto"));
        QCOMPARE(w.Text2Label->text(), QStringLiteral("Rubrik"));
        QCOMPARE(w.FaelligLabel->text(), QStringLiteral("01.06.24"));
        QCOMPARE(w.MonatsListBox->item(0)->checkState(), Qt::Checked);

        // Deleting asks; Yes removes the node and marks the store changed.
        a.m.Leeren();
        a.m.antworten = {Antwort::Ja};
        QTest::mouseClick(w.LoeschBtn, Qt::LeftButton);
        QCOMPARE(a.m.Texte(Art::Frage), std::vector<std::string>{"Soll Eintrag \"Miete\" wirklich gelöscht werden?"});
        QCOMPARE(a.Baum(), (QStringList{"Zeitung", "Strom", "Gas"}));
        QVERIFY(a.d.Geaendert);
        QCOMPARE(a.d.RgmBuchungen.size(), size_t(3));  // the store follows when the window closes
        // Executions see the list as it is now: "Miete" is no longer due.
        w.PageControl1->setCurrentWidget(w.BuchgTabSheet);
        QCOMPARE(a.Spalte(0), (QStringList{"Strom", "Zeitung"}));

        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(!w.isVisible());
        QCOMPARE(a.d.RgmBuchungen.size(), size_t(3));
        QCOMPARE(a.d.RgmBuchungen[2].Bezeichnung, std::string("Gas"));
        // The number the cancelled "Neu" drew is free again.
        QCOMPARE(a.d.RgmBuchungen[2].IdentNr, 11004);

        // The forced form opens on the page shown last.
        QVERIFY(a.Oeffnen(true));
        QCOMPARE(w.PageControl1->currentWidget(), w.BuchgTabSheet);
        w.reject();
    }

    void HoechstensNeunhundertneunundneunzigAufJedemWeg() {
        Aufbau a;
        a.d.RgmBuchungen.clear();
        for (int i = 0; i < 999; ++i)
            a.d.RgmBuchungen.push_back(Rgm(11001 + i, "R" + std::to_string(i), "k" + std::to_string(i), 1));
        QVERIFY(a.Oeffnen(true));
        TrgmBuchungPlanDlg& w = *a.dlg;
        QVERIFY(!w.NeuBtn->isEnabled());
        w.NeuBtnClick();
        QTreeWidgetItem* wurzel = w.Outline1->topLevelItem(0);
        QTest::mouseDClick(w.Outline1->viewport(), Qt::LeftButton, {}, w.Outline1->visualItemRect(wurzel).center());
        QVERIFY(a.bearbeitet.empty());
        QCOMPARE(wurzel->childCount(), 999);
        w.reject();
    }

    void ZeitraumAendernUndAlsVorgabe() {
        Aufbau a;
        a.d.RgmBuchungen.push_back(Rgm(11004, "Alt", "D1", Tag(1, 4, 2024), "1,00", "...xx......."));
        QVERIFY(a.Oeffnen(false));
        TrgmBuchungPlanDlg& w = *a.dlg;
        QCOMPARE(a.Spalte(0).size(), 3);
        a.dlg->ZeitraumFragen = [](int32_t& tage, bool& vorgabe) {
            tage = 70;
            vorgabe = false;
            return true;
        };
        QTest::mouseClick(w.SpeedButton1, Qt::LeftButton);
        QCOMPARE(w.ZeitraumLabel->text(), QStringLiteral("70"));
        QCOMPARE(w.letztesDatumLabel->text(), QStringLiteral("01.04.24"));
        QCOMPARE(a.Spalte(0), (QStringList{"Alt", "Alt", "Miete", "Strom", "Zeitung"}));
        QCOMPARE(a.d.Mandant.Zahl1, 28);
        QVERIFY(!a.d.Geaendert);
        a.dlg->ZeitraumFragen = [](int32_t& tage, bool& vorgabe) {
            tage = 5;
            vorgabe = true;
            return true;
        };
        w.SpeedButton1Click();
        QCOMPARE(a.d.Mandant.Zahl1, 5);
        QVERIFY(a.d.Geaendert);
        QCOMPARE(a.Spalte(0), (QStringList{}));
        w.reject();
    }

    // A blank booking typed into the booking window while a recurring booking is executed: both
    // bookings are kept, each with its own number.
    void GetippteNeueBuchungUeberlebtDieAusfuehrung() {
        Aufbau a;
        buchungstyp alt = BuchungVorgabe(SatzBuchung, Tag(1, 6, 2024));
        alt.IdentNr = 1;
        alt.Text = "alt";
        alt.Konto1 = 1;
        alt.Konto2 = 4;
        alt.Betrag = "1,00";
        BuchungAnhaengen(a.d, alt);
        TBuchungDlg buchung(a.d, a.e, a.m, a.uhr);
        buchung.show();
        a.d.AktIndex = 1;
        buchung.AktIndexZeigen();
        QCOMPARE(buchung.IdentNrLabel->text(), QStringLiteral("0002"));
        buchung.TextEdit->Edit->setText(QStringLiteral("getippt"));
        buchung.BetragEdit->SetzeBetrag("12,00");
        RgmAnschluss anschluss;
        anschluss.ReservierteNr = [&] { return buchung.Eingabe().ReservierteNr(); };
        anschluss.Angehaengt = [&] { buchung.RgmBuchungAngehaengt(); };
        a.dlg->AnschlussSetzen(anschluss);
        a.e.Buchung = false;
        QVERIFY(a.Oeffnen(false));
        QTest::mouseClick(a.dlg->AlleAusfuehrenBtn, Qt::LeftButton);
        QCOMPARE(a.d.Buchungen.size(), size_t(4));
        QVERIFY(a.m.meldungen.empty());
        a.dlg->reject();
        // The blank kept its values and its number; the executions took the next ones.
        QCOMPARE(buchung.TextEdit->Edit->text(), QStringLiteral("getippt"));
        QCOMPARE(buchung.IdentNrLabel->text(), QStringLiteral("0002"));
        buchung.BuchenBtnClick();
        QCOMPARE(a.d.Buchungen.size(), size_t(5));
        std::vector<int32_t> nummern;
        for (const auto& b : a.d.Buchungen) nummern.push_back(b.IdentNr);
        QCOMPARE(nummern, (std::vector<int32_t>{1, 3, 4, 5, 2}));
        QCOMPARE(a.d.Buchungen[4].Text, std::string("getippt"));
        QCOMPARE(a.d.Buchungen[1].Text, std::string("Miete"));
        QCOMPARE(buchung.IdentNrLabel->text(), QStringLiteral("0006"));
    }

    // With TALERWERK_BILDER=<folder> both pages are drawn into PNG files there.
    void BilderFuerDieSichtpruefung() {
        const QString ziel = qEnvironmentVariable("TALERWERK_BILDER");
        if (ziel.isEmpty()) QSKIP("TALERWERK_BILDER not set");
        Aufbau a;
        a.d.RgmBuchungen[1].BArt = BArtEinnahme;
        a.d.RgmBuchungen[1].Konto2 = 3;
        a.d.RgmBuchungen[2].BArt = BArtUmbuchung;
        a.d.RgmBuchungen[2].Konto2 = 2;
        QVERIFY(a.Oeffnen(false));
        a.dlg->ListView1->topLevelItem(0)->setSelected(true);
        QVERIFY(a.dlg->grab().save(ziel + QStringLiteral("/rgm_faellige.png")));
        a.dlg->PageControl1->setCurrentWidget(a.dlg->ListeTabsheet);
        a.dlg->Outline1->setCurrentItem(a.dlg->Outline1->topLevelItem(0)->child(0));
        QVERIFY(a.dlg->grab().save(ziel + QStringLiteral("/rgm_liste.png")));
        a.dlg->reject();
        a.d.RgmBuchungen.clear();
        QVERIFY(a.Oeffnen(true));
        a.dlg->PageControl1->setCurrentWidget(a.dlg->BuchgTabSheet);
        QVERIFY(a.dlg->grab().save(ziel + QStringLiteral("/rgm_leer.png")));
        a.dlg->reject();
    }
};

}  // namespace

QTEST_MAIN(TrgmBuchungPlanDlgTest)
#include "trgmbuchungplandlg_test.moc"
