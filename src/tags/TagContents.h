// The contents choices the tag dialog offers for each mail type, the code column
// headings that go with them, and which choices take a code.
#pragma once

#include <string_view>
#include <vector>

#include "tags/MailTypes.h"

namespace marrowby {

// Which of the three headings stand over the code column.
struct CodeHeadings {
    bool carrierRouteCode = false;  // "Carrier Route Code", upper line
    bool processingCode = false;    // "Processing Code", lower line
    bool schemeLetter = false;      // "or Scheme Letter", lower line
    bool operator==(const CodeHeadings&) const = default;
};

struct ContentsGroup {
    char name;  // 'A' to 'N'
    std::vector<MailType> mailTypes;
    std::vector<std::string_view> items;  // in list order
    CodeHeadings headings;
};

// The fourteen groups; every mail type belongs to exactly one.
const std::vector<ContentsGroup>& AllContentsGroups();
const ContentsGroup& ContentsGroupOf(MailType type);
// The group's headings; SPI also shows "Processing Code" because its ADC sacks take one.
CodeHeadings CodeHeadingsOf(MailType type);
// Whether a row with this contents choice wants the route, scheme or processing code.
bool WantsCodeField(MailType type, std::string_view contents);

}  // namespace marrowby
