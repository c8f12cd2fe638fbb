#include "app/qtcsvexport.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

namespace {

std::function<QString(QWidget*, const QString&)>& Waehler() {
    static std::function<QString(QWidget*, const QString&)> waehler;
    return waehler;
}

}  // namespace

void CsvZielSetzen(std::function<QString(QWidget*, const QString&)> waehlen) { Waehler() = std::move(waehlen); }

QString CsvZielWaehlen(QWidget* eltern, const QString& vorschlag) {
    if (Waehler()) return Waehler()(eltern, vorschlag);
    QFileDialog dlg(eltern, QStringLiteral("Als CSV speichern"));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setNameFilters({QStringLiteral("CSV-Dateien (*.csv)"), QStringLiteral("Alle Dateien (*)")});
    dlg.setDefaultSuffix(QStringLiteral("csv"));
    dlg.selectFile(vorschlag);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    return dlg.selectedFiles().first();
}

QPushButton* CsvKnopf(QWidget* eltern) {
    auto* knopf = new QPushButton(QStringLiteral("Als CSV speichern…"), eltern);
    knopf->setObjectName(QStringLiteral("CsvBtn"));
    knopf->setAutoDefault(false);
    knopf->setToolTip(QStringLiteral("Die Tabelle für eine Tabellenkalkulation speichern"));
    return knopf;
}

bool CsvExportieren(QWidget* eltern, const QString& vorschlag,
                    const std::function<void(talerwerk::CsvAusgabe&)>& schreiben) {
    // File names carry no characters that some file systems refuse.
    QString name = vorschlag;
    name.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|]")), QStringLiteral("-"));
    const QString pfad = CsvZielWaehlen(eltern, name + QStringLiteral(".csv"));
    if (pfad.isEmpty()) return false;
    std::string fehler;
    if (talerwerk::CsvDateiSchreiben(pfad.toStdString(), schreiben, fehler)) return true;
    QMessageBox::critical(eltern, QStringLiteral("Als CSV speichern"),
                          QStringLiteral("Die Datei \"%1\" konnte nicht gespeichert werden:\n%2")
                              .arg(QFileInfo(pfad).fileName(), QString::fromStdString(fehler)));
    return false;
}
