#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "app/teinstellungdlg.h"

using talerwerk::Einstellungen;

class TEinstellungDlgTest : public QObject {
    Q_OBJECT
private slots:
    void ReportSwitchFollowsDueCheck() {
        TEinstellungDlg dlg;
        Einstellungen e;
        e.rgmBuchung1 = false;
        e.rgmBuchung2 = true;
        dlg.Fuellen(e);
        QVERIFY(!dlg.keineRgmBChBox->isEnabled());
        QVERIFY(dlg.keineRgmBChBox->isChecked());

        dlg.show();
        QTest::mouseClick(dlg.rgmBChBox, Qt::LeftButton);
        QVERIFY(dlg.rgmBChBox->isChecked());
        QVERIFY(dlg.keineRgmBChBox->isEnabled());
        QTest::mouseClick(dlg.keineRgmBChBox, Qt::LeftButton);
        QVERIFY(!dlg.keineRgmBChBox->isChecked());
        QTest::mouseClick(dlg.keineRgmBChBox, Qt::LeftButton);
        QTest::mouseClick(dlg.rgmBChBox, Qt::LeftButton);
        QVERIFY(!dlg.keineRgmBChBox->isEnabled());

        // Disabled but still checked: the value goes back into the settings unchanged.
        Einstellungen aus;
        aus.rgmBuchung2 = false;
        dlg.Uebernehmen(aus);
        QVERIFY(!aus.rgmBuchung1);
        QVERIFY(aus.rgmBuchung2);

        // Refilling with the due check on enables it again, even when the box was already checked.
        e.rgmBuchung1 = true;
        dlg.Fuellen(e);
        QVERIFY(dlg.keineRgmBChBox->isEnabled());
    }

    void OkCopiesAllValues() {
        TEinstellungDlg dlg;
        Einstellungen e;
        Einstellungen vorher = e;
        QTimer::singleShot(0, &dlg, [&dlg] {
            dlg.TextersetzenChBox->click();
            dlg.DatumbeibehaltenChBox->click();
            dlg.NullBuchungChBox->click();
            dlg.BuchgBestaetigungChBox->click();
            dlg.WarnChBox->click();
            dlg.keineRgmBChBox->click();
            dlg.rgmBChBox->click();
            dlg.ueberschreibChBox->click();
            dlg.EditModusChBox->click();
            dlg.PositivFarbBox->setCurrentIndex(2);  // green
            dlg.NegativFarbBox->setCurrentIndex(0);  // black
            dlg.SicherungAnzahlEdit->setValue(9);
            dlg.SicherungChBox->click();
            dlg.OkBtn->click();
        });
        QVERIFY(dlg.Bearbeiten(e));
        QCOMPARE(e.Textbaustein, !vorher.Textbaustein);
        QCOMPARE(e.Buchungsdatum, !vorher.Buchungsdatum);
        QCOMPARE(e.Nullbuchung, !vorher.Nullbuchung);
        QCOMPARE(e.Buchung, !vorher.Buchung);
        QCOMPARE(e.Warnung, !vorher.Warnung);
        QCOMPARE(e.rgmBuchung1, !vorher.rgmBuchung1);
        QCOMPARE(e.rgmBuchung2, !vorher.rgmBuchung2);
        QCOMPARE(e.Ueberschreiben, !vorher.Ueberschreiben);
        QCOMPARE(e.BuchungEdit, !vorher.BuchungEdit);
        QCOMPARE(e.Positiv, 0x008000);
        QCOMPARE(e.Negativ, 0);
        QVERIFY(!e.SicherungAktiv);
        QCOMPARE(e.SicherungAnzahl, 9);
        QVERIFY(!dlg.SicherungAnzahlEdit->isEnabled());  // the count waits for backups to be on
        // Nothing outside the dialog's values is touched.
        QCOMPARE(e.Breite, vorher.Breite);
        QCOMPARE(e.RechnerHoehe, vorher.RechnerHoehe);
    }

    void CancelChangesNothing() {
        TEinstellungDlg dlg;
        Einstellungen e;
        e.Nullbuchung = true;
        e.Positiv = 0x123456;
        const Einstellungen vorher = e;
        QTimer::singleShot(0, &dlg, [&dlg] {
            dlg.NullBuchungChBox->click();
            dlg.WarnChBox->click();
            dlg.PositivFarbBox->setCurrentIndex(0);
            dlg.AbbruchBtn->click();
        });
        QVERIFY(!dlg.Bearbeiten(e));
        QVERIFY(e == vorher);
    }

    void ColourOutsidePaletteSurvives() {
        TEinstellungDlg dlg;
        Einstellungen e;
        e.Positiv = 0x123456;
        e.Negativ = 0x0000FF;
        dlg.Fuellen(e);
        QCOMPARE(dlg.Seiten->count(), 3);
        QCOMPARE(dlg.PositivFarbBox->count(), 17);
        QCOMPARE(dlg.NegativFarbBox->count(), 16);
        Einstellungen aus;
        dlg.Uebernehmen(aus);
        QCOMPARE(aus.Positiv, 0x123456);
        QCOMPARE(aus.Negativ, 0x0000FF);
        // Swatches carry no names.
        QVERIFY(dlg.PositivFarbBox->itemText(0).isEmpty());
    }
};

QTEST_MAIN(TEinstellungDlgTest)
#include "teinstellungdlg_test.moc"
