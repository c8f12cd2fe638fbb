#include "bookings/qtbetragsfeld.h"

#include <QApplication>
#include <QFocusEvent>
#include <QTimer>
#include <QValidator>

#include "bookings/eingaberegeln.h"
#include "store/betrag.h"

using namespace talerwerk;

namespace {

class BetragValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& text, int&) const override {
        // The display form carries thousands separators; while typing, "." is the decimal key of
        // the number pad and means the comma.
        if (text.contains(QLatin1Char('.')) && !text.contains(QLatin1Char(','))) {
            const int erster = text.indexOf(QLatin1Char('.'));
            if (text.indexOf(QLatin1Char('.'), erster + 1) < 0) text[erster] = QLatin1Char(',');
        }
        return BetragEingabeZulaessig(text.toStdString()) ? Acceptable : Invalid;
    }
};

}  // namespace

QtBetragsfeld::QtBetragsfeld(Meldungen* meldungen, QWidget* eltern) : QLineEdit(eltern), meldungen_(meldungen) {
    setObjectName(QStringLiteral("BetragEdit"));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setMaxLength(static_cast<int>(BetragFeldLaenge));
    setValidator(new BetragValidator(this));
    connect(this, &QLineEdit::textEdited, this, [this] { wert_ = BetragText(text().toStdString()); });
    // A seventh digit, a third decimal or a sign: refused, and the user hears it.
    connect(this, &QLineEdit::inputRejected, this, &QtBetragsfeld::Piepen);
    Anzeigen();
}

void QtBetragsfeld::Piepen() {
    // The display form ("1.234,56") does not pass the typing rule; showing it is no refused key.
    if (zeigt_) return;
    if (meldungen_)
        meldungen_->Piep();
    else
        QApplication::beep();
}

std::string QtBetragsfeld::Betrag() const { return wert_; }

void QtBetragsfeld::SetzeBetrag(const std::string& betrag) {
    wert_ = BetragText(betrag);
    Anzeigen();
}

void QtBetragsfeld::Anzeigen() {
    // setText bypasses the validator, so the display form with its dots can be shown.
    zeigt_ = true;
    if (bearbeiten_)
        setText(QString::fromStdString(wert_));
    else
        setText(QString::fromStdString(CentAnzeige(BetragCent(wert_))));
    zeigt_ = false;
}

void QtBetragsfeld::focusInEvent(QFocusEvent* ereignis) {
    bearbeiten_ = true;
    Anzeigen();
    QLineEdit::focusInEvent(ereignis);
    QTimer::singleShot(0, this, [this] {
        if (hasFocus()) selectAll();
    });
}

void QtBetragsfeld::focusOutEvent(QFocusEvent* ereignis) {
    QLineEdit::focusOutEvent(ereignis);
    // A pop-up (the context menu) takes the focus only for a moment; the field stays in typing form.
    if (ereignis->reason() == Qt::PopupFocusReason) return;
    bearbeiten_ = false;
    Anzeigen();
}
