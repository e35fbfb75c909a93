#pragma once
// What a student sees of a dialog, a menu or a message box as it comes up:
// its size and the fonts and pictures of its controls, to compare one opened
// from a bench at its design size with one opened from a bench shown larger.

#include "platform/layoutscaler.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace titrage::testing {

struct WindowLook {
    QSize size;
    std::vector<double> fonts;   // the window's, then each control's, in creation order
    std::vector<QSize> pictures; // icons of buttons, pictures of labels
};

// Shows `window` (offscreen) as the student would get it, reads it, hides it.
inline WindowLook lookOf(QWidget& window)
{
    window.show();
    WindowLook look;
    look.size = window.size();
    look.fonts.push_back(window.font().pointSizeF());
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (w->window() != &window) continue;
        look.fonts.push_back(w->font().pointSizeF());
        if (auto* b = qobject_cast<QAbstractButton*>(w); b && !b->icon().isNull())
            look.pictures.push_back(b->iconSize());
        if (auto* l = qobject_cast<QLabel*>(w); l && !l->pixmap().isNull())
            look.pictures.push_back(l->pixmap().size());
    }
    window.hide();
    return look;
}

// Every font `scale` times the design's, every picture and the window's size
// about as much (the style rounds its sizes to whole pixels).
inline void expectScaled(const WindowLook& design, const WindowLook& shown, double scale,
                         const std::string& what)
{
    SCOPED_TRACE(what);
    ASSERT_EQ(shown.fonts.size(), design.fonts.size());
    for (std::size_t i = 0; i < design.fonts.size(); ++i)
        EXPECT_NEAR(shown.fonts[i], design.fonts[i] * scale, 0.01) << "font " << i;
    ASSERT_EQ(shown.pictures.size(), design.pictures.size());
    for (std::size_t i = 0; i < design.pictures.size(); ++i) {
        EXPECT_NEAR(shown.pictures[i].width(), design.pictures[i].width() * scale, 2) << i;
        EXPECT_NEAR(shown.pictures[i].height(), design.pictures[i].height() * scale, 2) << i;
    }
    const double sx = double(shown.size.width()) / design.size.width();
    const double sy = double(shown.size.height()) / design.size.height();
    EXPECT_NEAR(sx, scale, 0.12 * scale) << design.size.width() << " → " << shown.size.width();
    EXPECT_NEAR(sy, scale, 0.12 * scale) << design.size.height() << " → " << shown.size.height();
}

// Makes `bench` a bench laid out at 800 × 600 and shows it at `shown`.
inline LayoutScaler* showBenchAt(QWidget& bench, QSize shown)
{
    auto* scaler = new LayoutScaler(&bench, QSize(800, 600));
    bench.resize(shown);
    scaler->fit(shown);
    return scaler;
}

} // namespace titrage::testing
