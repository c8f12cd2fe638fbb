// The template list and the template editor, driven through their controls: selection summary and
// enabling, new/edit/delete with the name checks, the limit, inserting, and what the editor keeps.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

#include "bookings/qtbetragsfeld.h"
#include "bookings/qtbuchungsart.h"
#include "bookings/qtsuchfeld.h"
#include "bookings/tvorlagendatdlg.h"
#include "bookings/tvorlagenplandlg.h"
#include "qtskript.h"

using namespace talerwerk;
using Art = SkriptMeldung::Art;

namespace {

kontotyp Eintrag(int32_t nr, int32_t art, int32_t ober, const std::string& abk, const std::string& name) {
    kontotyp k;
    k.Nr = nr;
    k.Art = art;
    k.OberNr = ober;
    k.Abk = abk;
    k.Name = name;
    return k;
}

buchungstyp Vorlage(int32_t nr, const std::string& name, int32_t bart, int32_t k1, int32_t k2,
                    const std::string& betrag, const std::string& text) {
    buchungstyp v = BuchungVorgabe(SatzVorlage, 0);
    v.IdentNr = nr;
    v.Bezeichnung = name;
    v.BArt = bart;
    v.Konto1 = k1;
    v.Konto2 = k2;
    v.Betrag = betrag;
    v.Text = text;
    return v;
}

// Giro 1, Spar 2, Haushalt 3 with Lebensmittel 4 (Ausgabe), Gehalt 5 (Einnahme); two templates.
Datenbestand Buch() {
    Datenbestand d;
    d.Mandant.Text4 = "EUR";
    d.Konten = {Eintrag(5, ArtEinnahme, 0, "GEH", "Gehalt"), Eintrag(3, ArtAusgabe, 0, "HH", "Haushalt"),
                Eintrag(4, ArtAusgabe, 3, "LM", "Lebensmittel"), Eintrag(1, ArtBestandskonto, 0, "GIRO", "Girokonto"),
                Eintrag(2, ArtSparkonto, 0, "SPAR", "Sparbuch")};
    d.Textbausteine = EingebauteTextbausteine();
    d.Textbausteine.push_back(TextbausteinSatz(20, "ek", "Einkauf"));
    d.Vorlagen = {Vorlage(10001, "Einkauf", BArtAusgabe, 1, 4, "42,50", "ek #D"),
                  Vorlage(10002, "Sparen", BArtUmbuchung, 1, 2, "100,00", "Sparrate")};
    return d;
}

QStringList Kinder(QTreeWidget* baum) {
    QStringList t;
    QTreeWidgetItem* kopf = baum->topLevelItem(0);
    for (int i = 0; kopf && i < kopf->childCount(); ++i) t << kopf->child(i)->text(0);
    return t;
}

// Runs `skript` once the modal editor is up; an editor the script left open is cancelled, so
// that a failing check never hangs the test. (Over the list the offscreen platform does not make
// the editor the application's active window: its focus is read from the editor itself.)
void ImEditor(TVorlagenDatDlg* dlg, std::function<void()> skript) {
    QTimer::singleShot(0, dlg, [dlg, skript] {
        QVERIFY(dlg->isVisible());
        dlg->activateWindow();
        (void)QTest::qWaitForWindowActive(dlg);
        skript();
        if (dlg->isVisible()) dlg->reject();
    });
}

void Bild(QWidget* w, const QString& name) {
    // Screenshots for checking the layout by eye: TALERWERK_BILDER=<folder>.
    const QString ordner = qEnvironmentVariable("TALERWERK_BILDER");
    if (!ordner.isEmpty()) w->grab().save(ordner + QLatin1Char('/') + name + QStringLiteral(".png"));
}

struct Aufbau {
    Datenbestand d = Buch();
    SkriptMeldungen m;
    TVorlagenPlanDlg dlg{d, m};
    void Oeffnen(bool einfuegen) {
        dlg.Oeffnen(einfuegen);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
    }
    void Waehlen(int i) { dlg.Outline1->setCurrentItem(dlg.Outline1->topLevelItem(0)->child(i)); }
};

}  // namespace

class TVorlagenPlanDlgTest : public QObject {
    Q_OBJECT
private slots:
    void KopfUndZusammenfassung() {
        Aufbau a;
        a.Oeffnen(false);
        TVorlagenPlanDlg& w = a.dlg;
        QCOMPARE(w.windowTitle(), QStringLiteral("Vorlagen"));
        QCOMPARE(w.Outline1->topLevelItem(0)->text(0), QStringLiteral("Vorlage"));
        QCOMPARE(Kinder(w.Outline1), QStringList({"Einkauf", "Sparen"}));
        // The heading is selected: only "&Neu".
        QCOMPARE(w.Auswahl(), -1);
        QVERIFY(w.NeuBtn->isEnabled());
        QVERIFY(!w.BearbeitenBtn->isEnabled());
        QVERIFY(!w.LoeschBtn->isEnabled());
        QVERIFY(!w.EinfuegenBtn->isEnabled());
        QCOMPARE(w.BArtLabel->text(), QString());
        QCOMPARE(w.HinweisLabel->text(), QString());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.Outline1));

        // Down to the first template by keyboard.
        QTest::keyClick(w.Outline1, Qt::Key_Down);
        QCOMPARE(w.Auswahl(), 0);
        QCOMPARE(w.BArtLabel->text(), QStringLiteral("Ausgabe"));
        QCOMPARE(w.BArtLabel->palette().color(QPalette::WindowText), ArtFarbeQt(ArtFarbe::Rot));
        QCOMPARE(w.Text2Label->text(), QStringLiteral("Rubrik"));
        QCOMPARE(w.Konto1Label->text(), QStringLiteral("Girokonto"));
        QCOMPARE(w.Konto2Label->text(), QStringLiteral("Haushalt  \\  Lebensmittel"));
        QCOMPARE(w.BetragLabel->text(), QStringLiteral("42,50 EUR"));
        QCOMPARE(w.TextLabel->text(), QStringLiteral("ek #D"));
        QVERIFY(w.BearbeitenBtn->isEnabled());
        QVERIFY(w.LoeschBtn->isEnabled());
        QVERIFY(!w.EinfuegenBtn->isEnabled());  // opened without a booking to insert into
        QTest::keyClick(w.Outline1, Qt::Key_Down);
        QCOMPARE(w.BArtLabel->text(), QStringLiteral("Umbuchung"));
        QCOMPARE(w.BArtLabel->palette().color(QPalette::WindowText), ArtFarbeQt(ArtFarbe::Gelb));
        QCOMPARE(w.Text2Label->text(), QStringLiteral("Konto 2"));
        QCOMPARE(w.Konto2Label->text(), QStringLiteral("Sparbuch"));
        Bild(&w, QStringLiteral("vorlagenplan"));
        // Back on the heading the summary is empty again.
        QTest::keyClick(w.Outline1, Qt::Key_Home);
        QCOMPARE(w.Konto1Label->text(), QString());
        QVERIFY(!w.LoeschBtn->isEnabled());
        w.accept();
    }

    void NeuZweimalMitEigenenNummern() {
        Aufbau a;
        a.Oeffnen(false);
        TVorlagenPlanDlg& w = a.dlg;
        TVorlagenDatDlg* ed = w.DatDlg();
        ImEditor(ed, [ed] {
            QCOMPARE(ed->windowTitle(), QStringLiteral("Vorlagen bearbeiten"));
            QCOMPARE(ed->focusWidget(), static_cast<QWidget*>(ed->NameEdit));
            QTest::keyClicks(ed->NameEdit, QStringLiteral("Tanken"));
            QTest::keyClick(ed->NameEdit, Qt::Key_Return);  // OK is the default button
        });
        w.NeuBtn->click();
        QCOMPARE(Kinder(w.Outline1), QStringList({"Einkauf", "Sparen", "Tanken"}));
        QCOMPARE(w.Auswahl(), 2);
        QVERIFY(a.d.Geaendert);
        ImEditor(ed, [ed] {
            QTest::keyClicks(ed->NameEdit, QStringLiteral("Strom"));
            ed->OkBtn->click();
        });
        // The context menu's "Neu" reaches the same work.
        w.Neu1->trigger();
        QCOMPARE(Kinder(w.Outline1), QStringList({"Einkauf", "Sparen", "Tanken", "Strom"}));
        // Cancelling the editor of a new template leaves the list as it was.
        ImEditor(ed, [ed] {
            QTest::keyClicks(ed->NameEdit, QStringLiteral("Weg"));
            ed->AbbruchBtn->click();
        });
        w.NeuBtn->click();
        QCOMPARE(Kinder(w.Outline1), QStringList({"Einkauf", "Sparen", "Tanken", "Strom"}));
        QCOMPARE(w.Auswahl(), -1);
        QVERIFY(!w.LoeschBtn->isEnabled());
        QCOMPARE(a.d.Vorlagen.size(), size_t{2});  // the store follows when the list closes
        QTest::keyClick(w.Outline1, Qt::Key_Escape);
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(a.d.Vorlagen.size(), size_t{4});
        QCOMPARE(a.d.Vorlagen[2].IdentNr, 10003);
        QCOMPARE(a.d.Vorlagen[3].IdentNr, 10004);
        QCOMPARE(a.d.Vorlagen[3].Satzart, int32_t{SatzVorlage});
        QCOMPARE(a.d.Vorlagen[3].Datum, 0);
    }

    void LeererUndDoppelterName() {
        Aufbau a;
        a.Oeffnen(false);
        TVorlagenPlanDlg& w = a.dlg;
        TVorlagenDatDlg* ed = w.DatDlg();
        a.Waehlen(1);
        int runden = 0;
        ImEditor(ed, [&, ed] {
            ++runden;
            // Empty: refused, the editor stays open with the focus on the name.
            ed->NameEdit->clear();
            ed->BemerkungEdit->setText(QStringLiteral("getippt"));
            ed->BemerkungEdit->setFocus();
            ed->OkBtn->click();
            QVERIFY(ed->isVisible());
            QCOMPARE(a.m.Texte(Art::Information), std::vector<std::string>{"Bezeichnung darf nicht leer sein!"});
            QCOMPARE(ed->focusWidget(), static_cast<QWidget*>(ed->NameEdit));
            // The other template's name: refused after the editor closed, which opens again.
            QTest::keyClicks(ed->NameEdit, QStringLiteral("Einkauf"));
            ImEditor(ed, [&, ed] {
                ++runden;
                QCOMPARE(a.m.Texte(Art::Information).back(), std::string("Bezeichnung bereits vorhanden!"));
                QCOMPARE(ed->NameEdit->text(), QStringLiteral("Einkauf"));  // what was typed
                QCOMPARE(ed->BemerkungEdit->text(), QStringLiteral("getippt"));
                ed->NameEdit->setText(QStringLiteral("Sparplan"));
                ed->OkBtn->click();
            });
            ed->OkBtn->click();
        });
        w.BearbeitenBtn->click();
        QCOMPARE(runden, 2);
        QCOMPARE(Kinder(w.Outline1), QStringList({"Einkauf", "Sparplan"}));
        QCOMPARE(w.BArtLabel->text(), QStringLiteral("Umbuchung"));
        w.accept();
        QCOMPARE(a.d.Vorlagen[1].Bezeichnung, std::string("Sparplan"));
        QCOMPARE(a.d.Vorlagen[1].Bemerkung, std::string("getippt"));
        QCOMPARE(a.d.Vorlagen[1].IdentNr, 10002);
        QVERIFY(a.d.Geaendert);
    }

    void LoeschenFragtUndMarkiert() {
        Aufbau a;
        a.Oeffnen(false);
        TVorlagenPlanDlg& w = a.dlg;
        a.Waehlen(0);
        a.m.antworten = {Antwort::Nein};
        w.LoeschBtn->click();
        QCOMPARE(a.m.Texte(Art::Frage), std::vector<std::string>{"Soll Eintrag \"Einkauf\" wirklich gelöscht werden?"});
        QCOMPARE(Kinder(w.Outline1), QStringList({"Einkauf", "Sparen"}));
        QVERIFY(!a.d.Geaendert);
        a.m.antworten = {Antwort::Ja};
        w.Loeschen1->trigger();  // the context menu's "Löschen"
        QCOMPARE(Kinder(w.Outline1), QStringList({"Sparen"}));
        QVERIFY(a.d.Geaendert);
        QCOMPARE(w.Auswahl(), -1);  // the node above: the heading
        w.AbbruchBtn->click();
        QCOMPARE(a.d.Vorlagen.size(), size_t{1});
        QCOMPARE(a.d.Vorlagen[0].Bezeichnung, std::string("Sparen"));
    }

    void HoechstensNeunhundertneunundneunzig() {
        Aufbau a;
        for (int i = 0; i < 996; ++i)
            a.d.Vorlagen.push_back(Vorlage(10003 + i, "V" + std::to_string(i), BArtAusgabe, 1, 4, "1,00", ""));
        a.Oeffnen(false);
        TVorlagenPlanDlg& w = a.dlg;
        int aufrufe = 0;
        w.Editor = [&](buchungstyp& v) {
            ++aufrufe;
            v.Bezeichnung = "Neu" + std::to_string(aufrufe);
            return true;
        };
        QVERIFY(w.NeuBtn->isEnabled());
        w.NeuBtn->click();
        QCOMPARE(w.Outline1->topLevelItem(0)->childCount(), 999);
        QVERIFY(!w.NeuBtn->isEnabled());
        QVERIFY(!w.Neu1->isEnabled());
        QCOMPARE(w.HinweisLabel->text(), QStringLiteral("Keine weiteren Vorlagen möglich"));
        // No way round the limit: the button's handler, the menu's action, a double-click on the heading.
        w.NeuBtnClick();
        w.Neu1->trigger();
        QTreeWidgetItem* kopf = w.Outline1->topLevelItem(0);
        w.Outline1->setCurrentItem(kopf);
        QTest::mouseClick(w.Outline1->viewport(), Qt::LeftButton, {}, w.Outline1->visualItemRect(kopf).center());
        QTest::mouseDClick(w.Outline1->viewport(), Qt::LeftButton, {},
                           w.Outline1->visualItemRect(kopf).center());
        QCOMPARE(aufrufe, 1);
        QCOMPARE(kopf->childCount(), 999);
        // Deleting one frees a place.
        a.Waehlen(0);
        a.m.antworten = {Antwort::Ja};
        w.LoeschBtn->click();
        QVERIFY(w.NeuBtn->isEnabled());
        QCOMPARE(w.HinweisLabel->text(), QString());
        w.accept();
        QCOMPARE(a.d.Vorlagen.size(), size_t{998});
    }

    void EinfuegenNurWennErlaubt() {
        {
            Aufbau a;
            a.Oeffnen(true);
            TVorlagenPlanDlg& w = a.dlg;
            QVERIFY(!w.EinfuegenBtn->isEnabled());  // the heading
            QVERIFY(w.EinfuegenBtn->isDefault());
            a.Waehlen(1);
            QVERIFY(w.EinfuegenBtn->isEnabled());
            QTest::keyClick(w.Outline1, Qt::Key_Return);
            QVERIFY(!w.isVisible());
            QCOMPARE(w.result(), TVorlagenPlanDlg::Einfuegen);
            QCOMPARE(w.Gewaehlt().Bezeichnung, std::string("Sparen"));
            QCOMPARE(w.Gewaehlt().Text, std::string("Sparrate"));
        }
        {
            // Double-click: inserts where inserting is allowed.
            Aufbau a;
            a.Oeffnen(true);
            a.Waehlen(0);
            QTreeWidgetItem* item = a.dlg.Outline1->currentItem();
            QTest::mouseClick(a.dlg.Outline1->viewport(), Qt::LeftButton, {}, a.dlg.Outline1->visualItemRect(item).center());
            QTest::mouseDClick(a.dlg.Outline1->viewport(), Qt::LeftButton, {},
                               a.dlg.Outline1->visualItemRect(item).center());
            QCOMPARE(a.dlg.result(), TVorlagenPlanDlg::Einfuegen);
            QCOMPARE(a.dlg.Gewaehlt().Bezeichnung, std::string("Einkauf"));
        }
        {
            // Without a booking to insert into, a double-click edits, and Esc closes without inserting.
            Aufbau a;
            a.Oeffnen(false);
            int bearbeitet = 0;
            a.dlg.Editor = [&](buchungstyp&) {
                ++bearbeitet;
                return false;
            };
            a.Waehlen(0);
            QTreeWidgetItem* item = a.dlg.Outline1->currentItem();
            QTest::mouseClick(a.dlg.Outline1->viewport(), Qt::LeftButton, {}, a.dlg.Outline1->visualItemRect(item).center());
            QTest::mouseDClick(a.dlg.Outline1->viewport(), Qt::LeftButton, {},
                               a.dlg.Outline1->visualItemRect(item).center());
            QCOMPARE(bearbeitet, 1);
            QVERIFY(a.dlg.isVisible());
            a.dlg.EinfuegenBtnClick();  // disabled: nothing happens
            QVERIFY(a.dlg.isVisible());
            QTest::keyClick(a.dlg.Outline1, Qt::Key_Escape);
            QCOMPARE(a.dlg.result(), int(QDialog::Accepted));
        }
    }

    void EditorLaedtUndSchreibtZurueck() {
        Datenbestand d = Buch();
        SkriptMeldungen m;
        TVorlagenDatDlg ed(d, m);
        // A new template without accounts shows the first account and the first category.
        buchungstyp neu = BuchungVorgabe(SatzVorlage, 0);
        neu.IdentNr = 10003;
        ed.Zeigen(neu);
        ed.show();
        QVERIFY(QTest::qWaitForWindowActive(&ed));
        QCOMPARE(ed.Konto1Edit->Edit->text(), QStringLiteral("GIRO"));
        QCOMPARE(ed.Konto2Edit->Edit->text(), QStringLiteral("GEH"));
        QCOMPARE(ed.BArtLabel->text(), QStringLiteral("Einnahme"));
        QCOMPARE(ed.RubrikLabel->text(), QStringLiteral("&Rubrik"));
        QCOMPARE(ed.WaehrungLabel->text(), QStringLiteral("EUR"));
        QVERIFY(ed.GroupBox1->isHidden());
        // The text list offers the abbreviations, and the text keeps them as typed.
        QCOMPARE(ed.TextEdit->Liste().Eintraege.back().Text, std::string("ek"));
        ed.NameEdit->setText(QStringLiteral("Kauf"));
        ed.TextEdit->Edit->setFocus();
        QTest::keyClicks(ed.TextEdit->Edit, QStringLiteral("ek #D "));
        ed.BelegnrEdit->setFocus();
        QCOMPARE(ed.TextEdit->Edit->text(), QStringLiteral("ek #D "));
        // An expense category makes it an expense, an account a transfer.
        ed.Konto2Edit->Edit->setText(QStringLiteral("LM"));
        QCOMPARE(ed.BArtLabel->text(), QStringLiteral("Ausgabe"));
        QCOMPARE(ed.Konto2Label->text(), QStringLiteral("Haushalt  \\  Lebensmittel"));
        ed.BetragEdit->SetzeBetrag("");
        ed.StorniertCBox->setChecked(true);
        Bild(&ed, QStringLiteral("vorlagendat"));
        ed.OkBtn->click();
        QVERIFY(!ed.isVisible());
        const buchungstyp& s = ed.Satz();
        QCOMPARE(s.Bezeichnung, std::string("Kauf"));
        QCOMPARE(s.Text, std::string("ek #D "));
        QCOMPARE(s.BArt, int32_t{BArtAusgabe});
        QCOMPARE(s.Konto1, 1);
        QCOMPARE(s.Konto2, 4);
        QCOMPARE(s.Betrag, std::string("0,00"));
        QVERIFY(s.Storniert);
        QCOMPARE(s.IdentNr, 10003);
        QVERIFY(m.meldungen.empty());

        // "&Verwerfen" and Esc put the record back into the fields; the editor stays open. A text
        // that resolves to nothing is stored as no account.
        ed.Zeigen(s);
        ed.show();
        QVERIFY(QTest::qWaitForWindowActive(&ed));
        ed.NameEdit->setText(QStringLiteral("Anders"));
        ed.VerwerfenBtn->click();
        QCOMPARE(ed.NameEdit->text(), QStringLiteral("Kauf"));
        ed.NameEdit->setText(QStringLiteral("Anders"));
        QTest::keyClick(ed.NameEdit, Qt::Key_Escape);
        QVERIFY(ed.isVisible());
        QCOMPARE(ed.NameEdit->text(), QStringLiteral("Kauf"));
        ed.Konto1Edit->Edit->setText(QStringLiteral("XYZ"));
        QCOMPARE(ed.Konto1Label->text(), QStringLiteral("Eintrag nicht vorhanden"));
        ed.PopupBuchen->trigger();  // "&Buchen" of the context menu is OK
        QVERIFY(!ed.isVisible());
        QCOMPARE(ed.Satz().Konto1, 0);
    }

    void OkMitOffenemBaumUebernimmtDieWahl() {
        Datenbestand d = Buch();
        SkriptMeldungen m;
        TVorlagenDatDlg ed(d, m);
        buchungstyp v = d.Vorlagen[0];
        ed.Zeigen(v);
        ed.show();
        QVERIFY(QTest::qWaitForWindowActive(&ed));
        ed.Konto2Edit->Edit->setFocus();
        QTest::keyClick(ed.Konto2Edit->Edit, Qt::Key_F4);
        QVERIFY(ed.Konto2Edit->BaumOffen());
        QTest::keyClick(ed.Konto2Edit->Baum, Qt::Key_End);  // the last entry: the savings account
        ed.accept();
        QVERIFY(ed.isVisible());
        QVERIFY(!ed.Konto2Edit->BaumOffen());
        QCOMPARE(ed.Konto2Edit->Edit->text(), QStringLiteral("SPAR"));
        QCOMPARE(ed.BArtLabel->text(), QStringLiteral("Umbuchung"));
        ed.accept();
        QVERIFY(!ed.isVisible());
        QCOMPARE(ed.Satz().Konto2, 2);
        QCOMPARE(ed.Satz().BArt, int32_t{BArtUmbuchung});
    }
};

QTEST_MAIN(TVorlagenPlanDlgTest)
#include "tvorlagenplandlg_test.moc"
