#include "app/tneudlg.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

using namespace talerwerk;

TNeuDlg::TNeuDlg(QWidget* eltern) : QDialog(eltern) {
    setObjectName(QStringLiteral("NeuDlg"));
    setWindowTitle(QStringLiteral("Neuer Mandant"));
    DateiWaehlen = [this] { return DateiDialog(); };
    Aufbauen();
    KeineRBtn->setChecked(true);
    ArtGewaehlt();
}

void TNeuDlg::Aufbauen() {
    Uebernahme = new QGroupBox(QStringLiteral("Übernahme"), this);
    Uebernahme->setObjectName(QStringLiteral("Uebernahme"));
    auto knopf = [this](const char* name, const QString& text) {
        auto* k = new QRadioButton(text, Uebernahme);
        k->setObjectName(QString::fromLatin1(name));
        connect(k, &QRadioButton::toggled, this, [this](bool an) {
            if (an) ArtGewaehlt();
        });
        return k;
    };
    KeineRBtn = knopf("KeineRBtn", QStringLiteral("&Keine Übernahme"));
    AlleRBtn = knopf("AlleRBtn", QStringLiteral("&Alle Stammdaten"));
    AuswahlRBtn = knopf("AuswahlRBtn", QStringLiteral("Aus&wahl"));
    auto kaestchen = [this](const char* name, const QString& text) {
        auto* k = new QCheckBox(text, Uebernahme);
        k->setObjectName(QString::fromLatin1(name));
        return k;
    };
    StammCBOx = kaestchen("StammCBOx", QStringLiteral("&Mandantendaten"));
    RubrikCBox = kaestchen("RubrikCBox", QStringLiteral("&Rubriken"));
    KontoCBox = kaestchen("KontoCBox", QStringLiteral("&Konten"));
    BetragCBox = kaestchen("BetragCBox", QStringLiteral("Anfangs&stände der Konten"));
    TbsCBox = kaestchen("TbsCBox", QStringLiteral("&Textbausteine"));
    RgmBCBox = kaestchen("RgmBCBox", QStringLiteral("Regelm. &Buchungen"));
    VorlageCBox = kaestchen("VorlageCBox", QStringLiteral("&Vorlagen"));
    FilterCBox = kaestchen("FilterCBox", QStringLiteral("&Filter"));
    // Only what the user clicks counts: the rules set these boxes themselves as well.
    connect(RubrikCBox, &QCheckBox::clicked, this, [this] { RubrikKontoGeklickt(); });
    connect(KontoCBox, &QCheckBox::clicked, this, [this] { RubrikKontoGeklickt(); });

    // The choice on the left, the sections on the right; the opening balances belong to the accounts.
    auto* raster = new QGridLayout(Uebernahme);
    raster->addWidget(KeineRBtn, 0, 0);
    raster->addWidget(AlleRBtn, 1, 0);
    raster->addWidget(AuswahlRBtn, 2, 0);
    raster->setColumnMinimumWidth(1, 16);
    raster->addWidget(StammCBOx, 0, 2);
    raster->addWidget(RubrikCBox, 1, 2);
    raster->addWidget(KontoCBox, 2, 2);
    auto* betrag = new QHBoxLayout;
    betrag->addSpacing(20);
    betrag->addWidget(BetragCBox);
    raster->addLayout(betrag, 3, 2);
    raster->addWidget(TbsCBox, 0, 3);
    raster->addWidget(RgmBCBox, 1, 3);
    raster->addWidget(VorlageCBox, 2, 3);
    raster->addWidget(FilterCBox, 3, 3);
    raster->setColumnStretch(3, 1);

    Ursprung = new QGroupBox(QStringLiteral("Ursprung"), this);
    Ursprung->setObjectName(QStringLiteral("Ursprung"));
    DateiNameEdit = new QLineEdit(Ursprung);
    DateiNameEdit->setObjectName(QStringLiteral("DateiNameEdit"));
    DateiNameLabel = new QLabel(QStringLiteral("Datei&name"), Ursprung);
    DateiNameLabel->setBuddy(DateiNameEdit);
    DateiNameBtn = new QToolButton(Ursprung);
    DateiNameBtn->setObjectName(QStringLiteral("DateiNameBtn"));
    DateiNameBtn->setText(QStringLiteral("…"));
    DateiNameBtn->setToolTip(QStringLiteral("Datei zur Übernahme wählen"));
    auto* ursprung = new QHBoxLayout(Ursprung);
    ursprung->addWidget(DateiNameLabel);
    ursprung->addWidget(DateiNameEdit, 1);
    ursprung->addWidget(DateiNameBtn);
    connect(DateiNameEdit, &QLineEdit::textChanged, this, [this] { OkFreigeben(); });
    connect(DateiNameBtn, &QToolButton::clicked, this, [this] { Durchsuchen(); });

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Abbrechen"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setAutoDefault(false);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(OKBtn);
    knoepfe->addWidget(CancelBtn);
    auto* aussen = new QVBoxLayout(this);
    aussen->addWidget(Uebernahme);
    aussen->addWidget(Ursprung);
    aussen->addStretch();
    aussen->addLayout(knoepfe);
    setMinimumWidth(480);
}

std::array<QCheckBox*, 8> TNeuDlg::Kaestchen() const {
    return {StammCBOx, RubrikCBox, KontoCBox, BetragCBox, TbsCBox, RgmBCBox, VorlageCBox, FilterCBox};
}

bool TNeuDlg::Ausfuehren() {
    // The dialog keeps its choice between uses; the focus starts on the chosen kind.
    (KeineRBtn->isChecked() ? KeineRBtn : AlleRBtn->isChecked() ? AlleRBtn : AuswahlRBtn)->setFocus();
    return exec() == QDialog::Accepted;
}

UebernahmeArt TNeuDlg::Art() const {
    if (AlleRBtn->isChecked()) return UebernahmeArt::Alle;
    if (AuswahlRBtn->isChecked()) return UebernahmeArt::Auswahl;
    return UebernahmeArt::Keine;
}

UebernahmeAuswahl TNeuDlg::Auswahl() const {
    UebernahmeAuswahl a;
    a.Mandantendaten = StammCBOx->isChecked();
    a.Rubriken = RubrikCBox->isChecked();
    a.Konten = KontoCBox->isChecked();
    a.Anfangsstaende = BetragCBox->isChecked();
    a.Textbausteine = TbsCBox->isChecked();
    a.RgmBuchungen = RgmBCBox->isChecked();
    a.Vorlagen = VorlageCBox->isChecked();
    a.Filter = FilterCBox->isChecked();
    return a;
}

std::string TNeuDlg::Dateiname() const { return DateiNameEdit->text().toStdString(); }

void TNeuDlg::ArtGewaehlt() {
    const UebernahmeArt art = Art();
    // Nothing taken over: no section and no source. Everything: all sections, fixed. A choice:
    // all sections to start with, each one free.
    for (QCheckBox* k : Kaestchen()) {
        k->setChecked(art != UebernahmeArt::Keine);
        k->setEnabled(art == UebernahmeArt::Auswahl);
    }
    Ursprung->setEnabled(art != UebernahmeArt::Keine);
    OkFreigeben();
}

void TNeuDlg::RubrikKontoGeklickt() {
    const bool auswahl = Art() == UebernahmeArt::Auswahl;
    // Recurring bookings, templates and filters name categories and accounts: only with both.
    const bool beide = auswahl && RubrikCBox->isChecked() && KontoCBox->isChecked();
    for (QCheckBox* k : {VorlageCBox, RgmBCBox, FilterCBox}) {
        k->setEnabled(beide);
        if (!beide) k->setChecked(false);
    }
    // Opening balances only with the accounts they belong to.
    const bool konten = auswahl && KontoCBox->isChecked();
    BetragCBox->setEnabled(konten);
    if (!konten) BetragCBox->setChecked(false);
}

void TNeuDlg::OkFreigeben() {
    OKBtn->setEnabled(Art() == UebernahmeArt::Keine || !DateiNameEdit->text().isEmpty());
}

void TNeuDlg::Durchsuchen() {
    const QString name = DateiWaehlen ? DateiWaehlen() : QString();
    if (!name.isEmpty()) DateiNameEdit->setText(QDir::toNativeSeparators(name));
    DateiNameEdit->setFocus();
}

QString TNeuDlg::DateiDialog() {
    QFileDialog dlg(this, QStringLiteral("Datei zur Übernahme wählen"));
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setNameFilter(QStringLiteral("Talerwerk (*.tlw)"));
    const QFileInfo bisher(DateiNameEdit->text());
    dlg.setDirectory(!DateiNameEdit->text().isEmpty() && bisher.absoluteDir().exists() ? bisher.absolutePath()
                                                                                       : QDir::currentPath());
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    return dlg.selectedFiles().first();
}
