#include "store/qtmdilage.h"

#include <QEvent>
#include <QMdiSubWindow>
#include <QRect>

#include <algorithm>

namespace talerwerk {

namespace {

class Lagewaechter : public QObject {
public:
    Lagewaechter(QMdiSubWindow* rahmen, const QRect& lage, std::function<void(const QRect&)> speichern)
        : QObject(rahmen), rahmen_(rahmen), rahmenObjekt_(rahmen), lage_(lage), speichern_(std::move(speichern)) {}

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override {
        // Compared as the address taken when the frame was whole: while it is being destroyed it
        // is no frame any more, and events of that time are none of ours.
        if (objekt != rahmenObjekt_) return false;
        QMdiSubWindow* rahmen = rahmen_;
        if (ereignis->type() == QEvent::Show && lage_.isValid()) {
            // The frame's least size is known only now that the window is polished.
            const QSize kleinste = rahmen->minimumSizeHint();
            lage_.setWidth(std::max(lage_.width(), kleinste.width()));
            lage_.setHeight(std::max(lage_.height(), kleinste.height()));
            rahmen->setGeometry(lage_);
            lage_ = QRect();
        } else if (ereignis->type() == QEvent::Close && speichern_) {
            // A minimised or maximised window stores where it stands when shown normally.
            if (rahmen->isMinimized() || rahmen->isMaximized()) rahmen->showNormal();
            speichern_(rahmen->geometry());
        }
        return false;
    }

private:
    QMdiSubWindow* rahmen_;
    const QObject* rahmenObjekt_;
    QRect lage_;  // still to apply when the frame is first shown
    std::function<void(const QRect&)> speichern_;
};

}  // namespace

QMdiSubWindow* RahmenMitLage(QWidget* inhalt, FensterLage lage, const FensterLage& vorgabe, int kleinste,
                             std::function<void(const QRect&)> speichern) {
    auto* rahmen = new QMdiSubWindow;
    rahmen->setWidget(inhalt);
    rahmen->setWindowTitle(inhalt->windowTitle());
    rahmen->setAttribute(Qt::WA_DeleteOnClose);
    if (lage.Breite < kleinste || lage.Hoehe < kleinste) {
        lage.Breite = vorgabe.Breite;
        lage.Hoehe = vorgabe.Hoehe;
    }
    rahmen->resize(lage.Breite, lage.Hoehe);
    rahmen->installEventFilter(
        new Lagewaechter(rahmen, QRect(lage.x, lage.y, lage.Breite, lage.Hoehe), std::move(speichern)));
    return rahmen;
}

}  // namespace talerwerk
