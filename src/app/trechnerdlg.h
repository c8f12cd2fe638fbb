#pragma once
// "Rechner": the small calculator as a tool child window of the main window.
//
// Use by the main window (at most one at a time):
//   auto* rechner = new TRechnerDlg(einstellungen, einstellungsPfad, &meldungen);
//   rechner->Uebernahme = [...](const std::string& betrag) { … };  // filled by the booking window
//   rechner->InBereichZeigen(mdiArea);   // own sub-window, geometry from einstellungen.Rechner*
//   connect(rechner, &TRechnerDlg::Geschlossen, …);  // forget the pointer; it deletes itself
// Closing (title bar, Escape or cancelBtn) restores the normal window state, writes RechnerX/Y/
// Breite/Hoehe into `einstellungen` and at once into the settings file (RechnerLageSpeichern),
// and destroys the window together with its sub-window. Position and size are those of the
// sub-window inside the area. Whether the calculator is open at exit (RechnerOffen) is the main
// window's to record, before it closes the calculator.
//
// The arithmetic lives in talerwerk::Rechner; this window turns clicks and keys into its keys.

#include <QPointer>
#include <QWidget>

#include <functional>
#include <string>

#include "app/rechner.h"
#include "store/einstellungen.h"

namespace talerwerk {
class Meldungen;
}

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QPushButton;
class QToolButton;

class TRechnerDlg : public QWidget {
    Q_OBJECT
public:
    // `meldungen` may be null: the error beep then goes straight to the platform.
    TRechnerDlg(talerwerk::Einstellungen& einstellungen, std::string einstellungsPfad,
                talerwerk::Meldungen* meldungen = nullptr, QWidget* eltern = nullptr);

    // Hand-over of the result ("&U"): receives the display text. The booking window puts it into
    // its amount field (or reports talerwerk::MeldungUebernahmeGesperrt while editing is locked)
    // and comes to the front. Empty: the button does nothing.
    std::function<void(const std::string& anzeige)> Uebernahme;

    // Puts the calculator into its own tool sub-window of `bereich`, placed and sized from the
    // settings, and shows it.
    QMdiSubWindow* InBereichZeigen(QMdiArea* bereich);
    // The frame whose geometry is stored: the sub-window, or this widget when it stands alone.
    QWidget* Rahmen();

    // One key as the buttons and the keyboard send it (see talerwerk::Rechner::Taste).
    void Taste(char taste);
    void UebernahmeBtnClick();
    void Gross_kleinBtnClick();
    const talerwerk::Rechner& Zustand() const { return rechner_; }

    QLabel* resultLabel;
    QPushButton* Button0;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QPushButton* Button4;
    QPushButton* Button5;
    QPushButton* Button6;
    QPushButton* Button7;
    QPushButton* Button8;
    QPushButton* Button9;
    QPushButton* ButtonComma;
    QPushButton* ButtonDiv;
    QPushButton* ButtonMult;
    QPushButton* ButtonSub;
    QPushButton* ButtonAdd;
    QPushButton* ButtonSign;
    QPushButton* ButtonC;
    QPushButton* ButtonEq;
    QPushButton* cancelBtn;
    QPushButton* UebernahmeBtn;
    QToolButton* Gross_kleinBtn;
    QWidget* Tastenfeld;  // everything below the display row

signals:
    void Geschlossen();

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;
    void keyPressEvent(QKeyEvent* ereignis) override;
    void closeEvent(QCloseEvent* ereignis) override;
    void resizeEvent(QResizeEvent* ereignis) override;

private:
    QPushButton* Knopf(const QString& text, const char* name, char taste);
    bool TasteAus(QKeyEvent* ereignis);
    void Anzeigen();
    void PfeilSetzen();
    void LageAnwenden();

    talerwerk::Einstellungen& einstellungen_;
    std::string einstellungsPfad_;
    talerwerk::Meldungen* meldungen_;
    talerwerk::Rechner rechner_;
    bool geschlossen_ = false;
};
