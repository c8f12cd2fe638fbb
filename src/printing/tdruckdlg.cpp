#include "printing/tdruckdlg.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "printing/qtseitengeraet.h"

using namespace talerwerk;

namespace {

// A sheet with a few text lines, upright or on its side.
QPixmap Blatt(bool quer) {
    const QSize groesse = quer ? QSize(48, 34) : QSize(34, 48);
    QPixmap bild(50, 50);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    const QRect blatt(QPoint((50 - groesse.width()) / 2, (50 - groesse.height()) / 2), groesse);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(blatt.adjusted(0, 0, -1, -1));
    p.setPen(Qt::gray);
    for (int y = blatt.top() + 6; y < blatt.bottom() - 4; y += 5) p.drawLine(blatt.left() + 5, y, blatt.right() - 5, y);
    return bild;
}

QSpinBox* Zahl(QWidget* eltern, const char* name) {
    auto* feld = new QSpinBox(eltern);
    feld->setObjectName(QString::fromLatin1(name));
    feld->setRange(0, 100);
    return feld;
}

}  // namespace

TDruckDlg::TDruckDlg(QWidget* eltern) : QDialog(eltern) {
    setObjectName(QStringLiteral("DruckDlg"));
    setWindowTitle(QStringLiteral("Seite einrichten"));

    AusrichtungBox = new QGroupBox(QStringLiteral("Ausrichtung"), this);
    HochRBtn = new QRadioButton(QStringLiteral("&Hochformat"), AusrichtungBox);
    QuerRBtn = new QRadioButton(QStringLiteral("&Querformat"), AusrichtungBox);
    HochBild = new QLabel(AusrichtungBox);
    HochBild->setPixmap(Blatt(false));
    QuerBild = new QLabel(AusrichtungBox);
    QuerBild->setPixmap(Blatt(true));
    auto* ausrichtung = new QHBoxLayout(AusrichtungBox);
    auto* knoepfe = new QVBoxLayout;
    knoepfe->addWidget(HochRBtn);
    knoepfe->addWidget(QuerRBtn);
    ausrichtung->addLayout(knoepfe);
    ausrichtung->addWidget(HochBild);
    ausrichtung->addWidget(QuerBild);
    connect(HochRBtn, &QRadioButton::toggled, this, [this] { BildZeigen(); });

    MandantChBox = new QCheckBox(QStringLiteral("&Mandantendaten"), this);
    MandantChBox->setChecked(true);
    MandantChBox->setEnabled(false);
    SeiteChBox = new QCheckBox(QStringLiteral("Seiten&zahl"), this);
    DatumChBox = new QCheckBox(QStringLiteral("Dat&um"), this);
    LinienChBox = new QCheckBox(QStringLiteral("&Trennlinien"), this);
    FarbeChBox = new QCheckBox(QStringLiteral("&Farbiger Betragsdruck"), this);
    RahmenChBox = new QCheckBox(QStringLiteral("Ta&bellenrahmen"), this);
    NullwerteChBox = new QCheckBox(QStringLiteral("&Nullwerte ausblenden"), this);
    auto* optionen = new QVBoxLayout;
    for (QCheckBox* box : {MandantChBox, SeiteChBox, DatumChBox, LinienChBox, FarbeChBox, RahmenChBox, NullwerteChBox})
        optionen->addWidget(box);

    RandBox = new QGroupBox(QStringLiteral("Ränder"), this);
    LinksEdit = Zahl(RandBox, "LinksEdit");
    RechtsEdit = Zahl(RandBox, "RechtsEdit");
    ObenEdit = Zahl(RandBox, "ObenEdit");
    UntenEdit = Zahl(RandBox, "UntenEdit");
    auto* raender = new QGridLayout(RandBox);
    const std::pair<const char*, QSpinBox*> felder[] = {
        {"&links", LinksEdit}, {"&rechts", RechtsEdit}, {"&oben", ObenEdit}, {"&unten", UntenEdit}};
    int zeile = 0;
    for (const auto& [text, feld] : felder) {
        auto* beschriftung = new QLabel(QString::fromUtf8(text), RandBox);
        beschriftung->setBuddy(feld);
        feld->setSuffix(QStringLiteral(" mm"));
        raender->addWidget(beschriftung, zeile, 0);
        raender->addWidget(feld, zeile, 1);
        ++zeile;
    }

    auto* exemplarText = new QLabel(QStringLiteral("&Exemplare"), this);
    ExemplarEdit = Zahl(this, "ExemplarEdit");
    exemplarText->setBuddy(ExemplarEdit);

    SchriftLabel = new QLabel(this);
    SchriftLabel->setObjectName(QStringLiteral("SchriftLabel"));
    SchriftBrn = new QPushButton(QStringLiteral("&Schrift..."), this);
    FarbeBtn = new QPushButton(QStringLiteral("Schrift&farbe..."), this);
    DruckerBtn = new QPushButton(QStringLiteral("&Drucker..."), this);
    OkBtn = new QPushButton(QStringLiteral("OK"), this);
    OkBtn->setDefault(true);
    BitBtn1 = new QPushButton(QStringLiteral("Abbrechen"), this);
    for (QPushButton* k : {SchriftBrn, FarbeBtn, DruckerBtn, BitBtn1}) k->setAutoDefault(false);

    connect(SchriftBrn, &QPushButton::clicked, this, [this] {
        QFont jetzt(QString::fromStdString(schriftart_), groesse_);
        jetzt.setBold(stil_[0]);
        jetzt.setItalic(stil_[1]);
        jetzt.setUnderline(stil_[2]);
        jetzt.setStrikeOut(stil_[3]);
        if (const std::optional<QFont> neu = SchriftWaehlen(jetzt)) {
            schriftart_ = neu->family().toStdString();
            groesse_ = std::max(1, neu->pointSize());
            stil_ = {neu->bold(), neu->italic(), neu->underline(), neu->strikeOut()};
            SchriftZeigen();
        }
    });
    connect(FarbeBtn, &QPushButton::clicked, this, [this] {
        if (const std::optional<QColor> neu = FarbeWaehlen(QtSeitengeraet::Farbe(farbe_))) {
            farbe_ = neu->red() | (neu->green() << 8) | (neu->blue() << 16);
            SchriftZeigen();
        }
    });
    connect(DruckerBtn, &QPushButton::clicked, this, [this] {
        if (QPrinter* drucker = Drucker ? Drucker() : nullptr) {
            QPageSetupDialog dlg(drucker, this);
            dlg.exec();
        }
    });
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);

    auto* links = new QVBoxLayout;
    links->addWidget(AusrichtungBox);
    links->addLayout(optionen);
    auto* rechts = new QVBoxLayout;
    rechts->addWidget(RandBox);
    auto* exemplare = new QHBoxLayout;
    exemplare->addWidget(exemplarText);
    exemplare->addWidget(ExemplarEdit);
    rechts->addLayout(exemplare);
    rechts->addWidget(SchriftLabel);
    rechts->addWidget(SchriftBrn);
    rechts->addWidget(FarbeBtn);
    rechts->addWidget(DruckerBtn);
    rechts->addStretch(1);
    auto* oben = new QHBoxLayout;
    oben->addLayout(links);
    oben->addLayout(rechts);
    auto* unten = new QHBoxLayout;
    unten->addStretch(1);
    unten->addWidget(OkBtn);
    unten->addWidget(BitBtn1);
    auto* ganz = new QVBoxLayout(this);
    ganz->addLayout(oben);
    ganz->addLayout(unten);
}

void TDruckDlg::Laden(const druckereinstellungtyp& s) {
    (s.Ausrichtung == 1 ? QuerRBtn : HochRBtn)->setChecked(true);
    BildZeigen();
    MandantChBox->setChecked(true);
    SeiteChBox->setChecked(s.Seitenzahl);
    DatumChBox->setChecked(s.DatumDruck);
    LinienChBox->setChecked(s.Trennlinien);
    FarbeChBox->setChecked(s.FarbigerBetrag);
    RahmenChBox->setChecked(s.Tabellenrahmen);
    NullwerteChBox->setChecked(s.NullwerteAusblenden);
    LinksEdit->setValue(s.RandLinks);
    RechtsEdit->setValue(s.RandRechts);
    ObenEdit->setValue(s.RandOben);
    UntenEdit->setValue(s.RandUnten);
    ExemplarEdit->setValue(s.Exemplare);
    schriftart_ = s.Schriftart;
    groesse_ = s.Schriftgroesse;
    farbe_ = s.Schriftfarbe;
    stil_ = s.Schriftstil;
    SchriftZeigen();
}

void TDruckDlg::Uebernehmen(druckereinstellungtyp& s) const {
    s.Ausrichtung = QuerRBtn->isChecked() ? 1 : 0;
    s.Mandantendaten = true;
    s.Seitenzahl = SeiteChBox->isChecked();
    s.DatumDruck = DatumChBox->isChecked();
    s.Trennlinien = LinienChBox->isChecked();
    s.FarbigerBetrag = FarbeChBox->isChecked();
    s.Tabellenrahmen = RahmenChBox->isChecked();
    s.NullwerteAusblenden = NullwerteChBox->isChecked();
    s.RandLinks = LinksEdit->value();
    s.RandRechts = RechtsEdit->value();
    s.RandOben = ObenEdit->value();
    s.RandUnten = UntenEdit->value();
    s.Exemplare = ExemplarEdit->value();
    s.Schriftart = schriftart_;
    s.Schriftgroesse = groesse_;
    s.Schriftfarbe = farbe_;
    s.Schriftstil = stil_;
}

bool TDruckDlg::SeiteEinrichten(druckereinstellungtyp& seite) {
    Laden(seite);
    if (exec() != QDialog::Accepted) return false;
    Uebernehmen(seite);
    return true;
}

void TDruckDlg::BildZeigen() {
    HochBild->setVisible(!QuerRBtn->isChecked());
    QuerBild->setVisible(QuerRBtn->isChecked());
}

void TDruckDlg::SchriftZeigen() {
    QFont muster(QString::fromStdString(schriftart_), std::max(1, std::min(groesse_, 16)));
    muster.setBold(stil_[0]);
    muster.setItalic(stil_[1]);
    muster.setUnderline(stil_[2]);
    muster.setStrikeOut(stil_[3]);
    SchriftLabel->setFont(muster);
    QPalette farben = SchriftLabel->palette();
    farben.setColor(QPalette::WindowText, QtSeitengeraet::Farbe(farbe_));
    SchriftLabel->setPalette(farben);
    SchriftLabel->setText(QStringLiteral("%1, %2 pt").arg(QString::fromStdString(schriftart_)).arg(groesse_));
}

std::optional<QFont> TDruckDlg::SchriftWaehlen(const QFont& schrift) {
    bool ok = false;
    const QFont neu = QFontDialog::getFont(&ok, schrift, this, QStringLiteral("Schrift"));
    if (!ok) return std::nullopt;
    return neu;
}

std::optional<QColor> TDruckDlg::FarbeWaehlen(const QColor& farbe) {
    const QColor neu = QColorDialog::getColor(farbe, this, QStringLiteral("Schriftfarbe"));
    if (!neu.isValid()) return std::nullopt;
    return neu;
}
