#pragma once
// The apparatus picture `picburette`: burette on its stand above a beaker on a
// magnetic stirrer, and the conductimeter whose cell dips into the beaker.
// `imafond` draws the static scene and keeps it as the canvas background;
// `niveaubecher` redraws only the liquids and what lies over them, cheaply
// enough for every 0.1 mL of pouring. The live controls of the main window
// (tap, buttons, boxes, the conductimeter display) are laid over the picture
// at `overlayRect`.

#include "bench/core/indicators.h"
#include "platform/canvas.h"

#include <QFont>
#include <QPixmap>
#include <QRect>
#include <QString>

#include <array>
#include <optional>

namespace titrage {

struct SceneState {
    bool burette = true;       // optscema(0) "Burette et agitateur magnétique"
    bool conductimetre = true; // optscema(1) "Conductimètre"
    bool acide = true; // Option1(0): the burette holds sodium hydroxide, else hydrochloric acid
    double vsol = 20, veau = 0, vpoured = 0;
    Rgb liquid{230, 240, 250}; // base colour from indicatorColour(lindic, phcalc)
    bool tapOpen = false;      // Timer1 running: open-tap picture and the stream of titrant
    int mixTitrant = -1;       // a mixture's titrant (MixTitrant), -1 for a single couple
    double cloudiness = 0;     // 0 (clear) to 1: the precipitate's white cloud in the beaker
    bool phmetre = false;      // the pH-meter's probe and display
    QString phText;            // what its display shows ("pH = 3,02")
};

enum class Overlay {
    Tap,                  // Image3
    DropButton,           // Image1
    EmptyBurette,         // Command6 "Vider la burette"
    FastPlot,             // Command13 "Trace rapide"
    Restart,              // Command14 "0"
    BuretteConcentration, // Text1(1)
    PouredVolume,         // Labelbur
    Conductimeter,        // LabelpH
};

class ApparatusView : public CanvasWidget {
    Q_OBJECT

public:
    static constexpr QSize kSize{260, 560};

    explicit ApparatusView(QWidget* parent = nullptr);

    // Static scene, kept as the canvas background; sets decalage.
    void imafond(const SceneState& s);
    // Live layer over the background: liquids, beaker, cell, stream, tap; sets niveau.
    void niveaubecher(const SceneState& s);
    int niveau() const { return m_niveau; }
    int decalage() const { return m_decalage; }

    // The pH-meter's display showing `text`, over the live layer: the
    // measurement refreshes it between two redrawings of the liquids.
    void showPh(const QString& text);
    // What the display shows; empty while the pH-meter is not on the bench.
    QString phShown() const { return m_background.phmetre ? m_live.phText : QString(); }
    // The pH-meter's display window, in picture units, as the last imafond
    // placed it (on the conductimeter, or in its place when it is hidden).
    QRect phDisplayRect() const;
    // The display's font: the conductimeter's reading's.
    static QFont phDisplayFont();

    // The drop picture with its top-left corner at (x, y), over the live layer.
    void drawDropSprite(double x, double y);
    // The beaker rim drawn again over a falling drop (at its place without decalage).
    void redrawBeakerRim();

    // Where a live control goes, in widget coordinates (one per logical unit).
    QRect overlayRect(Overlay which) const;
    // The caption line a value box sits on ("c₁ = [box] mol · L⁻¹", "V₁ =
    // [box]"): the top of its text in picture units and the captions' font,
    // so that a value written into the picture for a copy or a print sits on
    // its caption's baseline in its size. Nothing for the other overlays.
    struct CaptionLine {
        double top = 0;
        QFont font;
    };
    static std::optional<CaptionLine> captionLine(Overlay which);
    // Whether the view that carries the control is ticked in the last imafond.
    bool overlayVisible(Overlay which) const;

    // The two lines naming the titrant in the burette caption, after the bullet.
    static std::array<QString, 2> solutionCaption(bool acide);
    // The same lines for a mixture's titrant (MixTitrant).
    static std::array<QString, 2> mixtureCaption(int titrant);

    static QPixmap tapPicture(bool open);
    static QPixmap dropPicture();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void drawBurette();
    void drawConductimeter(int decalage);
    void drawPhMeter(int decalage, bool onConductimeter);
    void drawPhProbe(const SceneState& s, int surface);
    void drawPhDisplay(const QString& text);
    void drawCaption(bool acide);
    void drawBuretteLiquid(double vpoured);
    void drawBeaker(const SceneState& s);

    SceneState m_background; // state of the last imafond
    SceneState m_live;       // state of the last niveaubecher
    bool m_haveBackground = false;
    bool m_haveLive = false;
    int m_niveau = 449;
    int m_decalage = 0;
};

} // namespace titrage
