#pragma once
// A paint device that keeps what is painted on it instead of pixels: each
// text with its baseline origin and font, each picture with its place. The
// printed page's painter draws on it as on a printer, so that tests read
// where every text and picture went, in the device's units.
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QString>

#include <vector>

namespace titrage::testing {

struct RecordedText {
    QString text;
    QPointF origin; // on the baseline
    QFont font;
};

struct RecordedImage {
    QRectF target;
    QSize size; // of the whole picture drawn from
};

class PageRecorder : public QPaintDevice {
public:
    // A page of `widthMm` x `heightMm` at `dpi` dots per inch.
    PageRecorder(double widthMm, double heightMm, int dpi = 1200)
        : m_width(static_cast<int>(widthMm / 25.4 * dpi)),
          m_height(static_cast<int>(heightMm / 25.4 * dpi)), m_dpi(dpi)
    {
    }

    QPaintEngine* paintEngine() const override { return &m_engine; }
    const std::vector<RecordedText>& texts() const { return m_engine.texts; }
    const std::vector<RecordedImage>& images() const { return m_engine.images; }
    void clear()
    {
        m_engine.texts.clear();
        m_engine.images.clear();
    }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth:
            return m_width;
        case PdmHeight:
            return m_height;
        case PdmWidthMM:
            return static_cast<int>(m_width * 25.4 / m_dpi);
        case PdmHeightMM:
            return static_cast<int>(m_height * 25.4 / m_dpi);
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return m_dpi;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    class Engine : public QPaintEngine {
    public:
        Engine() : QPaintEngine(QPaintEngine::AllFeatures) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        Type type() const override { return QPaintEngine::User; }
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawImage(const QRectF& r, const QImage& image, const QRectF&,
                       Qt::ImageConversionFlags) override
        {
            images.push_back({r, image.size()});
        }
        void drawTextItem(const QPointF& p, const QTextItem& item) override
        {
            texts.push_back({item.text(), p, item.font()});
        }
        void drawPath(const QPainterPath&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawLines(const QLineF*, int) override {}

        std::vector<RecordedText> texts;
        std::vector<RecordedImage> images;
    };

    int m_width;
    int m_height;
    int m_dpi;
    mutable Engine m_engine;
};

} // namespace titrage::testing
