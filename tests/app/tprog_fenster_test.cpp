// The main window driven headless: states and titles, the save question before every file
// command, the start-up argument, the settings written at exit, bars and their check marks, and
// the child-window hooks.

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QTranslator>
#include <QToolButton>

#include <deque>
#include <memory>

#include "accounts/kennwort.h"
#include "app/qtprogrammanschluss.h"
#include "app/tprog_fenster.h"
#include "app/ttitelbild.h"
#include "qtskript.h"
#include "app/trechnerdlg.h"
#include "bookings/qtbetragsfeld.h"
#include "bookings/qtdatumsfeld.h"
#include "bookings/tbuchungdlg.h"
#include "evaluation/qtgridmodell.h"
#include "evaluation/tkontenblattdlg.h"
#include "evaluation/tktostanddlg.h"
#include "recurring/trgmbuchungplandlg.h"
#include "bookings/kontosuche.h"
#include "bookings/qtsuchfeld.h"
#include "bookings/tvorlagenplandlg.h"
#include "store/datendatei.h"
#include "store/datum.h"
#include "store/demobuch.h"
#include "store/einstellungen.h"

using namespace talerwerk;
using Art = SkriptMeldung::Art;

namespace {

class SkriptKennwort : public Kennwortabfrage {
public:
    std::deque<bool> antworten;
    std::vector<int> arten;
    bool Abfragen(int art, const std::string&, const std::string&) override {
        arten.push_back(art);
        if (antworten.empty()) return false;
        bool a = antworten.front();
        antworten.pop_front();
        return a;
    }
};

// The main window with scripted file dialogs and about box.
class PruefFenster : public TProg_Fenster {
public:
    using TProg_Fenster::TProg_Fenster;
    QStringList oeffnenNamen, speichernNamen;  // empty entry or empty list: cancelled
    int oeffnenAufrufe = 0, speichernAufrufe = 0, infoAufrufe = 0;

protected:
    QString OeffnenDateiWaehlen() override {
        ++oeffnenAufrufe;
        return oeffnenNamen.isEmpty() ? QString() : oeffnenNamen.takeFirst();
    }
    QString SpeichernDateiWaehlen() override {
        ++speichernAufrufe;
        return speichernNamen.isEmpty() ? QString() : speichernNamen.takeFirst();
    }
    void InfoBoxZeigen() override {
        ++infoAufrufe;
        if (echteInfoBox) TProg_Fenster::InfoBoxZeigen();
    }

public:
    bool echteInfoBox = false;
};

// A child window that records what the main window asks of it.
class PruefKind : public QWidget, public TAnsicht {
public:
    std::vector<int> arten;
    int zeigen = 0, buchen = 0, gehezu = 0;
    bool bleiben = false;                 // refuse to close, like a booking that cannot be stored
    std::function<void()> beimSchliessen;  // what closing does to the store
    void AnsichtAktualisieren(int art) override { arten.push_back(art); }

protected:
    void closeEvent(QCloseEvent* e) override {
        if (bleiben) {
            e->ignore();
            return;
        }
        if (beimSchliessen) beimSchliessen();
        e->accept();
    }
};

void BuchungsanschlussPruefen(TProg_Fenster& f) {
    TProg_Fenster::Buchungsanschluss a;
    a.AktIndexZeigen = [](QWidget* w) { ++static_cast<PruefKind*>(w)->zeigen; };
    a.Buchen = [](QWidget* w) { ++static_cast<PruefKind*>(w)->buchen; };
    a.GeheZu = [](QWidget* w) { ++static_cast<PruefKind*>(w)->gehezu; };
    f.BuchungsanschlussSetzen(a);
}

// Writes a data file with a fresh store; `aendern` adjusts it first.
bool DateiAnlegen(const QString& pfad, const std::function<void(Datenbestand&)>& aendern = {}) {
    Datenbestand d;
    SystemUhr uhr;
    SystemZufall zufall(7);
    NeuerDatenbestand(d, uhr, zufall);
    d.Mandant.Abk = "TST";
    if (aendern) aendern(d);
    d.Dateiname = pfad.toStdString();
    SkriptMeldungen m;
    return DateiSpeichern(d, m);
}

// The client name stored in a data file, as a second reader sees it.
std::string MandantImFile(const QString& pfad) {
    Datenbestand d;
    d.Dateiname = pfad.toStdString();
    SkriptMeldungen m;
    SkriptKennwort k;
    if (!DateiLaden(d, m, k)) return "<unlesbar>";
    return d.Mandant.Name;
}

QStringList Menuetitel(QMainWindow& f) {
    QStringList titel;
    for (QAction* a : f.menuBar()->actions()) titel << a->text();
    return titel;
}

struct Umgebung {
    QTemporaryDir ordner;
    SkriptMeldungen meldungen;
    SkriptKennwort kennwort;
    std::unique_ptr<PruefFenster> fenster;

    QString Pfad(const QString& name) const { return ordner.filePath(name); }
    QString ProgrammPfad() const { return Pfad(QStringLiteral("talerwerk")); }
    PruefFenster& Starten(const QStringList& argumente = {}) {
        fenster = std::make_unique<PruefFenster>(meldungen, kennwort, ProgrammPfad(), argumente);
        fenster->FormShow();
        return *fenster;
    }
    // A saved, open file with the name "buch.tlw".
    PruefFenster& MitOffenerDatei() {
        DateiAnlegen(Pfad(QStringLiteral("buch.tlw")));
        PruefFenster& f = Starten({Pfad(QStringLiteral("buch.tlw"))});
        return f;
    }
};

// The main window as the program builds it: every dialog and child window plugged in.
struct Programm {
    Umgebung u;
    PruefFenster* f = nullptr;
    std::unique_ptr<Dialoge> dialoge;
    explicit Programm(const QStringList& argumente = {}) {
        f = &u.Starten(argumente);
        dialoge = std::make_unique<Dialoge>(*f);
        FensterAnschliessen(*f, *dialoge);
        // The sample books have recurring bookings due; their modal window after every opening
        // is looked at in faelligeNachDemOeffnenImProgramm only.
        f->Programmeinstellungen().rgmBuchung1 = false;
    }
    ~Programm() {
        if (f->isVisible()) {
            f->Bestand().Geaendert = false;
            f->close();
        }
        dialoge.reset();
    }
    TBuchungDlg* Buchung() const { return static_cast<TBuchungDlg*>(f->Kindfenster(TProg_Fenster::Buchung)); }
    // "&Neu" with the new-file dialog answered "&Keine Übernahme".
    void NeuOhneUebernahme() {
        TNeuDlg* neu = &dialoge->neu;
        QTimer::singleShot(0, neu, [neu] {
            neu->KeineRBtn->setChecked(true);
            neu->accept();
        });
        f->Neu1Click();
        QVERIFY(f->Bestand().DateiOffen);
    }
    void Zeigen() {
        f->show();
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f));
        f->LogoPanel->hide();
    }
};

QMdiSubWindow* Rahmen(QWidget* w) { return w ? qobject_cast<QMdiSubWindow*>(w->parentWidget()) : nullptr; }

// A sample book with accounts, so that the booking window can book.
void BeispielAnlegen(const QString& pfad) {
    Datenbestand d = DemoBuch(20, 5, 46000);
    d.Dateiname = pfad.toStdString();
    SkriptMeldungen m;
    QVERIFY(DateiSpeichern(d, m));
}

// Leaves the menu bar as a user does, with Esc until nothing of it is active any more.
void MenueZu(QMainWindow& f) {
    for (int i = 0; i < 3 && (QApplication::activePopupWidget() || f.menuBar()->activeAction()); ++i) {
        QWidget* ziel = QApplication::activePopupWidget();
        QTest::keyClick(ziel ? ziel : f.menuBar(), Qt::Key_Escape);
    }
    QVERIFY(!QApplication::activePopupWidget());
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
}

}  // namespace

class TProg_FensterTest : public QObject {
    Q_OBJECT
private slots:
    void geschlossenHatKurzesMenueUndTitel();
    void neueDateiIstUnbenanntUndOffen();
    void speichernOhneNamenFragtNachDemNamen();
    void schreibgeschuetztSperrtSpeichernUndStammdaten();
    void speicherFrageVorDateibefehlen_data();
    void speicherFrageVorDateibefehlen();
    void abgebrochenesSpeichernUnterBrichtBefehlAb();
    void fehlgeschlagenesSpeichernBrichtBefehlAb();
    void fehlgeschlagenesSpeichernUnterBehaeltNamen();
    void startParameterOhneDatei();
    void startParameterOhneOrdnerLiegtBeimProgramm();
    void oeffnenAbgebrochenLaesstDateiOffen();
    void einstellungenBeimBeendenGeschrieben();
    void hakenFolgenDerSichtbarkeit();
    void symbolleisteInReihenfolge();
    void kindfensterEinmaligUndAktualisiert();
    void fensterSchliessenMerktUndOeffnetWieder();
    void faelligkeitsPruefungNurMitEinstellung();
    void faelligeNachDemOeffnenImProgramm();
    void logoInfoUndHilfe();
    void tastenkuerzelNurImSichtbarenMenue();
    void offenbleibendesKindfensterHaeltBefehlAuf();
    void buchungBeimSchliessenErreichtDieDatei();
    void fenstermenueListetKindfenster();
    void bilderFuerDieSichtpruefung();
    void befehleSindNachNamenGebunden();
    void kontenblaetterFolgenDemBestand();
    void zugriffstastenDesKindfenstersVorDemMenue();
    void ersteGroesseZeigtDasBuchungsfensterGanz();
    void maximiertBleibtUeberDenNeustart();
    void wiedergeoeffneteKindfensterVerdeckenSichNicht();
    void dateidialogeImZuletztBenutztenOrdner();
    void deutscheTexteVonQt();
    void neueDateiMitUebernahmeImProgramm();
    void uebernahmeOhneKennwortLaesstKeineDateiOffen();
    void vorlagenAusMenueUndBuchungsfenster();
};

void TProg_FensterTest::geschlossenHatKurzesMenueUndTitel() {
    Umgebung u;
    PruefFenster& f = u.Starten();
    QCOMPARE(f.windowTitle(), QStringLiteral("Talerwerk"));
    QVERIFY(!f.MenueOffen());
    QCOMPARE(Menuetitel(f), QStringList({"&Datei", "&Ansicht", "&Hilfe"}));
    QCOMPARE(f.StatusText(0), QStringLiteral("Bereit"));
    QCOMPARE(f.StatusText(1), QString());
    QCOMPARE(f.StatusText(2), QString());
    // Commands that need a file do nothing without one.
    f.Kontostnde1Click();
    f.Hinzufgen1Click();
    QVERIFY(f.Arbeitsflaeche()->subWindowList().isEmpty());
    QVERIFY(!f.findChild<QAction*>(QStringLiteral("SpeedItem3"))->isEnabled());
    QVERIFY(f.findChild<QAction*>(QStringLiteral("SpeedItem2"))->isEnabled());
    // Without a settings file: 580 × 420 at 0,0, both bars shown.
    QCOMPARE(f.size(), QSize(580, 420));
    QCOMPARE(f.pos(), QPoint(0, 0));
    QVERIFY(!f.BtnLeiste->isHidden());
    QCOMPARE(f.toolBarArea(f.BtnLeiste), Qt::TopToolBarArea);
    QVERIFY(!f.statusBar()->isHidden());
}

void TProg_FensterTest::neueDateiIstUnbenanntUndOffen() {
    Umgebung u;
    PruefFenster& f = u.Starten();
    f.Neu1Click();
    QVERIFY(f.Bestand().DateiOffen);
    QVERIFY(f.MenueOffen());
    QCOMPARE(Menuetitel(f), QStringList({"&Datei", "&Stammdaten", "&Buchung", "Aus&wertung",
                                         "&Ansicht", "&Fenster", "&Hilfe"}));
    QCOMPARE(f.windowTitle(), QStringLiteral("Talerwerk - [unbenannt] "));
    QCOMPARE(f.StatusText(2), QString::fromStdString(f.Bestand().Mandant.Abk));
    QCOMPARE(f.Loeschen1->isVisible(), f.Bestand().Mandant.Merker1);
    QVERIFY(f.Speichern1->isEnabled());
    QVERIFY(f.Mandant1->isEnabled());
    QVERIFY(u.meldungen.meldungen.empty());
    // Storing and discarding wait for the booking window.
    QVERIFY(!f.Buchen1->isEnabled());
    QVERIFY(!f.Verwerfen1->isEnabled());

    // Deleting bookings follows the client record at every refresh.
    f.Bestand().Mandant.Merker1 = true;
    f.FensterAktualisieren(false);
    QVERIFY(f.Loeschen1->isVisible());
    f.Bestand().Mandant.Merker1 = false;
    f.FensterAktualisieren(false);
    QVERIFY(!f.Loeschen1->isVisible());
}

void TProg_FensterTest::speichernOhneNamenFragtNachDemNamen() {
    Umgebung u;
    PruefFenster& f = u.Starten();
    f.Neu1Click();
    f.Bestand().Geaendert = true;
    f.speichernNamen << u.Pfad(QStringLiteral("Mein Buch.TLW"));
    QVERIFY(f.Speichern1Click());
    QCOMPARE(f.speichernAufrufe, 1);
    QVERIFY(QFile::exists(u.Pfad(QStringLiteral("Mein Buch.TLW"))));
    QVERIFY(!f.Bestand().Geaendert);
    QCOMPARE(f.windowTitle(), QStringLiteral("Talerwerk - mein buch.tlw "));

    // With a name, saving writes without asking.
    f.Bestand().Mandant.Name = "Zweiter Stand";
    f.Bestand().Geaendert = true;
    QVERIFY(f.Speichern1Click());
    QCOMPARE(f.speichernAufrufe, 1);
    QCOMPARE(MandantImFile(u.Pfad(QStringLiteral("Mein Buch.TLW"))), std::string("Zweiter Stand"));
}

void TProg_FensterTest::schreibgeschuetztSperrtSpeichernUndStammdaten() {
    Umgebung u;
    const QString pfad = u.Pfad(QStringLiteral("Geschuetzt.tlw"));
    QVERIFY(DateiAnlegen(pfad, [](Datenbestand& d) {
        d.Mandant.Kurz2 = KennwortVerschluesseln("geheim");
        d.Mandant.Name = "Original";
    }));
    PruefFenster& f = u.Starten();
    u.kennwort.antworten = {false};  // the write-protect prompt is cancelled
    f.oeffnenNamen << pfad;
    f.ffnen1Click();
    QCOMPARE(u.kennwort.arten, std::vector<int>({2}));
    QVERIFY(f.Bestand().DateiOffen);
    QVERIFY(f.Bestand().Schreibschutz);
    QCOMPARE(f.windowTitle(), QStringLiteral("Talerwerk - geschuetzt.tlw (Schreibgeschützt)"));
    QVERIFY(!f.Speichern1->isEnabled());
    QVERIFY(!f.Speichernunter1->isEnabled());
    QVERIFY(!f.Mandant1->isEnabled());
    QVERIFY(!f.findChild<QAction*>(QStringLiteral("SpeedItem3"))->isEnabled());
    QVERIFY(!f.findChild<QAction*>(QStringLiteral("SpeedItem12"))->isEnabled());

    // The handlers refuse as well (the tool bar or a shortcut could still reach them).
    int stammdaten = 0;
    f.BefehlSetzen(QStringLiteral("Mandant1Click"), [&] { ++stammdaten; });
    f.Mandant1Click();
    f.Bestand().Mandant.Name = "Geändert";
    f.Bestand().Geaendert = true;
    QVERIFY(!f.Speichern1Click());
    QVERIFY(!f.Speichernunter1Click());
    QCOMPARE(stammdaten, 0);
    QCOMPARE(f.speichernAufrufe, 0);

    // Closing asks nothing even after changes, and the file stays as it was.
    f.Schliessen1Click();
    QVERIFY(u.meldungen.Texte(Art::Frage).empty());
    QVERIFY(!f.Bestand().DateiOffen);
    QCOMPARE(f.windowTitle(), QStringLiteral("Talerwerk"));
    QCOMPARE(MandantImFile(pfad), std::string("Original"));
}

void TProg_FensterTest::speicherFrageVorDateibefehlen_data() {
    QTest::addColumn<QString>("befehl");
    QTest::addColumn<int>("antwort");
    for (const char* befehl : {"neu", "oeffnen", "schliessen", "beenden"}) {
        QTest::addRow("%s/ja", befehl) << QString::fromLatin1(befehl) << int(Antwort::Ja);
        QTest::addRow("%s/nein", befehl) << QString::fromLatin1(befehl) << int(Antwort::Nein);
        QTest::addRow("%s/abbrechen", befehl) << QString::fromLatin1(befehl) << int(Antwort::Abbrechen);
    }
}

void TProg_FensterTest::speicherFrageVorDateibefehlen() {
    QFETCH(QString, befehl);
    QFETCH(int, antwort);
    Umgebung u;
    const QString anderes = u.Pfad(QStringLiteral("anderes.tlw"));
    QVERIFY(DateiAnlegen(anderes, [](Datenbestand& d) { d.Mandant.Name = "Anderes"; }));
    PruefFenster& f = u.MitOffenerDatei();
    const QString buch = u.Pfad(QStringLiteral("buch.tlw"));
    QVERIFY(f.Bestand().DateiOffen);
    const std::string vorher = MandantImFile(buch);
    f.Bestand().Mandant.Name = "Bearbeitet";
    f.Bestand().Geaendert = true;
    u.meldungen.antworten = {Antwort(antwort)};
    f.oeffnenNamen << anderes;

    bool geschlossen = false;
    if (befehl == "neu") f.Neu1Click();
    if (befehl == "oeffnen") f.ffnen1Click();
    if (befehl == "schliessen") f.Schliessen1Click();
    if (befehl == "beenden") geschlossen = f.close();

    QCOMPARE(u.meldungen.Texte(Art::Frage),
             std::vector<std::string>({"Datei wurde bearbeitet. Sollen Änderungen gespeichert werden?"}));
    QCOMPARE(MandantImFile(buch), antwort == int(Antwort::Ja) ? std::string("Bearbeitet") : vorher);

    if (antwort == int(Antwort::Abbrechen)) {
        // Nothing happened: the changed file is still open and still marked changed.
        QVERIFY(f.Bestand().DateiOffen);
        QVERIFY(f.Bestand().Geaendert);
        QCOMPARE(f.Bestand().Mandant.Name, std::string("Bearbeitet"));
        QCOMPARE(f.windowTitle(), QStringLiteral("Talerwerk - buch.tlw "));
        QCOMPARE(f.oeffnenAufrufe, 0);
        QVERIFY(!geschlossen);
        QVERIFY(!QFile::exists(f.EinstellungsDatei()));
        return;
    }
    if (befehl == "neu") {
        QVERIFY(f.Bestand().DateiOffen);
        QVERIFY(f.Bestand().Dateiname.empty());
        QCOMPARE(f.windowTitle(), QStringLiteral("Talerwerk - [unbenannt] "));
    } else if (befehl == "oeffnen") {
        QVERIFY(f.Bestand().DateiOffen);
        QCOMPARE(f.Bestand().Mandant.Name, std::string("Anderes"));
        QCOMPARE(f.windowTitle(), QStringLiteral("Talerwerk - anderes.tlw "));
    } else if (befehl == "schliessen") {
        QVERIFY(!f.Bestand().DateiOffen);
        QVERIFY(!f.MenueOffen());
        QCOMPARE(f.windowTitle(), QStringLiteral("Talerwerk"));
    } else {
        QVERIFY(geschlossen);
        QVERIFY(QFile::exists(f.EinstellungsDatei()));
    }
}

void TProg_FensterTest::abgebrochenesSpeichernUnterBrichtBefehlAb() {
    for (const char* befehl : {"neu", "oeffnen", "schliessen", "beenden"}) {
        Umgebung u;
        PruefFenster& f = u.Starten();
        f.Neu1Click();
        f.Bestand().Mandant.Name = "Ungespeichert";
        f.Bestand().Geaendert = true;
        u.meldungen.antworten = {Antwort::Ja};  // save, but the name dialog is cancelled
        f.oeffnenNamen << u.Pfad(QStringLiteral("egal.tlw"));
        bool geschlossen = false;
        if (befehl == std::string("neu")) f.Neu1Click();
        if (befehl == std::string("oeffnen")) f.ffnen1Click();
        if (befehl == std::string("schliessen")) f.Schliessen1Click();
        if (befehl == std::string("beenden")) geschlossen = f.close();
        QCOMPARE(f.speichernAufrufe, 1);
        QCOMPARE(f.oeffnenAufrufe, 0);
        QVERIFY2(f.Bestand().DateiOffen, befehl);
        QCOMPARE(f.Bestand().Mandant.Name, std::string("Ungespeichert"));
        QVERIFY(f.Bestand().Geaendert);
        QVERIFY(!geschlossen);
        QCOMPARE(f.windowTitle(), QStringLiteral("Talerwerk - [unbenannt] "));
    }
}

void TProg_FensterTest::fehlgeschlagenesSpeichernBrichtBefehlAb() {
    Umgebung u;
    PruefFenster& f = u.MitOffenerDatei();
    // The file's folder disappears: the save must fail and the command must not go on.
    f.Bestand().Dateiname = u.Pfad(QStringLiteral("weg/buch.tlw")).toStdString();
    f.Bestand().Mandant.Name = "Bearbeitet";
    f.Bestand().Geaendert = true;
    u.meldungen.antworten = {Antwort::Ja};
    f.Schliessen1Click();
    QCOMPARE(u.meldungen.Texte(Art::Fehler).size(), size_t(1));
    QVERIFY(f.Bestand().DateiOffen);
    QVERIFY(f.Bestand().Geaendert);
    QCOMPARE(f.Bestand().Mandant.Name, std::string("Bearbeitet"));
    QVERIFY(f.MenueOffen());
}

void TProg_FensterTest::fehlgeschlagenesSpeichernUnterBehaeltNamen() {
    Umgebung u;
    PruefFenster& f = u.MitOffenerDatei();
    f.Bestand().Geaendert = true;
    f.speichernNamen << u.Pfad(QStringLiteral("gibtsnicht/neu.tlw"));
    QVERIFY(!f.Speichernunter1Click());
    QCOMPARE(u.meldungen.Texte(Art::Fehler).size(), size_t(1));
    QCOMPARE(QString::fromStdString(f.Bestand().Dateiname), u.Pfad(QStringLiteral("buch.tlw")));
    QCOMPARE(f.windowTitle(), QStringLiteral("Talerwerk - buch.tlw "));
    QVERIFY(f.Bestand().Geaendert);
}

void TProg_FensterTest::startParameterOhneDatei() {
    Umgebung u;
    PruefFenster& f = u.Starten({QStringLiteral("fehlt.tlw")});
    QCOMPARE(u.meldungen.Texte(Art::Fehler), std::vector<std::string>({"Datei nicht gefunden!"}));
    QVERIFY(!f.Bestand().DateiOffen);
    QVERIFY(!f.MenueOffen());
    QCOMPARE(f.windowTitle(), QStringLiteral("Talerwerk"));
    // The name of a file that was never read does not stay behind in the store.
    QVERIFY(f.Bestand().Dateiname.empty());
}

void TProg_FensterTest::startParameterOhneOrdnerLiegtBeimProgramm() {
    Umgebung u;
    QVERIFY(DateiAnlegen(u.Pfad(QStringLiteral("Haushalt.tlw"))));
    // The working folder is elsewhere: only the program's folder holds the file.
    QTemporaryDir anderswo;
    const QString bisher = QDir::currentPath();
    QDir::setCurrent(anderswo.path());
    PruefFenster& f = u.Starten({QStringLiteral("Haushalt.tlw")});
    QDir::setCurrent(bisher);
    QVERIFY(u.meldungen.meldungen.empty());
    QVERIFY(f.Bestand().DateiOffen);
    QCOMPARE(f.windowTitle(), QStringLiteral("Talerwerk - haushalt.tlw "));
    QCOMPARE(f.StatusText(2), QStringLiteral("TST"));
}

void TProg_FensterTest::oeffnenAbgebrochenLaesstDateiOffen() {
    Umgebung u;
    PruefFenster& f = u.MitOffenerDatei();
    f.ffnen1Click();  // no name chosen
    QCOMPARE(f.oeffnenAufrufe, 1);
    QVERIFY(f.Bestand().DateiOffen);
    QCOMPARE(f.windowTitle(), QStringLiteral("Talerwerk - buch.tlw "));

    // A file that cannot be read leaves the file open so far as it was: name, title, contents.
    QFile kaputt(u.Pfad(QStringLiteral("kaputt.tlw")));
    QVERIFY(kaputt.open(QIODevice::WriteOnly));
    kaputt.write("\x01\x00\x00\x00\x07", 5);
    kaputt.close();
    f.Bestand().Mandant.Name = "Vorher";
    f.Bestand().Geaendert = true;
    u.meldungen.antworten = {Antwort::Nein};  // the save question: go on without saving
    f.oeffnenNamen << kaputt.fileName();
    f.ffnen1Click();
    QCOMPARE(u.meldungen.Texte(Art::Fehler),
             std::vector<std::string>({"Ungültige Datei!\rÖffnen nicht möglich!"}));
    QVERIFY(f.Bestand().DateiOffen);
    QVERIFY(f.MenueOffen());
    QCOMPARE(f.windowTitle(), QStringLiteral("Talerwerk - buch.tlw "));
    QCOMPARE(QString::fromStdString(f.Bestand().Dateiname), u.Pfad(QStringLiteral("buch.tlw")));
    QCOMPARE(f.StatusText(2), QStringLiteral("TST"));
    QCOMPARE(f.Bestand().Mandant.Name, std::string("Vorher"));
    QVERIFY(f.Bestand().Geaendert);  // nothing typed is thrown away
    // Saving now writes the old contents under their own name, never under the new one.
    QVERIFY(f.Speichern1Click());
    QCOMPARE(MandantImFile(u.Pfad(QStringLiteral("buch.tlw"))), std::string("Vorher"));
    QCOMPARE(QFileInfo(kaputt.fileName()).size(), qint64(5));

    // Without a file open, a failed open leaves the window closed and unnamed.
    f.Schliessen1Click();
    f.oeffnenNamen << kaputt.fileName();
    f.ffnen1Click();
    QVERIFY(!f.Bestand().DateiOffen);
    QVERIFY(f.Bestand().Dateiname.empty());
    QCOMPARE(f.windowTitle(), QStringLiteral("Talerwerk"));
    QCOMPARE(f.DialogOrdner(), u.ordner.path());
}

void TProg_FensterTest::einstellungenBeimBeendenGeschrieben() {
    Umgebung u;
    Einstellungen e;
    e.x = 30;
    e.y = 40;
    e.Breite = 700;
    e.Hoehe = 500;
    e.Symbolleiste = false;
    e.Symbolleiste_Ausrichtung = 3;
    e.Nullbuchung = true;
    const QString ini = u.Pfad(QStringLiteral("talerwerk.ini"));
    QVERIFY(EinstellungenSpeichern(ini.toStdString(), e));

    PruefFenster& f = u.Starten();
    QCOMPARE(f.EinstellungsDatei(), ini);
    QCOMPARE(f.pos(), QPoint(30, 40));
    QCOMPARE(f.size(), QSize(700, 500));
    QVERIFY(f.BtnLeiste->isHidden());
    QCOMPARE(f.toolBarArea(f.BtnLeiste), Qt::LeftToolBarArea);
    QVERIFY(!f.Symbolleiste2->isChecked());
    QVERIFY(f.Statuszeile2->isChecked());

    f.Statuszeile1Click();
    f.removeToolBar(f.BtnLeiste);  // dragged to the bottom edge
    f.addToolBar(Qt::BottomToolBarArea, f.BtnLeiste);
    f.BtnLeiste->hide();
    f.move(50, 60);
    f.resize(640, 480);
    QVERIFY(f.close());

    QFile datei(ini);
    QVERIFY(datei.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString text = QString::fromUtf8(datei.readAll());
    for (const char* eintrag :
         {"[Hauptfenster]", "x=", "y=", "Breite=", "Hoehe=", "Symbolleiste=", "Symbolleiste_Ausrichtung=",
          "Statuszeile=", "[Meldungen]", "Warnung=", "Buchung=", "Überschreiben=", "[Einstellungen]",
          "Textbaustein=", "Buchungsdatum=", "Nullbuchung=", "rgmBuchung1=", "rgmBuchung2=",
          "BuchungEdit=", "[Rechner]", "offen=", "[Buchung]", "[KontoStand]", "[BListe]", "[Farbe]",
          "Positiv=", "Negativ="})
        QVERIFY2(text.contains(QString::fromUtf8(eintrag)), eintrag);

    const Einstellungen g = EinstellungenLaden(ini.toStdString());
    QCOMPARE(g.x, 50);
    QCOMPARE(g.y, 60);
    QCOMPARE(g.Breite, 640);
    QCOMPARE(g.Hoehe, 480);
    QVERIFY(!g.Symbolleiste);
    QCOMPARE(g.Symbolleiste_Ausrichtung, 2);
    QVERIFY(!g.Statuszeile);
    QVERIFY(g.Nullbuchung);  // untouched options survive the run
    QVERIFY(!g.RechnerOffen);
}

void TProg_FensterTest::hakenFolgenDerSichtbarkeit() {
    Umgebung u;
    PruefFenster& f = u.Starten();
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    auto alle = [&](std::initializer_list<QAction*> aktionen, bool erwartet) {
        for (QAction* a : aktionen)
            if (a->isChecked() != erwartet) return false;
        return true;
    };
    QVERIFY(alle({f.Symbolleiste1, f.Symbolleiste2, f.StatusSymbolleiste}, true));

    // Hidden through Qt's own tool bar menu: the marks follow.
    f.BtnLeiste->toggleViewAction()->trigger();
    QVERIFY(f.BtnLeiste->isHidden());
    QVERIFY(alle({f.Symbolleiste1, f.Symbolleiste2, f.StatusSymbolleiste}, false));

    // The status bar's own menu switches it back on.
    f.StatusSymbolleiste->trigger();
    QVERIFY(!f.BtnLeiste->isHidden());
    QVERIFY(alle({f.Symbolleiste1, f.Symbolleiste2, f.StatusSymbolleiste}, true));

    f.Statuszeile2->trigger();
    QVERIFY(f.statusBar()->isHidden());
    QVERIFY(alle({f.Statuszeile1, f.Statuszeile2, f.StatusStatuszeile}, false));
    f.statusBar()->show();
    QVERIFY(alle({f.Statuszeile1, f.Statuszeile2, f.StatusStatuszeile}, true));
    f.close();
}

void TProg_FensterTest::symbolleisteInReihenfolge() {
    Umgebung u;
    PruefFenster& f = u.Starten();
    QStringList namen;
    for (QAction* a : f.BtnLeiste->actions())
        if (!a->isSeparator()) namen << a->objectName();
    QCOMPARE(namen, QStringList({"NeuBtn", "SpeedItem2", "SpeedItem3", "SpeedItem12", "SpeedItem4",
                                 "SpeedItem5", "SpeedItem6", "SpeedItem7", "SpeedItem8", "SpeedItem1",
                                 "SpeedItem9", "VorlageBtn", "FilterBtn", "KtoBlattBtn", "GesamtEntwBtn",
                                 "SpeedItem10", "SpeedItem11"}));
    // Hints never carry the separator character of their source form.
    for (QAction* a : f.BtnLeiste->actions()) QVERIFY(!a->toolTip().contains(QLatin1Char('|')));
    QVERIFY(f.GesamtEntwBtn);
    QCOMPARE(f.GesamtEntwBtn->menu(), f.AuswertungPopUp);
    QCOMPARE(f.AuswertungPopUp->actions().size(), 5);

    // The button and its drop-down reach the commands.
    std::vector<std::string> gerufen;
    for (const char* name : {"Gesamtentwicklun1Click", "RubrikZeit1Click"})
        f.BefehlSetzen(QString::fromLatin1(name), [&gerufen, name] { gerufen.push_back(name); });
    f.Neu1Click();
    f.findChild<QAction*>(QStringLiteral("GesamtEntwBtn"))->trigger();
    f.AuswertungPopUp->actions().at(4)->trigger();
    QCOMPARE(gerufen, std::vector<std::string>({"Gesamtentwicklun1Click", "RubrikZeit1Click"}));
}

void TProg_FensterTest::kindfensterEinmaligUndAktualisiert() {
    Umgebung u;
    PruefFenster& f = u.Starten();
    std::array<int, TProg_Fenster::KindAnzahl> erzeugt{};
    for (auto kind : {TProg_Fenster::Buchung, TProg_Fenster::KontoStand, TProg_Fenster::Kontenblatt})
        f.KindfensterFabrikSetzen(kind, [&erzeugt, kind](TProg_Fenster&) {
            ++erzeugt[kind];
            return new PruefKind;
        });
    // A window that brings its own frame and is refreshed through a function instead.
    std::vector<int> listenArten;
    QWidget* listenFenster = nullptr;
    f.KindfensterFabrikSetzen(
        TProg_Fenster::BListe,
        [&](TProg_Fenster&) {
            auto* rahmen = new QMdiSubWindow;
            listenFenster = new QLabel(QStringLiteral("Liste"));
            rahmen->setWidget(listenFenster);
            return rahmen;
        },
        [&](QWidget* w, int art) {
            QCOMPARE(w, listenFenster);
            listenArten.push_back(art);
        });
    BuchungsanschlussPruefen(f);
    f.Neu1Click();
    // Without a booking window the booking commands have nothing to reach.
    f.Buchen1Click();
    QCOMPARE(erzeugt[TProg_Fenster::Buchung], 0);
    f.Kontostnde1Click();
    f.Kontostnde1Click();
    QCOMPARE(erzeugt[TProg_Fenster::KontoStand], 1);
    f.Kontenblatt1Click();
    f.Kontenblatt1Click();
    QCOMPARE(erzeugt[TProg_Fenster::Kontenblatt], 2);
    QCOMPARE(f.Arbeitsflaeche()->subWindowList().size(), 3);

    // A minimised single window comes back instead of a second one.
    QMdiSubWindow* rahmen = qobject_cast<QMdiSubWindow*>(f.Kindfenster(TProg_Fenster::KontoStand)->parentWidget());
    QVERIFY(rahmen);
    rahmen->showMinimized();
    f.Kontostnde1Click();
    QVERIFY(!rahmen->isMinimized());

    f.Suchen1Click();
    f.Hinzufgen1Click();
    auto* buchung = dynamic_cast<PruefKind*>(f.Kindfenster(TProg_Fenster::Buchung));
    auto* stand = dynamic_cast<PruefKind*>(f.Kindfenster(TProg_Fenster::KontoStand));
    QVERIFY(buchung && stand);
    QCOMPARE(f.Kindfenster(TProg_Fenster::BListe), listenFenster);
    QCOMPARE(f.Arbeitsflaeche()->subWindowList().size(), 5);
    QCOMPARE(f.Bestand().AktIndex, int32_t(f.Bestand().Buchungen.size()));
    QCOMPARE(buchung->zeigen, 1);

    for (int art = 1; art <= 5; ++art) f.AnsichtenAktualisieren(art);
    QCOMPARE(buchung->arten, std::vector<int>({2, 3}));
    QCOMPARE(stand->arten, std::vector<int>({1, 2, 4}));
    QCOMPARE(listenArten, std::vector<int>({1, 2, 5}));

    // The booking menu reaches the open booking window.
    f.Buchen1Click();
    f.Gehezu1Click();
    QCOMPARE(buchung->buchen, 1);
    QCOMPARE(buchung->gehezu, 1);
}

void TProg_FensterTest::fensterSchliessenMerktUndOeffnetWieder() {
    Umgebung u;
    PruefFenster& f = u.Starten();
    for (auto kind : {TProg_Fenster::Buchung, TProg_Fenster::KontoStand, TProg_Fenster::BListe})
        f.KindfensterFabrikSetzen(kind, [](TProg_Fenster&) { return new PruefKind; });
    f.Neu1Click();
    f.Kontostnde1Click();
    f.Bearbeiten1Click();
    QCOMPARE(f.Bestand().AktIndex, 0);

    f.FensterSchliessen();
    QVERIFY(f.Programmeinstellungen().BuchungOffen);
    QVERIFY(f.Programmeinstellungen().KontoStandOffen);
    QVERIFY(!f.Programmeinstellungen().BListeOffen);
    QVERIFY(!f.Kindfenster(TProg_Fenster::Buchung));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(f.Arbeitsflaeche()->subWindowList().isEmpty());

    f.FensterAktualisieren(true);
    QVERIFY(f.Kindfenster(TProg_Fenster::Buchung));
    QVERIFY(f.Kindfenster(TProg_Fenster::KontoStand));
    QVERIFY(!f.Kindfenster(TProg_Fenster::BListe));

    // Closing the file closes them; they stay closed while no file is open.
    f.Schliessen1Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(f.Arbeitsflaeche()->subWindowList().isEmpty());
    QVERIFY(f.Programmeinstellungen().BuchungOffen);

    // At exit the record of open windows goes into the settings file.
    f.Neu1Click();
    QVERIFY(f.Kindfenster(TProg_Fenster::Buchung));
    QVERIFY(f.close());
    const Einstellungen g = EinstellungenLaden(f.EinstellungsDatei().toStdString());
    QVERIFY(g.BuchungOffen);
    QVERIFY(g.KontoStandOffen);
    QVERIFY(!g.BListeOffen);
}

void TProg_FensterTest::faelligkeitsPruefungNurMitEinstellung() {
    for (bool an : {false, true}) {
        Umgebung u;
        PruefFenster& f = u.Starten();
        f.Programmeinstellungen().rgmBuchung1 = an;
        int pruefungen = 0;
        f.BefehlSetzen(QStringLiteral("RgmFaelligePruefen"), [&] { ++pruefungen; });
        QVERIFY(DateiAnlegen(u.Pfad(QStringLiteral("a.tlw"))));
        f.oeffnenNamen << u.Pfad(QStringLiteral("a.tlw"));
        f.ffnen1Click();
        QVERIFY(f.Bestand().DateiOffen);
        QCOMPARE(pruefungen, an ? 1 : 0);
    }
}

void TProg_FensterTest::faelligeNachDemOeffnenImProgramm() {
    Programm p;
    p.f->Programmeinstellungen().rgmBuchung1 = true;
    const QString pfad = p.u.Pfad(QStringLiteral("rgm.tlw"));
    {
        // Today's sample book with its recurring bookings executed up to 30 days ago.
        Datenbestand d = DemoBuch(200, 5, p.f->Uhrzeit().Heute() - 30);
        d.Dateiname = pfad.toStdString();
        SkriptMeldungen m;
        QVERIFY(DateiSpeichern(d, m));
        QVERIFY(!d.RgmBuchungen.empty());
    }
    // The window is modal: what it shows is read, then it is closed, from inside its event loop.
    int gesehen = 0, zeilen = 0;
    bool faelligeSeite = false;
    std::function<void()> ansehen = [&] {
        auto* dlg = qobject_cast<TrgmBuchungPlanDlg*>(QApplication::activeModalWidget());
        if (!dlg) return QTimer::singleShot(20, ansehen);
        ++gesehen;
        faelligeSeite = dlg->PageControl1->currentWidget() == dlg->BuchgTabSheet;
        zeilen = dlg->ListView1->topLevelItemCount();
        dlg->reject();
    };
    QTimer::singleShot(0, ansehen);
    p.f->oeffnenNamen << pfad;
    p.f->ffnen1Click();
    QCOMPARE(gesehen, 1);
    QVERIFY(faelligeSeite);
    QVERIFY(zeilen > 0);
    // The menu command shows the window as well, on the page shown last.
    QTimer::singleShot(0, ansehen);
    p.f->RegelmigeBuchungen1->trigger();
    QCOMPARE(gesehen, 2);
    QVERIFY(faelligeSeite);
}

void TProg_FensterTest::logoInfoUndHilfe() {
    Umgebung u;
    PruefFenster& f = u.Starten();
    QVERIFY(f.LogoSichtbar());
    QCOMPARE(f.LogoTimer->interval(), 5000);
    f.LogoTimer->stop();
    f.LogoPanel->hide();

    f.Info1Click();
    QCOMPARE(f.infoAufrufe, 1);
    QVERIFY(f.LogoSichtbar());
    QCOMPARE(f.LogoTimer->interval(), 3000);

    f.Inhalt1Click();
    auto* hilfe = f.findChild<QTextBrowser*>(QStringLiteral("HilfeText"));
    QVERIFY(hilfe);
    QVERIFY(hilfe->toPlainText().contains(QStringLiteral("Tastenkürzel")));
    f.Inhalt1Click();  // a second call reuses the window
    QCOMPARE(f.findChildren<QTextBrowser*>().size(), 1);
}

void TProg_FensterTest::offenbleibendesKindfensterHaeltBefehlAuf() {
    Umgebung u;
    PruefFenster& f = u.MitOffenerDatei();
    PruefKind* buchung = nullptr;
    f.KindfensterFabrikSetzen(TProg_Fenster::Buchung, [&](TProg_Fenster&) {
        buchung = new PruefKind;
        return buchung;
    });
    f.KindfensterFabrikSetzen(TProg_Fenster::KontoStand, [](TProg_Fenster&) { return new PruefKind; });
    f.Kontostnde1Click();
    f.Hinzufgen1Click();
    QVERIFY(buchung);
    buchung->bleiben = true;
    f.Bestand().Geaendert = true;
    f.oeffnenNamen << u.Pfad(QStringLiteral("buch.tlw"));

    // Every file command and the exit stop without asking; the window and what it holds stay.
    f.Schliessen1Click();
    f.Neu1Click();
    f.ffnen1Click();
    QVERIFY(!f.close());
    QVERIFY(u.meldungen.Texte(Art::Frage).empty());
    QCOMPARE(f.oeffnenAufrufe, 0);
    QVERIFY(f.Bestand().DateiOffen);
    QCOMPARE(f.Kindfenster(TProg_Fenster::Buchung), buchung);
    QVERIFY(f.Kindfenster(TProg_Fenster::KontoStand));
    QVERIFY(!QFile::exists(f.EinstellungsDatei()));

    buchung->bleiben = false;
    u.meldungen.antworten = {Antwort::Nein};
    f.Schliessen1Click();
    QCOMPARE(u.meldungen.Texte(Art::Frage).size(), size_t(1));
    QVERIFY(!f.Bestand().DateiOffen);
}

void TProg_FensterTest::buchungBeimSchliessenErreichtDieDatei() {
    Umgebung u;
    PruefFenster& f = u.MitOffenerDatei();
    f.KindfensterFabrikSetzen(TProg_Fenster::Buchung, [](TProg_Fenster& h) {
        auto* w = new PruefKind;
        // Closing stores the booking being typed, as the booking window does after asking.
        w->beimSchliessen = [&h] {
            h.Bestand().Mandant.Name = "Mit letzter Buchung";
            h.Bestand().Geaendert = true;
        };
        return w;
    });
    f.Bearbeiten1Click();
    QVERIFY(!f.Bestand().Geaendert);
    u.meldungen.antworten = {Antwort::Ja};
    QVERIFY(f.close());
    QCOMPARE(u.meldungen.Texte(Art::Frage).size(), size_t(1));
    QCOMPARE(MandantImFile(u.Pfad(QStringLiteral("buch.tlw"))), std::string("Mit letzter Buchung"));
    QVERIFY(EinstellungenLaden(f.EinstellungsDatei().toStdString()).BuchungOffen);
}

void TProg_FensterTest::tastenkuerzelNurImSichtbarenMenue() {
    Umgebung u;
    PruefFenster& f = u.Starten();
    int stammdaten = 0;
    f.BefehlSetzen(QStringLiteral("Mandant1Click"), [&] { ++stammdaten; });
    f.show();
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));

    // Both menus know Ctrl+O; only the one shown may answer, and it must answer exactly once.
    QTest::keyClick(&f, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(f.oeffnenAufrufe, 1);
    f.Neu1Click();
    f.Bestand().Geaendert = false;
    QTest::keyClick(&f, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(f.oeffnenAufrufe, 2);
    QVERIFY(f.Bestand().DateiOffen);

    // Ctrl+S saves the unnamed file through the name dialog.
    QTest::keyClick(&f, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(f.speichernAufrufe, 1);
    f.Schliessen1Click();
    QVERIFY(!f.Bestand().DateiOffen);
    QTest::keyClick(&f, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(f.speichernAufrufe, 1);
    QCOMPARE(stammdaten, 0);
    f.close();
}

void TProg_FensterTest::fenstermenueListetKindfenster() {
    Umgebung u;
    PruefFenster& f = u.Starten();
    f.KindfensterFabrikSetzen(TProg_Fenster::Kontenblatt, [](TProg_Fenster&) {
        auto* w = new QLabel(QStringLiteral("Blatt"));
        w->setWindowTitle(QStringLiteral("Kontenblatt & Co"));
        return w;
    });
    f.Neu1Click();
    f.Kontenblatt1Click();
    f.Kontenblatt1Click();
    emit f.Fenster1->aboutToShow();
    emit f.Fenster1->aboutToShow();  // rebuilt, not appended
    QStringList texte;
    for (QAction* a : f.Fenster1->actions())
        if (!a->isSeparator()) texte << a->text();
    QCOMPARE(texte, QStringList({"&alle anordnen", "&1 Kontenblatt && Co", "&2 Kontenblatt && Co"}));
    QMdiSubWindow* erstes = f.Arbeitsflaeche()->subWindowList().first();
    f.Fenster1->actions().last()->trigger();
    QVERIFY(f.Arbeitsflaeche()->activeSubWindow() != erstes);
    f.Fenster1->actions().at(2)->trigger();
    QCOMPARE(f.Arbeitsflaeche()->activeSubWindow(), erstes);
}

// With TALERWERK_BILDER=<folder> the window is drawn into PNG files there, to look at by eye.
void TProg_FensterTest::bilderFuerDieSichtpruefung() {
    const QString ziel = qEnvironmentVariable("TALERWERK_BILDER");
    if (ziel.isEmpty()) QSKIP("TALERWERK_BILDER not set");
    Umgebung u;
    PruefFenster& f = u.Starten();
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QVERIFY(f.grab().save(ziel + QStringLiteral("/geschlossen.png")));
    f.LogoPanel->hide();
    f.Neu1Click();
    f.Bestand().Mandant.Merker1 = true;
    f.FensterAktualisieren(false);
    // The real balances window and calculator over a sample book.
    const QString beispiel = u.Pfad(QStringLiteral("beispiel.tlw"));
    {
        Datenbestand d = DemoBuch(300, 5, 46000);
        d.Dateiname = beispiel.toStdString();
        SkriptMeldungen m;
        QVERIFY(DateiSpeichern(d, m));
    }
    f.oeffnenNamen << beispiel;
    f.ffnen1Click();
    f.KindfensterFabrikSetzen(TProg_Fenster::KontoStand, [](TProg_Fenster& h) -> QWidget* {
        return TKtoStandDlg::ImRahmen(
            new TKtoStandDlg(h.Bestand(), h.Programmeinstellungen(), h.EinstellungsDatei()));
    });
    f.KindfensterFabrikSetzen(TProg_Fenster::Rechner, [](TProg_Fenster& h) -> QWidget* {
        auto* r = new TRechnerDlg(h.Programmeinstellungen(), h.EinstellungsDatei().toStdString());
        r->InBereichZeigen(h.Arbeitsflaeche());
        return r;
    });
    f.resize(900, 600);
    f.Kontostnde1Click();
    f.Rechner1Click();
    QTest::qWait(50);
    QVERIFY(f.grab().save(ziel + QStringLiteral("/offen.png")));
    TTitelbild titel;
    titel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&titel));
    QVERIFY(titel.grab().save(ziel + QStringLiteral("/titelbild.png")));
    f.Inhalt1Click();
    auto* hilfe = f.findChild<QDialog*>(QStringLiteral("Hilfe"));
    QVERIFY(QTest::qWaitForWindowExposed(hilfe));
    QVERIFY(hilfe->grab().save(ziel + QStringLiteral("/hilfe.png")));
    hilfe->close();
    // The about box is modal: draw and close it from inside its own event loop.
    QTimer::singleShot(200, [&ziel] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box) return;
        box->grab().save(ziel + QStringLiteral("/info.png"));
        box->close();
    });
    f.echteInfoBox = true;
    f.Info1Click();
    QVERIFY(QFile::exists(ziel + QStringLiteral("/info.png")));
    f.close();

    // Qt's own file dialog speaks German.
    DeutscheTexteLaden(*qApp);
    {
        QFileDialog dialog(nullptr, QStringLiteral("Datei öffnen"));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setNameFilters(TProg_Fenster::DateiFilter(true));
        dialog.setDirectory(u.ordner.path());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(dialog.grab().save(ziel + QStringLiteral("/dateidialog.png")));
    }
    // The first start with the booking window, and a button reached with Tab.
    StilAnwenden(*qApp);
    Programm p;
    BeispielAnlegen(p.u.Pfad(QStringLiteral("buch.tlw")));
    p.f->oeffnenNamen << p.u.Pfad(QStringLiteral("buch.tlw"));
    p.f->ffnen1Click();
    p.Zeigen();
    p.f->Hinzufgen1Click();
    for (int i = 0; i < 9; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::qWait(50);
    QVERIFY(p.f->grab().save(ziel + QStringLiteral("/erste_groesse.png")));
    p.f->Kontostnde1Click();
    p.f->oeffnenNamen << p.u.Pfad(QStringLiteral("buch.tlw"));
    p.f->ffnen1Click();
    QTest::qWait(50);
    QVERIFY(p.f->grab().save(ziel + QStringLiteral("/wiedergeoeffnet.png")));
}

void TProg_FensterTest::kontenblaetterFolgenDemBestand() {
    Programm p;
    BeispielAnlegen(p.u.Pfad(QStringLiteral("buch.tlw")));
    p.f->oeffnenNamen << p.u.Pfad(QStringLiteral("buch.tlw"));
    p.f->ffnen1Click();
    p.Zeigen();
    QVERIFY(p.f->Bestand().DateiOffen);

    // Every command opens one more sheet.
    p.f->Kontenblatt1Click();
    p.f->Kontenblatt1Click();
    QCOMPARE(p.f->Kontenblaetter().size(), 2);
    auto* blatt = qobject_cast<TKontenblattDlg*>(p.f->Kontenblaetter().front());
    QVERIFY(blatt);

    // A double-click on a booking row shows that booking in the booking window.
    blatt->SortiertKnopf[1]->click();
    int zeile = -1;
    for (int i = 0; i < blatt->Modell->rowCount() && zeile < 0; ++i)
        if (blatt->Modell->Zeile(i)->IdentNr > 0) zeile = i;
    QVERIFY(zeile >= 0);
    const int32_t nr = blatt->Modell->Zeile(zeile)->IdentNr;
    QVERIFY(blatt->ZeileOeffnen(zeile));
    QVERIFY(p.Buchung());
    QCOMPARE(p.f->Bestand().Buchungen[static_cast<size_t>(p.f->Bestand().AktIndex)].IdentNr, nr);

    // A new booking reaches the open sheets through the refresh of the main window.
    const int vorher = blatt->Modell->rowCount();
    buchungstyp b = p.f->Bestand().Buchungen[static_cast<size_t>(p.f->Bestand().AktIndex)];
    b.IdentNr = 99999;
    BuchungAnhaengen(p.f->Bestand(), b);
    p.f->AnsichtenAktualisieren(1);
    QCOMPARE(blatt->Modell->rowCount(), vorher + 1);

    // Opening a file again replaces the store: the sheets close; so does closing the file.
    QPointer<QWidget> erstes(blatt);
    p.f->Bestand().Geaendert = false;
    p.f->oeffnenNamen << p.u.Pfad(QStringLiteral("buch.tlw"));
    p.f->ffnen1Click();
    QVERIFY(p.f->Bestand().DateiOffen);
    QVERIFY(p.f->Kontenblaetter().isEmpty());
    QTRY_VERIFY(erstes.isNull());
    p.f->Kontenblatt1Click();
    QCOMPARE(p.f->Kontenblaetter().size(), 1);
    p.f->Bestand().Geaendert = false;
    p.f->Schliessen1Click();
    QVERIFY(p.f->Kontenblaetter().isEmpty());
    // Without a file there is no sheet to open.
    p.f->Kontenblatt1Click();
    QVERIFY(p.f->Kontenblaetter().isEmpty());
}

void TProg_FensterTest::befehleSindNachNamenGebunden() {
    // Every command of the menus and the tool bar does its work: none is left unbound.
    Programm p;
    QCOMPARE(p.f->UngebundeneBefehle(), QStringList());

    // A misspelt name is refused, and the command it was meant for shows up as unbound.
    Umgebung u;
    PruefFenster& f = u.Starten();
    int konten = 0;
    QVERIFY(!f.BefehlSetzen(QStringLiteral("Kontenplan1Clik"), [&] { ++konten; }));
    QVERIFY(!f.BefehlSetzen(QStringLiteral("ffnen1Click"), [&] { ++konten; }));  // not a plug-in
    QVERIFY(f.UngebundeneBefehle().contains(QStringLiteral("Kontenplan1Click")));
    QVERIFY(f.UngebundeneBefehle().contains(QStringLiteral("Bearbeiten1Click")));  // no booking window
    QVERIFY(f.BefehlSetzen(QStringLiteral("Kontenplan1Click"), [&] { ++konten; }));
    QVERIFY(!f.UngebundeneBefehle().contains(QStringLiteral("Kontenplan1Click")));
    // The menu item, the tool bar button and the handler's name reach the same work.
    f.Neu1Click();
    f.Rubriken1->trigger();
    f.findChild<QAction*>(QStringLiteral("SpeedItem4"))->trigger();
    f.BefehlAusloesen(QStringLiteral("Kontenplan1Click"));
    QCOMPARE(konten, 3);
}

void TProg_FensterTest::zugriffstastenDesKindfenstersVorDemMenue() {
    Programm p;
    BeispielAnlegen(p.u.Pfad(QStringLiteral("buch.tlw")));
    p.f->oeffnenNamen << p.u.Pfad(QStringLiteral("buch.tlw"));
    p.f->ffnen1Click();
    p.Zeigen();
    p.f->Hinzufgen1Click();
    TBuchungDlg* w = p.Buchung();
    QVERIFY(w);
    // Opened with Ctrl+H: the date has the focus and takes what is typed.
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->DatumEdit->Edit));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("150326"));
    QCOMPARE(w->DatumEdit->Text(), std::string("15.03.26"));

    // Alt+D is "&Datei" and "Buchungs&datum": the window's field wins, every time.
    w->BemerkungEdit->setFocus();
    for (int i = 0; i < 2; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_D, Qt::AltModifier);
        QVERIFY(!QApplication::activePopupWidget());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->DatumEdit->Edit));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->BetragEdit));
    }
    // Alt+B is "&Buchung" and "&Buchen": the button is pressed.
    QSignalSpy buchen(w->BuchenBtn, &QPushButton::clicked);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_B, Qt::AltModifier);
    QCOMPARE(buchen.count(), 1);
    QVERIFY(!QApplication::activePopupWidget());
    p.u.meldungen.Leeren();

    // A letter no control of the window carries opens its menu ("Aus&wertung").
    w->BetragEdit->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_W, Qt::AltModifier);
    QWidget* menue = QApplication::activePopupWidget();
    QVERIFY(menue);
    QCOMPARE(menue->objectName(), QStringLiteral("Auswertung1"));
    MenueZu(*p.f);
    // F10 opens the menu bar at its first menu.
    w->BetragEdit->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10);
    menue = QApplication::activePopupWidget();
    QVERIFY(menue);
    QCOMPARE(menue->objectName(), QStringLiteral("Datei1"));
    MenueZu(*p.f);
    // Alt alone (pressed and let go) takes the keyboard into the menu bar.
    w->BetragEdit->setFocus();
    QTest::keyPress(QApplication::focusWidget(), Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Alt);
    QVERIFY(p.f->menuBar()->activeAction());
    QCOMPARE(p.f->menuBar()->activeAction()->text(), QStringLiteral("&Datei"));
    MenueZu(*p.f);
    // Without a child window the menu has the letters to itself.
    w->VerwerfenBtnClick();
    Rahmen(w)->close();
    QTRY_VERIFY(!p.f->Kindfenster(TProg_Fenster::Buchung));
    p.f->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(p.f));
    QTest::keyClick(p.f, Qt::Key_D, Qt::AltModifier);
    menue = QApplication::activePopupWidget();
    QVERIFY(menue);
    QCOMPARE(menue->objectName(), QStringLiteral("Datei1"));
    MenueZu(*p.f);
}

void TProg_FensterTest::ersteGroesseZeigtDasBuchungsfensterGanz() {
    Programm p;
    p.NeuOhneUebernahme();
    p.Zeigen();
    p.f->Hinzufgen1Click();
    TBuchungDlg* w = p.Buchung();
    QVERIFY(w);
    QApplication::processEvents();
    QMdiArea* flaeche = p.f->Arbeitsflaeche();
    QVERIFY2(flaeche->viewport()->rect().contains(Rahmen(w)->geometry()), "booking window cut off");
    QVERIFY(!flaeche->verticalScrollBar()->isVisible());
    QVERIFY(!flaeche->horizontalScrollBar()->isVisible());
    // Nothing inside the booking window is squeezed below what its layout asks for.
    QVERIFY(w->width() >= w->minimumSizeHint().width());
    QVERIFY(w->height() >= w->minimumSizeHint().height());
    QVERIFY(w->BitBtn1->geometry().bottom() < w->height());
    p.f->Bestand().Geaendert = false;
    QVERIFY(p.f->close());

    // A child window larger than the default size: the first size grows until it is seen whole.
    Umgebung v;
    PruefFenster& gross = v.Starten();
    const QRect lage(5, 5, 650, 380);
    gross.PlatzFuerKindfenster(lage);
    gross.show();
    QVERIFY(QTest::qWaitForWindowExposed(&gross));
    QVERIFY(gross.width() > 580 && gross.height() > 420);
    QVERIFY(gross.Arbeitsflaeche()->viewport()->rect().contains(lage));
    gross.close();

    // A size the user chose is kept, even a small one.
    Einstellungen klein;
    klein.Breite = 500;
    klein.Hoehe = 300;
    QVERIFY(EinstellungenSpeichern(p.f->EinstellungsDatei().toStdString(), klein));
    PruefFenster g(p.u.meldungen, p.u.kennwort, p.u.ProgrammPfad());
    g.PlatzFuerKindfenster(TBuchungDlg::Lage());
    QCOMPARE(g.size(), QSize(500, 300));
}

void TProg_FensterTest::maximiertBleibtUeberDenNeustart() {
    Umgebung u;
    {
        PruefFenster& f = u.Starten();
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        f.setWindowState(Qt::WindowMaximized);
        QVERIFY(f.close());
    }
    QVERIFY(EinstellungenLaden(u.fenster->EinstellungsDatei().toStdString()).Maximiert);
    PruefFenster& g = u.Starten();
    QVERIFY(g.windowState() & Qt::WindowMaximized);
    g.setWindowState(Qt::WindowNoState);
    QVERIFY(g.close());
    QVERIFY(!EinstellungenLaden(g.EinstellungsDatei().toStdString()).Maximiert);
}

void TProg_FensterTest::wiedergeoeffneteKindfensterVerdeckenSichNicht() {
    Programm p;
    BeispielAnlegen(p.u.Pfad(QStringLiteral("buch.tlw")));
    p.f->oeffnenNamen << p.u.Pfad(QStringLiteral("buch.tlw"));
    p.f->ffnen1Click();
    p.Zeigen();
    auto keinesVerdeckt = [&] {
        const QList<QMdiSubWindow*> fenster = p.f->Arbeitsflaeche()->subWindowList();
        QCOMPARE(fenster.size(), 3);
        for (QMdiSubWindow* a : fenster)
            for (QMdiSubWindow* b : fenster)
                if (a != b)
                    QVERIFY2(!a->geometry().contains(b->geometry()),
                             qPrintable(a->windowTitle() + QStringLiteral(" verdeckt ") + b->windowTitle()));
    };
    // Opened one after the other at their usual places (balances 50,50, booking 5,5, calculator).
    p.f->Kontostnde1Click();
    p.f->Hinzufgen1Click();
    p.f->Rechner1Click();
    keinesVerdeckt();
    // Open the same file again: the windows close and come back at their stored places.
    p.f->oeffnenNamen << p.u.Pfad(QStringLiteral("buch.tlw"));
    p.f->ffnen1Click();
    QVERIFY(p.Buchung());
    QVERIFY(p.f->Kindfenster(TProg_Fenster::KontoStand));
    keinesVerdeckt();
    // The booking window opened last has the focus in its date, ready for typing.
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(p.Buchung()->DatumEdit->Edit));
    // Ctrl+B from another child window brings the booking window back with a field focused.
    p.f->Kontostnde1Click();
    QVERIFY(!p.Buchung()->isAncestorOf(QApplication::focusWidget()));
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : p.f, Qt::Key_B, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(p.Buchung()->DatumEdit->Edit));
}

void TProg_FensterTest::dateidialogeImZuletztBenutztenOrdner() {
    Umgebung u;
    QVERIFY(QDir(u.ordner.path()).mkdir(QStringLiteral("archiv")));
    const QString archiv = u.Pfad(QStringLiteral("archiv"));
    DateiAnlegen(archiv + QStringLiteral("/alt.tlw"));
    PruefFenster& f = u.MitOffenerDatei();
    QCOMPARE(f.DialogOrdner(), u.ordner.path());
    f.oeffnenNamen << archiv + QStringLiteral("/alt.tlw");
    f.ffnen1Click();
    QCOMPARE(f.DialogOrdner(), archiv);
    // A failed open counts too: the user was looking in that folder.
    f.oeffnenNamen << u.Pfad(QStringLiteral("fehlt.tlw"));
    f.ffnen1Click();
    QCOMPARE(f.DialogOrdner(), u.ordner.path());
    QCOMPARE(QFileInfo(QString::fromStdString(f.Bestand().Dateiname)).fileName(), QStringLiteral("alt.tlw"));
    QCOMPARE(TProg_Fenster::DateiFilter(true),
             QStringList({"TLW 2.1-Dateien (*.tlw)", "Alle Dateien (*)"}));
    QCOMPARE(TProg_Fenster::DateiFilter(false), QStringList({"TLW 2.1-Dateien (*.tlw)"}));
}

void TProg_FensterTest::deutscheTexteVonQt() {
    QVERIFY2(DeutscheTexteLaden(*qApp), "qtbase_de fehlt (Debian: qt6-translations-l10n)");
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
    QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Suchen in:"));
}

namespace {

class TagUhr : public Uhr {
public:
    int32_t Heute() const override { return *TagesNummer(7, 12, 2026); }
};

// Answers the new-file dialog once it is up: `art` chosen, `datei` as the source, OK.
void NeuBeantworten(TNeuDlg* neu, QRadioButton* art, const QString& datei) {
    QTimer::singleShot(0, neu, [neu, art, datei] {
        QVERIFY(neu->isVisible());
        art->click();
        neu->DateiNameEdit->setText(datei);
        neu->OKBtn->click();
    });
}

}  // namespace

void TProg_FensterTest::neueDateiMitUebernahmeImProgramm() {
    Programm p;
    BeispielAnlegen(p.u.Pfad(QStringLiteral("quelle.tlw")));
    Datenbestand quelle;
    quelle.Dateiname = p.u.Pfad(QStringLiteral("quelle.tlw")).toStdString();
    SkriptKennwort ohne;
    QVERIFY(DateiLaden(quelle, p.u.meldungen, ohne));
    p.f->oeffnenNamen << p.u.Pfad(QStringLiteral("quelle.tlw"));
    p.f->ffnen1Click();
    p.Zeigen();
    p.f->Hinzufgen1Click();
    QVERIFY(p.Buchung());
    p.f->Bestand().Geaendert = true;

    // Save question: No; "Übernahme erfolgreich!": Yes, and the master-data dialog comes up.
    p.u.meldungen.antworten = {Antwort::Nein, Antwort::Ja};
    bool stammdatenGezeigt = false;
    NeuBeantworten(&p.dialoge->neu, p.dialoge->neu.AlleRBtn, p.u.Pfad(QStringLiteral("quelle.tlw")));
    // The master-data dialog comes after the new-file dialog: watched for until it is up.
    QTimer warten;
    warten.setInterval(10);
    QObject::connect(&warten, &QTimer::timeout, [&] {
        if (!p.dialoge->mandant.isVisible()) return;
        stammdatenGezeigt = true;
        warten.stop();
        p.dialoge->mandant.reject();
    });
    warten.start();
    p.f->Neu1Click();
    warten.stop();
    const Datenbestand& d = p.f->Bestand();
    QVERIFY(d.DateiOffen);
    QVERIFY(d.Geaendert);
    QVERIFY(d.Dateiname.empty());
    QVERIFY(stammdatenGezeigt);
    QCOMPARE(p.u.meldungen.Texte(Art::Frage),
             (std::vector<std::string>{"Datei wurde bearbeitet. Sollen Änderungen gespeichert werden?",
                                       "Übernahme erfolgreich!\rSollen Mandantendaten geändert werden?"}));
    QVERIFY(p.u.meldungen.Texte(Art::Fehler).empty());
    QVERIFY(p.f->windowTitle().startsWith(QStringLiteral("Talerwerk - [unbenannt]")));
    QCOMPARE(d.Konten.size(), quelle.Konten.size());
    QCOMPARE(d.Vorlagen, quelle.Vorlagen);
    QVERIFY(d.Buchungen.empty());
    QVERIFY(d.Mandant.OberNr != quelle.Mandant.OberNr);
    // The booking window came back, on the blank booking of the empty new file.
    QVERIFY(p.Buchung());
    QCOMPARE(d.LetzterIndex, -1);

    // Cancelling the dialog leaves the new file as it was.
    p.u.meldungen.Leeren();
    p.u.meldungen.antworten = {Antwort::Nein};
    QTimer::singleShot(0, &p.dialoge->neu, [&] { p.dialoge->neu.CancelBtn->click(); });
    p.f->Neu1Click();
    QVERIFY(p.f->Bestand().DateiOffen);
    QCOMPARE(p.f->Bestand().Vorlagen, quelle.Vorlagen);
}

void TProg_FensterTest::uebernahmeOhneKennwortLaesstKeineDateiOffen() {
    Programm p;
    QVERIFY(DateiAnlegen(p.u.Pfad(QStringLiteral("geheim.tlw")), [](Datenbestand& d) {
        d.Mandant.Kurz1 = KennwortVerschluesseln("abc");
        d.Mandant.Kurz2 = KennwortVerschluesseln("def");
    }));
    p.u.kennwort.antworten = {false};  // the prompt was cancelled (it reports that itself)
    NeuBeantworten(&p.dialoge->neu, p.dialoge->neu.AlleRBtn, p.u.Pfad(QStringLiteral("geheim.tlw")));
    p.f->Neu1Click();
    QCOMPARE(p.u.kennwort.arten, std::vector<int>{3});  // no second prompt
    QVERIFY(!p.f->Bestand().DateiOffen);
    QVERIFY(!p.f->MenueOffen());
    QCOMPARE(p.f->windowTitle(), QStringLiteral("Talerwerk"));
    QVERIFY(p.u.meldungen.meldungen.empty());

    // The write-protect password refused: no file either.
    p.u.kennwort.arten.clear();
    p.u.kennwort.antworten = {true, false};
    NeuBeantworten(&p.dialoge->neu, p.dialoge->neu.AuswahlRBtn, p.u.Pfad(QStringLiteral("geheim.tlw")));
    p.f->Neu1Click();
    QCOMPARE(p.u.kennwort.arten, (std::vector<int>{3, 4}));
    QVERIFY(!p.f->Bestand().DateiOffen);
    QVERIFY(p.f->Bestand().Konten.empty());

    // A source that is not there.
    NeuBeantworten(&p.dialoge->neu, p.dialoge->neu.AlleRBtn, p.u.Pfad(QStringLiteral("fehlt.tlw")));
    p.f->Neu1Click();
    QCOMPARE(p.u.meldungen.Texte(Art::Fehler), std::vector<std::string>{"Datei nicht gefunden!"});
    QVERIFY(!p.f->Bestand().DateiOffen);

    // "&Keine Übernahme": an empty new file.
    NeuBeantworten(&p.dialoge->neu, p.dialoge->neu.KeineRBtn, QString());
    p.f->Neu1Click();
    QVERIFY(p.f->Bestand().DateiOffen);
    QVERIFY(!p.f->Bestand().Geaendert);
    QCOMPARE(p.f->windowTitle(), QStringLiteral("Talerwerk - [unbenannt] "));
    QCOMPARE(p.f->Bestand().Textbausteine, EingebauteTextbausteine());
}

void TProg_FensterTest::vorlagenAusMenueUndBuchungsfenster() {
    Programm p;
    TagUhr uhr;
    p.f->UhrSetzen(uhr);
    BeispielAnlegen(p.u.Pfad(QStringLiteral("buch.tlw")));
    p.f->oeffnenNamen << p.u.Pfad(QStringLiteral("buch.tlw"));
    p.f->ffnen1Click();
    p.Zeigen();
    Datenbestand& d = p.f->Bestand();
    QVERIFY(d.Vorlagen.size() >= 2);
    d.Vorlagen[1].Text = "#D Tanken";
    d.Vorlagen[1].Belegnr = "T-1";
    d.Vorlagen[1].Bemerkung = "Vorlage";
    TVorlagenPlanDlg* liste = &p.dialoge->vorlagen;
    auto zweite = [liste] {
        QTreeWidgetItem* kopf = liste->Outline1->topLevelItem(0);
        liste->Outline1->setCurrentItem(kopf->child(1));
    };

    // Without a booking window the list cannot insert.
    bool gesehen = false;
    QTimer::singleShot(0, liste, [&] {
        gesehen = liste->isVisible();
        zweite();
        QVERIFY(!liste->EinfuegenBtn->isEnabled());
        QVERIFY(liste->BearbeitenBtn->isEnabled());
        QTest::keyClick(liste->Outline1, Qt::Key_Escape);
    });
    p.f->Vorlage1->trigger();
    QVERIFY(gesehen);
    QVERIFY(!p.Buchung());

    // From the booking window's button: the template goes into the booking being entered, its
    // text expanded with today's date, and the focus moves on to the date.
    p.f->Hinzufgen1Click();
    TBuchungDlg* b = p.Buchung();
    QVERIFY(b);
    const size_t buchungen = d.Buchungen.size();
    b->VorlageBtn->setFocus();
    QTimer::singleShot(0, liste, [&] {
        zweite();
        QVERIFY(liste->EinfuegenBtn->isEnabled());
        liste->EinfuegenBtn->click();
    });
    QTest::keyClick(b->VorlageBtn, Qt::Key_Space);
    QCOMPARE(b->TextEdit->Edit->text(), QStringLiteral("07.12.2026 Tanken"));
    QCOMPARE(b->BelegnrEdit->text(), QStringLiteral("T-1"));
    QCOMPARE(b->BemerkungEdit->text(), QStringLiteral("Vorlage"));
    QCOMPARE(b->BetragEdit->Betrag(), d.Vorlagen[1].Betrag);
    QCOMPARE(b->Konto1Label->text(), QString::fromStdString(KontoPfad(d.Konten, d.Vorlagen[1].Konto1)));
    // (The offscreen platform leaves the closed list the active window: the booking window's own
    // focus is what the user finds when the main window is active again.)
    QCOMPARE(b->focusWidget(), static_cast<QWidget*>(b->DatumEdit->Edit));
    QVERIFY(b->Eingabe().Geaendert());
    QCOMPARE(d.Buchungen.size(), buchungen);  // not stored until booked

    // The main menu's command and the booking window's context menu reach the same list.
    b->VerwerfenBtnClick();
    QTimer::singleShot(0, liste, [&] {
        zweite();
        liste->EinfuegenBtnClick();
    });
    p.f->Vorlage1->trigger();
    QCOMPARE(b->BelegnrEdit->text(), QStringLiteral("T-1"));
    b->VerwerfenBtnClick();
    gesehen = false;
    QTimer::singleShot(0, liste, [&] {
        gesehen = liste->isVisible() && liste->result() != TVorlagenPlanDlg::Einfuegen;
        liste->AbbruchBtn->click();
    });
    b->PopupVorlage->trigger();
    QVERIFY(gesehen);
    QCOMPARE(b->BelegnrEdit->text(), QString());  // closed without inserting
    QVERIFY(!p.f->Kindfenster(TProg_Fenster::BListe));
    b->PopupListe->trigger();
    QVERIFY(p.f->Kindfenster(TProg_Fenster::BListe));
}

QTEST_MAIN(TProg_FensterTest)
#include "tprog_fenster_test.moc"
