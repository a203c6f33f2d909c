#pragma once
#include <memory>
#include <string>
#include <vector>

#include "framework/odbc/Database.h"
#include "framework/odbc/FieldExchange.h"

// A query over one table with a cursor and one row buffer bound to members.
//
// Opened as a snapshot: the rows are read into memory, so other statements on
// the same connection never meet an open cursor. Updates and deletes of the
// current row address it by its key column (FX_AUTO_KEY), or else by the old
// values of all its columns.
//
// Rerun runs the query before it returns. RerunDeferred only remembers the
// statement and the parameter values; the rows are read when they are next
// looked at (IsEOF, IsBOF, a move, Edit, Delete), which is also when the
// members take the current row's values. A run of "store, RerunDeferred"
// pairs thus costs one insert each, not one full read.
class CRecordset {
public:
    enum OpenType : unsigned { useDefaultType = 0xFFFFFFFFu, snapshot = 2 };
    enum Options : unsigned {
        none = 0,
        readOnly = 0x0004,
        skipDeletedRecords = 0x0100,
        executeDirect = 0x2000,  // cannot be re-run
    };

    explicit CRecordset(CDatabase* pDatabase = nullptr);
    virtual ~CRecordset();
    CRecordset(const CRecordset&) = delete;
    CRecordset& operator=(const CRecordset&) = delete;

    // Returns false if the set could not be opened; database errors raise CDBException.
    virtual bool Open(unsigned openType = useDefaultType, const char* sql = nullptr,
                      unsigned options = none);
    virtual void Close();
    virtual void Delete();
    // Runs the query again with the current filter, sort and parameters.
    // False if the set is closed or may not be re-run; a failed query raises.
    virtual bool Rerun();
    // As Rerun, but the query runs at the next look at the rows, and a
    // failure raises there (and again at each look until it runs).
    bool RerunDeferred();
    virtual std::string GetDefaultConnect() const;
    virtual std::string GetDefaultSQL() const = 0;
    virtual void DoFieldExchange(CFieldExchange* pFX) = 0;
    // The connection for a set constructed without one; null: a connection of its own.
    virtual CDatabase* GetDefaultDatabase() const;

    bool IsOpen() const { return m_bOpen; }
    bool IsEOF();
    bool IsBOF();
    bool IsDeleted();
    void MoveNext();

    void AddNew();
    void Edit();
    // Stores the pending new or edited row; raises CDBException on failure.
    bool Update();

    bool CanAppend() const;
    bool CanUpdate() const;
    bool CanRestart() const;

    // The connection the set works on while open.
    CDatabase* GetConnection() const { return m_pConnection; }

    std::string m_strFilter;
    std::string m_strSort;
    CDatabase* m_pDatabase;  // as constructed; null: the default database

protected:
    // Reads the rows of a pending re-run, so the members hold the current row.
    void FetchPendingRows();

private:
    enum class EditMode { none, edit, addNew };
    struct Row {
        CFieldRow values;
        bool deleted = false;
    };

    void CollectBindings();
    void EnsureConnection();
    void RequestQuery();
    void MoveTo(long long index);
    long long LiveRowFrom(long long index) const;
    void PrepareMove();
    void LoadCurrentIntoMembers();
    CFieldRow ReadMembers() const;
    std::vector<FieldKind> ColumnKinds() const;
    std::string RowCondition(const CFieldRow& oldValues, std::vector<FieldKind>& kinds,
                             CFieldRow& values) const;
    long long ExecuteModification(const std::string& sql, const std::vector<FieldKind>& kinds,
                                  const CFieldRow& values);
    void InsertMembers();
    void UpdateCurrentFromMembers();
    Row& CurrentRow();

    std::unique_ptr<CDatabase> m_ownDatabase;
    CDatabase* m_pConnection = nullptr;
    std::vector<CFieldBinding> m_columns;
    std::vector<CFieldBinding> m_params;

    bool m_bOpen = false;
    unsigned m_options = none;
    std::string m_strTable;     // set when the SQL names one table: the set is updatable
    std::string m_strSelect;    // SELECT ... FROM ... without filter and sort

    // The query to run when the rows are next needed.
    bool m_bQueryPending = false;
    std::string m_pendingSql;
    std::vector<FieldKind> m_pendingKinds;
    CFieldRow m_pendingValues;

    std::vector<Row> m_rows;
    long long m_current = 0;
    bool m_bBOF = true;
    bool m_bEOF = true;
    EditMode m_editMode = EditMode::none;
};
