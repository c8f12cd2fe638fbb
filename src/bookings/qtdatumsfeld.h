#pragma once
// A date field: day.month.two-digit year typed into "  .  .  " (digits only, the dots are given),
// and a button "Datum wählen" with a calendar pop-up. Entering the field selects its text, so a
// date is typed over in one go.

#include <QWidget>

#include <cstdint>
#include <string>

class QCalendarWidget;
class QLineEdit;
class QToolButton;

class QtDatumsfeld : public QWidget {
    Q_OBJECT
public:
    explicit QtDatumsfeld(QWidget* eltern = nullptr);

    // The text as the core reads it ("07.12.26", ".." when empty).
    std::string Text() const;
    void SetzeText(const std::string& text);
    // The day number shown, 0 when the text is no date.
    int32_t Datum() const;

    void KalenderZeigen();

    QLineEdit* Edit;
    QToolButton* KalenderBtn;
    QCalendarWidget* Kalender;  // a pop-up window, shown by KalenderBtn

signals:
    void Geaendert();

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;
};
