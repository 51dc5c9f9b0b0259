#include "mailinglist/text/TextMailingList.h"

#include <algorithm>
#include <optional>
#include <utility>

#include <sys/stat.h>
#include <unistd.h>

#include "engine/MarrowbyError.h"
#include "mailinglist/FileKind.h"
#include "mailinglist/text/ReplacementFile.h"
#include "mailinglist/text/TextFormat.h"

namespace marrowby {

namespace {

// Read-only by its permissions even for a user the system would let write anyway.
bool ReadOnly(const std::string& path) {
    struct stat status {};
    return ::access(path.c_str(), W_OK) != 0 ||
           (::stat(path.c_str(), &status) == 0 && (status.st_mode & 0222) == 0);
}

bool TabStyle(std::string_view kind) { return kind.find("Tab") != std::string_view::npos; }

// A comma-style column, written so that the reader gets the value back. A value the reader
// would take apart (a comma) or take for a quoted field (a leading quote byte) is quoted;
// one holding a double quote cannot stand inside double quotes (there is no escape) and
// goes in the curly pair where that pair reads back whole, else bare as it came.
void AppendCommaColumn(std::string& out, std::string_view value, bool quoteAll) {
    const bool mustQuote =
        value.find(',') != std::string_view::npos ||
        (!value.empty() && (value.front() == '"' || value.front() == kCurlyOpen));
    if (!mustQuote && !quoteAll) {
        out += value;
    } else if (value.find('"') == std::string_view::npos) {
        out += '"';
        out += value;
        out += '"';
    } else if (mustQuote && value.find(std::string{kCurlyClose, ','}) == std::string_view::npos) {
        out += kCurlyOpen;
        out += value;
        out += kCurlyClose;
    } else {
        out += value;
    }
}

// TextLineWithBarcode for a kind already known to be tab style or not: the run decides
// that once, not for every record.
void AppendLineWithBarcode(std::string& out, bool tabs, std::string_view line,
                           const FieldViews& fields, int fieldCount, std::string_view rest,
                           int barcodeField, std::string_view barcode) {
    const bool lineQuoted = !tabs && line.find('"') != std::string_view::npos;
    if (barcodeField < 0) {
        out += line;
        if (tabs) {
            out += '\t';
            out += barcode;
        } else {
            out += ',';
            AppendCommaColumn(out, barcode, lineQuoted);
        }
        return;
    }
    for (int i = 0; i < fieldCount; ++i) {
        if (i > 0) out += tabs ? '\t' : ',';
        const std::string_view value = i == barcodeField ? barcode : fields[i];
        if (tabs) {
            out += value;
        } else {
            AppendCommaColumn(out, value, lineQuoted);
        }
    }
    out += rest;
}

class TextRecordSource : public RecordSource {
  public:
    TextRecordSource(const std::string& path, const std::string& kind, const RunPlan& plan,
                     const FileIdentity& counted)
        : kind_(kind), tabs_(kind == kAsciiTab), plan_(plan), reader_(path) {
        if (plan.addMode) {
            const bool fileReadOnly = ReadOnly(path);
            if (fileReadOnly || ReadOnly(FolderOf(FileBehind(path)))) {
                throw MarrowbyError("Marrowby cannot add barcodes to " + LastPathComponent(path) +
                                    ": " + (fileReadOnly ? "the file" : "its folder") +
                                    " is read-only. The file was not changed.");
            }
            output_.emplace(path, counted);
            // The reader must see the very file that was counted and is now locked.
            output_->requireSameFile(reader_.identity());
        }
        // The run looks only at the fields with a role, so only they are copied out and
        // the line is split up to the last of them; replacing the barcode column writes
        // every field again.
        const FieldRoles& roles = plan.roles;
        for (const int i : {roles.address, roles.zip5, roles.zip4, roles.zip9, roles.highrise,
                            roles.barcode, roles.deliveryPoint}) {
            if (i >= 0 && i < plan.fieldCount) roleFields_.push_back(static_cast<size_t>(i));
        }
        lookedAt_ =
            static_cast<size_t>(std::max(0, std::min(plan.fieldCount, roles.highest() + 1)));
        splitCount_ = plan.addMode && roles.barcode >= 0 ? plan.fieldCount : int(lookedAt_);
        if (kind_ == kAsciiMerge) {
            std::string names;
            reader_.readLine(names);
            if (output_) output_->writeLine(plan.roles.barcode < 0 ? names + ",barcode" : names);
        }
    }

    bool readRecord(FieldList& fields) override {
        if (!readLine()) return false;
        if (fields.size() < lookedAt_) fields.resize(lookedAt_);
        for (std::string& field : fields) field.clear();
        for (const size_t i : roleFields_) fields[i].assign(views_[i]);
        return true;
    }

    const FieldViews* readRecordViews(FieldList& /*storage*/, FieldViews& /*views*/) override {
        return readLine() ? &views_ : nullptr;
    }

    void storeBarcode(const std::string& barcode) override {
        output_->listReadUpTo(reader_.bytesRead());
        AppendLineWithBarcode(output_->pending(), tabs_, line_, views_, plan_.fieldCount,
                              line_.substr(rest_), plan_.roles.barcode, barcode);
        output_->endLine();
    }

    void finish() override {
        if (output_) output_->commit();
    }

    void abandon() noexcept override {
        if (output_) output_->abandon();
    }

  private:
    bool readLine() {
        if (!reader_.readLine(line_)) return false;
        rest_ = tabs_ ? SplitTabLineAt(splitCount_, line_, views_)
                      : SplitCommaLineAt(splitCount_, line_, views_);
        return true;
    }

    std::string kind_;
    bool tabs_;  // the kind, looked at once rather than for every record
    RunPlan plan_;
    TextLineReader reader_;
    std::optional<ReplacementFile> output_;
    std::string_view line_;  // into the reader's buffer, until the next record is read
    std::vector<size_t> roleFields_;
    size_t lookedAt_;
    int splitCount_;
    size_t rest_ = 0;
    FieldViews views_;  // into line_
};

}  // namespace

void TextLineWithBarcode(std::string& out, std::string_view kind, std::string_view line,
                         const FieldViews& fields, int fieldCount, std::string_view rest,
                         int barcodeField, std::string_view barcode) {
    AppendLineWithBarcode(out, TabStyle(kind), line, fields, fieldCount, rest, barcodeField,
                          barcode);
}

TextMailingList::TextMailingList(std::string path, std::string kind, long recordCount,
                                 int fieldCount, const FileIdentity& counted)
    : path_(std::move(path)),
      kind_(std::move(kind)),
      recordCount_(recordCount),
      fieldCount_(fieldCount),
      counted_(counted) {}

std::vector<std::string> TextMailingList::splitNameLine(std::string_view kind) {
    if (kind_ != kAsciiMerge) return {};
    TextLineReader reader(path_);
    std::string line;
    reader.readLine(line);
    FieldList names;
    SplitTextLine(fieldCount_, line, kind, names);
    return names;
}

std::vector<std::string> TextMailingList::fieldNames() { return splitNameLine(kind_); }

std::vector<std::string> TextMailingList::viewerFieldNames() {
    return splitNameLine(kAsciiMergeIndex);
}

FieldList TextMailingList::identificationRecord(int pass) { return viewerRecord(pass); }

FieldList TextMailingList::viewerRecord(long n) {
    if (!viewer_ || n < viewerNext_) {
        viewer_ = std::make_unique<TextLineReader>(path_);
        viewerNext_ = 1;
        std::string names;
        if (kind_ == kAsciiMerge) viewer_->readLine(names);
    }
    std::string line;
    while (viewerNext_ <= n) {
        viewer_->readLine(line);
        ++viewerNext_;
    }
    FieldList fields;
    SplitTextLine(fieldCount_, line, kind_, fields);
    return fields;
}

std::unique_ptr<RecordSource> TextMailingList::openSource(const RunPlan& plan) {
    viewer_.reset();
    return std::make_unique<TextRecordSource>(path_, kind_, plan, counted_);
}

std::unique_ptr<MailingList> OpenTextMailingList(const std::string& path, const std::string& kind,
                                                 Prompter& prompter) {
    const int fieldCount = CountTextFields(path, kind, prompter);
    if (fieldCount == 0) return nullptr;
    TextLineReader reader(path);
    std::string line;
    if (kind == kAsciiMerge) reader.readLine(line);
    const long records = reader.countLines();
    return std::make_unique<TextMailingList>(path, kind, records, fieldCount, reader.identity());
}

}  // namespace marrowby
