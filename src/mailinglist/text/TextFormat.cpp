#include "mailinglist/text/TextFormat.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "mailinglist/FileKind.h"
#include "mailinglist/text/ByteScan.h"
#include "mailinglist/text/TextLineReader.h"
#include "platform/Prompter.h"

namespace marrowby {

namespace {

const char* const kBlankFirstLine =
    "It looks like there are one or more blank lines at the beginning of the file you are "
    "trying to sort.  Please remove any blank lines and try again.";
const char* const kCannotRead =
    "Marrowby cannot read this kind of file. See the Help file for instructions on "
    "exporting your mailing list to an ascii file.";

int CountLineFields(std::string_view line, std::string_view kind) {
    if (kind == kAsciiTab) return 1 + static_cast<int>(std::count(line.begin(), line.end(), '\t'));
    int count = 1;
    bool quoted = false;
    bool fieldStart = true;
    for (size_t i = 0; i < line.size(); ++i) {
        if (fieldStart) {
            const size_t end = CurlyQuotedFieldEnd(line, i);
            if (end != std::string_view::npos) i = end;
            if (i >= line.size()) break;
        }
        fieldStart = false;
        if (line[i] == '"') {
            quoted = !quoted;
        } else if (line[i] == ',' && !quoted) {
            ++count;
            fieldStart = true;
        }
    }
    return count;
}

bool HasZip(std::string_view line) {
    for (size_t i = 0; i + 3 <= line.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(line[i])) == 'Z' &&
            std::toupper(static_cast<unsigned char>(line[i + 1])) == 'I' &&
            std::toupper(static_cast<unsigned char>(line[i + 2])) == 'P') {
            return true;
        }
    }
    return false;
}

// The first `byte` of line from `from` on, or the line's length.
template <char byte>
size_t NextOf(std::string_view line, size_t from) {
    return std::min(FindFirstOf<byte>(line, from), line.size());
}

// A tab-separated field without a pair of double quotes around it.
std::string_view Unquoted(const char* begin, const char* end) {
    std::string_view field(begin, size_t(end - begin));
    if (!field.empty() && field.front() == '"' && field.back() == '"') {
        field = field.size() == 1 ? std::string_view() : field.substr(1, field.size() - 2);
    }
    return field;
}

}  // namespace

size_t CurlyQuotedFieldEnd(std::string_view line, size_t start) {
    if (start >= line.size() || line[start] != kCurlyOpen) return std::string_view::npos;
    for (size_t i = start + 1; i < line.size(); ++i) {
        if (line[i] == kCurlyClose && (i + 1 == line.size() || line[i + 1] == ',')) return i + 1;
    }
    return std::string_view::npos;
}

std::string DetectTextKind(const std::string& path, Prompter& prompter) {
    std::string line;
    {
        TextLineReader reader(path);
        if (reader.atEnd()) {
            prompter.message(MessageIcon::Warning, MessageBeep::Error,
                             LastPathComponent(path) + " is empty: it holds no mailing list.",
                             MessageButton::Ok);
            return {};
        }
        reader.readLine(line);
    }
    if (line.empty()) {
        prompter.message(MessageIcon::Warning, MessageBeep::Error, kBlankFirstLine,
                         MessageButton::Ok);
        return {};
    }
    if (line.find('\t') != std::string::npos) return std::string(kAsciiTab);
    // A line without commas is one field: curly quotes count only around all of it.
    if (line.find_first_of(",\"") != std::string::npos ||
        CurlyQuotedFieldEnd(line, 0) != std::string::npos) {
        return std::string(HasZip(line) ? kAsciiMerge : kAsciiComma);
    }
    const bool digitsOnly = std::all_of(line.begin(), line.end(), [](char c) {
        return (c >= '0' && c <= '9') || c == '-' || c == ' ';
    });
    if (digitsOnly) return std::string(kAsciiTab);
    // A first line without separators that is not a list of ZIP codes: not a mailing
    // list we can read, and the user is told so rather than left wondering.
    prompter.message(MessageIcon::Error, MessageBeep::Error, kCannotRead, MessageButton::Cancel);
    return {};
}

int CountTextFields(const std::string& path, std::string_view kind, Prompter& prompter) {
    std::string first;
    std::string second;
    {
        TextLineReader reader(path);
        reader.readLine(first);
        reader.readLine(second);
    }
    const int count = CountLineFields(first, kind);
    if (CountLineFields(second, kind) == count) return count;
    prompter.message(MessageIcon::Error, MessageBeep::Error, kCannotRead, MessageButton::Cancel);
    return 0;
}

size_t SplitTabLineAt(int fieldCount, std::string_view line, FieldViews& fields) {
    fields.resize(static_cast<size_t>(std::max(fieldCount, 0)));
    if (fields.empty()) return 0;
    // The tabs are found in one pass over the line.
    const char* const end = line.data() + line.size();
    const char* start = line.data();
    size_t next = 0;
    ForEachOf<'\t'>(start, end, [&](const char* tab) {
        fields[next++] = Unquoted(start, tab);
        start = tab + 1;
        return next < fields.size();
    });
    if (next == fields.size()) return size_t(start - 1 - line.data());
    fields[next++] = Unquoted(start, end);
    std::fill(fields.begin() + long(next), fields.end(), std::string_view());
    return line.size();
}

size_t SplitCommaLineAt(int fieldCount, std::string_view line, FieldViews& fields) {
    fields.resize(static_cast<size_t>(std::max(fieldCount, 0)));
    if (fields.empty()) return 0;
    const char* const bytes = line.data();
    const size_t length = line.size();
    size_t start = 0;  // of the next field
    for (size_t f = 0; f < fields.size(); ++f) {
        if (start >= length) {
            std::fill(fields.begin() + long(f), fields.end(), std::string_view());
            return length;
        }
        size_t separator;
        if (bytes[start] == '"') {
            // The byte after the closing quote is taken as the separator, whatever it is.
            const size_t closing = NextOf<'"'>(line, start + 1);
            fields[f] = std::string_view(bytes + start + 1, closing - start - 1);
            separator = closing + 1;
        } else if (bytes[start] == kCurlyOpen &&
                   CurlyQuotedFieldEnd(line, start) != std::string_view::npos) {
            separator = CurlyQuotedFieldEnd(line, start);
            fields[f] = std::string_view(bytes + start + 1, separator - start - 2);
        } else {
            separator = NextOf<','>(line, start);
            fields[f] = std::string_view(bytes + start, separator - start);
        }
        start = separator + 1;
    }
    return start - 1 < length ? start - 1 : length;
}

size_t SplitTextLineAt(int fieldCount, std::string_view line, std::string_view kind,
                       FieldViews& fields) {
    return kind == kAsciiTab ? SplitTabLineAt(fieldCount, line, fields)
                             : SplitCommaLineAt(fieldCount, line, fields);
}

void SplitTextLine(int fieldCount, std::string_view line, std::string_view kind,
                   FieldList& fields) {
    FieldViews views;
    SplitTextLineAt(fieldCount, line, kind, views);
    if (fields.size() < views.size()) fields.resize(views.size());
    for (size_t i = 0; i < fields.size(); ++i) {
        fields[i].assign(i < views.size() ? views[i] : std::string_view());
    }
}

}  // namespace marrowby
