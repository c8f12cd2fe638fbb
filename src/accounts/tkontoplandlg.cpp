#include "accounts/tkontoplandlg.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include "accounts/tkontodatdlg.h"
#include "evaluation/qtbaumhilfe.h"

using namespace talerwerk;

namespace {

// Kind of refresh after the chart changed: the booking window's lookup lists, the balances and the
// booking list.
constexpr int AktualisierungKonten = 2;

QString Q(const std::string& s) { return QString::fromStdString(s); }

QPushButton* Knopf(QWidget* eltern, const char* name, const QString& text) {
    auto* k = new QPushButton(text, eltern);
    k->setObjectName(QString::fromLatin1(name));
    k->setAutoDefault(false);
    return k;
}

}  // namespace

TKontoPlanDlg::TKontoPlanDlg(Datenbestand& d, Meldungen& meldungen, Zufall& zufall,
                             std::function<void(int)> aktualisieren, QWidget* eltern)
    : QDialog(eltern),
      d_(d),
      meldungen_(meldungen),
      zufall_(zufall),
      aktualisieren_(std::move(aktualisieren)),
      kontoDatDlg_(new TKontoDatDlg(meldungen, this)),
      plan_(std::make_unique<Kontenplan>(std::vector<kontotyp>{})) {
    setObjectName(QStringLiteral("KontoPlanDlg"));
    setWindowTitle(QStringLiteral("Konten und Rubriken"));

    auto* baum = new KontextBaum(this);
    Outline1 = baum;
    Outline1->setObjectName(QStringLiteral("Outline1"));
    Outline1->setHeaderHidden(true);
    Outline1->setColumnCount(1);
    Outline1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Outline1->setSelectionMode(QAbstractItemView::SingleSelection);
    Outline1->setExpandsOnDoubleClick(false);  // double-click edits the entry
    Outline1->setMinimumSize(300, 300);
    // The selection stays visible (and in its colour) while a button has the focus.
    QPalette pal = Outline1->palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText, pal.color(QPalette::Active, QPalette::HighlightedText));
    Outline1->setPalette(pal);

    RubrikLabel = new QLabel(QStringLiteral("&Konten"), this);
    RubrikLabel->setObjectName(QStringLiteral("RubrikLabel"));
    RubrikLabel->setBuddy(Outline1);
    HinweisLabel = new QLabel(this);
    HinweisLabel->setObjectName(QStringLiteral("HinweisLabel"));
    HinweisLabel->setStyleSheet(QStringLiteral("color: red"));
    BuchungLabel = new QLabel(QStringLiteral("Buchungen "), this);
    BuchungLabel->setObjectName(QStringLiteral("BuchungLabel"));

    BearbeitenBtn = Knopf(this, "BearbeitenBtn", QStringLiteral("&Bearbeiten"));
    EinfgBtn = Knopf(this, "EinfgBtn", QStringLiteral("&Neu"));
    LoeschBtn = Knopf(this, "LoeschBtn", QStringLiteral("&Löschen"));
    AbbruchBtn = Knopf(this, "AbbruchBtn", QStringLiteral("&Schließen"));

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Bearbeiten1 = PopupMenu1->addAction(QStringLiteral("Bearbeiten"));
    Neu1 = PopupMenu1->addAction(QStringLiteral("Neu"));
    Loeschen1 = PopupMenu1->addAction(QStringLiteral("Löschen"));

    connect(BearbeitenBtn, &QPushButton::clicked, this, &TKontoPlanDlg::BearbeitenBtnClick);
    connect(EinfgBtn, &QPushButton::clicked, this, &TKontoPlanDlg::EinfgBtnClick);
    connect(LoeschBtn, &QPushButton::clicked, this, &TKontoPlanDlg::LoeschBtnClick);
    connect(AbbruchBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(Bearbeiten1, &QAction::triggered, this, &TKontoPlanDlg::BearbeitenBtnClick);
    connect(Neu1, &QAction::triggered, this, &TKontoPlanDlg::EinfgBtnClick);
    connect(Loeschen1, &QAction::triggered, this, &TKontoPlanDlg::LoeschBtnClick);
    connect(Outline1, &QTreeWidget::currentItemChanged, this, [this] { KnoepfeSetzen(); });
    connect(Outline1, &QTreeWidget::itemDoubleClicked, this, [this] { BearbeitenBtnClick(); });
    baum->kontextmenue = [this](QTreeWidgetItem* item, QPoint ort) {
        if (item) Outline1->setCurrentItem(item);
        KnoepfeSetzen();
        PopupMenu1->popup(ort);
    };

    auto* links = new QVBoxLayout;
    links->addWidget(RubrikLabel);
    links->addWidget(Outline1, 1);
    links->addWidget(BuchungLabel);
    links->addWidget(HinweisLabel);

    auto* rechts = new QVBoxLayout;
    rechts->addSpacing(RubrikLabel->sizeHint().height());
    rechts->addWidget(BearbeitenBtn);
    rechts->addWidget(EinfgBtn);
    rechts->addWidget(LoeschBtn);
    rechts->addStretch();
    rechts->addWidget(AbbruchBtn);

    auto* haupt = new QHBoxLayout(this);
    haupt->addLayout(links, 1);
    haupt->addLayout(rechts);
    resize(460, 420);
}

TKontoPlanDlg::~TKontoPlanDlg() = default;

int TKontoPlanDlg::Position(const QTreeWidgetItem* item) const {
    int i = 0;
    for (QTreeWidgetItemIterator it(Outline1); *it; ++it, ++i)
        if (*it == item) return i;
    return -1;
}

QTreeWidgetItem* TKontoPlanDlg::Item(int position) const {
    int i = 0;
    for (QTreeWidgetItemIterator it(Outline1); *it; ++it, ++i)
        if (i == position) return *it;
    return nullptr;
}

void TKontoPlanDlg::Vorbereiten() {
    plan_ = std::make_unique<Kontenplan>(d_.Konten);
    nutzung_ = NutzungZaehlen(d_);
    const QSignalBlocker sperre(Outline1);
    Outline1->clear();
    QTreeWidgetItem* typ = nullptr;
    QTreeWidgetItem* eintrag = nullptr;
    for (const PlanKnoten& k : plan_->Knoten()) {
        QTreeWidgetItem* item = nullptr;
        if (k.Ebene == 0)
            item = typ = new QTreeWidgetItem(Outline1);
        else if (k.Ebene == 1)
            item = eintrag = new QTreeWidgetItem(typ);
        else
            item = new QTreeWidgetItem(eintrag);
        item->setText(0, Q(k.Text()));
    }
    Outline1->expandAll();
    Outline1->setCurrentItem(Outline1->topLevelItem(0));
    KnoepfeSetzen();
}

void TKontoPlanDlg::Ausfuehren() {
    Vorbereiten();
    if (exec() == QDialog::Accepted) Abschliessen();
}

void TKontoPlanDlg::Abschliessen() {
    d_.Konten = plan_->Konten();
    if (aktualisieren_) aktualisieren_(AktualisierungKonten);
    d_.Geaendert = true;
}

void TKontoPlanDlg::KnoepfeSetzen() {
    const int pos = Position(Outline1->currentItem());
    if (pos < 0) {
        for (QPushButton* k : {BearbeitenBtn, EinfgBtn, LoeschBtn}) k->setEnabled(false);
        for (QAction* a : {Bearbeiten1, Neu1, Loeschen1}) a->setEnabled(false);
        BuchungLabel->clear();
        return;
    }
    const Knopfzustand z = plan_->Knoepfe(pos, nutzung_);
    LoeschBtn->setEnabled(z.Loeschen);
    EinfgBtn->setEnabled(z.Neu);
    BearbeitenBtn->setEnabled(z.Bearbeiten);
    Loeschen1->setEnabled(z.Loeschen);
    Neu1->setEnabled(z.Neu);
    Bearbeiten1->setEnabled(z.Bearbeiten);
    BuchungLabel->setText(Q(z.BuchungLabel));
    HinweisLabel->setText(Q(z.HinweisLabel));
    Outline1->setFocus();
}

bool TKontoPlanDlg::Bearbeiten(QTreeWidgetItem* item) {
    const int pos = Position(item);
    if (pos < 0 || (*plan_)[pos].Ebene == 0) return false;
    const QString pfad = Q(plan_->Pfad(pos));
    const bool konto = plan_->IstKonto(pos);
    KontoDaten daten = KontoDatenVon((*plan_)[pos].Eintrag);
    // An abbreviation another entry already has sends the user back with what was typed.
    for (;;) {
        if (!kontoDatDlg_->Bearbeiten(pfad, konto, daten)) return false;
        if (!plan_->AbkVergeben(pos, daten.Abk)) break;
        meldungen_.Information("Abkürzung bereits vorhanden!");
    }
    plan_->Uebernehmen(pos, daten, d_.Konten);
    item->setText(0, Q((*plan_)[pos].Text()));
    d_.Geaendert = true;
    return true;
}

void TKontoPlanDlg::BearbeitenBtnClick() {
    if (!BearbeitenBtn->isEnabled()) return;
    Bearbeiten(Outline1->currentItem());
    KnoepfeSetzen();
}

void TKontoPlanDlg::EinfgBtnClick() {
    if (!EinfgBtn->isEnabled()) return;
    QTreeWidgetItem* oben = Outline1->currentItem();
    const int neu = plan_->Neu(Position(oben), zufall_);
    if (neu < 0) return;
    auto* item = new QTreeWidgetItem(oben);
    item->setText(0, Q((*plan_)[neu].Text()));
    oben->setExpanded(true);
    Outline1->setCurrentItem(item);
    if (!Bearbeiten(item)) {
        plan_->Entfernen(neu);
        Outline1->setCurrentItem(oben);
        delete item;
    }
    KnoepfeSetzen();
}

void TKontoPlanDlg::LoeschBtnClick() {
    if (!LoeschBtn->isEnabled()) return;
    QTreeWidgetItem* item = Outline1->currentItem();
    const int pos = Position(item);
    if (pos <= 0 || (*plan_)[pos].Ebene == 0) return;
    const std::string frage = "Soll Eintrag \"" + (*plan_)[pos].Text() + "\" wirklich gelöscht werden?";
    if (meldungen_.Frage(frage, Knoepfe::JaNein) != Antwort::Ja) return;
    QTreeWidgetItem* danach = Outline1->itemAbove(item);
    plan_->Entfernen(pos);
    {
        const QSignalBlocker sperre(Outline1);
        Outline1->setCurrentItem(danach);
        delete item;
    }
    KnoepfeSetzen();
}

void TKontoPlanDlg::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        accept();  // Escape closes like "Schließen"
        return;
    }
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && focusWidget() == Outline1) {
        BearbeitenBtnClick();
        return;
    }
    QDialog::keyPressEvent(e);
}
