#pragma once
// The program's widget style: Qt's own, plus a dotted frame inside the button that has the
// keyboard focus. The plain style marks a focused button with a faint outline only, the same one
// it gives the default button, so a user tabbing through a window could not tell where the focus
// stands.
//
//   QApplication::setStyle(new QtFokusStil);   // the application takes ownership

#include <QProxyStyle>

class QtFokusStil : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
};
