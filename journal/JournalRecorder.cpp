#include "journal/JournalRecorder.h"

#include <algorithm>

#include "journal/WorkConditions.h"

#include "services/FormatText.h"
#include "services/MessageBox.h"
#include "services/PageServices.h"
#include "resources/StringIds.h"

namespace tb::journal {

JournalRecorder::JournalRecorder(JournalLocation location) : location_(std::move(location)) {}

JournalRecorder::~JournalRecorder() = default;

bool JournalRecorder::Append(JournalEntry& entry, JournalError& error) {
    if (!store_) store_ = OpenJournal(location_, error);
    if (!store_) return false;
    if (store_->Append(entry, error)) return true;
    // A dropped server connection or a replaced file: open afresh next time.
    store_.reset();
    return false;
}

void JournalRecorder::AddConditions(JournalEntry& entry) {
    const WorkSelection selection = CurrentSelection();
    entry.ambientC = selection.ambientC;
    entry.humidityPct = selection.humidityPct;
    if (selection.references.empty() || !store_) return;
    ReferenceRegister references(*store_);
    Resolution resolution = ResolveReferences(references, selection.references, QDate::currentDate());
    // One that is no longer usable is still named, marked, never dropped.
    for (const std::string& id : selection.references) {
        const bool listed = std::any_of(resolution.uses.begin(), resolution.uses.end(),
                                        [&](const ReferenceUse& use) { return use.id == id; });
        if (!listed) resolution.uses.push_back({id, {}, {}, {}, true});
    }
    entry.references = ReferencesJson(resolution.uses);
}

void JournalRecorder::Record(const pages::AdjustmentRecord& record) {
    JournalEntry entry = EntryFromRecord(record, CurrentContext());
    JournalError error;
    if (!store_) store_ = OpenJournal(location_, error);
    AddConditions(entry);
    if (Append(entry, error)) return;
    services::ShowMessage(
        services::FormatText(services::LoadResString(resources::strings::kMsgJournalWriteFailed),
                             {JournalErrorText(error)}),
        services::MsgButtons::Ok, services::MsgIcon::Warning, resources::strings::kMsgJournalWriteFailed);
}

InstalledJournal::InstalledJournal(JournalLocation location) : recorder_(std::move(location)) {}

InstalledJournal::~InstalledJournal() = default;

std::unique_ptr<InstalledJournal> ConnectJournal() {
    return std::make_unique<InstalledJournal>(ConfiguredLocation());
}

}  // namespace tb::journal
