#include "actions/restore_point.h"

#include "platform/restore_point.h"
#include "platform/threads.h"
#include "state/session_log.h"
#include "state/state_file.h"

namespace {

unsigned RestorePointWorker() {
    const RestorePointOutcome outcome = CreateRestorePoint(u"Quillfarrow Optimizer");
    RestorePointStatus.store(outcome);
    RestorePointBusy.store(false);
    return 0;
}

}  // namespace

RestorePointOutcome CreateRestorePoint(const std::u16string& description) {
    const platform::ComApartment apartment;
    // Without the number of the newest point a skipped request cannot be told from a new
    // point; then an accepted request counts as created.
    std::int64_t before = 0;
    const bool known =
        apartment.status().ok() && platform::RestorePointHighestSequence(before).ok();
    std::uint32_t smgrStatus = 0;
    std::int64_t sequence = 0;
    if (!platform::RestorePointSet(description, smgrStatus, sequence).ok() || smgrStatus != 0)
        return RestorePointOutcome::Failed;
    if (known && sequence <= before)
        return RestorePointOutcome::Skipped;
    return RestorePointOutcome::Created;
}

void StartRestorePoint(AppState& state) {
    if (RestorePointBusy.exchange(true))
        return;
    LogAction(state, "restore point in progress...", LogKind::Info);
    platform::Thread worker;
    if (!platform::ThreadStart(RestorePointWorker, worker).ok()) {
        // The button comes back, and the next poll reports the refusal.
        RestorePointStatus.store(RestorePointOutcome::Failed);
        RestorePointBusy.store(false);
    }
    // The worker runs on its own; nothing waits for it.
}

void PollRestorePoint(AppState& state) {
    switch (RestorePointStatus.exchange(RestorePointOutcome::None)) {
        case RestorePointOutcome::Created:
            state.RestorePointCreated = true;
            static_cast<void>(SaveState(state));
            LogAction(state, "restore point created", LogKind::Success);
            break;
        case RestorePointOutcome::Failed:
            LogAction(state, "point denied (system protection disabled?)", LogKind::Warning);
            break;
        case RestorePointOutcome::Skipped:
            LogAction(state, "point skipped (one exists from the last 24 hours)", LogKind::Warning);
            break;
        case RestorePointOutcome::None:
            break;
    }
}
