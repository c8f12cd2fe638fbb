// F1 opens the help at the section of the window that has the focus; the page has a section for
// every window.

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include "app/qthilfe.h"
#include "app/tprog_fenster.h"
#include "qtskript.h"

using namespace talerwerk;

namespace {

class KeinKennwort : public Kennwortabfrage {
public:
    bool Abfragen(int, const std::string&, const std::string&) override { return false; }
};

QString Seite() {
    QFile datei(QStringLiteral(":/hilfe.html"));
    if (!datei.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(datei.readAll());
}

// The section the help window of `eltern` shows, from the fragment of its source.
QString GezeigterAbschnitt(const QObject* eltern) {
    for (auto* text : eltern->findChildren<QTextBrowser*>(QStringLiteral("HilfeText")))
        if (text->window()->isVisible()) return text->source().fragment();
    return QStringLiteral("<keine Hilfe offen>");
}

}  // namespace

class THilfeTest : public QObject {
    Q_OBJECT

private slots:
    void jederFensterabschnittStehtAufDerSeite() {
        const QString seite = Seite();
        QVERIFY(!seite.isEmpty());
        int anzahl = 0;
        const HilfeEintrag* eintraege = HilfeEintraege(anzahl);
        QVERIFY(anzahl > 20);
        for (int i = 0; i < anzahl; ++i) {
            const QString id = QString::fromLatin1(eintraege[i].Abschnitt);
            QVERIFY2(seite.contains(QStringLiteral("id=\"%1\"").arg(id)), qPrintable(id));
        }
        // Every link of the page leads to a section of it.
        const QRegularExpression verweis(QStringLiteral("href=\"#([^\"]+)\""));
        for (auto it = verweis.globalMatch(seite); it.hasNext();) {
            const QString ziel = it.next().captured(1);
            QVERIFY2(seite.contains(QStringLiteral("id=\"%1\"").arg(ziel)), qPrintable(ziel));
        }
    }

    void f1OeffnetDenAbschnittDesFensters() {
        SkriptMeldungen meldungen;
        KeinKennwort kennwort;
        TProg_Fenster f(meldungen, kennwort, QStringLiteral("/tmp/talerwerk"));
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));

        // A child window inside the main window: its own section.
        auto* kind = new QWidget;
        kind->setObjectName(QStringLiteral("KtoStandDlg"));
        auto* feld = new QLineEdit(kind);
        f.InArbeitsflaeche(kind)->show();
        feld->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), feld);
        QTest::keyClick(feld, Qt::Key_F1);
        QCOMPARE(GezeigterAbschnitt(&f), QStringLiteral("kontostaende"));

        // The menu's "Hilfeindex" opens the top of the page.
        f.Inhalt1Click();
        QCOMPARE(GezeigterAbschnitt(&f), QString());

        // Over a modal dialog the help belongs to that dialog, so that it can be used.
        QDialog modal(&f);
        modal.setObjectName(QStringLiteral("EinstellungDlg"));
        auto* knopf = new QLineEdit(&modal);
        QString abschnitt;
        bool eigenesFenster = false;
        QTimer::singleShot(0, &modal, [&] {
            knopf->setFocus();
            QTest::keyClick(knopf, Qt::Key_F1);
            abschnitt = GezeigterAbschnitt(&modal);
            eigenesFenster = !modal.findChildren<QDialog*>(QStringLiteral("Hilfe")).isEmpty();
            for (auto* h : modal.findChildren<QDialog*>(QStringLiteral("Hilfe"))) h->close();
            modal.reject();
        });
        modal.exec();
        QCOMPARE(abschnitt, QStringLiteral("einstellungen"));
        QVERIFY(eigenesFenster);
    }

    void unbekannteFensterFuehrenZumAnfang() {
        QWidget ohneNamen;
        QCOMPARE(HilfeAbschnitt(&ohneNamen), QString());
        QCOMPARE(HilfeAbschnitt(nullptr), QString());
        QWidget liste;
        liste.setObjectName(QStringLiteral("BListeDlg"));
        QWidget tief(&liste);
        QWidget tiefer(&tief);
        QCOMPARE(HilfeAbschnitt(&tiefer), QStringLiteral("liste"));
    }
};

QTEST_MAIN(THilfeTest)
#include "thilfefenster_test.moc"
