#pragma once
// The account balances window: every Bestandskonto and Sparkonto with its current balance and, on
// request, their total. A child window of the main window that refreshes itself whenever bookings
// or the chart change; there is never more than one.

#include <QRect>
#include <QString>
#include <QWidget>

#include "store/datenbestand.h"
#include "store/einstellungen.h"

class QLabel;
class QMdiSubWindow;
class QStatusBar;
class QToolButton;
class QTreeWidget;

class TKtoStandDlg : public QWidget {
    Q_OBJECT
public:
    // einstellungsDatei: the settings file that keeps the window's placement (section
    // "KontoStand"); empty for none.
    TKtoStandDlg(talerwerk::Datenbestand& bestand, const talerwerk::Einstellungen& einstellungen,
                 QString einstellungsDatei = {}, QWidget* eltern = nullptr);

    // The frame the main window shows it in: placed as the settings file says, and writing its
    // normal placement back there when it closes.
    static QMdiSubWindow* ImRahmen(TKtoStandDlg* dlg);

    // Recomputes the balances and rebuilds the list and the total.
    void Aktualisieren();
    // Called by the main window after changes: bookings (1), everything (2), balances (4).
    void AnsichtAktualisieren(int art);

    // Components under their own names.
    QToolButton* BestandKtoBtn = nullptr;
    QToolButton* SparKtoBtn = nullptr;
    QToolButton* CsvBtn = nullptr;
    QToolButton* GesamtBtn = nullptr;
    QTreeWidget* KontoListView = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* StatusPanel[2] = {nullptr, nullptr};

protected:
    void showEvent(QShowEvent* ereignis) override;
    bool event(QEvent* ereignis) override;
    void keyPressEvent(QKeyEvent* ereignis) override;
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    QToolButton* Schalter(const QString& text, const QString& hinweis);
    QToolButton* SchalterFuerTaste(int taste) const;
    void SpaltenAnpassen();
    void LageSpeichern(const QRect& geometrie);

    talerwerk::Datenbestand& bestand_;
    const talerwerk::Einstellungen& einstellungen_;
    QString einstellungsDatei_;
};
