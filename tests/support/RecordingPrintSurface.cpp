#include "RecordingPrintSurface.h"

#include <stdexcept>

namespace marrowby {

bool RecordingPrintSurface::beginJob(const std::string& title) {
    if (refuseJobs) return false;
    jobs.push_back({title, {}, false});
    page_ = 0;
    return true;
}

void RecordingPrintSurface::newPage() {
    if (jobs.empty() || jobs.back().ended) throw std::logic_error("newPage outside a job");
    ++page_;
}

void RecordingPrintSurface::endJob() {
    if (jobs.empty() || jobs.back().ended) throw std::logic_error("endJob without a job");
    jobs.back().ended = true;
}

void RecordingPrintSurface::record(DrawCall::Kind kind, std::vector<DevicePoint> points,
                                   std::string text) {
    if (jobs.empty() || jobs.back().ended) throw std::logic_error("drawing outside a job");
    DrawCall& call = jobs.back().calls.emplace_back(state);
    call.kind = kind;
    call.points = std::move(points);
    call.text = std::move(text);
    call.page = page_;
}

}  // namespace marrowby
