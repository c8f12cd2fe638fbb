#include "bookings/tfilterdatdlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QValidator>
#include <QVBoxLayout>

#include <string>

#include "bookings/qtbetragsfeld.h"
#include "bookings/qtdatumsfeld.h"
#include "bookings/qteingabegrenze.h"
#include "store/betrag.h"
#include "store/datum.h"

using namespace talerwerk;

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

QLineEdit* Feld(QWidget* eltern, const char* name, std::size_t laenge, Meldungen& m, bool ziffern = false) {
    auto* e = new QLineEdit(eltern);
    e->setObjectName(QString::fromLatin1(name));
    EingabeBegrenzen(e, laenge, &m, ziffern);
    return e;
}

QLabel* Beschriftung(QWidget* eltern, const QString& text, QWidget* partner) {
    auto* l = new QLabel(text, eltern);
    if (partner) l->setBuddy(partner);
    return l;
}

// A radio group in a frame; the buttons get the ids 0, 1, … in order.
QGroupBox* Radiogruppe(QWidget* eltern, const char* name, const QString& titel, const QStringList& texte,
                       int spalten, QButtonGroup*& gruppe) {
    auto* box = new QGroupBox(titel, eltern);
    box->setObjectName(QString::fromLatin1(name));
    gruppe = new QButtonGroup(box);
    auto* raster = new QGridLayout(box);
    const int zeilen = (static_cast<int>(texte.size()) + spalten - 1) / spalten;
    for (int i = 0; i < texte.size(); ++i) {
        auto* knopf = new QRadioButton(texte[i], box);
        gruppe->addButton(knopf, i);
        raster->addWidget(knopf, i % zeilen, i / zeilen);
    }
    return box;
}

QListWidget* Hakenliste(QWidget* eltern, const char* name) {
    auto* l = new QListWidget(eltern);
    l->setObjectName(QString::fromLatin1(name));
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    l->setMinimumHeight(110);
    return l;
}

// Number fields: digits up to the largest int32, as the core admits them.
class NummerValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& text, int&) const override {
        return NummerFeldZulaessig(text.toStdString()) ? Acceptable : Invalid;
    }
};

// The date fields take "dd.mm.yy"; the core's texts may carry four-digit years.
std::string KurzDatum(const std::string& text) {
    const auto tag = DatumLesen(text);
    return tag && *tag > 0 ? DatumKurzText(*tag) : std::string();
}

void ListeFuellen(QListWidget* liste, const std::vector<Hakeneintrag>& eintraege) {
    liste->clear();
    for (const Hakeneintrag& h : eintraege) {
        auto* item = new QListWidgetItem(Q(h.Eintrag.Schluessel), liste);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(h.Haken ? Qt::Checked : Qt::Unchecked);
    }
}

void HakenSetzen(QListWidget* liste, const std::vector<Hakeneintrag>& eintraege) {
    for (size_t i = 0; i < eintraege.size() && static_cast<int>(i) < liste->count(); ++i)
        liste->item(static_cast<int>(i))->setCheckState(eintraege[i].Haken ? Qt::Checked : Qt::Unchecked);
}

}  // namespace

TFilterDatDlg::TFilterDatDlg(Datenbestand& d, Meldungen& meldungen, const Uhr& uhr, QWidget* eltern)
    : QDialog(eltern), d_(d), meldungen_(meldungen), uhr_(uhr) {
    setObjectName(QStringLiteral("FilterDatDlg"));
    setWindowTitle(QStringLiteral("Filterdaten bearbeiten"));

    // Created in the order of the Tab key.
    NameEdit = Feld(this, "NameEdit", FilterNameLaenge, meldungen_);
    auto* nameLabel = Beschriftung(this, QStringLiteral("&Filtername"), NameEdit);

    ZeitGroupBox = Radiogruppe(this, "ZeitGroupBox", QStringLiteral("Zeitraum"),
                               {QStringLiteral("&Gesamter Zeitraum"), QStringLiteral("Akt. &Jahr"),
                                QStringLiteral("Akt. &Monat"), QStringLiteral("Jahr w&ählen"),
                                QStringLiteral("Monat &wählen"), QStringLiteral("freier &Zeitraum")},
                               2, ZeitGruppe);
    aktWahlLabel = new QLabel(this);
    aktWahlLabel->setObjectName(QStringLiteral("aktWahlLabel"));
    JahrCBox = new QComboBox(this);
    JahrCBox->setObjectName(QStringLiteral("JahrCBox"));
    JahrLabel = Beschriftung(this, QStringLiteral("J&ahr"), JahrCBox);
    MonatCBox = new QComboBox(this);
    MonatCBox->setObjectName(QStringLiteral("MonatCBox"));
    MonatLabel = Beschriftung(this, QStringLiteral("Mona&t"), MonatCBox);
    DatumVonEdit = new QtDatumsfeld(this);
    DatumVonEdit->setObjectName(QStringLiteral("DatumVonEdit"));
    DatumVonLabel = Beschriftung(this, QStringLiteral("&von"), DatumVonEdit);
    DatumBisEdit = new QtDatumsfeld(this);
    DatumBisEdit->setObjectName(QStringLiteral("DatumBisEdit"));
    DatumBisLabel = Beschriftung(this, QStringLiteral("&bis"), DatumBisEdit);

    BTextEdit = Feld(this, "BTextEdit", FilterMusterLaenge, meldungen_);
    BemEdit = Feld(this, "BemEdit", FilterMusterLaenge, meldungen_);
    // Booking numbers run through the whole int32 range: ten digits.
    IdentnrvonEdit = Feld(this, "IdentnrvonEdit", 10, meldungen_, true);
    IdentnrbisEdit = Feld(this, "IdentnrbisEdit", 10, meldungen_, true);
    IdentnrvonEdit->setValidator(new NummerValidator(IdentnrvonEdit));
    IdentnrbisEdit->setValidator(new NummerValidator(IdentnrbisEdit));
    BelegnrvonEdit = Feld(this, "BelegnrvonEdit", FilterBelegLaenge, meldungen_);
    BelegNrbisEdit = Feld(this, "BelegNrbisEdit", FilterBelegLaenge, meldungen_);
    BetragvonEdit = new QtBetragsfeld(&meldungen_, this);
    BetragvonEdit->setObjectName(QStringLiteral("BetragvonEdit"));
    BetragbisEdit = new QtBetragsfeld(&meldungen_, this);
    BetragbisEdit->setObjectName(QStringLiteral("BetragbisEdit"));
    StorniertChBox = new QCheckBox(QStringLiteral("s&torniert"), this);
    StorniertChBox->setObjectName(QStringLiteral("StorniertChBox"));
    StorniertChBox->setTristate(true);

    KontoGroupBox = Radiogruppe(this, "KontoGroupBox", QStringLiteral("&Konten"),
                                {QStringLiteral("Alle Konten"), QStringLiteral("Bestandskonten"),
                                 QStringLiteral("Sparkonten"), QStringLiteral("freie Auswahl")},
                                2, KontoGruppe);
    KOntoListBox = Hakenliste(this, "KOntoListBox");
    auto* kontoListLabel = Beschriftung(this, QStringLiteral("Konten&liste"), KOntoListBox);
    RubrikGroupBox = Radiogruppe(this, "RubrikGroupBox", QStringLiteral("&Rubriken"),
                                 {QStringLiteral("Alle"), QStringLiteral("Einnahmen"), QStringLiteral("Ausgaben"),
                                  QStringLiteral("freie Auswahl")},
                                 2, RubrikGruppe);
    UmbChBox = new QCheckBox(QStringLiteral("Umbu&chungen"), RubrikGroupBox);
    UmbChBox->setObjectName(QStringLiteral("UmbChBox"));
    static_cast<QGridLayout*>(RubrikGroupBox->layout())->addWidget(UmbChBox, 2, 0, 1, 2);
    RubrikListBox = Hakenliste(this, "RubrikListBox");
    auto* rubrikListLabel = Beschriftung(this, QStringLiteral("Rubriken&liste"), RubrikListBox);

    OkBtn = new QPushButton(QStringLiteral("OK"), this);
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    OkBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Abbruch"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setAutoDefault(false);

    // ---- layout ----
    auto* links = new QVBoxLayout;
    auto* name = new QHBoxLayout;
    name->addWidget(nameLabel);
    name->addWidget(NameEdit, 1);
    links->addLayout(name);
    links->addWidget(ZeitGroupBox);
    auto* wahl = new QHBoxLayout;  // the controls of the chosen period share one line
    wahl->addWidget(aktWahlLabel);
    wahl->addWidget(JahrLabel);
    wahl->addWidget(JahrCBox);
    wahl->addWidget(MonatLabel);
    wahl->addWidget(MonatCBox);
    wahl->addWidget(DatumVonLabel);
    wahl->addWidget(DatumVonEdit);
    wahl->addWidget(DatumBisLabel);
    wahl->addWidget(DatumBisEdit);
    wahl->addStretch();
    links->addLayout(wahl);

    auto* raster = new QGridLayout;
    raster->addWidget(Beschriftung(this, QStringLiteral("Buchungste&xt"), BTextEdit), 0, 0);
    raster->addWidget(BTextEdit, 0, 1, 1, 4);
    raster->addWidget(Beschriftung(this, QStringLiteral("B&emerkung"), BemEdit), 1, 0);
    raster->addWidget(BemEdit, 1, 1, 1, 4);
    raster->addWidget(new QLabel(QStringLiteral("Buchungsnr.:"), this), 2, 0);
    raster->addWidget(Beschriftung(this, QStringLiteral("v&on"), IdentnrvonEdit), 2, 1);
    raster->addWidget(IdentnrvonEdit, 2, 2);
    raster->addWidget(Beschriftung(this, QStringLiteral("b&is"), IdentnrbisEdit), 2, 3);
    raster->addWidget(IdentnrbisEdit, 2, 4);
    raster->addWidget(new QLabel(QStringLiteral("Belegnr.:"), this), 3, 0);
    raster->addWidget(Beschriftung(this, QStringLiteral("vo&n"), BelegnrvonEdit), 3, 1);
    raster->addWidget(BelegnrvonEdit, 3, 2);
    raster->addWidget(Beschriftung(this, QStringLiteral("bi&s"), BelegNrbisEdit), 3, 3);
    raster->addWidget(BelegNrbisEdit, 3, 4);
    raster->addWidget(new QLabel(QStringLiteral("Betrag"), this), 4, 0);
    raster->addWidget(Beschriftung(this, QStringLiteral("zwisc&hen"), BetragvonEdit), 4, 1);
    raster->addWidget(BetragvonEdit, 4, 2);
    raster->addWidget(Beschriftung(this, QStringLiteral("&und"), BetragbisEdit), 4, 3);
    raster->addWidget(BetragbisEdit, 4, 4);
    raster->addWidget(StorniertChBox, 5, 0, 1, 2);
    raster->setColumnStretch(2, 1);
    raster->setColumnStretch(4, 1);
    links->addLayout(raster);
    links->addStretch();

    auto* rechts = new QVBoxLayout;
    rechts->addWidget(KontoGroupBox);
    rechts->addWidget(kontoListLabel);
    rechts->addWidget(KOntoListBox, 1);
    rechts->addWidget(RubrikGroupBox);
    rechts->addWidget(rubrikListLabel);
    rechts->addWidget(RubrikListBox, 1);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    knoepfe->addWidget(OkBtn);
    knoepfe->addWidget(CancelBtn);

    auto* oben = new QHBoxLayout;
    oben->addLayout(links, 3);
    oben->addLayout(rechts, 2);
    auto* haupt = new QVBoxLayout(this);
    haupt->addLayout(oben, 1);
    haupt->addLayout(knoepfe);

    connect(OkBtn, &QPushButton::clicked, this, &TFilterDatDlg::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &TFilterDatDlg::reject);
    connect(ZeitGruppe, &QButtonGroup::idToggled, this, [this](int id, bool an) {
        if (!an || fuellt_) return;
        e_.Zeitraum = id;
        ZeitWahlZeigen();
    });
    connect(KontoGruppe, &QButtonGroup::idClicked, this, [this](int id) {
        KontoGruppeWaehlen(e_, id);
        HakenZeigen();
    });
    connect(RubrikGruppe, &QButtonGroup::idClicked, this, [this](int id) {
        RubrikGruppeWaehlen(e_, id);
        HakenZeigen();
    });
    connect(KOntoListBox, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (fuellt_) return;
        KontoHakenSetzen(e_, static_cast<size_t>(KOntoListBox->row(item)), item->checkState() == Qt::Checked);
        HakenZeigen();
    });
    connect(RubrikListBox, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (fuellt_) return;
        RubrikHakenSetzen(e_, static_cast<size_t>(RubrikListBox->row(item)), item->checkState() == Qt::Checked);
        HakenZeigen();
    });
    resize(760, 470);
}

TFilterDatDlg::~TFilterDatDlg() = default;

bool TFilterDatDlg::Bearbeiten(const QString& titel, buchungstyp& filter, bool nameFrei) {
    setWindowTitle(titel);
    Fuellen(filter, nameFrei);
    if (exec() != QDialog::Accepted) return false;
    filter = filter_;
    return true;
}

void TFilterDatDlg::Fuellen(const buchungstyp& filter, bool nameFrei) {
    fuellt_ = true;
    filter_ = filter;
    nameFrei_ = nameFrei;
    e_ = FilterZeigen(d_, filter, uhr_.Heute());
    NameEdit->setText(Q(e_.Name));
    NameEdit->setEnabled(nameFrei);

    JahrCBox->clear();
    for (const MonatsDatenTyp& j : e_.Jahre) JahrCBox->addItem(Q(j.Bezeichnung));
    JahrCBox->setCurrentIndex(e_.JahrWahl);
    MonatCBox->clear();
    for (const MonatsDatenTyp& m : e_.Monate) MonatCBox->addItem(Q(m.Bezeichnung));
    MonatCBox->setCurrentIndex(e_.MonatWahl);
    DatumVonEdit->SetzeText(KurzDatum(e_.DatumVon));
    DatumBisEdit->SetzeText(KurzDatum(e_.DatumBis));
    if (QAbstractButton* k = ZeitGruppe->button(e_.Zeitraum)) k->setChecked(true);
    ZeitWahlZeigen();

    ListeFuellen(KOntoListBox, e_.Konten);
    ListeFuellen(RubrikListBox, e_.Rubriken);
    HakenZeigen();
    UmbChBox->setChecked(e_.Umbuchungen);

    BTextEdit->setText(Q(e_.Text));
    BemEdit->setText(Q(e_.Bemerkung));
    IdentnrvonEdit->setText(Q(e_.NrVon));
    IdentnrbisEdit->setText(Q(e_.NrBis));
    BelegnrvonEdit->setText(Q(e_.BelegVon));
    BelegNrbisEdit->setText(Q(e_.BelegBis));
    BetragvonEdit->SetzeBetrag(e_.BetragVon);
    BetragbisEdit->SetzeBetrag(e_.BetragBis);
    StorniertChBox->setCheckState(e_.StornoAuswahl == StornoNur    ? Qt::Checked
                                  : e_.StornoAuswahl == StornoOhne ? Qt::Unchecked
                                                                   : Qt::PartiallyChecked);
    fuellt_ = false;
    QWidget* erstes = NameEdit->isEnabled() ? static_cast<QWidget*>(NameEdit) : ZeitGruppe->checkedButton();
    if (erstes) erstes->setFocus();
}

void TFilterDatDlg::ZeitWahlZeigen() {
    const int wahl = e_.Zeitraum;
    aktWahlLabel->setText(Q(ZeitraumText(e_, uhr_.Heute())));
    aktWahlLabel->setVisible(wahl <= ZeitraumAktMonat);
    JahrLabel->setVisible(wahl == ZeitraumJahr);
    JahrCBox->setVisible(wahl == ZeitraumJahr);
    MonatLabel->setVisible(wahl == ZeitraumMonat);
    MonatCBox->setVisible(wahl == ZeitraumMonat);
    for (QWidget* w : {static_cast<QWidget*>(DatumVonLabel), static_cast<QWidget*>(DatumVonEdit),
                       static_cast<QWidget*>(DatumBisLabel), static_cast<QWidget*>(DatumBisEdit)})
        w->setVisible(wahl == ZeitraumFrei);
}

void TFilterDatDlg::HakenZeigen() {
    const bool vorher = fuellt_;
    fuellt_ = true;
    HakenSetzen(KOntoListBox, e_.Konten);
    HakenSetzen(RubrikListBox, e_.Rubriken);
    if (QAbstractButton* k = KontoGruppe->button(e_.KontoGruppe)) k->setChecked(true);
    if (QAbstractButton* k = RubrikGruppe->button(e_.RubrikGruppe)) k->setChecked(true);
    fuellt_ = vorher;
}

void TFilterDatDlg::Einlesen() {
    e_.Name = S(NameEdit->text());
    e_.Zeitraum = std::max(0, ZeitGruppe->checkedId());
    e_.JahrWahl = JahrCBox->currentIndex();
    e_.MonatWahl = MonatCBox->currentIndex();
    e_.DatumVon = DatumVonEdit->Text();
    e_.DatumBis = DatumBisEdit->Text();
    e_.Umbuchungen = UmbChBox->isChecked();
    e_.NrVon = S(IdentnrvonEdit->text());
    e_.NrBis = S(IdentnrbisEdit->text());
    e_.BelegVon = S(BelegnrvonEdit->text());
    e_.BelegBis = S(BelegNrbisEdit->text());
    // An emptied amount field is handed over empty: the core opens the range's end for it.
    e_.BetragVon = BetragvonEdit->text().trimmed().isEmpty() ? std::string() : BetragvonEdit->Betrag();
    // An end of 0 is no end: the core opens the range for "0".
    e_.BetragBis = BetragbisEdit->text().trimmed().isEmpty() ? std::string()
                   : BetragbisEdit->Betrag() == "0,00"        ? std::string("0")
                                                              : BetragbisEdit->Betrag();
    e_.Text = S(BTextEdit->text());
    e_.Bemerkung = S(BemEdit->text());
    const Qt::CheckState storno = StorniertChBox->checkState();
    e_.StornoAuswahl = storno == Qt::Checked ? StornoNur : storno == Qt::Unchecked ? StornoOhne : StornoAlle;
}

void TFilterDatDlg::accept() {
    Einlesen();
    switch (FilterUebernehmen(e_, filter_, nameFrei_, meldungen_)) {
        case FilterFeld::Keins:
            QDialog::accept();
            break;
        case FilterFeld::Name:
            NameEdit->setFocus();
            break;
        case FilterFeld::DatumVon:
            DatumVonEdit->setFocus();
            break;
    }
}

void TFilterDatDlg::done(int ergebnis) {
    QDialog::done(ergebnis);
    // However the dialog ended, it opens the next time with the name free and focused.
    NameEdit->setEnabled(true);
    NameEdit->setFocus();
}
