#pragma once
// What the window tests share: a picture of a window to look at, an access key typed as a user
// types it, a tree node found by its text.

#include <QApplication>
#include <QString>
#include <QTest>
#include <QTreeWidget>
#include <QWidget>

// With TALERWERK_BILDER set to a folder, the window as it looks is saved there, to be looked at.
inline void Bild(QWidget* w, const char* name) {
    const QString ordner = qEnvironmentVariable("TALERWERK_BILDER");
    if (!ordner.isEmpty()) w->grab().save(ordner + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
}

// An access key as typed: to the widget that has the keyboard focus.
inline void Zugriffstaste(Qt::Key taste) {
    QWidget* ziel = QApplication::focusWidget();
    if (ziel) QTest::keyClick(ziel, taste, Qt::AltModifier);
}

// The first node with exactly this text, anywhere in the tree; nullptr when there is none.
inline QTreeWidgetItem* Knoten(QTreeWidget* baum, const QString& text) {
    const auto treffer = baum->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return treffer.isEmpty() ? nullptr : treffer.front();
}
