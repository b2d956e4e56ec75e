#include "ui/JournalDriftView.h"

#include <QAreaSeries>
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

// A band from low to high over the time span, drawn behind the points.
QAreaSeries* Band(qreal from, qreal to, double low, double high, const QString& name, QColor color) {
    auto* lower = new QLineSeries;
    auto* upper = new QLineSeries;
    lower->append(from, low);
    lower->append(to, low);
    upper->append(from, high);
    upper->append(to, high);
    auto* band = new QAreaSeries(upper, lower);
    // The band's edges go with it when the chart removes it.
    upper->setParent(band);
    lower->setParent(band);
    band->setName(name);
    color.setAlpha(40);
    band->setColor(color);
    band->setBorderColor(color);
    return band;
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
    slope->setTitleText(Res(kStrSlope));
    auto* offset = new QValueAxis;
    offset->setTitleText(Res(kStrOffset));
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
    for (QScatterSeries* points : {leftSlope_, leftOffset_}) points->setMarkerSize(8.0);
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
    if (first == last) {
        first -= 86400000.0;
        last += 86400000.0;
    }
    if (series_.limits && series_.limits->maxSlope > series_.limits->minSlope) {
        const double limit = series_.limits->onePointOffsetLimit;
        QAreaSeries* slopeBand =
            Band(first, last, series_.limits->minSlope, series_.limits->maxSlope,
                 Res(kStrLimits) + QStringLiteral(" ") + Res(kStrSlope), Qt::blue);
        QAreaSeries* offsetBand =
            Band(first, last, -limit, limit,
                 Res(kStrLimits) + QStringLiteral(" ") + Res(kStrOffset), QColor(230, 120, 0));
        for (auto [band, axis] : {std::pair{slopeBand, slope}, std::pair{offsetBand, offset}}) {
            chart->addSeries(band);
            band->attachAxis(time);
            band->attachAxis(axis);
        }
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
    std::optional<std::pair<double, double>> slopeLimits;
    std::optional<std::pair<double, double>> offsetLimits;
    if (series_.limits && series_.limits->maxSlope > series_.limits->minSlope) {
        slopeLimits = std::pair{series_.limits->minSlope, series_.limits->maxSlope};
        offsetLimits = std::pair{-series_.limits->onePointOffsetLimit,
                                 series_.limits->onePointOffsetLimit};
    }
    for (auto [axis, layout] : {std::pair{slope, journal::ValueAxisFor(slopes, slopeLimits)},
                                std::pair{offset, journal::ValueAxisFor(offsets, offsetLimits)}}) {
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
