// The contents groups A to N, each list in the order the drop-downs show it.
#include "tags/TagContents.h"

#include <algorithm>
#include <array>

namespace marrowby {

namespace {

using enum MailType;

constexpr CodeHeadings kNoHeadings{};
constexpr CodeHeadings kCarrierRoute{.carrierRouteCode = true};
constexpr CodeHeadings kProcessing{.processingCode = true};
constexpr CodeHeadings kCarrierRouteOrScheme{.carrierRouteCode = true, .schemeLetter = true};
constexpr CodeHeadings kScheme{.schemeLetter = true};

// clang-format off
const std::vector<ContentsGroup> kGroups{
    {'A', {FLN, FLM, FFN, FFA, FPN, SLM, SFA, FFC, SFC},
     {"5-Digit", "3-Digit", "ADC", "Mixed ADC"},
     kNoHeadings},
    {'B', {FLU, SLU},
     {"5-Digit", "3-Digit", "AADC", "Mixed AADC"},
     kNoHeadings},
    {'C', {FLA, SLA},
     {"Single Carrier Route", "CRs to a Single 5-Digit Zip", "CRs to a Single 3-Digit Zip",
      "5-Digit Scheme", "5-Digit", "3-Digit Scheme", "3-Digit", "AADC", "Mixed AADC"},
     kCarrierRouteOrScheme},
    {'D', {SLN, PLN},
     {"Carrier Rte - Saturation", "Carrier Rte - High Density", "Carrier Rte - Basic",
      "CRs to a Single 5-Digit Zip", "CRs to a Single 3-Digit Zip", "5-Digit", "3-Digit", "ADC",
      "Mixed ADC"},
     kCarrierRoute},
    {'E', {SFN},
     {"Carrier Rte - Saturation", "Carrier Rte - High Density", "Carrier Rte - Basic",
      "CRs to a Single 5-Digit Zip", "CRs to a 5-Digit Scheme", "5-Digit", "3-Digit", "ADC",
      "Mixed ADC"},
     kCarrierRoute},
    {'F', {SPI, PPI},
     {"Carrier Rte - Saturation", "Carrier Rte - High Density", "Carrier Rte - Basic",
      "CRs to a Single 5-Digit Zip", "5-Digit", "3-Digit", "ADC", "Mixed ADC"},
     kCarrierRoute},
    {'G', {SPM},
     {"5-Digit", "ASF", "BMC", "Mixed BMC"},
     kProcessing},
    {'H', {SPMI},
     {"5-Digit"},
     kNoHeadings},
    {'I', {SFM, PFM, PPM},
     {"5-Digit Scheme", "5-Digit"},
     kNoHeadings},
    {'J', {PLA},
     {"5-Digit Scheme", "5-Digit", "3-Digit Scheme", "3-Digit", "AADC", "Mixed AADC"},
     kScheme},
    {'K', {PFN},
     {"Carrier Rte - Saturation", "Carrier Rte - High Density", "Carrier Rte - Basic",
      "CRs to a Single 5-Digit Zip", "CRs to a 5-Digit Scheme", "5-Digit", "3-Digit", "SCF", "ADC",
      "Mixed ADC"},
     kCarrierRoute},
    {'L', {PFA, PFC},
     {"5-Digit", "3-Digit", "SCF", "ADC", "Mixed ADC"},
     kNoHeadings},
    {'M', {DSE},
     {"Express"},
     kNoHeadings},
    {'N', {DSP},
     {"Priority"},
     kNoHeadings},
};
// clang-format on

// Choices that name a carrier route, a scheme or a BMC: the code says which one.
constexpr std::array<std::string_view, 7> kCodedContents{"Single Carrier Route",
                                                         "3-Digit Scheme",
                                                         "Carrier Rte - Saturation",
                                                         "Carrier Rte - High Density",
                                                         "Carrier Rte - Basic",
                                                         "BMC",
                                                         "Mixed BMC"};

// Irregular Standard A parcels to an ADC also carry a processing code.
constexpr std::array<std::string_view, 2> kSpiCodedContents{"ADC", "Mixed ADC"};

}  // namespace

const std::vector<ContentsGroup>& AllContentsGroups() { return kGroups; }

const ContentsGroup& ContentsGroupOf(MailType type) {
    const auto found = std::ranges::find_if(kGroups, [type](const ContentsGroup& group) {
        return std::ranges::find(group.mailTypes, type) != group.mailTypes.end();
    });
    return *found;
}

CodeHeadings CodeHeadingsOf(MailType type) {
    CodeHeadings headings = ContentsGroupOf(type).headings;
    if (type == SPI) headings.processingCode = true;
    return headings;
}

bool WantsCodeField(MailType type, std::string_view contents) {
    if (std::ranges::find(kCodedContents, contents) != kCodedContents.end()) return true;
    return type == SPI && std::ranges::find(kSpiCodedContents, contents) != kSpiCodedContents.end();
}

}  // namespace marrowby
