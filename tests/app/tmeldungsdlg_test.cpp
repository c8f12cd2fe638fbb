// The message boxes behind QtMeldungen: texts, window title and which button gives which answer.
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

#include "app/qtmeldungen.h"

using talerwerk::Antwort;
using talerwerk::Knoepfe;

namespace {

struct Gesehen {
    QString titel;
    QString text;
    QStringList knoepfe;
};

// Once the box is up: notes what it shows, then presses the button with the given caption (or
// Escape when the caption is empty).
void Druecken(const QString& beschriftung, Gesehen& gesehen) {
    QTimer::singleShot(0, [beschriftung, &gesehen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        gesehen.titel = box->windowTitle();
        gesehen.text = box->text();
        for (QAbstractButton* k : box->buttons()) gesehen.knoepfe << k->text();
        if (beschriftung.isEmpty()) {
            QTest::keyClick(box, Qt::Key_Escape);
            return;
        }
        for (QAbstractButton* k : box->buttons())
            if (k->text() == beschriftung) k->click();
    });
}

}  // namespace

class TMeldungsDlgTest : public QObject {
    Q_OBJECT
private slots:
    void LineBreaksAndTitle() {
        QCOMPARE(QtMeldungen::AnzeigeText("Ungültige Datei!\rÖffnen nicht möglich!"),
                 QStringLiteral("Ungültige Datei!\nÖffnen nicht möglich!"));
        QCOMPARE(QtMeldungen::AnzeigeText("a\r\nb"), QStringLiteral("a\nb"));
        QtMeldungen m;
        Gesehen g;
        Druecken(QStringLiteral("OK"), g);
        m.Fehler("Kennwort falsch.\rEingabe wiederholen!");
        QCOMPARE(g.titel, QStringLiteral("Talerwerk"));
        QCOMPARE(g.text, QStringLiteral("Kennwort falsch.\nEingabe wiederholen!"));
        QCOMPARE(g.knoepfe, QStringList{QStringLiteral("OK")});
    }

    void AnswersByButton() {
        QtMeldungen m;
        const struct {
            Knoepfe knoepfe;
            QString druecken;
            Antwort erwartet;
            int anzahl;
        } faelle[] = {
            {Knoepfe::JaNein, QStringLiteral("&Ja"), Antwort::Ja, 2},
            {Knoepfe::JaNein, QStringLiteral("&Nein"), Antwort::Nein, 2},
            {Knoepfe::JaNein, QString(), Antwort::Nein, 2},  // Escape without a cancel button
            {Knoepfe::JaNeinAbbrechen, QStringLiteral("Abbrechen"), Antwort::Abbrechen, 3},
            {Knoepfe::JaNeinAbbrechen, QString(), Antwort::Abbrechen, 3},
            {Knoepfe::JaNeinAbbrechenAlle, QStringLiteral("&Alle"), Antwort::Alle, 4},
            {Knoepfe::JaNeinAlles, QStringLiteral("&Alles"), Antwort::Alle, 3},
            {Knoepfe::JaNeinAlles, QStringLiteral("&Nein"), Antwort::Nein, 3},
        };
        for (const auto& f : faelle) {
            Gesehen g;
            Druecken(f.druecken, g);
            QCOMPARE(m.Frage("Frage?", f.knoepfe), f.erwartet);
            QCOMPARE(g.knoepfe.size(), f.anzahl);
        }
    }
};

QTEST_MAIN(TMeldungsDlgTest)
#include "tmeldungsdlg_test.moc"
