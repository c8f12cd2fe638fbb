#pragma once
// A lookup field of the booking-like editors: a one-line text field with a small button that opens
// a drop-down tree laid over the dialog. The user types an abbreviation or picks from the tree.
//
//   auto* f = new QtSuchfeld(QtSuchfeld::Art::Konto, dialog, panel);
//   f->BaumSetzen(talerwerk::Konto1Baum(d.Konten));
//   f->SetzeNaechstes(konto2Feld->Edit);
//   connect(f->Edit, &QLineEdit::textChanged, …);   // the editor updates labels and selection
//
// Account fields: leaving the field turns a resolved text into the entry's abbreviation; picking an
// item takes its abbreviation (its first child's, if it has children). Text fields take the item's
// text. With EscWiederherstellen (the booking window), Esc in the tree puts back the text the field
// had when the tree was opened.

#include <QString>
#include <QWidget>

#include <vector>

#include "bookings/kontosuche.h"

class QLineEdit;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

class QtSuchfeld : public QWidget {
    Q_OBJECT
public:
    enum class Art { Konto, Text };

    // `ueber`: the window the tree is laid over (its parent).
    QtSuchfeld(Art art, QWidget* ueber, QWidget* eltern = nullptr);
    ~QtSuchfeld() override;

    void BaumSetzen(const talerwerk::Suchbaum& baum);
    const talerwerk::Suchbaum& Liste() const { return liste_; }

    // Selects the entry at `position` in the tree (expanding what is above it); -1 clears.
    void Auswaehlen(int position);
    int Ausgewaehlt() const;

    // Where the focus goes after a choice in the tree.
    void SetzeNaechstes(QWidget* naechstes) { naechstes_ = naechstes; }
    // Esc in the tree restores the saved text (booking window only).
    bool EscWiederherstellen = false;
    // After Esc the focus goes here (null: back into the field).
    QWidget* NachEsc = nullptr;

    void BaumZeigen();     // the button: save the text, show the tree, focus it
    void BaumVerbergen();
    bool BaumOffen() const;
    // Enter in the tree: hide it, focus the next field.
    void BaumEnter();
    const QString& GesicherterText() const { return gesichert_; }

    QLineEdit* Edit;
    QToolButton* Knopf;
    QTreeWidget* Baum;

signals:
    void BaumGeoeffnet();
    void BaumGeschlossen();
    // The focus left the text field (not counting a pop-up such as the context menu).
    void Verlassen();

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    void Uebernehmen(bool auswahlVerschieben);
    // Leaving the field: a resolved account text becomes its abbreviation; Verlassen is emitted.
    void FeldVerlassen();
    QWidget* ueber_;
    QWidget* naechstes_ = nullptr;
    Art art_;
    talerwerk::Suchbaum liste_;
    std::vector<QTreeWidgetItem*> eintraege_;  // tree item of each list entry
    QString gesichert_;
    bool uebernahmeLaeuft_ = false;
    bool tasteImBaum_ = false;
    bool escLaeuft_ = false;  // a key was pressed in the tree since it was opened
};
