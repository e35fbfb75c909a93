#pragma once
// The pictures in the header cells of the table of values: white Arial 8 on
// blue, with indices and exponents shifted off the base line.

#include <QImage>

namespace titrage {

inline constexpr int kHeaderHeight = 42; // pixels
extern const QColor kHeaderBlue;

// Header of column 0..5 (V1 (mL), sigma, [H3O+], [HO-], [acide], [base]) on a
// picture of `size` logical pixels, made at `devicePixelRatio` device pixels
// per logical one. A column outside 0..5 gives a plain blue picture.
QImage headerPicture(int column, QSize size, qreal devicePixelRatio = 1.0);
// The pH-meter's column, after the others: "pH" on one line.
inline constexpr int kPhHeaderColumn = 6;

} // namespace titrage
