// The new-file dialog driven through its controls: the three kinds of takeover and what each
// allows, the dependent check boxes, the source file name and the browse button.

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "app/tneudlg.h"

using namespace talerwerk;

namespace {

std::vector<QCheckBox*> Alle(const TNeuDlg& d) {
    return {d.StammCBOx, d.RubrikCBox, d.KontoCBox, d.BetragCBox, d.TbsCBox, d.RgmBCBox, d.VorlageCBox, d.FilterCBox};
}

// "x" checked, "." unchecked; upper case X and "-" for a disabled box.
QString Zustand(const TNeuDlg& d) {
    QString t;
    for (QCheckBox* k : Alle(d)) t += k->isEnabled() ? (k->isChecked() ? 'x' : '.') : (k->isChecked() ? 'X' : '-');
    return t;
}

void Klicken(QAbstractButton* k) { QTest::mouseClick(k, Qt::LeftButton, {}, QPoint(6, k->height() / 2)); }

}  // namespace

class TNeuDlgTest : public QObject {
    Q_OBJECT
private slots:
    void KeineUebernahmeZuBeginn() {
        TNeuDlg d;
        QCOMPARE(d.windowTitle(), QStringLiteral("Neuer Mandant"));
        QCOMPARE(d.Uebernahme->title(), QStringLiteral("Übernahme"));
        QCOMPARE(d.Ursprung->title(), QStringLiteral("Ursprung"));
        QVERIFY(d.KeineRBtn->isChecked());
        QCOMPARE(Zustand(d), QStringLiteral("--------"));
        QVERIFY(!d.Ursprung->isEnabled());
        QVERIFY(d.OKBtn->isEnabled());
        QCOMPARE(d.Dateiname(), std::string());
        QVERIFY(d.Art() == UebernahmeArt::Keine);
        QVERIFY(d.Auswahl() == UebernahmeAuswahl{});
        QCOMPARE(d.BetragCBox->text(), QStringLiteral("Anfangs&stände der Konten"));
        QCOMPARE(d.RgmBCBox->text(), QStringLiteral("Regelm. &Buchungen"));
    }

    void AlleStammdatenBrauchenEineDatei() {
        TNeuDlg d;
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        Klicken(d.AlleRBtn);
        QVERIFY(d.Art() == UebernahmeArt::Alle);
        QCOMPARE(Zustand(d), QStringLiteral("XXXXXXXX"));
        QVERIFY(d.Ursprung->isEnabled());
        QVERIFY(!d.OKBtn->isEnabled());
        d.DateiNameEdit->setFocus();
        QTest::keyClicks(d.DateiNameEdit, QStringLiteral("/tmp/a.tlw"));
        QVERIFY(d.OKBtn->isEnabled());
        QCOMPARE(d.Dateiname(), std::string("/tmp/a.tlw"));
        QVERIFY(d.Auswahl() == UebernahmeAuswahl::Alles());
        d.DateiNameEdit->clear();
        QVERIFY(!d.OKBtn->isEnabled());
        // Back to "&Keine Übernahme": OK whatever the name, nothing chosen.
        d.DateiNameEdit->setText(QStringLiteral("x.tlw"));
        Klicken(d.KeineRBtn);
        QCOMPARE(Zustand(d), QStringLiteral("--------"));
        QVERIFY(!d.Ursprung->isEnabled());
        QVERIFY(d.OKBtn->isEnabled());
        d.DateiNameEdit->clear();
        QVERIFY(d.OKBtn->isEnabled());
    }

    void AuswahlMitAbhaengigenKaestchen() {
        TNeuDlg d;
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        // Aus&wahl by its access key.
        QVERIFY(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_W, Qt::AltModifier);
        QTRY_VERIFY(d.AuswahlRBtn->isChecked());
        QCOMPARE(Zustand(d), QStringLiteral("xxxxxxxx"));
        QVERIFY(!d.OKBtn->isEnabled());

        // Without the accounts: neither opening balances nor templates, recurring bookings, filters.
        Klicken(d.KontoCBox);
        QCOMPARE(Zustand(d), QStringLiteral("xx.-x---"));
        // The accounts back: all can be chosen again, but stay unchosen until the user chooses them.
        Klicken(d.KontoCBox);
        QCOMPARE(Zustand(d), QStringLiteral("xxx.x..."));
        Klicken(d.VorlageCBox);
        Klicken(d.BetragCBox);
        QCOMPARE(Zustand(d), QStringLiteral("xxxxx.x."));
        // Without the categories: the opening balances stay, the three lists go.
        Klicken(d.RubrikCBox);
        QCOMPARE(Zustand(d), QStringLiteral("x.xxx---"));
        // Only the snippets.
        Klicken(d.StammCBOx);
        Klicken(d.KontoCBox);
        QCOMPARE(Zustand(d), QStringLiteral("...-x---"));
        UebernahmeAuswahl nurTbs;
        nurTbs.Textbausteine = true;
        QVERIFY(d.Auswahl() == nurTbs);
        QVERIFY(d.Art() == UebernahmeArt::Auswahl);

        // "&Alle Stammdaten" checks them all again, fixed.
        Klicken(d.AlleRBtn);
        QCOMPARE(Zustand(d), QStringLiteral("XXXXXXXX"));
        // And "Aus&wahl" frees them, all checked.
        Klicken(d.AuswahlRBtn);
        QCOMPARE(Zustand(d), QStringLiteral("xxxxxxxx"));
    }

    void DurchsuchenSetztDenNamen() {
        TNeuDlg d;
        int aufrufe = 0;
        QStringList antworten{QStringLiteral("/daten/quelle.tlw"), QString()};
        d.DateiWaehlen = [&] {
            ++aufrufe;
            return antworten.takeFirst();
        };
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        Klicken(d.AlleRBtn);
        Klicken(d.DateiNameBtn);
        QCOMPARE(d.DateiNameEdit->text(), QStringLiteral("/daten/quelle.tlw"));
        QVERIFY(d.OKBtn->isEnabled());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d.DateiNameEdit));
        // Cancelled: the name stays.
        Klicken(d.DateiNameBtn);
        QCOMPARE(d.DateiNameEdit->text(), QStringLiteral("/daten/quelle.tlw"));
        QCOMPARE(aufrufe, 2);
        // Without a takeover the browse button cannot be reached.
        Klicken(d.KeineRBtn);
        QVERIFY(!d.DateiNameBtn->isEnabled());
    }

    void BehaeltSeinenZustand() {
        TNeuDlg d;
        QTimer::singleShot(0, &d, [&d] {
            Klicken(d.AuswahlRBtn);
            Klicken(d.FilterCBox);
            d.DateiNameEdit->setText(QStringLiteral("q.tlw"));
            Klicken(d.OKBtn);
        });
        QVERIFY(d.Ausfuehren());
        // Opened again: the same choice, and Cancel gives false.
        QTimer::singleShot(0, &d, [&d] {
            QVERIFY(d.AuswahlRBtn->isChecked());
            QCOMPARE(Zustand(d), QStringLiteral("xxxxxxx."));
            QCOMPARE(d.DateiNameEdit->text(), QStringLiteral("q.tlw"));
            Klicken(d.CancelBtn);
        });
        QVERIFY(!d.Ausfuehren());
        QTimer::singleShot(0, &d, [&d] { QTest::keyClick(&d, Qt::Key_Escape); });
        QVERIFY(!d.Ausfuehren());
    }
};

QTEST_MAIN(TNeuDlgTest)
#include "tneudlg_test.moc"
