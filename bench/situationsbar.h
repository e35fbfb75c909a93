#pragma once
// The ten situation buttons under the pages, each in its colour, and the
// colour square beside the one chosen.

#include "model/situations.h"

#include <QColor>
#include <QObject>

#include <array>

class QFrame;
class QPainter;
class QRadioButton;
class QWidget;

namespace titrage {

class SituationsBar : public QObject {
    Q_OBJECT

public:
    explicit SituationsBar(QWidget& bench);

    std::array<QRadioButton*, kSituations> Option2{};
    QFrame* Shape3 = nullptr;

    void setCaptions();
    // Their places in the window's design units.
    void layout(int left, int top, int step);
    // The colour of situation k's curve and crosses.
    QColor colour(int k) const;
    // Shows k as the chosen situation, without running its handler.
    void markChosen(int k);
    // The colour square beside the chosen button.
    void showColour(int k);
    // The situations are one Tab stop, the one chosen.
    void keepTabStop();
    // A dot in each situation's colour above its button.
    void paintDots(QPainter& p) const;

signals:
    void chosen(int k);

private:
    QRect designGeometry(const QWidget* control) const;

    QWidget& m_bench;
};

} // namespace titrage
