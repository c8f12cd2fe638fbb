#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

#include "bookings/qtbetragsfeld.h"
#include "bookings/qtdatumsfeld.h"
#include "bookings/qtsuchfeld.h"
#include "qtskript.h"
#include "recurring/rgmtestbuch.h"
#include "recurring/trgmbuchungdatdlg.h"
#include "recurring/tzeitraumdlg.h"

using namespace talerwerk;
using talerwerk::test::Tag;
using Art = SkriptMeldung::Art;

namespace {

QString Monate(const TrgmBuchungDatDlg& dlg) {
    QString t;
    for (bool b : dlg.Monate()) t += b ? QLatin1Char('x') : QLatin1Char('.');
    return t;
}

struct Aufbau {
    Datenbestand d;
    Einstellungen e;
    SkriptMeldungen m;
    std::unique_ptr<TrgmBuchungDatDlg> dlg;
    buchungstyp satz;

    Aufbau() {
        test::RgmBuchAnlegen(d);
        d.Mandant.Text4 = "EUR";
        d.Textbausteine.push_back(TextbausteinSatz(20, "mi", "Miete für"));
        dlg = std::make_unique<TrgmBuchungDatDlg>(d, e, m);
        satz = BuchungVorgabe(SatzRgmBuchung, Tag(31, 1, 2024));
        satz.IdentNr = 11001;
        satz.Kennung = "A1";
    }
    void Zeigen() {
        dlg->Zeigen(satz);
        dlg->show();
        QVERIFY(QTest::qWaitForWindowExposed(dlg.get()));
    }
    // A complete, valid record typed in.
    void Ausfuellen() {
        dlg->NameEdit->setText(QStringLiteral("Miete"));
        dlg->BetragEdit->SetzeBetrag("750,00");
        dlg->TextEdit->Edit->setText(QStringLiteral("mi #M"));
    }
};

class TrgmBuchungDatDlgTest : public QObject {
    Q_OBJECT
private slots:
    void NeuerSatzNimmtErstesKontoUndErsteRubrik() {
        Aufbau a;
        a.Zeigen();
        TrgmBuchungDatDlg& w = *a.dlg;
        QCOMPARE(w.windowTitle(), QStringLiteral("Regelmäßige Buchung bearbeiten"));
        QCOMPARE(w.Konto1Edit->Edit->text(), QStringLiteral("GIRO"));
        QCOMPARE(w.Konto2Edit->Edit->text(), QStringLiteral("GEH"));
        QCOMPARE(w.BArtLabel->text(), QStringLiteral("Einnahme"));
        QCOMPARE(w.vonLabel->text(), QStringLiteral("auf"));
        QCOMPARE(w.Konto1Label->text(), QStringLiteral("Girokonto"));
        QCOMPARE(w.WaehrungLabel->text(), QStringLiteral("EUR"));
        QVERIFY(w.EinnahmeRBtn->isChecked());
        QVERIFY(w.GroupBox1->isHidden());
        QCOMPARE(w.focusWidget(), w.NameEdit);
        QCOMPARE(w.faelligEdit->Text(), std::string("31.01.24"));
        // Monthly from 31 January: every month.
        QCOMPARE(Monate(w), QStringLiteral("xxxxxxxxxxxx"));
        QVERIFY(!w.MonatsListBox->isEnabled());
        // The text list offers the abbreviations themselves.
        QCOMPARE(w.TextEdit->Liste().Eintraege.back().Text, std::string("mi"));

        // Choosing a counter-account makes it a transfer.
        w.Konto2Edit->Edit->setText(QStringLiteral("SPAR"));
        QCOMPARE(w.BArtLabel->text(), QStringLiteral("Umbuchung"));
        QCOMPARE(w.RubrikLabel->text(), QStringLiteral("Konto &2"));
        w.Konto2Edit->Edit->setText(QStringLiteral("XYZ"));
        QCOMPARE(w.Konto2Label->text(), QStringLiteral("Eintrag nicht vorhanden"));
    }

    void IntervallUndDatumSetzenDieMonate() {
        Aufbau a;
        a.satz.Datum = Tag(15, 1, 2024);
        a.satz.Intervall = 6;
        a.Zeigen();
        TrgmBuchungDatDlg& w = *a.dlg;
        QCOMPARE(Monate(w), QStringLiteral("x.....x....."));
        // Typing a March date moves the checks.
        w.faelligEdit->Edit->setFocus();
        w.faelligEdit->Edit->selectAll();
        QTest::keyClicks(w.faelligEdit->Edit, QStringLiteral("150324"));
        QCOMPARE(w.faelligEdit->Datum(), Tag(15, 3, 2024));
        QCOMPARE(Monate(w), QStringLiteral("..x.....x..."));
        // Quarterly from February, by mouse.
        w.faelligEdit->SetzeText("01.02.24");
        QTest::mouseClick(w.ZeitKnoepfe[2], Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(w.Intervall(), 3);
        QCOMPARE(Monate(w), QStringLiteral(".x..x..x..x."));
        QTest::mouseClick(w.ZeitKnoepfe[4], Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(Monate(w), QStringLiteral(".x.........."));
        // "frei" enables the checks and leaves them; the date no longer moves them.
        QTest::mouseClick(w.ZeitKnoepfe[5], Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(w.MonatsListBox->isEnabled());
        QCOMPARE(Monate(w), QStringLiteral(".x.........."));
        w.faelligEdit->SetzeText("01.05.24");
        QCOMPARE(Monate(w), QStringLiteral(".x.........."));
        // Monthly by its access key.
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.NameEdit->setFocus();
        QTest::keyClick(w.NameEdit, Qt::Key_A, Qt::AltModifier);  // the access key clicks with a short delay
        QTRY_VERIFY(w.ZeitKnoepfe[0]->isChecked());
        QTRY_COMPARE(Monate(w), QStringLiteral("xxxxxxxxxxxx"));
    }

    void FreieMonateBleibenAuchNachVerwerfen() {
        Aufbau a;
        a.satz.Intervall = 0;
        a.satz.Monate[5] = a.satz.Monate[11] = true;
        a.satz.Bezeichnung = "Versicherung";
        a.Zeigen();
        TrgmBuchungDatDlg& w = *a.dlg;
        QVERIFY(w.ZeitKnoepfe[5]->isChecked());
        QCOMPARE(Monate(w), QStringLiteral(".....x.....x"));
        w.MonatsListBox->item(0)->setCheckState(Qt::Checked);
        w.NameEdit->setText(QStringLiteral("anders"));
        QTest::mouseClick(w.VerwerfenBtn, Qt::LeftButton);
        QCOMPARE(Monate(w), QStringLiteral(".....x.....x"));
        QCOMPARE(w.NameEdit->text(), QStringLiteral("Versicherung"));
    }

    void OkPrueftInReihenfolgeUndSchreibtZurueck() {
        Aufbau a;
        a.Zeigen();
        TrgmBuchungDatDlg& w = *a.dlg;
        w.faelligEdit->SetzeText("31.02.24");  // no such date: emptied, then the date message
        w.Konto1Edit->Edit->setText(QStringLiteral("XYZ"));
        QTest::mouseClick(w.OkBtn, Qt::LeftButton);
        QVERIFY(w.isVisible());
        const std::string n = "Regelmäßige Buchung anlegen nicht möglich!\r";
        QCOMPARE(a.m.Texte(Art::Information),
                 (std::vector<std::string>{"Bezeichnung darf nicht leer sein!", n + "Datum darf nicht leer sein!",
                                           n + "Buchungstext darf nicht leer sein!",
                                           n + "Geldbetrag darf nicht 0,00 sein!", n + "Konto unbekannt!"}));
        QCOMPARE(w.focusWidget(), w.Konto1Edit->Edit);
        QCOMPARE(w.faelligEdit->Datum(), 0);

        a.m.Leeren();
        a.Ausfuellen();
        w.Konto1Edit->Edit->setText(QStringLiteral("SPAR"));
        w.Konto2Edit->Edit->setText(QStringLiteral("MIE"));
        w.faelligEdit->SetzeText("15.03.79");
        w.BelegnrEdit->setText(QStringLiteral("B1"));
        w.BemerkungEdit->setText(QStringLiteral("Wohnung"));
        QTest::mouseClick(w.OkBtn, Qt::LeftButton);
        QVERIFY(a.m.meldungen.empty());
        QCOMPARE(w.result(), int(QDialog::Accepted));
        const buchungstyp& s = w.Satz();
        QCOMPARE(s.Bezeichnung, std::string("Miete"));
        QCOMPARE(s.Betrag, std::string("750,00"));
        QCOMPARE(s.Text, std::string("mi #M"));  // abbreviations stay
        QCOMPARE(s.Konto1, 2);
        QCOMPARE(s.Konto2, 4);
        QCOMPARE(s.BArt, int32_t(BArtAusgabe));
        QCOMPARE(s.Datum, Tag(15, 3, 2079));
        QCOMPARE(s.Belegnr, std::string("B1"));
        QCOMPARE(s.Bemerkung, std::string("Wohnung"));
        QCOMPARE(s.Intervall, 1);
        QCOMPARE(s.Kennung, std::string("A1"));
    }

    void NullbetragNurMitEinstellung() {
        Aufbau a;
        a.Zeigen();
        a.Ausfuellen();
        a.dlg->BetragEdit->SetzeBetrag("0,00");
        a.dlg->accept();
        QCOMPARE(a.m.Texte(Art::Information).size(), size_t(1));
        QCOMPARE(a.dlg->focusWidget(), static_cast<QWidget*>(a.dlg->BetragEdit));
        a.e.Nullbuchung = true;
        a.dlg->accept();
        QCOMPARE(a.m.Texte(Art::Information).size(), size_t(1));
        QCOMPARE(a.dlg->result(), int(QDialog::Accepted));
    }

    void OkBeiOffenerListeWirktWieEnter() {
        Aufbau a;
        a.Zeigen();
        a.Ausfuellen();
        TrgmBuchungDatDlg& w = *a.dlg;
        w.Konto2Edit->BaumZeigen();
        QVERIFY(w.Konto2Edit->BaumOffen());
        w.accept();
        QVERIFY(!w.Konto2Edit->BaumOffen());
        QVERIFY(w.isVisible());
        QCOMPARE(w.focusWidget(), w.TextEdit->Edit);
        QVERIFY(a.m.meldungen.empty());
    }

    void ZeitraumDialogLiestDieEingabe() {
        SkriptMeldungen m;
        TZeitraumDlg dlg(m);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Anzeigezeitraum"));
        dlg.Fuellen(28);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QCOMPARE(dlg.ZeitraumEdit->text(), QStringLiteral("28"));
        dlg.UpDown1->stepUp();
        QCOMPARE(dlg.ZeitraumEdit->text(), QStringLiteral("29"));
        QCOMPARE(dlg.Gelesen(), 29);
        // Digits only and at most three of them.
        dlg.ZeitraumEdit->selectAll();
        QTest::keyClicks(dlg.ZeitraumEdit, QStringLiteral("4x005"));
        QCOMPARE(dlg.ZeitraumEdit->text(), QStringLiteral("400"));
        QCOMPARE(dlg.Gelesen(), 364);
        dlg.ZeitraumEdit->clear();
        QCOMPARE(dlg.Gelesen(), 1);
        QCOMPARE(m.Texte(Art::Information),
                 (std::vector<std::string>{"Zeitraum ist auf 364 Tage begrenzt!", "Eingabe fehlerhaft!"}));
    }

    // With TALERWERK_BILDER=<folder> the editor is drawn into a PNG file there.
    void BildFuerDieSichtpruefung() {
        const QString ziel = qEnvironmentVariable("TALERWERK_BILDER");
        if (ziel.isEmpty()) QSKIP("TALERWERK_BILDER not set");
        Aufbau a;
        a.satz.Intervall = 3;
        a.Zeigen();
        a.Ausfuellen();
        a.dlg->Konto2Edit->Edit->setText(QStringLiteral("MIE"));
        QVERIFY(a.dlg->grab().save(ziel + QStringLiteral("/rgm_editor.png")));
        SkriptMeldungen m;
        TZeitraumDlg z(m);
        z.Fuellen(28);
        z.show();
        QVERIFY(QTest::qWaitForWindowExposed(&z));
        QVERIFY(z.grab().save(ziel + QStringLiteral("/rgm_zeitraum.png")));
    }
};

}  // namespace

QTEST_MAIN(TrgmBuchungDatDlgTest)
#include "trgmbuchungdatdlg_test.moc"
