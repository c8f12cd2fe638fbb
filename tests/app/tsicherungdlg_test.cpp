// The main window's handling of locked files and backup copies, and the restore dialog.

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <unistd.h>

#include <deque>
#include <fstream>

#include "app/tprog_fenster.h"
#include "app/tsicherungdlg.h"
#include "qtskript.h"
#include "store/dateisperre.h"
#include "store/datendatei.h"
#include "store/sicherungskopien.h"

using namespace talerwerk;

namespace {

class KeinKennwort : public Kennwortabfrage {
public:
    bool Abfragen(int, const std::string&, const std::string&) override { return false; }
};

class PruefFenster : public TProg_Fenster {
public:
    using TProg_Fenster::TProg_Fenster;
    using TProg_Fenster::SperrWahl;
    std::deque<SperrWahl> wahlen;
    QStringList fragen;
    QStringList speichernNamen;
    QString kopie;             // what the restore dialog "chooses"
    QString kopienVon;         // the data file whose copies it was asked for

protected:
    SperrWahl SperreFragen(const QString& text, bool entfernbar) override {
        fragen << text + (entfernbar ? QStringLiteral(" [entfernbar]") : QString());
        if (wahlen.empty()) return SperrWahl::Abbrechen;
        const SperrWahl w = wahlen.front();
        wahlen.pop_front();
        return w;
    }
    QString SpeichernDateiWaehlen() override { return speichernNamen.isEmpty() ? QString() : speichernNamen.takeFirst(); }
    QString SicherungWaehlen(const QString& datei) override {
        kopienVon = datei;
        return kopie;
    }
};

std::string Programm(pid_t pid) {
    std::ifstream ein("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    std::getline(ein, name);
    return name;
}

std::string Rechner() {
    char puffer[256] = {};
    gethostname(puffer, sizeof puffer - 1);
    return puffer;
}

void SperreSchreiben(const QString& datei, int64_t pid, const std::string& programm) {
    std::ofstream(SperrdateiPfad(datei.toStdString()))
        << pid << "\n" << programm << "\n" << Rechner() << "\nbernd\n1700000000\n";
}

bool Anlegen(const QString& pfad, const std::string& name) {
    Datenbestand d;
    SystemUhr uhr;
    SystemZufall zufall(3);
    NeuerDatenbestand(d, uhr, zufall);
    d.Mandant.Name = name;
    d.Dateiname = pfad.toStdString();
    SkriptMeldungen m;
    return DateiSpeichern(d, m);
}

}  // namespace

class TSicherungTest : public QObject {
    Q_OBJECT

    QTemporaryDir ordner;
    SkriptMeldungen meldungen;
    KeinKennwort kennwort;

    QString Pfad(const char* name) const { return ordner.filePath(QString::fromLatin1(name)); }
    std::unique_ptr<PruefFenster> Starten(const QString& datei) {
        auto f = std::make_unique<PruefFenster>(meldungen, kennwort, Pfad("talerwerk"), QStringList{datei});
        f->Programmeinstellungen().rgmBuchung1 = false;
        return f;
    }

private slots:
    void init() { meldungen.Leeren(); }

    void offeneDateiIstGesperrtBisZumSchliessen() {
        const QString datei = Pfad("eigen.tlw");
        QVERIFY(Anlegen(datei, "Eigen"));
        auto f = Starten(datei);
        f->FormShow();
        QVERIFY(f->Bestand().DateiOffen);
        SperrInhaber inhaber;
        QCOMPARE(SperreLesen(datei.toStdString(), inhaber), SperrLage::Lebend);
        QCOMPARE(inhaber.Prozess, static_cast<int64_t>(getpid()));
        QVERIFY(f->fragen.isEmpty());
        f->Schliessen1Click();
        QCOMPARE(SperreLesen(datei.toStdString(), inhaber), SperrLage::Frei);
    }

    void neueDateiGibtDieSperreFreiEinAbbruchNicht() {
        const QString datei = Pfad("neu.tlw");
        QVERIFY(Anlegen(datei, "Neu"));
        auto f = Starten(datei);
        f->FormShow();
        SperrInhaber inhaber;
        QCOMPARE(SperreLesen(datei.toStdString(), inhaber), SperrLage::Lebend);
        // The new-file dialog cancelled: the open file stays, and so does its lock.
        f->BefehlSetzen(QStringLiteral("Neu1Click"), [] {});
        f->Neu1Click();
        QCOMPARE(QString::fromStdString(f->Bestand().Dateiname), datei);
        QCOMPARE(SperreLesen(datei.toStdString(), inhaber), SperrLage::Lebend);
        // A new, unnamed store: the file is free.
        f->BefehlSetzen(QStringLiteral("Neu1Click"), [&f] {
            SystemUhr uhr;
            SystemZufall zufall(1);
            NeuerDatenbestand(f->Bestand(), uhr, zufall);
            f->Bestand().DateiOffen = true;
        });
        f->Neu1Click();
        QVERIFY(f->Bestand().Dateiname.empty());
        QCOMPARE(SperreLesen(datei.toStdString(), inhaber), SperrLage::Frei);
    }

    void lebendeSperreBietetSchreibschutzOderAbbruch() {
        const QString datei = Pfad("belegt.tlw");
        QVERIFY(Anlegen(datei, "Belegt"));
        SperreSchreiben(datei, 1, Programm(1));  // a live process of this host
        {
            auto f = Starten(datei);
            f->wahlen = {PruefFenster::SperrWahl::Abbrechen};
            f->FormShow();
            QVERIFY(!f->Bestand().DateiOffen);
            QCOMPARE(f->fragen.size(), 1);
            QVERIFY2(f->fragen[0].contains(QStringLiteral("bernd")), qPrintable(f->fragen[0]));
            QVERIFY2(!f->fragen[0].contains(QStringLiteral("[entfernbar]")), "a live lock is never offered for removal");
        }
        {
            auto f = Starten(datei);
            f->wahlen = {PruefFenster::SperrWahl::Schreibgeschuetzt};
            f->FormShow();
            QVERIFY(f->Bestand().DateiOffen);
            QVERIFY(f->Bestand().Schreibschutz);
            QVERIFY(f->windowTitle().endsWith(QStringLiteral(" (Schreibgeschützt)")));
            QVERIFY(!f->Speichern1Click());
            f->Schliessen1Click();
        }
        SperrInhaber inhaber;
        QCOMPARE(SperreLesen(datei.toStdString(), inhaber), SperrLage::Lebend);
        QCOMPARE(inhaber.Prozess, int64_t{1});
    }

    void verwaisteSperreWirdAufWunschEntfernt() {
        const QString datei = Pfad("verwaist.tlw");
        QVERIFY(Anlegen(datei, "Verwaist"));
        SperreSchreiben(datei, 1, Programm(1) + "-weg");  // the number is now another program's
        auto f = Starten(datei);
        f->wahlen = {PruefFenster::SperrWahl::Entfernen};
        f->FormShow();
        QVERIFY(f->Bestand().DateiOffen);
        QVERIFY(!f->Bestand().Schreibschutz);
        QVERIFY(f->fragen.value(0).contains(QStringLiteral("[entfernbar]")));
        SperrInhaber inhaber;
        QCOMPARE(SperreLesen(datei.toStdString(), inhaber), SperrLage::Lebend);
        QCOMPARE(inhaber.Prozess, static_cast<int64_t>(getpid()));
    }

    void speichernUnterUeberGesperrteDateiUnterbleibt() {
        const QString datei = Pfad("quelle.tlw");
        const QString ziel = Pfad("ziel.tlw");
        QVERIFY(Anlegen(datei, "Quelle"));
        QVERIFY(Anlegen(ziel, "Ziel"));
        SperreSchreiben(ziel, 1, Programm(1));
        auto f = Starten(datei);
        f->FormShow();
        f->speichernNamen = {ziel};
        QVERIFY(!f->Speichernunter1Click());
        QVERIFY(f->fragen.isEmpty());  // nothing to choose: the file is in use
        QCOMPARE(meldungen.Texte(SkriptMeldung::Art::Fehler).size(), size_t{1});
        QVERIFY(meldungen.Texte(SkriptMeldung::Art::Fehler)[0].find("wird nicht überschrieben") != std::string::npos);
        QCOMPARE(QString::fromStdString(f->Bestand().Dateiname), datei);
        Datenbestand d;
        d.Dateiname = ziel.toStdString();
        QVERIFY(DateiLaden(d, meldungen, kennwort));
        QCOMPARE(d.Mandant.Name, std::string("Ziel"));
        // Saved under a free name, the lock moves with the file.
        f->speichernNamen = {Pfad("frei.tlw")};
        QVERIFY(f->Speichernunter1Click());
        SperrInhaber inhaber;
        QCOMPARE(SperreLesen(Pfad("frei.tlw").toStdString(), inhaber), SperrLage::Lebend);
        QCOMPARE(SperreLesen(datei.toStdString(), inhaber), SperrLage::Frei);
        f->Schliessen1Click();

        // A stale lock on the target: removed when the user agrees, then saved.
        SperreSchreiben(ziel, 1, Programm(1) + "-weg");
        auto g = Starten(datei);
        g->FormShow();
        g->speichernNamen = {ziel, ziel};
        meldungen.antworten = {Antwort::Nein};
        QVERIFY(!g->Speichernunter1Click());
        meldungen.antworten = {Antwort::Ja};
        QVERIFY(g->Speichernunter1Click());
        QCOMPARE(SperreLesen(ziel.toStdString(), inhaber), SperrLage::Lebend);
        QCOMPARE(inhaber.Prozess, static_cast<int64_t>(getpid()));
        g->Schliessen1Click();
    }

    void speichernLegtKopienAnUndWiederherstellenOeffnetSieUnbenannt() {
        const QString datei = Pfad("haushalt.tlw");
        QVERIFY(Anlegen(datei, "Erster Stand"));
        auto f = Starten(datei);
        f->FormShow();
        f->Bestand().Mandant.Name = "Zweiter Stand";
        f->Bestand().Geaendert = true;
        QVERIFY(f->Speichern1Click());
        const auto kopien = SicherungenAuflisten(datei.toStdString());
        QCOMPARE(kopien.size(), size_t{1});

        // The settings switch it off.
        f->Programmeinstellungen().SicherungAktiv = false;
        f->Bestand().Geaendert = true;
        QVERIFY(f->Speichern1Click());
        QCOMPARE(SicherungenAuflisten(datei.toStdString()).size(), size_t{1});

        f->kopie = QString::fromStdString(kopien[0].Pfad);
        f->Wiederherstellen1Click();
        QCOMPARE(f->kopienVon, datei);
        QVERIFY(f->Bestand().DateiOffen);
        QCOMPARE(f->Bestand().Mandant.Name, std::string("Erster Stand"));
        QVERIFY(f->Bestand().Dateiname.empty());
        QVERIFY(f->Bestand().Geaendert);
        // The unnamed store holds no lock, and the data file keeps its second state.
        SperrInhaber inhaber;
        QCOMPARE(SperreLesen(datei.toStdString(), inhaber), SperrLage::Frei);
        Datenbestand d;
        d.Dateiname = datei.toStdString();
        QVERIFY(DateiLaden(d, meldungen, kennwort));
        QCOMPARE(d.Mandant.Name, std::string("Zweiter Stand"));
        f->Bestand().Geaendert = false;
    }

    void dialogZeigtKopienNeuesteZuerstUndWaehltPerTastatur() {
        const QString datei = Pfad("liste.tlw");
        QVERIFY(Anlegen(datei, "Liste"));
        std::string fehler;
        QVERIFY(!SicherungAnlegen(datei.toStdString(), "2026-01-01_08-00-00", 5, fehler).empty());
        QVERIFY(!SicherungAnlegen(datei.toStdString(), "2026-03-01_09-30-00", 5, fehler).empty());
        TSicherungDlg dlg(datei);
        QCOMPARE(dlg.KopienListe->topLevelItemCount(), 2);
        QCOMPARE(dlg.KopienListe->topLevelItem(0)->text(0), QStringLiteral("01.03.2026 09:30:00"));
        QCOMPARE(dlg.KopienListe->topLevelItem(0)->text(2), QStringLiteral("0"));
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QCOMPARE(QApplication::focusWidget(), dlg.KopienListe);
        QTest::keyClick(dlg.KopienListe, Qt::Key_Down);
        QTest::keyClick(dlg.KopienListe, Qt::Key_Return);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QVERIFY(dlg.GewaehlteKopie().endsWith(QStringLiteral("liste_2026-01-01_08-00-00.tlw")));

        TSicherungDlg ohne(Pfad("keine.tlw"));
        QCOMPARE(ohne.KopienListe->topLevelItemCount(), 0);
        QVERIFY(!ohne.OeffnenBtn->isEnabled());
        QVERIFY(ohne.GewaehlteKopie().isEmpty());
    }
};

QTEST_MAIN(TSicherungTest)
#include "tsicherungdlg_test.moc"
