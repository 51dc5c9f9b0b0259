// One barcode at a time with Intelligent Mail: the bars for the next serial number of the
// mailer settings, shown without using it and printed by using it up.
#pragma once

#include <filesystem>
#include <string>

struct MailerSettings;

// The bars the next printed barcode for the routing code will have. Throws MarrowbyError
// when the settings cannot make Intelligent Mail barcodes.
std::string NextIntelligentMailBars(const MailerSettings& settings, const std::string& routing);

// The bars with the next serial of mailer.dat in the folder, whose next serial is saved
// advanced before they are returned, so that a serial is never handed out twice.
std::string IssueIntelligentMailBars(const std::filesystem::path& folder,
                                     const std::string& routing);
