// Intelligent Mail barcodes in a file run: the checks before the first write, one serial
// per coded record, and the next serial saved however the run ends.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "engine/IntelligentMailTracking.h"
#include "platform/MailerSettings.h"

class BarcodeEngine;
class MailingList;
struct RunPlan;

// When the mailer settings in the folder choose Intelligent Mail, why the barcode field
// chosen for an add-mode run cannot hold the 65 letters; otherwise nothing. Throws
// MarrowbyError when mailer.dat cannot be read.
std::optional<std::string> IntelligentMailFieldProblem(const std::filesystem::path& folder,
                                                       MailingList& list, int barcodeField,
                                                       bool addMode);

class IntelligentMailRun {
  public:
    // Null when there is no settings folder or its mailer settings choose POSTNET.
    // Throws MarrowbyError, before anything is written, when the mailer settings cannot
    // be used, the serials would pass the largest one for the mailer ID even if every
    // record were coded, or the barcode field cannot hold 65 characters.
    static std::unique_ptr<IntelligentMailRun> Start(const std::filesystem::path& folder,
                                                     MailingList& list, const RunPlan& plan);

    // The 65 letters for a record's POSTNET barcode text; empty stays empty.
    std::string code(const std::string& postnetText, const BarcodeEngine& engine);
    // Saves the next serial when any serial was handed out. Returns what went wrong, or
    // an empty text.
    std::string saveNextSerial() noexcept;

    // Made by Start, which checks the settings first.
    IntelligentMailRun(std::filesystem::path folder, SerialIssuer issuer);

  private:
    std::filesystem::path folder_;
    SerialIssuer issuer_;
    unsigned long long saved_;
};
