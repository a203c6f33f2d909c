// Times the phrase manager over a large phrase table, under Wine:
//   manager_bench   (ODBCINI names a scratch data source filled with
//                    phrases; bench/dialogs-bench.sh makes them)
// Prints the time from start to the filled list, a header click's re-sort,
// a filter switch and back, and the process's peak memory.
#include <windows.h>

#include <psapi.h>

#include <chrono>
#include <cstdio>

#include "app/SaverApp.h"
#include "framework/win/MessageBox.h"
#include "manager/PhraseManagerDlg.h"
#include "res/resource.h"
#include "store/PhraseRec.h"
#include "tests/support/ScratchDataSource.h"

namespace {

class CBenchApp : public CSaverApp {
public:
    using CSaverApp::OpenDatabase;
};

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

template <class Action>
double Time(Action action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    return Seconds(start);
}

void ClickHeader(CPhraseManagerDlg& manager, int column) {
    NMLISTVIEW click = {};
    click.hdr = {manager.List().GetSafeHwnd(), IDC_PHRASE_LIST, LVN_COLUMNCLICK};
    click.iItem = -1;
    click.iSubItem = column;
    SendMessageA(manager.GetSafeHwnd(), WM_NOTIFY, IDC_PHRASE_LIST, reinterpret_cast<LPARAM>(&click));
    UpdateWindow(manager.GetSafeHwnd());
}

// Says Yes to the delete question, as the user would.
class CYesToAll : public CMessageBoxAnswerer {
public:
    int Answer(HWND, const std::string&, const std::string&, UINT) override { return IDYES; }
};

// Selects the top rows and deletes them through the Delete button.
double DeleteTopRows(CPhraseManagerDlg& manager, int rows) {
    HWND list = manager.List().GetSafeHwnd();
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    for (int row = 0; row < rows; ++row)
        ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
    manager.UpdateButtons();
    CYesToAll yes;
    SetMessageBoxAnswerer(&yes);
    const double seconds = Time([&] {
        SendMessageA(manager.GetSafeHwnd(), WM_COMMAND, IDM_DELETE_PHRASES, 0);
        UpdateWindow(manager.GetSafeHwnd());
    });
    SetMessageBoxAnswerer(nullptr);
    return seconds;
}

// Selects every row, as Ctrl+A does, then lets the buttons follow.
struct SelectAllTimes {
    double list;
    double buttons;
};
SelectAllTimes SelectAll(CPhraseManagerDlg& manager) {
    SelectAllTimes times;
    times.list = Time([&] { ListView_SetItemState(manager.List().GetSafeHwnd(), -1, LVIS_SELECTED, LVIS_SELECTED); });
    times.buttons = Time([&] {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        UpdateWindow(manager.GetSafeHwnd());
    });
    return times;
}

void Press(CPhraseManagerDlg& manager, int id) {
    SendMessageA(manager.GetDlgItem(id), BM_CLICK, 0, 0);
    UpdateWindow(manager.GetSafeHwnd());
}

}  // namespace

int main() {
    // Only ever the data source the script made for this run.
    std::string reason;
    if (MakeScratchDataSource(ScratchEngine::Sqlite, &reason) != ScratchStatus::Ready) {
        std::fprintf(stderr, "manager_bench: refusing to run: %s\n", reason.c_str());
        return 2;
    }
    CBenchApp app;
    app.SetRegistryKey("Tallix");
    CPhraseManagerDlg manager(app.Store());
    const double connect = Time([&] {
        app.OpenDatabase();
        app.BuildDialogTile();
    });
    const double open = Time([&] {
        manager.Create();
        UpdateWindow(manager.GetSafeHwnd());
    });
    const double start = connect + open;
    if (!app.IsDatabaseAvailable()) {
        std::fprintf(stderr, "%s\n", app.DatabaseError().c_str());
        return 1;
    }
    const int rows = manager.List().GetItemCount();
    const double sort = Time([&] { ClickHeader(manager, 3); });
    const double resort = Time([&] { ClickHeader(manager, 3); });
    const double nouns = Time([&] { Press(manager, IDC_FILTER_NOUNS); });
    const int nounRows = manager.List().GetItemCount();
    const double all = Time([&] { Press(manager, IDC_FILTER_ALL); });
    const SelectAllTimes selectAll = SelectAll(manager);
    const bool deleteFollowed = IsWindowEnabled(manager.GetDlgItem(IDM_DELETE_PHRASES)) != FALSE;

    const int deleteRows = rows < 10000 ? rows / 2 : 10000;
    const double deletion = DeleteTopRows(manager, deleteRows);
    const int left = manager.List().GetItemCount();

    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    std::printf("rows %d\nstart to filled list %.2f s (connect %.2f s, manager %.2f s)\nheader click %.2f s, again %.2f s\n"
                "filter Nouns (%d rows) %.2f s, back to All %.2f s\n"
                "select all %.2f s, the buttons following %.2f s (Delete enabled: %s)\n"
                "delete %d selected phrases %.2f s (%d rows left)\npeak memory %.0f MiB\n",
                rows, start, connect, open, sort, resort, nounRows, nouns, all, selectAll.list, selectAll.buttons,
                deleteFollowed ? "yes" : "no", deleteRows, deletion, left,
                memory.PeakWorkingSetSize / 1048576.0);
    return 0;
}
