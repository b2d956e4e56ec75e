#include "ui/JournalDriftView.h"

#include <QLegend>
#include <QLegendMarker>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QSaveFile>
#include <QScatterSeries>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "journal/CsvExport.h"
#include "journal/DriftChartLayout.h"
#include "journal/JournalText.h"
#include "resources/StringIds.h"
#include "resources/dialogs/JournalWindowIds.h"
#include "services/MessageBox.h"
#include "services/PageServices.h"
#include "ui/Accessibility.h"

namespace tb::ui {
namespace {

using namespace resources::journal_window;
using namespace resources::strings;

QString Res(int id) { return QString::fromStdString(services::LoadResString(id)); }

qreal TimeOf(const journal::DriftVisit& visit) {
    return static_cast<qreal>(
        QDateTime::fromString(QString::fromStdString(visit.recordedUtc), Qt::ISODateWithMs)
            .toMSecsSinceEpoch());
}

// The limits as dashed reference lines over the time span, under one
// entry of the legend.
void AddLimitLines(QChart* chart, QDateTimeAxis* time, QValueAxis* axis, qreal from, qreal to,
                   std::pair<double, double> limits, const QString& name, const QColor& colour) {
    const QPen pen(colour, 1.5, Qt::DashLine);
    for (const double limit : {limits.first, limits.second}) {
        auto* line = new QLineSeries;
        line->append(from, limit);
        line->append(to, limit);
        line->setPen(pen);
        line->setName(name);
        chart->addSeries(line);
        line->attachAxis(time);
        line->attachAxis(axis);
        if (limit == limits.second)
            for (QLegendMarker* marker : chart->legend()->markers(line)) marker->setVisible(false);
    }
}

}  // namespace

JournalDriftView::JournalDriftView(const journal::DriftLogger& logger,
                                   std::vector<journal::JournalEntry> visits, QWidget* parent)
    : QDialog(parent), logger_(logger), visits_(std::move(visits)) {
    setWindowTitle(Res(kStrDrift) + QStringLiteral(" — ") +
                   QString::fromStdString(logger.model + " " + logger.serial));
    setAccessibleName(windowTitle());
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* label = new QLabel(Res(kStrChannelHeading), this);
    channel_ = new QComboBox(this);
    label->setBuddy(channel_);
    channel_->setAccessibleName(Res(kStrChannelHeading));
    channel_->setAccessibleDescription(ControlIdDescription(kDriftChannel));
    for (const std::string& name : journal::DriftChannels(visits_)) channel_->addItem(QString::fromStdString(name));
    top->addWidget(label);
    top->addWidget(channel_);
    top->addStretch(1);
    auto button = [&](int text, int id, auto save, const QString& filter) {
        auto* pushed = new QPushButton(Res(text), this);
        pushed->setAccessibleName(Res(text));
        pushed->setAccessibleDescription(ControlIdDescription(id));
        pushed->setAutoDefault(false);
        connect(pushed, &QPushButton::clicked, this, [this, save, filter, text] {
            const QString path = QFileDialog::getSaveFileName(this, Res(text), QString(), filter);
            if (path.isEmpty()) return;
            journal::JournalError error;
            if (!(this->*save)(path.toStdString(), error))
                services::ShowMessage(journal::JournalErrorText(error));
        });
        top->addWidget(pushed);
    };
    button(kStrSavePng, kDriftPng, &JournalDriftView::SavePng, QStringLiteral("PNG (*.png)"));
    button(kStrSaveCsv, kDriftCsv, &JournalDriftView::SaveCsv, QStringLiteral("CSV (*.csv)"));
    layout->addLayout(top);

    view_ = new QChartView(new QChart, this);
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setMinimumSize(720, 420);
    view_->setAccessibleName(Res(kStrDrift));
    view_->setAccessibleDescription(ControlIdDescription(kDriftChart));
    layout->addWidget(view_, 1);
    hover_ = new QLabel(this);
    hover_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(hover_);

    connect(channel_, &QComboBox::currentIndexChanged, this, [this] { Draw(); });
    Draw();
}

QChart* JournalDriftView::Chart() const { return view_->chart(); }

void JournalDriftView::SelectChannel(const std::string& channel) {
    // A change of channel redraws through the box's signal.
    const int index = channel_->findText(QString::fromStdString(channel));
    if (index >= 0) channel_->setCurrentIndex(index);
}

void JournalDriftView::Draw() {
    series_ = journal::DriftOf(visits_, channel_->currentText().toStdString());
    QChart* chart = view_->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    auto* time = new QDateTimeAxis;
    time->setFormat(QStringLiteral("yyyy-MM-dd"));
    auto* slope = new QValueAxis;
    auto* offset = new QValueAxis;
    chart->addAxis(time, Qt::AlignBottom);
    chart->addAxis(slope, Qt::AlignLeft);
    chart->addAxis(offset, Qt::AlignRight);

    foundSlope_ = new QLineSeries;
    foundSlope_->setName(Res(kStrDriftAsFound) + QStringLiteral(" ") + Res(kStrSlope));
    foundOffset_ = new QLineSeries;
    foundOffset_->setName(Res(kStrDriftAsFound) + QStringLiteral(" ") + Res(kStrOffset));
    leftSlope_ = new QScatterSeries;
    leftSlope_->setName(Res(kStrDriftAsLeft) + QStringLiteral(" ") + Res(kStrSlope));
    leftOffset_ = new QScatterSeries;
    leftOffset_->setName(Res(kStrDriftAsLeft) + QStringLiteral(" ") + Res(kStrOffset));
    // As left: squares; as found: a line through round points.
    for (QScatterSeries* points : {leftSlope_, leftOffset_}) {
        points->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
        points->setMarkerSize(9.0);
    }
    for (QLineSeries* line : {foundSlope_, foundOffset_}) line->setPointsVisible(true);

    qreal first = std::numeric_limits<qreal>::max();
    qreal last = std::numeric_limits<qreal>::lowest();
    for (const journal::DriftVisit& visit : series_.visits) {
        const qreal at = TimeOf(visit);
        first = std::min(first, at);
        last = std::max(last, at);
        if (visit.asFound) {
            foundSlope_->append(at, visit.asFound->slope);
            foundOffset_->append(at, visit.asFound->offset);
        }
        if (visit.asLeft) {
            leftSlope_->append(at, visit.asLeft->slope);
            leftOffset_->append(at, visit.asLeft->offset);
        }
    }
    if (series_.visits.empty()) first = last = static_cast<qreal>(QDateTime::currentMSecsSinceEpoch());
    // Room before the first and after the last visit, so that their points
    // are not cut at the plot's edges.
    const qreal room = first == last ? 86400000.0 : (last - first) * 0.04;
    first -= room;
    last += room;
    if (const auto limits = Limits()) {
        AddLimitLines(chart, time, slope, first, last, limits->first,
                      Res(kStrLimits) + QStringLiteral(" ") + Res(kStrSlope), Qt::blue);
        AddLimitLines(chart, time, offset, first, last, limits->second,
                      Res(kStrLimits) + QStringLiteral(" ") + Res(kStrOffset), QColor(230, 120, 0));
    }
    for (auto [series, axis] : {std::pair<QXYSeries*, QValueAxis*>{foundSlope_, slope},
                                {leftSlope_, slope}, {foundOffset_, offset}, {leftOffset_, offset}}) {
        chart->addSeries(series);
        series->attachAxis(time);
        series->attachAxis(axis);
        connect(series, &QXYSeries::hovered, this, &JournalDriftView::OnHover);
    }
    time->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(first)),
                   QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(last)));
    FitAxes(time, slope, offset);
    chart->setTitle(QString::fromStdString(logger_.model + " " + logger_.serial + " — " + series_.channel));
}

// The value axes show the values and the limits with room around them, so
// that a limit band never fills the plot; the time axis shows the time of
// day when two visits fall on one day.
void JournalDriftView::FitAxes(QDateTimeAxis* time, QValueAxis* slope, QValueAxis* offset) const {
    std::vector<double> slopes;
    std::vector<double> offsets;
    for (const journal::DriftVisit& visit : series_.visits) {
        for (const auto& correction : {visit.asFound, visit.asLeft}) {
            if (!correction) continue;
            slopes.push_back(correction->slope);
            offsets.push_back(correction->offset);
        }
    }
    const auto limits = Limits();
    const auto slopeLimits = limits ? std::optional(limits->first) : std::nullopt;
    const auto offsetLimits = limits ? std::optional(limits->second) : std::nullopt;
    const struct {
        QValueAxis* axis;
        int title;
        std::optional<std::pair<double, double>> limits;
        journal::ValueAxis layout;
    } axes[] = {{slope, kStrSlope, slopeLimits, journal::ValueAxisFor(slopes, slopeLimits)},
                {offset, kStrOffset, offsetLimits, journal::ValueAxisFor(offsets, offsetLimits)}};
    for (const auto& [axis, title, limits, layout] : axes) {
        // The limits stand in the title, also when the axis does not reach them.
        axis->setTitleText(limits ? Res(title) + QStringLiteral(" (") + Res(kStrLimits) +
                                        QStringLiteral(" ") +
                                        QString::fromStdString(journal::LimitsText(layout, *limits)) +
                                        QStringLiteral(")")
                                  : Res(title));
        axis->setRange(layout.low, layout.high);
        axis->setTickCount(static_cast<int>(layout.ticks.size()));
        axis->setLabelFormat(QStringLiteral("%.") + QString::number(layout.decimals) +
                             QStringLiteral("f"));
    }
    switch (journal::TimeDetailFor(series_.visits)) {
        case journal::TimeDetail::Day:
            time->setFormat(QStringLiteral("yyyy-MM-dd"));
            break;
        case journal::TimeDetail::Minute:
            time->setFormat(QStringLiteral("yyyy-MM-dd HH:mm"));
            break;
        case journal::TimeDetail::Second:
            time->setFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            break;
    }
}

std::optional<std::pair<std::pair<double, double>, std::pair<double, double>>>
JournalDriftView::Limits() const {
    if (!series_.limits || series_.limits->maxSlope <= series_.limits->minSlope) return std::nullopt;
    const double offset = series_.limits->onePointOffsetLimit;
    return std::pair{std::pair{series_.limits->minSlope, series_.limits->maxSlope},
                     std::pair{-offset, offset}};
}

std::string JournalDriftView::HoverText(std::size_t visit) const {
    if (visit >= series_.visits.size()) return {};
    const journal::DriftVisit& row = series_.visits[visit];
    return services::LoadResString(kStrRecordNumber) + " " + std::to_string(row.id) + "  " +
           row.localTime + "  " + services::LoadResString(kStrDriftAsFound) + ": " +
           journal::CorrectionText(row.asFound) + "  " + services::LoadResString(kStrDriftAsLeft) +
           ": " + journal::CorrectionText(row.asLeft);
}

void JournalDriftView::OnHover(const QPointF& point, bool state) {
    if (!state || series_.visits.empty()) return;
    std::size_t nearest = 0;
    qreal distance = std::numeric_limits<qreal>::max();
    for (std::size_t i = 0; i < series_.visits.size(); ++i) {
        const qreal gap = std::abs(TimeOf(series_.visits[i]) - point.x());
        if (gap < distance) {
            distance = gap;
            nearest = i;
        }
    }
    hover_->setText(QString::fromStdString(HoverText(nearest)));
}

bool JournalDriftView::SavePng(const std::string& path, journal::JournalError& error) {
    const QPixmap image = view_->grab();
    QSaveFile file(QString::fromStdString(path));
    if (image.isNull() || !file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
        const std::string reason = file.errorString().toStdString();
        error = reason.empty() ? journal::JournalError{resources::strings::kMsgChartNotDrawn}
                               : journal::JournalError{resources::strings::kMsgFileNotWritten, {path, reason}};
        return false;
    }
    return true;
}

bool JournalDriftView::SaveCsv(const std::string& path, journal::JournalError& error) {
    return journal::WriteFileAtomically(path, journal::DriftCsv(series_), error);
}

}  // namespace tb::ui
