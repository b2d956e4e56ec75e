#include "cli/JsonOutput.h"

#include <QJsonDocument>

namespace tb::cli {
namespace {

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QJsonObject CorrectionJson(const pages::Correction& correction) {
    return {{"slope", correction.slope}, {"offset", correction.offset}};
}

QJsonArray MessagesJson(const std::vector<ShownBox>& boxes) {
    QJsonArray messages;
    for (const ShownBox& box : boxes) {
        QJsonObject message{{"text", Q(box.request.text)},
                            {"icon", Q(IconName(box.request.icon))},
                            {"id", box.id ? QJsonValue(*box.id) : QJsonValue()}};
        if (box.request.buttons == services::MsgButtons::YesNo)
            message["answer"] = box.answer == services::MsgAnswer::Yes ? "yes" : "no";
        messages.append(message);
    }
    return messages;
}

QJsonObject LoggerJson(const AttachedLogger& logger) {
    return {{"model", logger.model.empty() ? QJsonValue() : QJsonValue(Q(logger.model))},
            {"serial", logger.serial ? QJsonValue(Q(LoggerLabel({logger.serial, {}, {}}))) : QJsonValue()},
            {"com", logger.com ? QJsonValue(*logger.com) : QJsonValue()},
            {"via", QString::fromUtf8(ViaName(logger))},
            {"detail", Q(logger.detail)}};
}

// The fields every page command reports.
template <typename Result>
QJsonObject CommandJson(std::string_view command, std::string_view model, const Result& result) {
    return {{"command", Q(command)},
            {"model", Q(model)},
            {"logger", Q(result.logger)},
            {"result", Q(ResultName(result.code))},
            {"exitCode", static_cast<int>(result.code)},
            {"message", Q(result.message)},
            {"messages", MessagesJson(result.boxes)}};
}

std::string_view LoggerStateName(const OperationResult& result) {
    if (result.written) return "written";
    return result.outcome.write == pages::LoggerWrite::Unknown ? "unknown" : "unchanged";
}

QJsonObject OperationJson(std::string_view command, std::string_view model,
                          const OperationResult& result) {
    QJsonObject object = CommandJson(command, model, result);
    object["written"] = result.written;
    object["loggerState"] = Q(LoggerStateName(result));
    object["composed"] = result.composed ? QJsonValue(CorrectionJson(*result.composed)) : QJsonValue();
    QJsonArray channels;
    for (const ChannelCorrection& channel : result.current) {
        QJsonObject entry = CorrectionJson(channel.correction);
        entry["channel"] = channel.channel;
        entry["line"] = Q(channel.shown);
        channels.append(entry);
    }
    object["channels"] = channels;
    return object;
}

QJsonObject HistoryJson(std::string_view model, const HistoryResult& result) {
    QJsonArray lists;
    for (const HistoryList& list : result.lists) {
        QJsonArray rows;
        for (const auto& cells : list.rows) {
            QJsonArray row;
            for (const std::string& cell : cells) row.append(Q(cell));
            rows.append(row);
        }
        lists.append(QJsonObject{{"caption", Q(list.caption)}, {"rows", rows}});
    }
    QJsonObject object = CommandJson("history", model, result);
    object["lists"] = lists;
    return object;
}

void PrintJson(Terminal& terminal, const QJsonObject& object) {
    terminal.out << QJsonDocument(object).toJson(QJsonDocument::Indented).toStdString();
    terminal.out.flush();
}

}  // namespace tb::cli
