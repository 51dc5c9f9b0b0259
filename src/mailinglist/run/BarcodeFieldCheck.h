// What an unattended run checks before it writes: nobody has confirmed the field chosen
// for the barcodes, so every record must hold nothing there, or a barcode already.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "mailinglist/RecordSource.h"

class MailingList;
struct RunPlan;

// A barcode text as the engine writes it: eleven digits and their check digit between two
// copies of a frame string without digits (the given frame, or any other but the empty
// one), trailing spaces allowed.
bool IsBarcodeText(std::string_view value, std::string_view frame);
// The 65 letters of an Intelligent Mail barcode, trailing spaces allowed.
bool IsIntelligentMailText(std::string_view value);

// Reads the list once, one record at a time. Returns the message naming the first record
// whose barcode field holds anything else, or nothing. The source used for reading is
// left in `reader`: a database closes its table with it, so the caller keeps it until
// its own run is over. Throws MarrowbyError on a read error.
std::optional<std::string> FirstOccupiedBarcodeField(MailingList& list, const RunPlan& plan,
                                                     std::string_view frame,
                                                     std::unique_ptr<RecordSource>& reader);
