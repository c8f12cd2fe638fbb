#pragma once
// The account sheet: the bookings of one account over a chosen period, grouped by type, number,
// category or date, with subtotals and the period's income, expenses and result. A child window
// of the main window, of which every command opens one more. The rows come whole from the core's
// builder; the window only shows them and passes the user's choices on.

#include <QWidget>

#include <cstdint>
#include <functional>

#include "evaluation/auswahlbaeume.h"
#include "evaluation/kontenblatt.h"
#include "printing/berichtsdruck.h"
#include "store/datenbestand.h"
#include "store/einstellungen.h"
#include "store/ports.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QMdiSubWindow;
class QPushButton;
class QRadioButton;
class QTableView;
class QTreeWidget;
class QtBerichtsdruck;
class QtGridModell;

class TKontenblattDlg : public QWidget {
    Q_OBJECT
public:
    TKontenblattDlg(talerwerk::Datenbestand& bestand, const talerwerk::Einstellungen& einstellungen,
                    const talerwerk::Uhr& uhr, QWidget* eltern = nullptr);
    ~TKontenblattDlg() override;

    // The frame the main window shows it in.
    static QMdiSubWindow* ImRahmen(TKontenblattDlg* dlg);

    // Shows the booking at this position of Buchungen in the booking window (the main window's
    // BuchungsfensterZeigen). Called on a double-click or Enter on a booking row.
    std::function<void(int32_t position)> BuchungZeigen;

    // Rebuilds both trees (keeping the chosen account and period where they still exist) and
    // recomputes. Called by the main window after bookings (1) or the chart (2) changed.
    void AnsichtAktualisieren(int art);
    // Recomputes the sheet from the store with the current choices.
    void Berechnen();
    // Opens the booking of a grid row; false for a row without a booking (heading, subtotal).
    bool ZeileOeffnen(int zeile);
    // The current choices, and what "&Drucken", the preview and the PDF print for them.
    talerwerk::KontenblattOptionen Optionen() const;
    talerwerk::Berichtsanfrage Druckanfrage() const;

    // Components under their own names.
    QLabel* KontenLabel = nullptr;
    QTreeWidget* KontoTreeView = nullptr;
    QLabel* ZeitLabel = nullptr;
    QTreeWidget* ZeitTreeView = nullptr;
    QGroupBox* SortiertRBtn = nullptr;
    QButtonGroup* SortiertGruppe = nullptr;
    QRadioButton* SortiertKnopf[4] = {nullptr, nullptr, nullptr, nullptr};
    QCheckBox* ZwSummeChBox = nullptr;
    QCheckBox* stornoChBox = nullptr;
    QTableView* BuchungGrid = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* EinLabel = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* AusLabel = nullptr;
    QLabel* SaldotextLabel = nullptr;
    QLabel* SaldoLabel = nullptr;
    QPushButton* BitBtn4 = nullptr;     // "&Drucken"
    QPushButton* VorschauBtn = nullptr;
    QPushButton* PdfBtn = nullptr;
    QPushButton* AbbruchBtn = nullptr;
    QPushButton* CsvBtn = nullptr;
    QtBerichtsdruck* Druck = nullptr;  // printer, preview and PDF
    QtGridModell* Modell = nullptr;

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;
    void keyPressEvent(QKeyEvent* ereignis) override;

private:
    void BaeumeAufbauen();
    void Schliessen();
    void FallsGeaendert();  // recomputes when the bookings changed since the last computation

    talerwerk::Datenbestand& bestand_;
    const talerwerk::Einstellungen& einstellungen_;
    const talerwerk::Uhr& uhr_;
    talerwerk::Auswahlbaum kontoBaum_;
    talerwerk::Auswahlbaum zeitBaum_;
    bool fuellen_ = false;              // the trees are being filled: their changes are no choice
    uint64_t berechneterStand_ = ~0ull;  // index Stand of the last computation
};
