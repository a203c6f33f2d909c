// The Database dialog over a data source with known phrases: its fields,
// Empty under the permission rule, and Export and Load/Merge on their
// worker thread, with the file dialogs answered by the test.
#include <windows.h>

#include <commdlg.h>
#include <gtest/gtest.h>

#include <condition_variable>
#include <deque>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>

#include "dialogs/DialogHost.h"
#include "dialogs/HelpPopup.h"
#include "framework/MessageSink.h"
#include "framework/win/FileDialog.h"
#include "manager/PhraseManagerDlg.h"
#include "res/resource.h"
#include "store/CurrentUser.h"
#include "store/PhraseRec.h"
#include "tests/windows/DialogTestSupport.h"
#include "transfer/PhraseFile.h"
#include "transfer/TransferProgress.h"
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
    int Answer(HWND, const std::string& text, const std::string&, UINT) override {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_texts.push_back(text);
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
    std::vector<std::string> Texts() {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_texts;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_held = false;
    std::vector<std::string> m_texts;
};

struct NoProgress : CTransferProgress {
    void SetRange(uint32_t) override {}
    void SetPosition(uint32_t) override {}
    void SetText(const std::string&) override {}
};

struct SilentMessages : CMessageSink {
    void ShowWarning(const std::string&, const std::string&) override {}
};

// The test's folder and the files in it.
void RemoveFolder(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do
            DeleteFileA((folder + "\\" + found.cFileName).c_str());
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
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
        InsertPhrase(0, "the moon", "2026-01-02 03:04:05");
        InsertPhrase(2, "my aunt", "2026-01-02 03:04:06");
        InsertPhrase(3, "the twins", "2026-01-02 03:04:07");
        const std::string verb[4] = {"eats its dinner", "eats his dinner", "eats her dinner",
                                     "eat their dinner"};
        InsertVerb(4, verb, "2026-01-03 01:02:03");
        const std::string walks[4] = {"walks", "walks", "walks", "walk"};
        InsertVerb(4, walks, "2026-01-03 01:02:04");
        InsertPhrase(5, "at dawn", "2026-01-04 05:06:07");
        InsertPhrase(7, "no kind", "2026-01-04 05:06:08");
    }
    void TearDown() override {
        if (m_dialog)
            m_dialog->DestroyWindow();
        m_dialog.reset();
        if (theProgressDlg.GetSafeHwnd())
            theProgressDlg.DestroyWindow();
        SetFileDialogAnswerer(nullptr);
        RemoveFolder(m_folder);
        DialogTest::TearDown();
    }

    CDatabaseDlg& Open() {
        m_dialog = std::make_unique<CDatabaseDlg>(nullptr, m_app->Store());
        EXPECT_TRUE(m_dialog->Create());
        return *m_dialog;
    }
    std::string Field(int id) { return WindowText(m_dialog->GetDlgItem(id)); }
    void Press(int id) { SendMessageA(m_dialog->GetDlgItem(id), BM_CLICK, 0, 0); }
    bool Enabled(int id) { return IsWindowEnabled(m_dialog->GetDlgItem(id)) != FALSE; }
    std::string Path(const std::string& name) { return m_folder + "\\" + name; }
    long long Phrases() {
        CPhraseRec set(m_app->Store());
        set.Open();
        long long rows = 0;
        for (; !set.IsEOF(); set.MoveNext())
            ++rows;
        return rows;
    }
    // Serves the dialogs until the transfer's worker has ended.
    void WaitForTransfer() {
        for (int i = 0; i < 2000 && (TransferBusy() || theProgressDlg.GetSafeHwnd()); ++i)
            PumpMessages();
        ASSERT_FALSE(TransferBusy());
    }
    void SetOwner(const std::string& owner) {
        Exec("INSERT INTO Configuration (Administrator, NumAdverbs, NumNouns, NumVerbs) VALUES ('" + owner +
             "', 0, 0, 0)");
    }

    std::string m_folder;
    CQueuedFiles m_files;
    std::unique_ptr<CDatabaseDlg> m_dialog;
};

}  // namespace

TEST_F(DatabaseDialogTest, ShowsTheCountsTheOwnerAndTheDatabase) {
    SetOwner("Cleo");
    Exec("UPDATE Configuration SET NumNouns = 40, NumVerbs = -1");  // drifted counts
    Open();
    EXPECT_EQ(Field(IDC_NOUN_COUNT), "3");
    EXPECT_EQ(Field(IDC_VERB_COUNT), "2");
    EXPECT_EQ(Field(IDC_ADVERB_COUNT), "1");
    EXPECT_EQ(Field(IDC_OWNER), "Cleo");
    EXPECT_NE(Field(IDC_DATABASE_NAME).find(".db"), std::string::npos) << Field(IDC_DATABASE_NAME);
    EXPECT_EQ(WindowText(m_dialog->GetSafeHwnd()), "Sorrowline Database");
}

TEST_F(DatabaseDialogTest, HelpOnAControlShowsItsTopic) {
    Open();
    for (int id : {IDC_EXPORT, IDC_OWNER_CAPTION, IDC_NOUN_COUNT}) {
        HWND control = m_dialog->GetDlgItem(id);
        HELPINFO info = {sizeof info, HELPINFO_WINDOW, id, control, 0, {0, 0}};
        SendMessageA(m_dialog->GetSafeHwnd(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
        ASSERT_NE(CHelpPopup::Current(), nullptr) << id;
        EXPECT_EQ(CHelpPopup::Current()->Text(), HelpTopicText(0x808A0000u + static_cast<DWORD>(id)));
    }
    CHelpPopup::CloseCurrent();
}

TEST_F(DatabaseDialogTest, OnlyTheOwnerEmptiesAndOnlyAfterYes) {
    SetOwner("boss");
    Open();
    Press(IDC_EMPTY);
    ASSERT_EQ(m_boxes.m_shown.size(), 1u);
    EXPECT_EQ(m_boxes.m_shown[0].text, "You do not have permission to delete this item");
    EXPECT_EQ(m_boxes.m_shown[0].title, "Permission Denied");
    EXPECT_EQ(Phrases(), 7);

    std::string user;
    GetCurrentUserName(user);
    Exec("UPDATE Configuration SET Administrator = '" + user + "'");
    m_dialog.reset();
    m_boxes.m_shown.clear();
    Open();
    m_boxes.m_answers = {IDNO};
    Press(IDC_EMPTY);
    ASSERT_EQ(m_boxes.m_shown.size(), 1u);
    EXPECT_EQ(m_boxes.m_shown[0].text,
              "Are you sure you want to delete ALL phrases in the database?\n"
              "WARNING: This operation cannot be undone");
    EXPECT_EQ(m_boxes.m_shown[0].title, "Empty Database");
    EXPECT_EQ(Phrases(), 7);
    EXPECT_EQ(Field(IDC_NOUN_COUNT), "3");

    Press(IDC_EMPTY);  // Yes
    EXPECT_EQ(Phrases(), 0);
    EXPECT_EQ(Field(IDC_NOUN_COUNT), "0");
    EXPECT_EQ(Field(IDC_VERB_COUNT), "0");
    EXPECT_EQ(Field(IDC_ADVERB_COUNT), "0");
    CConfigRecord stored(m_app->Store());
    ASSERT_TRUE(stored.Open());
    EXPECT_EQ(stored.m_NumNouns + stored.m_NumVerbs + stored.m_NumAdverbs, 0);
}

TEST_F(DatabaseDialogTest, ExportWritesWhatTheEngineWritesAndALoadMergesItBack) {
    Open();
    m_files.m_paths = {Path("collection.Sorrow")};
    Press(IDC_EXPORT);
    WaitForTransfer();
    ASSERT_EQ(m_files.m_requests.size(), 1u);
    EXPECT_TRUE(m_files.m_requests[0].save);
    EXPECT_EQ(m_files.m_requests[0].defaultExtension, "Sorrow");
    EXPECT_EQ(m_files.m_requests[0].filter, "Sorrowline 3.0 Files|*.Sorrow||");
    EXPECT_TRUE(m_files.m_requests[0].flags & OFN_OVERWRITEPROMPT);
    EXPECT_TRUE(m_files.m_requests[0].flags & OFN_HIDEREADONLY);

    NoProgress progress;
    SilentMessages messages;
    ASSERT_TRUE(ExportPhraseFile(m_app->Store(), Path("direct.Sorrow"), {progress, messages}));
    const std::string written = FileBytes(Path("collection.Sorrow"));
    EXPECT_EQ(written, FileBytes(Path("direct.Sorrow")));
    EXPECT_GT(written.size(), 60u);

    Exec("DELETE FROM Phrase WHERE PhraseType IN (2, 5)");
    m_files.m_paths = {Path("collection.Sorrow")};
    Press(IDC_LOAD_MERGE);
    WaitForTransfer();
    EXPECT_FALSE(m_files.m_requests[1].save);
    EXPECT_TRUE(m_boxes.m_shown.empty());
    EXPECT_EQ(Phrases(), 7);
    EXPECT_EQ(Field(IDC_NOUN_COUNT), "3");
    EXPECT_EQ(Field(IDC_ADVERB_COUNT), "1");
    EXPECT_TRUE(Enabled(IDC_EXPORT));
}

TEST_F(DatabaseDialogTest, ACutExtensionIsCompletedOnlyAsTheProgramWritesIt) {
    Open();
    m_files.m_paths = {Path("short.Sor")};
    Press(IDC_EXPORT);
    WaitForTransfer();
    m_files.m_paths = {Path("capitals.SOR")};
    Press(IDC_EXPORT);
    WaitForTransfer();
    EXPECT_FALSE(FileBytes(Path("short.Sorrow")).empty());
    EXPECT_FALSE(FileBytes(Path("capitals.SOR")).empty());
    EXPECT_TRUE(FileBytes(Path("capitals.SORrow")).empty());
}

TEST_F(DatabaseDialogTest, WhileATransferRunsNothingClosesAndTheButtonsRest) {
    Open();
    // A file cut short in its first verb: its nouns are new, then the
    // reader stops at the damage and the worker shows its message.
    std::ofstream(Path("cut.Sorrow"), std::ios::binary) << "\x01" "a new noun" "\x01" "\x05" "\x01\x05" "runs";
    CHeldBoxes held;
    SetMessageBoxAnswerer(&held);
    m_files.m_paths = {Path("cut.Sorrow")};
    Press(IDC_LOAD_MERGE);
    ASSERT_TRUE(held.WaitForBox());

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
    EXPECT_FALSE(IsWindow(progress));
    ASSERT_EQ(held.Texts().size(), 1u);
    EXPECT_EQ(held.Texts()[0].substr(0, held.Texts()[0].find('\n')), "Error loading data file");
    // The damage keeps the counts shown from before the load; the noun
    // before it stays stored.
    EXPECT_EQ(Field(IDC_NOUN_COUNT), "3");
    EXPECT_EQ(Phrases(), 8);
    for (int button : {IDC_EMPTY, IDC_LOAD_MERGE, IDC_EXPORT})
        EXPECT_TRUE(Enabled(button)) << button;

    // An export after a load has its own title again.
    m_files.m_paths = {m_folder};  // a folder cannot be written: the worker says so and waits
    Press(IDC_EXPORT);
    ASSERT_TRUE(held.WaitForBox());
    EXPECT_EQ(WindowText(theProgressDlg.GetSafeHwnd()), "Export Data");
    held.Release();
    WaitForTransfer();
    SetMessageBoxAnswerer(&m_boxes);

    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(IsWindow(dialog));
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
