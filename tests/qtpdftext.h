#pragma once
// The text of a PDF as pdftotext reads it (poppler-utils, installed by scripts/install-deps.sh);
// empty when the tool is missing, so that a window test still checks that its file was written.

#include <QProcess>
#include <QStandardPaths>
#include <QString>

inline QString PdfText(const QString& pfad) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) return {};
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pfad, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}
