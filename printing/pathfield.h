#pragma once
// The read-only box of the print dialog that names where the pages go: a
// printer, or a PDF file. A path longer than the box loses folders from its
// middle ("/home/…/Documents/titre.pdf"), never its file name, which is what
// the student checks; the whole path is the box's tooltip. The box asks for
// room enough to show the file name whole.

#include <QLineEdit>

namespace titrage {

// `path` as it fits in `width` pixels of `metrics`: whole when it fits, else
// with the folders nearest the root replaced by "…" and the file name kept
// whole; a file name too long on its own is cut in its middle.
QString elidedPath(const QString& path, const QFontMetricsF& metrics, qreal width);

class PathField : public QLineEdit {
    Q_OBJECT

public:
    explicit PathField(QWidget* parent = nullptr);

    // Shows `path` (a printer's name or a file's path) as it fits.
    void setPath(const QString& path);
    QString path() const { return m_path; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void showFitted();
    // The width the text may take inside the frame.
    qreal textRoom() const;
    // The box's width for `text` shown whole.
    int widthFor(const QString& text) const;

    QString m_path;
};

} // namespace titrage
