#pragma once
// The status line's texts for the control under the pointer or reached by
// the keyboard: a fixed text per control, or one chosen when the pointer
// enters or the focus arrives (the random-draw button tells what it will do
// now).

#include <QObject>
#include <QString>

#include <functional>
#include <map>
#include <optional>

class QLabel;
class QWidget;

namespace titrage {

class HoverTexts : public QObject {
public:
    HoverTexts(QLabel& status, QWidget& bench);

    void add(QWidget* control, const QString& text);
    // Chosen on entering; no text leaves the status line as it is.
    void add(QWidget* control, std::function<std::optional<QString>()> text);
    // Every control of `window` reached by the keyboard that has a tooltip
    // and no text here shows its tooltip when the focus arrives.
    void followFocus(QWidget& window);
    // The pointer moved over the window itself at `pos`: a disabled control
    // there still shows its text, elsewhere the welcome text shows.
    void pointerMoved(QPoint pos);

    static QString welcome();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel& m_status;
    QWidget& m_bench;
    std::map<const QObject*, std::function<std::optional<QString>()>> m_chosen;
};

} // namespace titrage
