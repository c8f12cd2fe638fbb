#include <QCalendarWidget>
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include "bookings/qtbetragsfeld.h"
#include "bookings/qtdatumsfeld.h"
#include "bookings/qtsuchfeld.h"
#include "bookings/tbuchungdlg.h"
#include "bookings/tgehezudlg.h"
#include "bookings/ttextbausteindlg.h"
#include "qtskript.h"
#include "store/datum.h"

using namespace talerwerk;
using Art = SkriptMeldung::Art;

namespace {

class FesterZufall : public Zufall {
public:
    int32_t Zahl(int32_t) override { return 5; }
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

kontotyp Baustein(int32_t nr, const char* abk, const char* text) {
    kontotyp k;
    k.Nr = nr;
    k.Art = ArtTextbaustein;
    k.Abk = abk;
    k.Text1 = text;
    return k;
}

buchungstyp Buchung(int32_t nr, const char* text, const char* betrag) {
    buchungstyp b;
    b.IdentNr = nr;
    b.Datum = *TagesNummer(nr, 3, 2026);
    b.Text = text;
    b.Betrag = betrag;
    b.BArt = BArtAusgabe;
    b.Konto1 = 1;
    b.Konto2 = 22;
    return b;
}

Datenbestand Bestand(int buchungen = 0) {
    Datenbestand d;
    d.Mandant.Text4 = "EUR";
    d.Mandant.Merker1 = true;
    d.Konten = {Konto(1, ArtBestandskonto, "GIRO", "Girokonto"), Konto(2, ArtBestandskonto, "BAR", "Bargeld"),
                Konto(3, ArtSparkonto, "SPAR", "Sparbuch"),     Konto(10, ArtEinnahme, "GEH", "Gehalt"),
                Konto(20, ArtAusgabe, "LM", "Lebensmittel"),    Konto(21, ArtAusgabe, "LMG", "Getränke", 20),
                Konto(22, ArtAusgabe, "MI", "Miete")};
    d.Textbausteine = {Baustein(10, "#D", "[aktuelles Datum]"), Baustein(11, "#M", "[aktueller Monat]"),
                       Baustein(12, "#J", "[aktuelles Jahr]"), Baustein(20, "EK", "Einkauf")};
    for (int i = 1; i <= buchungen; ++i) d.Buchungen.push_back(Buchung(i, "Miete", "500,00"));
    d.LetzterIndex = static_cast<int32_t>(d.Buchungen.size()) - 1;
    d.DateiOffen = true;
    return d;
}

// One booking window over its own store, shown and active so that focus and keys behave as on
// the desktop.
struct Aufbau {
    explicit Aufbau(int buchungen = 0, Einstellungen e = {}) : d(Bestand(buchungen)), einstellungen(e) {
        fenster = new TBuchungDlg(d, einstellungen, meldungen, uhr, [this](int art) { aktualisiert.push_back(art); });
        fenster->BefehleGeaendert = [this](bool b, bool v, bool l) {
            menue = {b, v, l};
        };
    }
    ~Aufbau() { delete fenster; }

    void Oeffnen(int32_t position) {
        d.AktIndex = position;
        fenster->show();
        fenster->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fenster));
        fenster->AktIndexZeigen();
    }

    Datenbestand d;
    Einstellungen einstellungen;
    SkriptMeldungen meldungen;
    FesteUhr uhr;
    TBuchungDlg* fenster = nullptr;
    std::vector<int> aktualisiert;
    std::array<bool, 3> menue{};
};

// Where a key goes: the focused widget, or the window when nothing in it has the focus.
QWidget* Ziel(QWidget* fenster) {
    QWidget* f = QApplication::focusWidget();
    return f ? f : fenster;
}

void Tab() {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QApplication::processEvents();  // entering a field selects its text once the click is through
}

// Characters beyond ASCII, as a keyboard layout delivers them.
void Zeichen(QWidget* feld, const QString& text) {
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Click, feld, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Runs `skript` once the modal dialog is up and active; a dialog the script left open is closed so
// that a failing check never hangs the test.
template <typename Skript>
void ImDialog(QDialog* dlg, Skript skript) {
    QTimer::singleShot(0, dlg, [dlg, skript] {
        dlg->activateWindow();
        // Not every platform activates a modal dialog; the checks that need the focus say so.
        (void)QTest::qWaitForWindowActive(dlg);
        skript();  // a failing check returns from the script only
        if (dlg->isVisible()) dlg->reject();
    });
}

void Tippen(QWidget* feld, const QString& text) {
    feld->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    if (auto* zeile = qobject_cast<QLineEdit*>(feld)) zeile->selectAll();
    QTest::keyClicks(feld, text);
}

}  // namespace

class TBuchungDlgTest : public QObject {
    Q_OBJECT
private slots:
    void ControlsCarryTheirCaptions() {
        Aufbau a;
        a.Oeffnen(0);
        TBuchungDlg& w = *a.fenster;
        QCOMPARE(w.windowTitle(), QStringLiteral("Buchung hinzufügen"));
        QCOMPARE(w.BuchenBtn->text(), QStringLiteral("&Buchen"));
        QCOMPARE(w.VerwerfenBtn->text(), QStringLiteral("&Verwerfen"));
        QCOMPARE(w.LoeschBtn->text(), QStringLiteral("&Löschen"));
        QCOMPARE(w.VorlageBtn->text(), QStringLiteral("V&orlage"));
        QCOMPARE(w.ListeBtn->text(), QStringLiteral("L&iste"));
        QCOMPARE(w.BitBtn1->text(), QStringLiteral("&Schließen"));
        QCOMPARE(w.StorniertCBox->text(), QStringLiteral("storni&ert"));
        QCOMPARE(w.IdentNrLabel->text(), QStringLiteral("0001"));
        QCOMPARE(w.HinweisLabel1->text(), QStringLiteral("Neuer Datensatz"));
        QCOMPARE(w.WaehrungLabel->text(), QStringLiteral("EUR"));
        QCOMPARE(w.DatumEdit->Text(), std::string("01.04.26"));
        QVERIFY(!w.ModusBtn->isEnabled());
        QVERIFY(w.GroupBox1->isHidden());
        // The first account and the first category are taken as defaults.
        QCOMPARE(w.Konto1Edit->Edit->text(), QStringLiteral("GIRO"));
        QCOMPARE(w.Konto2Edit->Edit->text(), QStringLiteral("GEH"));
        QCOMPARE(w.BArtLabel->text(), QStringLiteral("Einnahme"));
        QVERIFY(!w.EinnahmeImage->isHidden());
        QVERIFY(w.AusgabeImage->isHidden());
        const QStringList popup = {QStringLiteral("&Buchen"), QStringLiteral("&Verwerfen"), QStringLiteral("&Löschen"),
                                   QStringLiteral("&Gehe zu..."), QStringLiteral("&Vorlage"), QStringLiteral("L&iste")};
        QStringList texte;
        for (QAction* aktion : w.BuchungPopUp->actions()) texte << aktion->text();
        QCOMPARE(texte, popup);
    }

    void PlacementOutlastsTheRunInTheSettingsFile() {
        QTemporaryDir ordner;
        const QString datei = ordner.filePath("talerwerk.ini");
        QMdiArea bereich;
        bereich.resize(900, 700);
        bereich.show();
        {
            Aufbau a;
            a.fenster->LageDateiSetzen(datei);
            QMdiSubWindow* rahmen = bereich.addSubWindow(a.fenster);
            a.Oeffnen(0);
            rahmen->setGeometry(40, 30, 600, 420);
            rahmen->close();
            a.fenster = nullptr;  // the sub-window owns and deletes it
        }
        QCOMPARE(FensterLageLesen(datei.toStdString(), "Buchung", {}), (FensterLage{40, 30, 600, 420}));
        // A damaged placement falls back to a usable one instead of a window too small to see.
        FensterLageSpeichern(datei.toStdString(), "Buchung", {40, 30, 0, 0});
        Aufbau b;
        b.fenster->LageDateiSetzen(datei);
        QMdiSubWindow* rahmen = bereich.addSubWindow(b.fenster);
        b.Oeffnen(0);
        QVERIFY(rahmen->width() >= 100 && rahmen->height() >= 100);
        b.fenster = nullptr;
        delete rahmen;
    }

    void WholeBookingFromTheKeyboard() {
        Einstellungen e;
        e.Buchung = false;  // no confirmation: Enter books at once
        Aufbau a(0, e);
        a.Oeffnen(0);
        TBuchungDlg& w = *a.fenster;

        Tippen(w.DatumEdit->Edit, QStringLiteral("150326"));
        QCOMPARE(w.DatumEdit->Text(), std::string("15.03.26"));
        Tab();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.BetragEdit));
        QTest::keyClicks(w.BetragEdit, QStringLiteral("12.5"));  // the number pad's point is the comma
        QCOMPARE(w.BetragEdit->text(), QStringLiteral("12,5"));
        Tab();
        QCOMPARE(w.BetragEdit->text(), QStringLiteral("12,50"));

        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.Konto1Edit->Edit));
        w.Konto1Edit->Edit->selectAll();
        QTest::keyClicks(w.Konto1Edit->Edit, QStringLiteral("GI"));
        QCOMPARE(w.Konto1Label->text(), QStringLiteral("Girokonto"));
        Tab();
        QCOMPARE(w.Konto1Edit->Edit->text(), QStringLiteral("GIRO"));

        w.Konto2Edit->Edit->selectAll();
        QTest::keyClicks(w.Konto2Edit->Edit, QStringLiteral("LM"));
        QCOMPARE(w.BArtLabel->text(), QStringLiteral("Ausgabe"));
        QCOMPARE(w.vonLabel->text(), QStringLiteral("von"));
        QVERIFY(!w.AusgabeImage->isHidden());
        QVERIFY(w.EinnahmeImage->isHidden());
        Tab();
        // A category with sub-categories is never booked: its first sub-category is taken.
        QCOMPARE(w.Konto2Edit->Edit->text(), QStringLiteral("LMG"));
        QCOMPARE(w.Konto2Label->text(), QStringLiteral("Lebensmittel  \\  Getränke"));

        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.TextEdit->Edit));
        QTest::keyClicks(w.TextEdit->Edit, QStringLiteral("Kauf #D "));
        QCOMPARE(w.TextEdit->Edit->text(), QStringLiteral("Kauf 01.04.2026"));
        QTest::keyClick(w.TextEdit->Edit, Qt::Key_Return);

        QVERIFY(a.meldungen.meldungen.empty());
        QCOMPARE(a.d.Buchungen.size(), size_t(1));
        const buchungstyp& b = a.d.Buchungen[0];
        QCOMPARE(b.IdentNr, 1);
        QCOMPARE(b.Datum, *TagesNummer(15, 3, 2026));
        QCOMPARE(b.Betrag, std::string("12,50"));
        QCOMPARE(b.Konto1, 1);
        QCOMPARE(b.Konto2, 21);
        QCOMPARE(b.BArt, static_cast<int32_t>(BArtAusgabe));
        QCOMPARE(b.Text, std::string("Kauf 01.04.2026"));
        QVERIFY(a.d.Geaendert);
        QCOMPARE(a.aktualisiert, std::vector<int>{1});

        // The window stays on a fresh new booking with the next number and the date kept.
        QCOMPARE(w.IdentNrLabel->text(), QStringLiteral("0002"));
        QCOMPARE(w.HinweisLabel1->text(), QStringLiteral("Neuer Datensatz"));
        QCOMPARE(w.DatumEdit->Text(), std::string("15.03.26"));
        QCOMPARE(w.TextEdit->Edit->text(), QString());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.DatumEdit->Edit));
    }

    void TypedTextIsLimitedAndExpansionFollowsTheSetting() {
        Einstellungen e;
        e.Textbaustein = false;
        Aufbau a(0, e);
        a.Oeffnen(0);
        TBuchungDlg& w = *a.fenster;
        Tippen(w.TextEdit->Edit, QStringLiteral("EK "));
        QCOMPARE(w.TextEdit->Edit->text(), QStringLiteral("EK "));
        Tippen(w.TextEdit->Edit, QString(35, QLatin1Char('x')));
        QCOMPARE(w.TextEdit->Edit->text().size(), 30);
        // A character the data file cannot hold is refused with a message.
        a.meldungen.Leeren();
        QTest::keyClick(w.TextEdit->Edit, Qt::Key_Backspace);
        Zeichen(w.TextEdit->Edit, QStringLiteral("€"));
        Zeichen(w.TextEdit->Edit, QStringLiteral("→"));
        QCOMPARE(w.TextEdit->Edit->text(), QString(29, QLatin1Char('x')) + QStringLiteral("€"));
        QCOMPARE(a.meldungen.Texte(Art::Information).size(), size_t(1));
    }

    void LeavingTheTextFieldExpandsAWholeAbbreviation() {
        Aufbau a;
        a.Oeffnen(0);
        TBuchungDlg& w = *a.fenster;
        Tippen(w.TextEdit->Edit, QStringLiteral("EK"));
        QTest::keyClick(w.TextEdit->Edit, Qt::Key_Tab);
        QCOMPARE(w.TextEdit->Edit->text(), QStringLiteral("Einkauf"));
    }

    void EscInATreeRestoresTheText() {
        Aufbau a;
        a.Oeffnen(0);
        TBuchungDlg& w = *a.fenster;
        Tippen(w.Konto2Edit->Edit, QStringLiteral("MI"));
        w.Konto2Edit->Knopf->click();
        QVERIFY(w.Konto2Edit->BaumOffen());
        QVERIFY(w.ListeBtn->isHidden());
        QTest::keyClick(w.Konto2Edit->Baum, Qt::Key_Up);
        QCOMPARE(w.Konto2Edit->Edit->text(), QStringLiteral("LMG"));
        QTest::keyClick(w.Konto2Edit->Baum, Qt::Key_Escape);
        QVERIFY(!w.Konto2Edit->BaumOffen());
        QVERIFY(!w.ListeBtn->isHidden());
        QCOMPARE(w.Konto2Edit->Edit->text(), QStringLiteral("MI"));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.Konto2Edit->Edit));
        // Esc in the tree did not discard the window's other changes.
        QCOMPARE(w.Konto2Label->text(), QStringLiteral("Miete"));
        QVERIFY(a.meldungen.meldungen.empty());
    }

    void ArrowKeysPassUpwardsOverACategoryWithSubCategories() {
        Aufbau a;
        a.Oeffnen(0);
        TBuchungDlg& w = *a.fenster;
        Tippen(w.Konto2Edit->Edit, QStringLiteral("MI"));
        w.Konto2Edit->Knopf->click();
        QTest::keyClick(w.Konto2Edit->Baum, Qt::Key_Up);  // Getränke
        QCOMPARE(w.Konto2Edit->Edit->text(), QStringLiteral("LMG"));
        QCOMPARE(w.Konto2Edit->Ausgewaehlt(), 4);
        // Lebensmittel: its first sub-category goes into the field, but the selection stays, or
        // the next Up would land on the sub-category again.
        QTest::keyClick(w.Konto2Edit->Baum, Qt::Key_Up);
        QCOMPARE(w.Konto2Edit->Edit->text(), QStringLiteral("LMG"));
        QCOMPARE(w.Konto2Edit->Ausgewaehlt(), 3);
        QTest::keyClick(w.Konto2Edit->Baum, Qt::Key_Up);  // heading Ausgabe: the field keeps its text
        QCOMPARE(w.Konto2Edit->Ausgewaehlt(), 2);
        QTest::keyClick(w.Konto2Edit->Baum, Qt::Key_Up);  // Gehalt
        QCOMPARE(w.Konto2Edit->Edit->text(), QStringLiteral("GEH"));
        QCOMPARE(w.BArtLabel->text(), QStringLiteral("Einnahme"));
        QTest::keyClick(w.Konto2Edit->Baum, Qt::Key_Return);
        QVERIFY(!w.Konto2Edit->BaumOffen());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.TextEdit->Edit));
    }

    void ClickInATreeTakesTheEntryAndMovesOn() {
        Aufbau a;
        a.Oeffnen(0);
        TBuchungDlg& w = *a.fenster;
        w.Konto1Edit->Knopf->click();
        QTreeWidget* baum = w.Konto1Edit->Baum;
        QTreeWidgetItem* bar = baum->topLevelItem(0)->child(1);
        QCOMPARE(bar->text(0), QStringLiteral("BAR  \\  Bargeld"));
        const QRect r = baum->visualItemRect(bar);
        QTest::mouseClick(baum->viewport(), Qt::LeftButton, {}, r.center());
        QVERIFY(!w.Konto1Edit->BaumOffen());
        QCOMPARE(w.Konto1Edit->Edit->text(), QStringLiteral("BAR"));
        QCOMPARE(w.Konto1Label->text(), QStringLiteral("Bargeld"));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.Konto2Edit->Edit));

        // The text tree shows the expanded snippets; a click takes the text.
        w.TextEdit->Knopf->click();
        QTreeWidgetItem* datum = w.TextEdit->Baum->topLevelItem(0)->child(0);
        QCOMPARE(datum->text(0), QStringLiteral("01.04.2026"));
        QTest::mouseClick(w.TextEdit->Baum->viewport(), Qt::LeftButton, {}, w.TextEdit->Baum->visualItemRect(datum).center());
        QCOMPARE(w.TextEdit->Edit->text(), QStringLiteral("01.04.2026"));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.BelegnrEdit));
    }

    void SavingsAccountInSecondFieldMakesATransfer() {
        Aufbau a;
        a.Oeffnen(0);
        TBuchungDlg& w = *a.fenster;
        Tippen(w.Konto2Edit->Edit, QStringLiteral("SPAR"));
        QCOMPARE(w.BArtLabel->text(), QStringLiteral("Umbuchung"));
        QCOMPARE(w.RubrikLabel->text(), QStringLiteral("Konto &2"));
        QCOMPARE(w.aufLabel->text(), QStringLiteral("auf"));
        QVERIFY(w.UmbuchungRBtn->isChecked());
        QVERIFY(!w.UmbuchgImage->isHidden());
        w.Konto2Edit->Edit->clear();
        QCOMPARE(w.BArtLabel->text(), QStringLiteral("Einnahme"));
        QCOMPARE(w.Konto2Label->text(), QStringLiteral("Eintrag nicht vorhanden"));
        QCOMPARE(w.RubrikLabel->text(), QStringLiteral("&Rubrik"));
    }

    void LockingWithChangesAsksAndCancelKeepsEditing() {
        Einstellungen e;
        e.BuchungEdit = false;
        Aufbau a(2, e);
        a.Oeffnen(0);
        TBuchungDlg& w = *a.fenster;
        QVERIFY(w.Daten->isEnabled());
        QCOMPARE(w.ModusBtn->text(), QStringLiteral("Bearbeitun&g sperren"));
        Tippen(w.BetragEdit, QStringLiteral("7"));
        a.meldungen.antworten = {Antwort::Abbrechen};
        w.ModusBtn->click();
        QCOMPARE(a.meldungen.Texte(Art::Frage),
                 std::vector<std::string>{"Daten wurden verändert!\rSoll Buchung mit neuen Werten vorgenommen werden?"});
        QVERIFY(w.Daten->isEnabled());
        QVERIFY(!w.Gesperrt());
        QCOMPARE(w.ModusBtn->text(), QStringLiteral("Bearbeitun&g sperren"));
        QCOMPARE(w.BetragEdit->Betrag(), std::string("7,00"));
        QCOMPARE(a.d.Buchungen[0].Betrag, std::string("500,00"));
    }

    void WithBuchungEditMovingLocksAndEnterGoesOn() {
        Aufbau a(3);
        a.Oeffnen(0);
        TBuchungDlg& w = *a.fenster;
        QCOMPARE(w.windowTitle(), QStringLiteral("Buchung bearbeiten"));
        QVERIFY(!w.Daten->isEnabled());
        QCOMPARE(w.ModusBtn->text(), QStringLiteral("Bearbeitun&g erlauben"));
        QCOMPARE(w.StandardKnopf(), static_cast<QAbstractButton*>(w.VorBtn));

        w.ModusBtn->click();
        QVERIFY(w.Daten->isEnabled());
        QCOMPARE(w.StandardKnopf(), static_cast<QAbstractButton*>(w.BuchenBtn));
        w.VorBtn->click();
        QCOMPARE(w.IdentNrLabel->text(), QStringLiteral("0002"));
        QVERIFY(!w.Daten->isEnabled());  // every other booking is locked again

        // Locked: Enter moves to the next booking.
        QTest::keyClick(Ziel(&w), Qt::Key_Return);
        QCOMPARE(a.d.AktIndex, 2);
        QCOMPARE(w.IdentNrLabel->text(), QStringLiteral("0003"));
        QTest::keyClick(Ziel(&w), Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(w.HinweisLabel1->text(), QStringLiteral("Neuer Datensatz"));
        QVERIFY(w.Daten->isEnabled());
        QVERIFY(!w.ModusBtn->isEnabled());
        QVERIFY(!w.LoeschBtn->isEnabled());
        QTest::keyClick(Ziel(&w), Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(w.IdentNrLabel->text(), QStringLiteral("0003"));
        QVERIFY(!w.Daten->isEnabled());
        QTest::keyClick(Ziel(&w), Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(a.d.AktIndex, 0);
        QVERIFY(a.meldungen.meldungen.empty());
    }

    void EscDiscardsTheChangesOnScreen() {
        Einstellungen e;
        e.BuchungEdit = false;
        Aufbau a(1, e);
        a.Oeffnen(0);
        TBuchungDlg& w = *a.fenster;
        Tippen(w.TextEdit->Edit, QStringLiteral("Strom"));
        QTest::keyClick(w.TextEdit->Edit, Qt::Key_Escape);
        QCOMPARE(w.TextEdit->Edit->text(), QStringLiteral("Miete"));
        QVERIFY(a.meldungen.meldungen.empty());
    }

    void ClosingWithAnEmptyTextAsksAndStaysOpen() {
        Aufbau a;
        a.Oeffnen(0);
        TBuchungDlg& w = *a.fenster;
        bool geschlossen = false;
        QObject::connect(&w, &TBuchungDlg::Geschlossen, [&] { geschlossen = true; });
        Tippen(w.BetragEdit, QStringLiteral("20"));
        a.meldungen.antworten = {Antwort::Ja};
        QVERIFY(!w.close());
        QVERIFY(!geschlossen);
        QVERIFY(w.isVisible());
        QCOMPARE(a.meldungen.Texte(Art::Frage),
                 std::vector<std::string>{"Daten wurden verändert!\rSoll Buchung mit neuen Werten vorgenommen werden?"});
        QCOMPARE(a.meldungen.Texte(Art::Information),
                 std::vector<std::string>{"Buchen nicht möglich!\rBuchungstext darf nicht leer sein!"});
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.TextEdit->Edit));
        QVERIFY(a.d.Buchungen.empty());

        // Dropping the changes lets it close, and the main window's commands go off.
        a.meldungen.antworten = {Antwort::Nein};
        QVERIFY(w.close());
        QVERIFY(geschlossen);
        QCOMPARE(a.d.AnzeigeIndex, -1);
        QCOMPARE(a.menue, (std::array<bool, 3>{false, false, false}));
    }

    void NoAccountsDisablesBooking() {
        Aufbau a;
        a.d.Konten.clear();
        a.fenster->ListenNeuAufbauen();
        a.Oeffnen(0);
        TBuchungDlg& w = *a.fenster;
        QVERIFY(!w.BuchenBtn->isEnabled());
        QVERIFY(!w.VerwerfenBtn->isEnabled());
        QCOMPARE(a.menue[0], false);
        QCOMPARE(w.Konto1Edit->Edit->text(), QString());
        // Enter does not book either.
        Tippen(w.TextEdit->Edit, QStringLiteral("x"));
        QTest::keyClick(w.TextEdit->Edit, Qt::Key_Return);
        QVERIFY(a.d.Buchungen.empty());
        QVERIFY(a.meldungen.meldungen.empty());
    }

    void DeleteHiddenWhenTheClientDataForbidIt() {
        Einstellungen e;
        e.BuchungEdit = false;
        Aufbau a(2, e);
        a.d.Mandant.Merker1 = false;
        a.Oeffnen(0);
        TBuchungDlg& w = *a.fenster;
        QVERIFY(w.LoeschBtn->isHidden());
        QVERIFY(!w.PopupLoeschen->isVisible());
        w.LoeschenHauptfenster();
        QCOMPARE(a.d.Buchungen.size(), size_t(2));

        a.d.Mandant.Merker1 = true;
        w.AktIndexZeigen();
        QVERIFY(!w.LoeschBtn->isHidden());
        QVERIFY(w.LoeschBtn->isEnabled());
        a.meldungen.antworten = {Antwort::Ja};
        w.LoeschBtn->click();
        QCOMPARE(a.meldungen.Texte(Art::Frage), std::vector<std::string>{"Soll Buchung \"0001\" wirklich gelöscht werden?"});
        QCOMPARE(a.d.Buchungen.size(), size_t(1));
        QCOMPARE(w.IdentNrLabel->text(), QStringLiteral("0002"));
    }

    void GoToFieldMovesOrBeeps() {
        Einstellungen e;
        e.BuchungEdit = false;
        Aufbau a(3, e);
        a.Oeffnen(0);
        TBuchungDlg& w = *a.fenster;
        w.GeheZuFeld();
        QCOMPARE(w.GeheZuEdit->text(), QStringLiteral("0001"));
        w.GeheZuEdit->selectAll();
        QTest::keyClicks(w.GeheZuEdit, QStringLiteral("3"));
        QTest::keyClick(w.GeheZuEdit, Qt::Key_Return);
        QCOMPARE(w.IdentNrLabel->text(), QStringLiteral("0003"));
        QCOMPARE(w.GeheZuEdit->selectedText(), QStringLiteral("0003"));

        w.GeheZuEdit->selectAll();
        QTest::keyClicks(w.GeheZuEdit, QStringLiteral("9"));
        QTest::keyClick(w.GeheZuEdit, Qt::Key_Return);
        QCOMPARE(w.IdentNrLabel->text(), QStringLiteral("0003"));
        QCOMPARE(a.meldungen.meldungen.size(), size_t(1));
        QCOMPARE(a.meldungen.meldungen[0].art, Art::Piep);

        // A number typed and then a navigation button: the number wins.
        w.GeheZuEdit->selectAll();
        QTest::keyClicks(w.GeheZuEdit, QStringLiteral("2"));
        w.EndeBtn->click();
        QCOMPARE(w.IdentNrLabel->text(), QStringLiteral("0002"));
        // Leaving the field puts the shown number back.
        w.GeheZuEdit->setText(QStringLiteral("12"));
        w.BemerkungEdit->setFocus();
        QCOMPARE(w.GeheZuEdit->text(), QStringLiteral("0002"));
    }

    void GoToDialogByVoucherNumber() {
        Einstellungen e;
        e.BuchungEdit = false;
        Aufbau a(3, e);
        a.d.Buchungen.Aendern(1, [&](buchungstyp& satz) { satz.Belegnr = "R-17"; });
        a.d.Buchungen.Aendern(2, [&](buchungstyp& satz) { satz.Belegnr = "R-17"; });
        a.Oeffnen(0);
        TBuchungDlg& w = *a.fenster;
        TGeheZuDlg* g = w.GeheZuDlg;
        ImDialog(g, [g] {
            QVERIFY(g->BuchungNrRBtn->isChecked());
            QVERIFY(!g->BelegNrEdit->isEnabled());
            g->BelegNrRBtn->click();
            QVERIFY(g->BelegNrEdit->isEnabled());
            QVERIFY(!g->BuchungNrEdit->isEnabled());
            g->OKBtn->click();  // empty field: stays open
            QVERIFY(g->isVisible());
            QTest::keyClicks(g->BelegNrEdit, QStringLiteral("R-17"));
            g->OKBtn->click();
        });
        w.GeheZuDialog();
        QCOMPARE(w.IdentNrLabel->text(), QStringLiteral("0002"));  // the first with that voucher number

        ImDialog(g, [g] {
            QVERIFY(g->BuchungNrRBtn->isChecked());  // checked again whenever shown
            QTest::keyClicks(g->BuchungNrEdit, QStringLiteral("77"));
            // Enter belongs to the dialog, not to the booking window behind it.
            QTest::keyClick(g->BuchungNrEdit, Qt::Key_Return);
        });
        w.GeheZuDialog();
        QCOMPARE(w.IdentNrLabel->text(), QStringLiteral("0002"));
        QCOMPARE(a.meldungen.meldungen.size(), size_t(1));
        QCOMPARE(a.meldungen.meldungen.back().art, Art::Piep);
    }

    void CalculatorHandOverOnlyWhileEditingIsAllowed() {
        Aufbau a(1);
        a.Oeffnen(1);
        TBuchungDlg& w = *a.fenster;
        w.RechnerUebernahme("15,00");
        QCOMPARE(w.BetragEdit->Betrag(), std::string("15,00"));
        w.RechnerUebernahme("-3,00");
        QCOMPARE(w.BetragEdit->Betrag(), std::string("15,00"));
        QCOMPARE(a.meldungen.Texte(Art::Information).size(), size_t(1));

        a.meldungen.Leeren();
        a.meldungen.antworten = {Antwort::Nein};  // leave the new booking without storing it
        w.AnfangBtn->click();
        QVERIFY(w.Gesperrt());
        w.RechnerUebernahme("15,00");
        QCOMPARE(a.meldungen.Texte(Art::Information),
                 std::vector<std::string>{"Übernahme nicht möglich\rBuchungsbearbeitung gesperrt!"});
        QCOMPARE(w.BetragEdit->Betrag(), std::string("500,00"));
    }

    void TemplateKeepsNumberDateAndCancelledFlag() {
        Einstellungen e;
        e.BuchungEdit = false;
        Aufbau a(1, e);
        a.d.Buchungen.Aendern(0, [&](buchungstyp& satz) { satz.Kennung = "K1"; });
        a.d.Buchungen.Aendern(0, [&](buchungstyp& satz) { satz.Bezeichnung = "Miete monatlich"; });
        a.d.Buchungen.Aendern(0, [&](buchungstyp& satz) { satz.Storniert = true; });
        a.Oeffnen(0);
        TBuchungDlg& w = *a.fenster;
        QCOMPARE(w.HinweisLabel1->text(), QStringLiteral("Regelmäßige Buchung"));
        QCOMPARE(w.HinweisLabel2->text(), QStringLiteral("Miete monatlich"));
        buchungstyp v;
        v.Satzart = SatzVorlage;
        v.Text = "EK #M";
        v.Betrag = "42,00";
        v.Konto1 = 2;
        v.Konto2 = 20;
        v.BArt = BArtAusgabe;
        v.Datum = *TagesNummer(1, 1, 2020);
        w.VorlageUebernehmen(v);
        QCOMPARE(w.TextEdit->Edit->text(), QStringLiteral("Einkauf April"));
        QCOMPARE(w.Konto1Edit->Edit->text(), QStringLiteral("BAR"));
        QCOMPARE(w.IdentNrLabel->text(), QStringLiteral("0001"));
        QCOMPARE(w.DatumEdit->Text(), std::string("01.03.26"));
        QVERIFY(w.StorniertCBox->isChecked());
        QCOMPARE(w.HinweisLabel2->text(), QString());
        QVERIFY(w.Eingabe().Geaendert());
    }

    void ChartChangeKeepsAHalfTypedBooking() {
        Aufbau a;
        a.Oeffnen(0);
        TBuchungDlg& w = *a.fenster;
        Tippen(w.TextEdit->Edit, QStringLiteral("Halb getippt"));
        a.d.Konten.push_back(Konto(30, ArtAusgabe, "KFZ", "Auto"));
        w.ListenNeuAufbauen();
        QCOMPARE(w.TextEdit->Edit->text(), QStringLiteral("Halb getippt"));
        Tippen(w.Konto2Edit->Edit, QStringLiteral("KFZ"));
        QCOMPARE(w.Konto2Label->text(), QStringLiteral("Auto"));
    }

    // ---- the snippet editor ----

    void SnippetEditorProtectsTheBuiltInsAndAsksBeforeDeleting() {
        Datenbestand d = Bestand();
        SkriptMeldungen m;
        FesterZufall z;
        TTextBausteinDlg dlg(m);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Textbausteine bearbeiten"));
        dlg.Fuellen(d.Textbausteine, z);
        QTreeWidgetItem* kopf = dlg.Outline1->topLevelItem(0);
        QCOMPARE(kopf->text(0), QStringLiteral("Textbaustein"));
        QCOMPARE(kopf->childCount(), 4);
        QCOMPARE(dlg.Outline1->currentItem(), kopf);
        QVERIFY(dlg.EinfgBtn->isEnabled());
        QVERIFY(!dlg.LoeschBtn->isEnabled());
        QVERIFY(!dlg.AbkEdit->isEnabled());

        dlg.Outline1->setCurrentItem(kopf->child(0));
        QCOMPARE(dlg.AbkEdit->text(), QStringLiteral("#D"));
        QCOMPARE(dlg.TextEdit->text(), QStringLiteral("[aktuelles Datum]"));
        QVERIFY(!dlg.AbkEdit->isEnabled());
        QVERIFY(!dlg.LoeschBtn->isEnabled());

        dlg.Outline1->setCurrentItem(kopf->child(3));
        QVERIFY(dlg.AbkEdit->isEnabled());
        QVERIFY(dlg.LoeschBtn->isEnabled());
        m.antworten = {Antwort::Ja};
        dlg.LoeschBtn->click();
        QCOMPARE(m.Texte(Art::Frage), std::vector<std::string>{"Soll Textbaustein \"EK\" wirklich gelöscht werden?"});
        QCOMPARE(dlg.Outline1->topLevelItem(0)->childCount(), 3);
        QCOMPARE(d.Textbausteine.size(), size_t(4));  // the store only changes on OK
    }

    void SnippetEditorNewRefusesDuplicatesAndOkRebuilds() {
        Datenbestand d = Bestand();
        SkriptMeldungen m;
        FesterZufall z;
        TTextBausteinDlg dlg(m);
        ImDialog(&dlg, [&] {
            dlg.EinfgBtn->click();
            QCOMPARE(dlg.AbkEdit->text(), QStringLiteral("tbs1"));
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dlg.AbkEdit));
            dlg.AbkEdit->selectAll();
            QTest::keyClicks(dlg.AbkEdit, QStringLiteral("EK"));
            dlg.TextEdit->setText(QStringLiteral("Kino"));
            // Choosing another snippet first checks the fields: refused, the new one stays selected.
            dlg.Outline1->setCurrentItem(dlg.Outline1->topLevelItem(0)->child(3));
            QCOMPARE(m.Texte(Art::Information), std::vector<std::string>{"Textbaustein bereits vorhanden!"});
            QCOMPARE(dlg.Outline1->currentItem(), dlg.Outline1->topLevelItem(0)->child(4));
            dlg.AbkEdit->setText(QStringLiteral(""));
            dlg.OKBtn->click();
            QCOMPARE(m.Texte(Art::Information).back(), std::string("Textbausteinabkürzung darf nicht leer sein!"));
            QVERIFY(dlg.isVisible());
            QTest::keyClicks(dlg.AbkEdit, QStringLiteral("KI"));
            dlg.OKBtn->click();
        });
        QVERIFY(dlg.Bearbeiten(d, z));
        QCOMPARE(d.Textbausteine.size(), size_t(5));
        QCOMPARE(d.Textbausteine[4].Abk, std::string("KI"));
        QCOMPARE(d.Textbausteine[4].Text1, std::string("Kino"));
        QCOMPARE(d.Textbausteine[4].Nr, 25);
        QVERIFY(d.Geaendert);
    }

    void SnippetEditorCancelKeepsTheOldText() {
        Datenbestand d = Bestand();
        SkriptMeldungen m;
        FesterZufall z;
        TTextBausteinDlg dlg(m);
        ImDialog(&dlg, [&] {
            dlg.Outline1->setCurrentItem(dlg.Outline1->topLevelItem(0)->child(3));
            dlg.TextEdit->setText(QStringLiteral("Großeinkauf"));
            dlg.Outline1->setCurrentItem(dlg.Outline1->topLevelItem(0));
            QCOMPARE(dlg.Editor().Eintraege()[3].Text1, std::string("Großeinkauf"));
            dlg.AbbruchBtn->click();
        });
        QVERIFY(!dlg.Bearbeiten(d, z));
        QCOMPARE(d.Textbausteine[3].Text1, std::string("Einkauf"));
        QVERIFY(!d.Geaendert);
    }

    void CalendarOffersOnlyYearsTheFileCanKeep() {
        // The file stores two-digit years: a date picked outside 1980–2079 would come back another.
        Aufbau a(1);
        a.Oeffnen(1);
        auto* kalender = a.fenster->DatumEdit->findChild<QCalendarWidget*>();
        QVERIFY(kalender);
        QCOMPARE(kalender->minimumDate(), QDate(1980, 1, 1));
        QCOMPARE(kalender->maximumDate(), QDate(2079, 12, 31));
    }

    void OpeningPutsTheFocusIntoTheDate() {
        // The new-booking position and an existing booking with editing allowed: typing starts in
        // the date at once.
        Aufbau a(2);
        a.Oeffnen(2);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(a.fenster->DatumEdit->Edit));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("150326"));
        QCOMPARE(a.fenster->DatumEdit->Text(), std::string("15.03.26"));

        Einstellungen offen;
        offen.BuchungEdit = false;
        Aufbau b(2, offen);
        b.Oeffnen(0);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(b.fenster->DatumEdit->Edit));
        // Opening again at another position after the focus wandered off brings it back.
        b.fenster->BitBtn1->setFocus();
        b.d.AktIndex = 1;
        b.fenster->AktIndexZeigen();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(b.fenster->DatumEdit->Edit));
        // A change that cannot be stored keeps the window where it was, the focus on the fault.
        Tippen(b.fenster->TextEdit->Edit, QString());
        QTest::keyClick(b.fenster->TextEdit->Edit, Qt::Key_Backspace);
        b.meldungen.antworten = {Antwort::Ja};
        b.d.AktIndex = 0;
        b.fenster->AktIndexZeigen();
        QCOMPARE(b.d.AnzeigeIndex, 1);
        QCOMPARE(b.meldungen.Texte(Art::Information),
                 std::vector<std::string>({"Buchen nicht möglich!\rBuchungstext darf nicht leer sein!"}));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(b.fenster->TextEdit->Edit));

        // Locked: the fields are disabled, the window itself holds the focus and Enter goes on.
        Aufbau c(2);
        c.Oeffnen(0);
        QVERIFY(c.fenster->Gesperrt());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(c.fenster));
        QTest::keyClick(c.fenster, Qt::Key_Return);
        QCOMPARE(c.d.AktIndex, 1);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(c.fenster));
        // On to the new booking, which is always editable: the date takes the focus again.
        QTest::keyClick(c.fenster, Qt::Key_Return);
        QCOMPARE(c.d.AktIndex, 2);
        QVERIFY(!c.fenster->Gesperrt());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(c.fenster->DatumEdit->Edit));
    }

    void FocusGivenToTheWindowGoesIntoTheDate() {
        // An MDI frame hands the focus to the window itself when it is activated again.
        QMdiArea bereich;
        bereich.resize(900, 700);
        bereich.show();
        Aufbau a;
        QMdiSubWindow* rahmen = bereich.addSubWindow(a.fenster);
        a.Oeffnen(0);
        a.fenster->BitBtn1->setFocus();
        a.fenster->setFocus(Qt::ActiveWindowFocusReason);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(a.fenster->DatumEdit->Edit));
        a.fenster = nullptr;
        delete rahmen;
    }

    void TabWalksEveryControlInScreenOrderAndWraps() {
        Einstellungen offen;
        offen.BuchungEdit = false;
        Aufbau a(2, offen);
        a.Oeffnen(0);
        TBuchungDlg& w = *a.fenster;
        const std::vector<QWidget*> erwartet = {
            w.DatumEdit->Edit, w.BetragEdit,    w.Konto1Edit->Edit, w.Konto2Edit->Edit, w.TextEdit->Edit,
            w.BelegnrEdit,     w.StorniertCBox, w.BemerkungEdit,    w.BuchenBtn,        w.VerwerfenBtn,
            w.LoeschBtn,       w.VorlageBtn,    w.ListeBtn,         w.ModusBtn,         w.AnfangBtn,
            w.ZurueckBtn,      w.GeheZuEdit,    w.VorBtn,           w.EndeBtn,          w.BitBtn1};
        QCOMPARE(w.Tabfolge(), erwartet);
        QCOMPARE(QApplication::focusWidget(), erwartet.front());
        for (size_t i = 1; i <= erwartet.size(); ++i) {
            Tab();
            QCOMPARE(QApplication::focusWidget(), erwartet[i % erwartet.size()]);
        }
        // Shift+Tab goes back the same way, over the start.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.BitBtn1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.EndeBtn));
        // Enter on a navigation button reached with Tab presses that button, not "Buchen".
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(a.d.AktIndex, 1);
        QVERIFY(a.d.Buchungen.size() == 2 && a.meldungen.meldungen.empty());
    }

    void TabSkipsWhatCannotBeUsed() {
        // At the new-booking position "Löschen" and the lock button are disabled; while locked the
        // whole panel is, and Tab starts from the window at the list button.
        Aufbau a(1);
        a.Oeffnen(1);
        TBuchungDlg& w = *a.fenster;
        w.VorlageBtn->setFocus(Qt::TabFocusReason);
        Tab();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.ListeBtn));
        w.VerwerfenBtn->setFocus(Qt::TabFocusReason);
        Tab();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.VorlageBtn));  // Löschen disabled
        Tab();
        Tab();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.AnfangBtn));  // lock button disabled

        Aufbau b(2);
        b.Oeffnen(0);
        QVERIFY(b.fenster->Gesperrt());
        Tab();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(b.fenster->ListeBtn));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(b.fenster->BitBtn1));
    }

    void TabFromAnOpenTreeGoesOnToTheNextField() {
        Aufbau a;
        a.Oeffnen(0);
        TBuchungDlg& w = *a.fenster;
        w.Konto1Edit->Knopf->click();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.Konto1Edit->Baum));
        QTest::keyClick(w.Konto1Edit->Baum, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.Konto2Edit->Edit));
        QVERIFY(!w.Konto1Edit->BaumOffen());
    }

    void FocusedButtonLooksDifferent() {
        Aufbau a;
        a.Oeffnen(0);
        TBuchungDlg& w = *a.fenster;
        w.VorlageBtn->setFocus();
        QApplication::processEvents();
        const QImage ohne = w.ListeBtn->grab().toImage();
        Tab();
        QVERIFY(w.ListeBtn->hasFocus());
        QVERIFY(ohne != w.ListeBtn->grab().toImage());
    }

    void OpeningATreeFromTheKeyboardLeavesTheFieldAlone() {
        Aufbau a;
        a.Oeffnen(0);
        TBuchungDlg& w = *a.fenster;
        // "LM" selects its first sub-category in the tree; only a choice may put "LMG" in the field.
        Tippen(w.Konto2Edit->Edit, QStringLiteral("LM"));
        QTest::keyPress(w.Konto2Edit->Edit, Qt::Key_Alt);
        QTest::keyPress(w.Konto2Edit->Edit, Qt::Key_Down, Qt::AltModifier);
        QVERIFY(w.Konto2Edit->BaumOffen());
        // The keys are let go over the tree, which has the focus now.
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.Konto2Edit->Baum));
        QTest::keyRelease(w.Konto2Edit->Baum, Qt::Key_Down, Qt::AltModifier);
        QTest::keyRelease(w.Konto2Edit->Baum, Qt::Key_Alt);
        QCOMPARE(w.Konto2Edit->Edit->text(), QStringLiteral("LM"));
        // A key pressed in the tree then chooses as before.
        QTest::keyClick(w.Konto2Edit->Baum, Qt::Key_Down);
        QCOMPARE(w.Konto2Edit->Edit->text(), QStringLiteral("MI"));
        QTest::keyClick(w.Konto2Edit->Baum, Qt::Key_Escape);
        QCOMPARE(w.Konto2Edit->Edit->text(), QStringLiteral("LM"));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.Konto2Edit->Edit));
        // Leaving through the tree is leaving the field: a category with sub-categories is never
        // left in it, and the field after it is not touched on the way.
        w.TextEdit->Edit->setText(QStringLiteral("EK"));
        QTest::keyClick(w.Konto2Edit->Edit, Qt::Key_F4);
        QTest::keyClick(w.Konto2Edit->Baum, Qt::Key_Return);
        QCOMPARE(w.Konto2Edit->Edit->text(), QStringLiteral("LMG"));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.TextEdit->Edit));
        QCOMPARE(w.TextEdit->Edit->text(), QStringLiteral("EK"));

        // F4 in the text field: the tree's first snippet is not taken by opening.
        Tippen(w.TextEdit->Edit, QStringLiteral("Baecker"));
        QTest::keyPress(w.TextEdit->Edit, Qt::Key_F4);
        QVERIFY(w.TextEdit->BaumOffen());
        QTest::keyRelease(QApplication::focusWidget(), Qt::Key_F4);
        QCOMPARE(w.TextEdit->Edit->text(), QStringLiteral("Baecker"));
        QTest::keyClick(w.TextEdit->Baum, Qt::Key_Down);
        QVERIFY(w.TextEdit->Edit->text() != QStringLiteral("Baecker"));
    }

    void RefusedAmountKeysBeepAndKeepTheAmount() {
        Aufbau a;
        a.Oeffnen(0);
        TBuchungDlg& w = *a.fenster;
        auto piepse = [&] { return a.meldungen.Texte(Art::Piep).size(); };
        Tippen(w.BetragEdit, QStringLiteral("999999"));
        QCOMPARE(piepse(), size_t(0));
        // A seventh digit, a third decimal, a sign, a letter, a second comma: refused with a beep.
        QTest::keyClicks(w.BetragEdit, QStringLiteral("9"));
        QCOMPARE(piepse(), size_t(1));
        QTest::keyClicks(w.BetragEdit, QStringLiteral(",99"));
        QCOMPARE(w.BetragEdit->text(), QStringLiteral("999999,99"));
        QTest::keyClicks(w.BetragEdit, QStringLiteral("9-x,"));
        QCOMPARE(piepse(), size_t(5));
        QCOMPARE(w.BetragEdit->text(), QStringLiteral("999999,99"));
        QCOMPARE(w.BetragEdit->Betrag(), std::string("999999,99"));
        // A digit in front of the six is refused too, wherever the cursor stands.
        w.BetragEdit->home(false);
        QTest::keyClick(w.BetragEdit, Qt::Key_1);
        QCOMPARE(piepse(), size_t(6));
        QCOMPARE(w.BetragEdit->Betrag(), std::string("999999,99"));
        // Pasting a number out of range changes nothing either, and is heard.
        QApplication::clipboard()->setText(QStringLiteral("1234567"));
        w.BetragEdit->selectAll();
        QTest::keySequence(w.BetragEdit, QKeySequence::Paste);
        QCOMPARE(w.BetragEdit->Betrag(), std::string("999999,99"));
        QCOMPARE(piepse(), size_t(7));
        Tab();
        QCOMPARE(w.BetragEdit->text(), QStringLiteral("999.999,99"));
    }

    void SnippetChangeRebuildsTheBookingWindowsTextTree() {
        Aufbau a;
        a.Oeffnen(0);
        a.d.Textbausteine.push_back(Baustein(30, "MI", "Miete #M"));
        a.fenster->ListenNeuAufbauen();
        Tippen(a.fenster->TextEdit->Edit, QStringLiteral("MI "));
        QCOMPARE(a.fenster->TextEdit->Edit->text(), QStringLiteral("Miete April"));
    }
};

QTEST_MAIN(TBuchungDlgTest)
#include "tbuchungdlg_test.moc"
