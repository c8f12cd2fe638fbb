#include "app/teinstellungdlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "store/sicherungskopien.h"

namespace {

QColor AusBgr(int32_t farbe) {
    const auto v = static_cast<uint32_t>(farbe);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF));
}

const QSize MusterGroesse(64, 14);

QIcon Farbmuster(int32_t farbe) {
    QPixmap bild(MusterGroesse);
    bild.fill(AusBgr(farbe));
    QPainter maler(&bild);
    maler.setPen(Qt::black);
    maler.drawRect(0, 0, bild.width() - 1, bild.height() - 1);
    return QIcon(bild);
}

QCheckBox* Kasten(QWidget* eltern, QVBoxLayout* layout, const char* name, const QString& text) {
    auto* k = new QCheckBox(text, eltern);
    k->setObjectName(QString::fromLatin1(name));
    layout->addWidget(k);
    return k;
}

QComboBox* FarbBox(QWidget* eltern, const char* name) {
    auto* box = new QComboBox(eltern);
    box->setObjectName(QString::fromLatin1(name));
    box->setIconSize(MusterGroesse);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return box;
}

}  // namespace

// Black, maroon, green, olive, navy, purple, teal, grey, silver, red, lime, yellow, blue,
// fuchsia, aqua, white.
const int32_t TEinstellungDlg::StandardFarben[16] = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
    0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};

TEinstellungDlg::TEinstellungDlg(QWidget* eltern) : QDialog(eltern) {
    setObjectName(QStringLiteral("EinstellungDlg"));
    setWindowTitle(QStringLiteral("Programmeinstellungen"));

    Seiten = new QTabWidget(this);
    Seiten->setObjectName(QStringLiteral("Seiten"));

    auto* allgemein = new QWidget(Seiten);
    auto* spalte = new QVBoxLayout(allgemein);
    TextersetzenChBox = Kasten(allgemein, spalte, "TextersetzenChBox", QStringLiteral("&Text durch Textbaustein ersetzen"));
    DatumbeibehaltenChBox = Kasten(allgemein, spalte, "DatumbeibehaltenChBox", QStringLiteral("&Datum beibehalten"));
    NullBuchungChBox = Kasten(allgemein, spalte, "NullBuchungChBox", QStringLiteral("&Buchung mit 0.00 zulassen"));
    BuchgBestaetigungChBox = Kasten(allgemein, spalte, "BuchgBestaetigungChBox", QStringLiteral("B&uchungen bestätigen"));
    WarnChBox = Kasten(allgemein, spalte, "WarnChBox", QStringLiteral("&Löschen bestätigen"));
    rgmBChBox = Kasten(allgemein, spalte, "rgmBChBox", QStringLiteral("&Fällige rgm. Buchungen beim Öffnen anzeigen"));
    // The report switch belongs to the due check above it; indented to show that.
    auto* eingerueckt = new QVBoxLayout;
    auto* einzug = new QHBoxLayout;
    einzug->addSpacing(20);
    einzug->addLayout(eingerueckt);
    spalte->addLayout(einzug);
    keineRgmBChBox = Kasten(allgemein, eingerueckt, "keineRgmBChBox", QStringLiteral("&Meldung, wenn nicht vorhanden"));
    ueberschreibChBox = Kasten(allgemein, spalte, "ueberschreibChBox", QStringLiteral("Über&schreiben von Buchungen bestätigen"));
    EditModusChBox = Kasten(allgemein, spalte, "EditModusChBox", QStringLiteral("Bu&chungsbearbeitung standardmäßig sperren "));
    spalte->addStretch(1);
    Seiten->addTab(allgemein, QStringLiteral("Allgemein"));

    auto* farben = new QWidget(Seiten);
    auto* formular = new QFormLayout(farben);
    formular->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    PositivFarbBox = FarbBox(farben, "PositivFarbBox");
    NegativFarbBox = FarbBox(farben, "NegativFarbBox");
    auto* positivLabel = new QLabel(QStringLiteral("&Positive Zahlenwerte"), farben);
    positivLabel->setBuddy(PositivFarbBox);
    auto* negativLabel = new QLabel(QStringLiteral("&Negative Zahlenwerte"), farben);
    negativLabel->setBuddy(NegativFarbBox);
    formular->addRow(positivLabel, PositivFarbBox);
    formular->addRow(negativLabel, NegativFarbBox);
    Seiten->addTab(farben, QStringLiteral("Farben"));

    auto* sicherung = new QWidget(Seiten);
    auto* sicherungSpalte = new QVBoxLayout(sicherung);
    SicherungChBox = Kasten(sicherung, sicherungSpalte, "SicherungChBox",
                            QStringLiteral("&Sicherungskopie beim Speichern anlegen"));
    auto* anzahlZeile = new QFormLayout;
    anzahlZeile->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    SicherungAnzahlEdit = new QSpinBox(sicherung);
    SicherungAnzahlEdit->setObjectName(QStringLiteral("SicherungAnzahlEdit"));
    SicherungAnzahlEdit->setRange(1, 99);
    auto* anzahlLabel = new QLabel(QStringLiteral("&Aufbewahrte Kopien je Datei"), sicherung);
    anzahlLabel->setBuddy(SicherungAnzahlEdit);
    anzahlZeile->addRow(anzahlLabel, SicherungAnzahlEdit);
    sicherungSpalte->addLayout(anzahlZeile);
    auto* hinweis = new QLabel(QStringLiteral("Die Kopien liegen im Ordner \"%1\" neben der Datendatei.")
                                   .arg(QString::fromUtf8(talerwerk::SicherungsOrdnerName)),
                               sicherung);
    hinweis->setWordWrap(true);
    sicherungSpalte->addWidget(hinweis);
    sicherungSpalte->addStretch(1);
    Seiten->addTab(sicherung, QStringLiteral("Sicherung"));

    OkBtn = new QPushButton(QStringLiteral("OK"), this);
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    OkBtn->setDefault(true);
    AbbruchBtn = new QPushButton(QStringLiteral("Abbrechen"), this);
    AbbruchBtn->setObjectName(QStringLiteral("AbbruchBtn"));

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch(1);
    knoepfe->addWidget(OkBtn);
    knoepfe->addWidget(AbbruchBtn);
    auto* haupt = new QVBoxLayout(this);
    haupt->addWidget(Seiten);
    haupt->addLayout(knoepfe);

    connect(rgmBChBox, &QCheckBox::toggled, this, [this] { rgmBChBoxClick(); });
    connect(SicherungChBox, &QCheckBox::toggled, SicherungAnzahlEdit, &QWidget::setEnabled);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(AbbruchBtn, &QPushButton::clicked, this, &QDialog::reject);

    Fuellen(talerwerk::Einstellungen{});
}

void TEinstellungDlg::rgmBChBoxClick() {
    // Disabling keeps the check state: it is still saved and comes back when the due check is on.
    keineRgmBChBox->setEnabled(rgmBChBox->isChecked());
}

void TEinstellungDlg::FarbBoxSetzen(QComboBox* box, int32_t farbe) {
    box->clear();
    for (int32_t f : StandardFarben) box->addItem(Farbmuster(f), QString(), QVariant(f));
    int index = box->findData(QVariant(farbe));
    if (index < 0) {
        box->addItem(Farbmuster(farbe), QString(), QVariant(farbe));
        index = box->count() - 1;
    }
    box->setCurrentIndex(index);
}

int32_t TEinstellungDlg::FarbBoxWert(const QComboBox* box) { return box->currentData().toInt(); }

void TEinstellungDlg::Fuellen(const talerwerk::Einstellungen& e) {
    TextersetzenChBox->setChecked(e.Textbaustein);
    DatumbeibehaltenChBox->setChecked(e.Buchungsdatum);
    NullBuchungChBox->setChecked(e.Nullbuchung);
    BuchgBestaetigungChBox->setChecked(e.Buchung);
    WarnChBox->setChecked(e.Warnung);
    rgmBChBox->setChecked(e.rgmBuchung1);
    keineRgmBChBox->setChecked(e.rgmBuchung2);
    ueberschreibChBox->setChecked(e.Ueberschreiben);
    EditModusChBox->setChecked(e.BuchungEdit);
    FarbBoxSetzen(PositivFarbBox, e.Positiv);
    FarbBoxSetzen(NegativFarbBox, e.Negativ);
    SicherungChBox->setChecked(e.SicherungAktiv);
    SicherungAnzahlEdit->setValue(e.SicherungAnzahl);
    SicherungAnzahlEdit->setEnabled(e.SicherungAktiv);
    rgmBChBoxClick();  // toggled() does not fire when the state stays the same
    Seiten->setCurrentIndex(0);
}

void TEinstellungDlg::Uebernehmen(talerwerk::Einstellungen& e) const {
    e.Textbaustein = TextersetzenChBox->isChecked();
    e.Buchungsdatum = DatumbeibehaltenChBox->isChecked();
    e.Nullbuchung = NullBuchungChBox->isChecked();
    e.Buchung = BuchgBestaetigungChBox->isChecked();
    e.Warnung = WarnChBox->isChecked();
    e.rgmBuchung1 = rgmBChBox->isChecked();
    e.rgmBuchung2 = keineRgmBChBox->isChecked();
    e.Ueberschreiben = ueberschreibChBox->isChecked();
    e.BuchungEdit = EditModusChBox->isChecked();
    e.Positiv = FarbBoxWert(PositivFarbBox);
    e.Negativ = FarbBoxWert(NegativFarbBox);
    e.SicherungAktiv = SicherungChBox->isChecked();
    e.SicherungAnzahl = SicherungAnzahlEdit->value();
}

bool TEinstellungDlg::Bearbeiten(talerwerk::Einstellungen& e) {
    Fuellen(e);
    if (exec() != QDialog::Accepted) return false;
    Uebernehmen(e);
    return true;
}
