#include "journal/WorkConditions.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QStringList>
#include <cmath>

#include "resources/StringIds.h"
#include "services/Settings.h"

namespace tb::journal {
namespace {

using namespace resources::strings;

constexpr const char* kReferencesKey = "Journal/References";
constexpr const char* kAmbientKey = "Journal/AmbientC";
constexpr const char* kHumidityKey = "Journal/HumidityPct";
constexpr std::size_t kMaxAmbientText = 32;

thread_local const WorkSelection* scoped = nullptr;

std::optional<double> NumberOf(const QString& text) {
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string Shown(double value) { return QString::number(value, 'g', 6).toStdString(); }

QString Q(const std::string& text) { return QString::fromStdString(text); }
std::string S(const QJsonObject& object, const char* key) {
    return object.value(QLatin1String(key)).toString().toStdString();
}

}  // namespace

bool ParseAmbient(const std::string& text, WorkSelection& selection, JournalError& error) {
    const QStringList parts = Q(text).split(',');
    if (text.size() > kMaxAmbientText || parts.size() > 2) {
        error = {kMsgAmbientForm};
        return false;
    }
    const auto celsius = NumberOf(parts[0]);
    if (!celsius || *celsius < kMinAmbientC || *celsius > kMaxAmbientC) {
        error = {kMsgAmbientOutOfRange, {parts[0].toStdString()}};
        return false;
    }
    std::optional<double> humidity;
    if (parts.size() == 2) {
        humidity = NumberOf(parts[1]);
        if (!humidity || *humidity < 0.0 || *humidity > 100.0) {
            error = {kMsgHumidityOutOfRange, {parts[1].toStdString()}};
            return false;
        }
    }
    selection.ambientC = Shown(*celsius);
    selection.humidityPct = humidity ? Shown(*humidity) : std::string();
    return true;
}

std::string ReferencesJson(const std::vector<ReferenceUse>& uses) {
    if (uses.empty()) return {};
    QJsonArray array;
    for (const ReferenceUse& use : uses) {
        array.append(QJsonObject{{"id", Q(use.id)},
                                 {"description", Q(use.description)},
                                 {"certificate", Q(use.certificate)},
                                 {"due", Q(use.dueOn)},
                                 {"expired", use.expired}});
    }
    return QJsonDocument(array).toJson(QJsonDocument::Compact).toStdString();
}

std::vector<ReferenceUse> ParseReferences(const std::string& json) {
    std::vector<ReferenceUse> uses;
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(json));
    for (const QJsonValue& value : document.array()) {
        const QJsonObject object = value.toObject();
        uses.push_back({S(object, "id"), S(object, "description"), S(object, "certificate"),
                        S(object, "due"), object.value("expired").toBool()});
    }
    return uses;
}

Resolution ResolveReferences(ReferenceRegister& references, const std::vector<std::string>& ids,
                             const QDate& today) {
    Resolution resolution;
    auto problem = [&](SelectionProblem kind, const std::string& id) {
        if (resolution.problem != SelectionProblem::None) return;
        resolution.problem = kind;
        resolution.id = id;
    };
    if (ids.size() > kMaxReferencesInUse) {
        problem(SelectionProblem::TooMany, {});
        return resolution;
    }
    const auto all = references.List(resolution.error);
    if (!all) {
        problem(SelectionProblem::Unreadable, {});
        return resolution;
    }
    for (const std::string& id : ids) {
        const ReferenceInstrument* found = nullptr;
        for (const ReferenceInstrument& instrument : *all)
            if (instrument.id == id) found = &instrument;
        if (!found) {
            problem(SelectionProblem::Unknown, id);
            continue;
        }
        if (found->retired) {
            problem(SelectionProblem::Retired, id);
            continue;
        }
        const bool expired = found->ExpiredOn(today);
        if (expired) problem(SelectionProblem::Expired, id);
        resolution.uses.push_back(
            {found->id, found->description, found->certificate, found->dueOn, expired});
    }
    return resolution;
}

WorkSelection SessionSelection() {
    WorkSelection selection;
    for (const QString& id :
         Q(services::ReadSettingText(kReferencesKey)).split(',', Qt::SkipEmptyParts)) {
        selection.references.push_back(id.trimmed().toStdString());
    }
    selection.ambientC = services::ReadSettingText(kAmbientKey);
    selection.humidityPct = services::ReadSettingText(kHumidityKey);
    return selection;
}

void SaveSessionSelection(const WorkSelection& selection) {
    QStringList ids;
    for (const std::string& id : selection.references) ids << Q(id);
    services::WriteSettingText(kReferencesKey, ids.join(',').toStdString());
    services::WriteSettingText(kAmbientKey, selection.ambientC);
    services::WriteSettingText(kHumidityKey, selection.humidityPct);
}

SelectionScope::SelectionScope(WorkSelection selection)
    : selection_(std::move(selection)), outer_(scoped) {
    scoped = &selection_;
}

SelectionScope::~SelectionScope() { scoped = outer_; }

WorkSelection CurrentSelection() { return scoped ? *scoped : SessionSelection(); }

}  // namespace tb::journal
