#include "app/qtmeldungen.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <vector>

namespace {

const QString Fenstertitel = QStringLiteral("Talerwerk");

void Kasten(QWidget* eltern, QMessageBox::Icon symbol, const std::string& text) {
    QMessageBox box(symbol, Fenstertitel, QtMeldungen::AnzeigeText(text), QMessageBox::NoButton, eltern);
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}

}  // namespace

QString QtMeldungen::AnzeigeText(const std::string& text) {
    QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

void QtMeldungen::Fehler(const std::string& text) { Kasten(eltern_, QMessageBox::Critical, text); }

void QtMeldungen::Information(const std::string& text) {
    Kasten(eltern_, QMessageBox::Information, text);
}

void QtMeldungen::Warnung(const std::string& text) { Kasten(eltern_, QMessageBox::Warning, text); }

talerwerk::Antwort QtMeldungen::Frage(const std::string& text, talerwerk::Knoepfe knoepfe) {
    using talerwerk::Antwort;
    using talerwerk::Knoepfe;

    QMessageBox box(QMessageBox::Question, Fenstertitel, AnzeigeText(text), QMessageBox::NoButton,
                    eltern_);
    struct Knopf {
        QPushButton* knopf;
        Antwort antwort;
    };
    std::vector<Knopf> knoepfeListe;
    auto neu = [&](const QString& beschriftung, QMessageBox::ButtonRole rolle, Antwort antwort) {
        QPushButton* k = box.addButton(beschriftung, rolle);
        knoepfeListe.push_back({k, antwort});
        return k;
    };

    QPushButton* ja = neu(QStringLiteral("&Ja"), QMessageBox::YesRole, Antwort::Ja);
    QPushButton* nein = neu(QStringLiteral("&Nein"), QMessageBox::NoRole, Antwort::Nein);
    QPushButton* abbrechen = nullptr;
    switch (knoepfe) {
    case Knoepfe::JaNein:
        break;
    case Knoepfe::JaNeinAbbrechen:
        abbrechen = neu(QStringLiteral("Abbrechen"), QMessageBox::RejectRole, Antwort::Abbrechen);
        break;
    case Knoepfe::JaNeinAbbrechenAlle:
        abbrechen = neu(QStringLiteral("Abbrechen"), QMessageBox::RejectRole, Antwort::Abbrechen);
        neu(QStringLiteral("&Alle"), QMessageBox::YesRole, Antwort::Alle);
        break;
    case Knoepfe::JaNeinAlles:
        neu(QStringLiteral("&Alles"), QMessageBox::YesRole, Antwort::Alle);
        break;
    }
    box.setDefaultButton(ja);
    box.setEscapeButton(abbrechen ? abbrechen : nein);
    box.exec();

    for (const Knopf& k : knoepfeListe)
        if (box.clickedButton() == k.knopf) return k.antwort;
    return abbrechen ? Antwort::Abbrechen : Antwort::Nein;
}

void QtMeldungen::Piep() { QApplication::beep(); }
