#include "journal/StatedFigures.h"

#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <cmath>

#include "journal/ReportUnits.h"
#include "resources/StringIds.h"

namespace tb::journal {

using namespace resources::strings;
namespace {

// "±0.10 °C (k=2)": the number, what follows it up to the factor, the factor.
const QRegularExpression& FigurePattern() {
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\s*(?:±|\+/-)?\s*([0-9]+(?:\.[0-9]+)?)\s*([^()0-9\s][^()]*)?\s*)"
                       R"((?:\(\s*k\s*=\s*([0-9]+(?:\.[0-9]+)?)\s*\))?\s*$)"));
    return pattern;
}

std::optional<StatedFigure> ParseFigure(const QString& part) {
    const qsizetype equals = part.indexOf('=');
    if (equals <= 0) return std::nullopt;
    StatedFigure figure;
    figure.key = part.left(equals).trimmed().toStdString();
    const QRegularExpressionMatch match = FigurePattern().match(part.mid(equals + 1));
    if (figure.key.empty() || !match.hasMatch()) return std::nullopt;
    figure.value = match.captured(1).toDouble();
    const QString unit = match.captured(2).trimmed();
    // A unit written after the number must be the key's own, when the key is one.
    const bool keyIsUnit = UnitOf(figure.key).has_value() || figure.key == "°F";
    if (!unit.isEmpty() && keyIsUnit && unit.toStdString() != figure.key) return std::nullopt;
    if (!match.captured(3).isEmpty()) figure.coverageFactor = match.captured(3).toDouble();
    if (!(figure.value > 0.0) || !std::isfinite(figure.value) || !(figure.coverageFactor > 0.0))
        return std::nullopt;
    return figure;
}

const StatedFigure* Find(const std::vector<StatedFigure>& figures, const std::string& key) {
    for (const StatedFigure& figure : figures) {
        if (figure.key == key) return &figure;
    }
    return nullptr;
}

}  // namespace

std::optional<std::vector<StatedFigure>> ParseStatedFigures(std::string_view text,
                                                            const std::string& setting,
                                                            JournalError& error) {
    std::vector<StatedFigure> figures;
    const QString whole = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    for (const QString& part : whole.split(';', Qt::SkipEmptyParts)) {
        if (part.trimmed().isEmpty()) continue;
        const std::optional<StatedFigure> figure = ParseFigure(part);
        if (!figure || figures.size() == kMaxStatedFigures) {
            error = {kMsgStatedFigureUnreadable, {setting, part.trimmed().left(80).toStdString()}};
            return std::nullopt;
        }
        figures.push_back(*figure);
    }
    return figures;
}

std::optional<StatedFigure> FigureFor(const std::vector<StatedFigure>& figures,
                                      const std::string& channelName, const std::string& unit) {
    if (const StatedFigure* named = Find(figures, channelName)) return *named;
    if (!unit.empty()) {
        if (const StatedFigure* own = Find(figures, unit)) return *own;
    }
    if (unit == "°F") {
        if (const StatedFigure* celsius = Find(figures, "°C")) {
            StatedFigure converted = *celsius;
            converted.value *= 1.8;
            return converted;
        }
    }
    if (const StatedFigure* any = Find(figures, "*")) return *any;
    return std::nullopt;
}

}  // namespace tb::journal
