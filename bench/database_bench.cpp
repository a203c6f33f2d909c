// Times the Database dialog's transfers over a large phrase table, under Wine:
//   database_bench DIR   (ODBCINI names a scratch data source filled with
//                         phrases; bench/dialogs-bench.sh makes them)
// Exports every phrase through the dialog into DIR, empties the database
// with Empty, then loads the file back, each as a user would start it, and
// prints the times and phrases per second, and the process's peak memory.
#include <windows.h>

#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "app/SaverApp.h"
#include "framework/win/FileDialog.h"
#include "framework/win/MessageBox.h"
#include "res/resource.h"
#include "store/PhraseRec.h"
#include "tests/support/ScratchDataSource.h"
#include "dialogs/DatabaseDlg.h"
#include "dialogs/TransferProgressDlg.h"

namespace {

class CBenchApp : public CSaverApp {
public:
    using CSaverApp::OpenDatabase;
};

// The file dialogs choose the bench's file; message boxes are printed and
// answered Yes, as the owner emptying the database would.
class CBenchAnswers : public CFileDialogAnswerer, public CMessageBoxAnswerer {
public:
    explicit CBenchAnswers(std::string path) : m_path(std::move(path)) {}
    bool Answer(HWND, const FileDialogRequest&, std::string& path) override {
        path = m_path;
        return true;
    }
    int Answer(HWND, const std::string& text, const std::string&, UINT type) override {
        if ((type & MB_TYPEMASK) != MB_YESNO)
            std::fprintf(stderr, "message: %s\n", text.c_str());
        return IDYES;
    }

private:
    std::string m_path;
};

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void Serve() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Presses a button and serves the dialogs until the transfer it starts has ended.
double Run(CDatabaseDlg& dialog, int button) {
    const auto start = std::chrono::steady_clock::now();
    SendMessageA(dialog.GetDlgItem(button), BM_CLICK, 0, 0);
    while (TransferBusy() || theProgressDlg.GetSafeHwnd()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        Serve();
    }
    return Seconds(start);
}

int32_t Phrases(CStoreContext& store) {
    const CConfigRecord& config = store.m_configRecord;
    return config.m_NumNouns + config.m_NumVerbs + config.m_NumAdverbs;
}

}  // namespace

int main(int argc, char** argv) {
    std::string reason;
    if (argc != 2 || MakeScratchDataSource(ScratchEngine::Sqlite, &reason) != ScratchStatus::Ready) {
        std::fprintf(stderr, "database_bench: refusing to run: %s\n", argc != 2 ? "usage: database_bench DIR" : reason.c_str());
        return 2;
    }
    CBenchApp app;
    app.SetRegistryKey("Tallix");
    app.OpenDatabase();
    if (!app.IsDatabaseAvailable()) {
        std::fprintf(stderr, "%s\n", app.DatabaseError().c_str());
        return 1;
    }
    app.BuildDialogTile();
    CBenchAnswers answers(std::string(argv[1]) + "\\bench.Sorrow");
    SetFileDialogAnswerer(&answers);
    SetMessageBoxAnswerer(&answers);

    CDatabaseDlg dialog(nullptr, app.Store());
    dialog.Create();
    const int32_t phrases = Phrases(app.Store());
    const double exported = Run(dialog, IDC_EXPORT);
    const double emptied = Run(dialog, IDC_EMPTY);
    const int32_t left = Phrases(app.Store());
    const double loaded = Run(dialog, IDC_LOAD_MERGE);
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    std::printf("phrases %d\nexport %.2f s (%.0f phrases/s)\nempty %.2f s (%d left)\n"
                "load into the empty database %.2f s (%.0f phrases/s, %d counted)\npeak memory %.0f MiB\n",
                phrases, exported, phrases / exported, emptied, left, loaded, phrases / loaded, Phrases(app.Store()),
                memory.PeakWorkingSetSize / 1048576.0);
    return 0;
}
