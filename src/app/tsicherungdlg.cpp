#include "app/tsicherungdlg.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "store/sicherungskopien.h"

namespace {

QString Groesse(uint64_t bytes) {
    const QLocale de(QLocale::German, QLocale::Germany);
    if (bytes < 1024) return QStringLiteral("%1 Byte").arg(bytes);
    if (bytes < 1024 * 1024) return de.toString(static_cast<double>(bytes) / 1024, 'f', 1) + QStringLiteral(" KB");
    return de.toString(static_cast<double>(bytes) / (1024 * 1024), 'f', 1) + QStringLiteral(" MB");
}

}  // namespace

TSicherungDlg::TSicherungDlg(const QString& datei, QWidget* eltern) : QDialog(eltern) {
    setObjectName(QStringLiteral("SicherungDlg"));
    setWindowTitle(QStringLiteral("Sicherungskopie wiederherstellen"));

    auto* erklaerung = new QLabel(
        QStringLiteral("Sicherungskopien von \"%1\".\nDie gewählte Kopie wird als neue, unbenannte Datei geöffnet; "
                       "die Kopie selbst und die Datendatei bleiben unverändert.")
            .arg(QFileInfo(datei).fileName()),
        this);
    erklaerung->setWordWrap(true);

    KopienListe = new QTreeWidget(this);
    KopienListe->setObjectName(QStringLiteral("KopienListe"));
    KopienListe->setRootIsDecorated(false);
    KopienListe->setHeaderLabels({QStringLiteral("Gespeichert am"), QStringLiteral("Größe"), QStringLiteral("Buchungen")});
    KopienListe->header()->setStretchLastSection(false);
    KopienListe->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    const QLocale de(QLocale::German, QLocale::Germany);
    for (const talerwerk::Sicherungskopie& k : talerwerk::SicherungenAuflisten(datei.toStdString())) {
        // "2026-12-08 11:15:30" shown the German way
        const QString z = QString::fromStdString(k.Zeitpunkt);
        const QString zeit = z.mid(8, 2) + QLatin1Char('.') + z.mid(5, 2) + QLatin1Char('.') + z.left(4) + z.mid(10);
        auto* zeile = new QTreeWidgetItem(KopienListe, {zeit, Groesse(k.Groesse),
                                                        k.Buchungen < 0 ? QStringLiteral("unlesbar")
                                                                        : de.toString(static_cast<qlonglong>(k.Buchungen))});
        zeile->setData(0, Qt::UserRole, QString::fromStdString(k.Pfad));
        zeile->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        zeile->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    }
    auto* leer = new QLabel(QStringLiteral("Zu dieser Datei gibt es keine Sicherungskopien."), this);
    leer->setVisible(KopienListe->topLevelItemCount() == 0);

    OeffnenBtn = new QPushButton(QStringLiteral("Ö&ffnen"), this);
    OeffnenBtn->setObjectName(QStringLiteral("OeffnenBtn"));
    OeffnenBtn->setDefault(true);
    AbbruchBtn = new QPushButton(QStringLiteral("Abbrechen"), this);
    AbbruchBtn->setObjectName(QStringLiteral("AbbruchBtn"));

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch(1);
    knoepfe->addWidget(OeffnenBtn);
    knoepfe->addWidget(AbbruchBtn);
    auto* haupt = new QVBoxLayout(this);
    haupt->addWidget(erklaerung);
    haupt->addWidget(KopienListe);
    haupt->addWidget(leer);
    haupt->addLayout(knoepfe);
    resize(460, 300);

    if (KopienListe->topLevelItemCount() > 0) KopienListe->setCurrentItem(KopienListe->topLevelItem(0));
    OeffnenBtn->setEnabled(KopienListe->currentItem() != nullptr);
    KopienListe->setFocus();
    connect(KopienListe, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* aktuell) { OeffnenBtn->setEnabled(aktuell != nullptr); });
    connect(KopienListe, &QTreeWidget::itemActivated, this, &QDialog::accept);
    connect(OeffnenBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(AbbruchBtn, &QPushButton::clicked, this, &QDialog::reject);
}

QString TSicherungDlg::GewaehlteKopie() const {
    const QTreeWidgetItem* zeile = KopienListe->currentItem();
    return zeile ? zeile->data(0, Qt::UserRole).toString() : QString();
}
