#include "bookings/tfilterplandlg.h"

#include <QAction>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "bookings/filterdaten.h"
#include "bookings/tfilterdatdlg.h"
#include "evaluation/qtbaumhilfe.h"

using namespace talerwerk;

namespace {

constexpr int SatzRolle = Qt::UserRole + 1;

QString Q(const std::string& s) { return QString::fromStdString(s); }

QPushButton* Knopf(QWidget* eltern, const char* name, const QString& text) {
    auto* k = new QPushButton(text, eltern);
    k->setObjectName(QString::fromLatin1(name));
    k->setAutoDefault(false);
    return k;
}

}  // namespace

TFilterPlanDlg::TFilterPlanDlg(Datenbestand& d, Meldungen& meldungen, const Uhr& uhr,
                               std::function<void()> filterGeaendert, QWidget* eltern)
    : QDialog(eltern),
      d_(d),
      meldungen_(meldungen),
      uhr_(uhr),
      filterGeaendert_(std::move(filterGeaendert)),
      filterDatDlg_(new TFilterDatDlg(d, meldungen, uhr, this)) {
    setObjectName(QStringLiteral("FilterPlanDlg"));
    setWindowTitle(QStringLiteral("Filter"));

    auto* baum = new KontextBaum(this);
    Outline1 = baum;
    Outline1->setObjectName(QStringLiteral("Outline1"));
    Outline1->setHeaderHidden(true);
    Outline1->setColumnCount(1);
    Outline1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Outline1->setSelectionMode(QAbstractItemView::SingleSelection);
    Outline1->setExpandsOnDoubleClick(false);  // double-click edits
    Outline1->setMinimumSize(260, 280);
    QPalette pal = Outline1->palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText, pal.color(QPalette::Active, QPalette::HighlightedText));
    Outline1->setPalette(pal);

    VorlLabel = new QLabel(QStringLiteral("&Filter"), this);
    VorlLabel->setObjectName(QStringLiteral("VorlLabel"));
    VorlLabel->setBuddy(Outline1);
    HinweisLabel = new QLabel(this);
    HinweisLabel->setObjectName(QStringLiteral("HinweisLabel"));
    HinweisLabel->setStyleSheet(QStringLiteral("color: red"));

    NeuBtn = Knopf(this, "NeuBtn", QStringLiteral("&Neu"));
    BearbeitenBtn = Knopf(this, "BearbeitenBtn", QStringLiteral("&Bearbeiten"));
    LoeschBtn = Knopf(this, "LoeschBtn", QStringLiteral("&Löschen"));
    AbbruchBtn = Knopf(this, "AbbruchBtn", QStringLiteral("&Schließen"));

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Bearbeiten1 = PopupMenu1->addAction(QStringLiteral("Bearbeiten"));
    Neu1 = PopupMenu1->addAction(QStringLiteral("Neu"));
    Loeschen1 = PopupMenu1->addAction(QStringLiteral("Löschen"));

    connect(NeuBtn, &QPushButton::clicked, this, &TFilterPlanDlg::NeuBtnClick);
    connect(BearbeitenBtn, &QPushButton::clicked, this, &TFilterPlanDlg::BearbeitenBtnClick);
    connect(LoeschBtn, &QPushButton::clicked, this, &TFilterPlanDlg::LoeschBtnClick);
    connect(AbbruchBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(Bearbeiten1, &QAction::triggered, this, &TFilterPlanDlg::BearbeitenBtnClick);
    connect(Neu1, &QAction::triggered, this, &TFilterPlanDlg::NeuBtnClick);
    connect(Loeschen1, &QAction::triggered, this, &TFilterPlanDlg::LoeschBtnClick);
    connect(Outline1, &QTreeWidget::currentItemChanged, this, [this] { KnoepfeSetzen(); });
    connect(Outline1, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (item == Kopf())
            NeuBtnClick();
        else
            BearbeitenBtnClick();
    });
    baum->kontextmenue = [this](QTreeWidgetItem* item, QPoint ort) {
        if (item) Outline1->setCurrentItem(item);
        KnoepfeSetzen();
        PopupMenu1->popup(ort);
    };

    auto* links = new QVBoxLayout;
    links->addWidget(VorlLabel);
    links->addWidget(Outline1, 1);
    links->addWidget(HinweisLabel);
    auto* rechts = new QVBoxLayout;
    rechts->addSpacing(VorlLabel->sizeHint().height());
    rechts->addWidget(NeuBtn);
    rechts->addWidget(BearbeitenBtn);
    rechts->addWidget(LoeschBtn);
    rechts->addStretch();
    rechts->addWidget(AbbruchBtn);
    auto* haupt = new QHBoxLayout(this);
    haupt->addLayout(links, 1);
    haupt->addLayout(rechts);
    resize(400, 360);
}

TFilterPlanDlg::~TFilterPlanDlg() = default;

QTreeWidgetItem* TFilterPlanDlg::Kopf() const { return Outline1->topLevelItem(0); }

buchungstyp& TFilterPlanDlg::Satz(QTreeWidgetItem* item) {
    return saetze_[static_cast<size_t>(item->data(0, SatzRolle).toInt())];
}

std::vector<buchungstyp> TFilterPlanDlg::Baumfilter() const {
    std::vector<buchungstyp> liste;
    QTreeWidgetItem* kopf = Kopf();
    if (!kopf) return liste;
    liste.reserve(static_cast<size_t>(kopf->childCount()));
    for (int i = 0; i < kopf->childCount(); ++i)
        liste.push_back(saetze_[static_cast<size_t>(kopf->child(i)->data(0, SatzRolle).toInt())]);
    return liste;
}

void TFilterPlanDlg::Vorbereiten() {
    const QSignalBlocker sperre(Outline1);
    Outline1->clear();
    saetze_.clear();
    auto* kopf = new QTreeWidgetItem(Outline1);
    kopf->setText(0, QStringLiteral("Filter"));
    for (const buchungstyp& f : d_.Filterliste) {
        auto* item = new QTreeWidgetItem(kopf);
        item->setText(0, Q(f.Bezeichnung));
        item->setData(0, SatzRolle, static_cast<int>(saetze_.size()));
        saetze_.push_back(f);
    }
    kopf->setExpanded(true);
    Outline1->setCurrentItem(kopf);
    offen_ = true;
    KnoepfeSetzen();
    // Until the user chooses a filter, there is nothing to edit or delete.
    BearbeitenBtn->setEnabled(false);
    LoeschBtn->setEnabled(false);
}

void TFilterPlanDlg::Ausfuehren() {
    Vorbereiten();
    exec();
}

void TFilterPlanDlg::done(int ergebnis) {
    QDialog::done(ergebnis);
    if (!offen_) return;
    offen_ = false;
    d_.Filterliste = Baumfilter();
    if (filterGeaendert_) filterGeaendert_();
}

void TFilterPlanDlg::KnoepfeSetzen() {
    QTreeWidgetItem* item = Outline1->currentItem();
    const bool filter = item && item != Kopf();
    const bool voll = Kopf() && static_cast<size_t>(Kopf()->childCount()) >= FilterHoechstzahl;
    BearbeitenBtn->setEnabled(filter);
    LoeschBtn->setEnabled(filter);
    NeuBtn->setEnabled(!voll);
    Bearbeiten1->setEnabled(filter);
    Loeschen1->setEnabled(filter);
    Neu1->setEnabled(!voll);
    HinweisLabel->setText(voll ? Q(MeldungKeineFilterMehr) : QString());
    Outline1->setFocus();
}

bool TFilterPlanDlg::Bearbeiten(QTreeWidgetItem* item, const QString& titel) {
    if (!item || item == Kopf()) return false;
    buchungstyp satz = Satz(item);
    const std::vector<buchungstyp> baum = Baumfilter();
    const int32_t eigene = Kopf()->indexOfChild(item);
    // A name another filter has sends the user back with what was typed.
    for (;;) {
        if (!filterDatDlg_->Bearbeiten(titel, satz)) return false;
        if (!NameVergeben(baum, satz.Bezeichnung, eigene)) break;
        meldungen_.Information(MeldungNameVergeben);
    }
    Satz(item) = satz;
    item->setText(0, Q(satz.Bezeichnung));
    d_.Geaendert = true;
    return true;
}

void TFilterPlanDlg::NeuBtnClick() {
    if (!NeuBtn->isEnabled()) return;
    QTreeWidgetItem* kopf = Kopf();
    Outline1->setCurrentItem(kopf);
    kopf->setExpanded(true);
    // The number counts the filters added in this dialog as well.
    buchungstyp neu = NeuerFilter(d_.Filterliste, Baumfilter(), uhr_.Heute());
    auto* item = new QTreeWidgetItem(kopf);
    item->setData(0, SatzRolle, static_cast<int>(saetze_.size()));
    saetze_.push_back(std::move(neu));
    Outline1->setCurrentItem(item);
    if (!Bearbeiten(item, QStringLiteral("Filterdaten neu"))) {
        Outline1->setCurrentItem(kopf);
        delete item;
    }
    KnoepfeSetzen();
}

void TFilterPlanDlg::BearbeitenBtnClick() {
    if (!BearbeitenBtn->isEnabled()) return;
    Bearbeiten(Outline1->currentItem(), QStringLiteral("Filterdaten bearbeiten"));
    KnoepfeSetzen();
}

void TFilterPlanDlg::LoeschBtnClick() {
    if (!LoeschBtn->isEnabled()) return;
    QTreeWidgetItem* item = Outline1->currentItem();
    if (!item || item == Kopf()) return;
    if (meldungen_.Frage(FilterLoeschfrage(Satz(item).Bezeichnung), Knoepfe::JaNein) != Antwort::Ja) return;
    QTreeWidgetItem* danach = Outline1->itemAbove(item);
    {
        const QSignalBlocker sperre(Outline1);
        Outline1->setCurrentItem(danach);
        delete item;
    }
    d_.Geaendert = true;
    KnoepfeSetzen();
}

void TFilterPlanDlg::keyPressEvent(QKeyEvent* e) {
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && focusWidget() == Outline1) {
        if (Outline1->currentItem() == Kopf())
            NeuBtnClick();
        else
            BearbeitenBtnClick();
        return;
    }
    QDialog::keyPressEvent(e);  // Escape rejects, and done() applies the tree all the same
}
