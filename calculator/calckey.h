#pragma once
// A key of the calculator: a rounded face with a soft vertical gradient, its
// caption centred (a mnemonic "&" is underlined), an optional raised part for
// powers ("10" with "x" above), and a backspace arrow for the erase key.
// Keys never take the focus: the display keeps it, so that typing goes on.

#include <QAbstractButton>
#include <QColor>

namespace titrage {

class CalcKey : public QAbstractButton {
    Q_OBJECT

public:
    enum class Glyph { Text, Backspace };

    explicit CalcKey(QWidget* parent = nullptr);

    void setFace(QColor face) { m_face = face; }
    QColor face() const { return m_face; }
    void setSuperscript(const QString& raised) { m_superscript = raised; }
    QString superscript() const { return m_superscript; }
    void setGlyph(Glyph glyph) { m_glyph = glyph; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void drawCaption(QPainter& p, const QRectF& area) const;
    void drawBackspace(QPainter& p, const QRectF& area) const;

    QColor m_face = QColor(235, 235, 230);
    QString m_superscript;
    Glyph m_glyph = Glyph::Text;
};

} // namespace titrage
