#include "app/qtprogrammanschluss.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMdiSubWindow>
#include <QTranslator>

#include "accounts/mandantdaten.h"
#include "app/qtfokusstil.h"
#include "app/tprog_fenster.h"
#include "app/trechnerdlg.h"
#include "bookings/tblistedlg.h"
#include "bookings/tbuchungdlg.h"
#include "evaluation/tkontenblattdlg.h"
#include "evaluation/tktostanddlg.h"
#include "store/uebernahme.h"
#include "printing/qtberichtsdruck.h"


bool DeutscheTexteLaden(QApplication& app) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString ordner = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto* uebersetzung = new QTranslator(&app);
    if (uebersetzung->load(QStringLiteral("qtbase_de"), ordner)) {
        QApplication::installTranslator(uebersetzung);
        return true;
    }
    delete uebersetzung;
    return false;
}

void StilAnwenden(QApplication&) { QApplication::setStyle(new QtFokusStil); }

Dialoge::Dialoge(TProg_Fenster& fenster)
    : einstellungen(&fenster),
      mandant(fenster.Meldung(), &fenster),
      kontenplan(fenster.Bestand(), fenster.Meldung(), fenster.Zufallszahlen(),
                 [&fenster](int art) { fenster.AnsichtenAktualisieren(art); }, &fenster),
      gehezu(&fenster),
      textbausteine(fenster.Meldung(), &fenster),
      gewinnverlust(fenster.Bestand(), fenster.Programmeinstellungen(), fenster.Uhrzeit(), &fenster),
      rubrikkonto(fenster.Bestand(), fenster.Programmeinstellungen(), fenster.Uhrzeit(), &fenster),
      rubrikzeit(fenster.Bestand(), fenster.Programmeinstellungen(), fenster.Uhrzeit(), &fenster),
      gesamtentwicklung(fenster.Bestand(), fenster.Programmeinstellungen(), fenster.Meldung(), fenster.Uhrzeit(),
                        &fenster),
      uebersicht(fenster.Bestand(), fenster.Programmeinstellungen(), fenster.Meldung(), fenster.Uhrzeit(), &fenster),
      rgmPlan(fenster.Bestand(), fenster.Programmeinstellungen(), fenster.Meldung(), fenster.Uhrzeit(),
              fenster.Zufallszahlen(), &fenster),
      filter(fenster.Bestand(), fenster.Meldung(), fenster.Uhrzeit(),
             // The booking list's filter tree shows the new list.
             [&fenster] { fenster.AnsichtenAktualisieren(5); }, &fenster),
      vorlagen(fenster.Bestand(), fenster.Meldung(), &fenster),
      neu(&fenster),
      seite(&fenster) {}

void FensterAnschliessen(TProg_Fenster& fenster, Dialoge& dialoge) {
    fenster.BefehlSetzen(QStringLiteral("Einstellungen1Click"), [&fenster, &dialoge] {
        dialoge.einstellungen.Bearbeiten(fenster.Programmeinstellungen());
    });
    fenster.BefehlSetzen(QStringLiteral("Mandant1Click"), [&fenster, &dialoge] {
        if (talerwerk::StammdatenBearbeitbar(fenster.Bestand()) &&
            dialoge.mandant.Bearbeiten(fenster.Bestand())) {
            // Title, status bar and the delete commands follow the new master data.
            fenster.FensterAktualisieren(false);
            fenster.AnsichtenAktualisieren(5);
        }
    });
    fenster.BefehlSetzen(QStringLiteral("Kontenplan1Click"),
                         [&dialoge] { dialoge.kontenplan.Ausfuehren(); });
    fenster.BefehlSetzen(QStringLiteral("Textbausteine1Click"), [&fenster, &dialoge] {
        // The booking window's lookup lists show the snippets.
        if (dialoge.textbausteine.Bearbeiten(fenster.Bestand(), fenster.Zufallszahlen()))
            fenster.AnsichtenAktualisieren(3);
    });

    fenster.KindfensterFabrikSetzen(
        TProg_Fenster::KontoStand,
        [](TProg_Fenster& h) -> QWidget* {
            auto* dlg = new TKtoStandDlg(h.Bestand(), h.Programmeinstellungen(), h.EinstellungsDatei());
            return TKtoStandDlg::ImRahmen(dlg);
        },
        [](QWidget* w, int art) { static_cast<TKtoStandDlg*>(w)->AnsichtAktualisieren(art); });

    // The evaluations: account sheets as child windows, the tables as modal dialogs.
    fenster.KindfensterFabrikSetzen(
        TProg_Fenster::Kontenblatt,
        [](TProg_Fenster& h) -> QWidget* {
            auto* dlg = new TKontenblattDlg(h.Bestand(), h.Programmeinstellungen(), h.Uhrzeit());
            dlg->BuchungZeigen = [&h](int32_t position) { h.BuchungsfensterZeigen(position); };
            return TKontenblattDlg::ImRahmen(dlg);
        },
        [](QWidget* w, int art) { static_cast<TKontenblattDlg*>(w)->AnsichtAktualisieren(art); });
    fenster.BefehlSetzen(QStringLiteral("EinnahmeAusgabe1Click"), [&dialoge] { dialoge.gewinnverlust.Ausfuehren(); });
    fenster.BefehlSetzen(QStringLiteral("RubrikKonto1Click"), [&dialoge] { dialoge.rubrikkonto.Ausfuehren(); });
    fenster.BefehlSetzen(QStringLiteral("RubrikZeit1Click"), [&dialoge] { dialoge.rubrikzeit.Ausfuehren(); });
    fenster.BefehlSetzen(QStringLiteral("Gesamtentwicklun1Click"),
                         [&dialoge] { dialoge.gesamtentwicklung.Ausfuehren(); });
    fenster.BefehlSetzen(QStringLiteral("Buchungsbersicht1Click"), [&dialoge] { dialoge.uebersicht.Ausfuehren(); });

    // Printing: the page settings belong to the data file; every report prints on the program's
    // printer, the one "Druckereinrichtung" sets up.
    dialoge.seite.Drucker = [&fenster] { return &fenster.Drucker(); };
    fenster.BefehlSetzen(QStringLiteral("Seiteeinrichten1Click"), [&fenster, &dialoge] {
        if (dialoge.seite.SeiteEinrichten(fenster.Bestand().Druckereinstellung)) fenster.Bestand().Geaendert = true;
    });
    for (QtBerichtsdruck* druck : {dialoge.gewinnverlust.Druck, dialoge.rubrikkonto.Druck, dialoge.rubrikzeit.Druck})
        druck->Drucker = [&fenster] { return &fenster.Drucker(); };

    fenster.KindfensterFabrikSetzen(TProg_Fenster::Rechner, [](TProg_Fenster& h) -> QWidget* {
        auto* rechner = new TRechnerDlg(h.Programmeinstellungen(), h.EinstellungsDatei().toStdString(),
                                        &h.Meldung());
        // The result goes to the booking window, if there is one.
        rechner->Uebernahme = [&h](const std::string& anzeige) {
            if (auto* buchung = static_cast<TBuchungDlg*>(h.Kindfenster(TProg_Fenster::Buchung)))
                buchung->RechnerUebernahme(anzeige);
        };
        rechner->InBereichZeigen(h.Arbeitsflaeche());
        return rechner;
    });

    fenster.KindfensterFabrikSetzen(
        TProg_Fenster::Buchung,
        [](TProg_Fenster& h) -> QWidget* {
            auto* w = new TBuchungDlg(h.Bestand(), h.Programmeinstellungen(), h.Meldung(), h.Uhrzeit(),
                                      [&h](int art) { h.AnsichtenAktualisieren(art); });
            w->BefehleGeaendert = [&h](bool buchen, bool verwerfen, bool loeschen) {
                h.BuchungsbefehleFreigeben(buchen, verwerfen, loeschen);
            };
            w->ListeZeigen = [&h] { h.Suchen1Click(); };
            w->VorlageZeigen = [&h] { h.Vorlage1Click(); };
            w->NachVorne = [&h] { h.KindfensterZeigen(TProg_Fenster::Buchung); };
            w->LageDateiSetzen(h.EinstellungsDatei());
            auto* rahmen = new QMdiSubWindow;
            rahmen->setWidget(w);
            rahmen->setGeometry(TBuchungDlg::Lage());
            return rahmen;
        },
        [](QWidget* w, int art) {
            // Only the lookup lists live in the booking window (kinds 2 and 3).
            if (art == 2 || art == 3) static_cast<TBuchungDlg*>(w)->ListenNeuAufbauen();
        });
    TProg_Fenster::Buchungsanschluss buchung;
    buchung.AktIndexZeigen = [](QWidget* w) { static_cast<TBuchungDlg*>(w)->AktIndexZeigen(); };
    buchung.Buchen = [](QWidget* w) { static_cast<TBuchungDlg*>(w)->BuchenBtnClick(); };
    buchung.Verwerfen = [](QWidget* w) { static_cast<TBuchungDlg*>(w)->VerwerfenBtnClick(); };
    buchung.Loeschen = [](QWidget* w) { static_cast<TBuchungDlg*>(w)->LoeschenHauptfenster(); };
    buchung.GeheZu = [](QWidget* w) { static_cast<TBuchungDlg*>(w)->GeheZuFeld(); };
    fenster.BuchungsanschlussSetzen(buchung);

    // Recurring bookings: executions keep the booking window's cursor (and a blank booking being
    // typed there) consistent and refresh the balances and the list once per run.
    talerwerk::RgmAnschluss rgm;
    rgm.ReservierteNr = [&fenster]() -> int32_t {
        auto* w = static_cast<TBuchungDlg*>(fenster.Kindfenster(TProg_Fenster::Buchung));
        return w ? w->Eingabe().ReservierteNr() : 0;
    };
    rgm.Angehaengt = [&fenster] {
        if (auto* w = static_cast<TBuchungDlg*>(fenster.Kindfenster(TProg_Fenster::Buchung)))
            w->RgmBuchungAngehaengt();
        else
            talerwerk::RgmBuchungAngehaengt(fenster.Bestand(), false);
    };
    rgm.Aktualisieren = [&fenster](int art) { fenster.AnsichtenAktualisieren(art); };
    dialoge.rgmPlan.AnschlussSetzen(rgm);
    fenster.BefehlSetzen(QStringLiteral("RegelmigeBuchungen1Click"),
                         [&dialoge] { dialoge.rgmPlan.FaelligeRgmPruefen(true); });
    fenster.BefehlSetzen(QStringLiteral("RgmFaelligePruefen"),
                         [&dialoge] { dialoge.rgmPlan.FaelligeRgmPruefen(false); });

    fenster.BefehlSetzen(QStringLiteral("Filter1Click"), [&dialoge] { dialoge.filter.Ausfuehren(); });
    fenster.KindfensterFabrikSetzen(
        TProg_Fenster::BListe,
        [](TProg_Fenster& h) -> QWidget* {
            auto* w = new TBListeDlg(h.Bestand(), h.Programmeinstellungen(), h.Meldung(), h.Uhrzeit(),
                                     h.EinstellungsDatei());
            w->BuchungZeigen = [&h](int32_t position) { h.BuchungsfensterZeigen(position); };
            w->EingabeOffen = [&h] { return h.Kindfenster(TProg_Fenster::Buchung) != nullptr; };
            w->EingabeNeuZeigen = [&h] {
                if (auto* b = static_cast<TBuchungDlg*>(h.Kindfenster(TProg_Fenster::Buchung))) b->AktIndexZeigen();
            };
            w->Aktualisieren = [&h](int art) { h.AnsichtenAktualisieren(art); };
            return TBListeDlg::ImRahmen(w);
        },
        [](QWidget* w, int art) { static_cast<TBListeDlg*>(w)->AnsichtAktualisieren(art); });

    fenster.BefehlSetzen(QStringLiteral("Gehezu1Click"), [&fenster, &dialoge] {
        const std::optional<int32_t> position = dialoge.gehezu.Ausfuehren(fenster.Bestand());
        if (!position) return;
        if (*position < 0)
            fenster.Meldung().Information("Buchung nicht gefunden!");
        else
            fenster.BuchungsfensterZeigen(*position);
    });

    // Templates: inserting needs a booking window whose fields may be edited.
    fenster.BefehlSetzen(QStringLiteral("Vorlage1Click"), [&fenster, &dialoge] {
        auto buchung = [&fenster] { return static_cast<TBuchungDlg*>(fenster.Kindfenster(TProg_Fenster::Buchung)); };
        const bool einfuegen = buchung() && !buchung()->Gesperrt();
        talerwerk::buchungstyp vorlage;
        if (!dialoge.vorlagen.VorlageWaehlen(einfuegen, vorlage) || !buchung()) return;
        fenster.KindfensterZeigen(TProg_Fenster::Buchung);
        buchung()->VorlageUebernehmen(vorlage);
    });

    // A new file: the dialog, then an empty store or the takeover from another file. The main
    // window has closed its child windows and asked the save question before, and refreshes after.
    fenster.BefehlSetzen(QStringLiteral("Neu1Click"), [&fenster, &dialoge] {
        if (!dialoge.neu.Ausfuehren()) return;
        const talerwerk::NeuErgebnis ergebnis = talerwerk::NeueDateiEinrichten(
            fenster.Bestand(), dialoge.neu.Art(), dialoge.neu.Auswahl(), dialoge.neu.Dateiname(), fenster.Meldung(),
            fenster.Kennwort(), fenster.Uhrzeit(), fenster.Zufallszahlen());
        if (ergebnis == talerwerk::NeuErgebnis::MandantBearbeiten) dialoge.mandant.Bearbeiten(fenster.Bestand());
    });

    // The first start shows the booking window whole where it first opens.
    fenster.PlatzFuerKindfenster(TBuchungDlg::Lage());
}

