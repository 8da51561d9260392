#include "actions/restore_point.h"

#include "platform/restore_point.h"
#include "platform/threads.h"

namespace {

unsigned RestorePointWorker() {
    RestorePointStatus.store(CreateRestorePoint(u"Quillfarrow Optimizer"));
    RestorePointBusy.store(false);
    return 0;
}

}  // namespace

Result RestorePointReport::AsResult() const {
    switch (outcome) {
        case RestorePointOutcome::Failed:
            return Refusal::Call("SRSetRestorePointW", code);
        case RestorePointOutcome::NotStarted:
            return Refusal::Call("CreateThread", code);
        default:
            return {};
    }
}

RestorePointReport CreateRestorePoint(const std::u16string& description) {
    const platform::ComApartment apartment;
    // Without the number of the newest point a skipped request cannot be told from a new
    // point; then an accepted request counts as created.
    std::int64_t before = 0;
    const bool known =
        apartment.Entered().Ok() && platform::RestorePointHighestSequence(before).Ok();
    std::uint32_t smgrStatus = 0;
    std::int64_t sequence = 0;
    const platform::Status set = platform::RestorePointSet(description, smgrStatus, sequence);
    if (!set.Ok())
        return {RestorePointOutcome::Failed, set.Code()};
    if (smgrStatus != 0)
        return {RestorePointOutcome::Failed, smgrStatus};
    if (known && sequence <= before)
        return RestorePointOutcome::Skipped;
    return RestorePointOutcome::Created;
}

bool StartRestorePointWorker() {
    if (RestorePointBusy.exchange(true))
        return false;
    platform::Thread worker;
    if (const platform::Status started = platform::ThreadStart(RestorePointWorker, worker);
        !started.Ok()) {
        // The button comes back, and the next take reports the refusal.
        RestorePointStatus.store({RestorePointOutcome::NotStarted, started.Code()});
        RestorePointBusy.store(false);
    }
    // The worker runs on its own; nothing waits for it.
    return true;
}
