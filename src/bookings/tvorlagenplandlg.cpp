#include "bookings/tvorlagenplandlg.h"

#include <QAction>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "bookings/kontosuche.h"
#include "bookings/qtbuchungsart.h"
#include "bookings/tvorlagendatdlg.h"
#include "evaluation/qtbaumhilfe.h"

using namespace talerwerk;

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

QPushButton* Knopf(QWidget* eltern, const char* name, const QString& text) {
    auto* k = new QPushButton(text, eltern);
    k->setObjectName(QString::fromLatin1(name));
    k->setAutoDefault(false);
    return k;
}

}  // namespace

TVorlagenPlanDlg::TVorlagenPlanDlg(Datenbestand& d, Meldungen& meldungen, QWidget* eltern)
    : QDialog(eltern), d_(d), meldungen_(meldungen), datDlg_(new TVorlagenDatDlg(d, meldungen, this)) {
    setObjectName(QStringLiteral("VorlagenPlanDlg"));
    setWindowTitle(QStringLiteral("Vorlagen"));
    Editor = [this](buchungstyp& satz) { return datDlg_->Bearbeiten(satz); };
    Aufbauen();
}

TVorlagenPlanDlg::~TVorlagenPlanDlg() = default;

void TVorlagenPlanDlg::Aufbauen() {
    auto* baum = new KontextBaum(this);
    Outline1 = baum;
    Outline1->setObjectName(QStringLiteral("Outline1"));
    Outline1->setHeaderHidden(true);
    Outline1->setColumnCount(1);
    Outline1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Outline1->setSelectionMode(QAbstractItemView::SingleSelection);
    Outline1->setExpandsOnDoubleClick(false);  // a double-click inserts, edits or adds
    Outline1->setMinimumSize(200, 240);
    // The selection stays visible while a button has the focus.
    QPalette pal = Outline1->palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText, pal.color(QPalette::Active, QPalette::HighlightedText));
    Outline1->setPalette(pal);

    VorlLabel = new QLabel(QStringLiteral("&Vorlagen"), this);
    VorlLabel->setObjectName(QStringLiteral("VorlLabel"));
    VorlLabel->setBuddy(Outline1);
    HinweisLabel = new QLabel(this);
    HinweisLabel->setObjectName(QStringLiteral("HinweisLabel"));
    HinweisLabel->setStyleSheet(QStringLiteral("color: red"));

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::StyledPanel);
    Panel1->setFrameShadow(QFrame::Sunken);
    auto label = [this](const char* name, const QString& text = {}) {
        auto* l = new QLabel(text, Panel1);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    BArtLabel = label("BArtLabel");
    QFont fett = BArtLabel->font();
    fett.setBold(true);
    BArtLabel->setFont(fett);
    Text1Label = label("Text1Label", QStringLiteral("Konto 1"));
    Konto1Label = label("Konto1Label");
    Text2Label = label("Text2Label", QStringLiteral("Rubrik"));
    Konto2Label = label("Konto2Label");
    Label2 = label("Label2", QStringLiteral("Betrag"));
    BetragLabel = label("BetragLabel");
    Label3 = label("Label3", QStringLiteral("Buchg.-Text"));
    TextLabel = label("TextLabel");
    for (QLabel* l : {Konto1Label, Konto2Label, TextLabel}) {
        l->setWordWrap(true);
        l->setMinimumWidth(140);
    }
    auto* zusammenfassung = new QGridLayout(Panel1);
    zusammenfassung->addWidget(BArtLabel, 0, 0, 1, 2);
    int z = 1;
    for (auto [links, rechts] : {std::pair{Text1Label, Konto1Label}, std::pair{Text2Label, Konto2Label},
                                 std::pair{Label2, BetragLabel}, std::pair{Label3, TextLabel}}) {
        zusammenfassung->addWidget(links, z, 0, Qt::AlignTop);
        zusammenfassung->addWidget(rechts, z++, 1, Qt::AlignTop);
    }
    zusammenfassung->setRowStretch(z, 1);
    zusammenfassung->setColumnStretch(1, 1);

    NeuBtn = Knopf(this, "NeuBtn", QStringLiteral("&Neu"));
    BearbeitenBtn = Knopf(this, "BearbeitenBtn", QStringLiteral("&Bearbeiten"));
    LoeschBtn = Knopf(this, "LoeschBtn", QStringLiteral("&Löschen"));
    EinfuegenBtn = Knopf(this, "EinfuegenBtn", QStringLiteral("&Einfügen"));
    EinfuegenBtn->setDefault(true);
    AbbruchBtn = Knopf(this, "AbbruchBtn", QStringLiteral("&Schließen"));

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Bearbeiten1 = PopupMenu1->addAction(QStringLiteral("Bearbeiten"));
    Neu1 = PopupMenu1->addAction(QStringLiteral("Neu"));
    Loeschen1 = PopupMenu1->addAction(QStringLiteral("Löschen"));

    connect(NeuBtn, &QPushButton::clicked, this, &TVorlagenPlanDlg::NeuBtnClick);
    connect(BearbeitenBtn, &QPushButton::clicked, this, &TVorlagenPlanDlg::BearbeitenBtnClick);
    connect(LoeschBtn, &QPushButton::clicked, this, &TVorlagenPlanDlg::LoeschBtnClick);
    connect(EinfuegenBtn, &QPushButton::clicked, this, &TVorlagenPlanDlg::EinfuegenBtnClick);
    connect(AbbruchBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(Bearbeiten1, &QAction::triggered, this, &TVorlagenPlanDlg::BearbeitenBtnClick);
    connect(Neu1, &QAction::triggered, this, &TVorlagenPlanDlg::NeuBtnClick);
    connect(Loeschen1, &QAction::triggered, this, &TVorlagenPlanDlg::LoeschBtnClick);
    connect(Outline1, &QTreeWidget::currentItemChanged, this, [this] { AuswahlZeigen(); });
    connect(Outline1, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { Doppelklick(item); });
    baum->kontextmenue = [this](QTreeWidgetItem* item, QPoint ort) {
        if (item) Outline1->setCurrentItem(item);
        AuswahlZeigen();
        PopupMenu1->popup(ort);
    };

    auto* links = new QVBoxLayout;
    links->addWidget(VorlLabel);
    links->addWidget(Outline1, 1);
    links->addWidget(HinweisLabel);
    auto* rechts = new QVBoxLayout;
    rechts->addSpacing(VorlLabel->sizeHint().height());
    for (QPushButton* k : {NeuBtn, BearbeitenBtn, LoeschBtn}) rechts->addWidget(k);
    rechts->addStretch();
    rechts->addWidget(EinfuegenBtn);
    rechts->addWidget(AbbruchBtn);
    auto* mitte = new QVBoxLayout;
    mitte->addSpacing(VorlLabel->sizeHint().height());
    mitte->addWidget(Panel1, 1);
    auto* haupt = new QHBoxLayout(this);
    haupt->addLayout(links, 1);
    haupt->addLayout(mitte, 1);
    haupt->addLayout(rechts);
    resize(560, 320);
}

QTreeWidgetItem* TVorlagenPlanDlg::Kopf() const { return Outline1->topLevelItem(0); }

// ---- opening and closing ----

bool TVorlagenPlanDlg::VorlageWaehlen(bool einfuegenErlaubt, buchungstyp& gewaehlt) {
    Oeffnen(einfuegenErlaubt);
    if (exec() != Einfuegen) return false;
    gewaehlt = gewaehlt_;
    return true;
}

void TVorlagenPlanDlg::Oeffnen(bool einfuegenErlaubt) {
    einfuegenErlaubt_ = einfuegenErlaubt;
    gewaehlt_ = buchungstyp{};
    liste_ = std::make_unique<VorlagenListe>(d_);
    BaumAufbauen();
}

void TVorlagenPlanDlg::BaumAufbauen() {
    {
        const QSignalBlocker sperre(Outline1);
        Outline1->clear();
        auto* kopf = new QTreeWidgetItem(Outline1, QStringList{QStringLiteral("Vorlage")});
        for (const buchungstyp& v : liste_->Eintraege()) new QTreeWidgetItem(kopf, QStringList{Q(v.Bezeichnung)});
        kopf->setExpanded(true);
        // The first node: the heading.
        Outline1->setCurrentItem(kopf);
    }
    AuswahlZeigen();
}

void TVorlagenPlanDlg::done(int ergebnis) {
    // Whatever closed the list: the tree goes back into the store, in tree order.
    if (liste_) {
        liste_->Uebernehmen();
        liste_.reset();
    }
    QDialog::done(ergebnis);
}

void TVorlagenPlanDlg::reject() { accept(); }

std::vector<buchungstyp> TVorlagenPlanDlg::Baumvorlagen() const {
    return liste_ ? liste_->Eintraege() : std::vector<buchungstyp>{};
}

// ---- selection ----

int TVorlagenPlanDlg::Auswahl() const {
    QTreeWidgetItem* item = Outline1->currentItem();
    QTreeWidgetItem* kopf = Kopf();
    if (!item || !kopf || item == kopf) return -1;
    return kopf->indexOfChild(item);
}

void TVorlagenPlanDlg::AuswahlZeigen() {
    if (!liste_) return;
    const int i = Auswahl();
    const bool vorlage = i >= 0 && i < liste_->Anzahl();
    if (vorlage) {
        const VorlagenAnzeige a = VorlageZusammenfassung(d_, liste_->Eintraege()[static_cast<size_t>(i)]);
        BArtLabel->setText(Q(a.Art.ArtWort));
        QPalette p = BArtLabel->palette();
        p.setColor(QPalette::WindowText, ArtFarbeQt(a.Art.Farbe));
        BArtLabel->setPalette(p);
        Text2Label->setText(Q(a.Text2));
        Konto1Label->setText(Q(a.Konto1));
        Konto2Label->setText(Q(a.Konto2));
        BetragLabel->setText(Q(a.Betrag));
        TextLabel->setText(Q(a.Text));
    } else {
        for (QLabel* l : {BArtLabel, Konto1Label, Konto2Label, BetragLabel, TextLabel}) l->clear();
    }
    BearbeitenBtn->setEnabled(vorlage);
    LoeschBtn->setEnabled(vorlage);
    EinfuegenBtn->setEnabled(vorlage && einfuegenErlaubt_);
    Bearbeiten1->setEnabled(vorlage);
    Loeschen1->setEnabled(vorlage);
    const bool neu = liste_->NeuMoeglich();
    NeuBtn->setEnabled(neu);
    Neu1->setEnabled(neu);
    HinweisLabel->setText(neu ? QString() : Q(HinweisVorlagenGrenze));
    Outline1->setFocus();
}

// ---- commands ----

bool TVorlagenPlanDlg::EintragBearbeiten(int index) {
    if (!liste_ || index < 0 || index >= liste_->Anzahl()) return false;
    buchungstyp kopie = liste_->Eintraege()[static_cast<size_t>(index)];
    // A name another template has sends the user back with what was typed.
    for (;;) {
        if (!Editor(kopie)) return false;
        if (!liste_->NameVorhanden(index, kopie.Bezeichnung)) break;
        meldungen_.Information(MeldungVorlageNameVorhanden);
    }
    liste_->Bearbeitet(index, kopie);
    if (QTreeWidgetItem* item = Kopf()->child(index)) item->setText(0, Q(kopie.Bezeichnung));
    return true;
}

void TVorlagenPlanDlg::NeuBtnClick() {
    if (!liste_ || !liste_->NeuMoeglich()) return;
    QTreeWidgetItem* kopf = Kopf();
    {
        // The selection moves several times here; the summary follows once at the end.
        const QSignalBlocker sperre(Outline1);
        Outline1->setCurrentItem(kopf);
        kopf->setExpanded(true);
        const int i = liste_->Neu();
        if (i >= 0) {
            auto* item = new QTreeWidgetItem(kopf, QStringList{QString()});
            Outline1->setCurrentItem(item);
            if (!EintragBearbeiten(i)) {
                liste_->Entfernen(i);
                delete item;
                Outline1->setCurrentItem(kopf);
            }
        }
    }
    AuswahlZeigen();
}

void TVorlagenPlanDlg::BearbeitenBtnClick() {
    if (!liste_ || Auswahl() < 0) return;
    EintragBearbeiten(Auswahl());
    AuswahlZeigen();
}

void TVorlagenPlanDlg::LoeschBtnClick() {
    const int i = Auswahl();
    if (!liste_ || i < 0) return;
    if (liste_->Loeschen(i, meldungen_)) {
        const QSignalBlocker sperre(Outline1);
        QTreeWidgetItem* item = Kopf()->child(i);
        QTreeWidgetItem* danach = Outline1->itemAbove(item);
        Outline1->setCurrentItem(danach ? danach : Kopf());
        delete item;
    }
    AuswahlZeigen();
}

void TVorlagenPlanDlg::EinfuegenBtnClick() {
    const int i = Auswahl();
    if (!liste_ || !einfuegenErlaubt_ || i < 0) return;
    gewaehlt_ = liste_->Eintraege()[static_cast<size_t>(i)];
    done(Einfuegen);
}

void TVorlagenPlanDlg::Doppelklick(QTreeWidgetItem* item) {
    if (!item) return;
    if (item == Kopf())
        NeuBtnClick();
    else if (EinfuegenBtn->isEnabled())
        EinfuegenBtnClick();
    else
        BearbeitenBtnClick();
}

void TVorlagenPlanDlg::keyPressEvent(QKeyEvent* ereignis) {
    // Enter on the tree does what a double-click does; elsewhere the default button takes it.
    if ((ereignis->key() == Qt::Key_Return || ereignis->key() == Qt::Key_Enter) && focusWidget() == Outline1) {
        Doppelklick(Outline1->currentItem());
        return;
    }
    QDialog::keyPressEvent(ereignis);
}
