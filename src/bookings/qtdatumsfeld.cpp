#include "bookings/qtdatumsfeld.h"

#include <QCalendarWidget>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>

#include "store/datum.h"

using namespace talerwerk;

QtDatumsfeld::QtDatumsfeld(QWidget* eltern) : QWidget(eltern) {
    Edit = new QLineEdit(this);
    Edit->setObjectName(QStringLiteral("DatumEdit"));
    Edit->setInputMask(QStringLiteral("99.99.99; "));
    Edit->setMinimumWidth(Edit->fontMetrics().horizontalAdvance(QStringLiteral("00.00.00")) + 18);
    Edit->installEventFilter(this);
    KalenderBtn = new QToolButton(this);
    KalenderBtn->setObjectName(QStringLiteral("KalenderBtn"));
    KalenderBtn->setText(QStringLiteral("…"));
    KalenderBtn->setToolTip(QStringLiteral("Datum wählen"));
    KalenderBtn->setFocusPolicy(Qt::NoFocus);

    auto* zeile = new QHBoxLayout(this);
    zeile->setContentsMargins(0, 0, 0, 0);
    zeile->setSpacing(1);
    zeile->addWidget(Edit, 1);
    zeile->addWidget(KalenderBtn);
    setFocusProxy(Edit);

    Kalender = new QCalendarWidget(this);
    Kalender->setWindowFlags(Qt::Popup);
    Kalender->setGridVisible(true);
    Kalender->setFirstDayOfWeek(Qt::Monday);
    Kalender->setLocale(QLocale(QLocale::German, QLocale::Germany));
    // The file keeps two-digit years: a date outside these years could not be read back as chosen.
    Kalender->setDateRange(QDate(ErstesJahr, 1, 1), QDate(LetztesJahr, 12, 31));
    Kalender->hide();

    connect(KalenderBtn, &QToolButton::clicked, this, &QtDatumsfeld::KalenderZeigen);
    connect(Kalender, &QCalendarWidget::activated, this, [this](QDate tag) {
        if (auto nr = TagesNummer(tag.day(), tag.month(), tag.year())) SetzeText(DatumKurzText(*nr));
        Kalender->hide();
        Edit->setFocus(Qt::PopupFocusReason);
        emit Geaendert();
    });
    connect(Kalender, &QCalendarWidget::clicked, Kalender, &QCalendarWidget::activated);
    connect(Edit, &QLineEdit::textChanged, this, &QtDatumsfeld::Geaendert);
}

std::string QtDatumsfeld::Text() const { return Edit->text().toStdString(); }

void QtDatumsfeld::SetzeText(const std::string& text) { Edit->setText(QString::fromStdString(text)); }

int32_t QtDatumsfeld::Datum() const { return DatumLesen(Text()).value_or(0); }

void QtDatumsfeld::KalenderZeigen() {
    const int32_t nr = Datum();
    if (nr > 0) {
        const Kalendertag k = KalenderAus(nr);
        Kalender->setSelectedDate(QDate(k.Jahr, k.Monat, k.Tag));
    } else {
        Kalender->setSelectedDate(QDate::currentDate());
    }
    Kalender->adjustSize();
    Kalender->move(Edit->mapToGlobal(QPoint(0, Edit->height())));
    Kalender->show();
    Kalender->setFocus(Qt::PopupFocusReason);
}

bool QtDatumsfeld::eventFilter(QObject* objekt, QEvent* ereignis) {
    if (objekt == Edit) {
        if (ereignis->type() == QEvent::FocusIn) {
            // After a mouse click Qt places the cursor itself; select once that is done.
            QTimer::singleShot(0, Edit, [e = Edit] { e->selectAll(); });
        } else if (ereignis->type() == QEvent::KeyPress) {
            auto* taste = static_cast<QKeyEvent*>(ereignis);
            if ((taste->key() == Qt::Key_Down && (taste->modifiers() & Qt::AltModifier)) || taste->key() == Qt::Key_F4) {
                KalenderZeigen();
                return true;
            }
        }
    }
    return QWidget::eventFilter(objekt, ereignis);
}
