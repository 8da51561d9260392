// The simulated System Restore: a list of points, a switch for a recent point that makes
// the system skip the new one, and refusals. Answers the worker thread under a lock.
#include "platform/restore_point.h"

#include <mutex>

#include "platform/sim/sim.h"

namespace platform {

ComApartment::ComApartment() : entered_(true) {
    std::lock_guard lock(sim::TheRestorePoints().mutex);
    ++sim::TheRestorePoints().apartments;
}

ComApartment::~ComApartment() {
    std::lock_guard lock(sim::TheRestorePoints().mutex);
    --sim::TheRestorePoints().apartments;
}

Status RestorePointHighestSequence(std::int64_t& sequence) {
    sim::RestorePoints& points = sim::TheRestorePoints();
    std::lock_guard lock(points.mutex);
    sequence = points.highest;
    return Status(points.queryError);
}

Status RestorePointSet(const std::u16string& description, std::uint32_t& smgrStatus,
                       std::int64_t& sequence) {
    sim::RestorePoints& points = sim::TheRestorePoints();
    std::lock_guard lock(points.mutex);
    points.descriptions.push_back(description.substr(0, 255));
    points.apartmentsAtRequest = points.apartments;
    smgrStatus = points.refusal;
    sequence = 0;
    if (points.refusal != 0)
        return Status(points.refusal);
    // Within a day of the last point Windows skips the new one, yet reports success with
    // the last point's number.
    if (!points.recentPointExists)
        ++points.highest;
    sequence = points.highest;
    return Status();
}

}  // namespace platform
