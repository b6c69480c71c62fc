#pragma once

#include "print/PreviewDocument.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPointF>
#include <QString>

#include <vector>

// A paint device that keeps each text run drawn on it with its position, in
// the device's coordinates (1440 dpi, twips). Other drawing is dropped.
class RecordingEngine : public QPaintEngine
{
public:
    struct Text
    {
        QPointF at;
        QString text;
    };

    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override {}
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawLines(const QLineF *, int) override {}
    void drawLines(const QLine *, int) override {}
    Type type() const override { return QPaintEngine::User; }

    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        texts.push_back({state->transform().map(p), item.text()});
    }

    std::vector<Text> texts;
};

class RecordingDevice : public QPaintDevice
{
public:
    explicit RecordingDevice(QSizeF twips) : m_size(twips.toSize()) {}
    ~RecordingDevice() override = default;

    QPaintEngine *paintEngine() const override { return &m_engine; }
    RecordingEngine &engine() const { return m_engine; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth: return m_size.width();
        case PdmHeight: return m_size.height();
        case PdmWidthMM: return int(m_size.width() * 25.4 / 1440);
        case PdmHeightMM: return int(m_size.height() * 25.4 / 1440);
        case PdmNumColors: return 0x7fffffff;
        case PdmDepth: return 32;
        case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return 1440;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        default: return 0;
        }
    }

private:
    QSize m_size;
    mutable RecordingEngine m_engine;
};

// Every text run paintPage draws on page, where it draws it.
inline std::vector<RecordingEngine::Text> drawnTexts(const PreviewDocument &doc, int page)
{
    RecordingDevice device(doc.pageSizeTwips());
    {
        QPainter painter(&device);
        doc.paintPage(painter, page);
    }
    return device.engine().texts;
}
