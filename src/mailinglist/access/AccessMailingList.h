// An Access table as a mailing list: choosing the table, identification, the record viewer
// and the run's source, all through the main window's table object.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "mailinglist/MailingList.h"
#include "mailinglist/access/AccessTable.h"

class Prompter;

// Asks which of the database's tables to read: its name, or empty when the user cancelled.
using ChooseAccessTable = std::function<std::string(const std::string& databasePath,
                                                    const std::vector<std::string>& tables)>;

// Opens taTable1 on the table to use: the only table of the database; else, when
// tableArgument (the table named on the command line in unattended mode) is one of the
// tables in any letter case, that one; else the one chooseTable picks. Returns nullptr when
// the choice was cancelled; throws MarrowbyError when the database cannot be read. A run
// that writes asks prompter what to do with a copy an interrupted run left beside the
// database; without one (nobody there to answer) it refuses to start.
std::unique_ptr<MailingList> OpenAccessMailingList(AccessTable& taTable1, const std::string& path,
                                                   const std::string& tableArgument,
                                                   const ChooseAccessTable& chooseTable,
                                                   Prompter* prompter = nullptr);

// The shortest barcode field the run accepts: one barcode with a one-character frame bar.
inline constexpr int kAccessBarcodeWidth = 14;
