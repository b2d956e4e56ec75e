#include "journal/DriftPicture.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

#include "journal/DriftChartLayout.h"

namespace tb::journal {
namespace {

// The picture is drawn for print: 300 dots per inch.
constexpr int kDotsPerMetre = 11811;
const QColor kFoundColour(30, 80, 200);
const QColor kLeftColour(20, 140, 60);
const QColor kLimitColour(200, 60, 60);

using Value = std::function<std::optional<double>(const std::optional<pages::Correction>&)>;

struct Panel {
    QString caption;
    Value value;
    std::optional<std::pair<double, double>> limits;
    QString limitsCaption;
};

// The visits' labels are turned this far, so that twelve fit side by side.
constexpr double kLabelAngle = 60.0;
constexpr double kPi = 3.14159265358979323846;

// Where things go in a panel: a caption line above the plot, tick labels to
// its left, the visits' labels (turned) below it, each given the room its
// longest text takes.
struct PanelFrame {
    QRectF caption;
    QRectF plot;
};

PanelFrame FrameOf(const QRectF& area, const QFontMetricsF& metrics, double longestLabel,
                   std::size_t visits) {
    const double line = metrics.height();
    const double angle = kLabelAngle * kPi / 180.0;
    const double tickWidth = metrics.horizontalAdvance(QStringLiteral("-00.000")) + line * 0.6;
    const double labelDepth = longestLabel * std::sin(angle) + line * 1.5;
    // The first label reaches left of its visit; the plot starts far enough
    // in for it to stay inside the panel.
    const double reach = longestLabel * std::cos(angle);
    const double width = area.width() - tickWidth - line;
    const double halfStep = width / (2.0 * static_cast<double>(std::max<std::size_t>(visits, 1)));
    const double left = std::max(tickWidth, reach - halfStep + line * 0.5);
    PanelFrame frame;
    frame.caption = QRectF(area.left() + left, area.top(), area.width() - left - line, line * 1.4);
    frame.plot = QRectF(area.left() + left, frame.caption.bottom() + line * 0.3,
                        area.width() - left - line, 0);
    frame.plot.setBottom(std::max(frame.plot.top() + line, area.bottom() - labelDepth));
    return frame;
}

void DrawValueAxis(QPainter& painter, const QRectF& plot, const ValueAxis& axis,
                   const std::function<double(double)>& y) {
    const QFontMetricsF metrics(painter.font());
    for (const double tick : axis.ticks) {
        painter.setPen(QPen(QColor(225, 225, 225), 1));
        painter.drawLine(QPointF(plot.left(), y(tick)), QPointF(plot.right(), y(tick)));
        painter.setPen(Qt::black);
        const QRectF label(plot.left() - plot.width(), y(tick) - metrics.height() / 2,
                           plot.width() - metrics.height() * 0.3, metrics.height());
        painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter,
                         QString::fromStdString(TickLabel(axis, tick)));
    }
}

std::vector<QString> VisitLabels(const std::vector<DriftVisit>& visits) {
    const TimeDetail detail = TimeDetailFor(visits);
    std::vector<QString> labels;
    for (const DriftVisit& visit : visits)
        labels.push_back(QString::fromStdString(VisitLabel(visit, detail)));
    return labels;
}

// Each visit's label below its place on the time axis, turned.
void DrawVisitLabels(QPainter& painter, const QRectF& plot, const std::vector<QString>& labels,
                     const std::function<double(std::size_t)>& x) {
    const QFontMetricsF metrics(painter.font());
    painter.setPen(Qt::black);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        painter.drawLine(QPointF(x(i), plot.bottom()), QPointF(x(i), plot.bottom() + 6));
        const QString& label = labels[i];
        painter.save();
        painter.translate(x(i), plot.bottom() + metrics.height() * 0.5);
        painter.rotate(-kLabelAngle);
        painter.drawText(QPointF(-metrics.horizontalAdvance(label), metrics.ascent() / 2), label);
        painter.restore();
    }
}

void DrawSeries(QPainter& painter, const std::vector<DriftVisit>& visits, const Value& value,
                const std::function<double(std::size_t)>& x, const std::function<double(double)>& y) {
    const double dot = QFontMetricsF(painter.font()).height() * 0.18;
    QPainterPath line;
    bool started = false;
    painter.setPen(QPen(kFoundColour, dot * 0.8));
    painter.setBrush(kFoundColour);
    for (std::size_t i = 0; i < visits.size(); ++i) {
        const auto found = value(visits[i].asFound);
        if (!found) continue;
        const QPointF point(x(i), y(*found));
        started ? line.lineTo(point) : line.moveTo(point);
        started = true;
        painter.drawEllipse(point, dot, dot);
    }
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(line);
    painter.setPen(QPen(kLeftColour, dot * 0.7));
    for (std::size_t i = 0; i < visits.size(); ++i)
        if (const auto left = value(visits[i].asLeft))
            painter.drawEllipse(QPointF(x(i), y(*left)), dot * 1.8, dot * 1.8);
}

void DrawPanel(QPainter& painter, const QRectF& area, const std::vector<DriftVisit>& visits,
               const Panel& panel) {
    std::vector<double> values;
    for (const DriftVisit& visit : visits) {
        if (auto found = panel.value(visit.asFound)) values.push_back(*found);
        if (auto left = panel.value(visit.asLeft)) values.push_back(*left);
    }
    const ValueAxis axis = ValueAxisFor(values, panel.limits);
    const std::vector<QString> labels = VisitLabels(visits);
    const QFontMetricsF metrics(painter.font());
    double longestLabel = 0;
    for (const QString& label : labels)
        longestLabel = std::max(longestLabel, metrics.horizontalAdvance(label));
    const PanelFrame frame = FrameOf(area, metrics, longestLabel, visits.size());
    const QRectF& plot = frame.plot;
    const auto y = [&](double v) {
        return plot.bottom() - plot.height() * (v - axis.low) / (axis.high - axis.low);
    };
    // Half a step of room before the first and after the last visit.
    const auto x = [&](std::size_t i) {
        return plot.left() + plot.width() * (static_cast<double>(i) + 0.5) /
                                 static_cast<double>(std::max<std::size_t>(visits.size(), 1));
    };

    QFont bold = painter.font();
    bold.setBold(true);
    painter.save();
    painter.setFont(bold);
    painter.setPen(Qt::black);
    painter.drawText(frame.caption, Qt::AlignLeft | Qt::AlignVCenter, panel.caption);
    painter.restore();
    if (panel.limits) {
        painter.setPen(kLimitColour);
        painter.drawText(frame.caption, Qt::AlignRight | Qt::AlignVCenter,
                         panel.limitsCaption + QStringLiteral(" ") +
                             QString::fromStdString(LimitsText(axis, *panel.limits)));
    }
    DrawValueAxis(painter, plot, axis, y);
    if (panel.limits) {
        painter.setPen(QPen(kLimitColour, 2, Qt::DashLine));
        for (double limit : {panel.limits->first, panel.limits->second})
            if (OnAxis(axis, limit))
                painter.drawLine(QPointF(plot.left(), y(limit)), QPointF(plot.right(), y(limit)));
    }
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);
    DrawVisitLabels(painter, plot, labels, x);
    DrawSeries(painter, visits, panel.value, x, y);
}

// The key under the panels' captions: line, circle and dashes.
void DrawKey(QPainter& painter, const QRectF& area, const DriftCaptions& captions) {
    const QFontMetricsF metrics(painter.font());
    const double unit = metrics.height();
    double left = area.right() - unit;
    const auto entry = [&](const QString& text, const std::function<void(const QPointF&)>& mark) {
        left -= metrics.horizontalAdvance(text);
        painter.setPen(Qt::black);
        painter.drawText(QPointF(left, area.top() + metrics.ascent()), text);
        left -= unit * 1.6;
        mark(QPointF(left + unit * 0.7, area.top() + unit / 2));
        left -= unit * 1.2;
    };
    entry(QString::fromStdString(captions.limits), [&](const QPointF& at) {
        painter.setPen(QPen(kLimitColour, 2, Qt::DashLine));
        painter.drawLine(at - QPointF(unit * 0.6, 0), at + QPointF(unit * 0.6, 0));
    });
    entry(QString::fromStdString(captions.asLeft), [&](const QPointF& at) {
        painter.setPen(QPen(kLeftColour, unit * 0.12));
        painter.drawEllipse(at, unit * 0.3, unit * 0.3);
    });
    entry(QString::fromStdString(captions.asFound), [&](const QPointF& at) {
        painter.setPen(QPen(kFoundColour, unit * 0.15));
        painter.drawLine(at - QPointF(unit * 0.6, 0), at + QPointF(unit * 0.6, 0));
    });
}

std::optional<std::pair<double, double>> LimitsOf(const std::optional<pages::AppliedLimits>& limits,
                                                  bool slope) {
    if (!limits) return std::nullopt;
    if (slope) return std::pair{limits->minSlope, limits->maxSlope};
    return std::pair{-limits->onePointOffsetLimit, limits->onePointOffsetLimit};
}

}  // namespace

QImage DriftPicture(const DriftSeries& series, int width, int height, std::size_t visits,
                    const DriftCaptions& captions) {
    QImage image(std::max(width, 320), std::max(height, 160), QImage::Format_RGB32);
    image.setDotsPerMeterX(kDotsPerMetre);
    image.setDotsPerMeterY(kDotsPerMetre);
    image.fill(Qt::white);
    const std::size_t shown = std::min(visits, series.visits.size());
    const std::vector<DriftVisit> latest(series.visits.end() - static_cast<std::ptrdiff_t>(shown),
                                         series.visits.end());
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = painter.font();
    font.setPointSizeF(7.5);
    painter.setFont(font);
    const double keyHeight = QFontMetricsF(font).height() * 1.5;
    const QRectF whole(0, 0, image.width(), image.height());
    DrawKey(painter, whole, captions);
    const QRectF panels = whole.adjusted(0, keyHeight, 0, 0);
    const QRectF slopeArea(panels.left(), panels.top(), panels.width() / 2, panels.height());
    const QRectF offsetArea(panels.center().x(), panels.top(), panels.width() / 2, panels.height());
    DrawPanel(painter, slopeArea, latest,
              {QString::fromStdString(captions.slope),
               [](const auto& c) { return c ? std::optional<double>(c->slope) : std::nullopt; },
               LimitsOf(series.limits, true), QString::fromStdString(captions.limits)});
    DrawPanel(painter, offsetArea, latest,
              {QString::fromStdString(captions.offset),
               [](const auto& c) { return c ? std::optional<double>(c->offset) : std::nullopt; },
               LimitsOf(series.limits, false), QString::fromStdString(captions.limits)});
    return image;
}

}  // namespace tb::journal
