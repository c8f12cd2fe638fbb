// The booking list driven through its controls, alone and beside a booking window wired the way
// the main window wires them.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMdiArea>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

#include <functional>

#include "app/qtprogrammanschluss.h"
#include "app/tprog_fenster.h"
#include "bookings/qtbetragsfeld.h"
#include "bookings/qtbuchungslistenmodell.h"
#include "bookings/qtsuchfeld.h"
#include "bookings/tblistedlg.h"
#include "bookings/tbuchungdlg.h"
#include "bookings/tfilterdatdlg.h"
#include "bookings/tfilterplandlg.h"
#include "qtskript.h"
#include "store/datum.h"

using namespace talerwerk;
using Art = SkriptMeldung::Art;

namespace {

class OhneKennwort : public Kennwortabfrage {
public:
    bool Abfragen(int, const std::string&, const std::string&) override { return true; }
};

class FesteUhr : public Uhr {
public:
    int32_t Heute() const override { return *TagesNummer(1, 4, 2026); }
};

kontotyp Konto(int32_t nr, int32_t art, const char* abk, const char* name, int32_t ober = 0) {
    kontotyp k;
    k.Nr = nr;
    k.Art = art;
    k.Abk = abk;
    k.Name = name;
    k.OberNr = ober;
    return k;
}

buchungstyp Buchung(int32_t nr, int tag, int32_t bart, const char* text, const char* betrag, int32_t k1, int32_t k2,
                    bool storniert = false) {
    buchungstyp b;
    b.IdentNr = nr;
    b.Datum = *TagesNummer(tag, 3, 2026);
    b.BArt = bart;
    b.Text = text;
    b.Betrag = betrag;
    b.Konto1 = k1;
    b.Konto2 = k2;
    b.Storniert = storniert;
    return b;
}

buchungstyp Filter(int32_t nr, const std::string& name) {
    buchungstyp f = BuchungVorgabe(SatzFilter, *TagesNummer(1, 4, 2026));
    f.IdentNr = nr;
    f.Bezeichnung = name;
    f.RubrikAuswahl = -1;
    return f;
}

Datenbestand Bestand() {
    Datenbestand d;
    d.Mandant.Text4 = "EUR";
    d.Mandant.Merker1 = true;
    d.Konten = {Konto(1, ArtBestandskonto, "GIRO", "Girokonto"), Konto(2, ArtBestandskonto, "BAR", "Bargeld"),
                Konto(3, ArtSparkonto, "SPAR", "Sparbuch"),     Konto(10, ArtEinnahme, "GEH", "Gehalt"),
                Konto(20, ArtAusgabe, "LM", "Lebensmittel"),    Konto(21, ArtAusgabe, "LMG", "Getränke", 20),
                Konto(22, ArtAusgabe, "MI", "Miete")};
    // Numbers past 9999 and amounts past 999.999,99 are listed like any other.
    d.Buchungen = {Buchung(1, 1, BArtAusgabe, "Miete März", "500,00", 1, 22),
                   Buchung(2, 5, BArtEinnahme, "Gehalt", "2500,00", 1, 10),
                   Buchung(3, 7, BArtAusgabe, "getränke", "12,50", 2, 21),
                   Buchung(4, 9, BArtUmbuchung, "Sparen", "100,00", 1, 3),
                   Buchung(5, 11, BArtAusgabe, "Miete April", "500,00", 1, 22, true),
                   Buchung(12345, 13, BArtEinnahme, "Bonus", "1500000,00", 1, 10)};
    d.Filterliste = {Filter(12001, "Alles"), Filter(12002, "Miete")};
    d.Filterliste[1].Text = "Miete*";
    BuchungenErneuert(d);
    d.LetzterIndex = static_cast<int32_t>(d.Buchungen.size()) - 1;
    d.DateiOffen = true;
    return d;
}

// A list window, and on request a booking window, over one store, wired as the main window does.
struct Aufbau {
    explicit Aufbau(bool mitBuchung = false, QString datei = {}) : d(Bestand()) {
        einstellungen.Buchung = false;  // stores without asking
        if (mitBuchung) {
            buchung = new TBuchungDlg(d, einstellungen, meldungen, uhr, [this](int art) { Aktualisieren(art); });
        }
        liste = new TBListeDlg(d, einstellungen, meldungen, uhr, datei);
        liste->BuchungZeigen = [this](int32_t position) {
            gezeigt.push_back(position);
            d.AktIndex = position;
            if (buchung) buchung->AktIndexZeigen();
        };
        liste->EingabeOffen = [this] { return buchung != nullptr; };
        liste->EingabeNeuZeigen = [this] {
            if (buchung) buchung->AktIndexZeigen();
        };
        liste->Aktualisieren = [this](int art) { Aktualisieren(art); };
    }
    ~Aufbau() {
        delete liste;
        delete buchung;
    }
    void Aktualisieren(int art) {
        aktualisiert.push_back(art);
        liste->AnsichtAktualisieren(art);
    }
    void Zeigen() {
        liste->resize(760, 520);
        liste->show();
        liste->activateWindow();
        (void)QTest::qWaitForWindowActive(liste);
    }

    Datenbestand d;
    Einstellungen einstellungen;
    SkriptMeldungen meldungen;
    FesteUhr uhr;
    TBuchungDlg* buchung = nullptr;
    TBListeDlg* liste = nullptr;
    std::vector<int32_t> gezeigt;
    std::vector<int> aktualisiert;
};

QString Zelle(TBListeDlg& w, int zeile, int spalte) {
    return w.Modell()->index(zeile, spalte).data().toString();
}

QStringList Spalte(TBListeDlg& w, int spalte) {
    QStringList t;
    for (int z = 0; z < w.Modell()->rowCount(); ++z) t << Zelle(w, z, spalte);
    return t;
}

void Waehlen(QTreeWidget* baum, const QString& text) {
    const auto gefunden = baum->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    QVERIFY2(!gefunden.isEmpty(), qPrintable(text));
    baum->setCurrentItem(gefunden.first());
}

void Zeilen(TBListeDlg& w, std::initializer_list<int> zeilen) {
    QItemSelectionModel* s = w.BuchgListView->selectionModel();
    s->clearSelection();
    for (int z : zeilen) s->select(w.Modell()->index(z, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void KopfKlick(TBListeDlg& w, int spalte) {
    QHeaderView* kopf = w.BuchgListView->header();
    const QPoint ort(kopf->sectionViewportPosition(spalte) + 5, kopf->height() / 2);
    QTest::mouseClick(kopf->viewport(), Qt::LeftButton, {}, ort);
}

// Runs `skript` once the modal filter editor is up; an editor left open is cancelled.
void ImEditor(TFilterDatDlg* dlg, std::function<void()> skript) {
    QTimer::singleShot(0, dlg, [dlg, skript] {
        QVERIFY(dlg->isVisible());
        skript();
        if (dlg->isVisible()) dlg->reject();
    });
}

void Bild(QWidget* w, const QString& name) {
    // Screenshots for checking the layout by eye: TALERWERK_BILDER=<folder>.
    const QString ordner = qEnvironmentVariable("TALERWERK_BILDER");
    if (!ordner.isEmpty()) w->grab().save(QDir(ordner).filePath(name));
}

}  // namespace

class TBListeDlgTest : public QObject {
    Q_OBJECT
private slots:
    void TreesSelectTheRows() {
        Aufbau a;
        a.Zeigen();
        TBListeDlg& w = *a.liste;
        Bild(&w, QStringLiteral("blistedlg.png"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Buchungsliste"));
        QCOMPARE(w.KontoTreeView->currentItem()->text(0), QStringLiteral("Alle Konten"));
        QCOMPARE(w.RubrikTreeView->currentItem()->text(0), QStringLiteral("Alle Rubriken"));
        QCOMPARE(w.MonatTreeView->currentItem()->text(0), QStringLiteral("Gesamter Zeitraum"));
        // Everything, cancelled bookings and numbers and amounts beyond the old limits included.
        QCOMPARE(w.Modell()->rowCount(), 6);
        QCOMPARE(w.StatusLabel->text(), QStringLiteral("6 von 6"));
        QVERIFY(Spalte(w, 0).contains(QStringLiteral("12345")));
        QVERIFY(w.BearbeitenBtn->isEnabled());
        QVERIFY(w.LoeschBtn->isEnabled());
        QCOMPARE(w.Modell()->headerData(8, Qt::Horizontal).toString(), QStringLiteral("Rubrik/ Konto 2 "));

        Waehlen(w.RubrikTreeView, QStringLiteral("Umbuchungen"));
        QCOMPARE(Spalte(w, 5), QStringList{QStringLiteral("Sparen")});
        // A top-level category takes its sub-categories along.
        Waehlen(w.RubrikTreeView, QStringLiteral("Lebensmittel"));
        QCOMPARE(Spalte(w, 5), QStringList{QStringLiteral("getränke")});
        Waehlen(w.KontoTreeView, QStringLiteral("Girokonto"));
        QCOMPARE(w.Modell()->rowCount(), 0);
        QCOMPARE(w.StatusLabel->text(), QStringLiteral("0 von 6"));
        QVERIFY(!w.BearbeitenBtn->isEnabled());
        QVERIFY(!w.LoeschBtn->isEnabled());
    }

    void SelectionEnablesTheButtons() {
        Aufbau a;
        a.d.Mandant.Merker1 = false;
        a.Zeigen();
        TBListeDlg& w = *a.liste;
        // Deleting is not allowed by the master data: no delete controls.
        QVERIFY(w.LoeschBtn->isHidden());
        QVERIFY(!w.Loeschen1->isVisible());
        a.d.Mandant.Merker1 = true;
        w.AnsichtAktualisieren(5);
        QVERIFY(!w.LoeschBtn->isHidden());

        Zeilen(w, {0, 2});
        QVERIFY(!w.BearbeitenBtn->isEnabled());
        QVERIFY(w.LoeschBtn->isEnabled());
        Zeilen(w, {3});
        QVERIFY(w.BearbeitenBtn->isEnabled());
        QVERIFY(w.LoeschBtn->isEnabled());
        Zeilen(w, {});
        QVERIFY(!w.BearbeitenBtn->isEnabled());
        QVERIFY(!w.LoeschBtn->isEnabled());
    }

    void PageSwitchSetsCaptions() {
        Aufbau a;
        a.Zeigen();
        TBListeDlg& w = *a.liste;
        w.PageControl1->setCurrentIndex(1);
        QCOMPARE(w.windowTitle(), QStringLiteral("Filter anwenden / Buchung suchen"));
        QCOMPARE(w.FilterTreeView->topLevelItemCount(), 3);
        QCOMPARE(w.FilterTreeView->currentItem()->text(0), QStringLiteral("Buchungen suchen"));
        QCOMPARE(w.FilterBearbBtn->text(), QStringLiteral("Suchmaske bearb."));
        // The mask matches everything within a new filter's amount range (up to 999.999,99).
        QCOMPARE(w.Modell()->rowCount(), 5);
        w.FilterTreeView->setCurrentItem(w.FilterTreeView->topLevelItem(2));
        QCOMPARE(w.FilterBearbBtn->text(), QStringLiteral("Filter bearbeiten"));
        QCOMPARE(Spalte(w, 5), (QStringList{QStringLiteral("Miete März"), QStringLiteral("Miete April")}));
        QCOMPARE(w.StatusLabel->text(), QStringLiteral("2 von 6"));
        Bild(&w, QStringLiteral("blistedlg_suche.png"));
        // The filter list closed with one filter fewer: the tree follows and keeps its place, or
        // the last item when it became shorter.
        a.d.Filterliste.pop_back();
        w.AnsichtAktualisieren(5);
        QCOMPARE(w.FilterTreeView->topLevelItemCount(), 2);
        QCOMPARE(w.FilterTreeView->currentItem()->text(0), QStringLiteral("Alles"));
        QCOMPARE(w.FilterBearbBtn->text(), QStringLiteral("Filter bearbeiten"));
        QCOMPARE(w.Modell()->rowCount(), 5);
        w.PageControl1->setCurrentIndex(0);
        QCOMPARE(w.windowTitle(), QStringLiteral("Buchungsliste"));
        QCOMPARE(w.Modell()->rowCount(), 6);
    }

    void HeadingClickSortsAndIsKept() {
        QTemporaryDir ordner;
        const QString datei = ordner.filePath(QStringLiteral("talerwerk.ini"));
        {
            Aufbau a(false, datei);
            a.Zeigen();
            TBListeDlg& w = *a.liste;
            KopfKlick(w, 6);  // "Betrag": by value, not by text
            QCOMPARE(Spalte(w, 0), (QStringList{QStringLiteral("0003"), QStringLiteral("0004"), QStringLiteral("0001"),
                                                QStringLiteral("0005"), QStringLiteral("0002"),
                                                QStringLiteral("12345")}));
            // The current booking stays current in its new row.
            w.BuchgListView->setCurrentIndex(w.Modell()->index(4, 0));
            KopfKlick(w, 2);  // "stor.": the cancelled booking first
            QCOMPARE(Zelle(w, 0, 0), QStringLiteral("0005"));
            QCOMPARE(Zelle(w, w.BuchgListView->currentIndex().row(), 0), QStringLiteral("0002"));
            KopfKlick(w, 5);
            const QStringList einmal = Spalte(w, 0);
            KopfKlick(w, 5);  // no reverse order
            QCOMPARE(Spalte(w, 0), einmal);
            QCOMPARE(Zelle(w, 0, 5), QStringLiteral("Bonus"));
            // Closing (Escape is "Schließen") writes the sort column; the next window starts with it.
            QMdiSubWindow* rahmen = TBListeDlg::ImRahmen(a.liste);
            rahmen->setAttribute(Qt::WA_DeleteOnClose, false);
            rahmen->show();
            QTest::keyClick(w.BuchgListView, Qt::Key_Escape);
            QVERIFY(!rahmen->isVisible());
            a.liste = nullptr;
            delete rahmen;
        }
        QFile f(datei);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(f.readAll());
        QVERIFY2(text.contains(QStringLiteral("Sortierung 1=5")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Sortierung 2=1")));
        Aufbau b(false, datei);
        b.Zeigen();
        QCOMPARE(Zelle(*b.liste, 0, 5), QStringLiteral("Bonus"));
        QCOMPARE(b.liste->Liste().Sortierung(), 5);
    }

    void EditOpensTheBooking() {
        Aufbau a;
        a.Zeigen();
        TBListeDlg& w = *a.liste;
        w.SpalteKlick(0);
        w.BuchgListView->setFocus();
        w.BuchgListView->setCurrentIndex(w.Modell()->index(5, 0));
        QTest::keyClick(w.BuchgListView, Qt::Key_Return);
        QCOMPARE(a.gezeigt, std::vector<int32_t>{5});
        w.BuchgListView->setCurrentIndex(w.Modell()->index(1, 0));
        w.BearbeitenBtn->click();
        QCOMPARE(a.gezeigt.back(), 1);
        const QRect zeile = w.BuchgListView->visualRect(w.Modell()->index(2, 3));
        QTest::mouseClick(w.BuchgListView->viewport(), Qt::LeftButton, {}, zeile.center());
        QTest::mouseDClick(w.BuchgListView->viewport(), Qt::LeftButton, {}, zeile.center());
        QCOMPARE(a.gezeigt.back(), 2);
        // Without a chosen row: the new-booking position.
        Zeilen(w, {});
        w.BearbeitenBtnClick();
        QCOMPARE(a.gezeigt.back(), 6);
    }

    void SearchMaskAndSavedFilters() {
        Aufbau a;
        // A saved filter with the mask's name does not stand in the mask's way.
        a.d.Filterliste.push_back(Filter(12003, "Buchungen suchen"));
        a.Zeigen();
        TBListeDlg& w = *a.liste;
        w.PageControl1->setCurrentIndex(1);
        TFilterDatDlg* e = w.FilterDatDlg();
        ImEditor(e, [&] {
            QCOMPARE(e->windowTitle(), QStringLiteral("Buchung suchen"));
            QVERIFY(!e->NameEdit->isEnabled());
            e->BTextEdit->setText(QStringLiteral("Miete*"));
            e->OkBtn->click();
        });
        w.FilterBearbBtn->click();
        QVERIFY(a.meldungen.meldungen.empty());  // showing "999.999,99" in an amount field is no refused key
        QCOMPARE(w.Modell()->rowCount(), 2);
        QCOMPARE(w.Suchmaske().Text, std::string("Miete*"));
        QVERIFY(!a.d.Geaendert);  // the mask is never stored

        // Editing a saved filter moves it to the end; a clash of names sends the user back.
        w.FilterTreeView->setCurrentItem(w.FilterTreeView->topLevelItem(1));  // "Alles"
        int runden = 0;
        std::function<void()> bearbeiten = [&] {
            ++runden;
            QCOMPARE(e->windowTitle(), QStringLiteral("Filter bearbeiten"));
            QVERIFY(e->NameEdit->isEnabled());
            e->NameEdit->setText(runden == 1 ? QStringLiteral("Miete") : QStringLiteral("Alles neu"));
            e->OkBtn->click();
            if (runden == 1) ImEditor(e, bearbeiten);
        };
        ImEditor(e, bearbeiten);
        QTest::keyClick(w.FilterTreeView, Qt::Key_Return);
        QCOMPARE(runden, 2);
        QCOMPARE(a.meldungen.Texte(Art::Information), std::vector<std::string>{"Bezeichnung bereits vorhanden!"});
        QVERIFY(a.d.Geaendert);
        QCOMPARE(a.d.Filterliste.back().Bezeichnung, std::string("Alles neu"));
        QCOMPARE(a.d.Filterliste.front().Bezeichnung, std::string("Miete"));
        QCOMPARE(w.FilterTreeView->currentItem()->text(0), QStringLiteral("Alles neu"));
        QCOMPARE(w.FilterTreeView->indexOfTopLevelItem(w.FilterTreeView->currentItem()), 3);
        QCOMPARE(w.Suchmaske().Text, std::string("Miete*"));  // the mask outlives the move

        ImEditor(e, [&] {
            QCOMPARE(e->windowTitle(), QStringLiteral("Filterdaten neu"));
            e->NameEdit->setText(QStringLiteral("Gehalt"));
            e->BTextEdit->setText(QStringLiteral("Gehalt"));
            e->OkBtn->click();
        });
        w.FilterNeuBtn->click();
        QCOMPARE(a.d.Filterliste.size(), size_t{4});
        QCOMPARE(a.d.Filterliste.back().IdentNr, 12004);
        QCOMPARE(w.FilterTreeView->currentItem()->text(0), QStringLiteral("Gehalt"));
        QCOMPARE(Spalte(w, 0), QStringList{QStringLiteral("0002")});
    }

    void StoredBookingIsListed() {
        Aufbau a(true);
        a.Zeigen();
        a.d.AktIndex = static_cast<int32_t>(a.d.Buchungen.size());
        a.buchung->show();
        a.buchung->AktIndexZeigen();
        a.buchung->TextEdit->Edit->setText(QStringLiteral("Zeitung"));
        a.buchung->BetragEdit->SetzeBetrag("3,20");
        a.buchung->BuchenBtnClick();
        QCOMPARE(a.d.Buchungen.size(), size_t{7});
        QCOMPARE(a.liste->StatusLabel->text(), QStringLiteral("7 von 7"));
        QVERIFY(Spalte(*a.liste, 5).contains(QStringLiteral("Zeitung")));
    }

    void SeriesDeletionKeepsTheBookingWindow() {
        Aufbau a(true);
        a.Zeigen();
        TBListeDlg& w = *a.liste;
        w.SpalteKlick(0);
        // The booking window shows "12345", behind the bookings about to go.
        a.d.AktIndex = 5;
        a.buchung->show();
        a.buchung->AktIndexZeigen();
        QCOMPARE(a.buchung->IdentNrLabel->text(), QStringLiteral("12345"));

        // No for the first, Cancel at the second: nothing goes.
        Zeilen(w, {0, 1, 2});
        a.meldungen.antworten = {Antwort::Nein, Antwort::Abbrechen};
        w.LoeschBtn->click();
        QCOMPARE(a.meldungen.Texte(Art::Frage).size(), size_t{2});
        QCOMPARE(a.d.Buchungen.size(), size_t{6});

        // All at the first question: three go with one question.
        a.meldungen.Leeren();
        Zeilen(w, {0, 1, 2});
        a.meldungen.antworten = {Antwort::Alle};
        QTest::keyClick(w.BuchgListView, Qt::Key_Delete);
        QCOMPARE(a.meldungen.Texte(Art::Frage),
                 std::vector<std::string>{"Soll Buchung \"0001\" wirklich gelöscht werden?"});
        QCOMPARE(a.d.Buchungen.size(), size_t{3});
        QVERIFY(a.d.Geaendert);
        QCOMPARE(w.StatusLabel->text(), QStringLiteral("3 von 3"));
        QCOMPARE(a.d.AktIndex, 2);
        QCOMPARE(a.buchung->IdentNrLabel->text(), QStringLiteral("12345"));
        QCOMPARE(a.aktualisiert.back(), 1);  // balances and list follow
    }

    void MainWindowOpensFiltersAndTheListOnce() {
        QTemporaryDir ordner;
        SkriptMeldungen m;
        OhneKennwort k;
        FesteUhr uhr;
        TProg_Fenster f(m, k, ordner.filePath(QStringLiteral("talerwerk")));
        f.UhrSetzen(uhr);
        Dialoge dialoge(f);
        FensterAnschliessen(f, dialoge);
        f.Bestand() = Bestand();
        f.FensterAktualisieren(false);
        f.show();
        (void)QTest::qWaitForWindowActive(&f);

        f.Suchen1Click();
        auto* l = static_cast<TBListeDlg*>(f.Kindfenster(TProg_Fenster::BListe));
        QVERIFY(l);
        QCOMPARE(l->StatusLabel->text(), QStringLiteral("6 von 6"));
        f.Suchen1Click();  // at most one list
        QCOMPARE(f.Arbeitsflaeche()->subWindowList().size(), qsizetype{1});

        // Editing opens the booking window on the row's booking.
        l->SpalteKlick(0);
        l->BuchgListView->setCurrentIndex(l->Modell()->index(5, 0));
        l->BearbeitenBtn->click();
        auto* b = static_cast<TBuchungDlg*>(f.Kindfenster(TProg_Fenster::Buchung));
        QVERIFY(b);
        QCOMPARE(b->IdentNrLabel->text(), QStringLiteral("12345"));

        // "Filter...": a filter deleted in the filter list leaves the list's filter tree too.
        QTimer::singleShot(0, &dialoge.filter, [&] {
            TFilterPlanDlg& plan = dialoge.filter;
            QVERIFY(plan.isVisible());
            plan.Outline1->setCurrentItem(plan.Outline1->topLevelItem(0)->child(1));
            m.antworten = {Antwort::Ja};
            plan.LoeschBtn->click();
            plan.AbbruchBtn->click();
        });
        f.Filter1Click();
        QCOMPARE(f.Bestand().Filterliste.size(), size_t{1});
        QCOMPARE(l->FilterTreeView->topLevelItemCount(), 2);

        // Closing the windows records the list as open; opening the file again brings it back.
        QVERIFY(f.FensterSchliessen());
        QVERIFY(f.Programmeinstellungen().BListeOffen);
        QVERIFY(!f.Kindfenster(TProg_Fenster::BListe));
        f.FensterAktualisieren(true);
        QVERIFY(f.Kindfenster(TProg_Fenster::BListe));
        f.Bestand().Geaendert = false;
        f.close();
    }
};

QTEST_MAIN(TBListeDlgTest)
#include "tblistedlg_test.moc"
