#include "bookings/qtsuchfeld.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolButton>
#include <QTreeWidget>

#include <algorithm>

using namespace talerwerk;

QtSuchfeld::QtSuchfeld(Art art, QWidget* ueber, QWidget* eltern) : QWidget(eltern), ueber_(ueber), art_(art) {
    Edit = new QLineEdit(this);
    Knopf = new QToolButton(this);
    Knopf->setArrowType(Qt::DownArrow);
    Knopf->setFocusPolicy(Qt::NoFocus);
    Knopf->setToolTip(QStringLiteral("Liste öffnen (Alt+Pfeil unten)"));
    auto* zeile = new QHBoxLayout(this);
    zeile->setContentsMargins(0, 0, 0, 0);
    zeile->setSpacing(1);
    zeile->addWidget(Edit, 1);
    zeile->addWidget(Knopf);
    setFocusProxy(Edit);

    Baum = new QTreeWidget(ueber ? ueber : this);
    Baum->setHeaderHidden(true);
    Baum->setColumnCount(1);
    Baum->setRootIsDecorated(true);
    Baum->setFrameShape(QFrame::Box);
    Baum->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Baum->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Baum->header()->setStretchLastSection(false);
    Baum->hide();
    Baum->installEventFilter(this);
    Baum->viewport()->installEventFilter(this);
    Edit->installEventFilter(this);

    connect(Knopf, &QToolButton::clicked, this, &QtSuchfeld::BaumZeigen);
}

QtSuchfeld::~QtSuchfeld() {
    Edit->removeEventFilter(this);
    Baum->removeEventFilter(this);
    Baum->viewport()->removeEventFilter(this);
}

void QtSuchfeld::BaumSetzen(const Suchbaum& baum) {
    liste_ = baum;
    Baum->clear();
    eintraege_.assign(liste_.Eintraege.size(), nullptr);
    QTreeWidgetItem* ebenen[3] = {nullptr, nullptr, nullptr};
    for (size_t i = 0; i < liste_.Eintraege.size(); ++i) {
        const SuchEintrag& e = liste_.Eintraege[i];
        const int ebene = std::clamp(e.Ebene, 0, 2);
        QTreeWidgetItem* item = nullptr;
        QTreeWidgetItem* oben = ebene > 0 ? ebenen[ebene - 1] : nullptr;
        if (oben)
            item = new QTreeWidgetItem(oben);
        else
            item = new QTreeWidgetItem(Baum);
        item->setText(0, QString::fromStdString(e.Text));
        item->setData(0, Qt::UserRole, static_cast<int>(i));
        if (e.Ueberschrift) {
            QFont f = item->font(0);
            f.setBold(true);
            item->setFont(0, f);
        }
        ebenen[ebene] = item;
        for (int j = ebene + 1; j < 3; ++j) ebenen[j] = nullptr;
        eintraege_[i] = item;
    }
    // Everything open: every entry can be reached with one click.
    Baum->expandAll();
    if (!eintraege_.empty()) Baum->setCurrentItem(eintraege_.front());
}

void QtSuchfeld::Auswaehlen(int position) {
    if (uebernahmeLaeuft_) return;
    if (position < 0 || position >= static_cast<int>(eintraege_.size())) {
        Baum->setCurrentItem(nullptr);
        return;
    }
    QTreeWidgetItem* item = eintraege_[static_cast<size_t>(position)];
    for (QTreeWidgetItem* p = item->parent(); p; p = p->parent()) p->setExpanded(true);
    Baum->setCurrentItem(item);
    Baum->scrollToItem(item);
}

int QtSuchfeld::Ausgewaehlt() const {
    const QTreeWidgetItem* item = Baum->currentItem();
    return item ? item->data(0, Qt::UserRole).toInt() : -1;
}

bool QtSuchfeld::BaumOffen() const { return Baum->isVisible(); }

void QtSuchfeld::BaumZeigen() {
    if (!isEnabled()) return;
    gesichert_ = Edit->text();
    tasteImBaum_ = false;
    QWidget* flaeche = Baum->parentWidget();
    const QPoint unten = Edit->mapTo(flaeche, QPoint(0, Edit->height()));
    const int breite = std::min(std::max(width(), 280), std::max(120, flaeche->width() - unten.x() - 4));
    int hoehe = std::min(220, flaeche->height() - unten.y() - 4);
    int y = unten.y();
    if (hoehe < 120) {
        // Not enough room below the field: open upwards.
        hoehe = std::min(220, Edit->mapTo(flaeche, QPoint(0, 0)).y() - 4);
        y = Edit->mapTo(flaeche, QPoint(0, 0)).y() - hoehe;
    }
    Baum->setGeometry(unten.x(), y, breite, std::max(hoehe, 60));
    Baum->show();
    Baum->raise();
    if (Baum->currentItem()) Baum->scrollToItem(Baum->currentItem());
    Baum->setFocus(Qt::OtherFocusReason);
    emit BaumGeoeffnet();
}

void QtSuchfeld::BaumVerbergen() {
    if (Baum->isHidden()) return;
    Baum->hide();
    emit BaumGeschlossen();
}

void QtSuchfeld::BaumEnter() {
    // The focus moves first: a tree hidden while it has the focus would pass it on to whatever
    // control comes next, and that control would count as entered and left.
    (naechstes_ ? naechstes_ : Edit)->setFocus(Qt::TabFocusReason);
    BaumVerbergen();
}

void QtSuchfeld::Uebernehmen(bool auswahlVerschieben) {
    const int position = Ausgewaehlt();
    if (position < 0 || position >= liste_.Anzahl()) return;
    const SuchEintrag& e = liste_.Eintraege[static_cast<size_t>(position)];
    if (e.Ueberschrift) return;
    if (art_ == Art::Text) {
        Edit->setText(QString::fromStdString(e.Text));
        return;
    }
    std::string text = Edit->text().toStdString();
    const int auswahl = BaumAuswahl(liste_, position, text);
    if (auswahlVerschieben) Auswaehlen(auswahl);
    // While the arrow keys walk the tree the selection stays where the user put it, even on a
    // category with sub-categories (whose first sub-category goes into the field): moving it to the
    // child would make the keys unable to pass upwards over such a category.
    uebernahmeLaeuft_ = !auswahlVerschieben;
    Edit->setText(QString::fromStdString(text));
    uebernahmeLaeuft_ = false;
}

bool QtSuchfeld::eventFilter(QObject* objekt, QEvent* ereignis) {
    if (objekt == Baum->viewport() && ereignis->type() == QEvent::MouseButtonRelease) {
        auto* maus = static_cast<QMouseEvent*>(ereignis);
        if (maus->button() == Qt::LeftButton) {
            const QPoint stelle = maus->position().toPoint();
            QTreeWidgetItem* item = Baum->itemAt(stelle);
            // A click on the branch mark only opens or closes the branch.
            if (item && stelle.x() < Baum->visualItemRect(item).x()) return false;
            if (item) Uebernehmen(true);
            BaumEnter();
            return true;
        }
    } else if (objekt == Baum) {
        if (ereignis->type() == QEvent::KeyPress) {
            auto* taste = static_cast<QKeyEvent*>(ereignis);
            tasteImBaum_ = true;
            if (taste->key() == Qt::Key_Return || taste->key() == Qt::Key_Enter) {
                BaumEnter();
                return true;
            }
            if (taste->key() == Qt::Key_Escape && EscWiederherstellen) {
                // The field gets back the text it had before; nothing of the tree counts as typed.
                escLaeuft_ = true;
                (NachEsc ? NachEsc : Edit)->setFocus(Qt::OtherFocusReason);
                BaumVerbergen();
                Edit->setText(gesichert_);
                escLaeuft_ = false;
                return true;
            }
        } else if (ereignis->type() == QEvent::KeyRelease) {
            auto* taste = static_cast<QKeyEvent*>(ereignis);
            // Only a key pressed in the tree moves the choice into the field: the release of
            // Alt+Down or F4, which opened the tree from the field, leaves the field as it is.
            if (tasteImBaum_ && taste->key() != Qt::Key_Escape && taste->key() != Qt::Key_Tab &&
                taste->key() != Qt::Key_Backtab)
                Uebernehmen(false);
        } else if (ereignis->type() == QEvent::FocusOut) {
            BaumVerbergen();
            // The field was left for its own tree without being changed; leaving the tree for
            // anywhere but the field is leaving the field.
            if (!escLaeuft_ && QApplication::focusWidget() != Edit) FeldVerlassen();
        }
    } else if (objekt == Edit) {
        if (ereignis->type() == QEvent::KeyPress) {
            auto* taste = static_cast<QKeyEvent*>(ereignis);
            if ((taste->key() == Qt::Key_Down && (taste->modifiers() & Qt::AltModifier)) || taste->key() == Qt::Key_F4) {
                BaumZeigen();
                return true;
            }
        } else if (ereignis->type() == QEvent::FocusOut) {
            auto* fokus = static_cast<QFocusEvent*>(ereignis);
            // Opening the tree (its button, Alt+Down, F4) moves the focus into it: the field keeps
            // what was typed until an entry is chosen or the tree is left.
            if (fokus->reason() != Qt::PopupFocusReason && Baum->isHidden()) FeldVerlassen();
        }
    }
    return QWidget::eventFilter(objekt, ereignis);
}

void QtSuchfeld::FeldVerlassen() {
    if (art_ == Art::Konto) {
        const std::string neu = FeldTextNachVerlassen(liste_, Edit->text().toStdString());
        if (QString::fromStdString(neu) != Edit->text()) Edit->setText(QString::fromStdString(neu));
    }
    emit Verlassen();
}
