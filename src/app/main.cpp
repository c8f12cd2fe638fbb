// The desktop program: title screen, main window with its dialogs, event loop.

#include <QApplication>
#include <QIcon>

#include <memory>

#include "accounts/qtkennwortabfrage.h"
#include "app/qtmeldungen.h"
#include "app/qtprogrammanschluss.h"
#include "app/tprog_fenster.h"
#include "app/ttitelbild.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Talerwerk"));
    TalerwerkRessourcenLaden();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/talerwerk.svg")));
    DeutscheTexteLaden(app);
    StilAnwenden(app);

    auto titelbild = std::make_unique<TTitelbild>();
    titelbild->show();
    QApplication::processEvents();

    QStringList argumente = QApplication::arguments();
    argumente.removeFirst();

    QtMeldungen meldungen;
    QtKennwortabfrage kennwortabfrage(meldungen);
    TProg_Fenster fenster(meldungen, kennwortabfrage, QApplication::applicationFilePath(), argumente);
    meldungen.SetzeEltern(&fenster);
    kennwortabfrage.SetzeEltern(&fenster);
    Dialoge dialoge(fenster);
    FensterAnschliessen(fenster, dialoge);

    titelbild.reset();
    fenster.show();
    return app.exec();
}
