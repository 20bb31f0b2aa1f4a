#pragma once

#include <QPaintDevice>
#include <QSize>
#include <memory>
#include <string>

namespace kalvor {

class SvgStreamEngine;

/// A paint device that turns what a QPainter draws on it into compact SVG, streamed to a
/// temporary file so that memory stays flat however much is drawn. Consecutive strokes with
/// the same pen share one path; hatch brushes become patterns (their tile scaled by the
/// brush transform), texts text elements and images embedded PNGs. It cannot clip: the
/// painter's clip is ignored. Owns its paint engine and the temporary file.
class SvgStream : public QPaintDevice {
public:
    explicit SvgStream(QSize size);
    ~SvgStream() override;

    QPaintEngine* paintEngine() const override;
    /// Forgets everything drawn so far; an active painter may go on drawing.
    void restart();
    /// Writes the document drawn so far, `size` pixels large, to `path`, atomically; drawing may go
    /// on after it. False when the file (or the temporary file) could not be written.
    bool save(const std::string& path, QSize size);

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize m_size;
    std::unique_ptr<SvgStreamEngine> m_engine;
};

}  // namespace kalvor
