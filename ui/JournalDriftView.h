// The drift of one logger at a glance: for a channel, the correction as
// found at each visit (slope and offset over time, a line through round
// points), the as-left points (squares) and the limits as dashed lines.
// Hovering a point shows its row; the chart is saved as PNG and its data
// as CSV. The journal window opens it for the selected row's logger.
#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "journal/DriftSeries.h"
#include "journal/JournalError.h"

class QChart;
class QChartView;
class QComboBox;
class QDateTimeAxis;
class QLabel;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace tb::ui {

class JournalDriftView final : public QDialog {
    Q_OBJECT

  public:
    // visits: the logger's adjustments, oldest first (journal::LoggerVisits).
    JournalDriftView(const journal::DriftLogger& logger, std::vector<journal::JournalEntry> visits,
                     QWidget* parent = nullptr);

    void SelectChannel(const std::string& channel);
    const journal::DriftSeries& Series() const { return series_; }
    // The chart as drawn, with its axes.
    QChart* Chart() const;
    // The series of the chart by what they show.
    QLineSeries* AsFoundSlope() const { return foundSlope_; }
    QLineSeries* AsFoundOffset() const { return foundOffset_; }
    QScatterSeries* AsLeftSlope() const { return leftSlope_; }
    // The text hovering the visit shows.
    std::string HoverText(std::size_t visit) const;

    bool SavePng(const std::string& path, journal::JournalError& error);
    bool SaveCsv(const std::string& path, journal::JournalError& error);

  private:
    void Draw();
    void FitAxes(QDateTimeAxis* time, QValueAxis* slope, QValueAxis* offset) const;
    void OnHover(const QPointF& point, bool state);
    // The slope's and the offset's limits (low, high); none without limits.
    std::optional<std::pair<std::pair<double, double>, std::pair<double, double>>> Limits() const;

    journal::DriftLogger logger_;
    std::vector<journal::JournalEntry> visits_;
    journal::DriftSeries series_;
    QComboBox* channel_ = nullptr;
    QChartView* view_ = nullptr;
    QLabel* hover_ = nullptr;
    QLineSeries* foundSlope_ = nullptr;
    QLineSeries* foundOffset_ = nullptr;
    QScatterSeries* leftSlope_ = nullptr;
    QScatterSeries* leftOffset_ = nullptr;
};

}  // namespace tb::ui
