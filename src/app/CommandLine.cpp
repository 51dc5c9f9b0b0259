#include "app/CommandLine.h"

#include <algorithm>
#include <cctype>

#include "app/Settings.h"
#include "app/Version.h"
#include "engine/AsciiUpper.h"
#include "engine/BarcodeEngine.h"
#include "engine/IntelligentMail.h"
#include "engine/MarrowbyError.h"

namespace marrowby {

namespace {
bool AllDigits(const std::string& text, size_t count) {
    return text.size() == count &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

CommandLine Invalid(const std::string& error) {
    CommandLine line;
    line.action = CommandLine::Action::Invalid;
    line.error = error;
    return line;
}

CommandLine ParseBarcode(const std::vector<std::string>& arguments) {
    CommandLine line;
    line.action = CommandLine::Action::Barcode;
    std::vector<std::string> values;
    for (size_t i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == "--highrise") {
            line.highrise = true;
        } else {
            values.push_back(arguments[i]);
        }
    }
    if (values.size() != 2) return Invalid("--barcode needs an ADDRESS and a ZIP9");
    line.address = values[0];
    line.zip = values[1];
    if (!AllDigits(line.zip, 9)) {
        return Invalid("the ZIP code must be nine digits (ZIP+4 without a dash), not '" + line.zip +
                       "'");
    }
    return line;
}

CommandLine ParseIntelligentMail(const std::vector<std::string>& arguments) {
    if (arguments.size() < 2 || arguments.size() > 3) {
        return Invalid("--imb needs a TRACKING code and may have a ROUTING code");
    }
    CommandLine line;
    line.action = CommandLine::Action::IntelligentMail;
    line.tracking = arguments[1];
    if (arguments.size() == 3) line.routing = arguments[2];
    return line;
}
}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    if (arguments.empty()) return line;
    const std::string& first = arguments[0];
    if (first == "--help" || first == "-h") {
        line.action = CommandLine::Action::Help;
    } else if (first == "--version") {
        line.action = CommandLine::Action::Version;
    } else if (first == "--barcode") {
        return ParseBarcode(arguments);
    } else if (first == "--imb") {
        return ParseIntelligentMail(arguments);
    } else if (first.starts_with("--")) {
        return Invalid("unknown option " + first);
    } else {
        line.file = first;
        line.noStop = arguments.size() > 1 && AsciiUpper(arguments[1]) == "NOSTOP";
        if (line.noStop && arguments.size() > 2) line.table = arguments[2];
    }
    return line;
}

std::string UsageText() {
    return "Usage: marrowby [FILE [NOSTOP [TABLE]]]\n"
           "       marrowby --barcode ADDRESS ZIP9 [--highrise]\n"
           "       marrowby --imb TRACKING [ROUTING]\n"
           "       marrowby --help | --version\n"
           "\n"
           "Without arguments Marrowby opens its main window.\n"
           "FILE          add barcodes to this mailing list (text, dBase or Access file)\n"
           "              at once, without asking for the preferences, then end\n"
           "NOSTOP        do not stop for the field identification or the final message\n"
           "TABLE         with NOSTOP: the table of an Access database to use\n"
           "--barcode     print the barcode of one address and its bar pattern (L full\n"
           "              bar, S half bar); an ADDRESS of two digits is the delivery\n"
           "              point itself; ZIP9 is the ZIP+4 code without a dash\n"
           "--highrise    with --barcode: take the delivery point from the apartment,\n"
           "              suite or other unit of the address\n"
           "--imb         print the 65 bars of an Intelligent Mail barcode as letters (A\n"
           "              ascender, D descender, F full bar, T tracker); TRACKING is 20\n"
           "              digits (barcode identifier, service type, mailer ID, serial),\n"
           "              ROUTING the ZIP, ZIP+4 or ZIP+4 and delivery point (5, 9 or\n"
           "              11 digits, no dash)\n";
}

std::string VersionText() { return "Marrowby " + VersionLine() + "\n"; }

int PrintBarcode(const CommandLine& line, const std::filesystem::path& programFolder,
                 std::ostream& out, std::ostream& err) {
    try {
        const LineList preferences = ReadPreferences(programFolder);
        const std::vector<std::string> designators = DesignatorTable();
        const BarcodeEngine engine(preferences, designators);
        std::string text;
        if (AllDigits(line.address, 2)) {
            text = engine.ComputeBarcodes("", line.zip, line.address);
        } else if (line.highrise) {
            text = engine.Highrise(line.address, line.zip);
        } else {
            text = engine.ComputeBarcodes(line.address, line.zip, "");
        }
        out << text << '\n' << PostnetBarPattern(text) << '\n';
        return 0;
    } catch (const MarrowbyError& error) {
        err << "marrowby: " << error.what() << '\n';
        return 1;
    }
}

int PrintIntelligentMail(const CommandLine& line, std::ostream& out, std::ostream& err) {
    try {
        const std::string bars = IntelligentMailBars(line.tracking, line.routing);
        out << bars << '\n';
        return 0;
    } catch (const MarrowbyError& error) {
        err << "marrowby: " << error.what() << '\n';
        return 2;
    }
}

}  // namespace marrowby
