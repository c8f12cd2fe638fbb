#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QMenu>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

#include "accounts/tkontodatdlg.h"
#include "accounts/tkontoplandlg.h"
#include "qtskript.h"

using namespace talerwerk;

namespace {

class FolgeZufall : public Zufall {
public:
    int32_t naechste = 0;
    int32_t Zahl(int32_t grenze) override { return naechste++ % grenze; }
};

kontotyp K(int32_t nr, int32_t art, const std::string& abk, const std::string& name, int32_t ober = 0) {
    kontotyp k;
    k.Nr = nr;
    k.Art = art;
    k.Abk = abk;
    k.Name = name;
    k.OberNr = ober;
    return k;
}

QTreeWidgetItem* Suchen(QTreeWidget* baum, const QString& text) {
    const auto gefunden = baum->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return gefunden.isEmpty() ? nullptr : gefunden.first();
}

// Types into the entry dialog as soon as it is shown (modal), then presses OK or Abbruch.
void Eingeben(TKontoPlanDlg& dlg, const QString& abk, const QString& name, bool ok = true,
              std::function<void()> danach = {}) {
    QTimer::singleShot(0, &dlg, [&dlg, abk, name, ok, danach] {
        TKontoDatDlg* e = dlg.KontoDatDlg();
        QVERIFY(e->isVisible());
        e->AbkEdit->setText(abk);
        e->NameEdit->setText(name);
        if (danach) danach();
        (ok ? e->OKBtn : e->AbbruchBtn)->click();
    });
}

void Bild(QWidget* w, const QString& name) {
    // Screenshots for checking the layout by eye: TALERWERK_BILDER=<folder>.
    const QString ordner = qEnvironmentVariable("TALERWERK_BILDER");
    if (!ordner.isEmpty()) w->grab().save(QDir(ordner).filePath(name));
}

}  // namespace

class TKontoPlanDlgTest : public QObject {
    Q_OBJECT
private slots:
    void LeererPlanUndBeschriftungen() {
        Datenbestand d;
        SkriptMeldungen m;
        FolgeZufall z;
        TKontoPlanDlg dlg(d, m, z, {});
        dlg.Vorbereiten();
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Konten und Rubriken"));
        QCOMPARE(dlg.Outline1->topLevelItemCount(), 4);
        QCOMPARE(dlg.Outline1->topLevelItem(3)->text(0), QStringLiteral("Sparkonto"));
        QCOMPARE(dlg.Outline1->currentItem()->text(0), QStringLiteral("Einnahme"));
        QVERIFY(dlg.EinfgBtn->isEnabled());
        QVERIFY(!dlg.BearbeitenBtn->isEnabled());
        QVERIFY(!dlg.LoeschBtn->isEnabled());
        QCOMPARE(dlg.AbbruchBtn->text(), QStringLiteral("&Schließen"));
        QCOMPARE(dlg.RubrikLabel->text(), QStringLiteral("&Konten"));
        QCOMPARE(dlg.BuchungLabel->text(), QString());
    }

    void RubrikUnterrubrikUndKontoAnlegen() {
        Datenbestand d;
        SkriptMeldungen m;
        FolgeZufall z;
        std::vector<int> arten;
        TKontoPlanDlg dlg(d, m, z, [&](int art) { arten.push_back(art); });
        QTimer::singleShot(0, &dlg, [&] {
            dlg.Outline1->setCurrentItem(Suchen(dlg.Outline1, QStringLiteral("Ausgabe")));
            Eingeben(dlg, QStringLiteral("AUTO"), QStringLiteral("Auto"), true, [&] {
                TKontoDatDlg* e = dlg.KontoDatDlg();
                QCOMPARE(e->windowTitle(), QStringLiteral("Rubrikendaten"));
                QVERIFY(e->Kontodaten->isHidden());
                QCOMPARE(e->PfadLabel->text(), QStringLiteral("Ausgabe"));
                QCOMPARE(e->focusWidget(), static_cast<QWidget*>(e->AbkEdit));
            });
            dlg.EinfgBtn->click();
            QTreeWidgetItem* auto_ = Suchen(dlg.Outline1, QStringLiteral("Auto - [AUTO]"));
            QVERIFY(auto_);
            QCOMPARE(dlg.Outline1->currentItem(), auto_);
            QVERIFY(dlg.EinfgBtn->isEnabled());
            QCOMPARE(dlg.BuchungLabel->text(), QStringLiteral("Keine Einträge vorhanden"));

            Eingeben(dlg, QStringLiteral("KFZ"), QStringLiteral("Steuer"), true, [&] {
                QCOMPARE(dlg.KontoDatDlg()->PfadLabel->text(), QStringLiteral("Ausgabe \\  Auto - [AUTO]"));
            });
            dlg.EinfgBtn->click();
            QCOMPARE(dlg.Outline1->currentItem()->text(0), QStringLiteral("Steuer - [KFZ]"));
            QVERIFY(!dlg.EinfgBtn->isEnabled());  // no third level
            QVERIFY(dlg.LoeschBtn->isEnabled());

            dlg.Outline1->setCurrentItem(Suchen(dlg.Outline1, QStringLiteral("Bestandskonto")));
            Eingeben(dlg, QStringLiteral("GIRO"), QStringLiteral("Girokonto"), true, [&] {
                TKontoDatDlg* e = dlg.KontoDatDlg();
                QCOMPARE(e->windowTitle(), QStringLiteral("Kontodaten"));
                QVERIFY(!e->Kontodaten->isHidden());
                QCOMPARE(e->AnfStandEdit->text(), QStringLiteral("0,00"));
                e->AnfStandEdit->clear();
                QTest::keyClicks(e->AnfStandEdit, QStringLiteral("1234567,891"));  // too many digits are refused
                QCOMPARE(e->AnfStandEdit->text(), QStringLiteral("123456,89"));
                emit e->AnfStandEdit->editingFinished();
                QCOMPARE(e->AnfStandEdit->text(), QStringLiteral("123.456,89"));
                Bild(e, QStringLiteral("kontodatdlg.png"));
            });
            dlg.EinfgBtn->click();
            QVERIFY(!dlg.EinfgBtn->isEnabled());  // accounts have no children
            QVERIFY(d.Konten.empty());            // additions wait for "Schließen"
            Bild(&dlg, QStringLiteral("kontoplandlg.png"));
            QTest::keyClick(dlg.Outline1, Qt::Key_Escape);
        });
        dlg.Ausfuehren();

        QCOMPARE(d.Konten.size(), size_t(3));
        QCOMPARE(d.Konten[0].Abk, std::string("AUTO"));
        QCOMPARE(d.Konten[0].Art, int32_t(ArtAusgabe));
        QCOMPARE(d.Konten[0].OberNr, 0);
        QCOMPARE(d.Konten[1].Abk, std::string("KFZ"));
        QCOMPARE(d.Konten[1].OberNr, d.Konten[0].Nr);
        QCOMPARE(d.Konten[2].Abk, std::string("GIRO"));
        QCOMPARE(d.Konten[2].Art, int32_t(ArtBestandskonto));
        QCOMPARE(d.Konten[2].AnfStand, Cent(12345689));
        QVERIFY(d.Konten[0].Nr < 0 && d.Konten[1].Nr < 0 && d.Konten[2].Nr < 0);
        QCOMPARE(arten, std::vector<int>{2});
        QVERIFY(d.Geaendert);
    }

    void AbbruchNachNeuUndDoppelteAbkuerzung() {
        Datenbestand d;
        d.Konten = {K(-1, ArtAusgabe, "LM", "Lebensmittel")};
        SkriptMeldungen m;
        FolgeZufall z;
        TKontoPlanDlg dlg(d, m, z, {});
        dlg.Vorbereiten();
        dlg.show();
        dlg.Outline1->setCurrentItem(Suchen(dlg.Outline1, QStringLiteral("Einnahme")));
        Eingeben(dlg, QStringLiteral("X"), QStringLiteral("Weg"), false);
        dlg.EinfgBtn->click();
        QCOMPARE(dlg.Outline1->topLevelItem(0)->childCount(), 0);
        QCOMPARE(dlg.Plan().Anzahl(), 5);

        // "LM" is taken: the entry dialog comes back with the typed values; "lm" is accepted.
        Eingeben(dlg, QStringLiteral("LM"), QStringLiteral("Lohn"), true, [&] {
            Eingeben(dlg, QStringLiteral("lm"), QStringLiteral("Lohn"), true, [&] {
                QCOMPARE(dlg.KontoDatDlg()->NameEdit->text(), QStringLiteral("Lohn"));
            });
        });
        dlg.EinfgBtn->click();
        QCOMPARE(m.Texte(SkriptMeldung::Art::Information), std::vector<std::string>{"Abkürzung bereits vorhanden!"});
        QVERIFY(Suchen(dlg.Outline1, QStringLiteral("Lohn - [lm]")));
    }

    void PflichtfelderImEintragsdialog() {
        SkriptMeldungen m;
        TKontoDatDlg e(m);
        KontoDaten daten;
        daten.Name = "Alt";
        e.Fuellen(QStringLiteral("Einnahme"), false, daten);
        e.show();
        e.NameEdit->clear();
        e.OKBtn->click();
        QVERIFY(e.isVisible());
        QCOMPARE(m.Texte(SkriptMeldung::Art::Information),
                 (std::vector<std::string>{"Bezeichnung darf nicht leer sein!", "Abkürzung darf nicht leer sein!"}));
        QTest::keyClicks(e.AbkEdit, QStringLiteral("ABCDEFG"));
        QCOMPARE(e.AbkEdit->text(), QStringLiteral("ABCDE"));  // at most five characters
        e.ZurueckBtn->click();  // "Verwerfen" puts the opening texts back
        QCOMPARE(e.NameEdit->text(), QStringLiteral("Alt"));
        QCOMPARE(e.AbkEdit->text(), QString());
    }

    void KnoepfeNachNutzungUndLoeschfrage() {
        Datenbestand d;
        d.Konten = {K(-1, ArtAusgabe, "LM", "Lebensmittel"), K(-2, ArtAusgabe, "BROT", "Brot", -1),
                    K(-3, ArtEinnahme, "LOHN", "Lohn"), K(-4, ArtEinnahme, "ZINS", "Zinsen")};
        buchungstyp b;
        b.Konto1 = -9;
        b.Konto2 = -3;
        d.Vorlagen = {b};
        const auto vorher = d.Konten;
        SkriptMeldungen m;
        FolgeZufall z;
        int aufrufe = 0;
        TKontoPlanDlg dlg(d, m, z, [&](int) { ++aufrufe; });
        dlg.Vorbereiten();
        dlg.show();

        QTreeWidgetItem* lohn = Suchen(dlg.Outline1, QStringLiteral("Lohn - [LOHN]"));
        QTest::mouseClick(dlg.Outline1->viewport(), Qt::LeftButton, {}, dlg.Outline1->visualItemRect(lohn).center());
        QCOMPARE(dlg.Outline1->currentItem(), lohn);
        QVERIFY(!dlg.LoeschBtn->isEnabled());
        QVERIFY(!dlg.EinfgBtn->isEnabled());
        QVERIFY(dlg.BearbeitenBtn->isEnabled());
        QCOMPARE(dlg.BuchungLabel->text(), QStringLiteral("1 Einträge vorhanden"));

        dlg.Outline1->setCurrentItem(Suchen(dlg.Outline1, QStringLiteral("Lebensmittel - [LM]")));
        QVERIFY(dlg.LoeschBtn->isEnabled());
        m.antworten = {Antwort::Nein};
        dlg.LoeschBtn->click();
        QCOMPARE(m.Texte(SkriptMeldung::Art::Frage),
                 std::vector<std::string>{"Soll Eintrag \"Lebensmittel - [LM]\" wirklich gelöscht werden?"});
        QVERIFY(Suchen(dlg.Outline1, QStringLiteral("Brot - [BROT]")));
        // The context menu from the keyboard stays on the selected entry and deletes it as well.
        QContextMenuEvent taste(QContextMenuEvent::Keyboard, QPoint(1, 1));
        QApplication::sendEvent(dlg.Outline1, &taste);
        QVERIFY(dlg.PopupMenu1->isVisible());
        QCOMPARE(dlg.Outline1->currentItem()->text(0), QStringLiteral("Lebensmittel - [LM]"));
        QVERIFY(dlg.Loeschen1->isEnabled());
        QCOMPARE(dlg.Bearbeiten1->isEnabled(), dlg.BearbeitenBtn->isEnabled());
        dlg.PopupMenu1->hide();
        m.antworten = {Antwort::Ja};
        dlg.Loeschen1->trigger();
        QVERIFY(!Suchen(dlg.Outline1, QStringLiteral("Lebensmittel - [LM]")));
        QVERIFY(!Suchen(dlg.Outline1, QStringLiteral("Brot - [BROT]")));
        QCOMPARE(dlg.Plan().Konten().size(), size_t(2));

        // The close box drops the deletion.
        dlg.close();
        QCOMPARE(d.Konten, vorher);
        QCOMPARE(aufrufe, 0);
    }

    void BearbeitenWirktSofort() {
        Datenbestand d;
        d.Konten = {K(-3, ArtEinnahme, "LOHN", "Lohn")};
        SkriptMeldungen m;
        FolgeZufall z;
        TKontoPlanDlg dlg(d, m, z, {});
        dlg.Vorbereiten();
        dlg.show();
        QTreeWidgetItem* lohn = Suchen(dlg.Outline1, QStringLiteral("Lohn - [LOHN]"));
        dlg.Outline1->setCurrentItem(lohn);
        Eingeben(dlg, QStringLiteral("GEH"), QStringLiteral("Gehalt"));
        QTest::keyClick(dlg.Outline1, Qt::Key_Return);
        QCOMPARE(lohn->text(0), QStringLiteral("Gehalt - [GEH]"));
        dlg.close();  // even without "Schließen" the edit stays
        QCOMPARE(d.Konten[0].Name, std::string("Gehalt"));
        QVERIFY(d.Geaendert);
    }
};

QTEST_MAIN(TKontoPlanDlgTest)
#include "tkontoplandlg_test.moc"
