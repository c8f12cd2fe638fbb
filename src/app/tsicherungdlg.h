#pragma once
// The backup copies of one data file, newest first, with the time of the save that made each,
// its size and its number of bookings; the chosen one is opened as a new, unnamed file.

#include <QDialog>
#include <QString>

class QPushButton;
class QTreeWidget;

class TSicherungDlg : public QDialog {
    Q_OBJECT
public:
    explicit TSicherungDlg(const QString& datei, QWidget* eltern = nullptr);
    QString GewaehlteKopie() const;

    QTreeWidget* KopienListe;
    QPushButton* OeffnenBtn;
    QPushButton* AbbruchBtn;
};
