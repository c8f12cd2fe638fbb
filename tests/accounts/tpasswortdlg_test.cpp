#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "accounts/kennwort.h"
#include "accounts/qtkennwortabfrage.h"
#include "accounts/tpasswortdlg.h"
#include "qtskript.h"

namespace {
// A failed check inside a timer callback would leave the modal prompt waiting forever.
void Notausgang(QDialog& dlg) {
    QTimer::singleShot(5000, &dlg, [&dlg] {
        if (dlg.isVisible()) dlg.reject();
    });
}
}  // namespace

class TPasswortDlgTest : public QObject {
    Q_OBJECT
private slots:
    void PreparedForKind() {
        SkriptMeldungen m;
        TPasswortDlg dlg(m);
        dlg.PasswortEdit->setText(QStringLiteral("Rest"));
        dlg.Vorbereiten(1, talerwerk::KennwortVerschluesseln("x"), "/home/anna/Bücher/haushalt2026.tlw");
        QCOMPARE(dlg.HinweisLabel->text(), QStringLiteral("Bitte geben Sie das Dateikennwort ein!"));
        QCOMPARE(dlg.DateiLabel->text(), QStringLiteral("HAUSHALT2026.TLW"));
        QCOMPARE(dlg.CancelBtn->text(), QStringLiteral("Abbruch"));
        QVERIFY(dlg.PasswortEdit->text().isEmpty());
        QCOMPARE(dlg.PasswortEdit->echoMode(), QLineEdit::Password);

        dlg.Vorbereiten(2, "", "C:\\Daten\\müller.tlw");
        QCOMPARE(dlg.DateiLabel->text(), QStringLiteral("MÜLLER.TLW"));
        QCOMPARE(dlg.CancelBtn->text(), QStringLiteral("&Schreibgeschützt öffnen"));
        dlg.Vorbereiten(4, "", "a.tlw");
        QCOMPARE(dlg.CancelBtn->text(), QStringLiteral("Abbruch"));
    }

    void RightPasswordFirstTime() {
        SkriptMeldungen m;
        TPasswortDlg dlg(m);
        QWidget* fokus = nullptr;
        Notausgang(dlg);
        QTimer::singleShot(0, &dlg, [&] {
            fokus = dlg.focusWidget();
            QTest::keyClicks(dlg.PasswortEdit, QStringLiteral("Gr"));
            dlg.PasswortEdit->insert(QStringLiteral("öße"));  // the test keyboard types ASCII only
            QTest::keyClick(dlg.PasswortEdit, Qt::Key_Return);  // OK is the default button
        });
        QVERIFY(dlg.Abfragen(1, talerwerk::KennwortVerschluesseln("Größe"), "/tmp/a.tlw"));
        QCOMPARE(fokus, dlg.PasswortEdit);
        QVERIFY(m.meldungen.empty());
        QVERIFY(dlg.PasswortEdit->text().isEmpty());
    }

    void LongPasswordAsChosenIsAccepted() {
        // The file keeps "Sonnenbl"; the user types the password chosen, of eleven characters.
        SkriptMeldungen m;
        TPasswortDlg dlg(m);
        Notausgang(dlg);
        QTimer::singleShot(0, &dlg, [&] {
            QTest::keyClicks(dlg.PasswortEdit, QStringLiteral("Sonnenblume"));
            QTest::keyClick(dlg.PasswortEdit, Qt::Key_Return);
        });
        QVERIFY(dlg.Abfragen(1, talerwerk::KennwortVerschluesseln("Sonnenblume"), "/tmp/a.tlw"));
        QVERIFY(m.meldungen.empty());
    }

    void WrongThenRight() {
        SkriptMeldungen m;
        TPasswortDlg dlg(m);
        int falsch = 0;
        bool offen = false;
        QWidget* fokus = nullptr;
        Notausgang(dlg);
        QTimer::singleShot(0, &dlg, [&] {
            QTest::keyClicks(dlg.PasswortEdit, QStringLiteral("GEHEIM"));
            QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
            falsch = static_cast<int>(m.meldungen.size());
            offen = dlg.isVisible();
            fokus = dlg.focusWidget();
            QTest::keyClicks(dlg.PasswortEdit, QStringLiteral("geheim"));  // replaces the selection
            QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
        });
        QVERIFY(dlg.Abfragen(2, talerwerk::KennwortVerschluesseln("geheim"), "/tmp/a.tlw"));
        QCOMPARE(falsch, 1);
        QVERIFY(offen);
        QCOMPARE(fokus, dlg.PasswortEdit);
        QCOMPARE(m.Texte(SkriptMeldung::Art::Information),
                 std::vector<std::string>{"Kennwort falsch.\rEingabe wiederholen!"});
    }

    void CancelReportsByKind() {
        const std::pair<int, std::string> faelle[] = {
            {1, "Öffnen der Datei abgebrochen!"},
            {2, "Datei wird schreibgeschützt geöffnet!"},
            {3, "Übernahme der Stammdaten abgebrochen!"},
        };
        for (const auto& [art, text] : faelle) {
            SkriptMeldungen m;
            TPasswortDlg dlg(m);
            Notausgang(dlg);
            QTimer::singleShot(0, &dlg, [&] { dlg.CancelBtn->click(); });
            QVERIFY(!dlg.Abfragen(art, talerwerk::KennwortVerschluesseln("x"), "/tmp/a.tlw"));
            QCOMPARE(m.Texte(SkriptMeldung::Art::Information), std::vector<std::string>{text});
        }
        // Escape cancels as well.
        SkriptMeldungen m;
        TPasswortDlg dlg(m);
        Notausgang(dlg);
        QTimer::singleShot(0, &dlg, [&] { QTest::keyClick(dlg.PasswortEdit, Qt::Key_Escape); });
        QVERIFY(!dlg.Abfragen(1, talerwerk::KennwortVerschluesseln("x"), "/tmp/a.tlw"));
        QCOMPARE(m.Texte(SkriptMeldung::Art::Information),
                 std::vector<std::string>{"Öffnen der Datei abgebrochen!"});
    }

    void PortShowsThePrompt() {
        SkriptMeldungen m;
        QtKennwortabfrage abfrage(m);
        QTimer::singleShot(0, &abfrage.Dialog(), [&] {
            QTest::keyClicks(abfrage.Dialog().PasswortEdit, QStringLiteral("abc"));
            abfrage.Dialog().OKBtn->click();
        });
        QVERIFY(abfrage.Abfragen(1, talerwerk::KennwortVerschluesseln("abc"), "/x/y.tlw"));
        // A parent deleting the prompt first is no problem for the port.
        auto* eltern = new QWidget;
        auto* port = new QtKennwortabfrage(m, eltern);
        port->Dialog();
        delete eltern;
        delete port;
        // Given its parent later, the prompt appears over that window.
        QWidget hauptfenster;
        QtKennwortabfrage spaeter(m);
        spaeter.Dialog();
        spaeter.SetzeEltern(&hauptfenster);
        QCOMPARE(spaeter.Dialog().parentWidget(), &hauptfenster);
    }
};

QTEST_MAIN(TPasswortDlgTest)
#include "tpasswortdlg_test.moc"
