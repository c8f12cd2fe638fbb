#include "app/tprog_fenster.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

#include "app/programmablauf.h"
#include "app/qthilfe.h"
#include "app/tsicherungdlg.h"
#include "app/ttitelbild.h"
#include "store/datendatei.h"
#include "store/sicherungskopien.h"

using namespace talerwerk;

namespace {

constexpr const char* BefehlEigenschaft = "befehl";  // the handler name a menu item is bound to

QString Q(const std::string& text) { return QString::fromStdString(text); }
QString Q(const char* text) { return QString::fromUtf8(text); }

// The settings keep the tool bar's edge as 1 top, 2 bottom, 3 left, 4 right.
Qt::ToolBarArea LeistenBereich(int32_t ausrichtung) {
    switch (ausrichtung) {
    case 2: return Qt::BottomToolBarArea;
    case 3: return Qt::LeftToolBarArea;
    case 4: return Qt::RightToolBarArea;
    default: return Qt::TopToolBarArea;
    }
}

int32_t LeistenAusrichtung(Qt::ToolBarArea bereich) {
    switch (bereich) {
    case Qt::BottomToolBarArea: return 2;
    case Qt::LeftToolBarArea: return 3;
    case Qt::RightToolBarArea: return 4;
    default: return 1;
    }
}

QMdiSubWindow* SubFenster(QWidget* w) {
    for (QWidget* p = w; p; p = p->parentWidget())
        if (auto* sub = qobject_cast<QMdiSubWindow*>(p)) return sub;
    return nullptr;
}

}  // namespace

TProg_Fenster::TProg_Fenster(Meldungen& meldungen, Kennwortabfrage& kennwortabfrage,
                             const QString& programmPfad, const QStringList& argumente,
                             QWidget* eltern)
    : QMainWindow(eltern),
      meldungen_(meldungen),
      kennwortabfrage_(kennwortabfrage),
      uhr_(&systemUhr_),
      zufall_(&systemZufall_),
      programmPfad_(programmPfad),
      argumente_(argumente) {
    TalerwerkRessourcenLaden();
    setObjectName(QStringLiteral("Prog_Fenster"));
    setWindowIcon(QIcon(QStringLiteral(":/talerwerk.svg")));

    // The settings first: the window's geometry and bars come from them.
    einstellungsDatei_ = Q(EinstellungsPfad(programmPfad_.toStdString()));
    // A damaged settings file is set aside with a message; the defaults stand in for it.
    einstellungen_ = EinstellungenLaden(einstellungsDatei_.toStdString(), meldungen_);

    Flaeche = new QMdiArea(this);
    Flaeche->setObjectName(QStringLiteral("Flaeche"));
    Flaeche->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Flaeche->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(Flaeche);

    HandlerAnlegen();
    MenuesAnlegen();
    SymbolleisteAnlegen();
    StatuszeileAnlegen();
    LogoAnlegen();

    StatusPanel[0]->setText(QStringLiteral("Bereit"));
    GeometrieAnwenden();
    StatusPanel[1]->clear();
    NeuerDatenbestand(bestand_, *uhr_, *zufall_);
    bestand_.DateiOffen = false;
    // The bars as the settings have them already now, so the first picture is the right one.
    LeistenAnwenden();
    FensterAktualisieren(false);
    // Sees the keys before any control of this window does: access keys of the child windows.
    qApp->installEventFilter(this);
}

TProg_Fenster::~TProg_Fenster() {
    qApp->removeEventFilter(this);
    // Child windows may still hold references into the store; they go first.
    if (Flaeche) {
        for (QMdiSubWindow* sub : Flaeche->subWindowList()) delete sub;
    }
    delete hilfe_.data();
}

QPrinter& TProg_Fenster::Drucker() {
    if (!drucker_) drucker_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *drucker_;
}

// ---------------------------------------------------------------------------------------------
// Building the window

QAction* TProg_Fenster::NeueAktion(QMenu* menue, const char* komponente, const QString& text,
                                   const QKeySequence& kuerzel, const char* befehl) {
    auto* aktion = new QAction(text, this);
    aktion->setObjectName(QString::fromLatin1(komponente));
    if (!kuerzel.isEmpty()) aktion->setShortcut(kuerzel);
    Binden(aktion, QString::fromLatin1(befehl));
    menue->addAction(aktion);
    return aktion;
}

void TProg_Fenster::Binden(QAction* aktion, const QString& befehl) {
    aktion->setProperty(BefehlEigenschaft, befehl);
    connect(aktion, &QAction::triggered, this, [this, befehl] { BefehlAusloesen(befehl); });
}

void TProg_Fenster::BefehlAusloesen(const QString& befehl) {
    auto stelle = handler_.find(befehl);
    if (stelle != handler_.end()) stelle->second.ausfuehren();
}

void TProg_Fenster::HandlerAnlegen() {
    // Every command of the menus and the tool bar by the name of its handler, with what it needs
    // to do its work: nothing beyond the main window, a command plugged in under the same name,
    // or a child window's factory and the booking window's hooks.
    auto immer = [] { return true; };
    auto befehl = [this](const char* name) {
        steckplaetze_.insert(QString::fromLatin1(name));
        return [this, name = QString::fromLatin1(name)] {
            auto stelle = befehle_.find(name);
            return stelle != befehle_.end() && static_cast<bool>(stelle->second);
        };
    };
    auto fenster = [this](Kind kind) { return [this, kind] { return static_cast<bool>(fabriken_[kind]); }; };
    auto buchung = [this](std::function<void(QWidget*)> Buchungsanschluss::*haken) {
        return [this, haken] { return fabriken_[Buchung] && static_cast<bool>(buchung_.*haken); };
    };
    auto eintragen = [this](const char* name, std::function<void()> ausfuehren, std::function<bool()> gebunden) {
        handler_[QString::fromLatin1(name)] = {std::move(ausfuehren), std::move(gebunden)};
    };
    eintragen("Neu1Click", [this] { Neu1Click(); }, befehl("Neu1Click"));
    eintragen("ffnen1Click", [this] { ffnen1Click(); }, immer);
    eintragen("Schliessen1Click", [this] { Schliessen1Click(); }, immer);
    eintragen("Speichern1Click", [this] { Speichern1Click(); }, immer);
    eintragen("Speichernunter1Click", [this] { Speichernunter1Click(); }, immer);
    eintragen("Seiteeinrichten1Click", [this] { Seiteeinrichten1Click(); }, befehl("Seiteeinrichten1Click"));
    eintragen("Druckereinrichtung1Click", [this] { Druckereinrichtung1Click(); }, immer);
    eintragen("Beenden1Click", [this] { Beenden1Click(); }, immer);
    eintragen("Wiederherstellen1Click", [this] { Wiederherstellen1Click(); }, immer);
    eintragen("Mandant1Click", [this] { Mandant1Click(); }, befehl("Mandant1Click"));
    eintragen("Kontenplan1Click", [this] { Kontenplan1Click(); }, befehl("Kontenplan1Click"));
    eintragen("Textbausteine1Click", [this] { Textbausteine1Click(); }, befehl("Textbausteine1Click"));
    eintragen("Bearbeiten1Click", [this] { Bearbeiten1Click(); }, buchung(&Buchungsanschluss::AktIndexZeigen));
    eintragen("Hinzufgen1Click", [this] { Hinzufgen1Click(); }, buchung(&Buchungsanschluss::AktIndexZeigen));
    eintragen("Buchen1Click", [this] { Buchen1Click(); }, buchung(&Buchungsanschluss::Buchen));
    eintragen("Verwerfen1Click", [this] { Verwerfen1Click(); }, buchung(&Buchungsanschluss::Verwerfen));
    eintragen("Loeschen1Click", [this] { Loeschen1Click(); }, buchung(&Buchungsanschluss::Loeschen));
    eintragen("Gehezu1Click", [this] { Gehezu1Click(); },
              [geheZu = buchung(&Buchungsanschluss::GeheZu), dialog = befehl("Gehezu1Click")] {
                  return geheZu() && dialog();
              });
    eintragen("Suchen1Click", [this] { Suchen1Click(); }, fenster(BListe));
    eintragen("Vorlage1Click", [this] { Vorlage1Click(); }, befehl("Vorlage1Click"));
    eintragen("RegelmigeBuchungen1Click", [this] { RegelmigeBuchungen1Click(); },
              befehl("RegelmigeBuchungen1Click"));
    eintragen("Filter1Click", [this] { Filter1Click(); }, befehl("Filter1Click"));
    eintragen("Kontenblatt1Click", [this] { Kontenblatt1Click(); }, fenster(Kontenblatt));
    eintragen("Gesamtentwicklun1Click", [this] { Gesamtentwicklun1Click(); }, befehl("Gesamtentwicklun1Click"));
    eintragen("EinnahmeAusgabe1Click", [this] { EinnahmeAusgabe1Click(); }, befehl("EinnahmeAusgabe1Click"));
    eintragen("Buchungsbersicht1Click", [this] { Buchungsbersicht1Click(); }, befehl("Buchungsbersicht1Click"));
    eintragen("RubrikKonto1Click", [this] { RubrikKonto1Click(); }, befehl("RubrikKonto1Click"));
    eintragen("RubrikZeit1Click", [this] { RubrikZeit1Click(); }, befehl("RubrikZeit1Click"));
    eintragen("Kontostnde1Click", [this] { Kontostnde1Click(); }, fenster(KontoStand));
    eintragen("Rechner1Click", [this] { Rechner1Click(); }, fenster(Rechner));
    eintragen("Symbolleiste1Click", [this] { Symbolleiste1Click(); }, immer);
    eintragen("Statuszeile1Click", [this] { Statuszeile1Click(); }, immer);
    eintragen("Einstellungen1Click", [this] { Einstellungen1Click(); }, befehl("Einstellungen1Click"));
    eintragen("alleanordnen1Click", [this] { alleanordnen1Click(); }, immer);
    eintragen("Inhalt1Click", [this] { Inhalt1Click(); }, immer);
    eintragen("Info1Click", [this] { Info1Click(); }, immer);
    // Not a menu command, but consulted after a file was opened.
    eintragen("RgmFaelligePruefen", [this] { BefehlAusfuehren(QStringLiteral("RgmFaelligePruefen")); },
              befehl("RgmFaelligePruefen"));
}

QStringList TProg_Fenster::UngebundeneBefehle() const {
    QList<QAction*> aktionen;
    for (const QList<QMenu*>* menues : {&HauptMenue_geschlossen, &Hauptmenue_offen})
        for (QMenu* m : *menues) aktionen += m->actions();
    aktionen += AuswertungPopUp->actions();
    aktionen += StatusMenu->actions();
    aktionen += BtnLeiste->actions();
    QStringList namen;
    auto pruefen = [&](const QString& befehl) {
        auto stelle = handler_.find(befehl);
        if ((stelle == handler_.end() || !stelle->second.gebunden()) && !namen.contains(befehl)) namen << befehl;
    };
    for (QAction* a : aktionen) {
        if (a->isSeparator() || a->menu()) continue;
        const QString befehl = a->property(BefehlEigenschaft).toString();
        // The window list of "Fenster" is built each time the menu opens; its entries bind themselves.
        if (befehl.isEmpty() && a->parent() != this) continue;
        pruefen(befehl.isEmpty() ? QStringLiteral("<%1 ohne Befehl>").arg(a->objectName()) : befehl);
    }
    pruefen(QStringLiteral("RgmFaelligePruefen"));
    namen.sort();
    return namen;
}

void TProg_Fenster::MenuesAnlegen() {
    const QKeySequence kein;
    auto menue = [this](const QString& titel, const char* name) {
        auto* m = new QMenu(titel, this);
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };

    // While no file is open.
    QMenu* datei2 = menue(QStringLiteral("&Datei"), "Datei2");
    Neu2 = NeueAktion(datei2, "Neu2", QStringLiteral("&Neu"), kein, "Neu1Click");
    MenuItem3 = NeueAktion(datei2, "MenuItem3", QStringLiteral("Ö&ffnen..."),
                           QKeySequence(Qt::CTRL | Qt::Key_O), "ffnen1Click");
    NeueAktion(datei2, "Wiederherstellen2", QStringLiteral("Sicherungskopie &wiederherstellen..."), kein,
               "Wiederherstellen1Click");
    datei2->addSeparator();
    Seiteeinrichten2 = NeueAktion(datei2, "Seiteeinrichten2", QStringLiteral("Seite &einrichten"),
                                  kein, "Seiteeinrichten1Click");
    Druckereinrichtung2 = NeueAktion(datei2, "Druckereinrichtung2",
                                     QStringLiteral("Drucker&einrichtung..."), kein,
                                     "Druckereinrichtung1Click");
    datei2->addSeparator();
    Beenden2 = NeueAktion(datei2, "Beenden2", QStringLiteral("&Beenden"),
                          QKeySequence(Qt::ALT | Qt::Key_F4), "Beenden1Click");

    QMenu* ansicht2 = menue(QStringLiteral("&Ansicht"), "Ansicht2");
    Rechner2 = NeueAktion(ansicht2, "Rechner2", QStringLiteral("Rechner"),
                          QKeySequence(Qt::CTRL | Qt::Key_T), "Rechner1Click");
    ansicht2->addSeparator();
    Symbolleiste2 = NeueAktion(ansicht2, "Symbolleiste2", QStringLiteral("&Symbolleiste"), kein,
                               "Symbolleiste1Click");
    Statuszeile2 = NeueAktion(ansicht2, "Statuszeile2", QStringLiteral("S&tatuszeile"), kein,
                              "Statuszeile1Click");
    ansicht2->addSeparator();
    Einstellungen2 = NeueAktion(ansicht2, "Einstellungen2", QStringLiteral("&Einstellungen..."),
                                kein, "Einstellungen1Click");

    QMenu* hilfe2 = menue(QStringLiteral("&Hilfe"), "Hilfe2");
    Inhalt2 = NeueAktion(hilfe2, "Inhalt2", QStringLiteral("&Hilfeindex"), QKeySequence(Qt::Key_F1),
                         "Inhalt1Click");
    Info2 = NeueAktion(hilfe2, "Info2", QStringLiteral("In&fo..."), kein, "Info1Click");
    HauptMenue_geschlossen = {datei2, ansicht2, hilfe2};

    // While a file is open.
    QMenu* datei1 = menue(QStringLiteral("&Datei"), "Datei1");
    Neu1 = NeueAktion(datei1, "Neu1", QStringLiteral("&Neu"), kein, "Neu1Click");
    ffnen1 = NeueAktion(datei1, "ffnen1", QStringLiteral("Ö&ffnen..."),
                        QKeySequence(Qt::CTRL | Qt::Key_O), "ffnen1Click");
    Schliessen1 = NeueAktion(datei1, "Schliessen1", QStringLiteral("Sch&ließen"), kein,
                             "Schliessen1Click");
    datei1->addSeparator();
    Speichern1 = NeueAktion(datei1, "Speichern1", QStringLiteral("&Speichern"),
                            QKeySequence(Qt::CTRL | Qt::Key_S), "Speichern1Click");
    Speichernunter1 = NeueAktion(datei1, "Speichernunter1", QStringLiteral("Speichern &unter..."),
                                 kein, "Speichernunter1Click");
    NeueAktion(datei1, "Wiederherstellen1", QStringLiteral("Sicherungskopie &wiederherstellen..."), kein,
               "Wiederherstellen1Click");
    datei1->addSeparator();
    Seiteeinrichten1 = NeueAktion(datei1, "Seiteeinrichten1",
                                  QStringLiteral("Seite &einrichten..."), kein,
                                  "Seiteeinrichten1Click");
    Druckereinrichtung1 = NeueAktion(datei1, "Druckereinrichtung1",
                                     QStringLiteral("Drucker&einrichtung..."), kein,
                                     "Druckereinrichtung1Click");
    datei1->addSeparator();
    Beenden1 = NeueAktion(datei1, "Beenden1", QStringLiteral("&Beenden"),
                          QKeySequence(Qt::ALT | Qt::Key_F4), "Beenden1Click");

    QMenu* stamm1 = menue(QStringLiteral("&Stammdaten"), "Stammdaten1");
    Mandant1 = NeueAktion(stamm1, "Mandant1", QStringLiteral("&Stammdaten..."), kein,
                          "Mandant1Click");
    Rubriken1 = NeueAktion(stamm1, "Rubriken1", QStringLiteral("&Konten und Rubriken..."), kein,
                           "Kontenplan1Click");
    Textbausteine1 = NeueAktion(stamm1, "Textbausteine1", QStringLiteral("&Textbausteine..."),
                                kein, "Textbausteine1Click");

    QMenu* buchung1 = menue(QStringLiteral("&Buchung"), "Buchung1");
    Bearbeiten1 = NeueAktion(buchung1, "Bearbeiten1", QStringLiteral("&Bearbeiten..."),
                             QKeySequence(Qt::CTRL | Qt::Key_B), "Bearbeiten1Click");
    Hinzufgen1 = NeueAktion(buchung1, "Hinzufgen1", QStringLiteral("&Hinzufügen..."),
                            QKeySequence(Qt::CTRL | Qt::Key_H), "Hinzufgen1Click");
    buchung1->addSeparator();
    Buchen1 = NeueAktion(buchung1, "Buchen1", QStringLiteral("Buc&hen"), kein, "Buchen1Click");
    Verwerfen1 = NeueAktion(buchung1, "Verwerfen1", QStringLiteral("&Verwerfen"), kein,
                            "Verwerfen1Click");
    Loeschen1 = NeueAktion(buchung1, "Loeschen1", QStringLiteral("&Löschen"), kein,
                           "Loeschen1Click");
    buchung1->addSeparator();
    Gehezu1 = NeueAktion(buchung1, "Gehezu1", QStringLiteral("&Gehe zu..."),
                         QKeySequence(Qt::CTRL | Qt::Key_G), "Gehezu1Click");
    Suchen1 = NeueAktion(buchung1, "Suchen1", QStringLiteral("&Liste/Suchen..."),
                         QKeySequence(Qt::CTRL | Qt::Key_L), "Suchen1Click");
    buchung1->addSeparator();
    Vorlage1 = NeueAktion(buchung1, "Vorlage1", QStringLiteral("&Vorlage..."),
                          QKeySequence(Qt::CTRL | Qt::Key_V), "Vorlage1Click");
    RegelmigeBuchungen1 = NeueAktion(buchung1, "RegelmigeBuchungen1",
                                     QStringLiteral("&Regelmäige Buchungen..."),
                                     QKeySequence(Qt::CTRL | Qt::Key_R),
                                     "RegelmigeBuchungen1Click");
    // The booking window enables these once it shows a booking.
    Buchen1->setEnabled(false);
    Verwerfen1->setEnabled(false);
    Loeschen1->setEnabled(false);

    QMenu* auswertung1 = menue(QStringLiteral("Aus&wertung"), "Auswertung1");
    Filter1 = NeueAktion(auswertung1, "Filter1", QStringLiteral("&Filter..."),
                         QKeySequence(Qt::CTRL | Qt::Key_F), "Filter1Click");
    auswertung1->addSeparator();
    Kontenblatt1 = NeueAktion(auswertung1, "Kontenblatt1", QStringLiteral("&Kontenblatt..."), kein,
                              "Kontenblatt1Click");
    Gesamtentwicklun1 = NeueAktion(auswertung1, "Gesamtentwicklun1",
                                   QStringLiteral("&Gesamtentwicklung..."), kein,
                                   "Gesamtentwicklun1Click");
    EinnahmeAusgabe1 = NeueAktion(auswertung1, "EinnahmeAusgabe1",
                                  QStringLiteral("&Einnahme-Ausgabe..."), kein,
                                  "EinnahmeAusgabe1Click");
    Buchungsbersicht1 = NeueAktion(auswertung1, "Buchungsbersicht1",
                                   QStringLiteral("&Buchungsübersicht..."), kein,
                                   "Buchungsbersicht1Click");
    auswertung1->addSeparator();
    RubrikKonto1 = NeueAktion(auswertung1, "RubrikKonto1", QStringLiteral("&Rubrik-Konto...."),
                              kein, "RubrikKonto1Click");
    RubrikZeit1 = NeueAktion(auswertung1, "RubrikZeit1", QStringLiteral("Rubrik-&Zeit..."), kein,
                             "RubrikZeit1Click");

    QMenu* ansicht1 = menue(QStringLiteral("&Ansicht"), "Ansicht1");
    Kontostnde1 = NeueAktion(ansicht1, "Kontostnde1", QStringLiteral("&Kontostände"), kein,
                             "Kontostnde1Click");
    Rechner1 = NeueAktion(ansicht1, "Rechner1", QStringLiteral("&Rechner"),
                          QKeySequence(Qt::CTRL | Qt::Key_T), "Rechner1Click");
    ansicht1->addSeparator();
    Symbolleiste1 = NeueAktion(ansicht1, "Symbolleiste1", QStringLiteral("&Symbolleiste"), kein,
                               "Symbolleiste1Click");
    Statuszeile1 = NeueAktion(ansicht1, "Statuszeile1", QStringLiteral("S&tatuszeile"), kein,
                              "Statuszeile1Click");
    ansicht1->addSeparator();
    Einstellungen1 = NeueAktion(ansicht1, "Einstellungen1", QStringLiteral("&Einstellungen..."),
                                kein, "Einstellungen1Click");

    Fenster1 = menue(QStringLiteral("&Fenster"), "Fenster1");
    alleanordnen1 = NeueAktion(Fenster1, "alleanordnen1", QStringLiteral("&alle anordnen"), kein,
                               "alleanordnen1Click");
    connect(Fenster1, &QMenu::aboutToShow, this, &TProg_Fenster::FenstermenueAufbauen);

    QMenu* hilfe1 = menue(QStringLiteral("&Hilfe"), "Hilfe1");
    Inhalt1 = NeueAktion(hilfe1, "Inhalt1", QStringLiteral("&Hilfeindex"), QKeySequence(Qt::Key_F1),
                         "Inhalt1Click");
    Info1 = NeueAktion(hilfe1, "Info1", QStringLiteral("In&fo..."), kein, "Info1Click");
    Hauptmenue_offen = {datei1, stamm1, buchung1, auswertung1, ansicht1, Fenster1, hilfe1};

    for (QAction* a : {Symbolleiste1, Symbolleiste2, Statuszeile1, Statuszeile2})
        a->setCheckable(true);
    menuBar()->setObjectName(QStringLiteral("Menueleiste"));
}

void TProg_Fenster::SymbolleisteAnlegen() {
    BtnLeiste = new QToolBar(QStringLiteral("Symbolleiste"), this);
    BtnLeiste->setObjectName(QStringLiteral("BtnLeiste"));
    BtnLeiste->setMovable(true);
    BtnLeiste->setFloatable(false);  // the settings know the four edges only
    BtnLeiste->setAllowedAreas(Qt::AllToolBarAreas);
    BtnLeiste->setIconSize(QSize(18, 18));
    BtnLeiste->setToolButtonStyle(Qt::ToolButtonIconOnly);
    addToolBar(Qt::TopToolBarArea, BtnLeiste);

    struct Knopf {
        const char* name;
        const char* hinweis;
        const char* bild;
        const char* befehl;
        bool trennerDavor;
    };
    const std::vector<Knopf> knoepfe = {
        {"NeuBtn", "Datei neu", "neu", "Neu1Click", false},
        {"SpeedItem2", "Datei öffnen", "oeffnen", "ffnen1Click", false},
        {"SpeedItem3", "Datei speichern", "speichern", "Speichern1Click", false},
        {"SpeedItem12", "Stammdaten", "stammdaten", "Mandant1Click", true},
        {"SpeedItem4", "Konten- und Rubriken", "konten", "Kontenplan1Click", false},
        {"SpeedItem5", "Textbausteine", "textbausteine", "Textbausteine1Click", false},
        {"SpeedItem6", "Buchung bearbeiten", "bearbeiten", "Bearbeiten1Click", true},
        {"SpeedItem7", "Buchung hinzufügen", "hinzufuegen", "Hinzufgen1Click", false},
        {"SpeedItem8", "Gehe zu", "gehezu", "Gehezu1Click", false},
        {"SpeedItem1", "Regelm. Buchungen", "regelmaessig", "RegelmigeBuchungen1Click", false},
        {"SpeedItem9", "Liste/Suchen", "liste", "Suchen1Click", false},
        {"VorlageBtn", "Vorlagen", "vorlage", "Vorlage1Click", false},
        {"FilterBtn", "Filter", "filter", "Filter1Click", true},
        {"KtoBlattBtn", "Kontenblatt", "kontenblatt", "Kontenblatt1Click", false},
        {"GesamtEntwBtn", "Auswertungen...", "auswertungen", "Gesamtentwicklun1Click", false},
        {"SpeedItem10", "Rechner", "rechner", "Rechner1Click", true},
        {"SpeedItem11", "Kontostände", "kontostaende", "Kontostnde1Click", false},
    };
    for (const Knopf& k : knoepfe) {
        if (k.trennerDavor) BtnLeiste->addSeparator();
        auto* aktion = new QAction(QIcon(QStringLiteral(":/symbole/%1.svg").arg(Q(k.bild))),
                                   Q(k.hinweis), this);
        aktion->setObjectName(Q(k.name));
        aktion->setToolTip(Q(k.hinweis));
        Binden(aktion, Q(k.befehl));
        BtnLeiste->addAction(aktion);
    }

    AuswertungPopUp = new QMenu(this);
    AuswertungPopUp->setObjectName(QStringLiteral("AuswertungPopUp"));
    for (const auto& [text, befehl] : {std::pair{"Gesamtentwicklung...", "Gesamtentwicklun1Click"},
                                        std::pair{"Einnahme-Ausgabe...", "EinnahmeAusgabe1Click"},
                                        std::pair{"Buchungsübersicht...", "Buchungsbersicht1Click"},
                                        std::pair{"Rubrik-Konto...", "RubrikKonto1Click"},
                                        std::pair{"Rubrik-Zeit...", "RubrikZeit1Click"}})
        Binden(AuswertungPopUp->addAction(Q(text)), Q(befehl));
    GesamtEntwBtn = qobject_cast<QToolButton*>(
        BtnLeiste->widgetForAction(findChild<QAction*>(QStringLiteral("GesamtEntwBtn"))));
    if (GesamtEntwBtn) {
        GesamtEntwBtn->setMenu(AuswertungPopUp);
        GesamtEntwBtn->setPopupMode(QToolButton::MenuButtonPopup);
    }

    // Qt's own tool bar menu (right click on the bars) hides the bar too; the marks follow.
    connect(BtnLeiste, &QToolBar::visibilityChanged, this, &TProg_Fenster::HakenAktualisieren);
    connect(BtnLeiste->toggleViewAction(), &QAction::triggered, this,
            &TProg_Fenster::HakenAktualisieren);
}

void TProg_Fenster::StatuszeileAnlegen() {
    QStatusBar* zeile = statusBar();
    zeile->setObjectName(QStringLiteral("StatusBar"));
    const int breiten[3] = {300, 100, 50};
    for (int i = 0; i < 3; ++i) {
        auto* panel = new QLabel(zeile);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        // The client's abbreviation (up to ten characters) must not be cut off: the last panel
        // grows with its text.
        if (i < 2)
            panel->setFixedWidth(breiten[i]);
        else
            panel->setMinimumWidth(breiten[i]);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setIndent(3);
        zeile->addWidget(panel);
        StatusPanel[static_cast<size_t>(i)] = panel;
    }

    StatusMenu = new QMenu(this);
    StatusMenu->setObjectName(QStringLiteral("StatusMenu"));
    StatusSymbolleiste = StatusMenu->addAction(QStringLiteral("&Symbolleiste"));
    Binden(StatusSymbolleiste, QStringLiteral("Symbolleiste1Click"));
    StatusSymbolleiste->setObjectName(QStringLiteral("StatusSymbolleiste"));
    StatusStatuszeile = StatusMenu->addAction(QStringLiteral("Status&zeile"));
    Binden(StatusStatuszeile, QStringLiteral("Statuszeile1Click"));
    StatusStatuszeile->setObjectName(QStringLiteral("StatusStatuszeile"));
    StatusSymbolleiste->setCheckable(true);
    StatusStatuszeile->setCheckable(true);
    zeile->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(zeile, &QWidget::customContextMenuRequested, this, [this, zeile](const QPoint& stelle) {
        HakenAktualisieren();
        StatusMenu->popup(zeile->mapToGlobal(stelle));
    });
    zeile->installEventFilter(this);
}

void TProg_Fenster::LogoAnlegen() {
    LogoPanel = new TTitelbild(this);
    LogoPanel->hide();
    LogoTimer = new QTimer(this);
    LogoTimer->setObjectName(QStringLiteral("LogoTimer"));
    LogoTimer->setSingleShot(true);
    connect(LogoTimer, &QTimer::timeout, LogoPanel, &QWidget::hide);
}

void TProg_Fenster::GeometrieAnwenden() {
    QRect lage(einstellungen_.x, einstellungen_.y, std::max(einstellungen_.Breite, 100),
               std::max(einstellungen_.Hoehe, 80));
    // A window stored on a screen that is no longer there would open out of reach.
    bool sichtbar = QGuiApplication::screens().isEmpty();
    for (QScreen* schirm : QGuiApplication::screens())
        if (schirm->availableGeometry().intersects(lage.adjusted(0, 0, -40, -40))) sichtbar = true;
    if (!sichtbar) lage.moveTopLeft(QPoint(0, 0));
    move(lage.topLeft());
    resize(lage.size());
    // A main window that was maximised at the last exit opens maximised; its normal placement
    // above is where it returns to.
    if (einstellungen_.Maximiert) setWindowState(windowState() | Qt::WindowMaximized);
    // Without a stored placement this is the first start: PlatzFuerKindfenster may still enlarge
    // the window for the first child window.
    const FensterLage fehlt{INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN};
    const FensterLage gespeichert = FensterLageLesen(einstellungsDatei_.toStdString(), "Hauptfenster", fehlt);
    ersteGroesse_ = gespeichert.Breite == INT32_MIN || gespeichert.Hoehe == INT32_MIN;
}

void TProg_Fenster::PlatzFuerKindfenster(const QRect& kindLage) {
    if (!ersteGroesse_ || isMaximized()) return;
    // The frame of the work area and the bars around it, as the layout places them now.
    if (layout()) layout()->activate();
    const QSize rand = size() - Flaeche->maximumViewportSize();
    const int luft = 6;  // a little room right of and below the child window
    QSize noetig(std::max(width(), kindLage.x() + kindLage.width() + luft + rand.width()),
                 std::max(height(), kindLage.y() + kindLage.height() + luft + rand.height()));
    if (QScreen* schirm = screen()) {
        // The window frame around it must fit on the screen as well.
        const QSize platz = schirm->availableGeometry().size() - QSize(16, 40);
        noetig = noetig.boundedTo(platz).expandedTo(size().boundedTo(platz));
    }
    resize(noetig);
}

void TProg_Fenster::LeistenAnwenden() {
    const Qt::ToolBarArea bereich = LeistenBereich(einstellungen_.Symbolleiste_Ausrichtung);
    if (toolBarArea(BtnLeiste) != bereich) {
        removeToolBar(BtnLeiste);
        addToolBar(bereich, BtnLeiste);
    }
    BtnLeiste->setVisible(einstellungen_.Symbolleiste);
    statusBar()->setVisible(einstellungen_.Statuszeile);
    HakenAktualisieren();
}

void TProg_Fenster::LayoutAufzeichnen() {
    QRect lage(pos(), size());
    if (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)) {
        // Remember the normal placement, not the maximised one; normalGeometry is the client
        // area, so take the frame's offset off again.
        const QPoint rahmen = geometry().topLeft() - pos();
        lage = normalGeometry();
        lage.moveTopLeft(lage.topLeft() - rahmen);
    }
    einstellungen_.x = lage.x();
    einstellungen_.y = lage.y();
    einstellungen_.Breite = lage.width();
    einstellungen_.Hoehe = lage.height();
    einstellungen_.Symbolleiste = !BtnLeiste->isHidden();
    einstellungen_.Symbolleiste_Ausrichtung = LeistenAusrichtung(toolBarArea(BtnLeiste));
    einstellungen_.Statuszeile = !statusBar()->isHidden();
    einstellungen_.Maximiert = (windowState() & Qt::WindowMaximized) != 0;
}

void TProg_Fenster::HakenAktualisieren() {
    const bool leiste = !BtnLeiste->isHidden();
    const bool zeile = !statusBar()->isHidden();
    for (QAction* a : {Symbolleiste1, Symbolleiste2, StatusSymbolleiste})
        if (a) a->setChecked(leiste);
    for (QAction* a : {Statuszeile1, Statuszeile2, StatusStatuszeile})
        if (a) a->setChecked(zeile);
}

// ---------------------------------------------------------------------------------------------
// Events

void TProg_Fenster::showEvent(QShowEvent* ereignis) {
    QMainWindow::showEvent(ereignis);
    if (!LogoPanel->isHidden()) LogoPlatzieren();
    // The show steps run once the window is on the screen, so that password prompts and
    // messages of the start-up file appear above it.
    if (!gezeigt_) QTimer::singleShot(0, this, &TProg_Fenster::FormShow);
}

void TProg_Fenster::resizeEvent(QResizeEvent* ereignis) {
    QMainWindow::resizeEvent(ereignis);
    if (LogoPanel && !LogoPanel->isHidden()) LogoPlatzieren();
}

void TProg_Fenster::LogoPlatzieren() {
    // Centred over the child-window area; a window smaller than the panel shows its top left.
    const QRect flaeche = centralWidget()->geometry();
    QPoint ecke = flaeche.center() - LogoPanel->rect().center();
    ecke.setX(std::max(ecke.x(), flaeche.left()));
    ecke.setY(std::max(ecke.y(), flaeche.top()));
    LogoPanel->move(ecke);
}

QList<QWidget*> TProg_Fenster::Zugriffsziele(const QKeyEvent* taste) const {
    if (taste->modifiers() != Qt::AltModifier) return {};
    const int key = taste->key();
    if (!((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9) ||
          (key >= Qt::Key_Agrave && key <= Qt::Key_ydiaeresis)))
        return {};
    QMdiSubWindow* sub = Flaeche->activeSubWindow();
    if (!sub || !sub->widget() || sub->isMinimized()) return {};
    const QKeySequence gesucht(QKeyCombination(Qt::AltModifier, static_cast<Qt::Key>(key)));
    // The controls of the active child window carrying this access key, in focus order.
    QList<QWidget*> ziele;
    for (QWidget* w = sub->widget()->nextInFocusChain(); w && w != sub->widget(); w = w->nextInFocusChain()) {
        if (!sub->widget()->isAncestorOf(w)) continue;
        if (!w->isVisible() || !w->isEnabled()) continue;
        if (auto* knopf = qobject_cast<QAbstractButton*>(w)) {
            if (QKeySequence::mnemonic(knopf->text()) == gesucht && !ziele.contains(knopf)) ziele << knopf;
        }
    }
    for (QLabel* l : sub->widget()->findChildren<QLabel*>()) {
        QWidget* partner = l->buddy();
        if (!partner || !l->isVisible() || !partner->isVisible() || !partner->isEnabled()) continue;
        if (QKeySequence::mnemonic(l->text()) == gesucht && !ziele.contains(partner)) ziele << partner;
    }
    return ziele;
}

void TProg_Fenster::ZugriffstasteAusloesen(const QList<QWidget*>& ziele) {
    if (ziele.size() > 1) {
        // Several controls with the same key: each press moves the focus on to the next one.
        QWidget* fokus = QApplication::focusWidget();
        qsizetype naechstes = 0;
        for (qsizetype i = 0; i < ziele.size(); ++i)
            if (ziele[i] == fokus || (fokus && ziele[i]->isAncestorOf(fokus))) naechstes = (i + 1) % ziele.size();
        ziele[naechstes]->setFocus(Qt::ShortcutFocusReason);
        return;
    }
    // One control: a field (the partner of a label) takes the focus, a button is pressed, and a
    // check box also takes the focus, as their own access keys do it.
    QWidget* ziel = ziele.front();
    auto* knopf = qobject_cast<QAbstractButton*>(ziel);
    if ((!knopf || knopf->isCheckable()) && ziel->focusPolicy() != Qt::NoFocus)
        ziel->setFocus(Qt::ShortcutFocusReason);
    if (knopf) knopf->click();
}

bool TProg_Fenster::eventFilter(QObject* objekt, QEvent* ereignis) {
    if (objekt == statusBar() &&
        (ereignis->type() == QEvent::Show || ereignis->type() == QEvent::Hide))
        HakenAktualisieren();
    const QEvent::Type typ = ereignis->type();
    if ((typ == QEvent::ShortcutOverride || typ == QEvent::KeyPress) &&
        static_cast<QKeyEvent*>(ereignis)->key() == Qt::Key_F1 &&
        static_cast<QKeyEvent*>(ereignis)->modifiers() == Qt::NoModifier && objekt->isWidgetType()) {
        // F1 anywhere in the program opens the help at the section of the window with the focus
        // (the menu's "Hilfeindex" opens it at the top). Taking the override keeps the menu's
        // shortcut from firing.
        if (typ == QEvent::ShortcutOverride) {
            ereignis->accept();
        } else {
            // The key goes to the control with the focus first, so the receiver names the window.
            HilfeZeigen(HilfeAbschnitt(static_cast<QWidget*>(objekt)));
        }
        return true;
    }
    if (typ == QEvent::ShortcutOverride || typ == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(objekt);
        if (widget && widget->window() == this && !QApplication::activePopupWidget()) {
            auto* taste = static_cast<QKeyEvent*>(ereignis);
            // Alt+letter belongs to the active child window when one of its controls carries the
            // letter; only otherwise does the menu bar get it. Taking the shortcut override keeps
            // the menu bar's shortcut from firing, and the key press then does what the control's
            // own access key does.
            const QList<QWidget*> ziele = Zugriffsziele(taste);
            if (!ziele.isEmpty()) {
                if (typ == QEvent::ShortcutOverride)
                    ereignis->accept();
                else
                    ZugriffstasteAusloesen(ziele);
                return true;
            }
            if (typ == QEvent::KeyPress && taste->key() == Qt::Key_F10 && taste->modifiers() == Qt::NoModifier &&
                !menuBar()->actions().isEmpty()) {
                // F10 opens the menu bar from the keyboard, wherever the focus is.
                menuBar()->setActiveAction(menuBar()->actions().first());
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(objekt, ereignis);
}

void TProg_Fenster::closeEvent(QCloseEvent* ereignis) {
    if (beendet_) {
        ereignis->accept();
        return;
    }
    // The child windows close before the save question, as for the other file commands: the
    // booking window may still store the booking being typed, and that must reach the file.
    if (bestand_.DateiOffen && !FensterSchliessen()) {
        KindfensterWiederOeffnen();
        ereignis->ignore();
        return;
    }
    if (!SpeicherFrage()) {
        KindfensterWiederOeffnen();
        ereignis->ignore();
        return;
    }
    LayoutAufzeichnen();
    einstellungen_.RechnerOffen = !kinder_[Rechner].isNull();
    KindSchliessen(Rechner);
    // A settings file that cannot be written costs only the layout; the program ends anyway.
    EinstellungenSpeichern(einstellungsDatei_.toStdString(), einstellungen_);
    for (QMdiSubWindow* sub : Flaeche->subWindowList()) {
        sub->close();
        sub->deleteLater();
    }
    if (hilfe_) hilfe_->close();
    sperre_.Freigeben();
    beendet_ = true;
    ereignis->accept();
}

// ---------------------------------------------------------------------------------------------
// Child windows

void TProg_Fenster::KindfensterFabrikSetzen(Kind kind, Fabrik fabrik, Aktualisierung aktualisieren) {
    fabriken_[kind] = std::move(fabrik);
    aktualisierungen_[kind] = std::move(aktualisieren);
}

bool TProg_Fenster::BefehlSetzen(const QString& name, std::function<void()> ausfuehren) {
    // Only names the shell consults are taken: a misspelt name would otherwise sit unused while
    // the command it was meant for stays dead.
    if (!steckplaetze_.count(name)) {
        qWarning("TProg_Fenster::BefehlSetzen: kein Befehl heißt %s", qPrintable(name));
        return false;
    }
    befehle_[name] = std::move(ausfuehren);
    return true;
}

void TProg_Fenster::BefehlAusfuehren(const QString& name) {
    auto stelle = befehle_.find(name);
    if (stelle != befehle_.end() && stelle->second) stelle->second();
}

QWidget* TProg_Fenster::Kindfenster(Kind kind) const {
    return kind == Kontenblatt ? nullptr : kinder_[kind].data();
}

QMdiSubWindow* TProg_Fenster::InArbeitsflaeche(QWidget* inhalt) {
    QMdiSubWindow* sub = SubFenster(inhalt);
    if (!sub) sub = Flaeche->addSubWindow(inhalt);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->show();
    Flaeche->setActiveSubWindow(sub);
    return sub;
}

QWidget* TProg_Fenster::KindfensterZeigen(Kind kind) {
    if (kind != Kontenblatt && kinder_[kind]) {
        QWidget* w = kinder_[kind];
        if (QMdiSubWindow* sub = SubFenster(w)) {
            if (sub->isMinimized()) sub->showNormal();
            sub->show();
            Flaeche->setActiveSubWindow(sub);
            sub->raise();
        }
        return w;
    }
    if (!fabriken_[kind]) return nullptr;
    QWidget* w = fabriken_[kind](*this);
    if (!w) return nullptr;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(w)) {
        if (!sub->mdiArea()) Flaeche->addSubWindow(sub);
        if (sub->widget()) w = sub->widget();
    }
    InArbeitsflaeche(w);
    FreiPlatzieren(w);
    if (kind != Kontenblatt) kinder_[kind] = w;
    else kontenblaetter_ << w;
    return w;
}

QList<QWidget*> TProg_Fenster::Kontenblaetter() const {
    QList<QWidget*> offen;
    for (const QPointer<QWidget>& w : kontenblaetter_)
        if (w) offen << w.data();
    return offen;
}

void TProg_Fenster::KontenblaetterSchliessen() {
    for (QWidget* w : Kontenblaetter()) {
        QWidget* rahmen = SubFenster(w);
        if (!rahmen) rahmen = w;
        rahmen->close();
        rahmen->deleteLater();
    }
    kontenblaetter_.clear();
}

bool TProg_Fenster::KindSchliessen(Kind kind) {
    QWidget* w = kinder_[kind];
    if (!w) return true;
    QWidget* rahmen = SubFenster(w);
    if (!rahmen) rahmen = w;
    // A window may keep itself open (the booking window when its booking cannot be stored or
    // the user cancels); then it stays, with what was typed into it.
    if (!rahmen->close()) return false;
    kinder_[kind] = nullptr;
    rahmen->deleteLater();
    return true;
}

bool TProg_Fenster::FensterSchliessen() {
    einstellungen_.BuchungOffen = !kinder_[Buchung].isNull();
    einstellungen_.BListeOffen = !kinder_[BListe].isNull();
    einstellungen_.KontoStandOffen = !kinder_[KontoStand].isNull();
    if (!KindSchliessen(Buchung)) return false;
    BuchungsbefehleFreigeben(false, false, false);
    return KindSchliessen(BListe) && KindSchliessen(KontoStand);
}

void TProg_Fenster::KindfensterWiederOeffnen() {
    if (!bestand_.DateiOffen) return;
    // Windows that are still open stay as they are (the booking window keeps its position).
    if (einstellungen_.KontoStandOffen && !kinder_[KontoStand]) KindfensterZeigen(KontoStand);
    if (einstellungen_.BListeOffen && !kinder_[BListe]) KindfensterZeigen(BListe);
    if (einstellungen_.BuchungOffen && !kinder_[Buchung])
        BuchungsfensterZeigen(static_cast<int32_t>(bestand_.Buchungen.size()));
}

void TProg_Fenster::FreiPlatzieren(QWidget* kind) {
    QMdiSubWindow* sub = SubFenster(kind);
    if (!sub || sub->isMaximized() || sub->isMinimized()) return;
    auto rechteck = [](const QRect& r) { return Fensterrechteck{r.x(), r.y(), r.width(), r.height()}; };
    auto normal = [](QMdiSubWindow* w) { return w->isVisible() && !w->isMinimized() && !w->isMaximized(); };
    auto andere = [&](QMdiSubWindow* ohne) {
        std::vector<Fensterrechteck> r;
        for (QMdiSubWindow* w : Flaeche->subWindowList())
            if (w != ohne && normal(w)) r.push_back(rechteck(w->geometry()));
        return r;
    };
    const QSize flaeche = Flaeche->viewport()->size();
    const Fensterrechteck platz =
        FreierPlatz(rechteck(sub->geometry()), andere(sub), flaeche.width(), flaeche.height());
    sub->move(platz.x, platz.y);
    // Where the window finds no place of its own, the windows it would hide move instead, far
    // enough to show.
    for (QMdiSubWindow* w : Flaeche->subWindowList()) {
        if (w == sub || !normal(w)) continue;
        const Fensterrechteck neu = rechteck(sub->geometry());
        const Fensterrechteck r = rechteck(w->geometry());
        if (!Ueberdeckt(neu, r) && !Ueberdeckt(r, neu)) continue;
        const Fensterrechteck p = FreierPlatz(r, andere(w), flaeche.width(), flaeche.height());
        w->move(p.x, p.y);
    }
}

void TProg_Fenster::BuchungsfensterZeigen(int32_t position) {
    bestand_.AktIndex = position;
    QWidget* w = KindfensterZeigen(Buchung);
    if (w && buchung_.AktIndexZeigen) buchung_.AktIndexZeigen(w);
}

void TProg_Fenster::AnsichtenAktualisieren(int art) {
    const unsigned teile = AnsichtenFuerArt(art);
    auto rufe = [&](Kind kind) {
        QWidget* w = kinder_[kind].data();
        if (!w) return;
        if (auto* ansicht = dynamic_cast<TAnsicht*>(w))
            ansicht->AnsichtAktualisieren(art);
        else if (aktualisierungen_[kind])
            aktualisierungen_[kind](w, art);
    };
    if (teile & TeilBuchungsfenster) rufe(Buchung);
    if (teile & TeilKontoStand) rufe(KontoStand);
    if (teile & TeilBListe) rufe(BListe);
    // Every open account sheet; each takes the kinds that concern it.
    for (QWidget* w : Kontenblaetter()) {
        if (auto* ansicht = dynamic_cast<TAnsicht*>(w))
            ansicht->AnsichtAktualisieren(art);
        else if (aktualisierungen_[Kontenblatt])
            aktualisierungen_[Kontenblatt](w, art);
    }
}

void TProg_Fenster::BuchungsbefehleFreigeben(bool buchen, bool verwerfen, bool loeschen) {
    Buchen1->setEnabled(buchen);
    Verwerfen1->setEnabled(verwerfen);
    Loeschen1->setEnabled(loeschen);
}

void TProg_Fenster::BuchungsbefehlHolen(const std::function<void(QWidget*)>& befehl) {
    if (!DateiBefehl() || !kinder_[Buchung]) return;
    QWidget* w = KindfensterZeigen(Buchung);
    if (w && befehl) befehl(w);
}

void TProg_Fenster::LogoZeigen(int millisekunden) {
    LogoPanel->adjustSize();
    LogoPlatzieren();
    LogoPanel->show();
    LogoPanel->raise();
    LogoTimer->start(millisekunden);
}

bool TProg_Fenster::LogoSichtbar() const { return !LogoPanel->isHidden(); }

// ---------------------------------------------------------------------------------------------
// State

void TProg_Fenster::FormShow() {
    if (gezeigt_) return;
    gezeigt_ = true;
    LogoZeigen(5000);
    if (einstellungen_.RechnerOffen) KindfensterZeigen(Rechner);
    LeistenAnwenden();
    if (!argumente_.isEmpty() && !argumente_.first().isEmpty()) {
        const std::string name = StartDateiPfad(programmPfad_.toStdString(), argumente_.first().toStdString());
        if (DateiOeffnen(name)) OrdnerMerken(Q(bestand_.Dateiname));
    }
    FensterAktualisieren(true);
}

void TProg_Fenster::FensterAktualisieren(bool wiederoeffnen) {
    const bool offen = bestand_.DateiOffen;
    if (offen != menueOffen_ || menuBar()->actions().isEmpty()) {
        menuBar()->clear();
        for (QMenu* m : offen ? Hauptmenue_offen : HauptMenue_geschlossen) menuBar()->addMenu(m);
        menueOffen_ = offen;
    }
    // Tool bar: what needs a file waits for one; saving and master data wait for write access.
    const bool schreiben = offen && !bestand_.Schreibschutz;
    for (QAction* a : BtnLeiste->actions()) {
        const QString name = a->objectName();
        if (name.isEmpty() || name == QLatin1String("NeuBtn") || name == QLatin1String("SpeedItem2") ||
            name == QLatin1String("SpeedItem10"))
            continue;
        if (name == QLatin1String("SpeedItem3") || name == QLatin1String("SpeedItem12"))
            a->setEnabled(schreiben);
        else
            a->setEnabled(offen);
    }

    if (!offen) {
        setWindowTitle(Q(ProgrammName));
        StatusPanel[2]->clear();
        return;
    }

    QString zusatz = QStringLiteral(" ");
    if (bestand_.Schreibschutz) zusatz = Q(TitelSchreibgeschuetzt);
    Speichern1->setEnabled(schreiben);
    Speichernunter1->setEnabled(schreiben);
    Mandant1->setEnabled(schreiben);

    StatusPanel[2]->setText(Q(bestand_.Mandant.Abk));

    QString titel = Q(ProgrammName) + QStringLiteral(" - ");
    if (!bestand_.Dateiname.empty())
        titel += Q(DateinameOhnePfad(bestand_.Dateiname)).toLower();
    else
        titel += Q(TitelUnbenannt);
    setWindowTitle(titel + zusatz);

    Loeschen1->setVisible(bestand_.Mandant.Merker1);

    if (wiederoeffnen) {
        KindfensterWiederOeffnen();
        if (einstellungen_.rgmBuchung1) BefehlAusfuehren(QStringLiteral("RgmFaelligePruefen"));
    }
}

QString TProg_Fenster::StatusText(int panel) const {
    if (panel < 0 || panel > 2) return {};
    return StatusPanel[static_cast<size_t>(panel)]->text();
}

QAction* TProg_Fenster::Aktion(const QString& komponente) const {
    return findChild<QAction*>(komponente);
}

bool TProg_Fenster::DateiBefehl() const { return bestand_.DateiOffen; }

// ---------------------------------------------------------------------------------------------
// File commands

bool TProg_Fenster::SpeicherFrage() {
    if (!SpeicherfrageNoetig(bestand_)) return true;
    switch (meldungen_.Frage(FrageGeaendert, Knoepfe::JaNeinAbbrechen)) {
    case Antwort::Ja:
        // A save that is cancelled or fails stops the command: nothing unsaved is thrown away.
        if (bestand_.Dateiname.empty()) return SpeichernUnter(false);
        return Sichern();
    case Antwort::Nein:
        return true;
    default:
        return false;
    }
}

bool TProg_Fenster::Speichern1Click() {
    if (!bestand_.DateiOffen || bestand_.Schreibschutz) return false;
    if (bestand_.Dateiname.empty()) return SpeichernUnter(true);
    return Sichern();
}

bool TProg_Fenster::Speichernunter1Click() { return SpeichernUnter(true); }

bool TProg_Fenster::SpeichernUnter(bool wiederoeffnen) {
    if (!bestand_.DateiOffen || bestand_.Schreibschutz) return false;
    const QString name = SpeichernDateiWaehlen();
    if (name.isEmpty()) return false;
    OrdnerMerken(name);
    const std::string bisher = bestand_.Dateiname;
    // The file under the new name may be open in another program: it is not replaced then.
    talerwerk::Dateisperre neueSperre;
    const bool selbe = sperre_.Gehalten() && sperre_.Datei() == name.toStdString();
    if (!selbe && !SperreZumSpeichern(neueSperre, name.toStdString())) {
        FensterAktualisieren(false);
        return false;
    }
    bestand_.Dateiname = name.toStdString();
    const bool andereDatei = bestand_.Dateiname != bisher;
    if (andereDatei) sicherungFehlerGemeldet_ = false;
    if (!Sichern()) {
        // Nothing was written under the new name, so the store keeps its old one.
        bestand_.Dateiname = bisher;
        FensterAktualisieren(false);
        return false;
    }
    if (!selbe) sperre_.Tauschen(neueSperre);  // the old name's lock goes with neueSperre
    FensterAktualisieren(wiederoeffnen);
    return true;
}

void TProg_Fenster::ffnen1Click() {
    if (bestand_.DateiOffen && !FensterSchliessen()) {
        KindfensterWiederOeffnen();
        return;
    }
    if (!SpeicherFrage()) {
        FensterAktualisieren(true);
        return;
    }
    const QString name = OeffnenDateiWaehlen();
    if (name.isEmpty()) {
        FensterAktualisieren(true);
        return;
    }
    OrdnerMerken(name);
    // The file open so far stays open until the new one has been read whole: the reader fills the
    // store only on success, and a file that cannot be opened leaves the previous name, title
    // and windows as they were, so the old contents never stand under the new name.
    if (DateiOeffnen(name.toStdString())) KontenblaetterSchliessen();
    FensterAktualisieren(true);
}

void TProg_Fenster::Schliessen1Click() {
    if (!FensterSchliessen()) {
        KindfensterWiederOeffnen();
        return;
    }
    if (SpeicherFrage()) {
        KontenblaetterSchliessen();
        NeuerDatenbestand(bestand_, *uhr_, *zufall_);
        bestand_.DateiOffen = false;
        sperre_.Freigeben();
    }
    FensterAktualisieren(true);
}

void TProg_Fenster::Neu1Click() {
    // As before opening: without an open file there is nothing to close, and the record of the
    // windows to reopen must survive for the new file.
    if (bestand_.DateiOffen && !FensterSchliessen()) {
        KindfensterWiederOeffnen();
        return;
    }
    if (SpeicherFrage()) {
        KontenblaetterSchliessen();
        auto neu = befehle_.find(QStringLiteral("Neu1Click"));
        if (neu != befehle_.end() && neu->second) {
            neu->second();  // the new-file dialog sets up the store and DateiOffen itself
        } else {
            NeuerDatenbestand(bestand_, *uhr_, *zufall_);
            bestand_.DateiOffen = true;
        }
        // The new file has no name yet; a cancelled dialog leaves the open file (and its lock).
        if (!bestand_.DateiOffen || bestand_.Dateiname != sperre_.Datei()) sperre_.Freigeben();
    }
    bestand_.LetzterIndex = LetzteBuchung(bestand_);
    FensterAktualisieren(true);
}

void TProg_Fenster::Beenden1Click() { close(); }

bool TProg_Fenster::SperreNehmen(talerwerk::Dateisperre& sperre, const std::string& name, bool& schreibgeschuetzt) {
    using talerwerk::Dateisperre;
    schreibgeschuetzt = false;
    for (;;) {
        talerwerk::SperrInhaber inhaber;
        talerwerk::SperrLage lage = talerwerk::SperrLage::Frei;
        if (sperre.Nehmen(name, inhaber, lage) != Dateisperre::Ergebnis::Belegt) return true;
        // A lock of a live process on this host is never offered for removal.
        const bool entfernbar = lage != talerwerk::SperrLage::Lebend;
        switch (SperreFragen(Q(talerwerk::SperrBeschreibung(name, lage, inhaber)), entfernbar)) {
        case SperrWahl::Entfernen:
            if (!entfernbar || !talerwerk::SperreEntfernen(name, true)) {
                meldungen_.Fehler("Die Sperre konnte nicht entfernt werden: die Datei ist inzwischen wieder in "
                                  "Gebrauch.");
            }
            continue;  // look again
        case SperrWahl::Schreibgeschuetzt:
            schreibgeschuetzt = true;
            return true;
        case SperrWahl::Abbrechen:
            return false;
        }
    }
}

bool TProg_Fenster::SperreZumSpeichern(talerwerk::Dateisperre& sperre, const std::string& name) {
    talerwerk::SperrInhaber inhaber;
    talerwerk::SperrLage lage = talerwerk::SperrLage::Frei;
    if (sperre.Nehmen(name, inhaber, lage) != talerwerk::Dateisperre::Ergebnis::Belegt) return true;
    const std::string text = talerwerk::SperrBeschreibung(name, lage, inhaber);
    if (lage == talerwerk::SperrLage::Lebend) {
        meldungen_.Fehler(text + "\rDie Datei wird nicht überschrieben.");
        return false;
    }
    if (meldungen_.Frage(text + "\r\rSperre entfernen und die Datei überschreiben?", Knoepfe::JaNein) != Antwort::Ja)
        return false;
    return talerwerk::SperreEntfernen(name, true) &&
           sperre.Nehmen(name, inhaber, lage) != talerwerk::Dateisperre::Ergebnis::Belegt;
}

bool TProg_Fenster::DateiOeffnen(const std::string& name) {
    // The file open so far stays open until the new one has been read whole: the reader fills the
    // store only on success, and a file that cannot be opened leaves the previous name, title,
    // lock and windows as they were, so the old contents never stand under the new name.
    talerwerk::Dateisperre neueSperre;
    bool nurLesen = false;
    const bool selbe = sperre_.Gehalten() && sperre_.Datei() == name;
    if (!selbe && !SperreNehmen(neueSperre, name, nurLesen)) return false;
    const std::string bisher = bestand_.Dateiname;
    bestand_.Dateiname = name;
    if (!DateiLaden(bestand_, meldungen_, kennwortabfrage_)) {
        bestand_.Dateiname = bisher;
        return false;
    }
    bestand_.DateiOffen = true;
    if (nurLesen) bestand_.Schreibschutz = true;
    if (!selbe) sperre_.Tauschen(neueSperre);  // the previous file's lock goes with neueSperre
    sicherungFehlerGemeldet_ = false;
    return true;
}

bool TProg_Fenster::Sichern() {
    const talerwerk::Sicherungsvorgaben vorgaben{einstellungen_.SicherungAktiv, einstellungen_.SicherungAnzahl};
    const QString stempel = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
    return talerwerk::DateiSpeichernMitSicherung(bestand_, meldungen_, vorgaben, stempel.toStdString(),
                                                 sicherungFehlerGemeldet_);
}

TProg_Fenster::SperrWahl TProg_Fenster::SperreFragen(const QString& text, bool entfernbar) {
    QMessageBox box(QMessageBox::Warning, Q(ProgrammName), QString(text).replace(QLatin1Char('\r'), QLatin1Char('\n')),
                    QMessageBox::NoButton, this);
    QPushButton* entfernen = entfernbar ? box.addButton(QStringLiteral("Sperre &entfernen"), QMessageBox::DestructiveRole)
                                        : nullptr;
    QPushButton* lesen = box.addButton(QStringLiteral("&Schreibgeschützt öffnen"), QMessageBox::AcceptRole);
    QPushButton* abbrechen = box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
    box.setDefaultButton(lesen);
    box.setEscapeButton(abbrechen);
    box.exec();
    if (entfernen && box.clickedButton() == entfernen) return SperrWahl::Entfernen;
    if (box.clickedButton() == lesen) return SperrWahl::Schreibgeschuetzt;
    return SperrWahl::Abbrechen;
}

QString TProg_Fenster::SicherungWaehlen(const QString& datei) {
    TSicherungDlg dlg(datei, this);
    return dlg.exec() == QDialog::Accepted ? dlg.GewaehlteKopie() : QString();
}

void TProg_Fenster::Wiederherstellen1Click() {
    // The copies of the open file; without a named file, of a data file chosen first.
    QString datei = Q(bestand_.Dateiname);
    if (datei.isEmpty()) {
        datei = OeffnenDateiWaehlen();
        if (datei.isEmpty()) return;
    }
    const QString kopie = SicherungWaehlen(datei);
    if (kopie.isEmpty()) return;
    if (bestand_.DateiOffen && !FensterSchliessen()) {
        KindfensterWiederOeffnen();
        return;
    }
    if (!SpeicherFrage()) {
        FensterAktualisieren(true);
        return;
    }
    // Read like any file (with its passwords), then given no name: saving it asks for one, so the
    // copy itself and the file it was made of stay as they are.
    const std::string bisher = bestand_.Dateiname;
    bestand_.Dateiname = kopie.toStdString();
    if (DateiLaden(bestand_, meldungen_, kennwortabfrage_)) {
        KontenblaetterSchliessen();
        bestand_.Dateiname.clear();
        bestand_.DateiOffen = true;
        bestand_.Geaendert = true;
        sperre_.Freigeben();
    } else {
        bestand_.Dateiname = bisher;
    }
    FensterAktualisieren(true);
}

void TProg_Fenster::OrdnerMerken(const QString& datei) {
    if (!datei.isEmpty()) letzterOrdner_ = QFileInfo(datei).absolutePath();
}

QString TProg_Fenster::DialogOrdner() const {
    // The folder of the last file opened or saved in this run; before that the open file's
    // folder, and without one the working folder.
    if (!letzterOrdner_.isEmpty() && QFileInfo(letzterOrdner_).isDir()) return letzterOrdner_;
    if (!bestand_.Dateiname.empty()) {
        const QString ordner = QFileInfo(Q(bestand_.Dateiname)).absolutePath();
        if (QFileInfo(ordner).isDir()) return ordner;
    }
    return QDir::currentPath();
}

QStringList TProg_Fenster::DateiFilter(bool oeffnen) {
    QStringList filter{QStringLiteral("TLW 2.1-Dateien (*.tlw)")};
    if (oeffnen) filter << QStringLiteral("Alle Dateien (*)");
    return filter;
}

QString TProg_Fenster::OeffnenDateiWaehlen() {
    QFileDialog dlg(this, QStringLiteral("Datei öffnen"));
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setNameFilters(DateiFilter(true));
    dlg.selectNameFilter(DateiFilter(true).first());
    dlg.setDirectory(DialogOrdner());
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    return dlg.selectedFiles().first();
}

QString TProg_Fenster::SpeichernDateiWaehlen() {
    QFileDialog dlg(this, QStringLiteral("Speichern unter"));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setNameFilters(DateiFilter(false));
    dlg.setDefaultSuffix(QStringLiteral("tlw"));
    dlg.setDirectory(DialogOrdner());
    if (!bestand_.Dateiname.empty()) dlg.selectFile(QFileInfo(Q(bestand_.Dateiname)).fileName());
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    return dlg.selectedFiles().first();
}

// ---------------------------------------------------------------------------------------------
// Other commands

void TProg_Fenster::Seiteeinrichten1Click() {
    if (!DateiBefehl()) return;
    BefehlAusfuehren(QStringLiteral("Seiteeinrichten1Click"));
}

void TProg_Fenster::Druckereinrichtung1Click() {
    QPageSetupDialog dlg(&Drucker(), this);
    dlg.setWindowTitle(QStringLiteral("Druckereinrichtung"));
    dlg.exec();
}

void TProg_Fenster::Mandant1Click() {
    if (!DateiBefehl() || bestand_.Schreibschutz) return;
    BefehlAusfuehren(QStringLiteral("Mandant1Click"));
}

void TProg_Fenster::Kontenplan1Click() {
    if (DateiBefehl()) BefehlAusfuehren(QStringLiteral("Kontenplan1Click"));
}

void TProg_Fenster::Textbausteine1Click() {
    if (DateiBefehl()) BefehlAusfuehren(QStringLiteral("Textbausteine1Click"));
}

void TProg_Fenster::Bearbeiten1Click() {
    if (!DateiBefehl()) return;
    if (!kinder_[Buchung])
        BuchungsfensterZeigen(0);
    else
        KindfensterZeigen(Buchung);
}

void TProg_Fenster::Hinzufgen1Click() {
    if (!DateiBefehl()) return;
    BuchungsfensterZeigen(HinzufuegenPosition(bestand_, !kinder_[Buchung].isNull()));
}

void TProg_Fenster::Buchen1Click() {
    BuchungsbefehlHolen(buchung_.Buchen);
}

void TProg_Fenster::Verwerfen1Click() {
    BuchungsbefehlHolen(buchung_.Verwerfen);
}

void TProg_Fenster::Loeschen1Click() {
    BuchungsbefehlHolen(buchung_.Loeschen);
}

void TProg_Fenster::Gehezu1Click() {
    if (!DateiBefehl()) return;
    if (kinder_[Buchung]) {
        BuchungsbefehlHolen(buchung_.GeheZu);
        return;
    }
    BefehlAusfuehren(QStringLiteral("Gehezu1Click"));
}

void TProg_Fenster::Suchen1Click() {
    if (DateiBefehl()) KindfensterZeigen(BListe);
}

void TProg_Fenster::Vorlage1Click() {
    if (DateiBefehl()) BefehlAusfuehren(QStringLiteral("Vorlage1Click"));
}

void TProg_Fenster::RegelmigeBuchungen1Click() {
    if (DateiBefehl()) BefehlAusfuehren(QStringLiteral("RegelmigeBuchungen1Click"));
}

void TProg_Fenster::Filter1Click() {
    if (DateiBefehl()) BefehlAusfuehren(QStringLiteral("Filter1Click"));
}

void TProg_Fenster::Kontenblatt1Click() {
    if (DateiBefehl()) KindfensterZeigen(Kontenblatt);
}

void TProg_Fenster::Gesamtentwicklun1Click() {
    if (DateiBefehl()) BefehlAusfuehren(QStringLiteral("Gesamtentwicklun1Click"));
}

void TProg_Fenster::EinnahmeAusgabe1Click() {
    if (DateiBefehl()) BefehlAusfuehren(QStringLiteral("EinnahmeAusgabe1Click"));
}

void TProg_Fenster::Buchungsbersicht1Click() {
    if (DateiBefehl()) BefehlAusfuehren(QStringLiteral("Buchungsbersicht1Click"));
}

void TProg_Fenster::RubrikKonto1Click() {
    if (DateiBefehl()) BefehlAusfuehren(QStringLiteral("RubrikKonto1Click"));
}

void TProg_Fenster::RubrikZeit1Click() {
    if (DateiBefehl()) BefehlAusfuehren(QStringLiteral("RubrikZeit1Click"));
}

void TProg_Fenster::Kontostnde1Click() {
    if (DateiBefehl()) KindfensterZeigen(KontoStand);
}

void TProg_Fenster::Rechner1Click() { KindfensterZeigen(Rechner); }

void TProg_Fenster::Symbolleiste1Click() {
    BtnLeiste->setVisible(BtnLeiste->isHidden());
    HakenAktualisieren();
}

void TProg_Fenster::Statuszeile1Click() {
    statusBar()->setVisible(statusBar()->isHidden());
    HakenAktualisieren();
}

void TProg_Fenster::Einstellungen1Click() { BefehlAusfuehren(QStringLiteral("Einstellungen1Click")); }

void TProg_Fenster::alleanordnen1Click() { Flaeche->cascadeSubWindows(); }

void TProg_Fenster::FenstermenueAufbauen() {
    // Everything after "alle anordnen" is the current list of child windows.
    const QList<QAction*> alle = Fenster1->actions();
    for (QAction* a : alle) {
        if (a == alleanordnen1) continue;
        Fenster1->removeAction(a);
        a->deleteLater();
    }
    const QList<QMdiSubWindow*> fenster = Flaeche->subWindowList();
    if (fenster.isEmpty()) return;
    Fenster1->addSeparator();
    int nummer = 1;
    for (QMdiSubWindow* sub : fenster) {
        QString text = sub->windowTitle();
        text.replace(QLatin1Char('&'), QStringLiteral("&&"));
        if (nummer < 10) text = QStringLiteral("&%1 %2").arg(nummer).arg(text);
        QAction* a = Fenster1->addAction(text);
        a->setCheckable(true);
        a->setChecked(sub == Flaeche->activeSubWindow());
        QPointer<QMdiSubWindow> ziel(sub);
        connect(a, &QAction::triggered, this, [this, ziel] {
            if (!ziel) return;
            if (ziel->isMinimized()) ziel->showNormal();
            Flaeche->setActiveSubWindow(ziel);
        });
        ++nummer;
    }
}

void TProg_Fenster::Inhalt1Click() { HilfeZeigen(QString()); }

void TProg_Fenster::HilfeZeigen(const QString& abschnitt) {
    // Over a modal dialog the help must be a window of that dialog, or the dialog would block it;
    // such a help window goes when it is closed.
    QWidget* modal = QApplication::activeModalWidget();
    QDialog* dlg = modal ? HilfeFensterAnlegen(modal) : hilfe_.data();
    if (!dlg) dlg = hilfe_ = HilfeFensterAnlegen(this);
    if (modal) dlg->setAttribute(Qt::WA_DeleteOnClose);
    auto* text = dlg->findChild<QTextBrowser*>(QStringLiteral("HilfeText"));
    text->setSource(QUrl(QStringLiteral("qrc:/hilfe.html") +
                         (abschnitt.isEmpty() ? QString() : QLatin1Char('#') + abschnitt)));
    if (abschnitt.isEmpty()) text->scrollToAnchor(QStringLiteral("inhalt"));
    dlg->show();
    dlg->raise();
    dlg->activateWindow();
}

QDialog* TProg_Fenster::HilfeFensterAnlegen(QWidget* eltern) {
    auto* dlg = new QDialog(eltern);
    dlg->setObjectName(QStringLiteral("Hilfe"));
    dlg->setWindowTitle(QStringLiteral("Talerwerk - Hilfe"));
    dlg->setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* text = new QTextBrowser(dlg);
    text->setObjectName(QStringLiteral("HilfeText"));
    text->setOpenExternalLinks(false);
    auto* knoepfe = new QDialogButtonBox(dlg);
    QPushButton* schliessen = knoepfe->addButton(QStringLiteral("Schließen"), QDialogButtonBox::RejectRole);
    connect(schliessen, &QPushButton::clicked, dlg, &QDialog::close);
    auto* spalte = new QVBoxLayout(dlg);
    spalte->addWidget(text);
    spalte->addWidget(knoepfe);
    dlg->resize(640, 560);
    return dlg;
}

void TProg_Fenster::Info1Click() {
    InfoBoxZeigen();
    LogoZeigen(3000);
}

void TProg_Fenster::InfoBoxZeigen() {
    QDialog box(this);
    box.setObjectName(QStringLiteral("InfoBox"));
    box.setWindowTitle(QStringLiteral("Information"));
    box.setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* symbol = new QLabel(&box);
    symbol->setPixmap(QIcon(QStringLiteral(":/talerwerk.svg")).pixmap(64, 64));
    auto* name = new QLabel(Q(ProgrammName), &box);
    QFont schrift = name->font();
    schrift.setPointSizeF(schrift.pointSizeF() * 1.6);
    schrift.setBold(true);
    name->setFont(schrift);
    auto* version = new QLabel(Q(ProgrammVersion), &box);
    auto* zweck = new QLabel(QStringLiteral("Haushaltsbuchführung für Einnahmen, Ausgaben und Konten"),
                             &box);
    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
    knoepfe->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    connect(knoepfe, &QDialogButtonBox::accepted, &box, &QDialog::accept);

    auto* texte = new QVBoxLayout;
    texte->addWidget(name);
    texte->addWidget(version);
    texte->addSpacing(6);
    texte->addWidget(zweck);
    auto* zeile = new QHBoxLayout;
    zeile->addWidget(symbol, 0, Qt::AlignTop);
    zeile->addSpacing(12);
    zeile->addLayout(texte);
    auto* spalte = new QVBoxLayout(&box);
    spalte->setContentsMargins(18, 16, 18, 12);
    spalte->addLayout(zeile);
    spalte->addSpacing(10);
    spalte->addWidget(knoepfe);
    box.exec();
}
