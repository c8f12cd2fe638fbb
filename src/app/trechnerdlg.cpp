#include "app/trechnerdlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "store/ports.h"

TRechnerDlg::TRechnerDlg(talerwerk::Einstellungen& einstellungen, std::string einstellungsPfad,
                         talerwerk::Meldungen* meldungen, QWidget* eltern)
    : QWidget(eltern), einstellungen_(einstellungen), einstellungsPfad_(std::move(einstellungsPfad)),
      meldungen_(meldungen) {
    setObjectName(QStringLiteral("RechnerDlg"));
    setWindowTitle(QStringLiteral("Rechner"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::StrongFocus);

    resultLabel = new QLabel(QStringLiteral("0"), this);
    resultLabel->setObjectName(QStringLiteral("resultLabel"));
    resultLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    resultLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    resultLabel->setAutoFillBackground(true);
    QPalette weiss = resultLabel->palette();
    weiss.setColor(QPalette::Window, Qt::white);
    weiss.setColor(QPalette::WindowText, Qt::black);
    resultLabel->setPalette(weiss);
    QFont anzeigeSchrift = resultLabel->font();
    anzeigeSchrift.setBold(true);
    resultLabel->setFont(anzeigeSchrift);
    resultLabel->setMinimumWidth(20);
    resultLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    resultLabel->setFixedHeight(24);

    UebernahmeBtn = new QPushButton(QStringLiteral("&U"), this);
    UebernahmeBtn->setObjectName(QStringLiteral("UebernahmeBtn"));
    UebernahmeBtn->setToolTip(QStringLiteral("Ergebnis übernehmen"));
    UebernahmeBtn->setFixedSize(24, 24);
    Gross_kleinBtn = new QToolButton(this);
    Gross_kleinBtn->setObjectName(QStringLiteral("Gross_kleinBtn"));
    Gross_kleinBtn->setToolTip(QStringLiteral("Rechnerfenster verkleinern/ vergrößern"));
    Gross_kleinBtn->setFixedSize(20, 24);

    Tastenfeld = new QWidget(this);
    Tastenfeld->setObjectName(QStringLiteral("Tastenfeld"));
    Button0 = Knopf(QStringLiteral("0"), "Button0", '0');
    Button1 = Knopf(QStringLiteral("1"), "Button1", '1');
    Button2 = Knopf(QStringLiteral("2"), "Button2", '2');
    Button3 = Knopf(QStringLiteral("3"), "Button3", '3');
    Button4 = Knopf(QStringLiteral("4"), "Button4", '4');
    Button5 = Knopf(QStringLiteral("5"), "Button5", '5');
    Button6 = Knopf(QStringLiteral("6"), "Button6", '6');
    Button7 = Knopf(QStringLiteral("7"), "Button7", '7');
    Button8 = Knopf(QStringLiteral("8"), "Button8", '8');
    Button9 = Knopf(QStringLiteral("9"), "Button9", '9');
    ButtonComma = Knopf(QStringLiteral(","), "ButtonComma", ',');
    ButtonDiv = Knopf(QStringLiteral("/"), "ButtonDiv", '/');
    ButtonMult = Knopf(QStringLiteral("*"), "ButtonMult", '*');
    ButtonSub = Knopf(QStringLiteral("--"), "ButtonSub", '-');
    ButtonAdd = Knopf(QStringLiteral("+"), "ButtonAdd", '+');
    ButtonSign = Knopf(QStringLiteral("±"), "ButtonSign", '#');
    ButtonC = Knopf(QStringLiteral("C"), "ButtonC", 'C');
    ButtonEq = Knopf(QStringLiteral("="), "ButtonEq", '=');
    // Escape closes the window through this button; it needs no place of its own on the face.
    cancelBtn = new QPushButton(QStringLiteral("Abbrechen"), Tastenfeld);
    cancelBtn->setObjectName(QStringLiteral("cancelBtn"));
    cancelBtn->hide();

    auto* tasten = new QGridLayout(Tastenfeld);
    tasten->setContentsMargins(0, 0, 0, 0);
    tasten->setSpacing(3);
    QPushButton* const raster[4][4] = {
        {Button7, Button8, Button9, ButtonDiv},
        {Button4, Button5, Button6, ButtonMult},
        {Button1, Button2, Button3, ButtonSub},
        {Button0, ButtonComma, ButtonSign, ButtonAdd},
    };
    for (int z = 0; z < 4; ++z)
        for (int s = 0; s < 4; ++s) tasten->addWidget(raster[z][s], z, s);
    tasten->addWidget(ButtonC, 4, 0);
    tasten->addWidget(ButtonEq, 4, 1, 1, 3);

    auto* zeile = new QHBoxLayout;
    zeile->setSpacing(2);
    zeile->addWidget(resultLabel, 1);
    zeile->addWidget(UebernahmeBtn);
    zeile->addWidget(Gross_kleinBtn);
    auto* haupt = new QVBoxLayout(this);
    haupt->setContentsMargins(3, 3, 3, 3);
    haupt->setSpacing(4);
    haupt->addLayout(zeile);
    haupt->addWidget(Tastenfeld, 1);
    haupt->addStretch(0);

    connect(UebernahmeBtn, &QPushButton::clicked, this, &TRechnerDlg::UebernahmeBtnClick);
    connect(Gross_kleinBtn, &QToolButton::clicked, this, &TRechnerDlg::Gross_kleinBtnClick);
    connect(cancelBtn, &QPushButton::clicked, this, [this] { Rahmen()->close(); });
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);

    LageAnwenden();
    rechner_.Loeschen();
    Anzeigen();
}

QPushButton* TRechnerDlg::Knopf(const QString& text, const char* name, char taste) {
    auto* k = new QPushButton(text, Tastenfeld);
    k->setObjectName(QString::fromLatin1(name));
    k->setMinimumSize(24, 20);
    k->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    connect(k, &QPushButton::clicked, this, [this, taste] {
        ButtonEq->setFocus(Qt::OtherFocusReason);
        Taste(taste);
    });
    return k;
}

QWidget* TRechnerDlg::Rahmen() {
    if (auto* unter = qobject_cast<QMdiSubWindow*>(parentWidget())) return unter;
    return this;
}

void TRechnerDlg::LageAnwenden() {
    QWidget* rahmen = Rahmen();
    rahmen->move(einstellungen_.RechnerX, einstellungen_.RechnerY);
    const bool klein = einstellungen_.RechnerHoehe < talerwerk::RechnerKleinGrenze;
    Tastenfeld->setVisible(!klein);
    rahmen->resize(einstellungen_.RechnerBreite, einstellungen_.RechnerHoehe);
    PfeilSetzen();
}

QMdiSubWindow* TRechnerDlg::InBereichZeigen(QMdiArea* bereich) {
    auto* unter = new QMdiSubWindow(bereich);
    unter->setWidget(this);
    unter->setAttribute(Qt::WA_DeleteOnClose);
    unter->setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    unter->setWindowTitle(windowTitle());
    bereich->addSubWindow(unter);
    LageAnwenden();
    unter->show();
    ButtonEq->setFocus(Qt::OtherFocusReason);
    return unter;
}

void TRechnerDlg::Anzeigen() { resultLabel->setText(QString::fromStdString(rechner_.Anzeige())); }

void TRechnerDlg::Taste(char taste) {
    if (rechner_.Taste(taste)) {
        if (meldungen_)
            meldungen_->Piep();
        else
            QApplication::beep();
    }
    Anzeigen();
}

void TRechnerDlg::UebernahmeBtnClick() {
    if (!Uebernahme) return;
    ButtonEq->setFocus(Qt::OtherFocusReason);
    // "Fehler" or "Überlauf" is no amount; the booking keeps what it has.
    if (rechner_.ImFehler()) {
        if (meldungen_)
            meldungen_->Piep();
        else
            QApplication::beep();
        return;
    }
    Uebernahme(rechner_.AnzeigeText());
}

void TRechnerDlg::PfeilSetzen() {
    // Up: the window is full and can be collapsed; down: it is collapsed and can be opened.
    Gross_kleinBtn->setArrowType(!Tastenfeld->isHidden() ? Qt::UpArrow : Qt::DownArrow);
}

void TRechnerDlg::Gross_kleinBtnClick() {
    QWidget* rahmen = Rahmen();
    if (rahmen->height() < talerwerk::RechnerKleinGrenze) {
        Tastenfeld->show();
        rahmen->resize(rahmen->width(), talerwerk::RechnerHoeheGross);
    } else {
        // Hidden first, so that the keys no longer hold the window at their minimum height.
        Tastenfeld->hide();
        rahmen->resize(rahmen->width(), talerwerk::RechnerHoeheKlein);
    }
    PfeilSetzen();
    if (ButtonEq->isVisibleTo(this))
        ButtonEq->setFocus(Qt::OtherFocusReason);
    else
        setFocus(Qt::OtherFocusReason);
}

void TRechnerDlg::resizeEvent(QResizeEvent* ereignis) {
    QWidget::resizeEvent(ereignis);
    // A collapsed window pulled taller by hand shows its keys again.
    if (Tastenfeld->isHidden() && Rahmen()->height() >= talerwerk::RechnerKleinGrenze) {
        Tastenfeld->show();
        PfeilSetzen();
    }
}

bool TRechnerDlg::TasteAus(QKeyEvent* ereignis) {
    if (ereignis->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    switch (ereignis->key()) {
    case Qt::Key_Escape: cancelBtn->click(); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: ButtonEq->setFocus(Qt::OtherFocusReason); Taste('='); return true;
    case Qt::Key_Backspace: Taste('\b'); return true;
    default: break;
    }
    const QString text = ereignis->text();
    if (text.size() != 1) return false;
    const QChar z = text.at(0);
    // The keypad's decimal key gives "." on many layouts; it means the decimal comma here. A "."
    // typed elsewhere is the German thousands separator and is left alone.
    if (z == QLatin1Char('.') && (ereignis->modifiers() & Qt::KeypadModifier)) {
        Taste(',');
        return true;
    }
    if (z.unicode() < 128 && QStringLiteral("0123456789,#*+-/=cC").contains(z)) {
        Taste(static_cast<char>(z.unicode()));
        return true;
    }
    return false;
}

bool TRechnerDlg::eventFilter(QObject* objekt, QEvent* ereignis) {
    if (ereignis->type() == QEvent::KeyPress && TasteAus(static_cast<QKeyEvent*>(ereignis))) return true;
    return QWidget::eventFilter(objekt, ereignis);
}

void TRechnerDlg::keyPressEvent(QKeyEvent* ereignis) {
    if (!TasteAus(ereignis)) QWidget::keyPressEvent(ereignis);
}

void TRechnerDlg::closeEvent(QCloseEvent* ereignis) {
    if (!geschlossen_) {
        geschlossen_ = true;
        QWidget* rahmen = Rahmen();
        if (rahmen->isMinimized() || rahmen->isMaximized()) rahmen->showNormal();
        const QRect lage = rahmen->geometry();
        einstellungen_.RechnerX = lage.x();
        einstellungen_.RechnerY = lage.y();
        einstellungen_.RechnerBreite = lage.width();
        einstellungen_.RechnerHoehe = lage.height();
        if (!einstellungsPfad_.empty()) talerwerk::RechnerLageSpeichern(einstellungsPfad_, einstellungen_);
        emit Geschlossen();
    }
    ereignis->accept();
}
