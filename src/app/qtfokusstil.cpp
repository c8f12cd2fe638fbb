#include "app/qtfokusstil.h"

#include <QPainter>
#include <QPen>
#include <QStyleOption>

namespace {

void FokusRahmen(const QStyleOption* option, QPainter* painter, int abstand) {
    if (!(option->state & QStyle::State_HasFocus) || !(option->state & QStyle::State_Enabled)) return;
    painter->save();
    QPen stift(option->palette.color(QPalette::Active, QPalette::Highlight));
    stift.setStyle(Qt::DotLine);
    stift.setWidth(1);
    painter->setPen(stift);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(option->rect.adjusted(abstand, abstand, -abstand - 1, -abstand - 1));
    painter->restore();
}

}  // namespace

void QtFokusStil::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const {
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element == CE_PushButton) FokusRahmen(option, painter, 3);
}

void QtFokusStil::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                     QPainter* painter, const QWidget* widget) const {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (control == CC_ToolButton) FokusRahmen(option, painter, 2);
}
