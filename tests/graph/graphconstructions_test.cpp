#include "graph/graphview.h"

#include "model/measurement.h"
#include "platform/messages.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace titrage;

namespace {

const QColor kDerivative(200, 100, 100);
const QColor kAcidForm(0, 0, 200);
const QColor kBaseForm(255, 0, 0);

Model loaded(bool acide, int position, float c, float cb, const char* pka = nullptr) {
    Model m;
    initcatalogue(m);
    if (pka) chpk(m, acide, position, pka);
    BenchEntries e;
    e.acide = acide;
    e.position = position;
    e.c = c;
    e.cburette = cb;
    e.vsol = 20.0f;
    e.veau = 0.0f;
    e.vverse = 0.0f;
    loadModel(m, e);
    return m;
}

int count(const Canvas& c, QRect r, QColor colour) {
    int n = 0;
    for (int x = r.left(); x <= r.right(); ++x)
        for (int y = r.top(); y <= r.bottom(); ++y)
            n += c.pixel(x, y) == colour;
    return n;
}

QRect around(PlotPoint p, int radius) {
    return QRect(static_cast<int>(p.x) - radius, static_cast<int>(p.y) - radius, 2 * radius + 1,
                 2 * radius + 1);
}

} // namespace

TEST(GraphConstructions, TangentsDrawEAndAskNothing) {
    MessageRecorder messages;
    GraphView g;
    g.drawFrame(0.07f);
    Model m = loaded(true, 4, 0.01f, 0.01f);
    Model copy = m;
    const TangentConstruction t = tangente(copy, true);
    EXPECT_EQ(g.drawTangents(m, true), TangentOutcome::Complete);
    EXPECT_TRUE(messages.requests().empty());
    const Canvas& c = g.canvas();
    EXPECT_GT(count(c, QRect(int(t.label.x), int(t.label.y), 8, 12), Qt::black), 5); // "E"
    EXPECT_GT(count(c, around(t.e, 2), Qt::black), 2); // the parallel through E
    EXPECT_EQ(c.pixel(365, 100), Qt::black);           // the pH scale on the 25 mL line
}

TEST(GraphConstructions, CloseTangentsEndInTheErrorMessage) {
    MessageRecorder messages;
    GraphView g;
    g.drawFrame(0.07f);
    Model m = loaded(true, 14, 0.01f, 0.01f, "13,9");
    Model copy = m;
    const TangentConstruction t = tangente(copy, true);
    EXPECT_EQ(g.drawTangents(m, true), TangentOutcome::NoJump);
    ASSERT_EQ(messages.requests().size(), 1u);
    const MessageRequest& r = messages.requests().front();
    EXPECT_EQ(r.title, QStringLiteral("Erreur"));
    EXPECT_EQ(r.text, QStringLiteral("Cette courbe ne permet pas de déterminer les coordonnées du "
                                     "point d'équivalence."));
    EXPECT_EQ(r.icon, MessageIcon::Critical);
    EXPECT_GT(count(g.canvas(), around(t.t1.a, 2), Qt::black), 0); // the tangents stay drawn
}

TEST(GraphConstructions, NothingWhenTheEquivalenceIsOutOfReach) {
    MessageRecorder messages;
    GraphView g;
    g.drawFrame(0.07f);
    const QImage before = g.canvas().image().copy();
    Model m = loaded(true, 4, 0.0075f, 0.1f); // veq = 1.5 mL
    EXPECT_EQ(g.drawTangents(m, true), TangentOutcome::OutOfRange);
    EXPECT_EQ(g.canvas().image(), before);
    EXPECT_TRUE(messages.requests().empty());
}

TEST(GraphConstructions, DerivativeInItsColour) {
    GraphView g;
    g.drawFrame(0.07f);
    Model m = loaded(true, 4, 0.01f, 0.01f);
    Model copy = m;
    const auto points = btderive(copy);
    ASSERT_FALSE(points.empty());
    g.drawDerivative(m);
    EXPECT_GT(count(g.canvas(), around(points[points.size() / 2], 1), kDerivative), 0);
}

TEST(GraphConstructions, DistributionOverAWashedOutFrame) {
    GraphView g;
    g.drawDistributionFrame();
    const Canvas& c = g.canvas();
    EXPECT_EQ(c.pixel(100, 140), QColor(128, 128, 128)); // grid, palette dark grey
    EXPECT_EQ(c.pixel(40, 100), QColor(Qt::black));
    g.washOut();
    EXPECT_EQ(c.pixel(100, 140), QColor(228, 228, 228)); // 128 | 100
    EXPECT_EQ(c.pixel(40, 100), QColor(100, 100, 100));
    EXPECT_EQ(c.pixel(200, 101), QColor(Qt::white));

    Model m = loaded(true, 4, 0.01f, 0.01f);
    std::vector<DistributionVertex> vertices;
    walkDistribution(m, true, vertices);
    g.drawDistribution(vertices);
    // Half-equivalence at 10 mL: both forms cross at 50 %, y = 140.
    EXPECT_GT(count(c, QRect(167, 137, 7, 7), kAcidForm), 0);
    EXPECT_GT(count(c, QRect(167, 137, 7, 7), kBaseForm), 0);
    // The legend, antialiased: pixels of the text's hue.
    auto tinted = [&](QRect r, auto hue) {
        int n = 0;
        for (int x = r.left(); x <= r.right(); ++x)
            for (int y = r.top(); y <= r.bottom(); ++y)
                n += hue(c.pixel(x, y));
        return n;
    };
    EXPECT_GT(tinted(QRect(100, 5, 40, 12),
                     [](QColor p) { return p.blue() > 150 && p.red() < 120 && p.green() < 120; }),
              5); // "forme acide"
    EXPECT_GT(tinted(QRect(200, 5, 50, 12),
                     [](QColor p) { return p.red() > 200 && p.green() < 120 && p.blue() < 120; }),
              5); // "forme basique"

    // Drawing it again starts from a cleared picture.
    g.drawDistributionFrame();
    EXPECT_EQ(count(c, QRect(167, 137, 7, 7), kAcidForm), 0);
}

TEST(GraphConstructions, ReadoutSetsTooltipAndPointer) {
    GraphView g;
    g.updateReadout(QPoint(202 - GraphView::kLeft, 100), true); // logical x = 202
    EXPECT_EQ(g.toolTip(), QStringLiteral("V = 12,5 mL"));
    EXPECT_EQ(g.cursor().shape(), Qt::CrossCursor);
    g.updateReadout(QPoint(10, 100), true);
    EXPECT_EQ(g.toolTip(), QString());
    EXPECT_EQ(g.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(g.readout(QPointF(202.5, 140), false), QStringLiteral("V = 12,5 mL ; p = 50,0 %"));
}

TEST(GraphConstructions, PicturesForInspection) {
    const QByteArray dir = qgetenv("TITRAGE_PICTURES");
    if (dir.isEmpty()) GTEST_SKIP() << "set TITRAGE_PICTURES to write the pictures";
    MessageRecorder messages;
    const QDir out(QString::fromLocal8Bit(dir));
    struct Case {
        const char* file;
        bool acide;
        int position;
        float c, cb;
    };
    for (const Case& k : {Case{"tangents-ethanoic.png", true, 4, 0.01f, 0.01f},
                          Case{"tangents-hcl.png", true, 2, 0.01f, 0.01f},
                          Case{"tangents-ammonia.png", false, 1, 0.01f, 0.02f}}) {
        GraphView g;
        Model m = loaded(k.acide, k.position, k.c, k.cb);
        const float maxaxe = valimax(
                                 m,
                                 [&] {
                                     BenchEntries e;
                                     e.acide = k.acide;
                                     e.position = k.position;
                                     e.c = k.c;
                                     e.cburette = k.cb;
                                     e.vsol = 20.0f;
                                     e.veau = 0.0f;
                                     e.vverse = 0.0f;
                                     return e;
                                 }(),
                                 nullptr, false)
                                 .maxaxe;
        g.drawFrame(maxaxe);
        m = loaded(k.acide, k.position, k.c, k.cb);
        std::vector<CurveVertex> curve;
        walkCurve(m, {k.acide, k.position, 20.0f, 0.0f, k.cb}, maxaxe, curve);
        g.drawCurve(curve, QColor(0, 0, 255));
        m = loaded(k.acide, k.position, k.c, k.cb);
        g.drawTangents(m, k.acide);
        m = loaded(k.acide, k.position, k.c, k.cb);
        g.drawDerivative(m);
        EXPECT_TRUE(g.grab().save(out.filePath(QString::fromLatin1(k.file))));
    }
    GraphView g;
    g.drawDistributionFrame();
    Model m = loaded(true, 4, 0.01f, 0.01f);
    std::vector<CurveVertex> curve;
    walkCurve(m, {true, 4, 20.0f, 0.0f, 0.01f}, 0.07f, curve);
    g.drawCurve(curve, QColor(0, 0, 255));
    g.washOut();
    m = loaded(true, 4, 0.01f, 0.01f);
    std::vector<DistributionVertex> vertices;
    walkDistribution(m, true, vertices);
    g.drawDistribution(vertices);
    EXPECT_TRUE(g.grab().save(out.filePath(QStringLiteral("distribution.png"))));
}
