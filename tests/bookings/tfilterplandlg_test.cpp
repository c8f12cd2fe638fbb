// The filter list and the filter editor, driven through their controls.

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

#include "bookings/qtbetragsfeld.h"
#include "bookings/qtdatumsfeld.h"
#include "bookings/tfilterdatdlg.h"
#include "bookings/tfilterplandlg.h"
#include "evaluation/testbuch.h"
#include "qtskript.h"
#include "store/datum.h"

using namespace talerwerk;
using Art = SkriptMeldung::Art;

namespace {

class FesteUhr : public Uhr {
public:
    int32_t Heute() const override { return *TagesNummer(15, 6, 2026); }
};

Datenbestand Buch() {
    Datenbestand d = test::KleinesBuch();
    d.Buchungen.push_back(test::Buchung(test::Tag(3, 2, 2025), BArtAusgabe, 1250, 1, 21));
    d.Buchungen.push_back(test::Buchung(test::Tag(9, 5, 2026), BArtEinnahme, 200000, 1, 10));
    d.Buchungen.Aendern(0, [&](buchungstyp& satz) { satz.IdentNr = 1; });
    d.Buchungen.Aendern(1, [&](buchungstyp& satz) { satz.IdentNr = 2; });
    BuchungenErneuert(d);
    return d;
}

buchungstyp Filter(int32_t nr, const std::string& name) {
    buchungstyp f = BuchungVorgabe(SatzFilter, *TagesNummer(15, 6, 2026));
    f.IdentNr = nr;
    f.Bezeichnung = name;
    return f;
}

// Runs `skript` once the modal editor is up; an editor the script left open is cancelled so that a
// failing check never hangs the test.
void ImEditor(TFilterDatDlg* dlg, std::function<void()> skript) {
    QTimer::singleShot(0, dlg, [dlg, skript] {
        QVERIFY(dlg->isVisible());
        dlg->activateWindow();
        (void)QTest::qWaitForWindowActive(dlg);
        skript();
        if (dlg->isVisible()) dlg->reject();
    });
}

QStringList Kinder(QTreeWidgetItem* kopf) {
    QStringList t;
    for (int i = 0; i < kopf->childCount(); ++i) t << kopf->child(i)->text(0);
    return t;
}

QStringList Haken(QListWidget* liste) {
    QStringList t;
    for (int i = 0; i < liste->count(); ++i)
        if (liste->item(i)->checkState() == Qt::Checked) t << liste->item(i)->text();
    return t;
}

void Bild(QWidget* w, const QString& name) {
    // Screenshots for checking the layout by eye: TALERWERK_BILDER=<folder>.
    const QString ordner = qEnvironmentVariable("TALERWERK_BILDER");
    if (!ordner.isEmpty()) w->grab().save(QDir(ordner).filePath(name));
}

}  // namespace

class TFilterPlanDlgTest : public QObject {
    Q_OBJECT
private slots:
    void EditorRefusesAndFocusesTheField() {
        Datenbestand d = Buch();
        SkriptMeldungen m;
        FesteUhr uhr;
        TFilterDatDlg dlg(d, m, uhr);
        buchungstyp f = Filter(12001, "");
        bool fertig = false;
        ImEditor(&dlg, [&] {
            // An empty name: refused, the dialog stays, the name has the focus.
            dlg.BTextEdit->setFocus();
            dlg.OkBtn->click();
            QVERIFY(dlg.isVisible());
            QCOMPARE(m.Texte(Art::Fehler), std::vector<std::string>{"Bezeichnung darf nicht leer sein!"});
            QCOMPARE(QApplication::focusWidget(), dlg.NameEdit);
            // A free range with a date that cannot be read: refused, focus to the first date.
            dlg.NameEdit->setText(QStringLiteral("Frei"));
            dlg.ZeitGruppe->button(5)->click();
            QVERIFY(dlg.DatumVonEdit->isVisible());
            QVERIFY(!dlg.JahrCBox->isVisible());
            dlg.DatumVonEdit->SetzeText("31.02.26");
            dlg.OkBtn->click();
            QVERIFY(dlg.isVisible());
            QCOMPARE(m.Texte(Art::Fehler).back(), std::string("Datum darf nicht leer sein!"));
            QVERIFY(dlg.DatumVonEdit->isAncestorOf(QApplication::focusWidget()));
            // A reversed range is stored the right way round.
            dlg.DatumVonEdit->SetzeText("30.06.26");
            dlg.DatumBisEdit->SetzeText("01.06.26");
            dlg.IdentnrvonEdit->setText(QStringLiteral("30"));
            dlg.IdentnrbisEdit->setText(QStringLiteral("25"));
            dlg.OkBtn->click();
            fertig = !dlg.isVisible();
        });
        QVERIFY(dlg.Bearbeiten(QStringLiteral("Filterdaten neu"), f));
        QVERIFY(fertig);
        QCOMPARE(f.Bezeichnung, std::string("Frei"));
        QCOMPARE(f.Zeitraum, 5);
        QCOMPARE(f.Datum, *TagesNummer(1, 6, 2026));
        QCOMPARE(f.DatumBis, *TagesNummer(30, 6, 2026));
        QCOMPARE(f.IdentNrVon, 25);
        QCOMPARE(f.IdentNrBis, 30);
        QVERIFY(!d.Geaendert);  // the caller decides whether the record is stored
    }

    void EditorGroupsTicksAndPeriodControls() {
        Datenbestand d = Buch();
        SkriptMeldungen m;
        FesteUhr uhr;
        TFilterDatDlg dlg(d, m, uhr);
        dlg.Fuellen(Filter(12001, "A"));
        dlg.show();
        QCOMPARE(dlg.windowTitle().isEmpty(), false);
        // A new filter: every account and category ticked, transfers in.
        QCOMPARE(Haken(dlg.KOntoListBox).size(), 3);
        QCOMPARE(dlg.KontoGruppe->checkedId(), 0);
        QVERIFY(dlg.UmbChBox->isChecked());
        QCOMPARE(dlg.StorniertChBox->checkState(), Qt::PartiallyChecked);
        // Whole period: the booked range in words.
        QVERIFY(dlg.aktWahlLabel->isVisible());
        QCOMPARE(dlg.aktWahlLabel->text(), QStringLiteral("Februar 2025 bis Juni 2026"));
        dlg.ZeitGruppe->button(2)->click();
        QCOMPARE(dlg.aktWahlLabel->text(), QStringLiteral("Juni 2026"));
        dlg.ZeitGruppe->button(4)->click();
        QVERIFY(dlg.MonatCBox->isVisible());
        QVERIFY(!dlg.aktWahlLabel->isVisible());

        dlg.KontoGruppe->button(1)->click();  // "Bestandskonten"
        QCOMPARE(Haken(dlg.KOntoListBox), (QStringList{QStringLiteral("Girokonto"), QStringLiteral("Bargeld")}));
        // A tick by hand is a free choice.
        dlg.KOntoListBox->item(2)->setCheckState(Qt::Checked);
        QCOMPARE(dlg.KontoGruppe->checkedId(), 3);
        dlg.RubrikGruppe->button(1)->click();  // "Einnahmen"
        QCOMPARE(Haken(dlg.RubrikListBox), QStringList{QStringLiteral("Gehalt")});
        dlg.UmbChBox->setChecked(false);
        Bild(&dlg, QStringLiteral("filterdatdlg.png"));
        dlg.accept();
        const buchungstyp& f = dlg.Filter();
        QCOMPARE(f.KontoAuswahl, 3);
        QCOMPARE(f.RubrikAuswahl, 2);  // "Einnahmen", transfers left out: positive
        QCOMPARE(f.Auswahl, (std::vector<std::string>{"1", "2", "3", "10"}));
        QCOMPARE(f.Zeitraum, 4);
    }

    void EditorKeepsAChosenYearOutsideTheBookedRange() {
        Datenbestand d = Buch();
        SkriptMeldungen m;
        FesteUhr uhr;
        TFilterDatDlg dlg(d, m, uhr);
        buchungstyp f = Filter(12001, "Alt");
        f.Zeitraum = 3;
        f.Datum = *TagesNummer(1, 1, 1997);
        dlg.Fuellen(f);
        QCOMPARE(dlg.JahrCBox->currentText(), QStringLiteral("Jahr 1997"));
        // The number fields take the whole int32 range and nothing beyond it.
        dlg.IdentnrbisEdit->clear();
        QTest::keyClicks(dlg.IdentnrbisEdit, QStringLiteral("21474836479"));
        QCOMPARE(dlg.IdentnrbisEdit->text(), QStringLiteral("2147483647"));
        dlg.show();
        dlg.accept();
        QCOMPARE(dlg.Filter().Datum, *TagesNummer(1, 1, 1997));
        QCOMPARE(dlg.Filter().IdentNrBis, 2147483647);
    }

    void NewEditDeleteAndClose() {
        Datenbestand d = Buch();
        d.Filterliste = {Filter(12001, "Miete"), Filter(12002, "Auto")};
        SkriptMeldungen m;
        FesteUhr uhr;
        int gemeldet = 0;
        TFilterPlanDlg dlg(d, m, uhr, [&] { ++gemeldet; });
        dlg.Vorbereiten();
        dlg.show();
        QTreeWidgetItem* kopf = dlg.Outline1->topLevelItem(0);
        QCOMPARE(kopf->text(0), QStringLiteral("Filter"));
        QCOMPARE(Kinder(kopf), (QStringList{QStringLiteral("Miete"), QStringLiteral("Auto")}));
        QVERIFY(dlg.NeuBtn->isEnabled());
        QVERIFY(!dlg.BearbeitenBtn->isEnabled());
        QVERIFY(!dlg.LoeschBtn->isEnabled());
        dlg.Outline1->setCurrentItem(kopf->child(0));
        QVERIFY(dlg.BearbeitenBtn->isEnabled());
        QVERIFY(dlg.LoeschBtn->isEnabled());

        // Two new filters in one session get different numbers; a clash of names sends the user back.
        TFilterDatDlg* e = dlg.FilterDatDlg();
        int runden = 0;
        std::function<void()> neu1 = [&] {
            ++runden;
            QCOMPARE(e->windowTitle(), QStringLiteral("Filterdaten neu"));
            e->NameEdit->setText(runden == 1 ? QStringLiteral("Auto") : QStringLiteral("Urlaub"));
            e->OkBtn->click();
            if (runden == 1) ImEditor(e, neu1);  // the editor opens again after the clash
        };
        ImEditor(e, neu1);
        dlg.NeuBtnClick();
        QCOMPARE(runden, 2);
        QCOMPARE(m.Texte(Art::Information), std::vector<std::string>{"Bezeichnung bereits vorhanden!"});
        ImEditor(e, [&] {
            e->NameEdit->setText(QStringLiteral("Versicherung"));
            e->OkBtn->click();
        });
        dlg.NeuBtnClick();
        // A new filter whose editing is cancelled leaves no item behind.
        ImEditor(e, [&] { e->CancelBtn->click(); });
        dlg.NeuBtnClick();
        QCOMPARE(Kinder(kopf), (QStringList{QStringLiteral("Miete"), QStringLiteral("Auto"), QStringLiteral("Urlaub"),
                                            QStringLiteral("Versicherung")}));
        const std::vector<buchungstyp> baum = dlg.Baumfilter();
        QCOMPARE(baum[2].IdentNr, 12003);
        QCOMPARE(baum[3].IdentNr, 12004);

        // Deleting asks, and counts as a change even if the dialog is left with Escape.
        d.Geaendert = false;
        dlg.Outline1->setCurrentItem(kopf->child(0));
        m.antworten = {Antwort::Ja};
        dlg.LoeschBtn->click();
        QCOMPARE(m.Texte(Art::Frage), std::vector<std::string>{"Soll Eintrag \"Miete\" wirklich gelöscht werden?"});
        QVERIFY(d.Geaendert);
        QCOMPARE(d.Filterliste.size(), size_t{2});  // the collection follows on closing
        QTest::keyClick(dlg.Outline1, Qt::Key_Escape);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(gemeldet, 1);
        std::vector<std::string> namen;
        for (const buchungstyp& f : d.Filterliste) namen.push_back(f.Bezeichnung);
        QCOMPARE(namen, (std::vector<std::string>{"Auto", "Urlaub", "Versicherung"}));
    }

    void EnterAndDoubleClickEditOrAdd() {
        Datenbestand d = Buch();
        d.Filterliste = {Filter(12001, "Miete")};
        SkriptMeldungen m;
        FesteUhr uhr;
        TFilterPlanDlg dlg(d, m, uhr, {});
        dlg.Vorbereiten();
        dlg.show();
        TFilterDatDlg* e = dlg.FilterDatDlg();
        QString titel;
        ImEditor(e, [&] {
            titel = e->windowTitle();
            QCOMPARE(e->NameEdit->text(), QStringLiteral("Miete"));
            QCOMPARE(QApplication::focusWidget(), e->NameEdit);
            e->NameEdit->setText(QStringLiteral("Wohnung"));
            QTest::keyClick(e->NameEdit, Qt::Key_Return);  // Enter is OK
        });
        dlg.Outline1->setCurrentItem(dlg.Outline1->topLevelItem(0)->child(0));
        QTest::keyClick(dlg.Outline1, Qt::Key_Return);
        QCOMPARE(titel, QStringLiteral("Filterdaten bearbeiten"));
        QCOMPARE(dlg.Outline1->topLevelItem(0)->child(0)->text(0), QStringLiteral("Wohnung"));
        QVERIFY(d.Geaendert);
        // On the heading, Enter adds a filter.
        ImEditor(e, [&] { titel = e->windowTitle(); });
        dlg.Outline1->setCurrentItem(dlg.Outline1->topLevelItem(0));
        QTest::keyClick(dlg.Outline1, Qt::Key_Return);
        QCOMPARE(titel, QStringLiteral("Filterdaten neu"));
        QCOMPARE(dlg.Outline1->topLevelItem(0)->childCount(), 1);
    }

    void TheLimitDisablesNew() {
        Datenbestand d = Buch();
        for (int i = 0; i < 999; ++i) d.Filterliste.push_back(Filter(12001 + i, "F" + std::to_string(i)));
        SkriptMeldungen m;
        FesteUhr uhr;
        TFilterPlanDlg dlg(d, m, uhr, {});
        dlg.Vorbereiten();
        QVERIFY(!dlg.NeuBtn->isEnabled());
        QVERIFY(!dlg.Neu1->isEnabled());
        QCOMPARE(dlg.HinweisLabel->text(), QStringLiteral("Keine weiteren Filter möglich"));
        d.Filterliste.pop_back();
        dlg.Vorbereiten();
        QVERIFY(dlg.NeuBtn->isEnabled());
        QVERIFY(dlg.HinweisLabel->text().isEmpty());
    }
};

QTEST_MAIN(TFilterPlanDlgTest)
#include "tfilterplandlg_test.moc"
