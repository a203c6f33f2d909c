// The phrase manager logged in as a member of a secured PostgreSQL database,
// which tests/windows/secured-manager.sh makes: the server refuses changes
// the program itself allows (a phrase in this user's name, stored by another
// role), and the manager tells each as a refusal, never as done. Then the
// server ends the manager's session, and the manager says so once and works
// on a new one.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "framework/odbc/Recordset.h"
#include "manager/PhraseManagerDlg.h"
#include "res/resource.h"
#include "store/CurrentUser.h"
#include "tests/windows/DialogTestSupport.h"

namespace {

constexpr char kBorrowed[] = "a borrowed cat";

class SecuredManagerTest : public ManagerTestBase {
protected:
    void SetUp() override {
        if (!std::getenv("SORROWLINE_SECURED_MEMBER"))
            GTEST_SKIP() << "runs as a member of a secured database (secured-manager.sh)";
        DialogTest::SetUp();
    }
    // The script made, secured and filled them.
    void PrepareTables() override {}

    std::string FirstLine(size_t box) const {
        const std::string& text = m_boxes.m_shown.at(box).text;
        return text.substr(0, text.find('\n'));
    }

    long long Query(const std::string& sql) {
        class CNumber : public CRecordset {
        public:
            using CRecordset::CRecordset;
            std::string GetDefaultSQL() const override { return ""; }
            void DoFieldExchange(CFieldExchange* pFX) override { RFX_Long(pFX, "n", m_value); }
            int32_t m_value = 0;
        } number(&m_db);
        number.Open(CRecordset::snapshot, sql.c_str());
        return number.m_value;
    }
    bool CountsMatchRows() {
        return Query("SELECT CAST(NumNouns = (SELECT COUNT(*) FROM Phrase WHERE PhraseType < 4) AND "
                     "NumVerbs = (SELECT COUNT(*) FROM Phrase WHERE PhraseType = 4) AND "
                     "NumAdverbs = (SELECT COUNT(*) FROM Phrase WHERE PhraseType = 5) AS INTEGER) "
                     "FROM Configuration") == 1;
    }
};

}  // namespace

TEST_F(SecuredManagerTest, TheServersRefusalsAreToldAndALostSessionIsReplaced) {
    std::string user;
    ASSERT_TRUE(GetCurrentUserName(user));
    Open();
    ASSERT_EQ(ListView_GetItemCount(List()), 1);
    ASSERT_EQ(Cell(0, 3), kBorrowed);
    ASSERT_EQ(Query("SELECT COUNT(*) FROM Phrase WHERE lower(AddedBy) = lower('" + user + "')"), 1)
        << "the script stores the phrase in the name " << user << " does not have";

    // The program lets the author delete it; the server does not.
    SelectRows({0});
    Command(IDM_DELETE_PHRASES);
    ASSERT_EQ(m_boxes.m_shown.size(), 2u) << "the question, then the refusal";
    EXPECT_EQ(FirstLine(1), "Could not delete item");
    EXPECT_EQ(m_boxes.m_shown[1].type & MB_ICONMASK, static_cast<UINT>(MB_ICONWARNING));
    EXPECT_EQ(Cell(0, 3), kBorrowed);

    // Nor an edit: the editor's OK ends in the error box, the row as stored.
    RunInModalLoop([] {
        HWND editor = GetActiveWindow();
        ClearTyped(GetDlgItem(editor, IDC_NOUN_TEXT));
        TypeText(GetDlgItem(editor, IDC_NOUN_TEXT), "a stolen cat");
        PostMessageA(editor, WM_COMMAND, IDOK, 0);
    });
    SelectRows({0});
    Command(IDM_EDIT_PHRASE);
    ASSERT_EQ(m_boxes.m_shown.size(), 3u);
    EXPECT_EQ(FirstLine(2), "Cannot edit phrase");
    EXPECT_EQ(m_boxes.m_shown[2].title, "Database Error");
    EXPECT_EQ(Query("SELECT COUNT(*) FROM Phrase WHERE OPhrase = 'a borrowed cat'"), 1);
    EXPECT_TRUE(CountsMatchRows());

    // The member's own sessions but the test's: the manager's.
    Query("SELECT COUNT(pg_terminate_backend(pid, 60000)) FROM pg_stat_activity "
          "WHERE usename = current_user AND pid <> pg_backend_pid()");
    Press(IDC_REFRESH);
    ASSERT_EQ(m_boxes.m_shown.size(), 4u);
    EXPECT_EQ(FirstLine(3), "Could not refresh phrase list");
    Press(IDC_REFRESH);
    EXPECT_EQ(m_boxes.m_shown.size(), 4u);
    ASSERT_EQ(ListView_GetItemCount(List()), 1);
    EXPECT_EQ(Cell(0, 3), kBorrowed);
}
