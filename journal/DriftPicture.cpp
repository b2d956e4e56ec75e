#include "journal/DriftPicture.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <functional>
#include <optional>

namespace tb::journal {
namespace {

using Value = std::function<std::optional<double>(const std::optional<pages::Correction>&)>;

// One panel: the as-found line, the as-left dots and the limit lines.
void DrawPanel(QPainter& painter, const QRectF& area, const std::vector<DriftVisit>& visits,
               const Value& value, double low, double high, const QString& caption) {
    std::vector<double> values = {low, high};
    for (const DriftVisit& visit : visits) {
        if (auto found = value(visit.asFound)) values.push_back(*found);
        if (auto left = value(visit.asLeft)) values.push_back(*left);
    }
    auto [least, most] = std::minmax_element(values.begin(), values.end());
    double bottom = *least;
    double top = *most;
    if (top - bottom < 1e-9) {
        bottom -= 0.5;
        top += 0.5;
    }
    const double margin = (top - bottom) * 0.08;
    bottom -= margin;
    top += margin;
    const QRectF plot = area.adjusted(area.width() * 0.12, 4, -4, -4);
    auto x = [&](std::size_t i) {
        return visits.size() < 2 ? plot.center().x()
                                 : plot.left() + plot.width() * static_cast<double>(i) /
                                                     static_cast<double>(visits.size() - 1);
    };
    auto y = [&](double v) { return plot.bottom() - plot.height() * (v - bottom) / (top - bottom); };

    painter.setPen(QPen(Qt::gray, 1));
    painter.drawRect(plot);
    painter.setPen(QPen(QColor(200, 60, 60), 1, Qt::DashLine));
    for (double limit : {low, high}) painter.drawLine(QPointF(plot.left(), y(limit)), QPointF(plot.right(), y(limit)));
    painter.setPen(Qt::black);
    painter.drawText(QRectF(area.left(), area.top(), area.width() * 0.12 - 4, area.height()),
                     Qt::AlignRight | Qt::AlignVCenter, caption);

    QPainterPath line;
    bool started = false;
    painter.setPen(QPen(QColor(30, 80, 200), 2));
    for (std::size_t i = 0; i < visits.size(); ++i) {
        const auto found = value(visits[i].asFound);
        if (!found) continue;
        const QPointF point(x(i), y(*found));
        started ? line.lineTo(point) : line.moveTo(point);
        started = true;
        painter.drawEllipse(point, 2.5, 2.5);
    }
    painter.drawPath(line);
    painter.setPen(QPen(QColor(20, 140, 60), 1.5));
    for (std::size_t i = 0; i < visits.size(); ++i)
        if (const auto left = value(visits[i].asLeft)) painter.drawEllipse(QPointF(x(i), y(*left)), 4.0, 4.0);
}

}  // namespace

QImage DriftPicture(const DriftSeries& series, int width, int height, std::size_t visits) {
    QImage image(std::max(width, 32), std::max(height, 32), QImage::Format_RGB32);
    image.fill(Qt::white);
    const std::size_t shown = std::min(visits, series.visits.size());
    const std::vector<DriftVisit> latest(series.visits.end() - static_cast<std::ptrdiff_t>(shown),
                                         series.visits.end());
    const pages::AppliedLimits limits = series.limits.value_or(pages::AppliedLimits{});
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF whole(0, 0, image.width(), image.height());
    const QRectF upper(whole.left(), whole.top(), whole.width(), whole.height() / 2);
    const QRectF lower(whole.left(), whole.center().y(), whole.width(), whole.height() / 2);
    DrawPanel(painter, upper, latest,
              [](const auto& c) { return c ? std::optional<double>(c->slope) : std::nullopt; },
              limits.minSlope, limits.maxSlope, QStringLiteral("a"));
    DrawPanel(painter, lower, latest,
              [](const auto& c) { return c ? std::optional<double>(c->offset) : std::nullopt; },
              -limits.onePointOffsetLimit, limits.onePointOffsetLimit, QStringLiteral("b"));
    return image;
}

}  // namespace tb::journal
