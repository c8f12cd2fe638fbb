#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "accounts/kennwort.h"
#include "accounts/kennwortpruefung.h"
#include "accounts/tmandantdlg.h"
#include "qtskript.h"

using talerwerk::Datenbestand;
using talerwerk::kontotyp;

namespace {

kontotyp Mandant() {
    kontotyp m;
    m.Name = "Familie Müller";
    m.Abk = "MÜ";
    m.Text1 = "Zeile 1";
    m.Text2 = "Haushaltsbuch";
    m.Text3 = "Zeile 3";
    m.Text4 = "EUR";
    m.Zahl1 = 20;
    m.Merker1 = true;
    m.Merker2 = true;
    return m;
}

// Radio buttons react only to clicks on their mark and caption, not on the empty rest of the row.
QPoint Links(QWidget* w) { return QPoint(6, w->height() / 2); }

// A failed check inside a timer callback would leave the modal dialog waiting forever.
void Notausgang(QDialog& dlg) {
    QTimer::singleShot(5000, &dlg, [&dlg] {
        if (dlg.isVisible()) dlg.reject();
    });
}

}  // namespace

class TMandantDlgTest : public QObject {
    Q_OBJECT
private slots:
    void FilledFromRecord() {
        SkriptMeldungen m;
        TMandantDlg dlg(m);
        QCOMPARE(dlg.Seiten->tabText(2), QStringLiteral("Dateischutz"));
        kontotyp k = Mandant();
        k.Kurz2 = talerwerk::KennwortVerschluesseln("lesen");
        dlg.Fuellen(k);
        QCOMPARE(dlg.NameEdit->text(), QStringLiteral("Familie Müller"));
        QCOMPARE(dlg.WaehrungEdit->text(), QStringLiteral("EUR"));
        QCOMPARE(dlg.AnzTageEdit->text(), QStringLiteral("20"));
        QVERIFY(dlg.rgmDatumChBox->isChecked());
        QVERIFY(dlg.BuchgLoeschChBox->isChecked());
        QVERIFY(dlg.Kennwort2RBtn->isChecked());
        QCOMPARE(dlg.KennwortEdit->text(), QStringLiteral("lesen"));
        QCOMPARE(dlg.WiederhlgEdit->text(), QStringLiteral("lesen"));
        QCOMPARE(dlg.KennwortEdit->echoMode(), QLineEdit::Password);
        QVERIFY(dlg.KennwortEdit->isEnabled());
        QVERIFY(!dlg.Text1Edit->isEnabled());
        QCOMPARE(dlg.Text2Edit->text(), QStringLiteral("Haushaltsbuch"));
        QCOMPARE(dlg.AbkEdit->maxLength(), 10);
    }

    void PasswordFieldsFollowMode() {
        SkriptMeldungen m;
        TMandantDlg dlg(m);
        dlg.Fuellen(Mandant());
        dlg.show();
        QVERIFY(dlg.Kennwort0RBtn->isChecked());
        QVERIFY(!dlg.KennwortEdit->isEnabled());
        QVERIFY(!dlg.WiederhlgEdit->isEnabled());
        dlg.Seiten->setCurrentIndex(2);
        QTest::mouseClick(dlg.Kennwort1RBtn, Qt::LeftButton, {}, Links(dlg.Kennwort1RBtn));
        QVERIFY(dlg.KennwortEdit->isEnabled());
        QVERIFY(dlg.WiederhlgEdit->isEnabled());
        QTest::mouseClick(dlg.Kennwort0RBtn, Qt::LeftButton, {}, Links(dlg.Kennwort0RBtn));
        QVERIFY(!dlg.KennwortEdit->isEnabled());
    }

    void OnlyEightCharactersCountAndTheDialogSaysSo() {
        SkriptMeldungen m;
        TMandantDlg dlg(m);
        Datenbestand d;
        d.Mandant = Mandant();
        bool hinweisSichtbar = false, hinweisAktiv = false;
        QString hinweis;
        Notausgang(dlg);
        QTimer::singleShot(0, &dlg, [&] {
            dlg.Seiten->setCurrentIndex(2);
            QVERIFY(!dlg.KennwortLaengeLabel->isEnabled());  // greyed like the fields without a mode
            QTest::mouseClick(dlg.Kennwort1RBtn, Qt::LeftButton, {}, Links(dlg.Kennwort1RBtn));
            hinweisSichtbar = dlg.KennwortLaengeLabel->isVisible();
            hinweisAktiv = dlg.KennwortLaengeLabel->isEnabled();
            hinweis = dlg.KennwortLaengeLabel->text();
            QTest::keyClicks(dlg.KennwortEdit, QStringLiteral("Sonnenblume"));
            QTest::keyClicks(dlg.WiederhlgEdit, QStringLiteral("Sonnenblume"));
            QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
        });
        QVERIFY(dlg.Bearbeiten(d));
        QVERIFY(hinweisSichtbar);
        QVERIFY(hinweisAktiv);
        QCOMPARE(hinweis, QStringLiteral("Es zählen nur die ersten 8 Zeichen."));
        // Eight characters are kept, and the password as typed opens the file at the prompt.
        QCOMPARE(d.Mandant.Kurz1, talerwerk::KennwortVerschluesseln("Sonnenbl"));
        QVERIFY(talerwerk::KennwortPasst("Sonnenblume", d.Mandant.Kurz1));
    }

    void EmptyPasswordRefusedWithPageAndFocus() {
        SkriptMeldungen m;
        TMandantDlg dlg(m);
        dlg.Fuellen(Mandant());
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        dlg.Kennwort1RBtn->setChecked(true);
        dlg.Seiten->setCurrentIndex(0);
        dlg.OKBtn->click();
        QCOMPARE(m.Texte(SkriptMeldung::Art::Fehler), std::vector<std::string>{"Kein Kennwort eingegeben!"});
        QCOMPARE(dlg.Seiten->currentIndex(), 2);
        QCOMPARE(dlg.focusWidget(), dlg.KennwortEdit);
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
    }

    void MismatchRefusedThenAccepted() {
        SkriptMeldungen m;
        TMandantDlg dlg(m);
        Datenbestand d;
        d.Mandant = Mandant();
        bool offenGeblieben = false;
        int seite = -1;
        QWidget* fokus = nullptr;
        Notausgang(dlg);
        QTimer::singleShot(0, &dlg, [&] {
            dlg.Kennwort1RBtn->setChecked(true);
            QTest::keyClicks(dlg.KennwortEdit, QStringLiteral("Geheim"));
            QTest::keyClicks(dlg.WiederhlgEdit, QStringLiteral("geheim"));
            dlg.Seiten->setCurrentIndex(1);
            QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
            offenGeblieben = dlg.isVisible();
            seite = dlg.Seiten->currentIndex();
            fokus = dlg.focusWidget();
            // The focused repetition is selected, so typing replaces it.
            QTest::keyClicks(dlg.WiederhlgEdit, QStringLiteral("Geheim"));
            QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
        });
        QVERIFY(dlg.Bearbeiten(d));
        QVERIFY(offenGeblieben);
        QCOMPARE(seite, 2);
        QCOMPARE(fokus, dlg.WiederhlgEdit);
        QCOMPARE(m.Texte(SkriptMeldung::Art::Fehler),
                 std::vector<std::string>{"Kennwort und Wiederholung sind nicht identisch!"});
        QCOMPARE(d.Mandant.Kurz1, talerwerk::KennwortVerschluesseln("Geheim"));
        QVERIFY(d.Mandant.Kurz2.empty());
        QVERIFY(d.Geaendert);
    }

    void OkStoresValuesAndClampsDays() {
        SkriptMeldungen m;
        TMandantDlg dlg(m);
        Datenbestand d;
        d.Mandant = Mandant();
        d.Mandant.Kurz1 = talerwerk::KennwortVerschluesseln("alt");
        Notausgang(dlg);
        QTimer::singleShot(0, &dlg, [&] {
            dlg.NameEdit->setText(QStringLiteral("Neuer Name"));
            dlg.WaehrungEdit->setText(QStringLiteral("€"));
            dlg.AnzTageEdit->setText(QStringLiteral("500"));
            dlg.rgmDatumChBox->setChecked(false);
            dlg.BuchgLoeschChBox->setChecked(false);
            dlg.Kennwort2RBtn->setChecked(true);  // the old file password becomes write protection
            dlg.OKBtn->click();
        });
        QVERIFY(dlg.Bearbeiten(d));
        QVERIFY(m.meldungen.empty());
        QCOMPARE(d.Mandant.Name, std::string("Neuer Name"));
        QCOMPARE(d.Mandant.Text4, std::string("€"));
        QCOMPARE(d.Mandant.Zahl1, 364);
        QVERIFY(!d.Mandant.Merker2);
        QVERIFY(!d.Mandant.Merker1);
        QVERIFY(d.Mandant.Kurz1.empty());
        QCOMPARE(talerwerk::KennwortEntschluesseln(d.Mandant.Kurz2), std::string("alt"));
        QCOMPARE(d.Mandant.Text1, std::string("Zeile 1"));
    }

    void CancelKeepsRecord() {
        SkriptMeldungen m;
        TMandantDlg dlg(m);
        Datenbestand d;
        d.Mandant = Mandant();
        Notausgang(dlg);
        QTimer::singleShot(0, &dlg, [&] {
            dlg.NameEdit->setText(QStringLiteral("Anders"));
            dlg.Kennwort1RBtn->setChecked(true);
            dlg.CancelBtn->click();
        });
        QVERIFY(!dlg.Bearbeiten(d));
        QVERIFY(d.Mandant == Mandant());
        QVERIFY(!d.Geaendert);
    }

    void DueWindowUpDownAndKeys() {
        SkriptMeldungen m;
        TMandantDlg dlg(m);
        kontotyp k = Mandant();
        k.Zahl1 = 363;
        dlg.Fuellen(k);
        dlg.show();
        dlg.UpDown1Auf->click();
        dlg.UpDown1Auf->click();
        QCOMPARE(dlg.AnzTageEdit->text(), QStringLiteral("364"));
        dlg.AnzTageEdit->setText(QString());
        QTest::keyClick(dlg.AnzTageEdit, Qt::Key_Up);
        QCOMPARE(dlg.AnzTageEdit->text(), QStringLiteral("2"));
        QTest::keyClick(dlg.AnzTageEdit, Qt::Key_Down);
        QTest::keyClick(dlg.AnzTageEdit, Qt::Key_Down);
        QCOMPARE(dlg.AnzTageEdit->text(), QStringLiteral("1"));
        // Only digits can be typed, at most three.
        dlg.AnzTageEdit->clear();
        QTest::keyClicks(dlg.AnzTageEdit, QStringLiteral("1a-2345"));
        QCOMPARE(dlg.AnzTageEdit->text(), QStringLiteral("123"));
    }

    void UnstorableTextRefusedAtItsField() {
        SkriptMeldungen m;
        TMandantDlg dlg(m);
        dlg.Fuellen(Mandant());
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        dlg.Seiten->setCurrentIndex(2);
        dlg.WaehrungEdit->setText(QStringLiteral("₺"));
        dlg.OKBtn->click();
        QVERIFY(dlg.isVisible());
        QCOMPARE(m.Texte(SkriptMeldung::Art::Information).size(), size_t(1));
        QVERIFY(m.Texte(SkriptMeldung::Art::Fehler).empty());
        QCOMPARE(dlg.Seiten->currentIndex(), 0);
        QCOMPARE(dlg.focusWidget(), dlg.WaehrungEdit);
        QCOMPARE(dlg.WaehrungEdit->text(), QStringLiteral("₺"));  // nothing typed is thrown away
    }
};

QTEST_MAIN(TMandantDlgTest)
#include "tmandantdlg_test.moc"
