#include "app/qtcsvexport.h"
#include "evaluation/tktostanddlg.h"

#include <QAction>
#include <QCollator>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStatusBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "store/einstellungen.h"
#include "store/qtmdilage.h"
#include "evaluation/kontostandanzeige.h"

using namespace talerwerk;

namespace {

constexpr int StandBreite = 100;
constexpr const char* LageAbschnitt = "KontoStand";
constexpr FensterLage LageVorgabe{50, 50, 204, 270};

// Colours of the settings file are 0x00BBGGRR.
QColor FarbeAus(int32_t wert) { return QColor(wert & 0xFF, (wert >> 8) & 0xFF, (wert >> 16) & 0xFF); }

// Row pictures, drawn here so the window needs no resource of its own: a bank card for a
// Bestandskonto, a stack of coins for a Sparkonto.
QIcon KontoBild(int32_t art) {
    QPixmap bild(16, 16);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    p.setRenderHint(QPainter::Antialiasing);
    if (art == ArtSparkonto) {
        p.setPen(QPen(QColor(140, 100, 10), 1));
        p.setBrush(QColor(240, 200, 60));
        for (int i = 0; i < 3; ++i) p.drawEllipse(QRectF(2.5, 9.5 - i * 3.5, 11, 5));
    } else {
        p.setPen(QPen(QColor(20, 60, 130), 1));
        p.setBrush(QColor(70, 130, 210));
        p.drawRoundedRect(QRectF(1.5, 3.5, 13, 9), 1.5, 1.5);
        p.fillRect(QRectF(2, 5.5, 12, 2), QColor(20, 40, 80));
        p.fillRect(QRectF(3.5, 9, 4, 1.5), QColor(240, 240, 240));
    }
    return QIcon(bild);
}

}  // namespace

TKtoStandDlg::TKtoStandDlg(Datenbestand& bestand, const Einstellungen& einstellungen, QString einstellungsDatei,
                           QWidget* eltern)
    : QWidget(eltern), bestand_(bestand), einstellungen_(einstellungen),
      einstellungsDatei_(std::move(einstellungsDatei)) {
    setWindowTitle(QStringLiteral("Kontostände"));
    setObjectName(QStringLiteral("KtoStandDlg"));

    BestandKtoBtn = Schalter(QStringLiteral("&Bestandsk."), QStringLiteral("Bestandskonten anzeigen"));
    BestandKtoBtn->setObjectName(QStringLiteral("BestandKtoBtn"));
    SparKtoBtn = Schalter(QStringLiteral("&Sparkonten"), QStringLiteral("Sparkonten anzeigen"));
    SparKtoBtn->setObjectName(QStringLiteral("SparKtoBtn"));
    GesamtBtn = Schalter(QStringLiteral("&Gesamt"), QStringLiteral("Gesamtsumme anzeigen"));
    GesamtBtn->setObjectName(QStringLiteral("GesamtBtn"));

    auto* leiste = new QHBoxLayout;
    leiste->setContentsMargins(2, 2, 2, 2);
    leiste->setSpacing(2);
    leiste->addWidget(BestandKtoBtn);
    leiste->addWidget(SparKtoBtn);
    leiste->addWidget(GesamtBtn);
    leiste->addStretch(1);
    CsvBtn = new QToolButton(this);
    CsvBtn->setObjectName(QStringLiteral("CsvBtn"));
    CsvBtn->setText(QStringLiteral("CSV…"));
    CsvBtn->setToolTip(QStringLiteral("Als CSV speichern…"));
    CsvBtn->setAutoRaise(true);
    // The window keeps the narrow size a user gave it: the button gives way there (the list's
    // context menu offers the same command).
    CsvBtn->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    leiste->addWidget(CsvBtn);
    connect(CsvBtn, &QToolButton::clicked, this, [this] {
        const KontoStandAnzeige anzeige =
            KontoStaendeAufbauen(bestand_, BestandKtoBtn->isChecked(), SparKtoBtn->isChecked());
        CsvExportieren(this, windowTitle(), [&](CsvAusgabe& aus) {
            KontostaendeAusgeben(anzeige, GesamtBtn->isChecked(), aus);
        });
    });

    KontoListView = new QTreeWidget(this);
    KontoListView->setObjectName(QStringLiteral("KontoListView"));
    KontoListView->setColumnCount(2);
    KontoListView->setHeaderLabels({QStringLiteral("Konto"), QStringLiteral("Stand")});
    KontoListView->headerItem()->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    KontoListView->setRootIsDecorated(false);
    auto* csvAktion = new QAction(QStringLiteral("Als CSV speichern…"), KontoListView);
    connect(csvAktion, &QAction::triggered, CsvBtn, &QToolButton::click);
    KontoListView->addAction(csvAktion);
    KontoListView->setContextMenuPolicy(Qt::ActionsContextMenu);
    KontoListView->setItemsExpandable(false);
    KontoListView->setUniformRowHeights(true);
    KontoListView->setSelectionMode(QAbstractItemView::SingleSelection);
    KontoListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    KontoListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    KontoListView->setSortingEnabled(false);
    KontoListView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    KontoListView->header()->setSectionsClickable(false);
    KontoListView->header()->setSectionsMovable(false);
    KontoListView->header()->setStretchLastSection(false);
    KontoListView->setColumnWidth(0, 80);
    KontoListView->setColumnWidth(1, StandBreite);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusPanel[0] = new QLabel(QStringLiteral("Gesamt"), StatusBar1);
    StatusPanel[1] = new QLabel(StatusBar1);
    StatusPanel[1]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    StatusPanel[1]->setFixedWidth(StandBreite);
    StatusBar1->addWidget(StatusPanel[0], 1);
    StatusBar1->addPermanentWidget(StatusPanel[1]);

    auto* spalte = new QVBoxLayout(this);
    spalte->setContentsMargins(0, 0, 0, 0);
    spalte->setSpacing(0);
    spalte->addLayout(leiste);
    spalte->addWidget(KontoListView, 1);
    spalte->addWidget(StatusBar1);

    for (QToolButton* knopf : {BestandKtoBtn, SparKtoBtn, GesamtBtn})
        connect(knopf, &QToolButton::toggled, this, [this] { Aktualisieren(); });
    setFocusProxy(KontoListView);
    KontoListView->viewport()->installEventFilter(this);
}

QToolButton* TKtoStandDlg::Schalter(const QString& text, const QString& hinweis) {
    auto* knopf = new QToolButton(this);
    knopf->setText(text);
    knopf->setToolTip(hinweis);
    knopf->setStatusTip(hinweis);
    knopf->setCheckable(true);
    knopf->setChecked(true);
    knopf->setAutoRaise(false);
    knopf->setToolButtonStyle(Qt::ToolButtonTextOnly);
    // Never squeezed below their text: the window rather grows beyond its default width.
    knopf->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    // The access keys of the main menu bar share these letters. They act only while this window
    // has the focus (see event()), so the button must not claim them for the whole main window.
    knopf->setShortcut(QKeySequence());
    return knopf;
}

QToolButton* TKtoStandDlg::SchalterFuerTaste(int taste) const {
    switch (taste) {
    case Qt::Key_B: return BestandKtoBtn;
    case Qt::Key_S: return SparKtoBtn;
    case Qt::Key_G: return GesamtBtn;
    default: return nullptr;
    }
}

bool TKtoStandDlg::event(QEvent* ereignis) {
    // Alt+B/S/G while the focus is in this window are the window's own access keys; claiming them
    // here keeps the main menu from taking them as well.
    if (ereignis->type() == QEvent::ShortcutOverride) {
        auto* taste = static_cast<QKeyEvent*>(ereignis);
        if (taste->modifiers() == Qt::AltModifier && SchalterFuerTaste(taste->key())) {
            ereignis->accept();
            return true;
        }
    }
    return QWidget::event(ereignis);
}

void TKtoStandDlg::keyPressEvent(QKeyEvent* ereignis) {
    if (ereignis->modifiers() == Qt::AltModifier) {
        if (QToolButton* knopf = SchalterFuerTaste(ereignis->key())) {
            knopf->click();
            return;
        }
    }
    QWidget::keyPressEvent(ereignis);
}

void TKtoStandDlg::Aktualisieren() {
    const KontoStandAnzeige anzeige =
        KontoStaendeAufbauen(bestand_, BestandKtoBtn->isChecked(), SparKtoBtn->isChecked());

    // The list keeps its rows in the order of their captions.
    std::vector<const KontoStandZeile*> zeilen;
    for (const KontoStandZeile& z : anzeige.Zeilen) zeilen.push_back(&z);
    QCollator sortierung(QLocale(QLocale::German, QLocale::Germany));
    sortierung.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(zeilen.begin(), zeilen.end(), [&](const KontoStandZeile* a, const KontoStandZeile* b) {
        return sortierung.compare(QString::fromStdString(a->Konto), QString::fromStdString(b->Konto)) < 0;
    });

    KontoListView->clear();
    const QIcon bestandBild = KontoBild(ArtBestandskonto);
    const QIcon sparBild = KontoBild(ArtSparkonto);
    for (const KontoStandZeile* z : zeilen) {
        auto* item = new QTreeWidgetItem(KontoListView);
        item->setText(0, QString::fromStdString(z->Konto));
        item->setIcon(0, z->Art == ArtSparkonto ? sparBild : bestandBild);
        item->setText(1, QString::fromStdString(z->StandText));
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }

    if (GesamtBtn->isChecked()) {
        StatusPanel[1]->setText(QString::fromStdString(anzeige.GesamtText));
        QPalette farben = StatusPanel[1]->palette();
        farben.setColor(QPalette::WindowText,
                        FarbeAus(anzeige.GesamtNegativ ? einstellungen_.Negativ : einstellungen_.Positiv));
        StatusPanel[1]->setPalette(farben);
        StatusBar1->show();
    } else {
        StatusBar1->hide();
    }
}

void TKtoStandDlg::AnsichtAktualisieren(int art) {
    if (art == 1 || art == 2 || art == 4) Aktualisieren();
}

void TKtoStandDlg::showEvent(QShowEvent* ereignis) {
    QWidget::showEvent(ereignis);
    Aktualisieren();
}

void TKtoStandDlg::SpaltenAnpassen() {
    // "Konto" takes what "Stand" leaves. The list's viewport is already narrowed by a vertical
    // scroll bar when one is shown, so no room is kept for one that is not there.
    KontoListView->setColumnWidth(0, std::max(40, KontoListView->viewport()->width() - KontoListView->columnWidth(1)));
}

QMdiSubWindow* TKtoStandDlg::ImRahmen(TKtoStandDlg* dlg) {
    FensterLage lage = LageVorgabe;
    if (!dlg->einstellungsDatei_.isEmpty())
        lage = FensterLageLesen(dlg->einstellungsDatei_.toStdString(), LageAbschnitt, LageVorgabe);
    return RahmenMitLage(dlg, lage, LageVorgabe, 50, [dlg](const QRect& g) { dlg->LageSpeichern(g); });
}

bool TKtoStandDlg::eventFilter(QObject* objekt, QEvent* ereignis) {
    if (objekt == KontoListView->viewport() && ereignis->type() == QEvent::Resize) SpaltenAnpassen();
    return QWidget::eventFilter(objekt, ereignis);
}

void TKtoStandDlg::LageSpeichern(const QRect& g) {
    if (einstellungsDatei_.isEmpty()) return;
    FensterLageSpeichern(einstellungsDatei_.toStdString(), LageAbschnitt, {g.x(), g.y(), g.width(), g.height()});
}
