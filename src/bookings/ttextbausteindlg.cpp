#include "bookings/ttextbausteindlg.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "bookings/qteingabegrenze.h"

using namespace talerwerk;

namespace {
constexpr int Kopf = TextbausteinEditor::Ueberschrift;
}

TTextBausteinDlg::TTextBausteinDlg(Meldungen& meldungen, QWidget* eltern)
    : QDialog(eltern), meldungen_(meldungen), editor_(std::make_unique<TextbausteinEditor>(std::vector<kontotyp>{})) {
    setObjectName(QStringLiteral("TextBausteinDlg"));
    setWindowTitle(QStringLiteral("Textbausteine bearbeiten"));
    setModal(true);

    Outline1 = new QTreeWidget(this);
    Outline1->setObjectName(QStringLiteral("Outline1"));
    Outline1->setHeaderHidden(true);
    Outline1->setMinimumSize(170, 220);
    Outline1->setContextMenuPolicy(Qt::CustomContextMenu);
    TbsLabel = new QLabel(QStringLiteral("&Textbaustein"), this);
    TbsLabel->setObjectName(QStringLiteral("TbsLabel"));
    TbsLabel->setBuddy(Outline1);
    HinweisLabel = new QLabel(this);
    HinweisLabel->setObjectName(QStringLiteral("HinweisLabel"));
    EinfgBtn = new QPushButton(QStringLiteral("&Neu"), this);
    EinfgBtn->setObjectName(QStringLiteral("EinfgBtn"));
    LoeschBtn = new QPushButton(QStringLiteral("&Löschen"), this);
    LoeschBtn->setObjectName(QStringLiteral("LoeschBtn"));

    DetailDaten = new QFrame(this);
    DetailDaten->setObjectName(QStringLiteral("DetailDaten"));
    DetailDaten->setFrameShape(QFrame::StyledPanel);
    AbkEdit = new QLineEdit(DetailDaten);
    AbkEdit->setObjectName(QStringLiteral("AbkEdit"));
    EingabeBegrenzen(AbkEdit, TbsAbkLaenge, &meldungen_);
    TextEdit = new QLineEdit(DetailDaten);
    TextEdit->setObjectName(QStringLiteral("TextEdit"));
    TextEdit->setMinimumWidth(TextEdit->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 32);
    EingabeBegrenzen(TextEdit, TbsTextLaenge, &meldungen_);
    auto* abkLabel = new QLabel(QStringLiteral("&Abkürzung"), DetailDaten);
    abkLabel->setBuddy(AbkEdit);
    auto* textLabel = new QLabel(QStringLiteral("&Ersatztext"), DetailDaten);
    textLabel->setBuddy(TextEdit);
    PfadLabel = new QLabel(DetailDaten);
    PfadLabel->setObjectName(QStringLiteral("PfadLabel"));
    auto* detail = new QGridLayout(DetailDaten);
    detail->addWidget(PfadLabel, 0, 0, 1, 2);
    detail->addWidget(abkLabel, 1, 0);
    detail->addWidget(AbkEdit, 1, 1);
    detail->addWidget(textLabel, 2, 0);
    detail->addWidget(TextEdit, 2, 1);
    detail->setRowStretch(3, 1);
    AbkEdit->setMaximumWidth(AbkEdit->fontMetrics().horizontalAdvance(QStringLiteral("MMMMMM")) + 12);

    ZurueckBtn = new QPushButton(QStringLiteral("&Verwerfen"), this);
    ZurueckBtn->setObjectName(QStringLiteral("ZurueckBtn"));
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    AbbruchBtn = new QPushButton(QStringLiteral("Abbrechen"), this);
    AbbruchBtn->setObjectName(QStringLiteral("AbbruchBtn"));
    for (QPushButton* k : {EinfgBtn, LoeschBtn, ZurueckBtn, AbbruchBtn}) k->setAutoDefault(false);

    auto* links = new QVBoxLayout;
    links->addWidget(TbsLabel);
    links->addWidget(Outline1, 1);
    auto* baumKnoepfe = new QHBoxLayout;
    baumKnoepfe->addWidget(EinfgBtn);
    baumKnoepfe->addWidget(LoeschBtn);
    links->addLayout(baumKnoepfe);
    auto* rechts = new QVBoxLayout;
    rechts->addWidget(DetailDaten, 1);
    rechts->addWidget(HinweisLabel);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(ZurueckBtn);
    knoepfe->addStretch();
    knoepfe->addWidget(OKBtn);
    knoepfe->addWidget(AbbruchBtn);
    rechts->addLayout(knoepfe);
    auto* alles = new QHBoxLayout(this);
    alles->addLayout(links);
    alles->addLayout(rechts, 1);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupNeu = PopupMenu1->addAction(QStringLiteral("Neu"), this, &TTextBausteinDlg::EinfgBtnClick);
    PopupLoeschen = PopupMenu1->addAction(QStringLiteral("Löschen"), this, &TTextBausteinDlg::LoeschBtnClick);
    connect(Outline1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { PopupMenu1->popup(Outline1->viewport()->mapToGlobal(p)); });

    connect(EinfgBtn, &QPushButton::clicked, this, &TTextBausteinDlg::EinfgBtnClick);
    connect(LoeschBtn, &QPushButton::clicked, this, &TTextBausteinDlg::LoeschBtnClick);
    connect(ZurueckBtn, &QPushButton::clicked, this, &TTextBausteinDlg::ZurueckBtnClick);
    connect(OKBtn, &QPushButton::clicked, this, &TTextBausteinDlg::OKBtnClick);
    connect(AbbruchBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(Outline1, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* neu, QTreeWidgetItem* alt) {
        if (baumWechsel_) return;
        // The fields of the snippet left behind are checked first; a refusal keeps it selected.
        if (!Zurueckschreiben()) {
            const QSignalBlocker sperre(Outline1);
            Outline1->setCurrentItem(alt);
            return;
        }
        Zeigen(neu && neu->parent() ? neu->data(0, Qt::UserRole).toInt() : Kopf);
    });
    connect(qApp, &QApplication::focusChanged, this, &TTextBausteinDlg::FokusGewechselt);
}

TTextBausteinDlg::~TTextBausteinDlg() { disconnect(qApp, nullptr, this, nullptr); }

void TTextBausteinDlg::FokusGewechselt(QWidget* alt, QWidget* neu) {
    // Leaving the fields' panel writes them back; moving into the tree is handled by the change of
    // the selection, and the buttons check for themselves.
    if (!isVisible() || !alt || !DetailDaten->isAncestorOf(alt)) return;
    if (!neu || DetailDaten->isAncestorOf(neu) || neu == Outline1 || qobject_cast<QPushButton*>(neu)) return;
    if (neu->window() != this) return;
    Zurueckschreiben();
}

int TTextBausteinDlg::Auswahl() const {
    const QTreeWidgetItem* item = Outline1->currentItem();
    return item && item->parent() ? item->data(0, Qt::UserRole).toInt() : Kopf;
}

void TTextBausteinDlg::BaumAufbauen(int auswahl) {
    baumWechsel_ = true;
    Outline1->clear();
    auto* kopf = new QTreeWidgetItem(Outline1, {QStringLiteral("Textbaustein")});
    QFont fett = kopf->font(0);
    fett.setBold(true);
    kopf->setFont(0, fett);
    QTreeWidgetItem* gewaehlt = kopf;
    for (int i = 0; i < editor_->Anzahl(); ++i) {
        auto* item = new QTreeWidgetItem(kopf, {QString::fromStdString(editor_->Eintraege()[static_cast<size_t>(i)].Abk)});
        item->setData(0, Qt::UserRole, i);
        if (i == auswahl) gewaehlt = item;
    }
    kopf->setExpanded(true);
    Outline1->setCurrentItem(gewaehlt);
    baumWechsel_ = false;
    Zeigen(auswahl);
}

void TTextBausteinDlg::Zeigen(int index) {
    gezeigt_ = index >= 0 && index < editor_->Anzahl() ? index : Kopf;
    if (gezeigt_ == Kopf) {
        AbkEdit->clear();
        TextEdit->clear();
    } else {
        const kontotyp& k = editor_->Eintraege()[static_cast<size_t>(gezeigt_)];
        AbkEdit->setText(QString::fromStdString(k.Abk));
        TextEdit->setText(QString::fromStdString(k.Text1));
    }
    gemerkteAbk_ = AbkEdit->text();
    gemerkterText_ = TextEdit->text();
    const TbsKnoepfe k = editor_->Knopfzustand(gezeigt_);
    EinfgBtn->setEnabled(k.Neu);
    PopupNeu->setEnabled(k.Neu);
    LoeschBtn->setEnabled(k.Loeschen);
    PopupLoeschen->setEnabled(k.Loeschen);
    AbkEdit->setEnabled(k.Felder);
    TextEdit->setEnabled(k.Felder);
    HinweisLabel->setText(QString::fromStdString(k.Hinweis));
}

bool TTextBausteinDlg::Zurueckschreiben() {
    if (gezeigt_ == Kopf || editor_->Geschuetzt(gezeigt_)) return true;
    if (!editor_->Zurueckschreiben(gezeigt_, AbkEdit->text().toStdString(), TextEdit->text().toStdString(), meldungen_)) {
        AbkEdit->setFocus(Qt::OtherFocusReason);
        AbkEdit->selectAll();
        return false;
    }
    for (int i = 0; Outline1->topLevelItemCount() > 0 && i < Outline1->topLevelItem(0)->childCount(); ++i) {
        QTreeWidgetItem* item = Outline1->topLevelItem(0)->child(i);
        if (item->data(0, Qt::UserRole).toInt() == gezeigt_)
            item->setText(0, QString::fromStdString(editor_->Eintraege()[static_cast<size_t>(gezeigt_)].Abk));
    }
    return true;
}

void TTextBausteinDlg::Fuellen(const std::vector<kontotyp>& textbausteine, Zufall& zufall) {
    zufall_ = &zufall;
    editor_ = std::make_unique<TextbausteinEditor>(textbausteine);
    gezeigt_ = Kopf;
    BaumAufbauen(Kopf);
    Outline1->setFocus(Qt::OtherFocusReason);
}

void TTextBausteinDlg::Uebernehmen(Datenbestand& d) const { TextbausteineUebernehmen(d, *editor_); }

bool TTextBausteinDlg::Bearbeiten(Datenbestand& d, Zufall& zufall) {
    Fuellen(d.Textbausteine, zufall);
    adjustSize();
    if (parentWidget()) move(parentWidget()->window()->geometry().center() - rect().center());
    if (exec() != QDialog::Accepted) return false;
    Uebernehmen(d);
    return true;
}

void TTextBausteinDlg::EinfgBtnClick() {
    if (!zufall_ || !Zurueckschreiben()) return;
    const int neu = editor_->Neu(*zufall_);
    if (neu < 0) return;
    BaumAufbauen(neu);
    AbkEdit->setFocus(Qt::OtherFocusReason);
    AbkEdit->selectAll();
}

void TTextBausteinDlg::LoeschBtnClick() {
    const int index = Auswahl();
    if (index == Kopf || editor_->Geschuetzt(index)) return;
    if (!editor_->Loeschen(index, meldungen_)) return;
    BaumAufbauen(Kopf);
}

void TTextBausteinDlg::ZurueckBtnClick() {
    AbkEdit->setText(gemerkteAbk_);
    TextEdit->setText(gemerkterText_);
}

void TTextBausteinDlg::OKBtnClick() {
    if (!Zurueckschreiben()) return;
    accept();
}
