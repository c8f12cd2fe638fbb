// The desktop program: title screen, main window with its dialogs, event loop.

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMdiSubWindow>
#include <QTranslator>

#include <memory>

#include "accounts/mandantdaten.h"
#include "accounts/qtkennwortabfrage.h"
#include "accounts/tkontoplandlg.h"
#include "accounts/tmandantdlg.h"
#include "app/qtmeldungen.h"
#include "app/teinstellungdlg.h"
#include "app/tprog_fenster.h"
#include "app/trechnerdlg.h"
#include "app/ttitelbild.h"
#include "evaluation/tktostanddlg.h"

namespace {

// Qt's own texts (file dialogs, context menus of edit fields) in German.
void DeutscheTexteLaden(QApplication& app) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString ordner = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char* name : {"qtbase_de", "qt_de"}) {
        auto* uebersetzung = new QTranslator(&app);
        if (uebersetzung->load(QString::fromLatin1(name), ordner))
            QApplication::installTranslator(uebersetzung);
        else
            delete uebersetzung;
    }
}

// The modal dialogs: created once and reused for the whole run.
struct Dialoge {
    explicit Dialoge(TProg_Fenster& fenster)
        : einstellungen(&fenster),
          mandant(fenster.Meldung(), &fenster),
          kontenplan(fenster.Bestand(), fenster.Meldung(), fenster.Zufallszahlen(),
                     [&fenster](int art) { fenster.AnsichtenAktualisieren(art); }, &fenster) {}
    TEinstellungDlg einstellungen;
    TMandantDlg mandant;
    TKontoPlanDlg kontenplan;
};

// Binds the menu commands and child windows to the windows that do the work.
void FensterAnschliessen(TProg_Fenster& fenster, Dialoge& dialoge) {
    fenster.BefehlSetzen(QStringLiteral("Einstellungen1Click"), [&fenster, &dialoge] {
        dialoge.einstellungen.Bearbeiten(fenster.Programmeinstellungen());
    });
    fenster.BefehlSetzen(QStringLiteral("Mandant1Click"), [&fenster, &dialoge] {
        if (talerwerk::StammdatenBearbeitbar(fenster.Bestand()) &&
            dialoge.mandant.Bearbeiten(fenster.Bestand())) {
            // Title, status bar and the delete commands follow the new master data.
            fenster.FensterAktualisieren(false);
        }
    });
    fenster.BefehlSetzen(QStringLiteral("Kontenplan1Click"),
                         [&dialoge] { dialoge.kontenplan.Ausfuehren(); });

    fenster.KindfensterFabrikSetzen(
        TProg_Fenster::KontoStand,
        [](TProg_Fenster& h) -> QWidget* {
            auto* dlg = new TKtoStandDlg(h.Bestand(), h.Programmeinstellungen(), h.EinstellungsDatei());
            return TKtoStandDlg::ImRahmen(dlg);
        },
        [](QWidget* w, int art) { static_cast<TKtoStandDlg*>(w)->AnsichtAktualisieren(art); });

    fenster.KindfensterFabrikSetzen(TProg_Fenster::Rechner, [](TProg_Fenster& h) -> QWidget* {
        auto* rechner = new TRechnerDlg(h.Programmeinstellungen(), h.EinstellungsDatei().toStdString(),
                                        &h.Meldung());
        rechner->InBereichZeigen(h.Arbeitsflaeche());
        return rechner;
    });
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Talerwerk"));
    TalerwerkRessourcenLaden();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/talerwerk.svg")));
    DeutscheTexteLaden(app);

    auto titelbild = std::make_unique<TTitelbild>();
    titelbild->show();
    QApplication::processEvents();

    QStringList argumente = QApplication::arguments();
    argumente.removeFirst();

    QtMeldungen meldungen;
    QtKennwortabfrage kennwortabfrage(meldungen);
    TProg_Fenster fenster(meldungen, kennwortabfrage, QApplication::applicationFilePath(), argumente);
    meldungen.SetzeEltern(&fenster);
    Dialoge dialoge(fenster);
    FensterAnschliessen(fenster, dialoge);

    titelbild.reset();
    fenster.show();
    return app.exec();
}
