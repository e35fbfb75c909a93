#pragma once
// How many pages a PDF file written by Qt holds: its page objects, counted in
// the file (Qt writes them uncompressed), -1 when it cannot be read.
#include <QFile>
#include <QRegularExpression>
#include <QString>

inline int pdfPages(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QString pdf = QString::fromLatin1(file.readAll());
    return static_cast<int>(pdf.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}
