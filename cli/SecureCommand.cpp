// secure: hands the permission rule to a PostgreSQL server, so that a member
// of the group role sorrowline_users cannot break it with psql or --user.
//
// Every member reads every phrase, adds phrases in the own name only,
// changes and deletes the own ones (the owner named in [Configuration]:
// anyone's), and changes nothing of the owner row but its three counts.
// The tables' owner, who runs this, is not bound by row-level security.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "framework/odbc/DBException.h"
#include "framework/odbc/Database.h"
#include "framework/odbc/Recordset.h"
#include "store/CurrentUser.h"

namespace {

constexpr char kGroup[] = "sorrowline_users";
constexpr char kTables[] = "(to_regclass('phrase'), to_regclass('configuration'))";

// The rows of a query of one text column.
std::vector<std::string> QueryTexts(CDatabase& db, const std::string& sql) {
    class CTextRows : public CRecordset {
    public:
        CTextRows(CDatabase* db, std::string sql) : CRecordset(db), m_sql(std::move(sql)) {}
        std::string GetDefaultSQL() const override { return m_sql; }
        void DoFieldExchange(CFieldExchange* pFX) override { RFX_Text(pFX, "[Text]", m_text); }
        std::string m_sql;
        std::string m_text;
    } rows(&db, sql);
    rows.Open(CRecordset::snapshot, nullptr, CRecordset::readOnly);
    std::vector<std::string> texts;
    for (; !rows.IsEOF(); rows.MoveNext())
        texts.push_back(rows.m_text);
    return texts;
}

std::string QueryText(CDatabase& db, const std::string& sql) {
    const std::vector<std::string> rows = QueryTexts(db, sql);
    return rows.empty() ? std::string() : rows.front();
}

std::string Joined(const std::vector<std::string>& texts, const char* separator) {
    std::string joined;
    for (const std::string& text : texts)
        joined += (joined.empty() ? "" : separator) + text;
    return joined;
}

// A string literal of SQL.
std::string Literal(const std::string& text) {
    std::string literal = "'";
    for (char c : text)
        literal += c == '\'' ? std::string("''") : std::string(1, c);
    return literal + "'";
}

class CSecurer {
public:
    explicit CSecurer(CDatabase& db) : m_db(db) {}

    // Why this role may not secure the database; empty when it may.
    std::string Refusal();
    // Makes each part that is not yet as it should be; true when one changed.
    bool Secure();
    // What Secure changed, to tell once it is committed.
    const std::vector<std::string>& Done() const { return m_done; }
    void Describe();

private:
    struct Policy {
        const char* table;
        const char* name;
        char command;  // as pg_policy keeps it: r select, a insert, w update, d delete
        std::string usingClause;
        std::string checkClause;
    };

    bool Step(const char* done, const std::string& stateQuery, const std::vector<std::string>& actions);
    std::vector<std::string> FunctionActions() const;
    std::vector<std::string> PrivilegeActions() const;
    std::vector<std::string> PolicyActions();
    std::vector<Policy> Policies() const;
    std::string OwnerFunction() const { return m_schema + ".sorrowline_owner()"; }

    CDatabase& m_db;
    std::string m_role;
    std::string m_schema;
    std::vector<std::string> m_done;
};

std::string CSecurer::Refusal() {
    m_role = QueryText(m_db, "SELECT current_user::text");
    const std::vector<std::string> owners = QueryTexts(
        m_db, std::string("SELECT pg_get_userbyid(relowner)::text FROM pg_class WHERE oid IN ") + kTables);
    if (owners.size() != 2)
        return "the tables are missing: sorrowline-db init creates them";
    for (const std::string& owner : owners)
        if (owner != m_role)
            return "the tables belong to the role " + owner + ", not to " + m_role + " who runs this; run it as " +
                   owner;
    const std::vector<std::string> named = QueryTexts(m_db, "SELECT coalesce(Administrator, '') FROM configuration");
    if (named.empty())
        return "there is no owner row yet: sorrowline-db init makes it";
    if (named.size() > 1)
        return "the owner row is not the only row of the configuration table";
    if (!SameUserName(named.front(), m_role))
        return "the database's owner is " + named.front() + " (the system's user name that made it), but this runs as the role " +
               m_role + "; the owner runs it, as the role of that name";
    m_schema = QueryText(m_db, "SELECT quote_ident(relnamespace::regnamespace::text) FROM pg_class WHERE oid = "
                               "to_regclass('configuration')");
    return "";
}

// Runs the actions; the state before and after tells whether they changed anything.
// The state is a digest: its rows are longer than a text column of the record layer.
bool CSecurer::Step(const char* done, const std::string& stateQuery, const std::vector<std::string>& actions) {
    const std::string digest = "SELECT coalesce(md5(string_agg(t, chr(10) ORDER BY t)), '') FROM (" +
                               stateQuery + ") AS state(t)";
    const std::string before = QueryText(m_db, digest);
    for (const std::string& action : actions)
        m_db.ExecuteSQL(action);
    if (QueryText(m_db, digest) == before)
        return false;
    m_done.push_back(done);
    return true;
}

// The owner as the owner row names it, read with the tables' owner's rights:
// a policy of [Configuration] cannot read its own table.
std::vector<std::string> CSecurer::FunctionActions() const {
    return {
        "CREATE OR REPLACE FUNCTION " + OwnerFunction() +
            " RETURNS varchar LANGUAGE sql STABLE SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS "
            "$body$ SELECT Administrator FROM " + m_schema + ".configuration ORDER BY Administrator LIMIT 1 $body$",
        "REVOKE ALL ON FUNCTION " + OwnerFunction() + " FROM PUBLIC",
        "GRANT EXECUTE ON FUNCTION " + OwnerFunction() + " TO " + kGroup,
    };
}

// What the program needs, no more; the start-up test's role admin only connects.
std::vector<std::string> CSecurer::PrivilegeActions() const {
    return {
        "REVOKE ALL ON phrase, configuration FROM PUBLIC",
        std::string("REVOKE TRUNCATE, REFERENCES, TRIGGER ON phrase FROM ") + kGroup,
        std::string("REVOKE INSERT, DELETE, TRUNCATE, REFERENCES, TRIGGER ON configuration FROM ") + kGroup,
        std::string("GRANT SELECT, INSERT, UPDATE, DELETE ON phrase TO ") + kGroup,
        std::string("GRANT SELECT, UPDATE ON configuration TO ") + kGroup,
        "DO $body$ BEGIN IF EXISTS (SELECT 1 FROM pg_roles WHERE rolname = 'admin') THEN "
        "REVOKE ALL ON phrase, configuration FROM admin; REVOKE ALL ON FUNCTION " + OwnerFunction() +
            " FROM admin; END IF; END $body$",
    };
}

std::vector<CSecurer::Policy> CSecurer::Policies() const {
    const std::string own = "lower(AddedBy) = lower(current_user)";
    const std::string owner = "lower(" + OwnerFunction() + ") = lower(current_user)";
    const std::string ownOrOwner = own + " OR " + owner;
    const std::string ownerKept = "Administrator IS NOT DISTINCT FROM " + OwnerFunction() + " OR " + owner;
    return {
        {"phrase", "sorrowline_read", 'r', "true", ""},
        {"phrase", "sorrowline_add_own", 'a', "", own},
        {"phrase", "sorrowline_change_own", 'w', ownOrOwner, ownOrOwner},
        {"phrase", "sorrowline_delete_own", 'd', ownOrOwner, ""},
        {"configuration", "sorrowline_read", 'r', "true", ""},
        {"configuration", "sorrowline_counts_only", 'w', "true", ownerKept},
    };
}

// Ours are altered in place when there, so that a second run changes
// nothing; any other policy on the tables could widen them and goes.
std::vector<std::string> CSecurer::PolicyActions() {
    const std::vector<Policy> wanted = Policies();
    std::vector<std::string> actions;
    std::vector<std::string> kept;
    for (const std::string& row : QueryTexts(
             m_db, std::string("SELECT polrelid::regclass::text || chr(9) || polname || chr(9) || polcmd::text || chr(9) || "
                               "quote_ident(polname) FROM pg_policy WHERE polrelid IN ") + kTables)) {
        const size_t a = row.find('\t'), b = row.find('\t', a + 1), c = row.find('\t', b + 1);
        const std::string table = row.substr(0, a), name = row.substr(a + 1, b - a - 1);
        bool ours = false;
        for (const Policy& p : wanted)
            ours = ours || (table == p.table && name == p.name && row[b + 1] == p.command);
        if (ours)
            kept.push_back(table + "." + name);
        else
            actions.push_back("DROP POLICY " + row.substr(c + 1) + " ON " + table);
    }
    const char* commands[] = {"SELECT", "INSERT", "UPDATE", "DELETE"};
    const std::string codes = "rawd";
    for (const Policy& p : wanted) {
        const bool there = std::find(kept.begin(), kept.end(), std::string(p.table) + "." + p.name) != kept.end();
        std::string sql = there ? "ALTER POLICY " + std::string(p.name) + " ON " + p.table
                                : "CREATE POLICY " + std::string(p.name) + " ON " + p.table + " FOR " +
                                      commands[codes.find(p.command)];
        sql += std::string(" TO ") + kGroup;
        if (!p.usingClause.empty())
            sql += " USING (" + p.usingClause + ")";
        if (!p.checkClause.empty())
            sql += " WITH CHECK (" + p.checkClause + ")";
        actions.push_back(sql);
    }
    return actions;
}

bool CSecurer::Secure() {
    bool changed = Step("Created the group role sorrowline_users.",
                        std::string("SELECT rolname::text FROM pg_roles WHERE rolname = ") + Literal(kGroup),
                        {std::string("DO $body$ BEGIN IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = ") +
                         Literal(kGroup) + ") THEN CREATE ROLE " + kGroup + " NOLOGIN; END IF; END $body$"});
    changed |= Step("Made the function sorrowline_owner(), the owner row's owner for the policies.",
                    "SELECT prosrc || chr(9) || prosecdef::text || chr(9) || "
                    "coalesce(array_to_string(proconfig, ','), '') || chr(9) || coalesce(proacl::text, '') "
                    "FROM pg_proc WHERE oid = to_regprocedure(" + Literal(OwnerFunction()) + ")",
                    FunctionActions());
    const std::string tableState = std::string("SELECT relname::text || chr(9) || coalesce(relacl::text, '') || "
                                                "chr(9) || relrowsecurity::text FROM pg_class WHERE oid IN ") +
                                   kTables;
    changed |= Step("Granted sorrowline_users what the program needs (reading and writing phrases, the counts); "
                    "no rights on the tables for anyone else.",
                    tableState, PrivilegeActions());
    changed |= Step("Turned on row-level security on the tables Phrase and Configuration.", tableState,
                    {"ALTER TABLE phrase ENABLE ROW LEVEL SECURITY",
                     "ALTER TABLE configuration ENABLE ROW LEVEL SECURITY"});
    changed |= Step("Set the policies: everyone reads; a member adds in the own name only, changes and deletes "
                    "the own phrases (the owner anyone's) and changes only the counts of the owner row.",
                    std::string("SELECT polrelid::regclass::text || chr(9) || polname || chr(9) || polcmd::text || "
                                "chr(9) || polroles::text || chr(9) || coalesce(pg_get_expr(polqual, polrelid), '') "
                                "|| chr(9) || coalesce(pg_get_expr(polwithcheck, polrelid), '') FROM pg_policy "
                                "WHERE polrelid IN ") + kTables,
                    PolicyActions());
    return changed;
}

void CSecurer::Describe() {
    const std::string members = Joined(
        QueryTexts(m_db, std::string("SELECT m.rolname::text FROM pg_auth_members a JOIN pg_roles m ON m.oid = "
                                     "a.member WHERE a.roleid = (SELECT oid FROM pg_roles WHERE rolname = ") +
                             Literal(kGroup) + ") ORDER BY 1"),
        ", ");
    std::printf("Members of sorrowline_users: %s\n", members.empty() ? "none yet" : members.c_str());
    std::printf("A member is a login role named as its user's system user name:\n"
                "  CREATE ROLE name LOGIN; GRANT sorrowline_users TO name;\n");
    const std::string admin = QueryText(
        m_db, std::string("SELECT rolsuper::text || chr(9) || pg_has_role(oid, ") + Literal(kGroup) +
                  ", 'MEMBER')::text FROM pg_roles WHERE rolname = 'admin'");
    if (admin.rfind("true", 0) == 0)
        std::fprintf(stderr, "warning: the role admin is a superuser: the server lets it change anything\n");
    else if (admin.find("\ttrue") != std::string::npos)
        std::fprintf(stderr, "warning: the role admin is a member of sorrowline_users; the start-up test "
                             "needs only to connect (REVOKE sorrowline_users FROM admin)\n");
}

}  // namespace

int RunSecure(CStoreContext&, const CommandContext& context) {
    if (!context.args.empty())
        throw UsageError{"secure takes no arguments"};
    CDatabase db;
    db.OpenEx(context.connect, CDatabase::noOdbcDialog);
    const std::string engine = db.GetDbmsName();
    if (engine.find("PostgreSQL") == std::string::npos) {
        std::fprintf(stderr, "secure: nothing done: the database is %s, which has no roles to keep the owner "
                             "rule; only a PostgreSQL server can\n", engine.c_str());
        return kExitUsage;
    }
    CSecurer securer(db);
    const std::string refusal = securer.Refusal();
    if (!refusal.empty()) {
        std::fprintf(stderr, "secure: %s\n", refusal.c_str());
        return kExitFailure;
    }
    // All or nothing: a half-secured database would look secured.
    db.BeginTrans();
    bool changed = false;
    try {
        changed = securer.Secure();
        db.CommitTrans();
    } catch (...) {
        db.Rollback();
        throw;
    }
    for (const std::string& done : securer.Done())
        std::printf("%s\n", done.c_str());
    if (!changed)
        std::printf("Nothing to change: the database is secured already.\n");
    securer.Describe();
    return kExitOk;
}
