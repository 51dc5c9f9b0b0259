// The table object through which Access databases are read and their barcode field
// written: one table of one database, with a two-way cursor over its records.
#pragma once

#include <memory>
#include <string>
#include <vector>

enum class AccessFieldType { Text, Integer32, Integer64, Float, Other };

class AccessTable {
  public:
    AccessTable();
    ~AccessTable();
    AccessTable(const AccessTable&) = delete;
    AccessTable& operator=(const AccessTable&) = delete;

    // Clears list and fills it with the user tables of the database, in catalog order.
    // Throws MarrowbyError when the file is missing, unreadable or not a database.
    static void GetTableNames(const std::string& databasePath, std::vector<std::string>& list);

    const std::string& DatabaseName() const { return databaseName_; }
    const std::string& TableName() const { return tableName_; }
    // Both may be set only while the table is closed.
    void setDatabaseName(const std::string& path);
    void setTableName(const std::string& name);

    bool Active() const;
    // Opening reads the table's columns and counts its records and throws MarrowbyError when
    // it cannot; closing a closed table is no error. Closing drops an edit not yet stored.
    void setActive(bool active);

    // Moving stores a pending edit first. Eof is true on an empty table after First, and
    // becomes true only when Next is called on the last record; Next at the end does nothing.
    void First();
    void Next();
    void Prior();
    bool Eof() const;
    long RecordCount() const;
    // 1-based number of the current record; 0 when there is none.
    long RecNo() const;

    // The field list: one name per field in table order.
    const std::vector<std::string>& FieldNames() const;
    AccessFieldType FieldType(int position) const;
    // The current record's value of a field as text: text as stored (empty when null),
    // integers in decimal, floating point in general form with 15 significant digits, and
    // empty for every other type.
    std::string FieldText(int position) const;
    // Declared size of a text field in characters; 0 for other types.
    int FieldSize(int position) const;
    // Whether any index of the table includes the field.
    bool FieldIndexed(int position) const;
    int FieldPosition(const std::string& name) const;  // any letter case; -1 when absent

    // Puts the current record in edit state; setting a text field by name changes it, and the
    // next move stores the change in the file. Throws MarrowbyError for a field that is not
    // text or a value longer than the field.
    void Edit();
    void SetFieldByName(const std::string& name, const std::string& value);

    // Empty when every data page of the open table is laid out soundly; otherwise a
    // sentence naming the damaged page. Made before the first write.
    std::string DamageReport() const;

  private:
    struct Open;
    void requireActive() const;
    void post();

    std::string databaseName_;
    std::string tableName_;
    std::unique_ptr<Open> open_;
};
