// "Add Barcodes to a File": from choosing the list through identifying its fields to the
// batch run and the clean-up of the progress picture afterwards.
#pragma once

#include <memory>
#include <string>

#include "mailinglist/run/MailingListContext.h"

class AccessTable;
class MailingList;

// Runs the command; the preferences dialog has been shown before. Never throws: every
// failure has been reported when it returns. Returns 0 when the run completed or the user
// stopped it, 1 when the list could not be used or the run failed.
int AddBarcodesToFile(const StartArguments& args, MailingListContext& context);

// The kind named by the file's extension: "dBase" or "Access", else empty.
std::string KindFromExtension(const std::string& path);

// Opens a list of a known kind and counts it; an Access list reads through taTable1, which
// must outlive it. Returns nullptr after the user was told why it cannot be used (or chose
// no table); throws MarrowbyError when it cannot be read.
std::unique_ptr<MailingList> OpenListOfKind(const std::string& kind, const std::string& path,
                                            const StartArguments& args, MailingListContext& context,
                                            AccessTable& taTable1);
