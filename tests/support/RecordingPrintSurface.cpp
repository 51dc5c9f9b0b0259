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
    jobs.back().calls.push_back({kind, std::move(points), std::move(text), penWidth, penStyle, fill,
                                 fontFamily, fontSize, page_});
}

}  // namespace marrowby
