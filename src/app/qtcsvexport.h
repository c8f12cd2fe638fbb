#pragma once
// "Als CSV speichern…" of the windows that show a table: asks for a file name and writes the
// window's report there (see CsvDateiSchreiben).

#include <QString>

#include <functional>

#include "app/bericht.h"

class QWidget;

// The file dialog's choice, with ".csv" added when the name has no ending; empty when cancelled.
// Tests replace the dialog through CsvZielSetzen.
QString CsvZielWaehlen(QWidget* eltern, const QString& vorschlag);
void CsvZielSetzen(std::function<QString(QWidget*, const QString&)> waehlen);

// Asks for the file and writes it; a failure is shown in an error box. False when cancelled or failed.
bool CsvExportieren(QWidget* eltern, const QString& vorschlag,
                    const std::function<void(talerwerk::CsvAusgabe&)>& schreiben);

// The command's button, as every window with a table has it (no access key: the windows' letters
// are taken; Tab reaches it).
class QPushButton;
QPushButton* CsvKnopf(QWidget* eltern);
