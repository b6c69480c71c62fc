#pragma once

#include <QLineF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPointF>
#include <QString>

#include <vector>

// A paint device that keeps what is drawn on it: each text run with its
// position and each line, in the device's coordinates (1440 dpi, twips).
class RecordingEngine : public QPaintEngine
{
public:
    struct Text
    {
        QPointF at;
        QString text;
        qreal pixelSize;
    };

    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override {}
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    Type type() const override { return QPaintEngine::User; }

    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        const QTransform t = state->transform();
        texts.push_back({t.map(p), item.text(), item.font().pixelSize() * t.m22()});
    }
    void drawLines(const QLineF *lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            this->lines.push_back(state->transform().map(lines[i]));
    }
    void drawLines(const QLine *lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            this->lines.push_back(state->transform().map(QLineF(lines[i])));
    }

    std::vector<Text> texts;
    std::vector<QLineF> lines;
};

class RecordingDevice : public QPaintDevice
{
public:
    explicit RecordingDevice(QSizeF twips) : m_size(twips.toSize()) {}
    ~RecordingDevice() override = default;

    QPaintEngine *paintEngine() const override { return &m_engine; }
    RecordingEngine &engine() const { return m_engine; }

    QString allText() const
    {
        QString out;
        for (const auto &t : m_engine.texts)
            out += t.text + QLatin1Char('\n');
        return out;
    }

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
