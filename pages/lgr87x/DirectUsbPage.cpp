// The direct-USB page's operations, in their order of steps: the logger
// search, send, initialise and receive, the write under the lock and the
// history entry.
#include "pages/lgr87x/DirectUsbPage.h"

#include <algorithm>
#include <vector>

#include "pages/history/HistoryList.h"
#include "pages/history/HistoryLog.h"
#include "pages/lgr87x/ModelcomDirectUsbLogger.h"
#include "platform/Clock.h"
#include "resources/dialogs/Lgr87xDialogIds.h"
#include "services/MessageBox.h"
#include "services/PageServices.h"
#include "services/Settings.h"
#include "resources/StringIds.h"

namespace tb::pages::lgr87x {

using namespace resources::strings;

namespace {

using namespace resources::lgr87x_ids;

}  // namespace

// Makes an operation's journal record reachable from the steps it calls,
// for as long as the operation runs.
class CDirectUsbPage::RecordScope {
  public:
    RecordScope(CDirectUsbPage& page, OperationRecord& record) : page_(page) {
        page_.record_ = &record;
    }
    ~RecordScope() { page_.record_ = nullptr; }
    RecordScope(const RecordScope&) = delete;
    RecordScope& operator=(const RecordScope&) = delete;

  private:
    CDirectUsbPage& page_;
};

CDirectUsbPage::CDirectUsbPage(const ModelTable& model, std::unique_ptr<DirectUsbLogger> logger)
    : CPropertyPage(model.dialogId),
      model_(model),
      logger_(logger ? std::move(logger) : MakeModelcomLogger(model)) {
    for (int tab = 0; tab < kTabCount; ++tab) {
        const TabTable& table = Tab(tab);
        history::HistorySensor& sensor = sensors_[static_cast<std::size_t>(tab)];
        sensor.sensor = tab;
        sensor.listId = table.historyList;
        sensor.profile = table.historyProfile();
        if (!table.fixedZeroPoint) continue;
        for (const ChannelTable& channel : table.channels) {
            typed_[static_cast<std::size_t>(channel.row)][kBoxAfter1] = "0.0";
        }
    }
}

CDirectUsbPage::~CDirectUsbPage() = default;

const std::array<CommandEntry<CDirectUsbPage>, 17> CDirectUsbPage::kCommands = {{
    {kSend, &CDirectUsbPage::Send},
    {kInitialise, &CDirectUsbPage::Initialise},
    {kReceive, &CDirectUsbPage::Receive},
    {kHelp, &CDirectUsbPage::Help},
    {kTabs, &CDirectUsbPage::TabChanged},
    {kCheck[0], &CDirectUsbPage::OnTick1},
    {kCheck[1], &CDirectUsbPage::OnTick2},
    {kCheck[2], &CDirectUsbPage::OnTick3},
    {kCheck[3], &CDirectUsbPage::OnTick4},
    {kOnePoint[0], &CDirectUsbPage::OnKind1},
    {kTwoPoint[0], &CDirectUsbPage::OnKind1},
    {kOnePoint[1], &CDirectUsbPage::OnKind2},
    {kTwoPoint[1], &CDirectUsbPage::OnKind2},
    {kOnePoint[2], &CDirectUsbPage::OnKind3},
    {kTwoPoint[2], &CDirectUsbPage::OnKind3},
    {kOnePoint[3], &CDirectUsbPage::OnKind4},
    {kTwoPoint[3], &CDirectUsbPage::OnKind4},
}};

bool CDirectUsbPage::OnCommand(int id) {
    const int row = RowOfControl(id);
    if (row >= 0 && !IsUsed(row)) return false;
    return DispatchCommand<CDirectUsbPage>(*this, kCommands, id);
}

void CDirectUsbPage::OnInitDialog() {
    DialogView& view = View();
    for (int tab = 0; tab < kTabCount; ++tab) {
        view.InsertTab(kTabs, tab, services::LoadResString(Tab(tab).caption));
    }
    view.SelectTab(kTabs, 0);
    ApplyUnit();
    for (int row = 0; row < 4; ++row) ApplyTickRule(row);
    for (int row = 0; row < 4; ++row) ApplyKindRule(row);
    if (FindConnectedLogger(false)) {
        for (history::HistorySensor& sensor : sensors_) {
            const bool ok = history::ReadHistory(sensor, *logger_) == 0;
            history::SetupHistoryColumns(view, sensor.listId, ok);
            history::FillHistoryList(view, sensor, ok);
        }
    }
    ShowTab(0);
    UpdateData(false);
    services::EnsureDataFolders();
}

void CDirectUsbPage::OnSetActive() {
    ApplyUnit();
    if (activatedBefore_) UpdateData(false);
    activatedBefore_ = true;
}

// The controls are off while the search waits (its retries let the window
// run); exactly one logger of the model becomes the one the page talks to.
bool CDirectUsbPage::FindConnectedLogger(bool showMessages) {
    ModelConnection& connection = model_.connection;
    connection.key = 0;
    std::vector<FoundLogger> found;
    {
        const BusyScope busy = Busy();
        found = logger_->Search();
    }
    if (found.size() == 1) {
        connection.key = found.front().key;
        return true;
    }
    if (showMessages) services::ShowMessageId(found.empty() ? kMsgNoLogger : kMsgSeveralLoggers);
    return false;
}

int CDirectUsbPage::ReadCurrentCorrection(int tab) {
    return logger_->ReadCorrection(tab, model_.connection.table[static_cast<std::size_t>(tab)]);
}

int CDirectUsbPage::ReadHistory(int tab) {
    return history::ReadHistory(sensors_[static_cast<std::size_t>(tab)], *logger_);
}

bool CDirectUsbPage::AnyTicked(int tab) const {
    const auto& channels = Tab(tab).channels;
    return std::any_of(channels.begin(), channels.end(), [this](const ChannelTable& channel) {
        return ticked_[static_cast<std::size_t>(channel.row)];
    });
}

// The controls stay off from the end of the logger search to the last
// message: the reads wait with the window running, and no click may start
// a second operation meanwhile.
void CDirectUsbPage::Send() {
    UpdateData(true);
    prepared_.reset();
    lastOutcome_ = {};
    if (!FindConnectedLogger(true)) return;
    const BusyScope busy = Busy();
    const int tab = SelectedTab();
    OperationRecord record(PageOperation::Send, DialogId(), unit_);
    RecordScope scope(*this, record);
    StartRecord(record, tab);
    // A correction composed on a record or a correction that could not be
    // read would rest on stale values: nothing is written then.
    int code = ReadHistory(tab);
    if (code == 0) code = ReadCurrentCorrection(tab);
    if (code != 0) {
        ReportFailure(code);
        return;
    }
    lastOutcome_.loggerRead = true;
    const CalibrationCodes found = model_.connection.table[static_cast<std::size_t>(tab)];
    RecordCodes(tab, &ChannelRecord::asFound, found);
    // Until a write is attempted the logger keeps what it was found with.
    RecordCodes(tab, &ChannelRecord::asLeft, found);
    if (!AnyTicked(tab)) return;
    RecordEntries(tab);
    // The unit the labels show since the page was activated is the one the
    // technician typed in; a change made elsewhere meanwhile does not apply.
    const auto entered = ComputeInputCorrection(tab, unit_);
    if (!entered) return;
    RecordEntered(tab, *entered);
    const auto composition = Compose(tab, *entered);
    if (!composition) return;
    RecordCodes(tab, &ChannelRecord::composed, composition->codes);
    prepared_ = PreparedCodes{tab, composition->codes};
    if (!Confirm(tab, *composition)) return;
    if (WriteCorrection(tab, composition->codes, false) == kLockBusy) services::ShowBusyMessage();
}

void CDirectUsbPage::Initialise() {
    lastOutcome_ = {};
    if (!FindConnectedLogger(true)) return;
    if (services::ShowMessageId(kMsgConfirmInitialise, services::MsgButtons::YesNo) !=
        services::MsgAnswer::Yes) {
        return;
    }
    const BusyScope busy = Busy();
    const int tab = SelectedTab();
    OperationRecord record(PageOperation::Initialise, DialogId(), unit_);
    RecordScope scope(*this, record);
    StartRecord(record, tab);
    // What the logger held before: for the record, and to tell after a
    // failed write whether the reset reached it.
    CalibrationCodes found{};
    if (logger_->ReadCorrection(tab, found) == 0) {
        model_.connection.table[static_cast<std::size_t>(tab)] = found;
        RecordCodes(tab, &ChannelRecord::asFound, found);
    }
    RecordCodes(tab, &ChannelRecord::composed, kFactoryCodes);
    // The initialisation entry is merged into the record as read; on a
    // failed read the merge would overwrite the logger's history.
    const int code = ReadHistory(tab);
    if (code != 0) {
        ReportFailure(code);
        return;
    }
    lastOutcome_.loggerRead = true;
    if (WriteCorrection(tab, kFactoryCodes, true) == kLockBusy) services::ShowBusyMessage();
}

void CDirectUsbPage::Receive() {
    lastOutcome_ = {};
    if (!FindConnectedLogger(true)) return;
    const BusyScope busy = Busy();
    const int tab = SelectedTab();
    OperationRecord record(PageOperation::Receive, DialogId(), unit_);
    RecordScope scope(*this, record);
    StartRecord(record, tab);
    // A read that fails is reported like every other failed exchange, so the
    // technician never takes the unchanged lines for the logger's answer.
    const int code = ReadCurrentCorrection(tab);
    if (code != 0) {
        record.SetResultCode(code);
        ReportFailure(code);
        return;
    }
    lastOutcome_.loggerRead = true;
    const CalibrationCodes& found = model_.connection.table[static_cast<std::size_t>(tab)];
    RecordCodes(tab, &ChannelRecord::asFound, found);
    RecordCodes(tab, &ChannelRecord::asLeft, found);
    record.Succeeded();
    ShowCurrentSettings(tab);
    services::ShowMessageId(kMsgReceived, services::MsgButtons::Ok, services::MsgIcon::Information);
}

void CDirectUsbPage::Help() { services::ShowHelp(); }

history::SensorAdjustment CDirectUsbPage::AdjustmentOf(int tab) const {
    history::SensorAdjustment adjustment;
    const TabTable& table = Tab(tab);
    adjustment.encoded = encoded_[static_cast<std::size_t>(tab)];
    for (std::size_t j = 0; j < kChannelsPerTab; ++j) {
        const std::size_t row = static_cast<std::size_t>(table.channels[j].row);
        adjustment.ticked[j] = table.channels[j].kind != ChannelKind::Unused && ticked_[row];
        adjustment.pointCount[j] = kinds_[row] == 1 ? 2 : 1;
        adjustment.typed[j] = typed_[row];
        adjustment.newFactors[j] = newSlope_[row];
    }
    return adjustment;
}

// The new entries go into the logger's record and, when that worked, into
// the log file. False when either was not saved (its message shown).
bool CDirectUsbPage::RecordAdjustment(int tab, bool initialise, int32_t time) {
    history::HistorySensor& sensor = sensors_[static_cast<std::size_t>(tab)];
    const history::SensorAdjustment adjustment = AdjustmentOf(tab);
    history::HistoryEntry rec1;
    history::HistoryEntry rec2;
    history::BuildHistoryRecords(sensor, adjustment, initialise, time, unit_, rec1, rec2);
    const int code =
        history::AppendHistory(sensor, *logger_, View(), adjustment, initialise, rec1, rec2);
    if (code != 0) {
        ReportFailure(code);
        return false;
    }
    if (record_ != nullptr) {
        std::vector<uint8_t>& bytes = record_->Data().historyEntry;
        for (const history::HistoryEntry* entry : {&rec1, &rec2}) {
            if (entry->kind == 0) continue;
            const history::EntryBytes encoded = history::EncodeEntry(*entry);
            bytes.insert(bytes.end(), encoded.begin(), encoded.end());
        }
    }
    return history::WriteHistoryLog(sensor, adjustment, initialise, rec1, rec2,
                                    {model_.connection.key, unit_}) == history::LogFileError::None;
}

// After a write that failed: the pair is read again, so that the page, the
// record and the outcome say what the logger holds; when it does not answer,
// its state is unknown and the technician is told to receive first.
void CDirectUsbPage::LearnWhatWasLeft(int tab, const CalibrationCodes& before) {
    CalibrationCodes left{};
    if (logger_->ReadCorrection(tab, left) != 0) {
        lastOutcome_.write = LoggerWrite::Unknown;
        ClearCurrentSettings(tab);
        if (record_ != nullptr)
            for (ChannelRecord& channel : record_->Data().channels) channel.asLeft.reset();
        return;
    }
    TakeWhatIsHeld(tab, before, left);
}

void CDirectUsbPage::TakeWhatIsHeld(int tab, const CalibrationCodes& before,
                                    const CalibrationCodes& held) {
    model_.connection.table[static_cast<std::size_t>(tab)] = held;
    lastOutcome_.write = held == before ? LoggerWrite::None : LoggerWrite::Written;
    RecordCodes(tab, &ChannelRecord::asLeft, held);
    ShowCurrentSettings(tab);
}

// Under the communication lock: the write and its read-back, then the
// history entry. Whatever the logger was found to hold after the write is
// what the page, the record and the outcome show.
int CDirectUsbPage::WriteCorrection(int tab, const CalibrationCodes& codes, bool initialise) {
    if (!services::AcquireCommBusy()) return kLockBusy;
    const auto time = static_cast<int32_t>(platform::NowSeconds());
    const CalibrationCodes before = model_.connection.table[static_cast<std::size_t>(tab)];
    CalibrationCodes held = before;
    const int failure = logger_->WriteCorrection(tab, time, codes, held);
    bool complete = true;
    if (failure == kReadBackDiffers) {
        TakeWhatIsHeld(tab, before, held);
    } else if (failure != 0) {
        LearnWhatWasLeft(tab, before);
    } else {
        TakeWhatIsHeld(tab, before, codes);
        lastOutcome_.write = LoggerWrite::Written;
        complete = RecordAdjustment(tab, initialise, time);
        lastOutcome_.historyIncomplete = !complete;
    }
    services::ReleaseCommBusy();
    if (failure != 0) {
        ReportFailure(failure);
        if (lastOutcome_.write == LoggerWrite::Unknown)
            services::ShowMessageId(kMsgLoggerStateUnknown, services::MsgButtons::Ok,
                                    services::MsgIcon::Warning);
        return 0;
    }
    if (record_ != nullptr) record_->Succeeded();
    if (complete) {
        services::ShowMessageId(kMsgSent, services::MsgButtons::Ok, services::MsgIcon::Information);
    } else {
        services::ShowMessageId(kMsgWrittenHistoryIncomplete, services::MsgButtons::Ok,
                                services::MsgIcon::Warning);
    }
    return 0;
}

}  // namespace tb::pages::lgr87x
