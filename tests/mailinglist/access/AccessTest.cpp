// Access databases: tables read as mdb-export reads them, barcodes stored by the run's source
// and by whole runs, and what keeps a database whole: damaged pages, locks, failed runs.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "ListTestSupport.h"
#include "LockInAnotherProcess.h"
#include "ShellCommand.h"
#include "mailinglist/access/AccessDatabaseFile.h"
#include "mailinglist/access/MdbLibrary.h"
#include "mailinglist/run/BarcodeFieldCheck.h"
#include "mailinglist/run/BatchRun.h"
#include "mailinglist/run/FieldIdentification.h"

namespace marrowby {

namespace fs = std::filesystem;

namespace {

void OpenTable(AccessTable& table, const std::filesystem::path& path, const std::string& name) {
    table.setDatabaseName(path.string());
    table.setTableName(name);
    table.setActive(true);
}

// Text and integers read as mdb-export prints them, floating point in general form with 15
// significant digits (a single-precision 0.15 keeps the digits its binary form has), every
// other type as empty text. No table Access itself wrote fails the check for damaged pages.
TEST(AccessRead, EveryUserTableReadsAsMdbExportReadsIt) {
    bool sawSingle = false;
    for (const char* file : {"nwind.mdb", "DateTestDatabase.mdb", "ASampleDatabase.accdb"}) {
        ACCESS_DATABASE(path, folder, file);
        std::vector<std::string> list{"left over"};
        AccessTable::GetTableNames(path.string(), list);
        const std::string names = RunShellCommand("mdb-tables -1 '" + path.string() + "'").output;
        const auto tables = SplitField(names.substr(0, names.find_last_not_of('\n') + 1), '\n');
        EXPECT_EQ(list, tables) << file;
        for (const std::string& name : tables) {
            const AccessRows expected = ExportAccessTable(path, name);
            AccessTable table;
            OpenTable(table, path, name);
            EXPECT_EQ(table.DamageReport(), "") << name;
            ASSERT_EQ(table.RecordCount(), static_cast<long>(expected.size())) << name;
            long record = 0;
            for (table.First(); !table.Eof(); table.Next(), ++record) {
                const auto& row = expected.at(record);
                ASSERT_EQ(row.size(), table.FieldNames().size());
                for (int i = 0; i < static_cast<int>(row.size()); ++i) {
                    const std::string value = table.FieldText(i);
                    const AccessFieldType type = table.FieldType(i);
                    if (type != AccessFieldType::Float) {
                        EXPECT_EQ(value, type == AccessFieldType::Other ? "" : row[i])
                            << name << " record " << record + 1;
                        continue;
                    }
                    EXPECT_NEAR(std::strtod(value.c_str(), nullptr),
                                std::strtod(row[i].c_str(), nullptr), 1e-6);
                    EXPECT_LE(value.size(), 21u) << value;
                    sawSingle = sawSingle || value == "0.150000005960464";
                }
            }
            EXPECT_EQ(record, table.RecordCount());
        }
    }
    EXPECT_TRUE(sawSingle);
}

TEST(AccessRead, CursorAndViewerMoveBothWaysAndStopAtTheEnd) {
    ACCESS_DATABASE(path, folder, "nwind.mdb");
    const AccessRows rows = ExportAccessTable(path, "Shippers");
    AccessTable table;
    OpenTable(table, path, "Shippers");
    ASSERT_EQ(table.RecordCount(), 3);
    // Next past the last record, and once more; Prior then goes back from the last record.
    for (int i = 0; i < 4; ++i) table.Next();
    EXPECT_TRUE(table.Eof());
    table.Prior();
    EXPECT_FALSE(table.Eof());
    EXPECT_EQ(table.RecNo(), 2);
    EXPECT_EQ(table.FieldPosition("phone"), 2);
    EXPECT_THROW(table.setTableName("Orders"), MarrowbyError);

    auto list = OpenAccessMailingList(table, path.string(), "Shippers", nullptr);
    ASSERT_NE(list, nullptr);
    for (int pass = 1; pass <= 3; ++pass) {
        EXPECT_EQ(list->identificationRecord(pass), rows.at(pass - 1)) << pass;
        EXPECT_EQ(table.RecNo(), 1) << "identification moved the run's cursor";
    }
    for (const long n : {1L, 2L, 3L, 2L, 1L, 3L, 3L}) {
        EXPECT_EQ(list->viewerRecord(n), rows.at(n - 1)) << n;
        EXPECT_EQ(table.RecNo(), n);
    }
    table.setActive(false);
    table.setActive(false);
    EXPECT_FALSE(table.Active());
}

TEST(AccessRead, ChoosesTheTable) {
    for (const auto& r : CaseRows("mdb/tables.tsv")) {
        SCOPED_TRACE("row " + r.at(0));
        ACCESS_DATABASE(path, folder, r.at(1));
        AccessTable taTable1;
        int shown = 0;
        auto list = OpenAccessMailingList(
            taTable1, path.string(), r.at(2),
            [&](const std::string& database, const std::vector<std::string>& tables) {
                ++shown;
                EXPECT_EQ(database, path.string());
                EXPECT_GT(tables.size(), 1u);
                EXPECT_EQ(taTable1.DatabaseName(), path.string());
                return r.at(3);
            });
        EXPECT_EQ(shown, r[3] == "-" ? 0 : 1);
        if (r.at(4) == "-") {
            EXPECT_EQ(list, nullptr);
            EXPECT_FALSE(taTable1.Active());
            continue;
        }
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(taTable1.TableName(), r[4]);
        EXPECT_EQ(list->recordCount(), static_cast<long>(ExportAccessTable(path, r[4]).size()));
    }
}

TEST(AccessRead, RefusesFilesThatAreNotDatabases) {
    ACCESS_DATABASE(nwind, folder, "nwind.mdb");
    const std::string whole = ReadBytes(nwind);
    const struct {
        const char* name;
        std::string bytes;
    } files[] = {
        {"empty.mdb", ""},
        {"header-only.mdb", whole.substr(0, 2048)},
        {"zeros.mdb", std::string(8192, '\0')},
        // Cut off inside a page: libmdb would read the catalog for ever.
        {"cut.mdb", whole.substr(0, 1529393)},
    };
    for (const auto& file : files) {
        const auto path = folder.write(file.name, file.bytes);
        AccessTable table;
        EXPECT_THROW(OpenAccessMailingList(table, path.string(), "", nullptr), MarrowbyError)
            << file.name;
        EXPECT_THROW(OpenTable(table, path, "Customers"), MarrowbyError) << file.name;
        EXPECT_FALSE(table.Active());
    }
    std::vector<std::string> list;
    EXPECT_THROW(AccessTable::GetTableNames((folder.path() / "missing.mdb").string(), list),
                 MarrowbyError);
    AccessTable table;
    EXPECT_THROW(OpenTable(table, nwind, "No Such Table"), MarrowbyError);
}

// The first three customers have no region, so the vote of three offers Region for the
// barcodes; later customers have one, and no field of the table is empty throughout.
TEST(AccessRead, NoBarcodeFieldIsProposedWhereEveryFieldHoldsData) {
    ACCESS_DATABASE(path, folder, "nwind.mdb");
    AccessTable taTable1;
    auto list = OpenAccessMailingList(taTable1, path.string(), "Customers", nullptr);
    ASSERT_NE(list, nullptr);
    FieldRoles roles;
    IdentifyByNames(list->fieldNames(), roles);
    IdentifyByContents(*list, roles);
    EXPECT_EQ(roles.barcode, taTable1.FieldPosition("Region"));
    EXPECT_EQ(list->textFieldsHoldingOnly([](std::string_view value) { return value.empty(); }),
              std::vector<bool>(11, false));
    KeepBarcodesOffData(*list, true, "/", roles);
    EXPECT_EQ(roles.barcode, -1);
    EXPECT_EQ(taTable1.RecNo(), 1);
}

// Record n's barcode in these tests; every fourth record is left uncoded.
std::string BarcodeFor(long n) {
    return n % 4 == 0 ? "" : "/" + std::to_string(770010000000L + n) + "/";
}

// Stored barcodes are written again without a change.
TEST(AccessWrite, StoresBarcodesKeepingEveryOtherValueOrRefusesChangingNothing) {
    const auto rows = CaseRows("mdb/writes.tsv");
    ASSERT_EQ(rows.size(), 17u);
    for (const auto& r : rows) {
        SCOPED_TRACE("row " + r.at(0) + ": " + r.at(2) + "." + r.at(3));
        ACCESS_DATABASE(path, folder, r.at(1));
        if (r.at(4).starts_with("lock ")) folder.write(r[4].substr(5), "");
        // Without a write bit the file is read-only, even to a user whose rights ignore modes.
        if (r[4] == "read-only") chmod(path.c_str(), 0444);
        if (r[4] == "full-disk") {
            SetFreeSpaceProbe([](const std::string&) { return std::optional<std::uint64_t>(3e6); });
        }
        const auto barcodeFor = [&](long n) {
            return r.at(5) == "numbered" ? BarcodeFor(n) : r[5] == "same" ? SameBarcode(n) : "";
        };
        const std::string original = ReadBytes(path);
        const auto listing = FolderNames(folder.path());
        AccessRows expected = ExportAccessTable(path, r[2]);
        const std::string error = RunOver(path, r[2], r[3], barcodeFor);
        SetFreeSpaceProbe(nullptr);
        EXPECT_EQ(FolderNames(folder.path()), listing);
        const std::string& reason = r.at(6);
        if (reason != "stored") {
            EXPECT_NE(error.find(reason), std::string::npos) << error;
            EXPECT_TRUE(error.ends_with(reason) || error.ends_with(" Nothing was changed."))
                << error;
            // Records before the full page were written and had to be taken back.
            EXPECT_TRUE(!reason.starts_with("has no room") ||
                        error.find("record 1 ") == std::string::npos)
                << error;
            EXPECT_TRUE(ReadBytes(path) == original);
            continue;
        }
        ASSERT_EQ(error, "");
        AccessTable table;
        OpenAccessMailingList(table, path.string(), r[2], nullptr);
        const int field = table.FieldPosition(r[3]);
        table.setActive(false);
        for (size_t n = 0; n < expected.size(); ++n)
            expected[n].at(field) = BarcodeFor(long(n) + 1);
        EXPECT_EQ(ExportAccessTable(path, r[2]), expected);
        // Later formats store text compressed, and so does Jet 4 where the old value was.
        const bool compressed =
            ReadBytes(path).find("\xff\xfe" + BarcodeFor(1)) != std::string::npos;
        EXPECT_EQ(compressed, path.extension() == ".accdb" || r[3] == "ShortTextCol");
        const std::string stored = ReadBytes(path);
        EXPECT_EQ(RunOver(path, r[2], r[3], BarcodeFor), "");
        EXPECT_TRUE(ReadBytes(path) == stored);
    }
}

// A ZIP kept as a long integer loses its leading zero: 02134 reads as 2134.
TEST(AccessWrite, BarcodesOnlyRunReadsIntegerZipWithoutTouchingTheFile) {
    ACCESS_DATABASE(path, folder, "DateTestDatabase.mdb");
    // The first record's IDCol, first fixed column of the last row on data page 20, set to 2134.
    std::fstream(path, std::ios::in | std::ios::out | std::ios::binary)
        .seekp(20L * 4096 + 4033)
        .write("\x56\x08\0\0", 4);
    const std::string original = ReadBytes(path);
    AccessTable table;
    auto list = OpenAccessMailingList(table, path.string(), "DateTest", nullptr);
    const RunPlan plan =
        PlanFor(*list, {.address = 0, .zip9 = table.FieldPosition("IDCol")}, false);
    auto source = list->openSource(plan);
    FieldList fields;
    ASSERT_TRUE(source->readRecord(fields));
    EXPECT_EQ(fields[plan.roles.zip9], "2134");
    long records = 1;
    for (; source->readRecord(fields); ++records)
        EXPECT_EQ(static_cast<int>(fields.size()), plan.fieldCount);
    source->finish();
    EXPECT_EQ(records, static_cast<long>(ExportAccessTable(path, "DateTest").size()));
    EXPECT_TRUE(ReadBytes(path) == original);
}

// Jet 3 rows keep one-byte offsets and a jump table once they pass 256 bytes: a record
// written long enough to cross that line reads back whole, and is written again later.
TEST(AccessWrite, Jet3RecordGrowsPast256Bytes) {
    ACCESS_DATABASE(path, folder, "nwind.mdb");
    const std::pair<const char*, std::string> values[] = {
        {"Address", std::string(60, 'A')},
        {"Title", std::string(30, 'T')},
        {"TitleOfCourtesy", std::string(25, 'C')},
        {"HomePhone", std::string(24, 'H')},
        {"City", std::string(15, 'c')},
        {"Region", std::string(15, 'r')},
        {"Country", std::string(15, 'n')},
        {"Address", "/123456789012/"},
    };
    AccessTable table;
    auto list = OpenAccessMailingList(table, path.string(), "Employees", nullptr);
    AccessRows expected = ExportAccessTable(path, "Employees");
    for (const auto& [field, value] : values) {
        table.First();
        table.Edit();
        table.SetFieldByName(field, value);
        table.First();
        expected[0].at(table.FieldPosition(field)) = value;
        EXPECT_EQ(table.FieldText(table.FieldPosition(field)), value);
        // Checked at its longest (272 bytes) and after shrinking below 256 bytes again.
        if (value.size() == 15 || value.size() == 14) {
            EXPECT_EQ(ExportAccessTable(path, "Employees"), expected) << field;
        }
    }
    table.setActive(false);
}

// Employees keep a 5-digit PostalCode and a 4-digit Extension: taken as ZIP and +4 they give
// the records in the United States barcodes, stored in HomePhone (24 characters).
TEST(AccessRun, FailureRestoresTheDatabaseAndTheNextRunStoresTheBarcodes) {
    ACCESS_DATABASE(path, folder, "nwind.mdb");
    const std::string original = ReadBytes(path);
    const AccessRows before = ExportAccessTable(path, "Employees");
    RoadFixture road;
    AccessTable taTable1;
    FieldRoles roles;
    const auto run = [&] {
        road.prompter.messages.clear();
        auto list = OpenAccessMailingList(taTable1, path.string(), "Employees", nullptr);
        roles = {.address = taTable1.FieldPosition("Address"),
                 .zip5 = taTable1.FieldPosition("PostalCode"),
                 .zip4 = taTable1.FieldPosition("Extension"),
                 .barcode = taTable1.FieldPosition("HomePhone")};
        return AddBarcodes(*list, PlanFor(*list, roles), road.context, false);
    };

    // Intelligent Mail letters need 65 characters.
    road.useMailer("1 123456 41");
    EXPECT_FALSE(run());
    EXPECT_EQ(road.messageTexts(),
              std::vector<std::string>{
                  "The field HomePhone that you chose for barcodes holds 24 characters, too "
                  "few for an Intelligent Mail barcode: it must be able to hold at least 65 "
                  "characters. Nothing has been changed."});
    EXPECT_EQ(road.mailer(), MailerFile("1 123456 41"));
    taTable1.setActive(false);
    EXPECT_TRUE(ReadBytes(path) == original);
    road.useMailer("-");
    // A frame bar of seven characters makes barcodes of 26, too long for HomePhone.
    road.preferences[3] = "[[[[[[[";
    EXPECT_FALSE(run());
    EXPECT_FALSE(taTable1.Active());
    ASSERT_EQ(road.prompter.messages.size(), 1u);
    const std::string& text = road.prompter.messages[0].text;
    EXPECT_EQ(road.prompter.messages[0].icon, MessageIcon::Error);
    EXPECT_NE(text.find("is longer than the field HomePhone (24 characters). The database was "
                        "left as it was before the run."),
              std::string::npos)
        << text;
    EXPECT_TRUE(ReadBytes(path) == original);
    EXPECT_EQ(FolderNames(folder.path()), std::vector<std::string>{"nwind.mdb"});

    road.preferences[3] = "/";
    ASSERT_TRUE(run());
    EXPECT_FALSE(taTable1.Active());
    EXPECT_EQ(road.messageTexts(),
              std::vector<std::string>{"Barcodes have been added to nwind.mdb."});
    const AccessRows after = ExportAccessTable(path, "Employees");
    ASSERT_EQ(after.size(), before.size());
    int coded = 0;
    for (size_t r = 0; r < before.size(); ++r) {
        FieldList fields = before[r];
        std::vector<std::string> expected = before[r];
        expected[roles.barcode] = RecordBarcode(fields, roles, road.engine);
        coded += !expected[roles.barcode].empty();
        EXPECT_EQ(after[r], expected) << "record " << r + 1;
    }
    EXPECT_GE(coded, 4);
    EXPECT_EQ(FolderNames(folder.path()), std::vector<std::string>{"nwind.mdb"});

    // Barcodes and blanks are all HomePhone holds now: it may take the barcodes again.
    auto list = OpenAccessMailingList(taTable1, path.string(), "Employees", nullptr);
    const std::vector<bool> free = list->textFieldsHoldingOnly(
        [&](std::string_view value) { return value.empty() || IsBarcodeText(value, "/"); });
    EXPECT_TRUE(free.at(roles.barcode));
    EXPECT_FALSE(free.at(roles.address));
}

// Cancel in the selector, or in the identification dialog, changes nothing.
TEST(AccessRun, TheSelectorPicksTheTableTheRoadReads) {
    ACCESS_DATABASE(path, folder, "nwind.mdb");
    const std::string original = ReadBytes(path);
    RoadFixture road;
    std::vector<std::string> offered;
    std::string answer = "Customers";
    road.context.chooseTable = [&](const std::string& database,
                                   const std::vector<std::string>& tables) {
        EXPECT_EQ(database, path.string());
        offered = tables;
        return answer;
    };
    EXPECT_EQ(road.run({path.string()}, {{{}, false}}), 0);
    EXPECT_EQ(offered.size(), 9u);
    ASSERT_EQ(road.identifier.shown.size(), 1u);
    EXPECT_EQ(road.identifier.shown[0].address, 4) << "Customers' Address field";

    answer.clear();
    road.run({path.string()});
    EXPECT_TRUE(road.identifier.shown.empty());
    EXPECT_TRUE(road.prompter.messages.empty());
    EXPECT_TRUE(ReadBytes(path) == original);
}

// DateTest's 255-character text column is given nine-digit ZIPs, then their barcodes, with
// the record's ID as delivery point.
TEST(AccessRun, IntelligentMailLettersGoIntoALongTextField) {
    RoadFixture road;
    road.useMailer("1 123456 41");
    AccessTable taTable1;

    ACCESS_DATABASE(dates, datesFolder, "DateTestDatabase.mdb");
    OpenTable(taTable1, dates, "DateTest");
    const int text = taTable1.FieldPosition("ShortTextCol");
    for (taTable1.First(); !taTable1.Eof(); taTable1.Next()) {
        taTable1.Edit();
        taTable1.SetFieldByName("ShortTextCol", "123456789");
    }
    taTable1.setActive(false);
    road.prompter.messages.clear();
    auto list = OpenAccessMailingList(taTable1, dates.string(), "DateTest", nullptr);
    const FieldRoles roles{
        .zip9 = text, .barcode = text, .deliveryPoint = taTable1.FieldPosition("IDCol")};
    // Attended: an unattended run would not write over the ZIPs in the barcode field.
    ASSERT_TRUE(AddBarcodes(*list, PlanFor(*list, roles), road.context, false))
        << testing::PrintToString(road.messageTexts());
    const AccessRows rows = ExportAccessTable(dates, "DateTest");
    ASSERT_EQ(rows.size(), 6u);
    for (size_t r = 0; r < rows.size(); ++r) {
        const std::string id = rows[r][0];
        EXPECT_EQ(rows[r][text], Bars(41 + r, "123456789" + std::string(2 - id.size(), '0') + id))
            << "record " << r + 1;
    }
    EXPECT_EQ(road.mailer(), MailerFile("1 123456 47"));
}

struct DataPages {
    size_t pageSize = 0;
    size_t countOffset = 0;  // of the row count in a data page
    bool jet3 = false;
    std::vector<size_t> pages;
};

// The data pages of a table as libmdb finds them through the table's usage map.
DataPages FindDataPages(const fs::path& path, const std::string& name) {
    DataPages found;
    MdbHandlePtr mdb(mdb_open(path.c_str(), MDB_NOFLAGS));
    mdb_read_catalog(mdb.get(), MDB_TABLE);
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type != MDB_TABLE || name != entry->object_name) continue;
        MdbTablePtr table(mdb_read_table(entry));
        for (gint32 page = mdb_map_find_next(mdb.get(), table->usage_map, table->map_sz, 0);
             page > 0; page = mdb_map_find_next(mdb.get(), table->usage_map, table->map_sz, page))
            found.pages.push_back(size_t(page));
    }
    found.pageSize = size_t(mdb->fmt->pg_size);
    found.countOffset = mdb->fmt->row_count_offset;
    found.jet3 = mdb->f->jet_version == MDB_VER_JET3;
    return found;
}

unsigned Get16At(const std::string& bytes, size_t at) {
    return std::uint8_t(bytes[at]) | unsigned(std::uint8_t(bytes[at + 1])) << 8;
}

void Put16At(std::string& bytes, size_t at, unsigned value) {
    bytes[at] = char(value);
    bytes[at + 1] = char(value >> 8);
}

// Each damage is made in the table's first data page, or cuts the file before its last one.
TEST(AccessSafety, DamagedDataPagesAreRefusedBeforeTheFirstWrite) {
    using Damage = std::function<void(std::string & file, const DataPages& at, size_t page)>;
    const struct {
        const char* name;
        Damage damage;
        const char* fault;
    } damages[] = {
        {"page type", [](std::string& f, const DataPages&, size_t p) { f[p] = 0x02; },
         "is damaged: it is not a data page."},
        {"owner", [](std::string& f, const DataPages&, size_t p) { f[p + 4] ^= 0x10; },
         "is damaged: it names another table as its owner."},
        {"row count",
         [](std::string& f, const DataPages& d, size_t p) {
             Put16At(f, p + d.countOffset, 0x0fff);
         },
         "is damaged: its row offset table is longer than the page."},
        {"row outside its place",
         [](std::string& f, const DataPages& d, size_t p) {
             Put16At(f, p + d.countOffset + 2, unsigned(d.countOffset));
         },
         "is damaged: row 1 begins at byte "},
        {"rows out of order",
         [](std::string& f, const DataPages& d, size_t p) {
             const unsigned first = Get16At(f, p + d.countOffset + 2);
             Put16At(f, p + d.countOffset + 4, (first & 0x1fff) + 1);
         },
         "is damaged: row 2 begins at byte "},
        {"free space",
         [](std::string& f, const DataPages&, size_t p) {
             Put16At(f, p + 2, Get16At(f, p + 2) + 1);
         },
         "is damaged: its free space of "},
        {"variable column count",
         [](std::string& f, const DataPages& d, size_t p) {
             const size_t start = p + (Get16At(f, p + d.countOffset + 2) & 0x1fff);
             const unsigned columns =
                 d.jet3 ? unsigned(static_cast<unsigned char>(f[start])) : Get16At(f, start);
             const size_t count = p + d.pageSize - (columns + 7) / 8 - (d.jet3 ? 1 : 2);
             f[count] = char(0xff);
             if (!d.jet3) f[count + 1] = char(0x7f);
         },
         "is damaged: row 1 is damaged: "},
        {"cut at a page boundary",
         [](std::string& f, const DataPages& d, size_t) { f.resize(d.pages.back() * d.pageSize); },
         " lies beyond the end of the file, which is cut short."},
    };
    const struct {
        const char* file;
        const char* table;
        const char* field;
    } databases[] = {
        {"nwind.mdb", "Umsätze", "ShipName"},
        {"DateTestDatabase.mdb", "DateTest", "ShortTextCol"},
        {"ASampleDatabase.accdb", "Asset Items", "Description"},
    };
    for (const auto& database : databases) {
        for (const auto& damage : damages) {
            SCOPED_TRACE(std::string(database.file) + ", " + damage.name);
            ACCESS_DATABASE(path, folder, database.file);
            const DataPages pages = FindDataPages(path, database.table);
            ASSERT_FALSE(pages.pages.empty());
            std::string bytes = ReadBytes(path);
            damage.damage(bytes, pages, pages.pages.front() * pages.pageSize);
            folder.write(path.filename().string(), bytes);
            const std::string error = RunOver(path, database.table, database.field, SameBarcode);
            EXPECT_NE(error.find(" which is damaged. Page "), std::string::npos) << error;
            EXPECT_NE(error.find(damage.fault), std::string::npos) << error;
            EXPECT_TRUE(error.ends_with(" Nothing was changed.")) << error;
            EXPECT_TRUE(ReadBytes(path) == bytes);
            EXPECT_EQ(FolderNames(folder.path()),
                      std::vector<std::string>{path.filename().string()});
        }
    }
}

// Another run, or another program holding either kind of lock, keeps the run from starting.
TEST(AccessSafety, LockedDatabaseIsInUse) {
    const struct {
        const char* name;
        int operation;  // of a whole-file lock of our own; 0: a record lock of another process
    } lockers[] = {{"whole-file lock", LOCK_EX | LOCK_NB},
                   {"shared whole-file lock", LOCK_SH | LOCK_NB},
                   {"record lock in another process", 0}};
    for (const auto& locker : lockers) {
        SCOPED_TRACE(locker.name);
        ACCESS_DATABASE(path, folder, "nwind.mdb");
        const std::string original = ReadBytes(path);
        const int fd = locker.operation ? open(path.c_str(), O_RDWR)
                                        : LockInAnotherProcess(path, true, 4096, 100);
        EXPECT_EQ(locker.operation ? flock(fd, locker.operation) : 0, 0);
        EXPECT_EQ(RunOver(path, "Employees", "HomePhone", SameBarcode),
                  "nwind.mdb is in use by another program or another run of Marrowby. Try again "
                  "when it has finished. Nothing was changed.");
        EXPECT_TRUE(ReadBytes(path) == original);
        close(fd);
        wait(nullptr);
        EXPECT_EQ(RunOver(path, "Employees", "HomePhone", SameBarcode), "");
    }

    // A second run, started while the first stores its second barcode, and the first run
    // going on to the end.
    ACCESS_DATABASE(path, folder, "nwind.mdb");
    std::string second;
    EXPECT_EQ(RunOver(path, "Employees", "HomePhone",
                      [&](long n) {
                          if (n == 2) second = RunOver(path, "Employees", "HomePhone", SameBarcode);
                          return SameBarcode(n);
                      }),
              "");
    EXPECT_NE(second.find("is in use"), std::string::npos) << second;
    for (const auto& row : ExportAccessTable(path, "Employees"))
        EXPECT_EQ(std::count(row.begin(), row.end(), SameBarcode(0)), 1);
}

// The saved bytes go back into the file the name leads to.
TEST(AccessSafety, FailedRunPutsTheBytesBackIntoTheSameFile) {
    for (const bool symbolic : {true, false}) {
        SCOPED_TRACE(symbolic ? "symbolic link" : "hard link");
        ACCESS_DATABASE(real, folder, "nwind.mdb");
        const std::string original = ReadBytes(real);
        const fs::path link = folder.path() / "link.mdb";
        if (symbolic) {
            fs::create_symlink(real, link);
        } else {
            fs::create_hard_link(real, link);
        }
        // The fourth barcode is too long for the field.
        const std::string error = RunOver(link, "Employees", "HomePhone", [](long n) {
            return n < 4 ? SameBarcode(n) : std::string(80, '/');
        });
        EXPECT_TRUE(error.ends_with("The database was left as it was before the run.")) << error;
        EXPECT_EQ(fs::is_symlink(link), symbolic);
        EXPECT_TRUE(ReadBytes(real) == original);
        EXPECT_TRUE(ReadBytes(link) == original);
        EXPECT_EQ(fs::hard_link_count(real), symbolic ? 1u : 2u);
        EXPECT_EQ(FolderNames(folder.path()), (std::vector<std::string>{"link.mdb", "nwind.mdb"}));
    }
}

// nwind.mdb.backup as an interrupted run leaves it, beside a database holding that run's
// barcodes in HomePhone; this run stores barcodes in Title.
TEST(AccessSafety, CopyLeftByAnInterruptedRunIsNeverReplacedSilently) {
    const std::string found =
        "nwind.mdb.backup is a copy of nwind.mdb saved by a run of Marrowby that was "
        "interrupted; nwind.mdb may hold part of that run's changes.";
    const std::string refused =
        found + " Restore the database from it or remove it, then run again. Nothing was changed.";
    const struct {
        const char* name;
        bool prompter;
        int answer;
        std::string error;  // empty: the run completes
        bool restored;
    } cases[] = {
        {"unattended", false, 0, refused, false},
        {"box closed", true, -1, refused, false},
        {"restore", true, 0, "", true},
        {"keep both", true, 1, "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ACCESS_DATABASE(path, folder, "nwind.mdb");
        const std::string saved = ReadBytes(path);
        const AccessRows before = ExportAccessTable(path, "Employees");
        ASSERT_EQ(RunOver(path, "Employees", "HomePhone", SameBarcode), "");
        const std::string interrupted = ReadBytes(path);
        const AccessRows partly = ExportAccessTable(path, "Employees");
        const fs::path copy = folder.write("nwind.mdb.backup", saved);

        FakePrompter prompter;
        prompter.askAnswers = {c.answer};
        EXPECT_EQ(
            RunOver(path, "Employees", "Title", SameBarcode, c.prompter ? &prompter : nullptr),
            c.error);
        EXPECT_EQ(prompter.questions.size(), c.prompter ? 1u : 0u);
        EXPECT_EQ(fs::exists(copy), !c.restored);
        EXPECT_TRUE(c.restored || ReadBytes(copy) == saved);
        if (!c.error.empty()) {
            EXPECT_TRUE(ReadBytes(path) == interrupted);
            continue;
        }
        AccessRows expected = c.restored ? before : partly;
        for (auto& row : expected) row.at(3) = "/770011234057/";
        EXPECT_EQ(ExportAccessTable(path, "Employees"), expected);
        EXPECT_EQ(FolderNames(folder.path()).size(), c.restored ? 1u : 2u);
    }
}

}  // namespace

}  // namespace marrowby
