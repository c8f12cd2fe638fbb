#include "bookings/qteingabegrenze.h"

#include <QApplication>
#include <QLineEdit>
#include <QValidator>

#include "store/ports.h"
#include "store/zeichensatz.h"

namespace {

class Eingabegrenze : public QValidator {
public:
    Eingabegrenze(QLineEdit* feld, std::size_t hoechstens, talerwerk::Meldungen* meldungen, bool nurZiffern)
        : QValidator(feld), hoechstens_(hoechstens), meldungen_(meldungen), nurZiffern_(nurZiffern), letzter_(feld->text()) {
        // The field's current text, whoever set it: a proposed text is judged against it.
        connect(feld, &QLineEdit::textChanged, this, [this](const QString& t) { letzter_ = t; });
        connect(feld, &QLineEdit::inputRejected, this, &Eingabegrenze::Melden);
    }

    State validate(QString& text, int&) const override {
        grund_ = Grund::Keiner;
        const std::string utf8 = text.toStdString();
        if (nurZiffern_) {
            for (const QChar c : text)
                if (!c.isDigit()) {
                    grund_ = Grund::Laenge;
                    return Invalid;
                }
        }
        if (!talerwerk::Cp1252Darstellbar(utf8) && talerwerk::Cp1252Darstellbar(letzter_.toStdString())) {
            grund_ = Grund::Zeichen;
            return Invalid;
        }
        // Longer than allowed only counts when the text grows: a longer text the program put in
        // can still be shortened.
        if (talerwerk::ZeichenAnzahl(utf8) > hoechstens_ && text.size() > letzter_.size()) {
            grund_ = Grund::Laenge;
            return Invalid;
        }
        return Acceptable;
    }

private:
    enum class Grund { Keiner, Laenge, Zeichen };

    void Melden() {
        const Grund grund = grund_;
        grund_ = Grund::Keiner;
        if (grund == Grund::Zeichen && meldungen_)
            meldungen_->Information("Dieses Zeichen kann in der Datei nicht gespeichert werden.\r"
                                    "Bitte ändern Sie die Eingabe!");
        else if (meldungen_)
            meldungen_->Piep();
        else
            QApplication::beep();
    }

    std::size_t hoechstens_;
    talerwerk::Meldungen* meldungen_;
    bool nurZiffern_;
    QString letzter_;
    mutable Grund grund_ = Grund::Keiner;
};

}  // namespace

void EingabeBegrenzen(QLineEdit* feld, std::size_t hoechstens, talerwerk::Meldungen* meldungen, bool nurZiffern) {
    feld->setValidator(new Eingabegrenze(feld, hoechstens, meldungen, nurZiffern));
}
