// The Database dialog's wiring over a data source with known phrases: its
// template and fields, a click on each button reaching the data source, the
// transfers' worker and its messages, with the file dialogs answered by the
// test. The rules themselves are tested natively through the presenter.
#include <windows.h>

#include <commdlg.h>
#include <gtest/gtest.h>

#include <condition_variable>
#include <deque>
#include <fstream>
#include <mutex>
#include <string>

#include "dialogs/DialogHost.h"
#include "framework/win/FileDialog.h"
#include "manager/PhraseManagerDlg.h"
#include "res/resource.h"
#include "framework/odbc/Database.h"
#include "store/CurrentUser.h"
#include "store/PhraseLookup.h"
#include "store/PhraseRec.h"
#include "tests/windows/DialogTestSupport.h"
#include "dialogs/DatabaseDlg.h"
#include "dialogs/TransferProgressDlg.h"

namespace {

// Answers the file dialogs with queued paths and keeps what was asked.
class CQueuedFiles : public CFileDialogAnswerer {
public:
    bool Answer(HWND, const FileDialogRequest& request, std::string& path) override {
        m_requests.push_back(request);
        if (m_paths.empty())
            return false;
        path = m_paths.front();
        m_paths.pop_front();
        return true;
    }
    std::deque<std::string> m_paths;
    std::vector<FileDialogRequest> m_requests;
};

// Message boxes of the transfer's worker: each waits, holding the transfer
// open, until the test lets it go; the test meanwhile looks at the dialogs.
class CHeldBoxes : public CMessageBoxAnswerer {
public:
    struct Box {
        std::string firstLine;
        HWND owner;
    };
    int Answer(HWND owner, const std::string& text, const std::string&, UINT) override {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_shown.push_back({text.substr(0, text.find('\n')), owner});
        m_held = true;
        m_changed.notify_all();
        m_changed.wait(lock, [this] { return !m_held; });
        return IDOK;
    }
    // Serves the dialogs' thread until a box is held; false if none comes.
    bool WaitForBox() {
        for (int i = 0; i < 1000; ++i) {
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                if (m_held)
                    return true;
            }
            PumpMessages();
        }
        return false;
    }
    void Release() {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_held = false;
        m_changed.notify_all();
    }
    std::vector<Box> Shown() {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_shown;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_held = false;
    std::vector<Box> m_shown;
};

long long FileSize(const std::string& path) {
    return std::ifstream(path, std::ios::binary | std::ios::ate).tellg();
}

class DatabaseDialogTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        static int s_test = 0;
        m_folder = std::string(temp) + "sorrowline-database-" + std::to_string(GetCurrentProcessId()) + "-" +
                   std::to_string(++s_test);
        CreateDirectoryA(m_folder.c_str(), nullptr);
        SetFileDialogAnswerer(&m_files);
        // Three nouns, two verbs, one adverb, and one phrase of no kind.
        for (int type : {0, 2, 3, 4, 4, 5, 7})
            InsertPhrase(type, "phrase " + std::to_string(++m_inserted), "2026-01-02 03:04:05");
    }
    void TearDown() override {
        if (m_dialog)
            m_dialog->DestroyWindow();
        m_dialog.reset();
        if (theProgressDlg.GetSafeHwnd())
            theProgressDlg.DestroyWindow();
        SetFileDialogAnswerer(nullptr);
        for (const char* name : {"cut.Sorrow", "first.Sorrow"})
            DeleteFileA(Path(name).c_str());
        RemoveDirectoryA(m_folder.c_str());
        DialogTest::TearDown();
    }

    CDatabaseDlg& Open() {
        m_dialog = std::make_unique<CDatabaseDlg>(nullptr, m_app->Store());
        EXPECT_TRUE(m_dialog->Create());
        return *m_dialog;
    }
    std::string Field(int id) { return WindowText(m_dialog->GetDlgItem(id)); }
    std::string Counts() {
        return Field(IDC_NOUN_COUNT) + " " + Field(IDC_VERB_COUNT) + " " + Field(IDC_ADVERB_COUNT);
    }
    void Press(int id) { SendMessageA(m_dialog->GetDlgItem(id), BM_CLICK, 0, 0); }
    bool Enabled(int id) { return IsWindowEnabled(m_dialog->GetDlgItem(id)) != FALSE; }
    std::string Path(const std::string& name) { return m_folder + "\\" + name; }
    // Serves the dialogs until the transfer's worker has ended.
    void WaitForTransfer() {
        for (int i = 0; i < 2000 && (TransferBusy() || theProgressDlg.GetSafeHwnd()); ++i)
            PumpMessages();
        ASSERT_FALSE(TransferBusy());
    }
    // Serves the dialogs one message at a time until the transfer's buttons
    // are enabled again, and no further.
    void WaitForButtons() {
        MSG msg;
        for (int i = 0; i < 20000 && !Enabled(IDC_EXPORT); ++i) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        ASSERT_TRUE(Enabled(IDC_EXPORT));
    }
    void SetOwner(const std::string& owner) {
        Exec("INSERT INTO Configuration (Administrator, NumAdverbs, NumNouns, NumVerbs) VALUES ('" + owner +
             "', 0, 0, 0)");
    }

    int m_inserted = 0;
    std::string m_folder;
    CQueuedFiles m_files;
    std::unique_ptr<CDatabaseDlg> m_dialog;
};

}  // namespace

TEST_F(DatabaseDialogTest, ShowsCountsOwnerAndDatabaseAndEmptyAsksTheOwnerInABox) {
    std::string user;
    GetCurrentUserName(user);
    SetOwner(user);
    Open();
    EXPECT_EQ(WindowText(m_dialog->GetSafeHwnd()), "Sorrowline Database");
    EXPECT_EQ(Counts(), "3 2 1");
    EXPECT_EQ(Field(IDC_OWNER), user);
    EXPECT_NE(Field(IDC_DATABASE_NAME).find(".db"), std::string::npos) << Field(IDC_DATABASE_NAME);

    m_boxes.m_answers = {IDYES};
    Press(IDC_EMPTY);
    ASSERT_EQ(m_boxes.m_shown.size(), 1u);
    EXPECT_EQ(m_boxes.m_shown[0].owner, m_dialog->GetSafeHwnd());
    EXPECT_EQ(m_boxes.m_shown[0].type, static_cast<UINT>(MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2));
    EXPECT_EQ(m_boxes.m_shown[0].title, "Empty Database");
    CPhraseRec left(m_app->Store());
    left.Open();
    EXPECT_TRUE(left.IsEOF());
    EXPECT_EQ(Counts(), "0 0 0");
}

TEST_F(DatabaseDialogTest, WhileATransferRunsNothingClosesAndTheButtonsRest) {
    Open();
    // A file cut short in its first verb: the reader stops at the damage
    // and the worker shows its message, owned by the dialog.
    std::ofstream(Path("cut.Sorrow"), std::ios::binary) << "\x01" "a new noun" "\x01" "\x05" "\x01\x05" "runs";
    CHeldBoxes held;
    SetMessageBoxAnswerer(&held);
    m_files.m_paths = {Path("cut.Sorrow")};
    Press(IDC_LOAD_MERGE);
    ASSERT_TRUE(held.WaitForBox());
    EXPECT_FALSE(m_files.m_requests.at(0).save);

    HWND dialog = m_dialog->GetSafeHwnd();
    HWND progress = theProgressDlg.GetSafeHwnd();
    ASSERT_TRUE(IsWindow(progress));
    EXPECT_EQ(WindowText(progress), "Import Data");
    EXPECT_NE(WindowText(GetDlgItem(progress, IDC_TRANSFER_STATUS)).find("Importing from file "), std::string::npos);
    EXPECT_FALSE(IsWindowEnabled(progress));
    EXPECT_FALSE(GetWindowLongA(progress, GWL_STYLE) & WS_SYSMENU);
    for (int button : {IDC_EMPTY, IDC_LOAD_MERGE, IDC_EXPORT})
        EXPECT_FALSE(Enabled(button)) << button;
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    SendMessageA(progress, WM_CLOSE, 0, 0);
    PumpMessages();
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_TRUE(IsWindow(progress));

    held.Release();
    WaitForTransfer();
    SetMessageBoxAnswerer(&m_boxes);
    EXPECT_FALSE(IsWindow(progress));
    ASSERT_EQ(held.Shown().size(), 1u);
    EXPECT_EQ(held.Shown()[0].firstLine, "Error loading data file");
    EXPECT_EQ(held.Shown()[0].owner, dialog);
    for (int button : {IDC_EMPTY, IDC_LOAD_MERGE, IDC_EXPORT})
        EXPECT_TRUE(Enabled(button)) << button;

    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(IsWindow(dialog));
}

// An export asks for its file and writes it on the worker. The moment the
// buttons come back the last transfer is over: a transfer started then has
// its own progress window and flag, and its own result.
TEST_F(DatabaseDialogTest, AnExportRunsOnTheWorkerAndOneStartedAsSoonAsItEndsIsItsOwn) {
    Open();
    m_files.m_paths = {Path("first.Sorrow"), m_folder};  // a folder cannot be written: the worker says so
    Press(IDC_EXPORT);
    WaitForButtons();
    EXPECT_FALSE(TransferBusy());
    EXPECT_EQ(theProgressDlg.GetSafeHwnd(), nullptr);
    EXPECT_GT(FileSize(Path("first.Sorrow")), 60);
    ASSERT_EQ(m_files.m_requests.size(), 1u);
    const FileDialogRequest save = m_files.m_requests[0];
    EXPECT_TRUE(save.save);
    EXPECT_EQ(save.defaultExtension, "Sorrow");
    EXPECT_EQ(save.filter, "Sorrowline 3.0 Files|*.Sorrow||");
    EXPECT_EQ(save.flags & (OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY),
              static_cast<DWORD>(OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY));

    CHeldBoxes held;
    SetMessageBoxAnswerer(&held);
    Press(IDC_EXPORT);
    const bool boxShown = held.WaitForBox();
    EXPECT_TRUE(TransferBusy());
    EXPECT_TRUE(IsWindow(theProgressDlg.GetSafeHwnd()));
    EXPECT_FALSE(Enabled(IDC_EXPORT));
    held.Release();
    ASSERT_TRUE(boxShown);
    WaitForTransfer();
    SetMessageBoxAnswerer(&m_boxes);

    ASSERT_EQ(held.Shown().size(), 1u);
    EXPECT_EQ(held.Shown()[0].firstLine, "Error saving data file");
    EXPECT_EQ(theProgressDlg.GetSafeHwnd(), nullptr);
    EXPECT_TRUE(Enabled(IDC_EXPORT));
}

TEST_F(DatabaseDialogTest, TheManagersListIsReadAnewWhenTheDialogCloses) {
    CPhraseManagerDlg manager(m_app->Store());
    ASSERT_TRUE(manager.Create());
    const int before = manager.List().GetItemCount();
    InsertPhrase(0, "a late arrival", "2026-02-02 02:02:02");
    RunInModalLoop([] { PostMessageA(GetActiveWindow(), WM_COMMAND, IDCANCEL, 0); });
    SendMessageA(manager.GetDlgItem(IDC_DATABASE), BM_CLICK, 0, 0);
    EXPECT_EQ(manager.List().GetItemCount(), before + 1);
}

TEST_F(DatabaseDialogTest, ALoadHeldUpByALockSaysItWaitsInTheProgressWindow) {
    Open();
    m_files.m_paths = {Path("first.Sorrow")};
    Press(IDC_EXPORT);
    WaitForButtons();
    Exec("DELETE FROM Phrase WHERE OPhrase = 'phrase 1'");

    CDatabase holder;
    holder.OpenEx(m_app->Store().ConnectString(), CDatabase::noOdbcDialog);
    holder.ExecuteSQL("BEGIN EXCLUSIVE");
    m_files.m_paths = {Path("first.Sorrow")};
    Press(IDC_LOAD_MERGE);
    const std::string waiting = "Waiting for the database";
    std::string counter;
    for (int i = 0; i < 3000 && counter.find(waiting) == std::string::npos && TransferBusy(); ++i) {
        PumpMessages();
        if (theProgressDlg.GetSafeHwnd())
            counter = WindowText(theProgressDlg.GetDlgItem(IDC_TRANSFER_COUNTER));
    }
    holder.ExecuteSQL("COMMIT");
    WaitForTransfer();
    EXPECT_NE(counter.find(waiting), std::string::npos) << counter;
    EXPECT_TRUE(QueryPhraseExists(m_app->Store(), 0, "phrase 1"));
}
