// Text mailing lists (tab, comma and merge files) as one kind of MailingList: counting,
// the field names and records that identification and the viewer ask for, and the run's
// record source, which rewrites the list through a scratch file.
#pragma once

#include <memory>
#include <string>

#include "mailinglist/MailingList.h"
#include "mailinglist/text/TextLineReader.h"

class Prompter;

class TextMailingList : public MailingList {
  public:
    // counted: the identity of the file when its records were counted; a run adds barcodes
    // only to that file.
    TextMailingList(std::string path, std::string kind, long recordCount, int fieldCount,
                    const FileIdentity& counted = {});

    std::string kind() const override { return kind_; }
    std::string fileName() const override { return path_; }
    long recordCount() const override { return recordCount_; }
    int fieldCount() const override { return fieldCount_; }

    std::vector<std::string> fieldNames() override;
    FieldList identificationRecord(int pass) override;
    int fieldWidth(int) const override { return -1; }

    std::vector<std::string> viewerFieldNames() override;
    FieldList viewerRecord(long n) override;

    std::unique_ptr<RecordSource> openSource(const RunPlan& plan) override;

  private:
    std::vector<std::string> splitNameLine(std::string_view kind);

    std::string path_;
    std::string kind_;
    long recordCount_;
    int fieldCount_;
    FileIdentity counted_;
    // The viewer pages forwards through one open reader and reopens to go back.
    std::unique_ptr<TextLineReader> viewer_;
    long viewerNext_ = 0;
};

// Counts the fields and the records of a text list of a known kind. Returns nullptr after
// the user was told that the first two lines disagree; throws MarrowbyError when the
// file cannot be read.
std::unique_ptr<MailingList> OpenTextMailingList(const std::string& path, const std::string& kind,
                                                 Prompter& prompter);

// The line written back for one record in add mode: a new last column, or the chosen
// barcode column replaced. rest holds the unsplit fields beyond fieldCount. It replaces
// the content of out, so that a run reuses one buffer for every line.
void TextLineWithBarcode(std::string& out, std::string_view kind, std::string_view line,
                         const FieldList& fields, int fieldCount, std::string_view rest,
                         int barcodeField, std::string_view barcode);
