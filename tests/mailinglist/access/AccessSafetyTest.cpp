// What keeps an Access database whole: damaged pages, locks, failed runs, interrupted runs.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "ListTestSupport.h"
#include "LockInAnotherProcess.h"
#include "mailinglist/access/MdbLibrary.h"

namespace marrowby {

namespace fs = std::filesystem;

namespace {

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
    return static_cast<unsigned char>(bytes[at]) |
           unsigned(static_cast<unsigned char>(bytes[at + 1])) << 8;
}

void Put16At(std::string& bytes, size_t at, unsigned value) {
    bytes[at] = char(value & 0xff);
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
