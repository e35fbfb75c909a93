#include "exercises/richtextdocument.h"

#include "exercises/textarea.h"

#include <QBrush>
#include <QColor>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFragment>

#include <cmath>

namespace titrage {

namespace {

Qt::Alignment qtAlignment(RtfAlign align)
{
    switch (align) {
    case RtfAlign::Center:
        return Qt::AlignHCenter;
    case RtfAlign::Right:
        return Qt::AlignRight;
    case RtfAlign::Justify:
        return Qt::AlignJustify;
    case RtfAlign::Left:
        break;
    }
    return Qt::AlignLeft;
}

RtfAlign rtfAlignment(Qt::Alignment align)
{
    if (align & Qt::AlignHCenter) return RtfAlign::Center;
    if (align & Qt::AlignRight) return RtfAlign::Right;
    if (align & Qt::AlignJustify) return RtfAlign::Justify;
    return RtfAlign::Left;
}

QTextCharFormat qtFormat(const RtfCharFormat& f)
{
    QTextCharFormat format;
    format.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(f.italic);
    format.setFontUnderline(f.underline);
    if (f.halfPoints > 0) format.setFontPointSize(f.halfPoints / 2.0);
    if (f.color) format.setForeground(QColor::fromRgb(static_cast<QRgb>(*f.color)));
    switch (f.vertical) {
    case RtfVertical::Super:
        format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        break;
    case RtfVertical::Sub:
        format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        break;
    case RtfVertical::Normal:
        format.setVerticalAlignment(QTextCharFormat::AlignNormal);
        break;
    }
    return format;
}

RtfCharFormat rtfFormat(const QTextCharFormat& format)
{
    RtfCharFormat f;
    f.bold = format.fontWeight() >= QFont::DemiBold;
    f.italic = format.fontItalic();
    f.underline = format.fontUnderline();
    if (format.hasProperty(QTextFormat::FontPointSize)) {
        const double halves = std::round(format.fontPointSize() * 2.0);
        if (halves > 0 && halves <= 3276) f.halfPoints = static_cast<int>(halves);
    }
    if (format.hasProperty(QTextFormat::ForegroundBrush) &&
        format.foreground().style() != Qt::NoBrush)
        f.color = format.foreground().color().rgb() & 0xFFFFFFu;
    switch (format.verticalAlignment()) {
    case QTextCharFormat::AlignSuperScript:
        f.vertical = RtfVertical::Super;
        break;
    case QTextCharFormat::AlignSubScript:
        f.vertical = RtfVertical::Sub;
        break;
    default:
        break;
    }
    return f;
}

} // namespace

void fillDocument(QTextDocument& document, const RtfText& text)
{
    document.clear();
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    bool first = true;
    for (const RtfParagraph& p : text.paragraphs) {
        QTextBlockFormat block;
        block.setAlignment(qtAlignment(p.align));
        if (first)
            cursor.setBlockFormat(block);
        else
            cursor.insertBlock(block, QTextCharFormat());
        first = false;
        for (const RtfRun& r : p.runs)
            cursor.insertText(QString::fromStdString(r.text), qtFormat(r.format));
    }
    cursor.endEditBlock();
}

RtfText documentText(const QTextDocument& document)
{
    RtfText text;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        RtfParagraph p;
        p.align = rtfAlignment(block.blockFormat().alignment());
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid()) continue;
            QString chunk = fragment.text();
            chunk.remove(QChar::ObjectReplacementCharacter);
            appendRun(p, chunk.toStdString(), rtfFormat(fragment.charFormat()));
        }
        text.paragraphs.push_back(std::move(p));
    }
    return text;
}

// Both go through the checked reader and the whole-file save of textarea.h.
bool loadRichText(QTextEdit& edit, const QString& path)
{
    return loadTextArea(edit, path) == TextLoad::Ok;
}

bool saveRichText(const QTextEdit& edit, const QString& path)
{
    return saveTextArea(edit, path);
}

} // namespace titrage
