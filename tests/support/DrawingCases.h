// Drawing files of the printing tests: drawing calls written one per line and compared with
// the cases of a file under tests/data.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "RecordingPrintSurface.h"
#include "TestData.h"

namespace marrowby {

// A case of a drawing file: a line "== key=value<TAB>key=value..." and the drawing lines
// that follow it, up to the next case.
struct DrawingCase {
    int number = 0;  // from 1 in the file
    std::map<std::string, std::string> settings;
    std::vector<std::string> expected;

    std::string get(const std::string& key, const std::string& otherwise = "") const {
        const auto found = settings.find(key);
        return found == settings.end() ? otherwise : found->second;
    }
};

inline std::vector<DrawingCase> DrawingCases(const std::string& name) {
    std::vector<DrawingCase> cases;
    for (auto row : CaseRows(name)) {
        if (!row[0].starts_with("== ")) {
            cases.back().expected.push_back(row[0]);
            continue;
        }
        row[0].erase(0, 3);
        DrawingCase& added = cases.emplace_back();
        added.number = static_cast<int>(cases.size());
        for (const std::string& field : row) {
            const size_t equals = field.find('=');
            added.settings[field.substr(0, equals)] = field.substr(equals + 1);
        }
    }
    return cases;
}

// A point written "x,y" as in the drawing lines.
inline DevicePoint Point(const std::string& text) {
    return {std::stoi(text), std::stoi(text.substr(text.find(',') + 1))};
}

// One line per call: "line", "rect" and "poly" with their points, pen and fill; "text" with
// its corner, pen style, font and text; "page N" before the calls of every page after the first.
inline std::vector<std::string> DrawnLines(const std::vector<DrawCall>& calls) {
    static const char* const kKinds[] = {"line", "rect", "poly", "text"};
    std::vector<std::string> lines;
    int page = 0;
    for (const DrawCall& call : calls) {
        if (call.page != page) lines.push_back("page " + std::to_string(page = call.page));
        std::ostringstream out;
        out << kKinds[call.kind];
        for (const DevicePoint& p : call.points) out << ' ' << p.x << ',' << p.y;
        const char* style = call.penStyle == PenStyle::Solid ? " solid" : " dotted";
        if (call.kind == DrawCall::Text) {
            out << style << ' ' << call.fontFamily << ' ' << call.fontSize << ' ' << call.text;
        } else {
            out << " w" << call.penWidth << style
                << (call.fill == FillColor::Black ? " black" : " white");
        }
        lines.push_back(out.str());
    }
    return lines;
}

// Every drawn line as the case expects it; the first difference fails.
inline void ExpectDrawing(const DrawingCase& c, const std::vector<std::string>& drawn) {
    for (size_t i = 0; i < std::max(drawn.size(), c.expected.size()); ++i) {
        ASSERT_EQ(i < drawn.size() ? drawn[i] : "(nothing)",
                  i < c.expected.size() ? c.expected[i] : "(nothing)")
            << "case " << c.number << ", drawing line " << i + 1;
    }
}

}  // namespace marrowby
