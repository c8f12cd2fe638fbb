#pragma once
// The title screen: the program's artwork, name and version. Shown borderless and centred while
// the program starts; the main window shows the same picture as its logo panel.

#include <QFrame>

class TTitelbild : public QFrame {
    Q_OBJECT
public:
    // Without a parent it is its own borderless window, centred on the screen; with a parent it is
    // a panel inside that widget.
    explicit TTitelbild(QWidget* eltern = nullptr);

    void Zentrieren();  // as a window: centre on the primary screen

protected:
    void mousePressEvent(QMouseEvent* ereignis) override;
};

// Makes the program's resources (icons, artwork, help page) available. The window library is
// static, so its resources must be pulled in explicitly once.
void TalerwerkRessourcenLaden();
