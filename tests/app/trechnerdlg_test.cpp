#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "app/trechnerdlg.h"
#include "qtskript.h"

using talerwerk::Einstellungen;

class TRechnerDlgTest : public QObject {
    Q_OBJECT
private slots:
    void ButtonsReachTheDisplay() {
        Einstellungen e;
        auto* r = new TRechnerDlg(e, std::string());
        r->show();
        QCOMPARE(r->windowTitle(), QStringLiteral("Rechner"));
        QCOMPARE(r->resultLabel->text(), QStringLiteral("0"));
        QCOMPARE(r->ButtonSub->text(), QStringLiteral("--"));
        for (QPushButton* k : {r->Button1, r->Button2, r->ButtonAdd, r->Button3, r->ButtonEq})
            QTest::mouseClick(k, Qt::LeftButton);
        QCOMPARE(r->resultLabel->text(), QStringLiteral("15,00"));
        QTest::mouseClick(r->ButtonSign, Qt::LeftButton);
        QCOMPARE(r->resultLabel->text(), QStringLiteral("-15,00"));
        QCOMPARE(r->focusWidget(), r->ButtonEq);  // every button hands the focus to "="
        QTest::mouseClick(r->ButtonC, Qt::LeftButton);
        QCOMPARE(r->resultLabel->text(), QStringLiteral("0"));
        r->close();
    }

    void KeyboardWhereverTheFocusIs() {
        Einstellungen e;
        SkriptMeldungen m;
        auto* r = new TRechnerDlg(e, std::string(), &m);
        r->show();
        QVERIFY(QTest::qWaitForWindowActive(r));
        r->Button7->setFocus();
        QTest::keyClicks(r->Button7, QStringLiteral("7/0"));
        QTest::keyClick(r->Button7, Qt::Key_Return);
        QCOMPARE(r->resultLabel->text(), QStringLiteral("Fehler"));
        QCOMPARE(m.meldungen.size(), size_t(1));  // the error beep
        QCOMPARE(m.meldungen[0].art, SkriptMeldung::Art::Piep);
        QTest::keyClicks(r->UebernahmeBtn, QStringLiteral("12"));
        QCOMPARE(r->resultLabel->text(), QStringLiteral("Fehler"));
        QTest::keyClick(r, Qt::Key_C);
        QTest::keyClicks(r, QStringLiteral("12,5"));
        QTest::keyClick(r, Qt::Key_Backspace);
        QTest::keyClick(r, Qt::Key_Period, Qt::KeypadModifier);  // second comma: ignored
        QCOMPARE(r->resultLabel->text(), QStringLiteral("12,"));
        QTest::keyClicks(r, QStringLiteral("*2="));
        QCOMPARE(r->resultLabel->text(), QStringLiteral("24,00"));
        r->close();
    }

    void HandOverPort() {
        Einstellungen e;
        auto* r = new TRechnerDlg(e, std::string());
        r->show();
        QVERIFY(QTest::qWaitForWindowActive(r));
        QTest::keyClicks(r, QStringLiteral("4,5"));
        r->UebernahmeBtn->click();  // no booking window: nothing happens
        QCOMPARE(r->resultLabel->text(), QStringLiteral("4,5"));
        std::vector<std::string> erhalten;
        r->Uebernahme = [&](const std::string& betrag) { erhalten.push_back(betrag); };
        QTest::keyClick(r, Qt::Key_U, Qt::AltModifier);  // the access key clicks with a short delay
        QTRY_COMPARE(erhalten, std::vector<std::string>{"4,5"});
        QTest::keyClicks(r, QStringLiteral("/0="));
        r->UebernahmeBtn->click();
        QCOMPARE(erhalten.size(), size_t(1));  // "Fehler" is not handed over
        r->close();
    }

    void SubWindowGeometryToggleAndClose() {
        QTemporaryDir ordner;
        const std::string pfad = ordner.filePath(QStringLiteral("talerwerk.ini")).toStdString();
        Einstellungen e;
        e.RechnerX = 30;
        e.RechnerY = 40;
        e.RechnerBreite = 180;
        e.RechnerHoehe = 240;
        QMdiArea bereich;
        bereich.resize(800, 600);
        bereich.show();
        auto* r = new TRechnerDlg(e, pfad);
        QMdiSubWindow* unter = r->InBereichZeigen(&bereich);
        QCOMPARE(unter->geometry(), QRect(30, 40, 180, 240));
        QCOMPARE(r->Gross_kleinBtn->arrowType(), Qt::UpArrow);

        r->Gross_kleinBtn->click();
        QCOMPARE(unter->height(), 55);
        QCOMPARE(r->Gross_kleinBtn->arrowType(), Qt::DownArrow);
        QVERIFY(r->resultLabel->isVisible());
        r->Gross_kleinBtn->click();
        QCOMPARE(unter->height(), 234);
        QCOMPARE(r->Gross_kleinBtn->arrowType(), Qt::UpArrow);
        QVERIFY(r->ButtonEq->isVisible());

        unter->move(50, 60);
        QSignalSpy geschlossen(r, &TRechnerDlg::Geschlossen);
        QTest::keyClick(r, Qt::Key_Escape);
        QCOMPARE(geschlossen.count(), 1);
        QCOMPARE(e.RechnerX, 50);
        QCOMPARE(e.RechnerY, 60);
        QCOMPARE(e.RechnerBreite, 180);
        QCOMPARE(e.RechnerHoehe, 234);
        const Einstellungen gelesen = talerwerk::EinstellungenLaden(pfad);
        QCOMPARE(gelesen.RechnerX, 50);
        QCOMPARE(gelesen.RechnerHoehe, 234);
        QTRY_VERIFY(bereich.subWindowList().isEmpty());
    }

    void StartsCollapsedWhenStoredLow() {
        Einstellungen e;
        e.RechnerHoehe = 55;
        QMdiArea bereich;
        bereich.resize(600, 400);
        bereich.show();
        auto* r = new TRechnerDlg(e, std::string());
        QMdiSubWindow* unter = r->InBereichZeigen(&bereich);
        QCOMPARE(unter->height(), 55);
        QCOMPARE(r->Gross_kleinBtn->arrowType(), Qt::DownArrow);
        QVERIFY(!r->ButtonEq->isVisible());
        QTest::keyClicks(r, QStringLiteral("9"));  // keys still work when only the display shows
        QCOMPARE(r->resultLabel->text(), QStringLiteral("9"));
        unter->close();
    }
};

QTEST_MAIN(TRechnerDlgTest)
#include "trechnerdlg_test.moc"
